#pragma once

// Value i of a vector as a series reads it: through its transformation when one is set, else
// straight from the vector's array when it has one. Made once for a pass over many values.

#include "series/qvseries.h"

class TQvValueReader {
public:
    TQvValueReader(const TQvCustomDoubleVector* Data, const TQvValueTransformation& Transform,
                   const TObject* Sender)
        : FData(Data), FRaw(!Transform && Data ? Data->Data() : nullptr),
          FCount(Data ? Data->GetCount() : 0), FTransform(Transform), FSender(Sender) {}
    // The number of values in the vector.
    int Count() const { return FCount; }
    double operator()(int i) const {
        return FRaw ? FRaw[i] : Transformed(FTransform, FSender, i, FData->GetValue(i));
    }

private:
    const TQvCustomDoubleVector* FData;
    const double* FRaw;
    int FCount;
    const TQvValueTransformation& FTransform;
    const TObject* FSender;
};
