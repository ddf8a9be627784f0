#include "axes/qvdatetime.h"

#include "axes/qvstringfunctions.h"
#include "framework/qvexceptions.h"
#include "strings/qvlocalize.h"

#include <QRegularExpression>
#include <QtNumeric>

#include <charconv>
#include <cmath>
#include <string>

namespace {

constexpr qint64 MSecsPerDay = 86400000;
constexpr qint64 MinDay = -693593; // 0001-01-01
constexpr qint64 MaxDay = 2958465; // 9999-12-31
// Linear millisecond counts stay exact in a double below this.
constexpr qint64 MaxExactMs = qint64(1) << 53;

qint64 FloorDiv(qint64 A, qint64 B) {
    const qint64 Q = A / B;
    return (A % B != 0 && (A < 0) != (B < 0)) ? Q - 1 : Q;
}

// Day relative to 1899-12-30 (truncated, as the runtime does) and milliseconds of the day.
struct TTimeStamp {
    qint64 Day = 0;
    qint64 Time = 0;
};

bool ToTimeStamp(TDateTime DT, TTimeStamp& Stamp) {
    if (!std::isfinite(DT) || std::fabs(DT) > 1e8) return false;
    const auto Ms = qint64(std::nearbyint(DT * double(MSecsPerDay))); // ties to even
    Stamp.Day = Ms / MSecsPerDay;
    Stamp.Time = (Ms < 0 ? -Ms : Ms) % MSecsPerDay;
    return Stamp.Day >= MinDay && Stamp.Day <= MaxDay;
}

TTimeStamp CheckedTimeStamp(TDateTime DT) {
    TTimeStamp Stamp;
    if (!ToTimeStamp(DT, Stamp))
        throw EConvertError(Format(Qvlocalize::SInvalidDateTimeValue, {DoubleToStr(DT)}));
    return Stamp;
}

// The value of a day and a time of day; exact because the numerator is an integer.
TDateTime ComposeDateTime(qint64 Day, qint64 Time) {
    return double(Day * MSecsPerDay + (Day < 0 ? -Time : Time)) / double(MSecsPerDay);
}

// Proleptic Gregorian calendar (days from civil and back, counted from 1970-01-01).
constexpr qint64 UnixEpochDay = 25569;

qint64 DaysFromCivil(qint64 Y, qint64 M, qint64 D) {
    Y -= M <= 2;
    const qint64 Era = (Y >= 0 ? Y : Y - 399) / 400;
    const qint64 YearOfEra = Y - Era * 400;
    const qint64 DayOfYear = (153 * (M > 2 ? M - 3 : M + 9) + 2) / 5 + D - 1;
    const qint64 DayOfEra = YearOfEra * 365 + YearOfEra / 4 - YearOfEra / 100 + DayOfYear;
    return Era * 146097 + DayOfEra - 719468 + UnixEpochDay;
}

void CivilFromDays(qint64 Day, int& Year, int& Month, int& DayOfMonth) {
    const qint64 Z = Day - UnixEpochDay + 719468;
    const qint64 Era = (Z >= 0 ? Z : Z - 146096) / 146097;
    const qint64 DayOfEra = Z - Era * 146097;
    const qint64 YearOfEra =
        (DayOfEra - DayOfEra / 1460 + DayOfEra / 36524 - DayOfEra / 146096) / 365;
    const qint64 DayOfYear = DayOfEra - (365 * YearOfEra + YearOfEra / 4 - YearOfEra / 100);
    const qint64 MonthIndex = (5 * DayOfYear + 2) / 153;
    DayOfMonth = int(DayOfYear - (153 * MonthIndex + 2) / 5 + 1);
    Month = int(MonthIndex < 10 ? MonthIndex + 3 : MonthIndex - 9);
    Year = int(YearOfEra + Era * 400 + (Month <= 2));
}

bool IsLeapYear(int Year) {
    return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

int DaysInMonth(int Year, int Month) {
    static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return Month == 2 && IsLeapYear(Year) ? 29 : Days[Month - 1];
}

qint64 CheckedDay(int Year, int Month, int Day) {
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 ||
        Day > DaysInMonth(Year, Month))
        throw EConvertError(Qvlocalize::SDateEncodeError.Text());
    return DaysFromCivil(Year, Month, Day);
}

qint64 CheckedTime(int Hour, int Minute, int Second, int MilliSecond) {
    if (Hour < 0 || Hour > 23 || Minute < 0 || Minute > 59 || Second < 0 || Second > 59 ||
        MilliSecond < 0 || MilliSecond > 999)
        throw EConvertError(Qvlocalize::STimeEncodeError.Text());
    return ((qint64(Hour) * 60 + Minute) * 60 + Second) * 1000 + MilliSecond;
}

// Translates one of Qt's date or time formats into the runtime's letters.
class TQtFormatTranslator {
public:
    // Separator (when not empty) becomes Replacement, the runtime's separator letter.
    QString Translate(const QString& QtFormat, const QString& Separator, QChar Replacement) {
        FSeparator = Separator;
        FReplacement = Replacement;
        FResult.clear();
        FQuoted.clear();
        const qsizetype Size = QtFormat.size();
        for (qsizetype I = 0; I < Size;) {
            const QChar Ch = QtFormat[I];
            if (Ch == u'\'') {
                // Quoted text; '' is a quote character, inside quotes and outside.
                if (I + 1 < Size && QtFormat[I + 1] == u'\'') {
                    Literal(Ch);
                    I += 2;
                    continue;
                }
                for (++I; I < Size; ++I) {
                    if (QtFormat[I] == u'\'') {
                        if (I + 1 < Size && QtFormat[I + 1] == u'\'') {
                            Literal(u'\'');
                            ++I;
                            continue;
                        }
                        break;
                    }
                    Literal(QtFormat[I]);
                }
                ++I;
                continue;
            }
            qsizetype Repeat = 1;
            while (I + Repeat < Size && QtFormat[I + Repeat] == Ch)
                ++Repeat;
            const auto Code = [&](char Letter, qsizetype Count, qsizetype Used) {
                Flush();
                FResult += QString(Count, QLatin1Char(Letter));
                I += Used;
            };
            switch (Ch.unicode()) {
            case u'd':
                Code('d', qMin<qsizetype>(Repeat, 4), qMin<qsizetype>(Repeat, 4));
                break;
            case u'M':
                Code('m', qMin<qsizetype>(Repeat, 4), qMin<qsizetype>(Repeat, 4));
                break;
            case u'y':
                if (Repeat >= 4)
                    Code('y', 4, 4);
                else if (Repeat >= 2)
                    Code('y', 2, 2);
                else
                    Literal(QtFormat[I++]);
                break;
            case u'h':
            case u'H':
                Code('h', qMin<qsizetype>(Repeat, 2), qMin<qsizetype>(Repeat, 2));
                break;
            case u'm':
                Code('n', qMin<qsizetype>(Repeat, 2), qMin<qsizetype>(Repeat, 2));
                break;
            case u's':
                Code('s', qMin<qsizetype>(Repeat, 2), qMin<qsizetype>(Repeat, 2));
                break;
            case u'z':
                Code('z', Repeat >= 3 ? 3 : 1, Repeat >= 3 ? 3 : 1);
                break;
            case u'a':
            case u'A': {
                const bool WithP = I + 1 < Size && QtFormat[I + 1].toLower() == u'p';
                Flush();
                FResult += QStringLiteral("ampm");
                I += WithP ? 2 : 1;
                break;
            }
            case u't': // the time zone has no place in a TDateTime
                I += Repeat;
                break;
            default:
                Literal(Ch);
                ++I;
            }
        }
        Flush();
        return FResult.trimmed();
    }

private:
    void Literal(QChar Ch) {
        if (FSeparator == Ch) {
            Flush();
            FResult += FReplacement;
        } else if (Ch.isLetter() || Ch == u'"' || Ch == u'\'' || Ch == u'/' || Ch == u':') {
            FQuoted += Ch; // would be a format letter or separator otherwise
        } else {
            Flush();
            FResult += Ch;
        }
    }

    void Flush() {
        QString Run;
        const auto EndRun = [&] {
            if (!Run.isEmpty()) FResult += u'"' + Run + u'"';
            Run.clear();
        };
        for (const QChar Ch : FQuoted) {
            if (Ch == u'"') {
                EndRun();
                FResult += QStringLiteral("'\"'");
            } else {
                Run += Ch;
            }
        }
        EndRun();
        FQuoted.clear();
    }

    QString FSeparator;
    QChar FReplacement;
    QString FResult;
    QString FQuoted;
};

// The first punctuation between the fields of a Qt format, outside quotes.
QString SeparatorOf(const QString& QtFormat, const QString& Default) {
    bool InQuotes = false;
    for (const QChar Ch : QtFormat) {
        if (Ch == u'\'')
            InQuotes = !InQuotes;
        else if (!InQuotes && !Ch.isLetterOrNumber() && !Ch.isSpace())
            return QString(Ch);
    }
    return Default;
}

// The runtime's FormatDateTime.
class TDateTimeFormatter {
public:
    TDateTimeFormatter(TDateTime DT, const TQvFormatSettings& Settings)
        : FDateTime(DT), FSettings(Settings) {}

    QString Run(const QString& Format) {
        Append(Format.isEmpty() ? QStringLiteral("C") : Format);
        return FResult;
    }

private:
    void Append(QStringView Format) {
        if (FLevel >= 2) return; // formats nest one level only
        ++FLevel;
        char16_t LastToken = u' ';
        bool Use12HourClock = false;
        const qsizetype Size = Format.size();
        qsizetype I = 0;
        while (I < Size) {
            const QChar Starter = Format[I++];
            char16_t Token = Starter.unicode();
            if (Token >= u'a' && Token <= u'z') Token -= 32;
            if (Token >= u'A' && Token <= u'Z') {
                if (Token == u'M' && LastToken == u'H') Token = u'N';
                LastToken = Token;
            }
            const auto GetCount = [&] {
                const qsizetype Start = I;
                while (I < Size && Format[I] == Starter)
                    ++I;
                return int(I - Start + 1);
            };
            switch (Token) {
            case u'Y':
                if (GetCount() <= 2)
                    Number(Date().Year % 100, 2);
                else
                    Number(Date().Year, 4);
                break;
            case u'M': {
                const int Count = GetCount();
                if (Count <= 2)
                    Number(Date().Month, Count);
                else if (Count == 3)
                    FResult += FSettings.ShortMonthNames[Date().Month - 1];
                else
                    FResult += FSettings.LongMonthNames[Date().Month - 1];
                break;
            }
            case u'D': {
                const int Count = GetCount();
                if (Count <= 2)
                    Number(Date().Day, Count);
                else if (Count == 3)
                    FResult += FSettings.ShortDayNames[DayIndex()];
                else if (Count == 4)
                    FResult += FSettings.LongDayNames[DayIndex()];
                else if (Count == 5)
                    Append(FSettings.ShortDateFormat);
                else
                    Append(FSettings.LongDateFormat);
                break;
            }
            case u'H': {
                const int Count = GetCount();
                // A following am/pm marker (up to the next hour) asks for the 12-hour clock.
                bool BetweenQuotes = false;
                for (qsizetype P = I; P < Size; ++P) {
                    const QChar Ch = Format[P];
                    if ((Ch == u'A' || Ch == u'a') && !BetweenQuotes) {
                        const QStringView Rest = Format.sliced(P);
                        if (Rest.startsWith(u"AM/PM", Qt::CaseInsensitive) ||
                            Rest.startsWith(u"A/P", Qt::CaseInsensitive) ||
                            Rest.startsWith(u"AMPM", Qt::CaseInsensitive))
                            Use12HourClock = true;
                        break;
                    }
                    if (Ch == u'H' || Ch == u'h') break;
                    if (Ch == u'\'' || Ch == u'"') BetweenQuotes = !BetweenQuotes;
                }
                int Hour = Time().Hour;
                if (Use12HourClock) {
                    if (Hour == 0)
                        Hour = 12;
                    else if (Hour > 12)
                        Hour -= 12;
                }
                Number(Hour, qMin(Count, 2));
                break;
            }
            case u'N':
                Number(Time().Minute, qMin(GetCount(), 2));
                break;
            case u'S':
                Number(Time().Second, qMin(GetCount(), 2));
                break;
            case u'T':
                Append(GetCount() == 1 ? FSettings.ShortTimeFormat : FSettings.LongTimeFormat);
                break;
            case u'Z':
                Number(Time().MilliSecond, qMin(GetCount(), 3));
                break;
            case u'A': {
                const QStringView Rest = Format.sliced(I - 1);
                const bool Pm = Time().Hour >= 12;
                if (Rest.startsWith(u"AM/PM", Qt::CaseInsensitive)) {
                    FResult += Rest.sliced(Pm ? 3 : 0, 2);
                    I += 4;
                    Use12HourClock = true;
                } else if (Rest.startsWith(u"A/P", Qt::CaseInsensitive)) {
                    FResult += Rest[Pm ? 2 : 0];
                    I += 2;
                    Use12HourClock = true;
                } else if (Rest.startsWith(u"AMPM", Qt::CaseInsensitive)) {
                    FResult += Pm ? FSettings.TimePMString : FSettings.TimeAMString;
                    I += 3;
                    Use12HourClock = true;
                } else if (Rest.startsWith(u"AAAA", Qt::CaseInsensitive)) {
                    FResult += FSettings.LongDayNames[DayIndex()];
                    I += 3;
                } else if (Rest.startsWith(u"AAA", Qt::CaseInsensitive)) {
                    FResult += FSettings.ShortDayNames[DayIndex()];
                    I += 2;
                } else {
                    FResult += Starter;
                }
                break;
            }
            case u'C':
                GetCount();
                Append(FSettings.ShortDateFormat);
                if (Stamp().Time != 0) {
                    FResult += u' ';
                    Append(FSettings.LongTimeFormat);
                }
                break;
            case u'/':
                FResult += FSettings.DateSeparator;
                break;
            case u':':
                FResult += FSettings.TimeSeparator;
                break;
            case u'\'':
            case u'"': {
                const qsizetype Start = I;
                while (I < Size && Format[I] != Starter)
                    ++I;
                FResult += Format.sliced(Start, I - Start);
                if (I < Size) ++I;
                break;
            }
            default:
                FResult += Starter;
            }
        }
        --FLevel;
    }

    struct TDateParts {
        int Year = 0;
        int Month = 0;
        int Day = 0;
    };
    struct TTimeParts {
        int Hour = 0;
        int Minute = 0;
        int Second = 0;
        int MilliSecond = 0;
    };

    // Decoded on first use, so a format without date or time letters never fails.
    const TTimeStamp& Stamp() {
        if (!FHasStamp) {
            FStamp = CheckedTimeStamp(FDateTime);
            FHasStamp = true;
        }
        return FStamp;
    }
    const TDateParts& Date() {
        if (FDate.Year == 0) CivilFromDays(Stamp().Day, FDate.Year, FDate.Month, FDate.Day);
        return FDate;
    }
    const TTimeParts& Time() {
        const qint64 Ms = Stamp().Time;
        FTime = {int(Ms / 3600000), int(Ms / 60000 % 60), int(Ms / 1000 % 60), int(Ms % 1000)};
        return FTime;
    }
    // 0 is Sunday; 1899-12-30 was a Saturday.
    int DayIndex() { return int((Stamp().Day % 7 + 13) % 7); }

    void Number(int Value, int Digits) {
        FResult += QString::number(Value).rightJustified(Digits, u'0');
    }

    TDateTime FDateTime;
    const TQvFormatSettings& FSettings;
    QString FResult;
    int FLevel = 0;
    bool FHasStamp = false;
    TTimeStamp FStamp;
    TDateParts FDate;
    TTimeParts FTime;
};

// DT plus N units of UnitMs milliseconds on a linear clock; the time of day of a negative
// value counts forward from the start of its day.
TDateTime IncrementMs(TDateTime DT, qint64 N, qint64 UnitMs) {
    if (N == 0) return DT;
    qint64 Delta = 0;
    if (std::isfinite(DT) && std::fabs(DT) * double(MSecsPerDay) < double(MaxExactMs) &&
        !qMulOverflow(N, UnitMs, &Delta)) {
        const auto Ms = qint64(std::nearbyint(DT * double(MSecsPerDay)));
        const qint64 Day = Ms / MSecsPerDay;
        qint64 Linear = Day * MSecsPerDay + (Ms < 0 ? -Ms : Ms) % MSecsPerDay;
        if (!qAddOverflow(Linear, Delta, &Linear) && Linear > -MaxExactMs && Linear < MaxExactMs) {
            const qint64 NewDay = FloorDiv(Linear, MSecsPerDay);
            return ComposeDateTime(NewDay, Linear - NewDay * MSecsPerDay);
        }
    }
    // Far beyond any calendar date: plain arithmetic.
    return DT + double(N) * double(UnitMs) / double(MSecsPerDay);
}

} // namespace

TQvFormatSettings TQvFormatSettings::FromLocale(const QLocale& Locale) {
    TQvFormatSettings Result;
    Result.DateSeparator =
        SeparatorOf(Locale.dateFormat(QLocale::ShortFormat), QStringLiteral("/"));
    Result.TimeSeparator =
        SeparatorOf(Locale.timeFormat(QLocale::ShortFormat), QStringLiteral(":"));
    TQtFormatTranslator Translator;
    const QString& TimeSep = Result.TimeSeparator;
    Result.ShortDateFormat =
        Translator.Translate(Locale.dateFormat(QLocale::ShortFormat), Result.DateSeparator, u'/');
    Result.LongDateFormat = Translator.Translate(Locale.dateFormat(QLocale::LongFormat), {}, {});
    Result.ShortTimeFormat =
        Translator.Translate(Locale.timeFormat(QLocale::ShortFormat), TimeSep, u':');
    Result.LongTimeFormat =
        Translator.Translate(Locale.timeFormat(QLocale::LongFormat), TimeSep, u':');
    Result.DecimalSeparator = Locale.decimalPoint();
    Result.TimeAMString = Locale.amText();
    Result.TimePMString = Locale.pmText();
    for (int I = 0; I < 12; ++I) {
        Result.ShortMonthNames[I] = Locale.monthName(I + 1, QLocale::ShortFormat);
        Result.LongMonthNames[I] = Locale.monthName(I + 1, QLocale::LongFormat);
    }
    for (int I = 0; I < 7; ++I) {
        const int QtDay = I == 0 ? 7 : I; // Qt counts from Monday
        Result.ShortDayNames[I] = Locale.dayName(QtDay, QLocale::ShortFormat);
        Result.LongDayNames[I] = Locale.dayName(QtDay, QLocale::LongFormat);
    }
    return Result;
}

TQvFormatSettings FormatSettings() {
    // Axis labels format many values in a row; rebuild only when the default locale changes.
    thread_local QLocale CachedLocale;
    thread_local TQvFormatSettings Cached = TQvFormatSettings::FromLocale(CachedLocale);
    const QLocale Current;
    if (Current != CachedLocale) {
        CachedLocale = Current;
        Cached = TQvFormatSettings::FromLocale(Current);
    }
    return Cached;
}

TDateTime EncodeDate(int Year, int Month, int Day) {
    return double(CheckedDay(Year, Month, Day));
}

TDateTime EncodeTime(int Hour, int Minute, int Second, int MilliSecond) {
    return double(CheckedTime(Hour, Minute, Second, MilliSecond)) / double(MSecsPerDay);
}

TDateTime EncodeDateTime(int Year, int Month, int Day, int Hour, int Minute, int Second,
                         int MilliSecond) {
    const qint64 Date = CheckedDay(Year, Month, Day);
    return ComposeDateTime(Date, CheckedTime(Hour, Minute, Second, MilliSecond));
}

void DecodeDateTime(TDateTime DT, int& Year, int& Month, int& Day, int& Hour, int& Minute,
                    int& Second, int& MilliSecond) {
    const TTimeStamp Stamp = CheckedTimeStamp(DT);
    CivilFromDays(Stamp.Day, Year, Month, Day);
    Hour = int(Stamp.Time / 3600000);
    Minute = int(Stamp.Time / 60000 % 60);
    Second = int(Stamp.Time / 1000 % 60);
    MilliSecond = int(Stamp.Time % 1000);
}

int DayOfWeek(TDateTime DT) {
    return int((CheckedTimeStamp(DT).Day % 7 + 13) % 7) + 1;
}

TDateTime QDateTimeToDateTime(const QDateTime& Value) {
    if (!Value.isValid()) return 0;
    const qint64 Day = QDate(1899, 12, 30).daysTo(Value.date());
    return ComposeDateTime(Day, Value.time().msecsSinceStartOfDay());
}

QDateTime DateTimeToQDateTime(TDateTime DT) {
    const TTimeStamp Stamp = CheckedTimeStamp(DT);
    return QDateTime(QDate(1899, 12, 30).addDays(Stamp.Day),
                     QTime::fromMSecsSinceStartOfDay(int(Stamp.Time)));
}

QString FormatDateTime(const QString& Format, TDateTime DT) {
    return FormatDateTime(Format, DT, FormatSettings());
}

QString FormatDateTime(const QString& Format, TDateTime DT, const TQvFormatSettings& Settings) {
    return TDateTimeFormatter(DT, Settings).Run(Format);
}

QString SecondsToString(double Seconds, TQvSecondsFormatRange Range) {
    if (!std::isfinite(Seconds)) return FloatToStr(Seconds);
    if (Range != TQvSecondsFormatRange::Second) Seconds = std::nearbyint(Seconds * 1000) / 1000;
    if (Seconds == 0) Seconds = 0; // no "-0" from a rounded negative
    if (Seconds < -1e-6) return QStringLiteral("-") + SecondsToString(-Seconds, Range);
    QString Result;
    double R = Seconds;
    if (Range >= TQvSecondsFormatRange::Day) {
        const double D = std::trunc(R / 86400);
        R -= 86400 * D;
        if (D > 0) Result = QString::number(D, 'f', 0) + u'.';
    }
    if (Range >= TQvSecondsFormatRange::Hour) {
        const double H = std::trunc(R / 3600);
        R -= 3600 * H;
        Result += (H < 10 ? QStringLiteral("0") : QString()) + QString::number(H, 'f', 0) + u':';
    }
    if (Range >= TQvSecondsFormatRange::Minute) {
        const double M = std::trunc(R / 60);
        R -= 60 * M;
        Result += QString::number(M, 'f', 0).rightJustified(2, u'0') + u':';
    }
    if (R <= 9.999999 && !Result.isEmpty()) Result += u'0';
    Result += R <= 1e-6 ? QStringLiteral("0") : RealToStrDigits(R, 6);
    return Result;
}

double TotalMilliSeconds(double D) {
    return D * 86400000.0;
}

double TotalSeconds(double D) {
    return D * 86400.0;
}

double TotalMinutes(double D) {
    return D * 1440.0;
}

double TotalHours(double D) {
    return D * 24.0;
}

TDateTime MyIncMilliSeconds(TDateTime DT, qint64 N) {
    return IncrementMs(DT, N, 1);
}

TDateTime MyIncSeconds(TDateTime DT, qint64 N) {
    return IncrementMs(DT, N, 1000);
}

TDateTime MyIncMinutes(TDateTime DT, qint64 N) {
    return IncrementMs(DT, N, 60000);
}

TDateTime MyIncHours(TDateTime DT, qint64 N) {
    return IncrementMs(DT, N, 3600000);
}

void MyDateTimeToString(QString& S, const QString& Format, TDateTime DT) {
    if (!Format.contains(QStringLiteral("fff"))) {
        S = FormatDateTime(Format, DT);
        return;
    }
    int Year, Month, Day, Hour, Minute, Second, MilliSecond;
    DecodeDateTime(DT, Year, Month, Day, Hour, Minute, Second, MilliSecond);
    S = FormatDateTime(Format, EncodeDateTime(Year, Month, Day, Hour, Minute, Second, 0));
    S.replace(QStringLiteral("fff"), QString::number(MilliSecond).rightJustified(3, u'0'));
}

double DateTimeSpan(TDateTime A, TDateTime B) {
    const auto Linear = [](double X) {
        const double Whole = std::trunc(X);
        double TimeOfDay = std::fabs(X - Whole);
        if (TimeOfDay > 0.99999999999999) TimeOfDay = 0;
        return Whole + TimeOfDay;
    };
    return Linear(A) - Linear(B);
}

QString DoubleToTimeSpanStr(double D) {
    if (std::isnan(D)) throw EConvertError(Format(Qvlocalize::SInvalidTimeSpan, {DoubleToStr(D)}));
    if (D < 0) throw EConvertError(Qvlocalize::SNegativeTimeSpan.Text());
    if (std::isinf(D)) throw EConvertError(Format(Qvlocalize::SInvalidTimeSpan, {DoubleToStr(D)}));
    // Whole milliseconds first, so that 0.9999999999 reads "1." and not "00:00:00.000".
    double Days = std::trunc(D);
    qint64 Ms = 0;
    if (D * double(MSecsPerDay) < double(MaxExactMs)) {
        const auto Total = qint64(std::nearbyint(D * double(MSecsPerDay)));
        Days = double(Total / MSecsPerDay);
        Ms = Total % MSecsPerDay;
    }
    QString Result;
    if (Days > 0) Result = QString::number(Days, 'f', 0) + u'.';
    if (Ms > 0) {
        const auto Two = [](qint64 N) { return QString::number(N).rightJustified(2, u'0'); };
        QString Sep = QLocale().decimalPoint();
        if (Sep.isEmpty()) Sep = QStringLiteral(".");
        Result += Two(Ms / 3600000) + u':' + Two(Ms / 60000 % 60) + u':' + Two(Ms / 1000 % 60) +
                  Sep + QString::number(Ms % 1000).rightJustified(3, u'0');
    }
    return Result;
}

double DoubleFomTimeSpanStr(const QString& S) {
    const QString Text = S.trimmed();
    if (Text.isEmpty()) return 0;
    QString Sep = QLocale().decimalPoint();
    if (Sep.isEmpty()) Sep = QStringLiteral(".");
    const QRegularExpression Pattern(
        QStringLiteral(
            "^(?:([0-9]+)\\.)?(?:([0-9]{1,2}):([0-9]{2}):([0-9]{2})(?:(?:\\.|%1)([0-9]{3}))?)?$")
            .arg(QRegularExpression::escape(Sep)));
    const QRegularExpressionMatch Match = Pattern.match(Text);
    const auto Field = [&](int Index) { return Match.captured(Index).toInt(); };
    if (!Match.hasMatch() || Field(2) > 23 || Field(3) > 59 || Field(4) > 59)
        throw EConvertError(Format(Qvlocalize::SInvalidTimeSpan, {S}));
    const qint64 Ms = ((qint64(Field(2)) * 60 + Field(3)) * 60 + Field(4)) * 1000 + Field(5);
    double Days = 0;
    const QByteArray DayText = Match.captured(1).toLatin1();
    if (!DayText.isEmpty() &&
        std::from_chars(DayText.constData(), DayText.constData() + DayText.size(), Days).ec !=
            std::errc())
        throw EConvertError(Format(Qvlocalize::SInvalidTimeSpan, {S}));
    if (Days * double(MSecsPerDay) < double(MaxExactMs))
        return double(qint64(Days) * MSecsPerDay + Ms) / double(MSecsPerDay);
    return Days + double(Ms) / double(MSecsPerDay);
}
