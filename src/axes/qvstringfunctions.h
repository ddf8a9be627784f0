#pragma once

// Number text and number lists. Text for the user follows the default QLocale's decimal
// separator; text for files always uses the point (americanized text). Nothing here depends
// on the C or process locale.

#include "framework/qvframeworktypes.h"

#include <QString>
#include <QStringView>

#include <vector>

// The runtime's general format with 15 significant digits: trailing zeros removed, fixed
// notation while 0.0001 <= |X| < 1E15 (after rounding), else "d.dddE[-]x"; "NAN", "INF",
// "-INF". Uses the locale's decimal separator and no digit grouping.
QString FloatToStr(double X);
// The same layout with Precision significant digits (clamped to 1..17).
QString FloatToStrGeneral(double X, int Precision);

// The runtime's FormatFloat: up to three sections "positive;negative;zero" built of the digit
// placeholders "0" (digit or 0) and "#" (digit or nothing), the decimal point ".", a "," asking
// for thousands separators, an exponent "E+00" ("E-", "e+", "e-"; the zeros give its least
// digits) and text in single or double quotes or any other character. An empty or missing
// negative or zero section uses the first; an empty first section gives the general format.
// A value that rounds to zero takes the zero section. Halves round away from zero. The text
// shows the locale's decimal and thousands separators where the format has "." and ",";
// "NAN", "INF", "-INF" for those values.
QString FormatFloat(const QString& Format, double Value);

// Reads optional blanks, sign, digits with at most one locale decimal separator and an
// optional exponent, or "NAN", "INF", "-INF" (any case). StrToFloat raises EConvertError.
bool TryStrToFloat(const QString& S, double& Value);
double StrToFloat(const QString& S);

// Decimal or hexadecimal ("$1F", "0x1F") 32-bit integer after optional leading blanks.
bool TryStrToInt(const QString& S, int& Value);
int StrToInt(const QString& S);

// 1-based position of the last Ch in S, -1 if none.
// S without the blanks and control characters at its end.
QString TrimRight(const QString& S);

int LastPos(QChar Ch, const QString& S);
int LastPointPos(const QString& S);
bool CharIn(QChar Ch, const QString& S);

// General format with Digits significant digits, lowering the precision until the text is
// at most Digits characters long; Digits = 0 gives FloatToStr.
QString RealToStrDigits(double X, int Digits);

// Spreadsheet column letters: 1 is "A", 27 is "AA"; 0 or less gives "".
QString IndexToAlphabet(int N);

// The locale decimal separator to the point, and every point back to it.
QString Americanize(const QString& S);
QString DeAmericanize(const QString& S);

// Americanize(FloatToStr(X)), except that 16 or 17 significant digits are written when the
// 15-digit text would not read back to the identical double, so files round-trip exactly.
// Negative zero is written as "0".
QString DoubleToStr(double X);
// StrToFloat(DeAmericanize(S)); raises EConvertError.
double DoubleFromStr(QStringView S);
inline double DoubleFromStr(const QString& S) {
    return DoubleFromStr(QStringView(S));
}
// For untrusted files: no exception.
bool TryDoubleFromStr(const QString& S, double& Value);
double DoubleFromStrDef(const QString& S, double Default);

// Semicolon-separated lists; the empty text is the empty list. Doubles are written with
// DoubleToStr, so they read back exactly.
std::vector<double> StringToDoubleArray(const QString& S);
QString DoubleArrayToString(const std::vector<double>& A);
std::vector<int> StringToIntegerArray(const QString& S);
QString IntegerArrayToString(const std::vector<int>& A);

// "+", "-" or a digit.
bool IsIntegerDigit(QChar Ch);
// "+", "-", ".", "E", "e" or a digit.
bool IsAmericanNumberDigit(QChar Ch);

// Drops a leading "E" that does not start an exponent, then everything up to the first
// IsAmericanNumberDigit character.
void EraseToNumber(QString& S);

// Take the first number off S, together with the character that ended it. On failure S is
// left where the number should have started and EConvertError is raised.
// ExtractOneDouble skips like EraseToNumber but stops at "NAN" and "INF" (any case) and reads
// them too, since EraseToNumber would drop their letters and DoubleToStr writes them.
int ExtractOneInt(QString& S);
double ExtractOneDouble(QString& S);
// The same on a view, which is moved on instead: long lists are read without copying them.
int ExtractOneInt(QStringView& S);
double ExtractOneDouble(QStringView& S);

// A shift state as the low 16 bits of its bit mask, and as their decimal text.
int ShiftStateToInt(TShiftState Shift);
TShiftState IntToShiftState(int N);
QString ShiftStateToStr(TShiftState Shift);
// Raises EConvertError for text that is not an integer.
TShiftState StrToShiftState(const QString& S);
