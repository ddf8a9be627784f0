// Pie records: a pie legend read from a binary, XML or INI record, or a pie chart read from a
// component stream; then the chart is painted.

#include "pierecords.h"

#include <framework/qvfiler.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0) return 0;
    QvFuzz::TPieChart Chart;
    if (QvFuzz::TPieKind(Data[0] / 3 % 2) == QvFuzz::TPieKind::Chart) {
        QBuffer Buffer;
        Buffer.setData(QvFuzz::Bytes(Data + 1, Size - 1));
        Buffer.open(QIODevice::ReadOnly);
        try {
            TReader(&Buffer).ReadComponent(Chart.Pie, Chart.Module.get());
        } catch (const Exception&) {
        }
    } else {
        QvFuzz::ReadInForm(
            Data, Size, [&](QIODevice* Stream) { Chart.Legend->ReadFrom(Stream); },
            [&](const IXMLNode& Node) { Chart.Legend->ReadFrom(Node); },
            [&](TCustomIniFile* Ini, const QString& Section) {
                Chart.Legend->ReadFrom(Ini, Section);
            });
    }
    Chart.Paint();
    return 0;
}
