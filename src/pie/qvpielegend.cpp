#include "pie/qvpielegend.h"

#include "pie/qvfillpalette.h"
#include "pie/qvpiechart.h"
#include "strings/qvlocalize.h"
#include "undo/qvundostack.h"

using namespace Qvlocalize;

namespace {

// Documents and forms create pie legends by their class name.
[[maybe_unused]] const bool Registered = [] {
    RegisterClass<TQvPieLegend>();
    return true;
}();

} // namespace

TQvPieLegend::TQvPieLegend(TComponent* AOwner) : TQvCustomLegend(AOwner) {
    SetItemWidth(20);
}

TQvPieLegend::~TQvPieLegend() {
    Destroying();
    if (FPieChart) FPieChart->RemovePieLegend(this);
}

void TQvPieLegend::SetPieChart(TQvPieChart* Value) {
    if (FPieChart == Value) return;
    if (FPieChart) FPieChart->RemovePieLegend(this);
    ReplaceReference(this, FPieChart, Value);
    if (FPieChart) FPieChart->AddPieLegend(this);
    Changed();
}

void TQvPieLegend::SetPosition(TQvPieLegendPosition Value) {
    if (FPosition == Value) return;
    if (FPieChart && !FPieChart->IsDestroying())
        if (TQvUndoStack* Stack = FPieChart->GetUndoStack())
            Stack->PushProperty(this, SLegendPosition.Text(), QStringLiteral("Position"));
    FPosition = Value;
    SetItemsOrder(Value == TQvPieLegendPosition::CenterTop ||
                          Value == TQvPieLegendPosition::CenterBottom
                      ? TQvItemsOrder::ByRow
                      : TQvItemsOrder::ByColumn);
    Changed();
}

void TQvPieLegend::SegmentsChanged() {
    TQvCustomLegend::Changed();
    UpdateItems();
}

void TQvPieLegend::Changed() {
    TQvCustomLegend::Changed();
    // Its size is room the chart's layout gives it.
    if (FPieChart && !FPieChart->IsDestroying()) FPieChart->Modified();
}

int TQvPieLegend::CountItems() const {
    return FPieChart ? FPieChart->SegmentCount() : 0;
}

TQvRichCaption TQvPieLegend::ItemText(int Index) const {
    return FPieChart->GetSegmentCaption(FPieChart->GetLegendItemIndex(Index), FLabelsFrom,
                                        FLabelFormat);
}

void TQvPieLegend::DrawSample(const TQvLegendItemDrawArgs& Args) const {
    FPieChart->PaletteItem(Args.Index)->DrawListItem(Args);
}

void TQvPieLegend::Notification(TComponent* AComponent, TOperation Operation) {
    TQvCustomLegend::Notification(AComponent, Operation);
    if (Operation != TOperation::Remove || !AComponent || IsDestroying()) return;
    if (AComponent == static_cast<TComponent*>(FPieChart)) {
        FPieChart = nullptr;
        Changed();
    }
}
