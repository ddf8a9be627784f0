// INI files: parsing, writing, round trips and interoperability with Python's configparser.

#include "../qvtest.h"

#include <framework/qvexceptions.h>
#include <framework/qvinifiles.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <tuple>

namespace {

QByteArray ReadAll(const QString& Path) {
    QFile File(Path);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray("<missing>");
}

void WriteAll(const QString& Path, const QByteArray& Bytes) {
    QFile File(Path);
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    File.write(Bytes);
}

// Values that need care: blanks at the ends, quotes, comment and section characters, '%'.
const QList<std::pair<QString, QString>> OddValues = {
    {"Lead", "  two blanks"},       {"Brackets", "[x]"},     {"Unicode", "Größe µm – 温度 😀"},
    {"DoubleQuoted", "\"quoted\""}, {"Hash", "#x"},          {"Unmatched", "'a\""},
    {"TwoQuotes", "\"\""},          {"Trail", "tab\t"},      {"OneQuote", "\""},
    {"Percent", "100% %s %(x)s"},   {"Empty", ""},           {"Comment", "; not # a comment"},
    {"Inner", "say \"hi\" now"},    {"Colon", "a: b"},       {"Equals", "a=b=c"},
    {"SingleQuoted", "'q'"},        {"Plain", "hello world"}};

} // namespace

TEST(IniFiles, RoundTripsEveryValueKind) {
    using L = std::numeric_limits<double>;
    const QList<double> Floats = {0.1,      1.0 / 3,  -0.0,         1e-300,        L::denorm_min(),
                                  L::max(), -1.5e300, 1.2345678e17, L::infinity(), -L::infinity()};
    QTemporaryDir Dir;
    const QString Path = Dir.filePath("round.ini");
    {
        TMemIniFile Ini(Path);
        for (const auto& [Key, Value] : OddValues)
            Ini.WriteString("Strings", Key, Value);
        for (int I = 0; I < Floats.size(); ++I)
            Ini.WriteFloat("Floats", QString::number(I), Floats[I]);
        Ini.WriteFloat("Floats", "NaN", L::quiet_NaN());
        Ini.UpdateFile();
    }
    TMemIniFile Ini(Path);
    for (const auto& [Key, Value] : OddValues)
        EXPECT_EQ(Ini.ReadString("Strings", Key, "?"), Value) << Key.toStdString();
    for (int I = 0; I < Floats.size(); ++I) // bit by bit, so that -0 counts
        EXPECT_EQ(std::bit_cast<quint64>(Ini.ReadFloat("Floats", QString::number(I), 7)),
                  std::bit_cast<quint64>(Floats[I]))
            << I;
    EXPECT_TRUE(std::isnan(Ini.ReadFloat("Floats", "NaN", 7)));
    EXPECT_EQ(Ini.ReadString("Missing", "Key", "dflt"), "dflt");
    EXPECT_EQ(Ini.ReadInteger("Strings", "Missing", -5), -5);

    // The exact text written: quotes only where the reader would lose something.
    const QString Small = Dir.filePath("small.ini");
    TMemIniFile Out(Small);
    Out.WriteString("A", "k", " v ");
    Out.WriteString("A", "q", "'x'");
    Out.WriteString("A", "u", "ü=1");
    Out.WriteFloat("B", "f", 2.5e-7);
    Out.WriteFloat("B", "n", L::quiet_NaN());
    Out.WriteBool("B", "b", true);
    Out.WriteInteger("B", "i", -7);
    Out.UpdateFile();
    EXPECT_EQ(ReadAll(Small),
              "[A]\nk=\" v \"\nq=\"'x'\"\nu=\xC3\xBC=1\n\n[B]\nf=2.5e-07\nn=NAN\nb=1\ni=-7\n");
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files).size(), 2); // no temporary files left
}

TEST(IniFiles, ReadsNumbersStrictly) {
    TMemIniFile Ini({});
    const auto Read = [&](const QString& Text) {
        Ini.WriteString("N", "v", Text);
        return std::tuple(Ini.ReadInteger("N", "v", -3), Ini.ReadBool("N", "v", false),
                          Ini.ReadBool("N", "v", true), Ini.ReadFloat("N", "v", -3));
    };
    const int Min = std::numeric_limits<int>::min();
    const double Inf = std::numeric_limits<double>::infinity();
    const double Big = 2147483648.0;
    // Text, integer, boolean (-1 for the default), float.
    const QList<std::tuple<QString, int, int, double>> Cases = {
        {" 42 ", 42, 1, 42},          {"+8", 8, 1, 8},       {"$1F", 31, 1, -3},
        {"0x1f", 31, 1, -3},          {"-$10", -16, 1, -3},  {"2147483648", -3, -1, Big},
        {"$100000000", -3, -1, -3},   {"12abc", -3, -1, -3}, {"", -3, -1, -3},
        {"0x", -3, -1, -3},           {"0", 0, 0, 0},        {"1.5e3", -3, -1, 1500},
        {"TRUE", -3, 1, -3},          {"False", -3, 0, -3},  {"yes", -3, -1, -3},
        {"1,5", -3, -1, -3},          {".5", -3, -1, 0.5},   {"-Infinity", -3, -1, -Inf},
        {"+-1", -3, -1, -3},          {"１", -3, -1, -3},    {"$FFFFFFFF", -1, 1, -3},
        {"-2147483648", Min, 1, -Big}};
    for (const auto& [Text, Integer, Boolean, Float] : Cases) {
        const auto [I, B1, B2, F] = Read(Text);
        EXPECT_EQ(I, Integer) << Text.toStdString();
        EXPECT_EQ(std::pair(B1, B2),
                  Boolean < 0 ? std::pair(false, true) : std::pair(Boolean == 1, Boolean == 1))
            << Text.toStdString();
        EXPECT_EQ(F, Float) << Text.toStdString();
    }
    EXPECT_TRUE(std::isnan(std::get<3>(Read("nan"))));
}

TEST(IniFiles, ParsesLikeCommonReaders) {
    QTemporaryDir Dir;
    const QString Path = Dir.filePath("parse.ini");
    WriteAll(Path, "\xEF\xBB\xBF"
                   "orphan=1\r\n; comment=1\r\n  # hash=1\r\n[Alpha]\r\n  Key One  =  value 1  \r\n"
                   "no equals sign\r\nkey one=duplicate\r\n=novalue\r\nQuoted=\"  padded  \"\r\n"
                   "Single=' s '\r\nHalf=\"open\r\n[]\r\nlost=1\r\n[Beta]\rb=2\r[ALPHA]\n"
                   "Late=3\n[ Gamma ]\n\xEF\xBB\xBFmark=kept\n");
    TMemIniFile Ini(Path);
    EXPECT_EQ(Ini.ReadSections(), QStringList({"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(Ini.ReadSection("alpha"),
              QStringList({"Key One", "Quoted", "Single", "Half", "Late"}));
    EXPECT_EQ(Ini.ReadString("ALPHA", "KEY ONE", ""), "value 1");
    EXPECT_EQ(Ini.ReadString("Alpha", "Quoted", ""), "  padded  ");
    EXPECT_EQ(Ini.ReadString("Alpha", "Single", ""), " s ");
    // Only the file's first bytes can be a byte order mark.
    EXPECT_EQ(Ini.ReadSection("Gamma"), QStringList({QChar(0xFEFF) + QString("mark")}));
    QStringList Lines;
    Ini.GetStrings(Lines);
    EXPECT_EQ(Lines, QStringList({"[Alpha]", "Key One=value 1", "Quoted=\"  padded  \"",
                                  "Single=\" s \"", "Half=\"open", "Late=3", "", "[Beta]", "b=2",
                                  "", "[Gamma]", QChar(0xFEFF) + QString("mark=kept")}));
}

TEST(IniFiles, WritesKeepCaseAndOrder) {
    TMemIniFile Ini({});
    Ini.WriteString("Sec", "Key", "1");
    Ini.WriteString("Other", "x", "y");
    Ini.WriteString("SEC", "KEY", "2");
    Ini.WriteString("sec", "New", "3");
    EXPECT_EQ(Ini.ReadSections(), QStringList({"Sec", "Other"}));
    EXPECT_EQ(Ini.ReadSectionValues("sec"), QStringList({"Key=2", "New=3"}));
    EXPECT_TRUE(Ini.ValueExists("other", "X"));
    EXPECT_FALSE(Ini.SectionExists("none"));

    Ini.DeleteKey("SEC", "key");
    Ini.DeleteKey("SEC", "absent");
    Ini.WriteString("Sec", "Key", "4");
    EXPECT_EQ(Ini.ReadSection("Sec"), QStringList({"New", "Key"}));
    EXPECT_EQ(Ini.ReadString("Sec", "new", ""), "3");
    EXPECT_EQ(Ini.ReadString("Sec", "key", ""), "4");

    Ini.EraseSection("sec");
    Ini.EraseSection("absent");
    EXPECT_EQ(Ini.ReadSections(), QStringList({"Other"}));
    EXPECT_EQ(Ini.ReadString("Other", "x", ""), "y");
    Ini.UpdateFile(); // no file name: nothing to do
    Ini.Clear();
    EXPECT_TRUE(Ini.ReadSections().isEmpty());
}

TEST(IniFiles, InvalidWritesRaiseAndChangeNothing) {
    QTemporaryDir Dir;
    const QString Path = Dir.filePath("strict.ini");
    TIniFile Ini(Path);
    Ini.WriteString("S", "k", "v");
    const QByteArray Before = ReadAll(Path);
    for (const QString Section : {"", "a]b", " S", "S\n", "S\r"})
        EXPECT_EQ(MessageOf<EIniFileException>([&] { Ini.WriteString(Section, "k", "v"); }),
                  "Invalid INI section name \"" + Section + '"');
    for (const QString Key : {"", "a=b", "[k", ";k", "#k", " k", "k\t", "a\rb", "a\nb"})
        EXPECT_EQ(MessageOf<EIniFileException>([&] { Ini.WriteString("S", Key, "v"); }),
                  "Invalid INI key \"" + Key + '"');
    for (const QString Value : {"a\nb", "a\rb", "\r\n"})
        EXPECT_EQ(MessageOf<EIniFileException>([&] { Ini.WriteString("New", "k", Value); }),
                  "The value of INI key \"k\" contains a line break");
    EXPECT_EQ(ReadAll(Path), Before);
    QStringList Lines;
    Ini.GetStrings(Lines);
    EXPECT_EQ(Lines, QStringList({"[S]", "k=v"}));
}

TEST(IniFiles, FilesAndWriteThrough) {
    QTemporaryDir Dir;
    const QString Path = Dir.filePath("through.ini");
    TIniFile Ini(Path);
    Ini.WriteInteger("S", "i", 5);
    EXPECT_EQ(TMemIniFile(Path).ReadInteger("S", "i", 0), 5);
    Ini.WriteFloat("S", "f", 0.25);
    Ini.DeleteKey("s", "I");
    EXPECT_EQ(TMemIniFile(Path).ReadSectionValues("S"), QStringList({"f=0.25"}));
    Ini.EraseSection("S");
    EXPECT_EQ(ReadAll(Path), "");

    // A failed write leaves memory as it was.
    const QString Unwritable = Dir.filePath("no/such/dir.ini");
    TIniFile Bad(Unwritable);
    const QString WriteError = MessageOf<EFCreateError>([&] { Bad.WriteString("S", "k", "v"); });
    EXPECT_TRUE(WriteError.startsWith("Cannot write file \"" + Unwritable + "\": "))
        << WriteError.toStdString();
    EXPECT_FALSE(Bad.SectionExists("S"));

    EXPECT_TRUE(TMemIniFile(Dir.filePath("missing.ini")).ReadSections().isEmpty());
    const QString OpenError = MessageOf<EFOpenError>([&] { TMemIniFile Folder(Dir.path()); });
    EXPECT_TRUE(OpenError.startsWith("Cannot open file \"" + Dir.path() + "\": "))
        << OpenError.toStdString();

    TMemIniFile Mem(Path);
    Mem.WriteString("M", "k", "1");
    const QString Other = Dir.filePath("other.ini");
    Mem.Rename(Other, false);
    Mem.UpdateFile();
    EXPECT_EQ(ReadAll(Other), "[M]\nk=1\n");
    WriteAll(Path, "[P]\nz=9\n");
    Mem.Rename(Path, true);
    EXPECT_EQ(Mem.ReadSections(), QStringList({"P"}));
    EXPECT_THROW(Mem.Rename(Dir.path(), true), EFOpenError);
    EXPECT_EQ(Mem.FileName(), Path);
    EXPECT_EQ(Mem.ReadString("P", "z", ""), "9");
}

TEST(IniFiles, GermanLocaleKeepsFloatText) {
    TLocaleScope Scope(German);
    const std::string C = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8"); // may be missing; the Qt locale still matters
    TMemIniFile Ini({});
    Ini.WriteFloat("S", "f", 1234.5);
    EXPECT_EQ(Ini.ReadString("S", "f", ""), "1234.5");
    EXPECT_EQ(Ini.ReadFloat("S", "f", 0), 1234.5);
    Ini.WriteString("S", "g", "1,5");
    EXPECT_EQ(Ini.ReadFloat("S", "g", -1), -1);
    std::setlocale(LC_ALL, C.c_str());
}

TEST(IniFiles, GarbageNeverCrashesAndReparsesAlike) {
    std::mt19937 Random(20240611);
    const QByteArray Alphabet("[]=;#\"' \t\r\nabcAB\xC3\xBC\xEF\xBB\xBF");
    QTemporaryDir Dir;
    for (int Round = 0; Round < 300; ++Round) {
        QByteArray Bytes;
        const int Size = int(Random() % 3000);
        for (int I = 0; I < Size; ++I)
            Bytes += Random() % 4 ? Alphabet[Random() % Alphabet.size()] : char(Random());
        const QString Path = Dir.filePath("garbage.ini");
        WriteAll(Path, Bytes);
        TMemIniFile Ini(Path);
        QStringList Lines, Again;
        Ini.GetStrings(Lines);
        TMemIniFile Copy({});
        Copy.SetStrings(Lines);
        Copy.GetStrings(Again);
        ASSERT_EQ(Lines, Again) << Round;
        for (const QString& Section : Ini.ReadSections())
            for (const QString& Key : Ini.ReadSection(Section))
                ASSERT_EQ(Copy.ReadString(Section, Key, "?"), Ini.ReadString(Section, Key, "!"));
    }
}

TEST(IniFiles, PythonConfigParserReadsOurFiles) {
    if (!QFile::exists("/usr/bin/python3")) GTEST_SKIP() << "no /usr/bin/python3";
    QTemporaryDir Dir;
    const QString Path = Dir.filePath("python.ini");
    TMemIniFile Ini(Path);
    for (const auto& [Key, Value] : OddValues)
        Ini.WriteString("Strings", Key, Value);
    Ini.WriteString("Zweite Größe", "Schlüssel", "Wert");
    Ini.UpdateFile();

    const char* Script = "import configparser, json, sys\n"
                         "c = configparser.ConfigParser(interpolation=None)\n"
                         "c.optionxform = str\n"
                         "c.read(sys.argv[1], encoding='utf-8')\n"
                         "print(json.dumps({s: dict(c[s]) for s in c.sections()}))\n";
    QProcess Python;
    Python.start("/usr/bin/python3", {"-c", Script, Path});
    ASSERT_TRUE(Python.waitForFinished(60000));
    ASSERT_EQ(Python.exitCode(), 0) << Python.readAllStandardError().toStdString();
    const QJsonObject Result = QJsonDocument::fromJson(Python.readAllStandardOutput()).object();
    const QJsonObject Strings = Result.value("Strings").toObject();
    ASSERT_EQ(Strings.size(), OddValues.size());
    // configparser strips blanks but keeps quotes, so it sees the quotes we added.
    const QStringList Quoted = {"Lead", "Trail", "DoubleQuoted", "SingleQuoted", "TwoQuotes"};
    for (const auto& [Key, Value] : OddValues)
        EXPECT_EQ(Strings.value(Key).toString(), Quoted.contains(Key) ? '"' + Value + '"' : Value)
            << Key.toStdString();
    EXPECT_EQ(Result.value("Zweite Größe").toObject().value("Schlüssel").toString(), "Wert");
}
