// Partition searches, end rounding and ticks of the linear, logarithmic, time-span and
// date-time scalings, with the guards against degenerate input.

#include "axes/qvticks.h"

#include "../qvtest.h"
#include "axes/qvdatetime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <utility>
#include <vector>

using namespace QvTicks;
using R = TQvDtRegion;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

enum class TPick {
    All,
    Majors,
    Labels
};

std::vector<double> Values(const std::vector<TTick>& Ticks, TPick Pick = TPick::All) {
    std::vector<double> Result;
    for (const TTick& Tick : Ticks)
        if (Pick == TPick::All || (Pick == TPick::Majors ? Tick.Major : Tick.Label))
            Result.push_back(Tick.Value);
    return Result;
}

void ExpectNear(const std::vector<double>& Actual, const std::vector<double>& Expected,
                double Tolerance) {
    ASSERT_EQ(Actual.size(), Expected.size());
    for (size_t i = 0; i < Actual.size(); ++i)
        EXPECT_NEAR(Actual[i], Expected[i], Tolerance) << "index " << i;
}

// Start, Start + Step, ... up to Stop.
std::vector<double> Grid(double Start, double Step, double Stop) {
    std::vector<double> Result;
    for (int i = 0; Start + i * Step <= Stop + Step * 1e-6; ++i)
        Result.push_back(Start + i * Step);
    return Result;
}

QString Text(double DT) {
    int Y, M, D, H, N, S, Z;
    DecodeDateTime(DT, Y, M, D, H, N, S, Z);
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d.%03d", Y, M, D, H, N, S, Z);
}

QStringList Texts(const std::vector<TTick>& Ticks, TPick Pick) {
    QStringList Result;
    for (double Value : Values(Ticks, Pick))
        Result << Text(Value);
    return Result;
}

double At(int Y, int M, int D, int H = 0, int N = 0, int S = 0, int Z = 0) {
    return EncodeDateTime(Y, M, D, H, N, S, Z);
}

TQvDtParameters Dt(R Major, R Minor, int Increment, int MajorMod, int LabelMod) {
    TQvDtParameters P;
    P.MajorRgn = Major;
    P.MinorRgn = Minor;
    P.Increment = Increment;
    P.MajorMod = MajorMod;
    P.LabelMod = LabelMod;
    return P;
}

} // namespace

// ---- Linear ----

TEST(QvTicks, LinearSearchTakesTheFirstStepThatFillsTheAxis) {
    std::vector<double> Tried;
    TParts P = NormalAxisParts(0, 10, 400, 1.0, [&](const TParts& Trial) {
        Tried.push_back(Trial.LabelPart);
        EXPECT_EQ(Trial.RangeExponent, 1);
        return 20.0;
    });
    EXPECT_EQ(Tried, (std::vector<double>{10, 5, 2, 1, 0.5, 0.2}));
    EXPECT_EQ(P.RangeExponent, 1);
    EXPECT_EQ(P.LabelPart, 0.2); // absolute 2
    EXPECT_EQ(P.MajorTickPart, 0.1);
    EXPECT_EQ(P.TickPart, 0.02);

    // Wider labels and wider spacing stop earlier. The mantissa decides, whatever the magnitude
    // or sign of the range.
    const struct {
        double Start, Stop, Distance, Width;
        int Exponent;
        double Label, Major, Tick;
    } Cases[] = {
        {0, 10, 1, 100, 1, 0.5, 0.5, 0.1},     {0, 10, 3, 20, 1, 0.5, 0.5, 0.1},
        {0, 3e-9, 1, 20, -9, 0.5, 0.5, 0.1},   {1e15, 4e15, 1, 20, 15, 0.5, 0.5, 0.1},
        {-250, 750, 1, 20, 3, 0.2, 0.1, 0.02}, {-0.07, -0.02, 1, 20, -2, 1.0, 0.5, 0.1},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.Start << " to " << C.Stop);
        P = NormalAxisParts(C.Start, C.Stop, 400, C.Distance,
                            [&](const TParts&) { return C.Width; });
        EXPECT_EQ(P.RangeExponent, C.Exponent);
        EXPECT_EQ(P.LabelPart, C.Label);
        EXPECT_EQ(P.MajorTickPart, C.Major);
        EXPECT_EQ(P.TickPart, C.Tick);
    }
}

TEST(QvTicks, LinearSearchSurvivesDegenerateInput) {
    int Calls = 0;
    const auto Counted = [&](const TParts&) {
        ++Calls;
        return 20.0;
    };
    for (auto [Start, Stop] :
         {std::pair{5.0, 5.0}, std::pair{NaN, 1.0}, std::pair{0.0, Inf}, std::pair{10.0, 0.0}}) {
        const TParts P = NormalAxisParts(Start, Stop, 400, 1, Counted);
        EXPECT_EQ(P.LabelPart, 1.0);
        EXPECT_EQ(P.MajorTickPart, 0.5);
        EXPECT_EQ(P.TickPart, 0.1);
    }
    EXPECT_EQ(Calls, 0);
    // Labels of no width and no spacing never fill the axis; the search still ends.
    const TParts P = NormalAxisParts(0, 10, 400, 0, [](const TParts&) { return 0.0; });
    EXPECT_GT(P.LabelPart, 0);
}

TEST(QvTicks, LinearTicksMajorsAndLabels) {
    // Rounded ends 0 to 10: labels every 2, majors every 1, minors every 0.2.
    auto Ticks = LinearTicks(0, 10, TParts{0.2, 0.1, 0.02, 1}, true);
    ExpectNear(Values(Ticks), Grid(0, 0.2, 10), 1e-12);
    ExpectNear(Values(Ticks, TPick::Majors), Grid(0, 1, 10), 1e-12);
    ExpectNear(Values(Ticks, TPick::Labels), Grid(0, 2, 10), 1e-12);

    // Unrounded ends: the ticks stay inside, the labels and majors on their grids.
    Ticks = LinearTicks(0.13, 0.87, TParts{2, 1, 0.2, -1}, false);
    ExpectNear(Values(Ticks), Grid(0.14, 0.02, 0.86), 1e-14);
    ExpectNear(Values(Ticks, TPick::Majors), Grid(0.2, 0.1, 0.8), 1e-14);
    ExpectNear(Values(Ticks, TPick::Labels), {0.2, 0.4, 0.6, 0.8}, 1e-14);

    // Crossing zero.
    Ticks = LinearTicks(-1.5, 2.5, TParts{1, 0.5, 0.1, 0}, true);
    EXPECT_EQ(Ticks.size(), 41u);
    ExpectNear(Values(Ticks, TPick::Majors), Grid(-1.5, 0.5, 2.5), 1e-12);
    ExpectNear(Values(Ticks, TPick::Labels), {-1, 0, 1, 2}, 1e-12);

    // A label step finer than the ticks, starting between two ticks: still a label at each.
    Ticks = LinearTicks(0.01, 1, TParts{0.05, 0.2, 0.2, 0}, false);
    ExpectNear(Values(Ticks), {0.2, 0.4, 0.6, 0.8, 1.0}, 1e-12);
    EXPECT_EQ(Values(Ticks, TPick::Labels).size(), 5u);
    // Labels off the tick grid go to a tick within 0.6 steps of them.
    Ticks = LinearTicks(0, 1.2, TParts{0.3, 0.3, 0.2, 0}, true);
    ExpectNear(Values(Ticks, TPick::Labels), {0, 0.2, 0.6, 0.8, 1.2}, 1e-12);
}

TEST(QvTicks, LinearTicksGuards) {
    // A tick part of 0 counts as 1.
    ExpectNear(Values(LinearTicks(0, 10, TParts{2, 1, 0, 0}, true)), Grid(0, 1, 10), 1e-12);
    for (auto [Start, Stop] : {std::pair{NaN, 10.0}, {0.0, Inf}, {10.0, 0.0}})
        EXPECT_TRUE(LinearTicks(Start, Stop, TParts{1, 1, 0.1, 0}, true).empty());
    EXPECT_EQ(LinearTicks(0, 10, TParts{1, 1, NaN, 0}, false).size(), 11u);
    // No grid value between the ends.
    EXPECT_TRUE(LinearTicks(0.05, 0.08, TParts{1, 1, 1, -1}, false).empty());
    // Far too many ticks: capped, still from end to end.
    auto Ticks = LinearTicks(0, 10, TParts{1, 1, 1e-12, 0}, true);
    EXPECT_EQ(Ticks.size(), 10000u);
    EXPECT_EQ(Ticks.front().Value, 0);
    EXPECT_EQ(Ticks.back().Value, 10);
    // An empty range gives its one tick.
    Ticks = LinearTicks(3, 3, TParts{1, 1, 0.1, 0}, true);
    ASSERT_EQ(Ticks.size(), 1u);
    EXPECT_TRUE(Ticks[0].Major && Ticks[0].Label);
}

// ---- Logarithmic ----

TEST(QvTicks, LogSearchGroupsDecadesByThree) {
    // Width 40 counts as 20.4; 1 to 1e9 first fits with a label every 4 decades, rounded to 3.
    // Nine decades with 10 labels need 10 × 0.51 × 40 + 9 × 30 = 474 pixels.
    const struct {
        double Pixels, Distance, Label, Major, Tick;
    } Cases[] = {
        {150, 1, 3, 3, 1},   {1000, 1, 1, 1, 0.1}, {300, 1, 2, 1, 0.1},
        {80, 1, 6, 6, 2}, // fits at 7, rounded to 6
        {475, 1, 1, 1, 0.1}, {473, 1, 2, 1, 0.1},  {475, 1.1, 2, 1, 0.1},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.Pixels << " px");
        const TParts P = LogAxisParts(1, 1e9, C.Pixels, C.Distance, 40);
        EXPECT_EQ(P.RangeExponent, 9);
        EXPECT_EQ(P.LabelPart, C.Label);
        EXPECT_EQ(P.MajorTickPart, C.Major);
        EXPECT_EQ(P.TickPart, C.Tick);
    }
    TParts P = LogAxisParts(2, 5, 10, 1, 400);
    EXPECT_EQ(P.RangeExponent, 0);
    EXPECT_EQ(P.LabelPart, 1);
    // A single label wider than the axis: the search ends at one label.
    P = LogAxisParts(1, 1e9, 10, 1, 40);
    EXPECT_EQ(P.LabelPart, 18);
    EXPECT_EQ(LogAxisParts(0, 100, 400, 1, 20).LabelPart, 1);
    EXPECT_EQ(LogAxisParts(NaN, 100, 400, 1, 20).TickPart, 0.1);
}

TEST(QvTicks, LogTicksOverFewAndManyDecades) {
    auto Ticks = LogTicks(1, 1000, TParts{1, 1, 0.1, 3}, true);
    std::vector<double> Expected;
    for (double Decade : {1.0, 10.0, 100.0})
        for (int m = 1; m <= 9; ++m)
            Expected.push_back(m * Decade);
    Expected.push_back(1000);
    EXPECT_EQ(Values(Ticks), Expected);
    EXPECT_EQ(Values(Ticks, TPick::Majors), (std::vector<double>{1, 10, 100, 1000}));
    EXPECT_EQ(Values(Ticks, TPick::Labels), (std::vector<double>{1, 10, 100, 1000}));

    Ticks = LogTicks(0.03, 7000, TParts{1, 1, 0.1, 5}, false);
    EXPECT_EQ(Ticks.size(), 50u);
    EXPECT_EQ(Ticks.front().Value, 0.03);
    EXPECT_EQ(Ticks[1].Value, 0.04);
    EXPECT_EQ(Ticks.back().Value, 7000);
    EXPECT_EQ(Values(Ticks, TPick::Majors), (std::vector<double>{0.1, 1, 10, 100, 1000}));

    // Every decade a tick, every third one major and labelled.
    Ticks = LogTicks(1, 1e9, TParts{3, 3, 1, 9}, true);
    EXPECT_EQ(Ticks.size(), 10u);
    EXPECT_EQ(Values(Ticks, TPick::Majors), (std::vector<double>{1, 1e3, 1e6, 1e9}));
    EXPECT_EQ(Values(Ticks, TPick::Labels), (std::vector<double>{1, 1e3, 1e6, 1e9}));
    // Quarter-decade ticks.
    EXPECT_EQ(Values(LogTicks(1, 10, TParts{1, 1, 0.25, 1}, true)),
              (std::vector<double>{1, 2.5, 5, 7.5, 10}));
}

TEST(QvTicks, LogLabelsOfUserParts) {
    // Labels every half decade also label 5 × 10^k.
    auto Ticks = LogTicks(1, 100, TParts{0.5, 1, 0.1, 2}, true);
    EXPECT_EQ(Values(Ticks, TPick::Labels), (std::vector<double>{1, 5, 10, 50, 100}));
    EXPECT_EQ(Values(Ticks, TPick::Majors), (std::vector<double>{1, 10, 100}));
    // Every second decade, counted from 10^0 on both sides.
    Ticks = LogTicks(1e-4, 1e4, TParts{2, 1, 0.1, 8}, true);
    EXPECT_EQ(Values(Ticks, TPick::Labels), (std::vector<double>{1e-4, 1e-2, 1, 1e2, 1e4}));

    for (auto [Start, Stop] : {std::pair{0.0, 100.0}, {100.0, 1.0}, {NaN, 1.0}})
        EXPECT_TRUE(LogTicks(Start, Stop, TParts{1, 1, 0.1, 2}, true).empty());
    EXPECT_EQ(LogTicks(1, 1e300, TParts{1, 1, 1e-9, 300}, true).size(), 10000u);
    // Rounded ends hold their exact values.
    const double Start = 1000 * (1 + 1e-13);
    EXPECT_EQ(LogTicks(Start, 1e5, TParts{1, 1, 0.1, 2}, true).front().Value, Start);
}

// ---- Time spans ----

TEST(QvTicks, SecondsFormatByTheLargerEnd) {
    using S = TQvSecondsFormatRange;
    EXPECT_EQ(SecondsFormat(0, 59.9), S::Second);
    EXPECT_EQ(SecondsFormat(0, 60), S::Minute);
    EXPECT_EQ(SecondsFormat(0, 3599), S::Minute);
    EXPECT_EQ(SecondsFormat(0, 3600), S::Hour);
    EXPECT_EQ(SecondsFormat(90000, 0), S::Day);
    EXPECT_EQ(SecondsFormat(-100, -50), S::Second);
}

TEST(QvTicks, SecondsSearchForEveryCase) {
    struct TCase {
        double Stop, Width, Pixels;
        R Rgn;
        int Exponent;
        double Label, Major, Tick;
    };
    const TCase Cases[] = {
        // A: days, minutes and seconds
        {30 * 86400.0, 50, 500, R::Day, 1, 0.5, 0.5, 0.1},
        {1200, 30, 150, R::Minute, 1, 1, 0.5, 0.1},
        {30, 50, 800, R::Second, 1, 0.2, 0.1, 0.02},
        // B
        {90, 30, 120, R::Second, 1, 6, 3, 0.5},
        {90, 30, 200, R::Second, 1, 3, 1.5, 0.5},
        {90, 30, 300, R::Second, 1, 1.5, 0.5, 0.1},
        // C: the first decade, then the later one
        {3600, 30, 40, R::Minute, 1, 6, 3, 0.5},
        {3600, 30, 200, R::Minute, 1, 1.5, 0.5, 0.1},
        {7200, 30, 200, R::Minute, 2, 0.3, 0.15, 0.05},
        {7200, 30, 100, R::Minute, 2, 0.5, 0.25, 0.05},
        // D
        {86400, 30, 100, R::Hour, 1, 1.2, 0.6, 0.1},
        {86400, 30, 40, R::Hour, 1, 3, 1, 3.0 / 18},
        {50400, 30, 40, R::Hour, 1, 2.4, 1.2, 0.1},
        // E
        {18000, 30, 40, R::Hour, 0, 10, 5, 1},
        {18000, 30, 200, R::Hour, 0, 2, 1, 0.25},
        {18000, 30, 600, R::Hour, 0, 0.5, 0.5, 0.1},
        // F
        {5 * 86400.0, 30, 200, R::Day, 0, 2, 1, 2.0 / 24},
        {5 * 86400.0, 30, 300, R::Day, 0, 1, 0.5, 0.125},
        {5 * 86400.0, 30, 600, R::Day, 0, 0.5, 0.5, 0.0625},
        // G
        {10 * 86400.0, 30, 200, R::Day, 1, 0.4, 0.2, 0.05},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.Stop << " s on " << C.Pixels << " px");
        TQvSecParameters Sec;
        std::vector<double> Asked;
        const TParts P = SecondsAxisParts(
            0, C.Stop, C.Pixels, 1,
            [&](double Value, TQvSecondsFormatRange Format) {
                EXPECT_EQ(Format, SecondsFormat(0, C.Stop));
                Asked.push_back(Value);
                return C.Width;
            },
            Sec);
        EXPECT_EQ(Asked, (std::vector<double>{0, C.Stop}));
        EXPECT_EQ(Sec.Rgn, C.Rgn);
        EXPECT_EQ(Sec.Exponent, C.Exponent);
        EXPECT_EQ(Sec.Format, SecondsFormat(0, C.Stop));
        EXPECT_NEAR(P.LabelPart, C.Label, 1e-12 * C.Label);
        EXPECT_NEAR(P.MajorTickPart, C.Major, 1e-12 * C.Major);
        EXPECT_NEAR(P.TickPart, C.Tick, 1e-12 * C.Tick);
    }
    // The rules' bounds: exactly 20 days is G, 3 hours C, 3 minutes B.
    TQvSecParameters Sec;
    const auto Width = [](double, TQvSecondsFormatRange) { return 30.0; };
    const TParts G = SecondsAxisParts(0, 20 * 86400.0, 200, 1, Width, Sec);
    EXPECT_EQ(Sec.Rgn, R::Day);
    EXPECT_DOUBLE_EQ(G.TickPart, G.LabelPart / 8);
    SecondsAxisParts(0, 3 * 3600.0, 200, 1, Width, Sec);
    EXPECT_EQ(Sec.Rgn, R::Minute);
    SecondsAxisParts(0, 180, 200, 1, Width, Sec);
    EXPECT_EQ(Sec.Rgn, R::Second);
    EXPECT_EQ(Sec.Exponent, 2);
    // 90 s on 60 px: the minor ticks of the table would stand less than 5 px apart; with that
    // least gap they divide the same major step more coarsely.
    const auto Gap = [&](const TParts& Parts) {
        return Parts.TickPart * 60 / (90 / std::pow(10, Sec.Exponent));
    };
    const TParts Dense = SecondsAxisParts(0, 90, 60, 1, Width, Sec);
    EXPECT_LT(Gap(Dense), 5);
    const TParts Thinned = SecondsAxisParts(0, 90, 60, 1, Width, Sec, 5);
    EXPECT_EQ(Thinned.MajorTickPart, Dense.MajorTickPart);
    EXPECT_GE(Gap(Thinned), 5);
    const double Divisions = Thinned.MajorTickPart / Thinned.TickPart;
    EXPECT_DOUBLE_EQ(Divisions, std::round(Divisions));
    EXPECT_GT(Divisions, 1);
    EXPECT_EQ(ThinTickPart(0.1, 1, 100, 5), 0.1) << "already apart";
    EXPECT_EQ(ThinTickPart(0.1, 1, 30, 5), 0.2) << "tenths too close, fifths apart";
    EXPECT_EQ(ThinTickPart(0.1, 1, 8, 5), 1);
    // Nothing to divide.
    const TParts P = SecondsAxisParts(5, 5, 200, 1, Width, Sec);
    EXPECT_EQ(Sec.Rgn, R::Second);
    EXPECT_EQ(P.LabelPart, 1);
}

TEST(QvTicks, SecondsRoundAndTicksOnTheRegionsGrid) {
    EXPECT_EQ(SecondsRound(5000, R::Hour, 0, true, 0.5), 5400);
    EXPECT_EQ(SecondsRound(5000, R::Hour, 0, false, 0.5), 3600);
    EXPECT_EQ(SecondsRound(-5000, R::Hour, 0, true, 0.5), -3600);
    EXPECT_EQ(SecondsRound(100000, R::Day, 0, true, 1), 172800);
    EXPECT_EQ(SecondsRound(400, R::Minute, 1, true, 0.5), 600);
    EXPECT_DOUBLE_EQ(SecondsRound(0.0123, R::MilliSecond, 0, true, 5), 0.015);
    EXPECT_EQ(SecondsRound(1234, R::Year, 0, true, 1), 1234);
    TQvSecParameters Sec{R::Second, 1, TQvSecondsFormatRange::Minute};
    auto Ticks = SecondsTicks(0, 90, TParts{3, 1.5, 0.5, 1}, Sec, true);
    ExpectNear(Values(Ticks), Grid(0, 5, 90), 1e-9);
    ExpectNear(Values(Ticks, TPick::Majors), Grid(0, 15, 90), 1e-9);
    ExpectNear(Values(Ticks, TPick::Labels), {0, 30, 60, 90}, 1e-9);
    Ticks = SecondsTicks(7, 83, TParts{3, 1.5, 0.5, 1}, Sec, false);
    ExpectNear(Values(Ticks), Grid(10, 5, 80), 1e-9);
    ExpectNear(Values(Ticks, TPick::Majors), Grid(15, 15, 75), 1e-9);
    ExpectNear(Values(Ticks, TPick::Labels), {30, 60}, 1e-9);

    Sec = {R::Day, 0, TQvSecondsFormatRange::Day};
    Ticks = SecondsTicks(0, 432000, TParts{2, 1, 2.0 / 24, 5}, Sec, true);
    ExpectNear(Values(Ticks), Grid(0, 7200, 432000), 1e-6);
    ExpectNear(Values(Ticks, TPick::Majors), Grid(0, 86400, 432000), 1e-6);
    ExpectNear(Values(Ticks, TPick::Labels), {0, 172800, 345600}, 1e-6);

    Sec.Rgn = R::Year;
    EXPECT_TRUE(SecondsTicks(0, 100, TParts{1, 1, 1, 0}, Sec, true).empty());
}

// ---- Date and time ----

TEST(QvTicks, DateTimeRoundingToCalendarUnits) {
    const auto Round = [](double V, const TQvDtParameters& P, bool Up, bool Major) {
        return Text(DateTimeRound(V, P, Up, Major));
    };
    const double Noon = At(2024, 3, 15, 12, 0, 0, 13);
    EXPECT_EQ(Round(Noon, Dt(R::MilliSecond, R::MilliSecond, 2, 10, 20), false, true),
              "2024-03-15 12:00:00.010");
    const double Friday = At(2024, 3, 15, 10, 20);
    const auto Hours = Dt(R::Hour, R::Hour, 3, 12, 24);
    EXPECT_EQ(Round(Friday, Hours, true, false), "2024-03-15 12:00:00.000");
    EXPECT_EQ(Round(Friday, Hours, false, true), "2024-03-15 00:00:00.000");
    // Weeks begin on Mondays.
    const auto Days = Dt(R::Day, R::Day, 1, 7, 1);
    EXPECT_EQ(Round(Friday, Days, true, false), "2024-03-16 00:00:00.000");
    EXPECT_EQ(Round(Friday, Days, true, true), "2024-03-18 00:00:00.000");
    EXPECT_EQ(Round(Friday, Days, false, true), "2024-03-11 00:00:00.000");
    const auto MonthsOverDays = Dt(R::Month, R::Day, 1, 1, 1);
    EXPECT_EQ(Round(Friday, MonthsOverDays, true, true), "2024-04-01 00:00:00.000");
    EXPECT_EQ(Round(Friday, MonthsOverDays, false, true), "2024-03-01 00:00:00.000");

    const double May = At(2024, 5, 10);
    const auto Months = Dt(R::Month, R::Month, 1, 3, 6);
    EXPECT_EQ(Round(May, Months, true, false), "2024-06-01 00:00:00.000");
    EXPECT_EQ(Round(May, Months, false, true), "2024-04-01 00:00:00.000");
    const auto YearsOverMonths = Dt(R::Month, R::Month, 3, 12, 2);
    EXPECT_EQ(Round(May, YearsOverMonths, true, false), "2024-07-01 00:00:00.000");
    EXPECT_EQ(Round(May, YearsOverMonths, true, true), "2025-01-01 00:00:00.000");
    const auto Years = Dt(R::Year, R::Year, 5, 25, 50);
    EXPECT_EQ(Round(May, Years, true, false), "2025-01-01 00:00:00.000");
    EXPECT_EQ(Round(May, Years, false, false), "2020-01-01 00:00:00.000");
    EXPECT_EQ(Round(May, Years, false, true), "2000-01-01 00:00:00.000");

    // Values on the grid stay.
    const double Y2k = At(2000, 1, 1);
    for (const auto& P :
         {Dt(R::MilliSecond, R::MilliSecond, 2, 10, 20), Dt(R::Second, R::Second, 5, 30, 60), Hours,
          Days, Months, YearsOverMonths, Years})
        for (bool Up : {true, false}) {
            EXPECT_EQ(DateTimeRound(Y2k, P, Up, false), Y2k);
            if (P.MinorRgn != R::Day) {
                EXPECT_EQ(DateTimeRound(Y2k, P, Up, true), Y2k);
            }
        }

    // Before the base date the time of day still counts forwards.
    const double Early = At(1899, 12, 29, 6, 30);
    EXPECT_EQ(Round(Early, Dt(R::Hour, R::Hour, 1, 3, 6), true, false), "1899-12-29 07:00:00.000");
    EXPECT_EQ(Round(Early, Dt(R::Hour, R::Hour, 1, 3, 6), false, false), "1899-12-29 06:00:00.000");
    EXPECT_EQ(DateTimeRound(Early, Days, true, false), 0.0);
    EXPECT_EQ(DateTimeRound(Early, Days, false, false), -1.0);

    // The ends of the calendar.
    const auto Millennia = Dt(R::Year, R::Year, 100, 1000, 2000);
    EXPECT_EQ(DateTimeRound(MaxDateTime - 10, Millennia, true, true), MaxDateTime);
    EXPECT_EQ(DateTimeRound(MaxDateTime, Years, true, false), MaxDateTime);
    EXPECT_EQ(DateTimeRound(MinDateTime + 10, Millennia, false, true), MinDateTime);
    EXPECT_EQ(DateTimeRound(-1e9, Years, false, false), MinDateTime);
    EXPECT_TRUE(std::isnan(DateTimeRound(NaN, Years, true, false)));
}

TEST(QvTicks, DateTimeLadderPicksTheFirstRungThatFits) {
    // Labels 100 px wide on 1000 px fit up to 5 of them.
    std::vector<TDtLabelFormat> Asked;
    const auto Width = [&](TDtLabelFormat Format) {
        Asked.push_back(Format);
        return 100.0;
    };
    struct TCase {
        double Start, Stop;
        TQvDtParameters Expected;
        TDtLabelFormat Format;
    };
    const TCase Cases[] = {
        {At(2024, 3, 15, 12), At(2024, 3, 15, 12, 0, 1),
         Dt(R::MilliSecond, R::MilliSecond, 100, 500, 1000), TDtLabelFormat::Second},
        {At(2024, 3, 15, 12), At(2024, 3, 15, 13), Dt(R::Minute, R::Minute, 1, 5, 15),
         TDtLabelFormat::Minute},
        {At(2024, 3, 15, 23, 30), At(2024, 3, 16, 0, 30), Dt(R::Minute, R::Minute, 1, 5, 15),
         TDtLabelFormat::DayAndHour},
        {At(2024, 3, 1), At(2024, 4, 1), Dt(R::Day, R::Day, 1, 7, 1), TDtLabelFormat::Day},
        {At(2024, 1, 1), At(2024, 3, 31), Dt(R::Month, R::Day, 1, 1, 1), TDtLabelFormat::LongMonth},
        {At(2020, 1, 1), At(2030, 1, 1), Dt(R::Month, R::Month, 3, 12, 2), TDtLabelFormat::Year},
        {At(1500, 1, 1), At(2500, 1, 1), Dt(R::Year, R::Year, 25, 100, 200), TDtLabelFormat::Year},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(Text(C.Start).toStdString() + " to " + Text(C.Stop).toStdString());
        Asked.clear();
        const TQvDtParameters P = DateTimeAxisParts(C.Start, C.Stop, 1000, 1, Width);
        EXPECT_EQ(P.MajorRgn, C.Expected.MajorRgn);
        EXPECT_EQ(P.MinorRgn, C.Expected.MinorRgn);
        EXPECT_EQ(P.Increment, C.Expected.Increment);
        EXPECT_EQ(P.MajorMod, C.Expected.MajorMod);
        EXPECT_EQ(P.LabelMod, C.Expected.LabelMod);
        EXPECT_EQ(P.Format, C.Format);
        // Each format is measured once.
        EXPECT_EQ(std::set<TDtLabelFormat>(Asked.begin(), Asked.end()).size(), Asked.size());
    }

    // Five labels 100 px wide need 6 × 0.48 × 100 + 5 × 120 = 888 pixels.
    TQvDtParameters P = DateTimeAxisParts(At(2020, 1, 1), At(2030, 1, 1), 889, 1, Width);
    EXPECT_EQ(P.MinorRgn, R::Month);
    EXPECT_EQ(P.LabelMod, 2);
    P = DateTimeAxisParts(At(2020, 1, 1), At(2030, 1, 1), 887, 1, Width);
    EXPECT_EQ(P.MinorRgn, R::Year);
    EXPECT_EQ(P.LabelMod, 5);

    // A wide month name moves on to short month labels.
    P = DateTimeAxisParts(At(2024, 1, 1), At(2024, 3, 31), 1000, 1, [](TDtLabelFormat Format) {
        return Format == TDtLabelFormat::LongMonth ? 400.0 : 100.0;
    });
    EXPECT_EQ(P.Format, TDtLabelFormat::ShortMonth);
    EXPECT_EQ(P.LabelMod, 3);
    // 1000 labels never fit, however long the axis: a day on 1e9 px gets labels every 2 minutes,
    // and no narrower rung is even measured.
    Asked.clear();
    P = DateTimeAxisParts(At(2024, 3, 15), At(2024, 3, 16), 1e9, 1, Width);
    EXPECT_EQ(P.Increment, 10);
    EXPECT_EQ(P.LabelMod, 120);
    EXPECT_EQ(Asked, std::vector<TDtLabelFormat>{TDtLabelFormat::DayAndHour});
    // Nothing fits: the coarsest rung.
    P = DateTimeAxisParts(MinDateTime, MaxDateTime, 100, 1, Width);
    EXPECT_EQ(P.MajorRgn, R::Year);
    EXPECT_EQ(P.LabelMod, 2000);
}

TEST(QvTicks, DateTimeTicksCountInCalendarUnits) {
    // A second in tenths.
    auto Ticks = DateTimeTicks(At(2024, 3, 15, 12), At(2024, 3, 15, 12, 0, 1),
                               Dt(R::MilliSecond, R::MilliSecond, 100, 500, 1000));
    EXPECT_EQ(Ticks.size(), 11u);
    EXPECT_EQ(Texts(Ticks, TPick::Majors),
              (QStringList{"2024-03-15 12:00:00.000", "2024-03-15 12:00:00.500",
                           "2024-03-15 12:00:01.000"}));
    EXPECT_EQ(Texts(Ticks, TPick::Labels),
              (QStringList{"2024-03-15 12:00:00.000", "2024-03-15 12:00:01.000"}));

    // Part of an hour.
    const auto Minutes = Dt(R::Minute, R::Minute, 1, 5, 15);
    Ticks = DateTimeTicks(At(2024, 3, 15, 12, 7, 30), At(2024, 3, 15, 12, 31), Minutes);
    EXPECT_EQ(Ticks.size(), 24u);
    EXPECT_EQ(Text(Ticks.front().Value), "2024-03-15 12:08:00.000");
    EXPECT_EQ(Values(Ticks, TPick::Majors).size(), 5u);
    EXPECT_EQ(Texts(Ticks, TPick::Labels),
              (QStringList{"2024-03-15 12:15:00.000", "2024-03-15 12:30:00.000"}));

    // A month of days: majors on Mondays, labels weekly or every second week.
    Ticks = DateTimeTicks(At(2024, 3, 1), At(2024, 4, 1), Dt(R::Day, R::Day, 1, 7, 1));
    EXPECT_EQ(Ticks.size(), 32u);
    const QStringList Mondays{"2024-03-04 00:00:00.000", "2024-03-11 00:00:00.000",
                              "2024-03-18 00:00:00.000", "2024-03-25 00:00:00.000",
                              "2024-04-01 00:00:00.000"};
    EXPECT_EQ(Texts(Ticks, TPick::Majors), Mondays);
    EXPECT_EQ(Texts(Ticks, TPick::Labels), Mondays);
    for (double Monday : Values(Ticks, TPick::Majors))
        EXPECT_EQ(DayOfWeek(Monday), 2);
    Ticks = DateTimeTicks(At(2024, 3, 1), At(2024, 4, 1), Dt(R::Day, R::Day, 1, 7, 2));
    EXPECT_EQ(Texts(Ticks, TPick::Labels), (QStringList{Mondays[1], Mondays[3]}));

    // Day ticks labelled at the months.
    Ticks = DateTimeTicks(At(2024, 2, 10), At(2024, 4, 20), Dt(R::Month, R::Day, 1, 1, 1));
    EXPECT_EQ(Ticks.size(), 71u);
    const QStringList Firsts{"2024-03-01 00:00:00.000", "2024-04-01 00:00:00.000"};
    EXPECT_EQ(Texts(Ticks, TPick::Majors), Firsts);
    EXPECT_EQ(Texts(Ticks, TPick::Labels), Firsts);

    // Quarters over a decade: Januaries major, even years labelled.
    Ticks = DateTimeTicks(At(2019, 7, 1), At(2030, 1, 1), Dt(R::Month, R::Month, 3, 12, 2));
    EXPECT_EQ(Ticks.size(), 43u);
    EXPECT_EQ(Values(Ticks, TPick::Majors).size(), 11u);
    QStringList EvenYears;
    for (int Year = 2020; Year <= 2030; Year += 2)
        EvenYears << Text(At(Year, 1, 1));
    EXPECT_EQ(Texts(Ticks, TPick::Labels), EvenYears);
}

TEST(QvTicks, DateTimeTicksAroundTheBaseDateAndTheCalendarsEnds) {
    const auto Hours = Dt(R::Hour, R::Hour, 1, 3, 6);
    auto Ticks = DateTimeTicks(At(1899, 12, 28, 18), At(1899, 12, 29, 6), Hours);
    EXPECT_EQ(Ticks.size(), 13u);
    EXPECT_EQ(Ticks.front().Value, -2.75);
    EXPECT_EQ(Values(Ticks, TPick::Majors).size(), 5u);
    EXPECT_EQ(Values(Ticks, TPick::Labels), (std::vector<double>{-2.75, -1.0, -1.25}));
    // Across the base date the clock runs on evenly.
    Ticks = DateTimeTicks(At(1899, 12, 29, 22), At(1899, 12, 30, 2), Hours);
    ASSERT_EQ(Ticks.size(), 5u);
    EXPECT_EQ(Ticks[2].Value, 0.0);
    for (size_t i = 1; i < Ticks.size(); ++i)
        EXPECT_NEAR(DateTimeSpan(Ticks[i].Value, Ticks[i - 1].Value), 1.0 / 24, 1e-12);

    const auto Years = Dt(R::Year, R::Year, 1, 5, 5);
    Ticks = DateTimeTicks(At(9990, 1, 1), MaxDateTime, Years);
    EXPECT_EQ(Ticks.size(), 10u);
    EXPECT_EQ(Values(Ticks, TPick::Labels), (std::vector<double>{At(9990, 1, 1), At(9995, 1, 1)}));
    EXPECT_EQ(Ticks.front().Value, At(9990, 1, 1));
    Ticks = DateTimeTicks(MinDateTime - 100, At(110, 1, 1), Years);
    EXPECT_EQ(Ticks.size(), 11u);
    EXPECT_EQ(Ticks.front().Value, MinDateTime);

    // Far too many ticks are capped; nonsense gives none.
    const auto Ms = Dt(R::MilliSecond, R::MilliSecond, 1, 5, 5);
    EXPECT_EQ(DateTimeTicks(At(2000, 1, 1), At(2010, 1, 1), Ms).size(), 10000u);
    EXPECT_TRUE(DateTimeTicks(NaN, At(2010, 1, 1), Ms).empty());
    EXPECT_TRUE(DateTimeTicks(At(2010, 1, 1), At(2000, 1, 1), Years).empty());
}
