// Series, legend, marker, axis and style records (line, arrow, area, gradient, point symbols
// inside the series, font, a regression's ranges and band, the four kinds of marker) read from
// a binary, XML or INI record; the first byte names form and kind.

#include "stylerecords.h"

#include <style/qvgdi.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0) return 0;
    QvFuzz::TStyleObjects Objects;
    QvFuzz::WithStyleObject(Objects, Data[0] / 3, [&](auto* Object) {
        QvFuzz::ReadInForm(
            Data, Size, [&](QIODevice* Stream) { QvFuzz::Read(Object, Stream); },
            [&](const IXMLNode& Node) { QvFuzz::Read(Object, Node); },
            [&](TCustomIniFile* Ini, const QString& Section) {
                QvFuzz::Read(Object, Ini, Section);
            });
    });
    QvFuzz::Paint(Objects.Chart.Graph);
    return 0;
}
