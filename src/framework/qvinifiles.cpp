#include "framework/qvinifiles.h"

#include "framework/qvexceptions.h"
#include "framework/qvstreams.h"
#include "strings/qvlocalize.h"

#include <QFile>

#include <charconv>
#include <cmath>

namespace {

QString Fold(const QString& Name) {
    return Name.toCaseFolded();
}

// Blanks that a reader may trim: besides Unicode spaces, the control characters that other
// INI readers (Python's str.strip, for one) also strip.
bool IsBlank(QChar C) {
    return C.isSpace() || C.unicode() < 0x20;
}

bool HasLineBreak(const QString& S) {
    return S.contains(u'\r') || S.contains(u'\n');
}

bool HasOuterBlank(const QString& S) {
    return !S.isEmpty() && (IsBlank(S.front()) || IsBlank(S.back()));
}

bool IsQuote(QChar C) {
    return C == u'"' || C == u'\'';
}

bool IsQuoted(QStringView S) {
    return S.size() >= 2 && IsQuote(S.front()) && S.front() == S.back();
}

void CheckSection(const QString& Section) {
    if (Section.isEmpty() || Section.contains(u']') || HasLineBreak(Section) ||
        HasOuterBlank(Section))
        throw EIniFileException(Format(Qvlocalize::SIniInvalidSection, {Section}));
}

void CheckKey(const QString& Ident) {
    if (Ident.isEmpty() || Ident.contains(u'=') || HasLineBreak(Ident) || HasOuterBlank(Ident) ||
        Ident.front() == u'[' || Ident.front() == u';' || Ident.front() == u'#')
        throw EIniFileException(Format(Qvlocalize::SIniInvalidKey, {Ident}));
}

void CheckValue(const QString& Ident, const QString& Value) {
    if (HasLineBreak(Value)) throw EIniFileException(Format(Qvlocalize::SIniInvalidValue, {Ident}));
}

// The reader trims values and removes one pair of quotes, so such values get a pair added.
QString EncodeValue(const QString& Value) {
    if (HasOuterBlank(Value) || IsQuoted(Value)) return u'"' + Value + u'"';
    return Value;
}

int DigitValue(QChar C, int Base) {
    const char16_t U = C.unicode();
    int D = -1;
    if (U >= u'0' && U <= u'9')
        D = U - u'0';
    else if (U >= u'a' && U <= u'f')
        D = U - u'a' + 10;
    else if (U >= u'A' && U <= u'F')
        D = U - u'A' + 10;
    return D < Base ? D : -1;
}

bool ParseInteger(QStringView S, int& Result) {
    S = S.trimmed();
    qsizetype I = 0;
    bool Negative = false;
    if (I < S.size() && (S[I] == u'+' || S[I] == u'-')) Negative = S[I++] == u'-';
    int Base = 10;
    if (I < S.size() && S[I] == u'$') {
        Base = 16;
        ++I;
    } else if (I + 1 < S.size() && S[I] == u'0' && (S[I + 1] == u'x' || S[I + 1] == u'X')) {
        Base = 16;
        I += 2;
    }
    if (I >= S.size()) return false;
    const quint64 Limit = Base == 16 ? 0xFFFFFFFFull : Negative ? 0x80000000ull : 0x7FFFFFFFull;
    quint64 Value = 0;
    for (; I < S.size(); ++I) {
        const int D = DigitValue(S[I], Base);
        if (D < 0) return false;
        Value = Value * Base + D;
        if (Value > Limit) return false;
    }
    if (Base == 16) {
        // Hex is a 32-bit pattern, as colours are stored.
        const quint32 Bits = Negative ? 0u - quint32(Value) : quint32(Value);
        Result = int(Bits);
    } else {
        Result = int(Negative ? -qint64(Value) : qint64(Value));
    }
    return true;
}

bool ParseFloat(QStringView S, double& Result) {
    S = S.trimmed();
    QByteArray Text;
    Text.reserve(S.size());
    for (QChar C : S) {
        if (C.unicode() > 0x7F) return false;
        Text += char(C.unicode());
    }
    const char* First = Text.constData();
    const char* Last = First + Text.size();
    // from_chars takes no '+', and is independent of the locale.
    if (First < Last && *First == '+') {
        ++First;
        if (First < Last && (*First == '+' || *First == '-')) return false;
    }
    if (First == Last) return false;
    double Value = 0;
    const auto [End, Error] = std::from_chars(First, Last, Value, std::chars_format::general);
    if (Error != std::errc() || End != Last) return false;
    Result = Value;
    return true;
}

QString FloatToText(double Value) {
    if (std::isnan(Value)) return QStringLiteral("NAN");
    if (std::isinf(Value)) return Value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    // Shortest text that reads back exactly, '.' whatever the locale, and "-0" kept.
    char Text[32];
    const auto Result = std::to_chars(Text, Text + sizeof Text, Value);
    return QString::fromLatin1(Text, Result.ptr - Text);
}

} // namespace

// TCustomIniFile

TCustomIniFile::TCustomIniFile(const QString& FileName) : FFileName(FileName) {}

TCustomIniFile::~TCustomIniFile() = default;

int TCustomIniFile::ReadInteger(const QString& Section, const QString& Ident, int Default) const {
    int Value;
    return ParseInteger(ReadString(Section, Ident, QString()), Value) ? Value : Default;
}

void TCustomIniFile::WriteInteger(const QString& Section, const QString& Ident, int Value) {
    WriteString(Section, Ident, QString::number(Value));
}

bool TCustomIniFile::ReadBool(const QString& Section, const QString& Ident, bool Default) const {
    const QString Text = ReadString(Section, Ident, QString()).trimmed();
    int Value;
    if (ParseInteger(Text, Value)) return Value != 0;
    if (Text.compare(u"true", Qt::CaseInsensitive) == 0) return true;
    if (Text.compare(u"false", Qt::CaseInsensitive) == 0) return false;
    return Default;
}

void TCustomIniFile::WriteBool(const QString& Section, const QString& Ident, bool Value) {
    WriteString(Section, Ident, Value ? QStringLiteral("1") : QStringLiteral("0"));
}

double TCustomIniFile::ReadFloat(const QString& Section, const QString& Ident,
                                 double Default) const {
    double Value;
    return ParseFloat(ReadString(Section, Ident, QString()), Value) ? Value : Default;
}

void TCustomIniFile::WriteFloat(const QString& Section, const QString& Ident, double Value) {
    WriteString(Section, Ident, FloatToText(Value));
}

bool TCustomIniFile::SectionExists(const QString& Section) const {
    return ReadSections().contains(Section, Qt::CaseInsensitive);
}

bool TCustomIniFile::ValueExists(const QString& Section, const QString& Ident) const {
    return ReadSection(Section).contains(Ident, Qt::CaseInsensitive);
}

// TMemIniFile

TMemIniFile::TMemIniFile(const QString& FileName)
    : TCustomIniFile(FileName), FData(ReadIniFile(FileName)) {}

TMemIniFile::~TMemIniFile() = default;

// Works on the file's bytes a line at a time, so that a long value is converted once and kept
// in the buffer of its line, without a wide copy of the whole file.
TMemIniFile::TIniData TMemIniFile::Parse(QByteArrayView Utf8) {
    TIniData Data;
    if (Utf8.startsWith("\xEF\xBB\xBF")) Utf8 = Utf8.sliced(3);
    qsizetype Current = -1; // keys before the first valid section are skipped
    qsizetype Pos = 0;
    while (Pos < Utf8.size()) {
        qsizetype End = Pos;
        while (End < Utf8.size() && Utf8[End] != '\n' && Utf8[End] != '\r')
            ++End;
        QString Line = QvStream::FromUtf8(Utf8.sliced(Pos, End - Pos)).trimmed();
        Pos = End + (End + 1 < Utf8.size() && Utf8[End] == '\r' && Utf8[End + 1] == '\n' ? 2 : 1);

        if (Line.isEmpty() || Line.front() == u';' || Line.front() == u'#') continue;
        if (Line.size() >= 2 && Line.front() == u'[' && Line.back() == u']') {
            const QString Name = QStringView(Line).mid(1, Line.size() - 2).trimmed().toString();
            if (Name.isEmpty()) {
                Current = -1;
                continue;
            }
            const QString Key = Fold(Name);
            const auto Found = Data.Index.constFind(Key);
            if (Found != Data.Index.constEnd()) {
                Current = *Found;
            } else {
                Current = Data.Sections.size();
                Data.Sections.append(TIniSection{Name, {}, {}});
                Data.Index.insert(Key, Current);
            }
            continue;
        }
        const qsizetype Equal = Line.indexOf(u'=');
        if (Equal < 0 || Current < 0) continue;
        const QString Ident = QStringView(Line).left(Equal).trimmed().toString();
        if (Ident.isEmpty()) continue;
        TIniSection& Section = Data.Sections[Current];
        const QString Key = Fold(Ident);
        if (Section.Index.contains(Key)) continue; // the first one wins
        // Cutting at the front and trimming a string of its own keep the line's buffer.
        QString Value = std::move(Line.remove(0, Equal + 1)).trimmed();
        if (IsQuoted(Value)) {
            Value.chop(1);
            Value.remove(0, 1);
        }
        Section.Index.insert(Key, Section.Entries.size());
        Section.Entries.append({Ident, std::move(Value)});
    }
    return Data;
}

TMemIniFile::TIniData TMemIniFile::ReadIniFile(const QString& FileName) {
    if (FileName.isEmpty() || !QFile::exists(FileName)) return {};
    return Parse(QvStream::ReadFile(FileName));
}

QStringList TMemIniFile::BuildLines(const TIniData& Data) {
    QStringList Lines;
    for (const TIniSection& Section : Data.Sections) {
        if (!Lines.isEmpty()) Lines.append(QString());
        Lines.append(u'[' + Section.Name + u']');
        for (const auto& [Ident, Value] : Section.Entries)
            Lines.append(Ident + u'=' + EncodeValue(Value));
    }
    return Lines;
}

void TMemIniFile::RebuildIndex(TIniSection& Section) {
    Section.Index.clear();
    for (qsizetype I = 0; I < Section.Entries.size(); ++I)
        Section.Index.insert(Fold(Section.Entries[I].first), I);
}

void TMemIniFile::RebuildIndex(TIniData& Data) {
    Data.Index.clear();
    for (qsizetype I = 0; I < Data.Sections.size(); ++I)
        Data.Index.insert(Fold(Data.Sections[I].Name), I);
}

const TMemIniFile::TIniSection* TMemIniFile::FindSection(const QString& Section) const {
    const auto Found = FData.Index.constFind(Fold(Section));
    return Found == FData.Index.constEnd() ? nullptr : &FData.Sections[*Found];
}

QString TMemIniFile::ReadString(const QString& Section, const QString& Ident,
                                const QString& Default) const {
    const TIniSection* S = FindSection(Section);
    if (!S) return Default;
    const auto Found = S->Index.constFind(Fold(Ident));
    return Found == S->Index.constEnd() ? Default : S->Entries[*Found].second;
}

bool TMemIniFile::DoWriteString(const QString& Section, const QString& Ident,
                                const QString& Value) {
    CheckSection(Section);
    CheckKey(Ident);
    CheckValue(Ident, Value);
    const QString SectionKey = Fold(Section);
    auto FoundSection = FData.Index.constFind(SectionKey);
    if (FoundSection == FData.Index.constEnd()) {
        FoundSection = FData.Index.insert(SectionKey, FData.Sections.size());
        FData.Sections.append(TIniSection{Section, {}, {}});
    }
    TIniSection& S = FData.Sections[*FoundSection];
    const QString Key = Fold(Ident);
    const auto Found = S.Index.constFind(Key);
    if (Found != S.Index.constEnd()) {
        QString& Old = S.Entries[*Found].second;
        if (Old == Value) return false;
        Old = Value;
        return true;
    }
    S.Index.insert(Key, S.Entries.size());
    S.Entries.append({Ident, Value});
    return true;
}

void TMemIniFile::WriteString(const QString& Section, const QString& Ident, const QString& Value) {
    DoWriteString(Section, Ident, Value);
}

QStringList TMemIniFile::ReadSection(const QString& Section) const {
    QStringList Result;
    if (const TIniSection* S = FindSection(Section))
        for (const auto& Entry : S->Entries)
            Result.append(Entry.first);
    return Result;
}

QStringList TMemIniFile::ReadSections() const {
    QStringList Result;
    for (const TIniSection& S : FData.Sections)
        Result.append(S.Name);
    return Result;
}

QStringList TMemIniFile::ReadSectionValues(const QString& Section) const {
    QStringList Result;
    if (const TIniSection* S = FindSection(Section))
        for (const auto& [Ident, Value] : S->Entries)
            Result.append(Ident + u'=' + Value);
    return Result;
}

bool TMemIniFile::DoEraseSection(const QString& Section) {
    const auto Found = FData.Index.constFind(Fold(Section));
    if (Found == FData.Index.constEnd()) return false;
    FData.Sections.removeAt(*Found);
    RebuildIndex(FData);
    return true;
}

void TMemIniFile::EraseSection(const QString& Section) {
    DoEraseSection(Section);
}

bool TMemIniFile::DoDeleteKey(const QString& Section, const QString& Ident) {
    const auto FoundSection = FData.Index.constFind(Fold(Section));
    if (FoundSection == FData.Index.constEnd()) return false;
    TIniSection& S = FData.Sections[*FoundSection];
    const auto Found = S.Index.constFind(Fold(Ident));
    if (Found == S.Index.constEnd()) return false;
    S.Entries.removeAt(*Found);
    RebuildIndex(S);
    return true;
}

void TMemIniFile::DeleteKey(const QString& Section, const QString& Ident) {
    DoDeleteKey(Section, Ident);
}

void TMemIniFile::UpdateFile() {
    if (FileName().isEmpty()) return;
    const QStringList Lines = BuildLines(FData);
    QvStream::SaveFile(FileName(),
                       Lines.isEmpty() ? QByteArray() : (Lines.join(u'\n') + u'\n').toUtf8());
}

void TMemIniFile::Clear() {
    FData = TIniData();
}

void TMemIniFile::GetStrings(QStringList& List) const {
    List = BuildLines(FData);
}

void TMemIniFile::SetStrings(const QStringList& List) {
    FData = Parse(List.join(u'\n').toUtf8());
}

void TMemIniFile::Rename(const QString& FileName, bool Reload) {
    if (Reload) FData = ReadIniFile(FileName);
    SetFileName(FileName);
}

// TIniFile

TIniFile::TIniFile(const QString& FileName) : TMemIniFile(FileName) {}

void TIniFile::Commit(TIniData Saved) {
    try {
        UpdateFile();
    } catch (...) {
        FData = std::move(Saved);
        throw;
    }
}

void TIniFile::WriteString(const QString& Section, const QString& Ident, const QString& Value) {
    TIniData Saved = FData;
    if (DoWriteString(Section, Ident, Value)) Commit(std::move(Saved));
}

void TIniFile::EraseSection(const QString& Section) {
    TIniData Saved = FData;
    if (DoEraseSection(Section)) Commit(std::move(Saved));
}

void TIniFile::DeleteKey(const QString& Section, const QString& Ident) {
    TIniData Saved = FData;
    if (DoDeleteKey(Section, Ident)) Commit(std::move(Saved));
}
