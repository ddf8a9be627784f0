#pragma once

// Tick arithmetic of the axes: the partition searches that choose the label, major and minor
// steps from the pixels available and an estimate of the label width, the rounding of the time
// scalings, and the ticks of a range. Plain C++; the axis supplies the width estimates.

#include "axes/qvaxistypes.h"

#include <array>
#include <functional>
#include <vector>

namespace QvTicks {

// The three steps: in units of 10^RangeExponent for a linear mapping, in decades for a
// logarithmic one, in units of the region times 10^Exponent for time spans.
struct TParts {
    double LabelPart = 1.0;
    double MajorTickPart = 0.5;
    double TickPart = 0.1;
    int RangeExponent = 0;
};

// The candidate label, major and minor steps of a linear partition, from coarse to fine.
inline constexpr std::array<double, 3> LabelParts = {1.0, 0.5, 0.2};
inline constexpr std::array<double, 3> MajorParts = {0.5, 0.5, 0.1};
inline constexpr std::array<double, 3> MinorParts = {0.1, 0.1, 0.02};

// A tick of an axis: its value, and whether it is a major tick and carries a label.
struct TTick {
    double Value = 0;
    bool Major = false;
    bool Label = false;
};

// ---- Linear ----

// Label steps 10, 5, 2, 1, 0.5, 0.2, ... times 10^RangeExponent are tried from coarse to fine;
// the first whose labels need at least Pixels is chosen. LabelWidth(Trial) estimates the width
// of the wider end label when the labels step by Trial.LabelPart.
TParts NormalAxisParts(double Start, double Stop, double Pixels, double LabelDistanceFactor,
                       const std::function<double(const TParts& Trial)>& LabelWidth);
// The ticks from Start to Stop; EndsRounded: the ends lie on the partition already.
std::vector<TTick> LinearTicks(double Start, double Stop, const TParts& Parts, bool EndsRounded);

// ---- Logarithmic (Start and Stop positive) ----

// MaxLabelWidth: the wider of the estimated widths of the Start and Stop labels.
TParts LogAxisParts(double Start, double Stop, double Pixels, double LabelDistanceFactor,
                    double MaxLabelWidth);
std::vector<TTick> LogTicks(double Start, double Stop, const TParts& Parts, bool EndsRounded);

// ---- Time spans, in seconds ----

// How labels of a time span axis read: the unit of its ticks, their power of ten and format.
struct TQvSecParameters {
    TQvDtRegion Rgn = TQvDtRegion::Second;
    int Exponent = 0;
    TQvSecondsFormatRange Format = TQvSecondsFormatRange::Second;
};

// The largest unit the labels show, by the larger end.
TQvSecondsFormatRange SecondsFormat(double Start, double Stop);
// LabelWidth(Value, Format): the estimated width of the label of Value.
TParts SecondsAxisParts(
    double Start, double Stop, double Pixels, double LabelDistanceFactor,
    const std::function<double(double Value, TQvSecondsFormatRange Format)>& LabelWidth,
    TQvSecParameters& Parameters, double MinTickGap = 0);
// The minor part made coarser, to an even division of the major part, until minor ticks stand
// at least MinGap pixels apart; PixelsPerPart is the length of one unit of the parts.
double ThinTickPart(double TickPart, double MajorTickPart, double PixelsPerPart, double MinGap);
// Seconds in one unit of the region; 0 for years and months, which have no fixed length.
double RegionSeconds(TQvDtRegion Rgn);
// X rounded in the unit of the region to a multiple of Part × 10^Exponent.
double SecondsRound(double X, TQvDtRegion Rgn, int Exponent, bool Up, double Part);
std::vector<TTick> SecondsTicks(double Start, double Stop, const TParts& Parts,
                                const TQvSecParameters& Parameters, bool EndsRounded);

// ---- Date and time, in days ----

// Which of the axis' date-time label formats a partition uses.
enum class TDtLabelFormat {
    MilliSecond,
    Second,
    Minute,
    DayAndHour,
    Day,
    LongMonth,
    ShortMonth,
    Year
};

// Minor ticks advance by Increment units of MinorRgn; a tick is major when its calendar count
// is divisible by MajorMod and labelled when divisible by LabelMod.
struct TQvDtParameters {
    TQvDtRegion MajorRgn = TQvDtRegion::Day;
    TQvDtRegion MinorRgn = TQvDtRegion::Day;
    int Increment = 1;
    int MajorMod = 1;
    int LabelMod = 1;
    TDtLabelFormat Format = TDtLabelFormat::Day;
};

// LabelWidth(Format): the estimated width of a sample label in that format.
TQvDtParameters DateTimeAxisParts(double Start, double Stop, double Pixels,
                                  double LabelDistanceFactor,
                                  const std::function<double(TDtLabelFormat Format)>& LabelWidth);
double DateTimeRound(double Value, const TQvDtParameters& Parameters, bool Up, bool Major);
std::vector<TTick> DateTimeTicks(double Start, double Stop, const TQvDtParameters& Parameters);

} // namespace QvTicks
