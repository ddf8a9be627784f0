#include "axes/qvdatetime.h"

#include "../qvtest.h"
#include "framework/qvexceptions.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <cmath>
#include <random>

namespace {

QString Decoded(TDateTime DT) {
    int Y, M, D, H, N, S, Z;
    DecodeDateTime(DT, Y, M, D, H, N, S, Z);
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d.%03d", Y, M, D, H, N, S, Z);
}

} // namespace

TEST(Qvdatetime, EncodeAndDecodeOnBothSidesOfTheBaseDate) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1899, 12, 29), -1);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465);
    EXPECT_EQ(EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), -1.25);
    EXPECT_EQ(EncodeDateTime(2024, 2, 29, 18, 0, 0, 0), 45351.75);
    EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);

    EXPECT_EQ(Decoded(-1.25), "1899-12-29 06:00:00.000");
    EXPECT_EQ(Decoded(-0.5), "1899-12-30 12:00:00.000"); // day 0 from either side
    EXPECT_EQ(Decoded(-693593.5), "0001-01-01 12:00:00.000");
    EXPECT_EQ(Decoded(0.99999999999), "1899-12-31 00:00:00.000"); // rounded, never 24:00
    EXPECT_EQ(Decoded(EncodeDate(1600, 2, 29)), "1600-02-29 00:00:00.000");
    EXPECT_EQ(DayOfWeek(0), 7);
    EXPECT_EQ(DayOfWeek(-1.5), 6);
    EXPECT_EQ(DayOfWeek(EncodeDate(1776, 7, 4)), 5);

    std::mt19937_64 Random(3);
    for (int I = 0; I < 20000; ++I) {
        const int Y = 1 + int(Random() % 9999), M = 1 + int(Random() % 12),
                  D = 1 + int(Random() % 28), H = int(Random() % 24), N = int(Random() % 60),
                  S = int(Random() % 60), Z = int(Random() % 1000);
        const QString Expected =
            QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d.%03d", Y, M, D, H, N, S, Z);
        ASSERT_EQ(Decoded(EncodeDateTime(Y, M, D, H, N, S, Z)), Expected);
    }

    EXPECT_EQ(MessageOf<EConvertError>([] { EncodeDate(2023, 2, 29); }),
              "Invalid argument to date encode");
    EXPECT_EQ(MessageOf<EConvertError>([] { EncodeDateTime(2000, 1, 1, 24, 0, 0, 0); }),
              "Invalid argument to time encode");
    EXPECT_EQ(MessageOf<EConvertError>([] { Decoded(std::nan("")); }),
              "NAN is not a valid date and time value");
    EXPECT_EQ(MessageOf<EConvertError>([] { FormatDateTime("yyyy", 3e6); }),
              "3000000 is not a valid date and time value");
    EXPECT_EQ(FormatDateTime("'no date letters'", 3e6), "no date letters");

    const QDateTime Early(QDate(1899, 12, 29), QTime(6, 0));
    EXPECT_EQ(QDateTimeToDateTime(Early), -1.25);
    EXPECT_EQ(DateTimeToQDateTime(-1.25), Early);
    const QDateTime Late(QDate(2024, 3, 5), QTime(14, 7, 9, 45));
    EXPECT_EQ(DateTimeToQDateTime(QDateTimeToDateTime(Late)), Late);
    EXPECT_EQ(QDateTimeToDateTime(QDateTime()), 0);
}

TEST(Qvdatetime, FormatDateTimeLetters) {
    TLocaleScope Scope(English);
    const TDateTime DT = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45); // a Tuesday
    const auto F = [&](const char* Format) { return FormatDateTime(Format, DT); };
    EXPECT_EQ(F("yyyy-mm-dd hh:nn:ss.zzz"), "2024-03-05 14:07:09.045");
    EXPECT_EQ(F("y yy yyy d dd m"), "24 24 2024 5 05 3");
    EXPECT_EQ(F("h:m:s hh:mm"), "14:7:9 14:07"); // m right after h is the minute
    EXPECT_EQ(F("hhh nnn sss zz"), "14 07 09 45");
    EXPECT_EQ(F("mmm mmmm ddd dddd aaa aaaa"), "Mar March Tue Tuesday Tue Tuesday");
    EXPECT_EQ(F("h:nn am/pm|h:nn AM/PM|h a/p|h:nn ampm"), "2:07 pm|2:07 PM|2 p|2:07 PM");
    EXPECT_EQ(F("hh 'ampm' hh"), "14 ampm 14"); // quoted markers do not count
    EXPECT_EQ(F("\"h\"h 'm'm"), "h14 m7");
    EXPECT_EQ(F("ddddd|dddddd"), "3/5/24|Tuesday, March 5, 2024");
    EXPECT_EQ(F("t|tt"), "2:07 PM|2:07:09 PM");
    EXPECT_EQ(F(""), "3/5/24 2:07:09 PM");
    EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 3, 5)), "3/5/24");
    EXPECT_EQ(F("dd/mm/yy x#- a ax"), "05/03/24 x#- a ax");
    // The own formatter writes the milliseconds at "fff" alone; "zzz" then reads 000.
    QString S;
    MyDateTimeToString(S, "hh:nn:ss.zzz", DT);
    EXPECT_EQ(S, "14:07:09.045");
    MyDateTimeToString(S, "yyyy fff zzz ffff", DT);
    EXPECT_EQ(S, "2024 045 000 045f");
    MyDateTimeToString(S, "dd hh:nn:ss.fff", EncodeDateTime(1899, 12, 29, 6, 0, 0, 7));
    EXPECT_EQ(S, "29 06:00:00.007");
    EXPECT_EQ(FormatDateTime("h:nn ampm", EncodeTime(0, 30, 0, 0)), "12:30 AM");
    // Noon and the minutes either side of it: 11 AM, 12 PM, 1 PM.
    EXPECT_EQ(FormatDateTime("h:nn ampm", EncodeTime(11, 59, 0, 0)), "11:59 AM");
    EXPECT_EQ(FormatDateTime("h:nn ampm|h a/p", EncodeTime(12, 0, 0, 0)), "12:00 PM|12 p");
    EXPECT_EQ(FormatDateTime("hh:nn AM/PM", EncodeTime(13, 0, 0, 0)), "01:00 PM");
    EXPECT_EQ(FormatDateTime("hh:nn", EncodeTime(0, 30, 0, 0)), "00:30");

    // Before the base date the fraction is a time of day after midnight of the integer day.
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", -0.25), "1899-12-30 06:00");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", -2.75), "1899-12-28 18:00");
    EXPECT_EQ(FormatDateTime("dddd yyyy-mm-dd yy", EncodeDate(1, 1, 1)), "Monday 0001-01-01 01");
    EXPECT_EQ(FormatDateTime("dddd d mmmm yyyy", EncodeDate(1776, 7, 4)), "Thursday 4 July 1776");

    TQvFormatSettings Custom = FormatSettings();
    Custom.DateSeparator = "-";
    Custom.TimeSeparator = "h";
    Custom.ShortDateFormat = "yyyy/mm/dd ddddd"; // nested formats go one level deep
    EXPECT_EQ(FormatDateTime("ddddd hh:nn", DT, Custom), "2024-03-05  14h07");
}

TEST(Qvdatetime, FormatSettingsFollowTheLocale) {
    const TQvFormatSettings English = TQvFormatSettings::FromLocale(::English);
    EXPECT_EQ(English.ShortDateFormat, "m/d/yy");
    EXPECT_EQ(English.LongDateFormat, "dddd, mmmm d, yyyy");
    EXPECT_EQ(English.LongTimeFormat, "h:nn:ss ampm");
    EXPECT_EQ(English.LongDayNames[0], "Sunday");
    EXPECT_EQ(English.ShortMonthNames[11], "Dec");

    const TQvFormatSettings Korean = TQvFormatSettings::FromLocale(QLocale(QLocale::Korean));
    EXPECT_EQ(Korean.LongTimeFormat, "ampm h\"시\" n\"분\" s\"초\"");
    EXPECT_EQ(FormatDateTime("tt", EncodeTime(14, 7, 9, 0), Korean), "오후 2시 7분 9초");
    const TQvFormatSettings Russian = TQvFormatSettings::FromLocale(QLocale(QLocale::Russian));
    EXPECT_EQ(Russian.LongDateFormat, "dddd, d mmmm yyyy \"г\".");

    TLocaleScope Scope(German);
    const TDateTime DT = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45);
    EXPECT_EQ(FormatSettings().ShortDateFormat, "dd/mm/yy");
    EXPECT_EQ(FormatSettings().DateSeparator, ".");
    EXPECT_EQ(FormatSettings().DecimalSeparator, ",");
    EXPECT_EQ(FormatDateTime("c", DT), "05.03.24 14:07:09");
    EXPECT_EQ(FormatDateTime("dddddd", DT), "Dienstag, 5. März 2024");
    EXPECT_EQ(FormatDateTime("t", DT), "14:07");
}

TEST(Qvdatetime, SecondsToString) {
    TLocaleScope Scope(English);
    using R = TQvSecondsFormatRange;
    const struct {
        double Seconds;
        R Range;
        const char* Text;
    } Cases[] = {{3725.5, R::Hour, "01:02:05.5"},
                 {59.25, R::Second, "59.25"},
                 {86400, R::Day, "1.00:00:00"},
                 {90061.001, R::Day, "1.01:01:01.001"},
                 {125.25, R::Minute, "02:05.25"},
                 {3725.5, R::Minute, "62:05.5"},
                 {90000, R::Hour, "25:00:00"},
                 {0, R::Second, "0"},
                 {1e-7, R::Second, "0"},
                 {69.5, R::Minute, "01:09.5"},
                 {9.9996, R::Minute, "00:10"},
                 {3599.9996, R::Hour, "01:00:00"},
                 {7199.999, R::Hour, "01:59:59.999"},
                 {5.1234567, R::Second, "5.1235"},
                 {-3725.5, R::Hour, "-01:02:05.5"},
                 {-0.0001, R::Minute, "00:00"}};
    for (const auto& Case : Cases)
        EXPECT_EQ(SecondsToString(Case.Seconds, Case.Range), Case.Text) << Case.Seconds;
    TLocaleScope GermanScope(German);
    EXPECT_EQ(SecondsToString(3725.5, R::Hour), "01:02:05,5");
    EXPECT_EQ(SecondsToString(59.25, R::Second), "59,25");
}

TEST(Qvdatetime, TotalsSpansAndClockTimeIncrements) {
    EXPECT_EQ(DateTimeSpan(0.75, -1.25), 1.5);
    EXPECT_EQ(DateTimeSpan(-1.25, -2.75), 0.5);
    EXPECT_EQ(DateTimeSpan(-1.999999999999999, 0), -1);
    EXPECT_EQ(TotalHours(1.5), 36);
    EXPECT_EQ(TotalMinutes(0.5), 720);
    EXPECT_EQ(TotalSeconds(1), 86400);
    EXPECT_EQ(TotalMilliSeconds(0.25), 21600000);

    const TDateTime Dec29At6 = EncodeDateTime(1899, 12, 29, 6, 0, 0, 0);
    EXPECT_EQ(MyIncHours(Dec29At6, 24), EncodeDateTime(1899, 12, 30, 6, 0, 0, 0));
    EXPECT_EQ(MyIncHours(0.25, -12), EncodeDateTime(1899, 12, 29, 18, 0, 0, 0));
    EXPECT_EQ(MyIncMinutes(EncodeDateTime(1899, 12, 29, 23, 59, 0, 0), 1), 0);
    EXPECT_EQ(MyIncSeconds(-2.5, -86400), -3.5);
    EXPECT_EQ(MyIncMilliSeconds(-1, -1), EncodeDateTime(1899, 12, 28, 23, 59, 59, 999));
    EXPECT_EQ(MyIncMilliSeconds(0.1, 1), 8640001 / 86400000.0);
    EXPECT_EQ(MyIncMilliSeconds(0.123456789123, 0), 0.123456789123);
    EXPECT_TRUE(std::isnan(MyIncHours(std::nan(""), 1)));
    EXPECT_EQ(MyIncHours(1e300, 1), 1e300);

    // Second by second from 1899-12-28 00:00 over the base date: the clock never drifts.
    TDateTime DT = EncodeDate(1899, 12, 28);
    for (int I = 1; I <= 200000; ++I) {
        DT = MyIncSeconds(DT, 1);
        if (I % 9973 == 0) {
            const int Seconds = I % 86400;
            ASSERT_EQ(DT, EncodeDateTime(1899, 12, 28 + I / 86400, Seconds / 3600,
                                         Seconds / 60 % 60, Seconds % 60, 0));
        }
    }
    EXPECT_EQ(DT, EncodeDateTime(1899, 12, 30, 7, 33, 20, 0));
    for (int I = 0; I < 200000; ++I)
        DT = MyIncSeconds(DT, -1);
    EXPECT_EQ(DT, EncodeDate(1899, 12, 28));
}

TEST(Qvdatetime, TimeSpanText) {
    TLocaleScope Scope(English);
    EXPECT_EQ(DoubleToTimeSpanStr(0), "");
    EXPECT_EQ(DoubleToTimeSpanStr(1.5), "1.12:00:00.000");
    EXPECT_EQ(DoubleToTimeSpanStr(3725.5 / 86400), "01:02:05.500");
    EXPECT_EQ(DoubleToTimeSpanStr(EncodeTime(23, 59, 59, 999) + 12), "12.23:59:59.999");
    EXPECT_EQ(DoubleToTimeSpanStr(0.9999999999), "1.");
    EXPECT_EQ(MessageOf<EConvertError>([] { DoubleToTimeSpanStr(-1e-9); }),
              "Error no negative Time Span allowed");
    EXPECT_EQ(MessageOf<EConvertError>([] { DoubleToTimeSpanStr(std::nan("")); }),
              "\"NAN\" is not a valid time span");

    EXPECT_EQ(DoubleFomTimeSpanStr(""), 0);
    EXPECT_EQ(DoubleFomTimeSpanStr(" 1.12:00:00.000 "), 1.5);
    EXPECT_EQ(DoubleFomTimeSpanStr("12:00:00"), 0.5);
    for (const char* Bad : {"x", "5", "1.24:00:00.000", "12:60:00", "12:00:60", "-1.", "1..",
                            "12:00:00.5", "12:00", "1.12:00:00.0000", "1.12:00:00,000"})
        EXPECT_EQ(MessageOf<EConvertError>([&] { DoubleFomTimeSpanStr(Bad); }),
                  QStringLiteral("\"%1\" is not a valid time span").arg(Bad))
            << Bad;
    EXPECT_THROW(DoubleFomTimeSpanStr(QString(400, u'9') + u'.'), EConvertError);

    std::mt19937_64 Random(11);
    std::uniform_real_distribution<double> Days(0, 40000);
    for (int I = 0; I < 20000; ++I) {
        const double D = I % 2 ? Days(Random) : Days(Random) / 40000;
        const double Rounded = std::nearbyint(D * 86400000) / 86400000;
        ASSERT_EQ(DoubleFomTimeSpanStr(DoubleToTimeSpanStr(D)), Rounded) << D;
    }

    TLocaleScope GermanScope(German);
    EXPECT_EQ(DoubleToTimeSpanStr(1.5), "1.12:00:00,000");
    EXPECT_EQ(DoubleFomTimeSpanStr("1.12:00:00,000"), 1.5);
    EXPECT_EQ(DoubleFomTimeSpanStr("1.12:00:00.000"), 1.5);
}
