#pragma once

// Enumerations and records of the axes, reflected by name. Ordinals are stored in files and
// never change.

#include <QObject>

namespace QvAxes {
Q_NAMESPACE

// The largest unit that SecondsToString shows.
enum class TQvSecondsFormatRange {
    Second,
    Minute,
    Hour,
    Day
};
Q_ENUM_NS(TQvSecondsFormatRange)

// Log labels decades as plain numbers, LogEE as 10 with a raised exponent; Seconds shows a time
// span, DateTime a calendar date and time (days with the time as fraction), Rubrics one text
// per integer position.
enum class TQvAxisScaling {
    Normal,
    Log,
    LogEE,
    Seconds,
    DateTime,
    Rubrics
};
Q_ENUM_NS(TQvAxisScaling)

// Everything an axis reads to map a value to a pixel: pixels mapped under another mapping are
// stale.
struct TQvAxisMapping {
    double Start, LogStart, NormalizeConst;
    float AxLeft, AxTop, AxLength;
    TQvAxisScaling Scaling;
    bool HasLogScaling, Twisted, Horizontal;
    bool operator==(const TQvAxisMapping&) const = default;
};

// How an end of the range is found.
enum class TQvAxisEnd {
    AutoRange,
    FirstSet,
    Fixed,
    MovingSlit
};
Q_ENUM_NS(TQvAxisEnd)

enum class TQvAxisEndRounding {
    RndToMajorZoomToMinor,
    RndToMajorZoomToNothing,
    RndToMajor,
    RndToMinorZoomToNothing,
    RndToMinor,
    RndNothing
};
Q_ENUM_NS(TQvAxisEndRounding)

// The side of the data area.
enum class TQvAxisPosition {
    Bottom,
    Left,
    Top,
    Right
};
Q_ENUM_NS(TQvAxisPosition)

enum class TQvMajorGridMode {
    AtLabel,
    AtMajorTick
};
Q_ENUM_NS(TQvMajorGridMode)

enum class TQvDtRegion {
    Year,
    Month,
    Day,
    Hour,
    Minute,
    Second,
    MilliSecond
};
Q_ENUM_NS(TQvDtRegion)

} // namespace QvAxes

using QvAxes::TQvAxisEnd;
using QvAxes::TQvAxisEndRounding;
using QvAxes::TQvAxisMapping;
using QvAxes::TQvAxisPosition;
using QvAxes::TQvAxisScaling;
using QvAxes::TQvDtRegion;
using QvAxes::TQvMajorGridMode;
using QvAxes::TQvSecondsFormatRange;
