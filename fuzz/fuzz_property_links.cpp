// Property link texts: each line of the input is a link of an edit on the chart's module,
// resolved, written through, followed at an idle pass and renamed; then the chart painted.

#include "fuzzing.h"

#include <editors/qvedits.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    QvFuzz::TChart Chart;
    auto* Edit = new TQvDoubleEdit(Chart.Module.get());
    Edit->SetName(QStringLiteral("Edit"));
    TQvPropertyLinks* Links = Edit->GetPropertyLinks();
    Links->GetItems()->SetText(QString::fromUtf8(QvFuzz::Bytes(Data, Size)));
    try {
        Links->CheckLink();
        Edit->SetValue(1.5);
        Links->SetLink(QStringLiteral("2"));
        Links->SetLink(TQvPointSymbol::Star);
        Application()->DoIdle();
        Chart.Series->SetName(QStringLiteral("Renamed"));
        Links->UpdateLinkNames();
    } catch (const Exception&) {
    }
    QvFuzz::Paint(Chart.Graph);
    return 0;
}
