// Colour values, the named-colour table, HSL, contrast and rich-caption colour ids.

#include "../qvtest.h"

#include <style/qvcolors.h>

#include <gtest/gtest.h>

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <QSet>

#include <cmath>
#include <cstdlib>
#include <random>

TEST(Colors, NamedTableHasSystemTransparentAndWebColoursInOrder) {
    ASSERT_EQ(NamedColorCount(), 167);
    EXPECT_EQ(NamedColorName(0), "ActiveBorder");
    EXPECT_EQ(NamedColorName(25), "WindowText");
    EXPECT_EQ(NamedColorName(26), "Transparent");
    EXPECT_EQ(NamedColorValue(26), 0x00FFFFFFu);
    const QStringList Greys{"Black",     "DimGray",   "Gray",       "DarkGray", "Silver",
                            "LightGray", "Gainsboro", "WhiteSmoke", "White"};
    for (int i = 0; i < Greys.size(); ++i)
        EXPECT_EQ(NamedColorName(27 + i), Greys[i]);
    EXPECT_EQ(NamedColorName(36), "RosyBrown");
    EXPECT_EQ(NamedColorName(166), "LightPink");
    EXPECT_EQ(NamedColorName(167), QString());
    EXPECT_EQ(NamedColorName(-1), QString());
    EXPECT_EQ(NamedColorValue(167), 0u);

    // Every web colour has its standard value and is named once; Qt's own table is the oracle.
    QSet<QString> Seen;
    for (int i = 0; i < NamedColorCount(); ++i) {
        const QString Name = NamedColorName(i);
        EXPECT_FALSE(Seen.contains(Name.toLower())) << Name.toStdString();
        Seen.insert(Name.toLower());
        EXPECT_EQ(GetAlpha(NamedColorValue(i)), i == 26 ? 0 : 255) << Name.toStdString();
        if (i > 26) {
            EXPECT_EQ(NamedColorValue(i), QColor(Name).rgba()) << Name.toStdString();
        }
    }
}

TEST(Colors, NamesAndNumbersAreRead) {
    const std::pair<const char*, TQvColor> Cases[] = {
        {"RED", 0xFFFF0000u},         {"  red\t", 0xFFFF0000u},
        {"Transparent", 0x00FFFFFFu}, {"$80FF0000", 0x80FF0000u},
        {"0x80ff0000", 0x80FF0000u},  {"$0000000000FF", 0xFFu},
        {"4278190335", 0xFF0000FFu},  {"+255", 0xFFu},
        {"4294967295", 0xFFFFFFFFu},  {"-1", 0xFFFFFFFFu},
        {"-2147483648", 0x80000000u}};
    for (const auto& [Text, Value] : Cases)
        EXPECT_EQ(ColorToARGB(QString::fromLatin1(Text)), Value) << Text;
    EXPECT_EQ(ColorToARGB("controltext"), NamedColorValue(9));
    for (const char* Bad :
         {"ColourOfMagic", "Red Red", "", "$", "0x", "-", "$1FFFFFFFF", "4294967296", "-2147483649",
          "12a", "$-1", "- 1", "$FF 00", "0x$FF", "1.5", "#FF0000"})
        EXPECT_EQ(ColorToARGB(QString::fromLatin1(Bad)), 0u) << Bad;
}

TEST(Colors, ToStringPrefersFirstNameAndRoundTrips) {
    EXPECT_EQ(ARGBToString(0xFF00FFFFu), "Aqua"); // not Cyan
    EXPECT_EQ(ARGBToString(0x00FFFFFFu), "Transparent");
    EXPECT_EQ(ARGBToString(0x0ABCDEF1u), "$0ABCDEF1");

    std::vector<TQvColor> Values{0u, 1u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFEu, 0xFFFFFFFFu};
    for (int i = 0; i < NamedColorCount(); ++i)
        for (TQvColor Delta : {0u, 1u, 0x01000000u, 0xFFFFFFFFu})
            Values.push_back(NamedColorValue(i) + Delta);
    std::mt19937 Random(1234);
    for (int i = 0; i < 100000; ++i)
        Values.push_back(Random());
    for (TQvColor Value : Values)
        ASSERT_EQ(ColorToARGB(ARGBToString(Value)), Value) << ARGBToString(Value).toStdString();
}

TEST(Colors, PlatformColoursAndSystemReferences) {
    EXPECT_EQ(TColorToARGB(0x00563412), 0xFF123456u);
    EXPECT_EQ(TColorToARGB(clNone), 0xFFFFFFFFu);
    EXPECT_EQ(ARGBToTColor(0x80123456u), 0x563412);
    std::mt19937 Random(99);
    for (int i = 0; i < 1000; ++i) {
        const TColor Color = TColor(Random() & 0xFFFFFF);
        ASSERT_EQ(ARGBToTColor(TColorToARGB(Color)), Color);
    }

    // System references by index; 25 is no colour, 27 to 30 fall back to older ones.
    const QStringList References =
        QStringLiteral("ScrollBar Desktop ActiveCaption InactiveCaption Menu Window WindowFrame "
                       "MenuText WindowText ActiveCaptionText ActiveBorder InactiveBorder "
                       "AppWorkspace Highlight HighlightText Control ControlDark GrayText "
                       "ControlText InactiveCaptionText ControlLightLight ControlDarkDark "
                       "ControlLight InfoText Info Black HotTrack ActiveCaption InactiveCaption "
                       "Highlight Menu")
            .split(' ');
    ASSERT_EQ(References.size(), 31);
    for (int i = 0; i < References.size(); ++i)
        EXPECT_EQ(TColorToARGB(clSystemColor | i), ColorToARGB(References[i])) << i;
    EXPECT_EQ(TColorToARGB(clSystemColor | 200), 0xFF000000u);
}

TEST(Colors, SystemColoursAreTakenFromThePaletteOnFirstUseOnly) {
    const QPalette Original = QGuiApplication::palette();
    const auto Expected = [&](QPalette::ColorGroup Group, QPalette::ColorRole Role) {
        return TQvColor(Original.color(Group, Role).rgb()) | 0xFF000000u;
    };
    EXPECT_EQ(ColorToARGB("ControlText"), Expected(QPalette::Active, QPalette::ButtonText));
    EXPECT_EQ(ColorToARGB("Window"), Expected(QPalette::Active, QPalette::Base));
    EXPECT_EQ(ColorToARGB("GrayText"), Expected(QPalette::Disabled, QPalette::WindowText));

    QPalette Changed = Original;
    Changed.setColor(QPalette::ButtonText, QColor(0x12, 0x34, 0x56, 0x78));
    QGuiApplication::setPalette(Changed);
    const TQvColor After = ColorToARGB("ControlText");
    QGuiApplication::setPalette(Original);
    EXPECT_EQ(After, Expected(QPalette::Active, QPalette::ButtonText));
}

TEST(Colors, HslComponentsAndExactRoundTrip) {
    const std::pair<TQvColor, double> Hues[] = {{0xFFFF0000u, 0},   {0xFFFFFF00u, 60},
                                                {0xFF00FF00u, 120}, {0xFF00FFFFu, 180},
                                                {0xFF0000FFu, 240}, {0xFFFF00FFu, 300}};
    for (const auto& [Color, Hue] : Hues)
        EXPECT_DOUBLE_EQ(GetHue(Color), Hue) << Hue;
    EXPECT_NEAR(GetHue(0xFFFF0001u), 359.76, 0.01);
    EXPECT_DOUBLE_EQ(GetSaturation(0xFFFF0000u), 1);
    EXPECT_DOUBLE_EQ(GetSaturation(0xFF808080u), 0);
    EXPECT_DOUBLE_EQ(GetBrightness(0xFFFF0000u), 0.5);
    EXPECT_DOUBLE_EQ(GetBrightness(0xFF808080u), 128.0 / 255);
    // A light colour uses the other saturation branch: (255 - 128) / (510 - 255 - 128).
    EXPECT_DOUBLE_EQ(GetSaturation(0xFFFF8080u), 1.0);
    EXPECT_NEAR(GetSaturation(0xFFC08080u), 64.0 / (510 - 192 - 128), 1e-12);

    // Hues wrap in both directions; out-of-range and NaN components are clamped.
    const double NaN = std::nan("");
    const struct {
        double L, S, H;
        TQvColor Expected;
    } Colors[] = {{0.5, 1, 0, 0xFFFF0000u},  {0.5, 1, 2.0 / 3, 0xFF0000FFu},
                  {0.5, 1, 1, 0xFFFF0000u},  {0.5, 1, -2.0 / 3, 0xFF00FF00u},
                  {0.25, 1, 0, 0xFF800000u}, {2, 5, 0.3, 0xFFFFFFFFu},
                  {-1, 1, 0.3, 0xFF000000u}, {NaN, NaN, NaN, 0xFF000000u}};
    for (const auto& C : Colors)
        EXPECT_EQ(HSLToColor(C.L, C.S, C.H), C.Expected) << C.L << " " << C.S << " " << C.H;

    for (int Grey = 0; Grey < 256; ++Grey) {
        const TQvColor Color = ColorToARGB(255, Grey, Grey, Grey);
        ASSERT_EQ(HSLToColor(GetBrightness(Color), GetSaturation(Color), GetHue(Color) / 360),
                  Color);
    }
    int Worst = 0;
    for (int R = 0; R < 256; R += 3)
        for (int G = 0; G < 256; G += 3)
            for (int B = 0; B < 256; B += 3) {
                const TQvColor Color = ColorToARGB(255, R, G, B);
                const TQvColor Back =
                    HSLToColor(GetBrightness(Color), GetSaturation(Color), GetHue(Color) / 360);
                Worst = std::max({Worst, std::abs(GetR(Back) - R), std::abs(GetG(Back) - G),
                                  std::abs(GetB(Back) - B)});
            }
    EXPECT_LE(Worst, 1);
}

TEST(Colors, BrightenScalesLightnessOnly) {
    const std::tuple<TQvColor, double, TQvColor> Cases[] = {{0x80FF0000u, 2.0, 0x80FFFFFFu},
                                                            {0xFF808080u, 10.0, 0xFFFFFFFFu},
                                                            {0xFFFF0000u, 0.5, 0xFF800000u},
                                                            {0x40FF0000u, 0.0, 0x40000000u},
                                                            {0xFFFF0000u, -3.0, 0xFF000000u}};
    for (const auto& [Color, Factor, Expected] : Cases)
        EXPECT_EQ(Brighten(Color, Factor), Expected) << Factor;

    const TQvColor Base = 0x40336699u;
    const TQvColor Lighter = Brighten(Base, 1.2);
    EXPECT_EQ(GetAlpha(Lighter), 0x40);
    EXPECT_NEAR(GetHue(Lighter), GetHue(Base), 1.0);
    EXPECT_NEAR(GetSaturation(Lighter), GetSaturation(Base), 0.01);
    EXPECT_NEAR(GetBrightness(Lighter), GetBrightness(Base) * 1.2, 0.5 / 255);

    std::mt19937 Random(7);
    for (int i = 0; i < 20000; ++i) {
        const TQvColor Color = Random();
        ASSERT_EQ(Brighten(Color, 1.0), Color);
    }
}

TEST(Colors, ContrastIsBlackOnLightAndWhiteOnDark) {
    // Weighted by luma: 0x80 grey is light, 0x7F dark; yellow light, blue dark; alpha ignored.
    const std::pair<TQvColor, TQvColor> Fore[] = {{0xFF808080u, 0xFF000000u},
                                                  {0xFF7F7F7Fu, 0xFFFFFFFFu},
                                                  {0xFFFFFF00u, 0xFF000000u},
                                                  {0xFF0000FFu, 0xFFFFFFFFu},
                                                  {0x10FFFFFFu, 0xFF000000u}};
    for (const auto& [Back, Expected] : Fore)
        EXPECT_EQ(ContrastForeColorARGB(Back), Expected) << std::hex << Back;
    EXPECT_EQ(ContrastBackGroundARGB(0x80FFFF00u), 0x80000000u);
    EXPECT_EQ(ContrastBackGroundARGB(0x20000080u), 0x20FFFFFFu);
    EXPECT_EQ(ContrastBackGround(clWhite), clBlack);
    EXPECT_EQ(ContrastBackGround(clNavy), clWhite);
    EXPECT_EQ(ContrastBackGround(clWindow),
              ContrastBackGround(ARGBToTColor(TColorToARGB(clWindow))));
}

TEST(Colors, RichIdsRoundTripAndSurviveBadInput) {
    EXPECT_EQ(ARGBToRichID(0x80FF1000u), "[A=128, R=255, G=16, B=0]");
    EXPECT_EQ(RGBToRichID(clRed), "[A=255, R=255, G=0, B=0]");
    EXPECT_EQ(RGBToRichID(clBtnText), ARGBToRichID(ColorToARGB("ControlText")));
    EXPECT_EQ(RichIDToTColor("[A=1, R=255, G=128, B=0]"), 0x0080FF);
    std::mt19937 Random(42);
    for (int i = 0; i < 10000; ++i) {
        const TQvColor Color = Random();
        ASSERT_EQ(RichIDToTQvColor(ARGBToRichID(Color)), Color);
    }

    // Any order and case, clamped bytes, the first of repeated keys; without A, opaque.
    const std::pair<const char*, TQvColor> Parsed[] = {
        {"A=10,R=20,G=30,B=40", 0x0A141E28u},
        {" [ b = 40 , g=30, r=20, a=10 ] ignored", 0x0A141E28u},
        {"[R=1, G=2, B=3]", 0xFF010203u},
        {"[A=999, R=-5, G=abc, B=99999999999999999999999]", 0xFF0000FFu},
        {"[A=, R=1.5, G=+7, B=8]", 0x00000708u},
        {"[A=1, A=2, R=3, R=4]", 0x01030000u},
        {"[A=1, R=2], G=3", 0x01020000u},
        {"", 0xFF000000u},
        {"]", 0xFF000000u},
        {"[AR=5, =6, R]", 0xFF000000u}};
    for (const auto& [Text, Color] : Parsed)
        EXPECT_EQ(RichIDToTQvColor(Text), Color) << Text;

    const QString Alphabet = QStringLiteral("ARGBargb=,[]- 0123456789x$\u00e9");
    for (int i = 0; i < 5000; ++i) {
        QString Text;
        for (int n = Random() % 40; n > 0; --n)
            Text += Alphabet[Random() % Alphabet.size()];
        const TQvColor Color = RichIDToTQvColor(Text);
        ASSERT_EQ(RichIDToTColor(Text), ARGBToTColor(Color));
    }
}
