#include "series/qvarrows.h"

#include "axes/qvaxis.h"
#include "axes/qvmath.h"
#include "graph/qvgraph2d.h"
#include "style/qvrecord.h"

#include <cmath>

using namespace Qvlocalize;
using Qvmath::MaxDouble;
using QvRecord::Setter;

namespace {

// Documents create arrow series by their class name.
[[maybe_unused]] const bool Registered = [] {
    RegisterClass<TQvArrows>();
    return true;
}();

// Cuts the segment A-B to Rect (Liang-Barsky); false when nothing of it lies inside.
bool ClipSegment(const TGPRectF& Rect, TGPPointF& A, TGPPointF& B) {
    const float Dx = B.X - A.X, Dy = B.Y - A.Y;
    float From = 0, To = 1;
    const auto Edge = [&](float p, float q) {
        if (p == 0) return q >= 0;
        const float t = q / p;
        if (p < 0) {
            if (t > To) return false;
            From = std::max(From, t);
        } else {
            if (t < From) return false;
            To = std::min(To, t);
        }
        return true;
    };
    if (!Edge(-Dx, A.X - Rect.X) || !Edge(Dx, Rect.X + Rect.Width - A.X) ||
        !Edge(-Dy, A.Y - Rect.Y) || !Edge(Dy, Rect.Y + Rect.Height - A.Y))
        return false;
    const TGPPointF Start = A;
    A = {Start.X + From * Dx, Start.Y + From * Dy};
    B = {Start.X + To * Dx, Start.Y + To * Dy};
    return true;
}

} // namespace

TQvArrows::TQvArrows(TComponent* AOwner) : TQvRecordedSeries(AOwner) {
    // The arrow settings take the place of the line settings, with the series' colour.
    auto Arrow = std::make_unique<TQvArrowSettings>();
    Arrow->Assign(FLineSettings.get());
    Arrow->SetModifiedCallback([this] { TestVisibleChanged(); });
    FLineSettings = std::move(Arrow);
    AddFurtherVector(FdX, true, true);
    AddFurtherVector(FdY, false, true);
    NameCaption();
}

TQvArrowSettings* TQvArrows::GetArrow() const {
    return static_cast<TQvArrowSettings*>(FLineSettings.get());
}

void TQvArrows::SetDeltaX(TQvCustomDoubleVector* Value) {
    SetVectorReference(FdX, Value, "DeltaX", SArrowsDeltaX);
}

void TQvArrows::SetDeltaY(TQvCustomDoubleVector* Value) {
    SetVectorReference(FdY, Value, "DeltaY", SArrowsDeltaY);
}

void TQvArrows::SetXDeltaTransformation(const TQvValueTransformation& Value) {
    FXDeltaTransformation = Value;
    RangesModified();
}

void TQvArrows::SetYDeltaTransformation(const TQvValueTransformation& Value) {
    FYDeltaTransformation = Value;
    RangesModified();
}

double TQvArrows::GetDx(int i) const {
    return Transformed(FXDeltaTransformation, this, i, FdX->GetValue(i));
}

double TQvArrows::GetDy(int i) const {
    return Transformed(FYDeltaTransformation, this, i, FdY->GetValue(i));
}

int TQvArrows::GetCount() const {
    FMinCount = 1;
    if (!FXData || !FYData || !FdX || !FdY) return 0;
    return std::min({FXData->GetCount(), FYData->GetCount(), FdX->GetCount(), FdY->GetCount()});
}

bool TQvArrows::HasValuesAt(int i) const {
    return FOutliersVisible || (TQvSeries::HasValuesAt(i) && !FurtherOutlierAt(i));
}

bool TQvArrows::SeriesVisible() const {
    return FVisible && GetArrow()->GetVisible();
}

void TQvArrows::DataRange(bool X, double& Lo, double& Hi) const {
    const bool Log = LogAxis(X);
    Lo = MaxDouble;
    Hi = -MaxDouble;
    for (int i = 0; i < FCount; ++i) {
        if (!HasValuesAt(i)) continue;
        for (const double v : {X ? ValueX(i) : ValueY(i), X ? TipX(i) : TipY(i)}) {
            if (!std::isfinite(v) || (Log && v <= 0)) continue;
            Lo = std::min(Lo, v);
            Hi = std::max(Hi, v);
        }
    }
}

// Every arrow is kept: each is a run of its own, its tail the point, its tip beside it.
void TQvArrows::CalculatePoints() {
    if (!FXAxis || !FYAxis) return;
    const int Count = std::min(FCount, GetCount());
    FScreen.Invalidate();
    FScreen.Begin(FXAxis->Mapping(), FYAxis->Mapping());
    FTips.clear();
    QvPointStages::TPointList& Out = FScreen.Output();
    for (int i = 0; i < Count; ++i) {
        if (!HasValuesAt(i)) continue;
        const TGPPointF Tail = ScreenPoint(i), Tip = ScreenPoint(TipX(i), TipY(i));
        if (!std::isfinite(Tail.X + Tail.Y + Tip.X + Tip.Y)) continue;
        Out.Break();
        Out.Add(Tail, i);
        FTips.push_back(Tip);
    }
    FScreen.End(Count, false);
}

// Nothing is drawn outside the data area. Each shaft is first cut to the area widened by more
// than a head's size: a tip within that reach keeps its head where it is, and a shaft running
// on beyond it ends where its head could no longer show.
void TQvArrows::PaintGr(TGPGraphics* Graphics) {
    if (!FXAxis || !FYAxis || !FGraph || !SeriesVisible()) return;
    const std::vector<TGPPointF>& Tails = CurrentScreenPoints().Points();
    const std::vector<int>& Index = FScreen.Index();
    if (Tails.size() != FTips.size()) return;
    const TGPRectF& Area = FGraph->GetDrawingArea();
    // The line settings are the arrow's: their pen carries the head.
    PrepareStyles();
    const TQvArrowSettings* Arrow = GetArrow();
    const float HeadSize = std::max(Arrow->GetPointLength(), Arrow->GetPointHeight()) + 1;
    const TGPRegion Saved = Graphics->GetClip();
    Graphics->IntersectClip(Area);
    for (size_t k = 0; k < Tails.size(); ++k) {
        TQvPen* Pen = FPen.get();
        if (FOnGetPen) {
            const int i = Index[k];
            TQvPenEventArgs Args{i, ValueX(i), ValueY(i), Pen, true};
            FOnGetPen(this, Args);
            if (!Args.Visible || !Args.Pen) continue;
            Pen = Args.Pen;
        }
        TGPPointF Tail = Tails[k], Tip = FTips[k];
        if (Tail.X == Tip.X && Tail.Y == Tip.Y) continue; // no direction for a head
        const float Margin = 2 * HeadSize * std::max(Pen->GetWidth(), 1.0f);
        const TGPRectF Reach{Area.X - Margin, Area.Y - Margin, Area.Width + 2 * Margin,
                             Area.Height + 2 * Margin};
        if (ClipSegment(Reach, Tail, Tip)) Graphics->DrawLine(*Pen, Tail, Tip);
    }
    Graphics->SetClip(Saved);
}

void TQvArrows::VisitRecord(QvRecord::TRecord& R) {
    TQvArrowSettings* Arrow = GetArrow();
    R.Field({"Arrow.PointLength", "Arrow", "PointLength"}, Arrow->GetPointLength(),
            Setter(Arrow, &TQvArrowSettings::SetPointLength));
    R.Field({"Arrow.InnerLength", "Arrow", "InnerLength"}, Arrow->GetInnerLength(),
            Setter(Arrow, &TQvArrowSettings::SetInnerLength));
    R.Field({"Arrow.PointHeight", "Arrow", "PointHeight"}, Arrow->GetPointHeight(),
            Setter(Arrow, &TQvArrowSettings::SetPointHeight));
    R.Reference<TQvCustomDoubleVector>({"Arrows.DeltaX", "Arrows", "DeltaX"}, FdX,
                                       [this](TQvCustomDoubleVector* V) { SetDeltaX(V); });
    R.Reference<TQvCustomDoubleVector>({"Arrows.DeltaY", "Arrows", "DeltaY"}, FdY,
                                       [this](TQvCustomDoubleVector* V) { SetDeltaY(V); });
    R.End("arrows");
}
