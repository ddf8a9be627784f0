// Data vectors read from a binary, XML or INI record.

#include "fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    TQvDoubleVector Vector(nullptr);
    Vector.AddRange({1, 2, 3});
    QvFuzz::ReadInForm(
        Data, Size, [&](QIODevice* Stream) { Vector.ReadFrom(Stream); },
        [&](const IXMLNode& Node) { Vector.ReadFrom(Node); },
        [&](TCustomIniFile* Ini, const QString& Section) { Vector.ReadFrom(Ini, Section); });
    // Whatever was read must be usable.
    Vector.GetMaximum();
    Vector.GetSum();
    Vector.Add(1);
    Vector.GetMinimumIdx();
    return 0;
}
