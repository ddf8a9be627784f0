#pragma once

// Date-time values as the desktop framework the library was first written for kept them, their
// text, and time spans. A TDateTime counts days since 1899-12-30 00:00; for a negative value
// the integer part is the day and |fraction| the time of day, so -1.25 is 1899-12-29 06:00.
// Text for the user follows the default QLocale.

#include "axes/qvaxistypes.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <array>

using TDateTime = double;

// The range of date-time values: 0100-01-01 00:00 to 9999-12-31 23:59:59.999.
inline constexpr TDateTime MinDateTime = -657434.0;
inline constexpr TDateTime MaxDateTime = 2958465.99999;

// A tenth of a millisecond in days.
inline constexpr double cDateEpsilon = 1 / 864000000.0;

// The runtime's date-time format settings. Formats use the letters of FormatDateTime;
// day names start with Sunday.
struct TQvFormatSettings {
    QString ShortDateFormat;
    QString LongDateFormat;
    QString ShortTimeFormat;
    QString LongTimeFormat;
    QString DateSeparator;
    QString TimeSeparator;
    QString DecimalSeparator;
    QString TimeAMString;
    QString TimePMString;
    std::array<QString, 12> ShortMonthNames;
    std::array<QString, 12> LongMonthNames;
    std::array<QString, 7> ShortDayNames;
    std::array<QString, 7> LongDayNames;

    // Qt's formats of Locale translated into the runtime's letters; the date separator in date
    // formats becomes "/", the time separator in time formats ":", other letters are quoted.
    static TQvFormatSettings FromLocale(const QLocale& Locale);
};

// The settings of the current default QLocale.
TQvFormatSettings FormatSettings();

// Raise EConvertError for arguments outside years 1 to 9999 and the clock's ranges.
TDateTime EncodeDate(int Year, int Month, int Day);
TDateTime EncodeTime(int Hour, int Minute, int Second, int MilliSecond);
TDateTime EncodeDateTime(int Year, int Month, int Day, int Hour, int Minute, int Second,
                         int MilliSecond);
// Rounds to whole milliseconds; raises EConvertError for NaN, infinities and values outside
// years 1 to 9999.
void DecodeDateTime(TDateTime DT, int& Year, int& Month, int& Day, int& Hour, int& Minute,
                    int& Second, int& MilliSecond);
// 1 is Sunday, 7 Saturday.
int DayOfWeek(TDateTime DT);

// Local wall-clock time, no time zone conversion. An invalid QDateTime gives 0.
TDateTime QDateTimeToDateTime(const QDateTime& Value);
QDateTime DateTimeToQDateTime(TDateTime DT);

// The runtime's FormatDateTime. Letters in either case: y/yy (2-digit year), yyy+ (4-digit),
// m/mm, mmm, mmmm (month; minutes right after h/hh), d/dd, ddd, dddd, ddddd (short date),
// dddddd (long date), aaa/aaaa (day names), h/hh (12-hour when am/pm, a/p or ampm follows),
// n/nn, s/ss, z/zzz, t (short time), tt (long time), am/pm, a/p, ampm, c (short date and,
// unless midnight, long time; also the empty format), "/" and ":" (separators), text in
// "..." or '...'; any other character stands for itself.
QString FormatDateTime(const QString& Format, TDateTime DT);
QString FormatDateTime(const QString& Format, TDateTime DT, const TQvFormatSettings& Settings);

// Axis label of a number of seconds: "1.01:02:05.5" with Range Day, "01:02:05.5" with Hour,
// "62:05.5" with Minute, "3725.5" with Second. Above Second the value is rounded to
// milliseconds; the seconds take at most 6 digits and the locale's decimal separator.
// Negative values get a leading minus sign (the plain steps would give "0-1:-02:...").
QString SecondsToString(double Seconds, TQvSecondsFormatRange Range);

// Days to units.
double TotalMilliSeconds(double D);
double TotalSeconds(double D);
double TotalMinutes(double D);
double TotalHours(double D);

// DT moved by N units of clock time, in whole milliseconds so that steps never drift. This
// holds on either side of 1899-12-30 and across it in both directions, which the runtime's
// plain increment does not (it treats negative values as a linear scale). N = 0 returns DT.
TDateTime MyIncMilliSeconds(TDateTime DT, qint64 N);
TDateTime MyIncSeconds(TDateTime DT, qint64 N);
TDateTime MyIncMinutes(TDateTime DT, qint64 N);
TDateTime MyIncHours(TDateTime DT, qint64 N);

// FormatDateTime, where each "fff" stands for the milliseconds with three digits.
void MyDateTimeToString(QString& S, const QString& Format, TDateTime DT);

// A - B in days, each read as whole days plus a positive time of day.
double DateTimeSpan(TDateTime A, TDateTime B);

// "[n.]hh:nn:ss<decimal separator>zzz" for D days (rounded to milliseconds); the time is left
// out when it is zero, so 0 gives "". Raises EConvertError for negative D.
QString DoubleToTimeSpanStr(double D);
// Reads that text back (the milliseconds after a point or the locale separator); raises
// EConvertError for anything else.
double DoubleFomTimeSpanStr(const QString& S);
