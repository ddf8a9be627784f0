// The component stream reader: a component record read into one of the chart's components or
// into a new component of the class it names, then the chart painted.

#include "componentrecords.h"

#include <style/qvgdi.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0) return 0;
    QvFuzz::TChart Chart;
    QBuffer Buffer;
    Buffer.setData(QvFuzz::Bytes(Data + 1, Size - 1));
    Buffer.open(QIODevice::ReadOnly);
    try {
        TReader Reader(&Buffer);
        Reader.ReadComponent(QvFuzz::ComponentTarget(Chart, Data[0]), Chart.Module.get());
    } catch (const Exception&) {
    }
    QvFuzz::Paint(Chart.Graph);
    return 0;
}
