#include "axes/qvstringfunctions.h"

#include "../qvtest.h"
#include "framework/qvexceptions.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <utility>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

quint64 Bits(double X) {
    quint64 Result;
    std::memcpy(&Result, &X, sizeof X);
    return Result;
}

} // namespace

TEST(Qvstringfunctions, FloatToStrLayout) {
    TLocaleScope Scope(English);
    // Fixed notation for decimal exponents -3 to 15 of 0.ddd x 10^E, then rounding to 15
    // digits may move the exponent.
    const std::pair<double, const char*> Cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {-1.5, "-1.5"},
        {0.1 + 0.2, "0.3"},
        {2.0 / 3, "0.666666666666667"},
        {123456.7890123456, "123456.789012346"},
        {0.0001, "0.0001"},
        {0.00001, "1E-5"},
        {-0.0000123, "-1.23E-5"},
        {999999999999999, "999999999999999"},
        {1e15, "1E15"},
        {9999999999999998.0, "1E16"},
        {1.23456789012345e20, "1.23456789012345E20"},
        {std::numeric_limits<double>::max(), "1.79769313486232E308"},
        {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
        {NaN, "NAN"},
        {Inf, "INF"},
        {-Inf, "-INF"}};
    for (const auto& [X, Text] : Cases)
        EXPECT_EQ(FloatToStr(X), Text);
    EXPECT_EQ(FloatToStrGeneral(1234.5678, 3), "1.23E3");
    EXPECT_EQ(FloatToStrGeneral(123.4, 3), "123");
    EXPECT_EQ(FloatToStrGeneral(0.1 + 0.2, 17), "0.30000000000000004");
}

TEST(Qvstringfunctions, RealToStrDigitsAndSmallHelpers) {
    TLocaleScope Scope(English);
    EXPECT_EQ(RealToStrDigits(5.123456, 6), "5.1235");
    EXPECT_EQ(RealToStrDigits(-5.123456, 6), "-5.123");
    EXPECT_EQ(RealToStrDigits(1234567, 6), "1.23E6");
    EXPECT_EQ(RealToStrDigits(0.0000123456, 6), "1.2E-5");
    EXPECT_EQ(RealToStrDigits(2.0 / 3, 0), "0.666666666666667");

    const std::pair<int, const char*> Letters[] = {
        {0, ""},    {-3, ""},   {1, "A"},    {26, "Z"},    {27, "AA"},
        {52, "AZ"}, {53, "BA"}, {702, "ZZ"}, {703, "AAA"}, {16384, "XFD"}};
    for (const auto& [N, Text] : Letters)
        EXPECT_EQ(IndexToAlphabet(N), Text) << N;

    EXPECT_EQ(LastPos(u'.', "1.2.3"), 4);
    EXPECT_EQ(LastPos(u'x', "abc"), -1);
    EXPECT_EQ(LastPointPos(".ab"), 1);
    EXPECT_TRUE(CharIn(u';', "1;2"));
    EXPECT_FALSE(CharIn(u';', "1,2"));

    for (const char Ch : QByteArray("+-0123456789.eE x;,dN")) {
        EXPECT_EQ(IsIntegerDigit(QChar(Ch)), QByteArray("+-0123456789").contains(Ch)) << Ch;
        EXPECT_EQ(IsAmericanNumberDigit(QChar(Ch)), QByteArray("+-0123456789.eE").contains(Ch))
            << Ch;
    }
    EXPECT_FALSE(IsIntegerDigit(QChar(0x0663))); // an Arabic-Indic three is no ASCII digit
}

TEST(Qvstringfunctions, DoubleToStrReadsBackExactly) {
    TLocaleScope Scope(English);
    const std::pair<double, const char*> Cases[] = {
        {-2.5e-7, "-2.5E-7"},
        {0.1 + 0.2, "0.30000000000000004"},
        {1e15 + 0.5, "1000000000000000.5"},
        {std::numeric_limits<double>::max(), "1.7976931348623157E308"},
        {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
        {NaN, "NAN"},
        {-Inf, "-INF"}};
    for (const auto& [X, Text] : Cases)
        EXPECT_EQ(DoubleToStr(X), Text);

    std::mt19937_64 Random(20240611);
    std::uniform_real_distribution<double> Uniform(-1000, 1000);
    for (int I = 0; I < 100000; ++I) {
        double X;
        if (I % 2) {
            X = Uniform(Random);
        } else {
            const quint64 Pattern = Random();
            std::memcpy(&X, &Pattern, sizeof X);
            if (std::isnan(X) || X == 0) continue;
        }
        const QString Text = DoubleToStr(X);
        ASSERT_EQ(Bits(DoubleFromStr(Text)), Bits(X)) << Text.toStdString();
        // The 15-digit text is kept whenever it suffices.
        const QString Short = FloatToStr(X);
        double Back = 0;
        if (TryDoubleFromStr(Short, Back) && Back == X) {
            ASSERT_EQ(Text, Short);
        }
    }
}

TEST(Qvstringfunctions, DoubleFromStrSyntax) {
    TLocaleScope Scope(English);
    EXPECT_EQ(DoubleFromStr(" 1.5 "), 1.5);
    EXPECT_EQ(DoubleFromStr("+3"), 3);
    EXPECT_EQ(DoubleFromStr("1.5e-3"), 0.0015);
    EXPECT_EQ(DoubleFromStr(".5"), 0.5);
    EXPECT_EQ(DoubleFromStr("000123.4500"), 123.45);
    EXPECT_TRUE(std::isnan(DoubleFromStr("nan")));
    EXPECT_EQ(DoubleFromStr(" -INF"), -Inf);
    EXPECT_EQ(DoubleFromStr("1e-400"), 0);
    EXPECT_TRUE(std::signbit(DoubleFromStr("-1e-400")));
    EXPECT_EQ(DoubleFromStr("0.1e-99999999999999999999"), 0);

    for (const char* Bad : {"", " ", "abc", "1,5", "1.2.3", "1e", "1e+", "--1", "1 2", "\t1", ".",
                            "-", "e5", "0x10", "1e400", "-NAN", "INF5", "1.5x"}) {
        double Value = 42;
        EXPECT_FALSE(TryDoubleFromStr(Bad, Value)) << Bad;
        EXPECT_EQ(Value, 42) << Bad;
        EXPECT_EQ(DoubleFromStrDef(Bad, 7), 7) << Bad;
    }
    EXPECT_EQ(MessageOf<EConvertError>([] { DoubleFromStr("1e400"); }),
              "\"1e400\" is not a valid floating point value");
    EXPECT_EQ(StrToInt(" -2147483648"), std::numeric_limits<int>::min());
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("0x1f"), 31);
    EXPECT_EQ(MessageOf<EConvertError>([] { StrToInt("2147483648"); }),
              "\"2147483648\" is not a valid integer value");
    int Value = 5;
    for (const char* Bad : {"", "+", "1.0", "12 ", "$", "0x", "$1G", "$100000000"})
        EXPECT_FALSE(TryStrToInt(Bad, Value)) << Bad;
    EXPECT_EQ(Value, 5);
}

TEST(Qvstringfunctions, GermanLocale) {
    const QLocale Before;
    {
        TLocaleScope Scope(German);
        // Text for the user takes the comma, text for files keeps the point.
        EXPECT_EQ(FloatToStr(1.5), "1,5");
        EXPECT_EQ(FloatToStr(-1.5e-7), "-1,5E-7");
        EXPECT_EQ(RealToStrDigits(5.123456, 6), "5,1235");
        EXPECT_EQ(DoubleToStr(1234567.5), "1234567.5");
        EXPECT_EQ(DoubleFromStr("1.5"), 1.5);
        EXPECT_EQ(DoubleFromStr("2,25"), 2.25); // already in the locale's form
        EXPECT_EQ(StrToFloat("1,5"), 1.5);
        EXPECT_EQ(MessageOf<EConvertError>([] { StrToFloat("1.5"); }),
                  "\"1.5\" is not a valid floating point value");
        EXPECT_EQ(Americanize("1,5;2,5"), "1.5;2.5");
        EXPECT_EQ(DeAmericanize("1.5;2.5"), "1,5;2,5");
        EXPECT_EQ(StringToDoubleArray("1.5;-2;3E-7"), (std::vector<double>{1.5, -2, 3e-7}));
        EXPECT_EQ(DoubleArrayToString({1.5, -2, 0.1 + 0.2}), "1.5;-2;0.30000000000000004");
    }
    EXPECT_EQ(QLocale(), Before);
    TLocaleScope Scope(English);
    EXPECT_EQ(Americanize("1,5"), "1,5");
    EXPECT_EQ(DeAmericanize("1.5"), "1.5");
}

TEST(Qvstringfunctions, ArraysAndShiftStates) {
    TLocaleScope Scope(English);
    EXPECT_TRUE(StringToDoubleArray("").empty());
    EXPECT_EQ(StringToDoubleArray("1;2.5;-3E2"), (std::vector<double>{1, 2.5, -300}));
    EXPECT_EQ(MessageOf<EConvertError>([] { StringToDoubleArray("1;;2"); }),
              "\"\" is not a valid floating point value");
    EXPECT_EQ(DoubleArrayToString({}), "");
    const std::vector<double> Values{0.1, 1.0 / 3, -1e300, 4.5e-310};
    EXPECT_EQ(StringToDoubleArray(DoubleArrayToString(Values)), Values);

    EXPECT_TRUE(StringToIntegerArray("").empty());
    EXPECT_EQ(StringToIntegerArray("1;-2;$10;0x1F; 7"), (std::vector<int>{1, -2, 16, 31, 7}));
    EXPECT_EQ(MessageOf<EConvertError>([] { StringToIntegerArray("1;x"); }),
              "\"x\" is not a valid integer value");
    EXPECT_EQ(IntegerArrayToString({1, -2, 3}), "1;-2;3");

    const TShiftState Shift =
        TShiftStateItem::Shift | TShiftStateItem::Ctrl | TShiftStateItem::Double;
    EXPECT_EQ(ShiftStateToInt(Shift), 69);
    EXPECT_EQ(ShiftStateToStr(Shift), "69");
    EXPECT_EQ(StrToShiftState("69"), Shift);
    EXPECT_EQ(IntToShiftState(0x10003), TShiftStateItem::Shift | TShiftStateItem::Alt);
    EXPECT_EQ(ShiftStateToInt(IntToShiftState(0x8000)), 0x8000);
    EXPECT_EQ(MessageOf<EConvertError>([] { StrToShiftState("Shift"); }),
              "\"Shift\" is not a valid integer value");
}

TEST(Qvstringfunctions, EraseAndExtract) {
    const auto Erased = [](QString S) {
        EraseToNumber(S);
        return S;
    };
    EXPECT_EQ(Erased("abc12"), "12");
    EXPECT_EQ(Erased("Ex5"), "5");
    EXPECT_EQ(Erased("E5"), "E5");
    EXPECT_EQ(Erased("Error 4"), "4");
    EXPECT_EQ(Erased("Time 4"), "e 4"); // only a leading E is dropped
    EXPECT_EQ(Erased("NAN"), "");

    // Each extraction with the text it leaves.
    const auto Int = [](QString& S) { return std::pair{ExtractOneInt(S), S}; };
    const auto Double = [](QString& S) { return std::pair{ExtractOneDouble(S), S}; };
    using TInt = std::pair<int, QString>;
    using TDouble = std::pair<double, QString>;
    QString S = "  12;-3 x+4 7";
    EXPECT_EQ(Int(S), TInt(12, "-3 x+4 7"));
    EXPECT_EQ(Int(S), TInt(-3, "x+4 7"));
    EXPECT_EQ(Int(S), TInt(4, "7"));
    EXPECT_EQ(Int(S), TInt(7, ""));
    EXPECT_EQ(MessageOf<EConvertError>([&] { ExtractOneInt(S); }),
              "Error during integer extraction");
    S = "ab - 5";
    EXPECT_EQ(MessageOf<EConvertError>([&] { ExtractOneInt(S); }),
              "Error during integer extraction");
    EXPECT_EQ(S, "- 5");
    S = "x 99999999999 1";
    EXPECT_THROW(ExtractOneInt(S), EConvertError); // too large: the text stays
    EXPECT_EQ(S, "99999999999 1");

    S = "  1.5e3; -2,NAN x 7";
    EXPECT_EQ(Double(S), TDouble(1500, "-2,NAN x 7"));
    EXPECT_EQ(Double(S), TDouble(-2, "NAN x 7"));
    EXPECT_TRUE(std::isnan(ExtractOneDouble(S)));
    EXPECT_EQ(Double(S), TDouble(7, ""));
    EXPECT_EQ(MessageOf<EConvertError>([&] { ExtractOneDouble(S); }),
              "Error during floating point number extraction");
    S = "1.5.3 2e 4 E5";
    EXPECT_EQ(ExtractOneDouble(S), 1.5);
    EXPECT_EQ(ExtractOneDouble(S), 3);
    EXPECT_EQ(Double(S), TDouble(2, "4 E5")); // the incomplete exponent ends the number
    EXPECT_EQ(Double(S), TDouble(4, "E5"));
    // Failures leave the text from the first character that could start a number.
    for (auto [Text, Left] :
         {std::pair<QString, QString>{"E5", "E5"}, {"abc -x", "-x"}, {"1e999 2", "1e999 2"}}) {
        S = Text;
        EXPECT_THROW(ExtractOneDouble(S), EConvertError) << Text.toStdString();
        EXPECT_EQ(S, Left);
    }
    S = "banana INFO 3";
    EXPECT_EQ(ExtractOneDouble(S), 3);

    // A vector's INI values: DoubleToStr texts joined by blanks read back exactly.
    const std::vector<double> Values{1.5e-7, -0.1 - 0.2, Inf, -Inf, 0, 1e300, -7};
    QString Line;
    for (const double X : Values)
        Line += DoubleToStr(X) + " NAN ";
    for (const double X : Values) {
        EXPECT_EQ(Bits(ExtractOneDouble(Line)), Bits(X)) << Line.toStdString();
        EXPECT_TRUE(std::isnan(ExtractOneDouble(Line)));
    }
    EXPECT_EQ(Line, "");
}

TEST(Qvstringfunctions, MalformedInputNeverHangsOrCrashes) {
    TLocaleScope Scope(English);
    std::mt19937 Random(7);
    const QString Alphabet = QStringLiteral(" 0123456789+-.eEnNaAiIfFx;,$\t\u00e4");
    for (int Round = 0; Round < 5000; ++Round) {
        QString Text;
        const int Length = int(Random() % 24);
        for (int I = 0; I < Length; ++I)
            Text += Alphabet[int(Random() % Alphabet.size())];

        QString S = Text;
        for (;;) {
            const qsizetype Before = S.size();
            try {
                ExtractOneDouble(S);
            } catch (const EConvertError&) {
                ASSERT_LE(S.size(), Before);
                break;
            }
            ASSERT_LT(S.size(), Before) << Text.toStdString(); // every success consumes text
            if (S.isEmpty()) break;
        }
        S = Text;
        for (;;) {
            const qsizetype Before = S.size();
            try {
                ExtractOneInt(S);
            } catch (const EConvertError&) {
                break;
            }
            ASSERT_LT(S.size(), Before) << Text.toStdString();
        }
        double Value = 0;
        if (TryDoubleFromStr(Text, Value) && !std::isnan(Value)) {
            EXPECT_EQ(DoubleFromStr(DoubleToStr(Value)), Value) << Text.toStdString();
        }
    }
}

TEST(Qvstringfunctions, FormatFloatSectionsPlaceholdersAndRounding) {
    EXPECT_EQ(FormatFloat("0.00", -3.14159), "-3.14");
    EXPECT_EQ(FormatFloat("0.00", 0.125), "0.13"); // an exact half rounds away from zero
    EXPECT_EQ(FormatFloat("0.00", 2.675), "2.67"); // 2.675 is a little less as a double
    EXPECT_EQ(FormatFloat("0", 2.5), "3");
    EXPECT_EQ(FormatFloat("0.00", 9.999), "10.00");
    EXPECT_EQ(FormatFloat("0.00", -0.001), "0.00");
    EXPECT_EQ(FormatFloat("00000", 42), "00042");
    EXPECT_EQ(FormatFloat("#,##0.0", 1234567.89), "1,234,567.9");
    EXPECT_EQ(FormatFloat("#,##0.0", -999.96), "-1,000.0");
    EXPECT_EQ(FormatFloat("0.##", 1), "1");
    EXPECT_EQ(FormatFloat("#.##", 0.5), ".5");
    EXPECT_EQ(FormatFloat("#", 0), "");
    EXPECT_EQ(FormatFloat("00-00", 12345), "123-45");
    EXPECT_EQ(FormatFloat(".00", 12.5), "12.50");

    EXPECT_EQ(FormatFloat("0.###E+00", 12345), "1.235E+04");
    EXPECT_EQ(FormatFloat("0.00E-00", 0.00123), "1.23E-03");
    EXPECT_EQ(FormatFloat("00.0e+0", 0.000512), "51.2e-5");
    EXPECT_EQ(FormatFloat("0.0E+00", 9.96), "1.0E+01");
    EXPECT_EQ(FormatFloat("0.00E+00", 0), "0.00E+00");
    EXPECT_EQ(FormatFloat("0.0E+00' V'", -250), "-2.5E+02 V");
    EXPECT_EQ(FormatFloat("0.0E+000", 1e-300), "1.0E-300");

    EXPECT_EQ(FormatFloat("0.0;(0.0);zero", 5), "5.0");
    EXPECT_EQ(FormatFloat("0.0;(0.0);zero", -5), "(5.0)");
    EXPECT_EQ(FormatFloat("0.0;(0.0);zero", -0.04), "zero");
    EXPECT_EQ(FormatFloat("0.0;;zero", -2), "-2.0");
    EXPECT_EQ(FormatFloat("'x;='0.0\" m\"", 1.25), "x;=1.3 m");
    EXPECT_EQ(FormatFloat("0 'unclosed 0", 7), "7 unclosed 0");

    EXPECT_EQ(FormatFloat("", 1.5), "1.5");
    EXPECT_EQ(FormatFloat(";(0)", -1.5), "-1.5");
    EXPECT_EQ(FormatFloat("0.00", NaN), "NAN");
    EXPECT_EQ(FormatFloat("0.00", -Inf), "-INF");
    EXPECT_EQ(FormatFloat("0.0", std::numeric_limits<double>::max()).size(), 311);
    EXPECT_EQ(FormatFloat("0." + QString(330, u'0'), 5e-324).right(8), "04940656");
    EXPECT_EQ(FormatFloat("'negative'", -5), "negative");

    // "." and "," in a format stand for the locale's separators; the format reads the same.
    TLocaleScope Scope(German);
    EXPECT_EQ(FormatFloat("#,##0.0", -1234567.89), "-1.234.567,9");
    EXPECT_EQ(FormatFloat("0.###E+00", 12345), "1,235E+04");
    EXPECT_EQ(FormatFloat("", 1.5), "1,5");
    EXPECT_EQ(FormatFloat("0.0' m.'", 2), "2,0 m.");
}
