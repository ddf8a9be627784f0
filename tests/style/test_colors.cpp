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
    EXPECT_EQ(ColorToARGB("DimGray"), 0xFF696969u);
    EXPECT_EQ(ColorToARGB("Gray"), 0xFF808080u);
    EXPECT_EQ(ColorToARGB("DarkGray"), 0xFFA9A9A9u);
    EXPECT_EQ(ColorToARGB("Silver"), 0xFFC0C0C0u);
    EXPECT_EQ(ColorToARGB("LightGray"), 0xFFD3D3D3u);
}

TEST(Colors, NamesAndNumbersAreRead) {
    EXPECT_EQ(ColorToARGB("red"), 0xFFFF0000u);
    EXPECT_EQ(ColorToARGB("RED"), 0xFFFF0000u);
    EXPECT_EQ(ColorToARGB("Red"), 0xFFFF0000u);
    EXPECT_EQ(ColorToARGB("  red\t"), 0xFFFF0000u);
    EXPECT_EQ(ColorToARGB("Transparent"), 0x00FFFFFFu);
    EXPECT_EQ(ColorToARGB("controltext"), NamedColorValue(9));
    EXPECT_EQ(ColorToARGB("ColourOfMagic"), 0u);
    EXPECT_EQ(ColorToARGB("Red Red"), 0u);

    EXPECT_EQ(ColorToARGB("$80FF0000"), 0x80FF0000u);
    EXPECT_EQ(ColorToARGB("$80ff0000"), 0x80FF0000u);
    EXPECT_EQ(ColorToARGB("0x80ff0000"), 0x80FF0000u);
    EXPECT_EQ(ColorToARGB("$0000000000FF"), 0xFFu);
    EXPECT_EQ(ColorToARGB("4278190335"), 0xFF0000FFu);
    EXPECT_EQ(ColorToARGB("+255"), 0xFFu);
    EXPECT_EQ(ColorToARGB("4294967295"), 0xFFFFFFFFu);
    EXPECT_EQ(ColorToARGB("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(ColorToARGB("-2147483648"), 0x80000000u);

    for (const char* Bad : {"", "$", "0x", "-", "$1FFFFFFFF", "4294967296", "-2147483649", "12a",
                            "$-1", "- 1", "$FF 00", "0x$FF", "1.5", "#FF0000"})
        EXPECT_EQ(ColorToARGB(QString::fromLatin1(Bad)), 0u) << Bad;
}

TEST(Colors, ToStringPrefersFirstNameAndRoundTrips) {
    EXPECT_EQ(ARGBToString(0xFFFF0000u), "Red");
    EXPECT_EQ(ARGBToString(0xFF00FFFFu), "Aqua");
    EXPECT_EQ(ARGBToString(0xFFFF00FFu), "Magenta");
    EXPECT_EQ(ARGBToString(0x00FFFFFFu), "Transparent");
    EXPECT_EQ(ARGBToString(0x80FF0000u), "$80FF0000");
    EXPECT_EQ(ARGBToString(0u), "$00000000");
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
    EXPECT_EQ(TColorToARGB(clRed), 0xFFFF0000u);
    EXPECT_EQ(TColorToARGB(0x00563412), 0xFF123456u);
    EXPECT_EQ(TColorToARGB(clNone), 0xFFFFFFFFu);
    EXPECT_EQ(ARGBToTColor(0x80123456u), 0x563412);
    EXPECT_EQ(ARGBToTColor(0xFF0000FFu), clBlue);
    std::mt19937 Random(99);
    for (int i = 0; i < 1000; ++i) {
        const TColor Color = TColor(Random() & 0xFFFFFF);
        ASSERT_EQ(ARGBToTColor(TColorToARGB(Color)), Color);
    }

    const std::pair<TColor, const char*> References[]{
        {clScrollBar, "ScrollBar"},
        {clBackground, "Desktop"},
        {clActiveCaption, "ActiveCaption"},
        {clInactiveCaption, "InactiveCaption"},
        {clMenu, "Menu"},
        {clWindow, "Window"},
        {clWindowFrame, "WindowFrame"},
        {clMenuText, "MenuText"},
        {clWindowText, "WindowText"},
        {clCaptionText, "ActiveCaptionText"},
        {clActiveBorder, "ActiveBorder"},
        {clInactiveBorder, "InactiveBorder"},
        {clAppWorkSpace, "AppWorkspace"},
        {clHighlight, "Highlight"},
        {clHighlightText, "HighlightText"},
        {clBtnFace, "Control"},
        {clBtnShadow, "ControlDark"},
        {clGrayText, "GrayText"},
        {clBtnText, "ControlText"},
        {clInactiveCaptionText, "InactiveCaptionText"},
        {clBtnHighlight, "ControlLightLight"},
        {cl3DDkShadow, "ControlDarkDark"},
        {cl3DLight, "ControlLight"},
        {clInfoText, "InfoText"},
        {clInfoBk, "Info"},
        {clHotLight, "HotTrack"},
        {clGradientActiveCaption, "ActiveCaption"},
        {clMenuBar, "Menu"}};
    for (const auto& [Reference, Name] : References)
        EXPECT_EQ(TColorToARGB(Reference), ColorToARGB(Name)) << Name;
    EXPECT_EQ(TColorToARGB(clSystemColor | 25), 0xFF000000u);
    EXPECT_EQ(TColorToARGB(clSystemColor | 200), 0xFF000000u);
}

TEST(Colors, SystemColoursAreTakenFromThePaletteOnFirstUseOnly) {
    const QPalette Original = QGuiApplication::palette();
    const auto Expected = [&](QPalette::ColorGroup Group, QPalette::ColorRole Role) {
        return TQvColor(Original.color(Group, Role).rgb()) | 0xFF000000u;
    };
    EXPECT_EQ(ColorToARGB("ControlText"), Expected(QPalette::Active, QPalette::ButtonText));
    EXPECT_EQ(ColorToARGB("Window"), Expected(QPalette::Active, QPalette::Base));
    EXPECT_EQ(ColorToARGB("WindowText"), Expected(QPalette::Active, QPalette::Text));
    EXPECT_EQ(ColorToARGB("GrayText"), Expected(QPalette::Disabled, QPalette::WindowText));
    EXPECT_EQ(ColorToARGB("Info"), Expected(QPalette::Active, QPalette::ToolTipBase));
    EXPECT_EQ(ColorToARGB("ControlDarkDark"), Expected(QPalette::Active, QPalette::Shadow));

    QPalette Changed = Original;
    Changed.setColor(QPalette::ButtonText, QColor(0x12, 0x34, 0x56, 0x78));
    QGuiApplication::setPalette(Changed);
    const TQvColor After = ColorToARGB("ControlText");
    QGuiApplication::setPalette(Original);
    EXPECT_EQ(After, Expected(QPalette::Active, QPalette::ButtonText));
}

TEST(Colors, HslComponentsAndExactRoundTrip) {
    EXPECT_DOUBLE_EQ(GetHue(0xFFFF0000u), 0);
    EXPECT_DOUBLE_EQ(GetHue(0xFFFFFF00u), 60);
    EXPECT_DOUBLE_EQ(GetHue(0xFF00FF00u), 120);
    EXPECT_DOUBLE_EQ(GetHue(0xFF00FFFFu), 180);
    EXPECT_DOUBLE_EQ(GetHue(0xFF0000FFu), 240);
    EXPECT_DOUBLE_EQ(GetHue(0xFFFF00FFu), 300);
    EXPECT_NEAR(GetHue(0xFFFF0001u), 359.76, 0.01);
    EXPECT_DOUBLE_EQ(GetSaturation(0xFFFF0000u), 1);
    EXPECT_DOUBLE_EQ(GetSaturation(0xFF808080u), 0);
    EXPECT_DOUBLE_EQ(GetBrightness(0xFFFF0000u), 0.5);
    EXPECT_DOUBLE_EQ(GetBrightness(0xFFFFFFFFu), 1);
    EXPECT_DOUBLE_EQ(GetBrightness(0x00000000u), 0);
    EXPECT_DOUBLE_EQ(GetBrightness(0xFF808080u), 128.0 / 255);
    // A light colour uses the other saturation branch: (255 - 128) / (510 - 255 - 128).
    EXPECT_DOUBLE_EQ(GetSaturation(0xFFFF8080u), 1.0);
    EXPECT_NEAR(GetSaturation(0xFFC08080u), 64.0 / (510 - 192 - 128), 1e-12);

    EXPECT_EQ(HSLToColor(0.5, 1, 0), 0xFFFF0000u);
    EXPECT_EQ(HSLToColor(0.5, 1, 1.0 / 3), 0xFF00FF00u);
    EXPECT_EQ(HSLToColor(0.5, 1, 2.0 / 3), 0xFF0000FFu);
    EXPECT_EQ(HSLToColor(0.5, 1, 1), 0xFFFF0000u);
    EXPECT_EQ(HSLToColor(0.5, 1, -2.0 / 3), 0xFF00FF00u);
    EXPECT_EQ(HSLToColor(0.25, 1, 0), 0xFF800000u);
    EXPECT_EQ(HSLToColor(2, 5, 0.3), 0xFFFFFFFFu);
    EXPECT_EQ(HSLToColor(-1, 1, 0.3), 0xFF000000u);
    EXPECT_EQ(HSLToColor(std::nan(""), std::nan(""), std::nan("")), 0xFF000000u);

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
    EXPECT_EQ(Brighten(0xFF808080u, 1.0), 0xFF808080u);
    EXPECT_EQ(Brighten(0x80FF0000u, 2.0), 0x80FFFFFFu);
    EXPECT_EQ(Brighten(0xFF808080u, 10.0), 0xFFFFFFFFu);
    EXPECT_EQ(Brighten(0xFFFF0000u, 0.5), 0xFF800000u);
    EXPECT_EQ(Brighten(0x40FF0000u, 0.0), 0x40000000u);
    EXPECT_EQ(Brighten(0xFFFF0000u, -3.0), 0xFF000000u);

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
    EXPECT_EQ(ContrastForeColorARGB(0xFFFFFFFFu), 0xFF000000u);
    EXPECT_EQ(ContrastForeColorARGB(0xFF000000u), 0xFFFFFFFFu);
    EXPECT_EQ(ContrastForeColorARGB(0xFF808080u), 0xFF000000u);
    EXPECT_EQ(ContrastForeColorARGB(0xFF7F7F7Fu), 0xFFFFFFFFu);
    EXPECT_EQ(ContrastForeColorARGB(0xFFFFFF00u), 0xFF000000u);
    EXPECT_EQ(ContrastForeColorARGB(0xFF0000FFu), 0xFFFFFFFFu);
    EXPECT_EQ(ContrastForeColorARGB(0x10FFFFFFu), 0xFF000000u);
    EXPECT_EQ(ContrastBackGroundARGB(0x80FFFF00u), 0x80000000u);
    EXPECT_EQ(ContrastBackGroundARGB(0x20000080u), 0x20FFFFFFu);
    EXPECT_EQ(ContrastBackGround(clWhite), clBlack);
    EXPECT_EQ(ContrastBackGround(clNavy), clWhite);
    EXPECT_EQ(ContrastBackGround(clLime), clBlack);
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

    EXPECT_EQ(RichIDToTQvColor("A=10,R=20,G=30,B=40"), 0x0A141E28u);
    EXPECT_EQ(RichIDToTQvColor(" [ b = 40 , g=30, r=20, a=10 ] ignored"), 0x0A141E28u);
    EXPECT_EQ(RichIDToTQvColor("[R=1, G=2, B=3]"), 0xFF010203u);
    EXPECT_EQ(RichIDToTQvColor("[A=999, R=-5, G=abc, B=99999999999999999999999]"), 0xFF0000FFu);
    EXPECT_EQ(RichIDToTQvColor("[A=, R=1.5, G=+7, B=8]"), 0x00000708u);
    EXPECT_EQ(RichIDToTQvColor("[A=1, A=2, R=3, R=4]"), 0x01030000u);
    EXPECT_EQ(RichIDToTQvColor("[A=1, R=2], G=3"), 0x01020000u);
    EXPECT_EQ(RichIDToTQvColor(""), 0xFF000000u);
    EXPECT_EQ(RichIDToTQvColor("]"), 0xFF000000u);
    EXPECT_EQ(RichIDToTQvColor("[AR=5, =6, R]"), 0xFF000000u);

    const QString Alphabet = QStringLiteral("ARGBargb=,[]- 0123456789x$\u00e9");
    for (int i = 0; i < 5000; ++i) {
        QString Text;
        for (int n = Random() % 40; n > 0; --n)
            Text += Alphabet[Random() % Alphabet.size()];
        const TQvColor Color = RichIDToTQvColor(Text);
        ASSERT_EQ(RichIDToTColor(Text), ARGBToTColor(Color));
    }
}
