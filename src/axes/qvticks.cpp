// Tick arithmetic: the partition searches, the rounding of the time scalings and the ticks.

#include "axes/qvticks.h"

#include "axes/qvdatetime.h"
#include "axes/qvmath.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>

namespace QvTicks {

using Qvmath::Exp10;
using Qvmath::Real10thExponent;

namespace {

// ---- Guards ----

// No tick list grows beyond this, whatever parts it is given.
constexpr int MaxTicks = 10000;
// A partition search gives up after this many candidates (zero widths never reach the pixels).
constexpr int MaxSearchSteps = 200;

// ---- Linear partition and ticks ----

// The searches start at the decade 10^1: label steps of 10 range units.
constexpr int FirstSearchDecade = 1;
// Pixels between two labels, times the label distance factor.
constexpr double LinearLabelGap = 70;
// A tick takes a major tick or label whose grid value lies within this share of a tick step.
constexpr double TickMatchShare = 0.6;

// ---- Logarithmic partition and ticks ----

constexpr double LogWidthShare = 0.51;
constexpr double LogLabelGap = 30;
// From this many decades per label on, label steps are multiples of it.
constexpr int LogDecadeGroup = 3;
constexpr double MinLogTickPart = 0.1;
// Ends within this many decades of a tick still hold it.
constexpr double LogEndTolerance = 1e-9;
// Decimal mantissas of sub-decade ticks run over (0.1, 1).
constexpr double DecadeMantissaStart = 0.1;

// ---- Time spans ----

constexpr double SecondsPerMinute = 60;
constexpr double SecondsPerHour = 3600;
constexpr double SecondsPerDay = 86400;
constexpr double SecondsWidthFactor = 1.4;
// Region rules, by the range in days, hours, minutes and seconds.
constexpr double CaseADays = 20;
constexpr double CaseGDays = 7;
constexpr double CaseFDays = 3;
constexpr double CaseDHours = 10;
constexpr double CaseEHours = 3;
constexpr double CaseCMinutes = 50;
constexpr double CaseAMinutes = 3;
constexpr double CaseBSeconds = 60;
constexpr double FactorTolerance = 0.01;

// MajorTickPart = LabelPart / MajorDivisor, TickPart = LabelPart / TickDivisor; Factor 0 is
// any factor.
struct TSecondsRow {
    double Factor;
    double MajorDivisor;
    double TickDivisor;
};

struct TSecondsCase {
    std::span<const double> FirstDecade; // factors of the first decade
    std::span<const double> Decade;      // factors of every further decade
    std::span<const TSecondsRow> Rows;
};

constexpr double FactorsAEF[] = {1, 0.5, 0.2};
constexpr double FactorsG[] = {1, 0.4, 0.2};
constexpr double FactorsB[] = {0.6, 0.3, 0.15};
constexpr double FactorsC[] = {1, 0.5, 0.3, 0.15};
constexpr double FactorsD[] = {2.4, 1.2, 0.6, 0.3};

constexpr TSecondsRow RowsA[] = {{0.5, 1, 5}, {1, 2, 10}, {0.2, 2, 10}};
constexpr TSecondsRow RowsB[] = {{0.6, 2, 12}, {0.3, 2, 6}, {0.15, 3, 15}};
constexpr TSecondsRow RowsC[] = {
    {0.6, 2, 12}, {1, 2, 10}, {0.5, 2, 10}, {0.3, 2, 6}, {0.15, 3, 15}};
constexpr TSecondsRow RowsD[] = {{2.4, 2, 24}, {1.2, 2, 12}, {0.6, 2, 12}, {0.3, 3, 18}};
constexpr TSecondsRow RowsE[] = {{1, 2, 10}, {0.5, 1, 5}, {0.2, 2, 8}};
constexpr TSecondsRow RowsF[] = {{1, 2, 8}, {0.5, 1, 8}, {0.2, 2, 24}};
constexpr TSecondsRow RowsG[] = {{0, 2, 8}};

constexpr TSecondsCase CaseA = {FactorsAEF, FactorsAEF, RowsA};
constexpr TSecondsCase CaseB = {FactorsB, FactorsB, RowsB};
constexpr TSecondsCase CaseC = {FactorsB, FactorsC, RowsC};
constexpr TSecondsCase CaseD = {FactorsD, FactorsD, RowsD};
constexpr TSecondsCase CaseE = {FactorsAEF, FactorsAEF, RowsE};
constexpr TSecondsCase CaseF = {FactorsAEF, FactorsAEF, RowsF};
constexpr TSecondsCase CaseG = {FactorsG, FactorsG, RowsG};

// ---- Date and time ----

constexpr double DtWidthShare = 0.48;
constexpr double DtLabelGap = 120;
// Candidates with this many labels never fit.
constexpr double MaxDtLabels = 1000;
// Mean Gregorian lengths, for label counts only.
constexpr double DaysPerYear = 365.2425;
constexpr double DaysPerMonth = DaysPerYear / 12;
constexpr std::int64_t MsPerDay = 86400000;
constexpr std::int64_t MsPerHour = 3600000;
constexpr std::int64_t MsPerMinute = 60000;
constexpr std::int64_t MsPerSecond = 1000;
constexpr std::int64_t MonthsPerYear = 12;
constexpr int FirstYear = 1;
constexpr int LastYear = 9999;
// Day counts start on Monday 1900-01-01, so that weeks (MajorMod 7) begin on Mondays.
constexpr std::int64_t WeekOriginDay = 2;
// Times within this many milliseconds of a whole millisecond are taken as it (a double near
// year 9999 resolves about 0.04 ms).
constexpr double MsSnap = 0.1;

// One candidate partition; DatedMinutes: labelled in minutes, with the day when the range
// spans more than one.
struct TRung {
    TQvDtRegion MajorRgn;
    TQvDtRegion MinorRgn;
    int Increment;
    int MajorMod;
    int LabelMod;
    TDtLabelFormat Format;
    bool DatedMinutes = false;
};

using R = TQvDtRegion;
using F = TDtLabelFormat;

// Fine to coarse. Where LabelMod < MajorMod the labels count major ticks (weeks, years), and
// MajorRgn coarser than MinorRgn counts majors and labels in MajorRgn (months over days).
constexpr TRung Ladder[] = {
    {R::MilliSecond, R::MilliSecond, 1, 5, 5, F::MilliSecond},
    {R::MilliSecond, R::MilliSecond, 1, 5, 10, F::MilliSecond},
    {R::MilliSecond, R::MilliSecond, 2, 10, 20, F::MilliSecond},
    {R::MilliSecond, R::MilliSecond, 100, 500, 1000, F::Second},
    {R::MilliSecond, R::MilliSecond, 100, 1000, 2000, F::Second},
    {R::MilliSecond, R::MilliSecond, 500, 2500, 5000, F::Second},
    {R::Second, R::Second, 1, 5, 10, F::Second},
    {R::Second, R::Second, 1, 10, 20, F::Second},
    {R::Second, R::Second, 2, 10, 30, F::Second},
    {R::Second, R::Second, 5, 30, 60, F::Minute, true},
    {R::Second, R::Second, 10, 60, 120, F::Minute, true},
    {R::Second, R::Second, 30, 300, 300, F::Minute, true},
    {R::Minute, R::Minute, 1, 5, 10, F::Minute, true},
    {R::Minute, R::Minute, 1, 5, 15, F::Minute, true},
    {R::Minute, R::Minute, 5, 15, 30, F::Minute, true},
    {R::Minute, R::Minute, 5, 15, 60, F::Minute, true},
    {R::Minute, R::Minute, 15, 60, 180, F::Minute, true},
    {R::Hour, R::Hour, 1, 3, 6, F::DayAndHour},
    {R::Hour, R::Hour, 1, 6, 12, F::DayAndHour},
    {R::Hour, R::Hour, 3, 12, 24, F::Day},
    {R::Hour, R::Hour, 6, 24, 48, F::Day},
    {R::Day, R::Day, 1, 7, 1, F::Day},
    {R::Day, R::Day, 1, 7, 2, F::Day},
    {R::Month, R::Day, 1, 1, 1, F::LongMonth},
    {R::Month, R::Month, 1, 3, 3, F::ShortMonth},
    {R::Month, R::Month, 1, 3, 6, F::ShortMonth},
    {R::Month, R::Month, 1, 12, 1, F::Year},
    {R::Month, R::Month, 3, 12, 2, F::Year},
    {R::Year, R::Year, 1, 5, 5, F::Year},
    {R::Year, R::Year, 1, 5, 10, F::Year},
    {R::Year, R::Year, 2, 10, 20, F::Year},
    {R::Year, R::Year, 5, 25, 25, F::Year},
    {R::Year, R::Year, 5, 25, 50, F::Year},
    {R::Year, R::Year, 10, 50, 100, F::Year},
    {R::Year, R::Year, 25, 100, 200, F::Year},
    {R::Year, R::Year, 50, 250, 500, F::Year},
    {R::Year, R::Year, 100, 500, 1000, F::Year},
    {R::Year, R::Year, 100, 1000, 2000, F::Year},
};

constexpr size_t FormatCount = size_t(TDtLabelFormat::Year) + 1;

// ---- Helpers ----

// The double nearest to the decimal Factor × 10^Exponent (Factor has at most two decimals),
// so that steps read 0.02 and not 0.020000000000000004.
double DecimalPart(double Factor, int Exponent) {
    const double Hundredths = std::nearbyint(Factor * 100);
    const int E = Exponent - 2;
    return E >= 0 ? Hundredths * Exp10(E) : Hundredths / Exp10(-E);
}

// X to 15 significant digits: 2.4 / 24 gives 0.1, not 0.09999999999999999.
double Significant15(double X) {
    if (!std::isfinite(X) || X == 0) return X;
    char Text[40];
    const auto Written =
        std::to_chars(Text, Text + sizeof Text, X, std::chars_format::scientific, 14);
    double Result = X;
    std::from_chars(Text, Written.ptr, Result);
    return Result;
}

// A part usable for rounding: NaN and infinities count as 0 (no rounding), signs are dropped.
double SanePart(double Part) {
    return std::isfinite(Part) ? std::fabs(Part) : 0.0;
}

std::int64_t FloorDiv(std::int64_t A, std::int64_t B) {
    const std::int64_t Q = A / B;
    return (A % B != 0 && (A < 0) != (B < 0)) ? Q - 1 : Q;
}

std::int64_t FloorMod(std::int64_t A, std::int64_t B) {
    return A - FloorDiv(A, B) * B;
}

// The ticks of an evenly divided range; Round(X, Part, Up) rounds to the partition of Part.
template <typename TRound>
std::vector<TTick> GridTicks(double Start, double Stop, const TParts& Parts, double Unit,
                             bool EndsRounded, const TRound& Round) {
    std::vector<TTick> Ticks;
    if (!std::isfinite(Start) || !std::isfinite(Stop) || !std::isfinite(Unit) || !(Unit > 0))
        return Ticks;
    double TickPart = SanePart(Parts.TickPart);
    const double MajorPart = SanePart(Parts.MajorTickPart);
    const double LabelPart = SanePart(Parts.LabelPart);
    const double First = EndsRounded ? Start : Round(Start, TickPart, true);
    const double Last = EndsRounded ? Stop : Round(Stop, TickPart, false);
    if (TickPart == 0) TickPart = 1;
    // No grid value inside the range, or a range that is not one.
    if (!(Last >= First) || !std::isfinite(Last - First)) return Ticks;
    const double Count = std::nearbyint((Last - First) / Unit / TickPart + 1);
    const int N =
        Last > First ? int(std::clamp(std::isnan(Count) ? 2.0 : Count, 2.0, double(MaxTicks))) : 1;
    const double Step = N > 1 ? (Last - First) / (N - 1) : 0;
    const double Eps = TickMatchShare * (N > 1 ? Step : TickPart * Unit);
    double NextMajor = Round(Start, MajorPart, true);
    double NextLabel = Round(Start, LabelPart, true);
    Ticks.reserve(size_t(N));
    for (int i = 0; i < N; ++i) {
        TTick Tick;
        Tick.Value = i == N - 1 ? Last : First + i * Step;
        const double V = Tick.Value;
        if (i > 0) NextMajor = Round(V, MajorPart, true);
        // A label value passed unseen (user parts finer than the ticks) is aimed at again.
        if (V - NextLabel >= Eps) NextLabel = Round(V - Eps, LabelPart, true);
        if (std::fabs(V - NextLabel) < Eps) {
            Tick.Label = true;
            NextLabel = Round(V + Eps, LabelPart, true);
        }
        Tick.Major = std::fabs(V - NextMajor) < Eps;
        Ticks.push_back(Tick);
    }
    return Ticks;
}

// Every how many decades a log part puts a tick; at least 1.
int EveryDecades(double Part) {
    if (!(Part >= 1)) return 1;
    return int(std::min(std::nearbyint(Part), 1e6));
}

// ---- Calendar arithmetic on a linear millisecond clock from 1899-12-30 00:00 ----

// Values before the base date count their time of day forwards from the start of their day,
// as the date-time encoding does. Direction: +1 ceiling, -1 floor, 0 nearest millisecond.
std::int64_t LinearMs(double DT, int Direction) {
    const double Day = std::trunc(DT);
    const double Ms = std::fabs(DT - Day) * double(MsPerDay);
    double Whole = std::nearbyint(Ms);
    if (std::fabs(Ms - Whole) > MsSnap && Direction != 0)
        Whole = Direction > 0 ? std::ceil(Ms) : std::floor(Ms);
    return std::int64_t(Day) * MsPerDay + std::int64_t(Whole);
}

double FromLinearMs(std::int64_t L) {
    const std::int64_t Day = FloorDiv(L, MsPerDay);
    const std::int64_t Time = L - Day * MsPerDay;
    return double(Day * MsPerDay + (Day < 0 ? -Time : Time)) / double(MsPerDay);
}

struct TDate {
    int Year = 0;
    int Month = 0;
    int Day = 0;
};

TDate DateOfDay(std::int64_t Day) {
    TDate Date;
    int Hour, Minute, Second, MilliSecond;
    DecodeDateTime(double(Day), Date.Year, Date.Month, Date.Day, Hour, Minute, Second, MilliSecond);
    return Date;
}

std::int64_t UnitMs(TQvDtRegion Rgn) {
    switch (Rgn) {
    case TQvDtRegion::Hour:
        return MsPerHour;
    case TQvDtRegion::Minute:
        return MsPerMinute;
    case TQvDtRegion::Second:
        return MsPerSecond;
    default:
        return 1;
    }
}

double UnitDays(TQvDtRegion Rgn) {
    switch (Rgn) {
    case TQvDtRegion::Year:
        return DaysPerYear;
    case TQvDtRegion::Month:
        return DaysPerMonth;
    case TQvDtRegion::Day:
        return 1;
    default:
        return double(UnitMs(Rgn)) / double(MsPerDay);
    }
}

TQvDtRegion Coarser(TQvDtRegion A, TQvDtRegion B) {
    return int(A) < int(B) ? A : B;
}

// The calendar count of the unit of Rgn that holds L: the year, months since year 0, days
// since a Monday, or hours, minutes, seconds, milliseconds since the base date. AtStart: L is
// the first instant of that unit.
std::int64_t UnitCount(TQvDtRegion Rgn, std::int64_t L, bool& AtStart) {
    const std::int64_t Day = FloorDiv(L, MsPerDay);
    const bool Midnight = L == Day * MsPerDay;
    switch (Rgn) {
    case TQvDtRegion::Year: {
        const TDate Date = DateOfDay(Day);
        AtStart = Midnight && Date.Month == 1 && Date.Day == 1;
        return Date.Year;
    }
    case TQvDtRegion::Month: {
        const TDate Date = DateOfDay(Day);
        AtStart = Midnight && Date.Day == 1;
        return Date.Year * MonthsPerYear + Date.Month - 1;
    }
    case TQvDtRegion::Day:
        AtStart = Midnight;
        return Day - WeekOriginDay;
    default:
        AtStart = FloorMod(L, UnitMs(Rgn)) == 0;
        return FloorDiv(L, UnitMs(Rgn));
    }
}

// The first instant of unit Count of Rgn; -inf and +inf before and after the calendar.
double UnitStart(TQvDtRegion Rgn, std::int64_t Count) {
    constexpr double Infinity = std::numeric_limits<double>::infinity();
    switch (Rgn) {
    case TQvDtRegion::Year:
    case TQvDtRegion::Month: {
        const bool Years = Rgn == TQvDtRegion::Year;
        const std::int64_t Year = Years ? Count : FloorDiv(Count, MonthsPerYear);
        const int Month = Years ? 1 : int(FloorMod(Count, MonthsPerYear)) + 1;
        if (Year < FirstYear) return -Infinity;
        if (Year > LastYear) return Infinity;
        return EncodeDate(int(Year), Month, 1);
    }
    case TQvDtRegion::Day:
        return FromLinearMs((Count + WeekOriginDay) * MsPerDay);
    default:
        return FromLinearMs(Count * UnitMs(Rgn));
    }
}

// Days between two labels of a rung.
double LabelStepDays(const TRung& Rung) {
    const double Unit = UnitDays(Coarser(Rung.MajorRgn, Rung.MinorRgn));
    return Rung.LabelMod >= Rung.MajorMod ? Rung.LabelMod * Unit
                                          : double(Rung.LabelMod) * Rung.MajorMod * Unit;
}

TQvDtParameters ParametersOf(const TRung& Rung, bool OneDay) {
    TQvDtParameters Result;
    Result.MajorRgn = Rung.MajorRgn;
    Result.MinorRgn = Rung.MinorRgn;
    Result.Increment = Rung.Increment;
    Result.MajorMod = Rung.MajorMod;
    Result.LabelMod = Rung.LabelMod;
    Result.Format = Rung.DatedMinutes && !OneDay ? TDtLabelFormat::DayAndHour : Rung.Format;
    return Result;
}

} // namespace

// ---- Linear ----

TParts NormalAxisParts(double Start, double Stop, double Pixels, double LabelDistanceFactor,
                       const std::function<double(const TParts& Trial)>& LabelWidth) {
    TParts Trial;
    const double Range = Stop - Start;
    Trial.RangeExponent = Real10thExponent(Range);
    if (!std::isfinite(Range) || !(Range > 0)) return Trial;
    const double Mantissa = Range / Exp10(Trial.RangeExponent);
    size_t Index = 0;
    int Decade = FirstSearchDecade;
    for (int Step = 0;; ++Step) {
        Trial.LabelPart = DecimalPart(LabelParts[Index], Decade);
        Trial.MajorTickPart = DecimalPart(MajorParts[Index], Decade);
        Trial.TickPart = DecimalPart(MinorParts[Index], Decade);
        const double Width = LabelWidth(Trial);
        const double Labels = std::trunc(Mantissa / Trial.LabelPart + 0.5) + 1;
        const double Need = Labels * Width + (Labels - 1) * LinearLabelGap * LabelDistanceFactor;
        if (!(Need < Pixels) || Step == MaxSearchSteps) break;
        if (++Index == LabelParts.size()) {
            Index = 0;
            --Decade;
        }
    }
    return Trial;
}

std::vector<TTick> LinearTicks(double Start, double Stop, const TParts& Parts, bool EndsRounded) {
    const int E = Parts.RangeExponent;
    return GridTicks(Start, Stop, Parts, Exp10(E), EndsRounded,
                     [E](double X, double Part, bool Up) {
                         return Up ? Qvmath::RoundUp(X, Part, E) : Qvmath::RoundDown(X, Part, E);
                     });
}

// ---- Logarithmic ----

TParts LogAxisParts(double Start, double Stop, double Pixels, double LabelDistanceFactor,
                    double MaxLabelWidth) {
    TParts Parts;
    Parts.LabelPart = 1;
    Parts.MajorTickPart = 1;
    Parts.TickPart = MinLogTickPart;
    if (!(Start > 0) || !(Stop > 0) || !std::isfinite(Start) || !std::isfinite(Stop)) return Parts;
    const double Decades = std::nearbyint(std::log10(Stop) - std::log10(Start));
    Parts.RangeExponent = int(Decades);
    const double Width = LogWidthShare * MaxLabelWidth;
    double Label = 1;
    for (;;) {
        const double N = std::trunc(Decades / Label + 0.5) + 1;
        // One label is as few as it gets.
        if (!(N * Width + (N - 1) * LogLabelGap * LabelDistanceFactor > Pixels) || N <= 1) break;
        Label += 1;
    }
    if (Label < LogDecadeGroup) {
        Parts.LabelPart = Label;
        Parts.MajorTickPart = 1;
        Parts.TickPart = MinLogTickPart;
    } else {
        Parts.LabelPart = std::nearbyint(Label / LogDecadeGroup) * LogDecadeGroup;
        Parts.MajorTickPart = Parts.LabelPart;
        Parts.TickPart = std::max(Parts.MajorTickPart / LogDecadeGroup, MinLogTickPart);
    }
    return Parts;
}

std::vector<TTick> LogTicks(double Start, double Stop, const TParts& Parts, bool EndsRounded) {
    std::vector<TTick> Ticks;
    if (!(Start > 0) || !(Stop >= Start) || !std::isfinite(Stop)) return Ticks;
    const double LogStart = std::log10(Start);
    const double LogStop = std::log10(Stop);
    const double Lo = LogStart - LogEndTolerance;
    const double Hi = LogStop + LogEndTolerance;
    const int LabelEvery = EveryDecades(Parts.LabelPart);
    const int MajorEvery = EveryDecades(Parts.MajorTickPart);
    const double LabelPart = SanePart(Parts.LabelPart);
    const double TickPart =
        Parts.TickPart > 0 && std::isfinite(Parts.TickPart) ? Parts.TickPart : MinLogTickPart;
    const auto Full = [&] { return Ticks.size() >= size_t(MaxTicks); };
    const auto AddDecade = [&](int K) {
        if (K < Lo || K > Hi) return;
        TTick Tick;
        Tick.Value = Exp10(K);
        Tick.Major = std::abs(K) % MajorEvery == 0;
        Tick.Label = std::abs(K) % LabelEvery == 0;
        Ticks.push_back(Tick);
    };
    if (TickPart >= 1) {
        const int Every = EveryDecades(TickPart);
        for (int K = int(std::ceil(Lo)); K <= Hi && !Full(); ++K)
            if (std::abs(K) % Every == 0) AddDecade(K);
    } else {
        for (int K = int(std::floor(Lo)); K <= Hi && !Full(); ++K) {
            AddDecade(K);
            // Ticks M × 10^(K+1) with M a multiple of TickPart in (0.1, 1), from Start on.
            const double Scale = Exp10(K + 1);
            const double FromStart = std::ceil(Start / Scale / TickPart * (1 - 1e-12));
            const double FromDecade = std::floor(DecadeMantissaStart / TickPart + 1e-9) + 1;
            for (double j = std::max(FromStart, FromDecade); j * TickPart < 1 - 1e-9 && !Full();
                 ++j) {
                const double Mantissa = j * TickPart;
                const double Value = Qvmath::RoundUp(Mantissa * Scale, TickPart, K + 1);
                const double L = std::log10(Value);
                if (L > Hi) break;
                if (L < Lo) continue;
                TTick Tick;
                Tick.Value = Value;
                Tick.Label = LabelPart > 0 && LabelPart <= 1 &&
                             std::fmod(std::nearbyint(10 * Mantissa / LabelPart), 10) == 0;
                Ticks.push_back(Tick);
            }
        }
    }
    // Rounded ends are the exact ends of the axis, not their logarithms' round trip.
    if (EndsRounded && !Ticks.empty()) {
        if (std::fabs(std::log10(Ticks.front().Value) - LogStart) <= LogEndTolerance)
            Ticks.front().Value = Start;
        if (std::fabs(std::log10(Ticks.back().Value) - LogStop) <= LogEndTolerance)
            Ticks.back().Value = Stop;
    }
    return Ticks;
}

// ---- Time spans ----

TQvSecondsFormatRange SecondsFormat(double Start, double Stop) {
    const double Larger = std::max(Start, Stop);
    if (Larger / SecondsPerDay >= 1) return TQvSecondsFormatRange::Day;
    if (Larger / SecondsPerHour >= 1) return TQvSecondsFormatRange::Hour;
    if (Larger / SecondsPerMinute >= 1) return TQvSecondsFormatRange::Minute;
    return TQvSecondsFormatRange::Second;
}

TParts SecondsAxisParts(
    double Start, double Stop, double Pixels, double LabelDistanceFactor,
    const std::function<double(double Value, TQvSecondsFormatRange Format)>& LabelWidth,
    TQvSecParameters& Parameters, double MinTickGap) {
    TParts Parts;
    const double Range = Stop - Start;
    Parts.RangeExponent = Real10thExponent(Range);
    Parameters.Rgn = TQvDtRegion::Second;
    Parameters.Exponent = Parts.RangeExponent;
    Parameters.Format = SecondsFormat(Start, Stop);
    if (!std::isfinite(Range) || !(Range > 0)) return Parts;

    const double Minutes = Range / SecondsPerMinute;
    const double Hours = Range / SecondsPerHour;
    const double Days = Range / SecondsPerDay;
    double InRegion = Range;
    const TSecondsCase* Case = &CaseA;
    if (Days > CaseADays) {
        Parameters.Rgn = TQvDtRegion::Day;
        InRegion = Days;
    } else if (Days > CaseGDays) {
        Parameters.Rgn = TQvDtRegion::Day;
        InRegion = Days;
        Case = &CaseG;
    } else if (Days > CaseFDays) {
        Parameters.Rgn = TQvDtRegion::Day;
        InRegion = Days;
        Case = &CaseF;
    } else if (Hours > CaseDHours) {
        Parameters.Rgn = TQvDtRegion::Hour;
        InRegion = Hours;
        Case = &CaseD;
    } else if (Hours > CaseEHours) {
        Parameters.Rgn = TQvDtRegion::Hour;
        InRegion = Hours;
        Case = &CaseE;
    } else if (Minutes > CaseCMinutes) {
        Parameters.Rgn = TQvDtRegion::Minute;
        InRegion = Minutes;
        Case = &CaseC;
    } else if (Minutes > CaseAMinutes) {
        Parameters.Rgn = TQvDtRegion::Minute;
        InRegion = Minutes;
    } else if (Range >= CaseBSeconds) {
        Case = &CaseB;
    }
    Parameters.Exponent = Real10thExponent(InRegion);

    // Start first: the width estimate may fire the axis' label event.
    const double StartWidth = LabelWidth(Start, Parameters.Format);
    const double StopWidth = LabelWidth(Stop, Parameters.Format);
    const double Width = SecondsWidthFactor * std::max(StartWidth, StopWidth);
    const double Mantissa = InRegion / Exp10(Parameters.Exponent);
    std::span<const double> Factors = Case->FirstDecade;
    size_t Index = 0;
    int Decade = FirstSearchDecade;
    double Factor = Factors[0];
    double Label = DecimalPart(Factor, Decade);
    for (int Step = 0;; ++Step) {
        Factor = Factors[Index];
        Label = DecimalPart(Factor, Decade);
        const double Labels = std::trunc(Mantissa / Label + 0.5);
        const double Need = Labels * Width + (Labels - 1) * LinearLabelGap * LabelDistanceFactor;
        if (!(Need < Pixels) || Step == MaxSearchSteps) break;
        if (++Index == Factors.size()) {
            Index = 0;
            --Decade;
            Factors = Case->Decade;
        }
    }
    Parts.LabelPart = Label;
    for (const TSecondsRow& Row : Case->Rows) {
        if (Row.Factor != 0 && std::fabs(Row.Factor - Factor) >= FactorTolerance) continue;
        Parts.MajorTickPart = Significant15(Label / Row.MajorDivisor);
        Parts.TickPart = Significant15(Label / Row.TickDivisor);
        break;
    }
    Parts.TickPart =
        ThinTickPart(Parts.TickPart, Parts.MajorTickPart, Pixels / Mantissa, MinTickGap);
    return Parts;
}

double ThinTickPart(double TickPart, double MajorTickPart, double PixelsPerPart, double MinGap) {
    if (!(TickPart > 0) || !(MajorTickPart > TickPart) || !(TickPart * PixelsPerPart < MinGap))
        return TickPart;
    const long n = std::lround(MajorTickPart / TickPart);
    for (long d = n - 1; d > 1; --d)
        if (n % d == 0 && MajorTickPart / double(d) * PixelsPerPart >= MinGap)
            return Significant15(MajorTickPart / double(d));
    return MajorTickPart;
}

double RegionSeconds(TQvDtRegion Rgn) {
    switch (Rgn) {
    case TQvDtRegion::Day:
        return SecondsPerDay;
    case TQvDtRegion::Hour:
        return SecondsPerHour;
    case TQvDtRegion::Minute:
        return SecondsPerMinute;
    case TQvDtRegion::Second:
        return 1;
    case TQvDtRegion::MilliSecond:
        return 1.0 / MsPerSecond;
    default:
        return 0; // years and months have no fixed length in seconds
    }
}

double SecondsRound(double X, TQvDtRegion Rgn, int Exponent, bool Up, double Part) {
    const double Unit = RegionSeconds(Rgn);
    if (!(Unit > 0)) return X;
    const double V = X / Unit;
    return (Up ? Qvmath::RoundUp(V, Part, Exponent) : Qvmath::RoundDown(V, Part, Exponent)) * Unit;
}

std::vector<TTick> SecondsTicks(double Start, double Stop, const TParts& Parts,
                                const TQvSecParameters& Parameters, bool EndsRounded) {
    const TQvDtRegion Rgn = Parameters.Rgn;
    const int E = Parameters.Exponent;
    return GridTicks(
        Start, Stop, Parts, RegionSeconds(Rgn) * Exp10(E), EndsRounded,
        [Rgn, E](double X, double Part, bool Up) { return SecondsRound(X, Rgn, E, Up, Part); });
}

// ---- Date and time ----

TQvDtParameters DateTimeAxisParts(double Start, double Stop, double Pixels,
                                  double LabelDistanceFactor,
                                  const std::function<double(TDtLabelFormat Format)>& LabelWidth) {
    const double Span = DateTimeSpan(Stop, Start);
    const bool OneDay = std::isfinite(Start) && std::isfinite(Stop) &&
                        std::floor(DateTimeSpan(Start, 0)) == std::floor(DateTimeSpan(Stop, 0));
    std::array<std::optional<double>, FormatCount> Widths;
    for (const TRung& Rung : Ladder) {
        const double Labels = std::trunc(Span / LabelStepDays(Rung) + 0.5);
        if (!(Labels < MaxDtLabels)) continue;
        const TQvDtParameters Candidate = ParametersOf(Rung, OneDay);
        std::optional<double>& Width = Widths[size_t(Candidate.Format)];
        if (!Width) Width = LabelWidth(Candidate.Format);
        if ((Labels + 1) * DtWidthShare * *Width + Labels * DtLabelGap * LabelDistanceFactor <
            Pixels)
            return Candidate;
    }
    return ParametersOf(std::end(Ladder)[-1], OneDay);
}

double DateTimeRound(double Value, const TQvDtParameters& Parameters, bool Up, bool Major) {
    if (std::isnan(Value)) return Value;
    const double V = std::clamp(Value, MinDateTime, MaxDateTime);
    const TQvDtRegion Rgn =
        Major ? Coarser(Parameters.MajorRgn, Parameters.MinorRgn) : Parameters.MinorRgn;
    const std::int64_t Step = std::max(1, Major ? Parameters.MajorMod : Parameters.Increment);
    bool AtStart = false;
    std::int64_t Count = UnitCount(Rgn, LinearMs(V, Up ? 1 : -1), AtStart);
    if (Up && !AtStart) ++Count;
    Count = Up ? -FloorDiv(-Count, Step) * Step : FloorDiv(Count, Step) * Step;
    return std::clamp(UnitStart(Rgn, Count), MinDateTime, MaxDateTime);
}

std::vector<TTick> DateTimeTicks(double Start, double Stop, const TQvDtParameters& Parameters) {
    std::vector<TTick> Ticks;
    if (std::isnan(Start) || std::isnan(Stop)) return Ticks;
    Start = std::clamp(Start, MinDateTime, MaxDateTime);
    Stop = std::clamp(Stop, MinDateTime, MaxDateTime);
    if (DateTimeSpan(Stop, Start) < 0) return Ticks;
    const TQvDtRegion Minor = Parameters.MinorRgn;
    const TQvDtRegion MajorUnit = Coarser(Parameters.MajorRgn, Minor);
    const int Increment = std::max(1, Parameters.Increment);
    const int MajorMod = std::max(1, Parameters.MajorMod);
    const int LabelMod = std::max(1, Parameters.LabelMod);
    const double First = DateTimeRound(Start, Parameters, true, false);
    bool OnUnit = true;
    std::int64_t Count = UnitCount(Minor, LinearMs(First, 0), OnUnit);
    for (int i = 0; i < MaxTicks; ++i, Count += Increment) {
        const double T = UnitStart(Minor, Count);
        if (!(DateTimeSpan(Stop, T) >= -cDateEpsilon)) break; // also past the calendar
        if (DateTimeSpan(T, Start) < -cDateEpsilon) continue;
        std::int64_t MajorCount = Count;
        OnUnit = true;
        if (MajorUnit != Minor) MajorCount = UnitCount(MajorUnit, LinearMs(T, 0), OnUnit);
        TTick Tick;
        Tick.Value = T;
        Tick.Major = OnUnit && FloorMod(MajorCount, MajorMod) == 0;
        Tick.Label =
            OnUnit && (LabelMod >= MajorMod
                           ? FloorMod(MajorCount, LabelMod) == 0
                           : Tick.Major && FloorMod(FloorDiv(MajorCount, MajorMod), LabelMod) == 0);
        Ticks.push_back(Tick);
    }
    return Ticks;
}

} // namespace QvTicks
