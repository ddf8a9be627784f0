#pragma once

// Enumerations of the axes, reflected by name. Ordinals are stored in files and never change.

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

} // namespace QvAxes

using QvAxes::TQvSecondsFormatRange;
