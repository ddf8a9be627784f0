#pragma once

// Colours: 32-bit ARGB values, the platform colour of the desktop framework the library was
// first written for (kept so that stored values and system-colour references stay
// compatible), the named-colour table and the colour identifiers of rich captions.

#include "framework/qvgraphics.h"

#include <QString>

#include <cstdint>

// Alpha in bits 24 to 31, then red, green, blue. Alpha 255 is opaque.
using TQvColor = std::uint32_t;

constexpr TQvColor ColorToARGB(std::uint8_t A, std::uint8_t R, std::uint8_t G, std::uint8_t B) {
    return TQvColor(A) << 24 | TQvColor(R) << 16 | TQvColor(G) << 8 | TQvColor(B);
}

constexpr std::uint8_t GetAlpha(TQvColor Color) {
    return std::uint8_t(Color >> 24);
}
constexpr std::uint8_t GetR(TQvColor Color) {
    return std::uint8_t(Color >> 16);
}
constexpr std::uint8_t GetG(TQvColor Color) {
    return std::uint8_t(Color >> 8);
}
constexpr std::uint8_t GetB(TQvColor Color) {
    return std::uint8_t(Color);
}

constexpr TColor ARGBToTColor(TQvColor Color) {
    return TColor(GetR(Color)) | TColor(GetG(Color)) << 8 | TColor(GetB(Color)) << 16;
}

// The named colour (case-insensitive, surrounding blanks ignored); otherwise the text read
// as an integer: decimal (-2147483648 to 4294967295) or hexadecimal after "$" or "0x",
// giving the ARGB value directly. Anything else gives 0.
TQvColor ColorToARGB(const QString& Name);

// A system-colour reference takes its value from the named-colour table; any other value
// uses its low three bytes (so clNone is white). The result is always opaque. Unknown
// system indices give black, as the platform did.
TQvColor TColorToARGB(TColor Color);

// HSL components: hue in degrees 0 to 360 (0 for greys), saturation and lightness 0 to 1.
double GetHue(TQvColor Color);
double GetSaturation(TQvColor Color);
double GetBrightness(TQvColor Color);
// Hue is a fraction 0 to 1 (wrapped); lightness and saturation are clamped to 0..1.
TQvColor HSLToColor(double Brightness, double Saturation, double Hue);

// Multiplies the HSL lightness by Factor (clamped to 0..1), keeping alpha, hue and saturation.
TQvColor Brighten(TQvColor Color, double Factor);

// Black against light colours, white against dark ones, judged by perceived luminance
// 0.299 R + 0.587 G + 0.114 B (above 127.5 is light). ContrastBackGroundARGB keeps the
// alpha of the given colour; ContrastForeColorARGB is opaque because text must stay legible.
TColor ContrastBackGround(TColor Color);
TQvColor ContrastBackGroundARGB(TQvColor Color);
TQvColor ContrastForeColorARGB(TQvColor Color);

// The first non-system name of the table with this value, else "$AARRGGBB"; ColorToARGB
// reads both back to the same value.
QString ARGBToString(TQvColor Color);

// "[A=a, R=r, G=g, B=b]" with decimal bytes.
QString ARGBToRichID(TQvColor Color);
QString RGBToRichID(TColor Color);

// Reads "A=", "R=", "G=", "B=" parts separated by "," (an enclosing "[" and "]" optional,
// anything after "]" ignored, blanks allowed, the first part of each letter counts).
// Numbers are decimal and clamp to 0..255; a part that is missing or not a number gives 0,
// except that an id without an "A=" part is opaque.
TQvColor RichIDToTQvColor(const QString& Id);
TColor RichIDToTColor(const QString& Id);

// The named-colour table for colour pickers: 26 system colours, "Transparent", then the
// 140 web colours. The system values are read from the application palette (made opaque)
// the first time the table is used and kept from then on, so later palette changes do not
// show; without a QGuiApplication at that moment the Windows default values are used.
// Out-of-range indices give an empty name and the value 0.
int NamedColorCount();
QString NamedColorName(int Index);
TQvColor NamedColorValue(int Index);
