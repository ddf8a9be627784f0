#pragma once

// INI files: sections of "key=value" lines. Our own reader and writer, because QSettings
// rewrites keys and values. Lookup of sections and keys ignores case; names, values and
// their order are kept exactly as written.

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <utility>

class TCustomIniFile {
public:
    explicit TCustomIniFile(const QString& FileName);
    virtual ~TCustomIniFile();
    TCustomIniFile(const TCustomIniFile&) = delete;
    TCustomIniFile& operator=(const TCustomIniFile&) = delete;

    // The file the INI belongs to.
    const QString& FileName() const { return FFileName; }

    // The value of key Ident in Section, Default when there is none.
    virtual QString ReadString(const QString& Section, const QString& Ident,
                               const QString& Default) const = 0;
    // Raises EIniFileException for a name or value the file cannot carry; then nothing changes.
    virtual void WriteString(const QString& Section, const QString& Ident,
                             const QString& Value) = 0;
    // The keys of Section, in file order.
    virtual QStringList ReadSection(const QString& Section) const = 0;
    // The names of the sections, in file order.
    virtual QStringList ReadSections() const = 0;
    // "key=value" lines of Section, values as read (without the quotes of the file).
    virtual QStringList ReadSectionValues(const QString& Section) const = 0;
    // Removes Section with all its keys.
    virtual void EraseSection(const QString& Section) = 0;
    // Removes key Ident from Section.
    virtual void DeleteKey(const QString& Section, const QString& Ident) = 0;
    // Writes the content to the file.
    virtual void UpdateFile() = 0;

    // Decimal, "$1F" or "0x1F" (hex is 32-bit, so "$FFFFFFFF" is -1); anything else gives
    // Default.
    int ReadInteger(const QString& Section, const QString& Ident, int Default) const;
    // Writes an integer in decimal.
    void WriteInteger(const QString& Section, const QString& Ident, int Value);
    // Non-zero integers and "true" are true, zero and "false" false; anything else gives
    // Default. Written as "1" / "0".
    bool ReadBool(const QString& Section, const QString& Ident, bool Default) const;
    // Writes a Boolean as "1" or "0".
    void WriteBool(const QString& Section, const QString& Ident, bool Value);
    // Always with '.', whatever the locale; written as the shortest text that reads back to
    // the same double, infinities and NaN as "INF", "-INF", "NAN".
    double ReadFloat(const QString& Section, const QString& Ident, double Default) const;
    // Writes a double with '.', as the shortest text that reads back the same.
    void WriteFloat(const QString& Section, const QString& Ident, double Value);

    // Section exists.
    bool SectionExists(const QString& Section) const;
    // Key Ident exists in Section.
    bool ValueExists(const QString& Section, const QString& Ident) const;

protected:
    void SetFileName(const QString& FileName) { FFileName = FileName; }

private:
    QString FFileName;
};

// Works in memory: loads the file in its constructor (a missing file is an empty INI) and
// writes it back only on UpdateFile. An empty file name makes a purely in-memory INI.
class TMemIniFile : public TCustomIniFile {
public:
    explicit TMemIniFile(const QString& FileName);
    ~TMemIniFile() override;

    QString ReadString(const QString& Section, const QString& Ident,
                       const QString& Default) const override;
    void WriteString(const QString& Section, const QString& Ident, const QString& Value) override;
    QStringList ReadSection(const QString& Section) const override;
    QStringList ReadSections() const override;
    QStringList ReadSectionValues(const QString& Section) const override;
    void EraseSection(const QString& Section) override;
    void DeleteKey(const QString& Section, const QString& Ident) override;
    // Replaces the file through a temporary file beside it; raises EFCreateError.
    void UpdateFile() override;

    // Empties the INI in memory.
    void Clear();
    // The lines of the file as UpdateFile would write them.
    void GetStrings(QStringList& List) const;
    void SetStrings(const QStringList& List);
    // Reload replaces the content by that of the new file (empty when it does not exist).
    void Rename(const QString& FileName, bool Reload);

protected:
    struct TIniSection {
        QString Name;
        QList<std::pair<QString, QString>> Entries;
        QHash<QString, qsizetype> Index; // case-folded key -> position in Entries
    };
    struct TIniData {
        QList<TIniSection> Sections;
        QHash<QString, qsizetype> Index; // case-folded name -> position in Sections
    };

    // These return whether anything changed.
    bool DoWriteString(const QString& Section, const QString& Ident, const QString& Value);
    bool DoEraseSection(const QString& Section);
    bool DoDeleteKey(const QString& Section, const QString& Ident);

    TIniData FData;

private:
    static TIniData Parse(QByteArrayView Utf8);
    static TIniData ReadIniFile(const QString& FileName);
    static QStringList BuildLines(const TIniData& Data);
    static void RebuildIndex(TIniSection& Section);
    static void RebuildIndex(TIniData& Data);
    const TIniSection* FindSection(const QString& Section) const;
};

// Like TMemIniFile, but every change is written to the file at once. When that write fails,
// the change is undone in memory too.
class TIniFile : public TMemIniFile {
public:
    explicit TIniFile(const QString& FileName);

    void WriteString(const QString& Section, const QString& Ident, const QString& Value) override;
    void EraseSection(const QString& Section) override;
    void DeleteKey(const QString& Section, const QString& Ident) override;

private:
    void Commit(TIniData Saved);
};
