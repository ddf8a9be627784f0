#pragma once

// The component records of the component fuzz target and the seed writer: a byte naming the
// component read into (or, for 0, a new component of the stored class), then the record.

#include "fuzzing.h"

#include <framework/qvfiler.h>

namespace QvFuzz {

constexpr int ComponentTargetCount = 6;

// The component that the record of kind Kind is read into; nullptr makes a new one.
inline TComponent* ComponentTarget(const TChart& Chart, int Kind) {
    const std::array<TComponent*, ComponentTargetCount> Targets = {
        nullptr, Chart.Graph, Chart.XAxis, Chart.YData, Chart.Series, Chart.Stack};
    return Targets[size_t(Kind % ComponentTargetCount)];
}

} // namespace QvFuzz
