#include "series/qvscreenpoints.h"

#include <algorithm>

void TQvScreenPoints::Invalidate(int From) {
    FStale = true;
    // Points made from later values may stand for earlier ones: only appending keeps them.
    if (From < FCovered) FCovered = 0;
}

int TQvScreenPoints::Begin(const TQvAxisMapping& X, const TQvAxisMapping& Y, bool TopmostOnly) {
    if (!MadeFor(X, Y, TopmostOnly)) FCovered = 0;
    FXMapping = X;
    FYMapping = Y;
    FTopmostOnly = TopmostOnly;
    if (FCovered == 0) {
        FList.Clear();
        FOnColumns = true;
        FAscendingX = FDescendingX = true;
    }
    FCountBefore = FList.Points.size();
    return FCovered;
}

void TQvScreenPoints::End(int Count, bool AddedOnColumns) {
    if (FList.Points.size() > FCountBefore) FOnColumns = FOnColumns && AddedOnColumns;
    const std::vector<TGPPointF>& P = FList.Points;
    for (std::size_t k = std::max<std::size_t>(FCountBefore, 1);
         k < P.size() && (FAscendingX || FDescendingX); ++k) {
        FAscendingX = FAscendingX && P[k].X >= P[k - 1].X;
        FDescendingX = FDescendingX && P[k].X <= P[k - 1].X;
    }
    FCovered = Count;
    FStale = false;
    ++FGeneration;
}
