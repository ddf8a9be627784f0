#include "style/qvcolors.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHash>
#include <QPalette>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace {

struct TSystemColorEntry {
    const char* Name;
    QPalette::ColorGroup Group;
    QPalette::ColorRole Role;
    TQvColor Default; // the Windows default, for use without a GUI application
};

// Qt has no caption, border or desktop roles; those take the nearest role in look.
constexpr std::array<TSystemColorEntry, 26> SystemColors{{
    {"ActiveBorder", QPalette::Active, QPalette::Mid, 0xFFB4B4B4},
    {"ActiveCaption", QPalette::Active, QPalette::Highlight, 0xFF99B4D1},
    {"ActiveCaptionText", QPalette::Active, QPalette::HighlightedText, 0xFF000000},
    {"AppWorkspace", QPalette::Active, QPalette::Dark, 0xFFABABAB},
    {"Control", QPalette::Active, QPalette::Button, 0xFFF0F0F0},
    {"ControlDark", QPalette::Active, QPalette::Dark, 0xFFA0A0A0},
    {"ControlDarkDark", QPalette::Active, QPalette::Shadow, 0xFF696969},
    {"ControlLight", QPalette::Active, QPalette::Midlight, 0xFFE3E3E3},
    {"ControlLightLight", QPalette::Active, QPalette::Light, 0xFFFFFFFF},
    {"ControlText", QPalette::Active, QPalette::ButtonText, 0xFF000000},
    {"Desktop", QPalette::Active, QPalette::Shadow, 0xFF000000},
    {"GrayText", QPalette::Disabled, QPalette::WindowText, 0xFF6D6D6D},
    {"Highlight", QPalette::Active, QPalette::Highlight, 0xFF3399FF},
    {"HighlightText", QPalette::Active, QPalette::HighlightedText, 0xFFFFFFFF},
    {"HotTrack", QPalette::Active, QPalette::Link, 0xFF0066CC},
    {"InactiveBorder", QPalette::Active, QPalette::Window, 0xFFF4F7FC},
    {"InactiveCaption", QPalette::Inactive, QPalette::Mid, 0xFFBFCDDB},
    {"InactiveCaptionText", QPalette::Inactive, QPalette::WindowText, 0xFF434E54},
    {"Info", QPalette::Active, QPalette::ToolTipBase, 0xFFFFFFE1},
    {"InfoText", QPalette::Active, QPalette::ToolTipText, 0xFF000000},
    {"Menu", QPalette::Active, QPalette::Window, 0xFFF0F0F0},
    {"MenuText", QPalette::Active, QPalette::WindowText, 0xFF000000},
    {"ScrollBar", QPalette::Active, QPalette::Midlight, 0xFFC8C8C8},
    {"Window", QPalette::Active, QPalette::Base, 0xFFFFFFFF},
    {"WindowFrame", QPalette::Active, QPalette::Dark, 0xFF646464},
    {"WindowText", QPalette::Active, QPalette::Text, 0xFF000000},
}};

// Table index of each COLOR_* index (-1: no such colour). 27 to 30 are the newer caption
// gradient and flat-menu colours, which fall back to their older counterparts.
constexpr std::array<int, 31> SystemIndexToTable{
    22, 10, 1, 16, 20, 23, 24, 21, 25, 2,  0,  15, 3,  12, 13, 4,
    5,  11, 9, 17, 8,  6,  7,  19, 18, -1, 14, 1,  16, 12, 20,
};

struct TNamedColor {
    const char* Name;
    TQvColor Value;
};

constexpr std::array<TNamedColor, 141> FixedColors{{
    {"Transparent", 0x00FFFFFF},
    {"Black", 0xFF000000},
    {"DimGray", 0xFF696969},
    {"Gray", 0xFF808080},
    {"DarkGray", 0xFFA9A9A9},
    {"Silver", 0xFFC0C0C0},
    {"LightGray", 0xFFD3D3D3},
    {"Gainsboro", 0xFFDCDCDC},
    {"WhiteSmoke", 0xFFF5F5F5},
    {"White", 0xFFFFFFFF},
    {"RosyBrown", 0xFFBC8F8F},
    {"IndianRed", 0xFFCD5C5C},
    {"Brown", 0xFFA52A2A},
    {"FireBrick", 0xFFB22222},
    {"LightCoral", 0xFFF08080},
    {"Maroon", 0xFF800000},
    {"DarkRed", 0xFF8B0000},
    {"Red", 0xFFFF0000},
    {"Snow", 0xFFFFFAFA},
    {"MistyRose", 0xFFFFE4E1},
    {"Salmon", 0xFFFA8072},
    {"Tomato", 0xFFFF6347},
    {"DarkSalmon", 0xFFE9967A},
    {"Coral", 0xFFFF7F50},
    {"OrangeRed", 0xFFFF4500},
    {"LightSalmon", 0xFFFFA07A},
    {"Sienna", 0xFFA0522D},
    {"SeaShell", 0xFFFFF5EE},
    {"Chocolate", 0xFFD2691E},
    {"SaddleBrown", 0xFF8B4513},
    {"SandyBrown", 0xFFF4A460},
    {"PeachPuff", 0xFFFFDAB9},
    {"Peru", 0xFFCD853F},
    {"Linen", 0xFFFAF0E6},
    {"Bisque", 0xFFFFE4C4},
    {"DarkOrange", 0xFFFF8C00},
    {"BurlyWood", 0xFFDEB887},
    {"Tan", 0xFFD2B48C},
    {"AntiqueWhite", 0xFFFAEBD7},
    {"NavajoWhite", 0xFFFFDEAD},
    {"BlanchedAlmond", 0xFFFFEBCD},
    {"PapayaWhip", 0xFFFFEFD5},
    {"Moccasin", 0xFFFFE4B5},
    {"Orange", 0xFFFFA500},
    {"Wheat", 0xFFF5DEB3},
    {"OldLace", 0xFFFDF5E6},
    {"FloralWhite", 0xFFFFFAF0},
    {"DarkGoldenrod", 0xFFB8860B},
    {"Goldenrod", 0xFFDAA520},
    {"Cornsilk", 0xFFFFF8DC},
    {"Gold", 0xFFFFD700},
    {"Khaki", 0xFFF0E68C},
    {"LemonChiffon", 0xFFFFFACD},
    {"PaleGoldenrod", 0xFFEEE8AA},
    {"DarkKhaki", 0xFFBDB76B},
    {"Beige", 0xFFF5F5DC},
    {"LightGoldenrodYellow", 0xFFFAFAD2},
    {"Olive", 0xFF808000},
    {"Yellow", 0xFFFFFF00},
    {"LightYellow", 0xFFFFFFE0},
    {"Ivory", 0xFFFFFFF0},
    {"OliveDrab", 0xFF6B8E23},
    {"YellowGreen", 0xFF9ACD32},
    {"DarkOliveGreen", 0xFF556B2F},
    {"GreenYellow", 0xFFADFF2F},
    {"Chartreuse", 0xFF7FFF00},
    {"LawnGreen", 0xFF7CFC00},
    {"DarkSeaGreen", 0xFF8FBC8F},
    {"ForestGreen", 0xFF228B22},
    {"LimeGreen", 0xFF32CD32},
    {"LightGreen", 0xFF90EE90},
    {"PaleGreen", 0xFF98FB98},
    {"DarkGreen", 0xFF006400},
    {"Green", 0xFF008000},
    {"Lime", 0xFF00FF00},
    {"Honeydew", 0xFFF0FFF0},
    {"SeaGreen", 0xFF2E8B57},
    {"MediumSeaGreen", 0xFF3CB371},
    {"SpringGreen", 0xFF00FF7F},
    {"MintCream", 0xFFF5FFFA},
    {"MediumSpringGreen", 0xFF00FA9A},
    {"MediumAquamarine", 0xFF66CDAA},
    {"Aquamarine", 0xFF7FFFD4},
    {"Turquoise", 0xFF40E0D0},
    {"LightSeaGreen", 0xFF20B2AA},
    {"MediumTurquoise", 0xFF48D1CC},
    {"DarkSlateGray", 0xFF2F4F4F},
    {"PaleTurquoise", 0xFFAFEEEE},
    {"Teal", 0xFF008080},
    {"DarkCyan", 0xFF008B8B},
    {"Aqua", 0xFF00FFFF},
    {"Cyan", 0xFF00FFFF},
    {"LightCyan", 0xFFE0FFFF},
    {"Azure", 0xFFF0FFFF},
    {"DarkTurquoise", 0xFF00CED1},
    {"CadetBlue", 0xFF5F9EA0},
    {"PowderBlue", 0xFFB0E0E6},
    {"LightBlue", 0xFFADD8E6},
    {"DeepSkyBlue", 0xFF00BFFF},
    {"SkyBlue", 0xFF87CEEB},
    {"LightSkyBlue", 0xFF87CEFA},
    {"SteelBlue", 0xFF4682B4},
    {"AliceBlue", 0xFFF0F8FF},
    {"DodgerBlue", 0xFF1E90FF},
    {"SlateGray", 0xFF708090},
    {"LightSlateGray", 0xFF778899},
    {"LightSteelBlue", 0xFFB0C4DE},
    {"CornflowerBlue", 0xFF6495ED},
    {"RoyalBlue", 0xFF4169E1},
    {"MidnightBlue", 0xFF191970},
    {"Lavender", 0xFFE6E6FA},
    {"Navy", 0xFF000080},
    {"DarkBlue", 0xFF00008B},
    {"MediumBlue", 0xFF0000CD},
    {"Blue", 0xFF0000FF},
    {"GhostWhite", 0xFFF8F8FF},
    {"SlateBlue", 0xFF6A5ACD},
    {"DarkSlateBlue", 0xFF483D8B},
    {"MediumSlateBlue", 0xFF7B68EE},
    {"MediumPurple", 0xFF9370DB},
    {"BlueViolet", 0xFF8A2BE2},
    {"Indigo", 0xFF4B0082},
    {"DarkOrchid", 0xFF9932CC},
    {"DarkViolet", 0xFF9400D3},
    {"MediumOrchid", 0xFFBA55D3},
    {"Thistle", 0xFFD8BFD8},
    {"Plum", 0xFFDDA0DD},
    {"Violet", 0xFFEE82EE},
    {"Purple", 0xFF800080},
    {"DarkMagenta", 0xFF8B008B},
    {"Magenta", 0xFFFF00FF},
    {"Fuchsia", 0xFFFF00FF},
    {"Orchid", 0xFFDA70D6},
    {"MediumVioletRed", 0xFFC71585},
    {"DeepPink", 0xFFFF1493},
    {"HotPink", 0xFFFF69B4},
    {"LavenderBlush", 0xFFFFF0F5},
    {"PaleVioletRed", 0xFFDB7093},
    {"Crimson", 0xFFDC143C},
    {"Pink", 0xFFFFC0CB},
    {"LightPink", 0xFFFFB6C1},
}};

// A short initializer list would leave empty entries at the end.
static_assert(FixedColors.back().Name != nullptr && SystemColors.back().Name != nullptr);

constexpr int TableSize = int(SystemColors.size() + FixedColors.size());

struct TColorTable {
    std::array<QString, TableSize> Names;
    std::array<TQvColor, TableSize> Values{};
    QHash<QString, int> ByName;   // lower-case name -> first index
    QHash<TQvColor, int> ByValue; // value -> first index outside the system colours
};

TColorTable BuildTable() {
    TColorTable Table;
    const auto* App = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    const QPalette Palette = App ? QGuiApplication::palette() : QPalette();
    int i = 0;
    for (const auto& Entry : SystemColors) {
        Table.Names[i] = QString::fromLatin1(Entry.Name);
        Table.Values[i] = App ? TQvColor(Palette.color(Entry.Group, Entry.Role).rgb()) | 0xFF000000u
                              : Entry.Default;
        ++i;
    }
    for (const auto& Entry : FixedColors) {
        Table.Names[i] = QString::fromLatin1(Entry.Name);
        Table.Values[i] = Entry.Value;
        ++i;
    }
    // Backwards, so that the first of two names sharing a value wins.
    for (int j = TableSize - 1; j >= 0; --j) {
        Table.ByName.insert(Table.Names[j].toLower(), j);
        if (j >= int(SystemColors.size())) Table.ByValue.insert(Table.Values[j], j);
    }
    return Table;
}

const TColorTable& Table() {
    static const TColorTable Instance = BuildTable();
    return Instance;
}

int DigitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

// Digits in Base up to 0xFFFFFFFF; empty text, a foreign character or overflow fail.
std::optional<std::uint64_t> ParseDigits(QStringView Text, int Base) {
    if (Text.isEmpty()) return std::nullopt;
    std::uint64_t Value = 0;
    for (QChar c : Text) {
        const int Digit = DigitValue(c);
        if (Digit < 0 || Digit >= Base) return std::nullopt;
        Value = Value * Base + Digit;
        if (Value > 0xFFFFFFFFu) return std::nullopt;
    }
    return Value;
}

std::optional<TQvColor> ParseColorNumber(QStringView Text) {
    if (Text.startsWith(u'$')) {
        if (auto V = ParseDigits(Text.mid(1), 16)) return TQvColor(*V);
        return std::nullopt;
    }
    if (Text.startsWith(u"0x", Qt::CaseInsensitive)) {
        if (auto V = ParseDigits(Text.mid(2), 16)) return TQvColor(*V);
        return std::nullopt;
    }
    const bool Negative = Text.startsWith(u'-');
    if (Negative || Text.startsWith(u'+')) Text = Text.mid(1);
    const auto V = ParseDigits(Text, 10);
    if (!V) return std::nullopt;
    if (!Negative) return TQvColor(*V);
    if (*V > 0x80000000u) return std::nullopt;
    return TQvColor(0u - TQvColor(*V)); // two's complement, as a signed integer is stored
}

// A decimal byte of a rich id, clamped to 0..255.
std::optional<int> ParseRichByte(QStringView Text) {
    Text = Text.trimmed();
    const bool Negative = Text.startsWith(u'-');
    if (Negative || Text.startsWith(u'+')) Text = Text.mid(1);
    if (Text.isEmpty()) return std::nullopt;
    int Value = 0;
    for (QChar c : Text) {
        if (c < u'0' || c > u'9') return std::nullopt;
        Value = std::min(Value * 10 + (c.unicode() - u'0'), 256); // stays small on long input
    }
    return Negative ? 0 : std::min(Value, 255);
}

struct THsl {
    double H; // fraction 0..1
    double S;
    double L;
};

THsl ToHsl(TQvColor Color) {
    const double R = GetR(Color) / 255.0, G = GetG(Color) / 255.0, B = GetB(Color) / 255.0;
    const double Max = std::max({R, G, B}), Min = std::min({R, G, B});
    const double L = (Max + Min) / 2;
    const double D = Max - Min;
    if (D <= 0) return {0, 0, L};
    const double S = L > 0.5 ? D / (2 - Max - Min) : D / (Max + Min);
    double H;
    if (Max == R)
        H = (G - B) / D + (G < B ? 6 : 0);
    else if (Max == G)
        H = (B - R) / D + 2;
    else
        H = (R - G) / D + 4;
    return {H / 6, S, L};
}

double Clamp01(double Value) {
    return Value > 0 ? std::min(Value, 1.0) : 0.0;
} // NaN -> 0

double HueToChannel(double P, double Q, double T) {
    if (T < 0) T += 1;
    if (T > 1) T -= 1;
    if (T < 1.0 / 6) return P + (Q - P) * 6 * T;
    if (T < 0.5) return Q;
    if (T < 2.0 / 3) return P + (Q - P) * (2.0 / 3 - T) * 6;
    return P;
}

std::uint8_t ToByte(double Channel) {
    return std::uint8_t(std::lround(Clamp01(Channel) * 255));
}

TQvColor FromHsl(std::uint8_t Alpha, double L, double S, double H) {
    L = Clamp01(L);
    S = Clamp01(S);
    H = std::isfinite(H) ? H - std::floor(H) : 0;
    if (S == 0) {
        const std::uint8_t Grey = ToByte(L);
        return ColorToARGB(Alpha, Grey, Grey, Grey);
    }
    const double Q = L < 0.5 ? L * (1 + S) : L + S - L * S;
    const double P = 2 * L - Q;
    return ColorToARGB(Alpha, ToByte(HueToChannel(P, Q, H + 1.0 / 3)),
                       ToByte(HueToChannel(P, Q, H)), ToByte(HueToChannel(P, Q, H - 1.0 / 3)));
}

bool IsLight(TQvColor Color) {
    return 299 * GetR(Color) + 587 * GetG(Color) + 114 * GetB(Color) > 127500;
}

} // namespace

TQvColor ColorToARGB(const QString& Name) {
    const QString Text = Name.trimmed();
    const auto& T = Table();
    if (const auto It = T.ByName.constFind(Text.toLower()); It != T.ByName.constEnd())
        return T.Values[It.value()];
    return ParseColorNumber(Text).value_or(0);
}

TQvColor TColorToARGB(TColor Color) {
    if (Color < 0) {
        const int Index = Color & 0xFF;
        const int Entry = Index < int(SystemIndexToTable.size()) ? SystemIndexToTable[Index] : -1;
        return Entry < 0 ? 0xFF000000u : Table().Values[Entry];
    }
    return ColorToARGB(255, std::uint8_t(Color), std::uint8_t(Color >> 8),
                       std::uint8_t(Color >> 16));
}

double GetHue(TQvColor Color) {
    return ToHsl(Color).H * 360;
}
double GetSaturation(TQvColor Color) {
    return ToHsl(Color).S;
}
double GetBrightness(TQvColor Color) {
    return ToHsl(Color).L;
}

TQvColor HSLToColor(double Brightness, double Saturation, double Hue) {
    return FromHsl(255, Brightness, Saturation, Hue);
}

TQvColor Brighten(TQvColor Color, double Factor) {
    const THsl Hsl = ToHsl(Color);
    return FromHsl(GetAlpha(Color), Hsl.L * Factor, Hsl.S, Hsl.H);
}

TColor ContrastBackGround(TColor Color) {
    return IsLight(TColorToARGB(Color)) ? clBlack : clWhite;
}

TQvColor ContrastBackGroundARGB(TQvColor Color) {
    return (Color & 0xFF000000u) | (IsLight(Color) ? 0x000000u : 0xFFFFFFu);
}

TQvColor ContrastForeColorARGB(TQvColor Color) {
    return IsLight(Color) ? 0xFF000000u : 0xFFFFFFFFu;
}

QString ARGBToString(TQvColor Color) {
    const auto& T = Table();
    if (const auto It = T.ByValue.constFind(Color); It != T.ByValue.constEnd())
        return T.Names[It.value()];
    return u'$' + QStringLiteral("%1").arg(Color, 8, 16, QLatin1Char('0')).toUpper();
}

QString ARGBToRichID(TQvColor Color) {
    return QStringLiteral("[A=%1, R=%2, G=%3, B=%4]")
        .arg(GetAlpha(Color))
        .arg(GetR(Color))
        .arg(GetG(Color))
        .arg(GetB(Color));
}

QString RGBToRichID(TColor Color) {
    return ARGBToRichID(TColorToARGB(Color));
}

TQvColor RichIDToTQvColor(const QString& Id) {
    QStringView Text = QStringView(Id).trimmed();
    if (Text.startsWith(u'[')) Text = Text.mid(1);
    if (const qsizetype Close = Text.indexOf(u']'); Close >= 0) Text = Text.left(Close);

    std::array<std::optional<int>, 4> Bytes; // A, R, G, B
    std::array<bool, 4> Seen{};
    for (QStringView Part : Text.split(u',')) {
        const qsizetype Equals = Part.indexOf(u'=');
        if (Equals < 0) continue;
        const QStringView Key = Part.left(Equals).trimmed();
        if (Key.size() != 1) continue;
        const int Slot = QStringView(u"ARGB").indexOf(Key.front().toUpper());
        if (Slot < 0 || Seen[Slot]) continue;
        Seen[Slot] = true;
        Bytes[Slot] = ParseRichByte(Part.mid(Equals + 1));
    }
    const int A = Seen[0] ? Bytes[0].value_or(0) : 255;
    return ColorToARGB(std::uint8_t(A), std::uint8_t(Bytes[1].value_or(0)),
                       std::uint8_t(Bytes[2].value_or(0)), std::uint8_t(Bytes[3].value_or(0)));
}

TColor RichIDToTColor(const QString& Id) {
    return ARGBToTColor(RichIDToTQvColor(Id));
}

int NamedColorCount() {
    return TableSize;
}

QString NamedColorName(int Index) {
    return Index >= 0 && Index < TableSize ? Table().Names[Index] : QString();
}

TQvColor NamedColorValue(int Index) {
    return Index >= 0 && Index < TableSize ? Table().Values[Index] : 0;
}
