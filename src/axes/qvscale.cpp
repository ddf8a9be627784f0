#include "axes/qvscale.h"

#include "axes/qvdatetime.h"
#include "axes/qvmath.h"
#include "axes/qvstringfunctions.h"

#include <algorithm>
#include <array>
#include <cmath>

using Qvmath::Exp10;
using Qvmath::MaxDouble;
using Qvmath::Real10thExponent;
using Qvmath::SaturatingRound;
using QvTicks::TParts;
using QvTicks::TTick;

namespace {

// Axis ends are kept within this, so that span, padding and rounding stay finite.
constexpr double MaxFiniteEnd = MaxDouble / 4;
// A reversed request falls back to these ends.
constexpr double DefaultStart = 0;
constexpr double DefaultStop = 100;
// One decade.
constexpr double DefaultLogStart = 1;
constexpr double DefaultLogStop = 10;
// A logarithmic range without positive values: two decades below 1 up to 1.
constexpr double FallbackLogStart = 0.01;
constexpr double FallbackLogStop = 1;
// Time spans and rubrics count from 0; a stop below it becomes one unit.
constexpr double FallbackCountStop = 1;
// An empty date-time range widens to one minute.
constexpr double MinDateTimeSpan = 1.0 / 1440;
// Values a logarithmic axis cannot show stand this many pixels before its start.
constexpr double NonPositiveLogOffset = -100;
// Decades between minor steps of a logarithmic axis, whatever its partition.
constexpr double LogMinorIncrement = 0.04;
// The partition of a logarithmic axis: at least a tenth of a decade between ticks, at least a
// decade between major ones.
constexpr double MinLogTickPart = 0.1;
constexpr double MinLogMajorPart = 1;
// A minor part below this would fill the axis with ticks: the default part replaces it.
constexpr double VanishingTickPart = 1e-5;
// Minor ticks of time spans closer than this merge into a solid comb.
constexpr double MinTickGap = 5;
// A long month name for width estimates.
const char* const LongMonthSample = "February 9999";
// A label, a major and a minor tick at every rubric.
constexpr TParts RubricParts{1.0, 1.0, 1.0, 0};

// Steps of the date-time regions in days: never longer than their unit (the shortest month,
// a day less a margin), so that a step from the start of a unit does not pass the next one.
constexpr double YearDays = 365;
constexpr double ShortestMonthDays = 28;
constexpr double DayStepDays = 0.99;
constexpr std::array<double, size_t(TQvDtRegion::MilliSecond) + 1> RegionStepDays = {
    YearDays, ShortestMonthDays, DayStepDays, 1.0 / 24, 1.0 / 1440, 1.0 / 86400, 1.0 / 86400000};

// An empty range widens by a unit of its magnitude at the ends that follow the data; with
// both ends set, the stop moves.
void WidenEmpty(double& Start, double& Stop, const TQvEndRules& Rules) {
    const double d = Stop != 0 ? Exp10(Real10thExponent(Start)) : 1.0;
    if (Rules.StartAuto) Start -= d;
    if (Rules.StopAuto || !Rules.StartAuto) Stop += d;
}

// Finite, ordered (else the default range) and apart.
void OrderedEnds(double& Start, double& Stop, const TQvEndRules& Rules, double DefaultFrom,
                 double DefaultTo) {
    Start = std::clamp(Start, -MaxFiniteEnd, MaxFiniteEnd);
    Stop = std::clamp(Stop, -MaxFiniteEnd, MaxFiniteEnd);
    if (!(Start <= Stop)) {
        Start = DefaultFrom;
        Stop = DefaultTo;
    }
    if (Start == Stop) WidenEmpty(Start, Stop, Rules);
}

// Time spans and rubrics count from 0.
void CountEnds(double& Start, double& Stop, const TQvEndRules& Rules) {
    if (Start < 0) Start = 0;
    if (Stop < 0) Stop = FallbackCountStop;
    OrderedEnds(Start, Stop, Rules, DefaultStart, DefaultStop);
}

void OrderParts(TParts& Parts) {
    if (Parts.TickPart < VanishingTickPart) Parts.TickPart = TParts().TickPart;
    Parts.MajorTickPart = std::max(Parts.MajorTickPart, Parts.TickPart);
    Parts.LabelPart = std::max(Parts.LabelPart, Parts.TickPart);
}

int Decades(double Start, double Stop) {
    return SaturatingRound(std::log10(Stop) - std::log10(Start));
}

const TQvNormalScale NormalScale;
const TQvLinearLogScale LinearLogScale;
const TQvLogScale LogScale(false);
const TQvLogScale LogEEScale(true);
const TQvSecondsScale SecondsScale;
const TQvDateTimeScale DateTimeScale;
const TQvRubricsScale RubricsScale;

} // namespace

// ---- Scale ----

const TQvScale& TQvScale::Of(TQvAxisScaling Scaling, bool LogMapped) {
    switch (Scaling) {
    case TQvAxisScaling::Normal:
        return NormalScale;
    case TQvAxisScaling::Log:
        return LogMapped ? static_cast<const TQvScale&>(LogScale) : LinearLogScale;
    case TQvAxisScaling::LogEE:
        return LogMapped ? static_cast<const TQvScale&>(LogEEScale) : LinearLogScale;
    case TQvAxisScaling::Seconds:
        return SecondsScale;
    case TQvAxisScaling::DateTime:
        return DateTimeScale;
    case TQvAxisScaling::Rubrics:
        return RubricsScale;
    }
    return NormalScale;
}

double TQvScale::Offset(double Value, const TQvAxisMapping& Mapping) const {
    return LinearOffsetOf(Value, Mapping);
}

double TQvScale::ValueAt(double Offset, const TQvAxisMapping& Mapping) const {
    return LinearValueAt(Offset, Mapping);
}

double TQvScale::MappedSpan(double Start, double Stop, const TQvScaleState&) const {
    return Stop - Start;
}

bool TQvScale::Maps(double Value) const {
    return std::isfinite(Value);
}

double TQvScale::ScrollUnits(double Value) const {
    return Value;
}

double TQvScale::FromScrollUnits(double Units) const {
    return Units;
}

double TQvScale::ClampValue(double Value) const {
    return Value;
}

bool TQvScale::MapsLogarithmically(double, double, double, TQvScaleState&) const {
    return false;
}

bool TQvScale::Pads() const {
    return true;
}

bool TQvScale::HasUserParts() const {
    return false;
}

void TQvScale::KeepPartition(double, double, TQvScaleState&) const {}

void TQvScale::MapEnds(double, double, TQvScaleState&) const {}

void TQvScale::ScaleUserParts(double Start, double Stop, TQvScaleState& State) const {
    FollowSpan(Start, Stop, State.Parts);
}

double TQvScale::PartOf(const TParts& Parts, bool Major) {
    return Major ? Parts.MajorTickPart : Parts.TickPart;
}

void TQvScale::FollowSpan(double Start, double Stop, TParts& Parts) {
    Parts.RangeExponent = Real10thExponent(Stop - Start);
}

// ---- Linear ----

double TQvLinearScale::MajorIncrement(const TQvScaleState& State) const {
    return State.Parts.MajorTickPart * Exp10(State.Parts.RangeExponent);
}

double TQvLinearScale::MinorIncrement(const TQvScaleState& State) const {
    return State.Parts.TickPart * Exp10(State.Parts.RangeExponent);
}

double TQvLinearScale::RoundEnd(double Value, bool Up, bool Major,
                                const TQvScaleState& State) const {
    const double Part = PartOf(State.Parts, Major);
    const int E = State.Parts.RangeExponent;
    return Up ? Qvmath::RoundUp(Value, Part, E) : Qvmath::RoundDown(Value, Part, E);
}

void TQvLinearScale::ClampEnds(double& Start, double& Stop, const TQvEndRules& Rules) const {
    OrderedEnds(Start, Stop, Rules, DefaultStart, DefaultStop);
}

bool TQvLinearScale::HasUserParts() const {
    return true;
}

void TQvLinearScale::ChoosePartition(double Start, double Stop, TQvScaleState& State,
                                     TQvScaleLabels& Labels) const {
    State.Parts = QvTicks::NormalAxisParts(
        Start, Stop, Labels.AxisPixels(), Labels.GetLabelDistanceFactor(),
        [&](const TParts& Trial) {
            // The trial stands as the partition while its labels are measured: the axis'
            // label event may read it.
            State.Parts = Trial;
            FitNumbers(Start, Stop, State, Labels);
            return double(std::max(Labels.ApproxLen(Start, Labels.NormalCaption(Start)),
                                   Labels.ApproxLen(Stop, Labels.NormalCaption(Stop))));
        });
}

void TQvLinearScale::SettleEnds(double& Start, double& Stop, TQvScaleState& State,
                                TQvScaleLabels& Labels) const {
    FitNumbers(Start, Stop, State, Labels);
}

std::vector<TTick> TQvLinearScale::Ticks(double Start, double Stop, const TQvScaleState& State,
                                         bool EndsRounded) const {
    return QvTicks::LinearTicks(Start, Stop, State.Parts, EndsRounded);
}

std::optional<TQvTickLabel> TQvLinearScale::Label(double Value, double, const TQvScaleState&,
                                                  const TQvScaleLabels& Labels) const {
    return TQvTickLabel{Labels.NormalCaption(Value)};
}

void TQvLinearScale::FitNumbers(double Start, double Stop, TQvScaleState& State,
                                TQvScaleLabels& Labels) {
    Labels.FitDigits(Start, Stop, State.Parts);
    OrderParts(State.Parts);
}

void TQvNormalScale::KeepPartition(double Start, double Stop, TQvScaleState& State) const {
    FollowSpan(Start, Stop, State.Parts);
}

// ---- Logarithmic ends ----

// A start not above 0 moves to the data's smallest positive value.
template <class TBase>
void TQvLogEnds<TBase>::ClampEnds(double& Start, double& Stop, const TQvEndRules& Rules) const {
    OrderedEnds(Start, Stop, Rules, DefaultLogStart, DefaultLogStop);
    if (Start <= 0) {
        if (Rules.ValuesStart > 0 && Rules.ValuesStart != MaxDouble)
            Start = Rules.ValuesStart;
        else
            Start = Rules.SmallestPositive(Stop);
        if (Start <= 0) Start = FallbackLogStart;
    }
    if (Stop <= 0) Stop = FallbackLogStop;
}

template <class TBase>
bool TQvLogEnds<TBase>::MapsLogarithmically(double Start, double Stop, double LogToNormalLevel,
                                            TQvScaleState& State) const {
    State.LogStart = std::log10(Start);
    State.LogStop = std::log10(Stop);
    return LogToNormalLevel == 0 || State.LogStop - State.LogStart > LogToNormalLevel;
}

template class TQvLogEnds<TQvLinearScale>;
template class TQvLogEnds<TQvScale>;

// ---- Rubrics ----

void TQvRubricsScale::ClampEnds(double& Start, double& Stop, const TQvEndRules& Rules) const {
    CountEnds(Start, Stop, Rules);
}

bool TQvRubricsScale::HasUserParts() const {
    return false;
}

void TQvRubricsScale::ChoosePartition(double, double, TQvScaleState& State, TQvScaleLabels&) const {
    State.Parts = RubricParts;
}

std::optional<TQvTickLabel> TQvRubricsScale::Label(double Value, double Stop, const TQvScaleState&,
                                                   const TQvScaleLabels& Labels) const {
    // No band lies beyond the stop.
    if (Value >= Stop) return std::nullopt;
    const std::optional<QString> Text = Labels.Rubric(std::lround(Value));
    if (!Text) return std::nullopt;
    return TQvTickLabel{*Text, true};
}

// ---- Time spans ----

double TQvSecondsScale::Unit(const TQvScaleState& State) {
    return Exp10(State.Sec.Exponent) * QvTicks::RegionSeconds(State.Sec.Rgn);
}

double TQvSecondsScale::MajorIncrement(const TQvScaleState& State) const {
    return State.Parts.MajorTickPart * Unit(State);
}

double TQvSecondsScale::MinorIncrement(const TQvScaleState& State) const {
    return State.Parts.TickPart * Unit(State);
}

double TQvSecondsScale::RoundEnd(double Value, bool Up, bool Major,
                                 const TQvScaleState& State) const {
    return QvTicks::SecondsRound(Value, State.Sec.Rgn, State.Sec.Exponent, Up,
                                 PartOf(State.Parts, Major));
}

void TQvSecondsScale::ClampEnds(double& Start, double& Stop, const TQvEndRules& Rules) const {
    CountEnds(Start, Stop, Rules);
}

void TQvSecondsScale::ChoosePartition(double Start, double Stop, TQvScaleState& State,
                                      TQvScaleLabels& Labels) const {
    State.Parts = QvTicks::SecondsAxisParts(
        Start, Stop, Labels.AxisPixels(), Labels.GetLabelDistanceFactor(),
        [&Labels](double Value, TQvSecondsFormatRange Format) {
            return double(Labels.ApproxLen(Value, SecondsToString(Value, Format)));
        },
        State.Sec, MinTickGap);
}

void TQvSecondsScale::SettleEnds(double& Start, double& Stop, TQvScaleState& State,
                                 TQvScaleLabels& Labels) const {
    Labels.FitExponent(Start, Stop);
    State.Sec.Format = QvTicks::SecondsFormat(Start, Stop);
    OrderParts(State.Parts);
}

std::vector<TTick> TQvSecondsScale::Ticks(double Start, double Stop, const TQvScaleState& State,
                                          bool EndsRounded) const {
    return QvTicks::SecondsTicks(Start, Stop, State.Parts, State.Sec, EndsRounded);
}

std::optional<TQvTickLabel> TQvSecondsScale::Label(double Value, double, const TQvScaleState& State,
                                                   const TQvScaleLabels&) const {
    return TQvTickLabel{SecondsToString(Value, State.Sec.Format)};
}

// ---- Logarithmic ----

double TQvLogScale::Offset(double Value, const TQvAxisMapping& Mapping) const {
    if (!(Value > 0)) return NonPositiveLogOffset;
    return (std::log10(Value) - Mapping.LogStart) / Mapping.NormalizeConst;
}

double TQvLogScale::ValueAt(double Offset, const TQvAxisMapping& Mapping) const {
    return Exp10(Offset * Mapping.NormalizeConst + Mapping.LogStart);
}

double TQvLogScale::MappedSpan(double, double, const TQvScaleState& State) const {
    return State.LogStop - State.LogStart;
}

bool TQvLogScale::Maps(double Value) const {
    return std::isfinite(Value) && Value > 0;
}

double TQvLogScale::ScrollUnits(double Value) const {
    return std::log10(Value);
}

double TQvLogScale::FromScrollUnits(double Units) const {
    return Qvmath::Exp10(Units);
}

double TQvLogScale::MajorIncrement(const TQvScaleState& State) const {
    return State.Parts.MajorTickPart;
}

double TQvLogScale::MinorIncrement(const TQvScaleState&) const {
    return LogMinorIncrement;
}

double TQvLogScale::RoundEnd(double Value, bool Up, bool Major, const TQvScaleState& State) const {
    const double MajorPart = State.Parts.MajorTickPart;
    const double Part = PartOf(State.Parts, Major);
    return Up ? Qvmath::RoundLogUp(Value, MajorPart, Part)
              : Qvmath::RoundLogDown(Value, MajorPart, Part);
}

bool TQvLogScale::Pads() const {
    return false;
}

bool TQvLogScale::HasUserParts() const {
    return true;
}

void TQvLogScale::ChoosePartition(double Start, double Stop, TQvScaleState& State,
                                  TQvScaleLabels& Labels) const {
    const auto Width = [&](double Value) {
        return Labels.ApproxLen(Value, DecadeText(Value, QString()));
    };
    State.Parts =
        QvTicks::LogAxisParts(Start, Stop, Labels.AxisPixels(), Labels.GetLabelDistanceFactor(),
                              std::max(Width(Start), Width(Stop)));
}

void TQvLogScale::KeepPartition(double Start, double Stop, TQvScaleState& State) const {
    State.Parts.RangeExponent = Decades(Start, Stop);
}

void TQvLogScale::SettleEnds(double& Start, double& Stop, TQvScaleState& State,
                             TQvScaleLabels&) const {
    TParts& Parts = State.Parts;
    Parts.RangeExponent = Decades(Start, Stop);
    Parts.LabelPart = std::max(Parts.LabelPart, Parts.TickPart);
    MapEnds(Start, Stop, State);
    Parts.TickPart = std::max(Parts.TickPart, MinLogTickPart);
    Parts.MajorTickPart = std::max(Parts.MajorTickPart, MinLogMajorPart);
    Parts.LabelPart = std::max(Parts.LabelPart, Parts.TickPart);
}

void TQvLogScale::MapEnds(double Start, double Stop, TQvScaleState& State) const {
    if (!(Start > 0) || !(Stop > 0)) return;
    State.LogStart = std::log10(Start);
    State.LogStop = std::log10(Stop);
}

// Its user parts count in decades.
void TQvLogScale::ScaleUserParts(double, double, TQvScaleState&) const {}

std::vector<TTick> TQvLogScale::Ticks(double Start, double Stop, const TQvScaleState& State,
                                      bool EndsRounded) const {
    return QvTicks::LogTicks(Start, Stop, State.Parts, EndsRounded);
}

std::optional<TQvTickLabel> TQvLogScale::Label(double Value, double, const TQvScaleState&,
                                               const TQvScaleLabels&) const {
    return TQvTickLabel{DecadeText(Value, QStringLiteral("\\+"))};
}

QString TQvLogScale::DecadeText(double Value, const QString& Raise) const {
    if (!FRaisedExponents) return FloatToStr(Value);
    return QStringLiteral("10") + Raise + QString::number(std::lround(std::log10(Value)));
}

// ---- Date and time ----

double TQvDateTimeScale::Offset(double Value, const TQvAxisMapping& Mapping) const {
    return DateTimeSpan(Value, Mapping.Start) / Mapping.NormalizeConst;
}

double TQvDateTimeScale::MappedSpan(double Start, double Stop, const TQvScaleState&) const {
    return DateTimeSpan(Stop, Start);
}

double TQvDateTimeScale::ClampValue(double Value) const {
    return std::clamp(Value, MinDateTime, MaxDateTime);
}

double TQvDateTimeScale::MajorIncrement(const TQvScaleState& State) const {
    // MajorMod counts the units of the coarser of the two regions.
    const TQvDtRegion Coarser = std::min(State.Dt.MajorRgn, State.Dt.MinorRgn);
    return RegionStepDays[size_t(Coarser)] * State.Dt.MajorMod;
}

double TQvDateTimeScale::MinorIncrement(const TQvScaleState& State) const {
    return RegionStepDays[size_t(State.Dt.MinorRgn)] * State.Dt.Increment;
}

double TQvDateTimeScale::RoundEnd(double Value, bool Up, bool Major,
                                  const TQvScaleState& State) const {
    return QvTicks::DateTimeRound(Value, State.Dt, Up, Major);
}

// A reversed range stays as it is.
void TQvDateTimeScale::ClampEnds(double& Start, double& Stop, const TQvEndRules&) const {
    Start = std::max(Start, MinDateTime);
    Stop = std::min(Stop, MaxDateTime);
    Start = std::clamp(Start, -MaxFiniteEnd, MaxFiniteEnd);
    Stop = std::clamp(Stop, -MaxFiniteEnd, MaxFiniteEnd);
    if (Start == Stop) Stop = Start + MinDateTimeSpan;
}

void TQvDateTimeScale::ChoosePartition(double Start, double Stop, TQvScaleState& State,
                                       TQvScaleLabels& Labels) const {
    State.Dt = QvTicks::DateTimeAxisParts(
        Start, Stop, Labels.AxisPixels(), Labels.GetLabelDistanceFactor(),
        [&Labels, Start](QvTicks::TDtLabelFormat Format) {
            QString Sample;
            if (Format == QvTicks::TDtLabelFormat::LongMonth)
                Sample = QString::fromLatin1(LongMonthSample);
            else
                MyDateTimeToString(Sample, Labels.DateTimeFormat(Format), Start);
            return double(Labels.ApproxLen(Start, Sample));
        });
}

// Rounding may have left the calendar.
void TQvDateTimeScale::SettleEnds(double& Start, double& Stop, TQvScaleState&,
                                  TQvScaleLabels&) const {
    Start = ClampValue(Start);
    Stop = ClampValue(Stop);
}

std::vector<TTick> TQvDateTimeScale::Ticks(double Start, double Stop, const TQvScaleState& State,
                                           bool) const {
    return QvTicks::DateTimeTicks(Start, Stop, State.Dt);
}

std::optional<TQvTickLabel> TQvDateTimeScale::Label(double Value, double,
                                                    const TQvScaleState& State,
                                                    const TQvScaleLabels& Labels) const {
    QString Text;
    MyDateTimeToString(Text, Labels.DateTimeFormat(State.Dt.Format), Value);
    return TQvTickLabel{Text};
}
