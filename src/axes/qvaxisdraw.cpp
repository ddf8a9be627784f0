// The geometry of an axis across its direction and its drawing: the room it needs, where its
// line lies inside the control, the room beyond its ends, and ticks, line, arrow and texts.

#include "axes/qvaxis.h"

#include "graph/qvgraph2d.h"
#include "series/qvseries.h"

#include <QPainter>

#include <cmath>
#include <vector>

namespace {
// The arrow tip reaches this many point lengths beyond the axis end.
constexpr float ArrowReach = 3;
// Between the end of a crossing axis (or its arrow tip) and its caption.
constexpr float EndCaptionGap = 5;
} // namespace

bool TQvAxis::Crosses() const {
    const TQvGraph2D* Graph = ParentGraph();
    return Graph && Graph->AxisCrosses(this);
}

float TQvAxis::CaptionHeight() const {
    if (!FCaptionVisible || GetCaption().isEmpty()) return 0;
    const bool Turned = !GetHorizontal() && !FCaptionHorizontalOnVerticalAxis;
    return Turned ? FCaptionRec->GetWidth() : FCaptionRec->GetHeight();
}

float TQvAxis::CaptionWidth() const {
    if (!FCaptionVisible || GetCaption().isEmpty()) return 0;
    const bool Turned = !GetHorizontal() && !FCaptionHorizontalOnVerticalAxis;
    return Turned ? FCaptionRec->GetHeight() : FCaptionRec->GetWidth();
}

float TQvAxis::Thickness() const {
    const bool Horizontal = GetHorizontal();
    const float h = std::ceil(FAxisThicknes / 2);
    const float M = FMajorTickLength;
    const float L = Horizontal ? FMaxNumberLabelHeight : FMaxNumberLabelWidth;
    const float C = Crosses() ? 0 : Horizontal ? CaptionHeight() : CaptionWidth();
    float t = GetDistanceToBorder() + M + h;
    if (L > 0) t += FDistanceAxisLabels + L;
    if (C > 0) t += C + (L > 0 ? GetDistanceNumbersCaption() : FDistanceAxisLabels);
    if (FAdditionalExponent && FNumbersVisible) {
        const float X = Horizontal ? FExtraExponentRec->GetHeight() : FExtraExponentRec->GetWidth();
        t = std::max(t, FDistanceAxisExtraExponent + M + X + FAxisThicknes);
    }
    return t;
}

void TQvAxis::PlaceAxisLine(float Thickness) {
    const float h = std::ceil(FAxisThicknes / 2);
    const float M = FMajorTickLength;
    switch (FPosition) {
    case TQvAxisPosition::Bottom:
        FAxTop = FTicksPointToData ? M : h;
        if (FAxTop < 1) FAxTop = 0;
        break;
    case TQvAxisPosition::Top:
        FAxTop = FTicksPointToData ? float(GetHeight()) - M
                                   : std::ceil(float(GetHeight()) - FAxisThicknes / 2);
        break;
    case TQvAxisPosition::Left:
        FAxLeft =
            FTicksPointToData ? float(GetWidth()) - M : std::ceil(Thickness - FAxisThicknes / 2);
        break;
    case TQvAxisPosition::Right:
        FAxLeft = FTicksPointToData ? M : h;
        break;
    }
}

float TQvAxis::StartSpace() const {
    return SpaceBeyond(true);
}

float TQvAxis::EndSpace() const {
    return SpaceBeyond(false);
}

float TQvAxis::CaptionBeyondEnd() const {
    if (!FCaptionVisible || GetCaption().isEmpty() || !Crosses()) return 0;
    const float Reach = FArrowPoint->GetVisible() ? ArrowReach * FArrowPoint->GetPointLength() : 0;
    const float Along = GetHorizontal() ? FCaptionRec->GetWidth() : FCaptionRec->GetHeight();
    return std::ceil(Reach + EndCaptionGap + Along);
}

void TQvAxis::PlaceCaptionBeyondEnd() {
    TQvRichCaptionObject* Caption = FCaptionRec.get();
    Caption->SetAngle(0);
    const float Reach =
        EndCaptionGap +
        (FArrowPoint->GetVisible() ? ArrowReach * FArrowPoint->GetPointLength() : 0);
    using A = TQvContentAlignment;
    if (GetHorizontal()) {
        const float End = FTwisted ? FAxLeft - Reach : FAxLeft + FAxLength + Reach;
        Caption->SetAlign(FTwisted ? A::MiddleRight : A::MiddleLeft);
        Caption->SetAnchor(End, FAxTop);
    } else {
        const float End = FTwisted ? FAxTop + FAxLength + Reach : FAxTop - Reach;
        Caption->SetAlign(FTwisted ? A::TopCenter : A::BottomCenter);
        Caption->SetAnchor(FAxLeft, End);
    }
}

void TQvAxis::KeepCaptionWithin(float Low, float High) {
    if (!Crosses()) return;
    TQvRichCaptionObject* Caption = FCaptionRec.get();
    const bool Horizontal = GetHorizontal();
    // The anchor is centred across the axis; the control's place turns it to the graph's.
    const float Offset = float(Horizontal ? GetTop() : GetLeft());
    const float Half = (Horizontal ? Caption->GetHeight() : Caption->GetWidth()) / 2;
    float Middle = (Horizontal ? Caption->GetAnchorY() : Caption->GetAnchorX()) + Offset;
    Middle = std::max(std::min(Middle, High - Half), Low + Half);
    if (Horizontal)
        Caption->SetAnchor(Caption->GetAnchorX(), Middle - Offset);
    else
        Caption->SetAnchor(Middle - Offset, Caption->GetAnchorY());
}

// Half the outer label, the symbols of the series and the arrow tip reach beyond an end; a
// crossing axis keeps its labels inside.
float TQvAxis::SpaceBeyond(bool AtStart) const {
    float Space = 0;
    if (FAxLabels.Count() > 0 && !Crosses()) {
        const bool First = AtStart != FTwisted;
        const TQvRichCaptionObject* Label = FAxLabels.Get(First ? 0 : FAxLabels.Count() - 1);
        const float w = Label->GetWidth(), h = Label->GetHeight();
        const float Along =
            GetHorizontal() ? w * FRubricsCos + h * FRubricsSin : w * FRubricsSin + h * FRubricsCos;
        Space = Along / 2;
    }
    if (!GetIsClipped())
        for (const TQvSeries* Series : FRelatedSeries)
            Space = std::max(Space, Series->ExtraSpaceAt(FPosition));
    if (FArrowPoint->GetVisible() && AtStart == FTwisted)
        Space = std::max(Space, ArrowReach * FArrowPoint->GetPointLength());
    return std::ceil(Space);
}

// Ticks point away from the data area, or towards it.
float TQvAxis::TickDirection() const {
    const bool Outwards =
        FPosition == TQvAxisPosition::Bottom || FPosition == TQvAxisPosition::Right;
    return (Outwards != FTicksPointToData) ? 1.0f : -1.0f;
}

void TQvAxis::DrawTicks(TGPGraphics* Graphics, bool Major) {
    const TQvGraph2D* Graph = ParentGraph();
    const bool Round = !(Graph && Graph->GetDoingMetafile());
    const TGPPen Pen(Major ? FMajorTickColor : FTickColor,
                     Major ? FMajorTickThicknes : FTickThicknes);
    const float Length = (Major ? FMajorTickLength : FTickLength) * TickDirection();
    std::vector<TGPPointF> Ends;
    for (size_t i = 0; i < FTicks.size(); ++i) {
        if (FMajorTick[i] != Major) continue;
        const float p = Round ? std::round(FTicks[i]) : FTicks[i];
        if (GetHorizontal())
            Ends.insert(Ends.end(), {{p, FAxTop}, {p, FAxTop + Length}});
        else
            Ends.insert(Ends.end(), {{FAxLeft, p}, {FAxLeft + Length, p}});
    }
    Graphics->DrawSegments(Pen, Ends.data(), int(Ends.size()));
}

void TQvAxis::DrawLine(TGPGraphics* Graphics) {
    TGPPen Pen(FForeColor, FAxisThicknes);
    const bool Horizontal = GetHorizontal();
    // From the start of the values to their end, in pixels.
    const float Low = Horizontal ? FAxLeft : FAxTop + FAxLength;
    const float High = Horizontal ? FAxLeft + FAxLength : FAxTop;
    const float From = FTwisted ? High : Low;
    float To = FTwisted ? Low : High;
    const TGPSmoothingMode Saved = Graphics->GetSmoothingMode();
    if (FArrowPoint->GetVisible()) {
        // The arrow sits at the end of the values, beyond the last tick.
        Graphics->SetSmoothingMode(TGPSmoothingMode::HighQuality);
        const float Reach = ArrowReach * FArrowPoint->GetPointLength();
        To += To > From ? Reach : -Reach;
        Pen.SetCustomEndCap(ArrowPointCap(FArrowPoint.get()));
    }
    if (Horizontal)
        Graphics->DrawLine(Pen, From, FAxTop, To, FAxTop);
    else
        Graphics->DrawLine(Pen, FAxLeft, From, FAxLeft, To);
    Graphics->SetSmoothingMode(Saved);
}

void TQvAxis::PaintGr(TGPGraphics* Graphics) {
    if (FRecalculate && !PassRunning()) Calculate();
    DrawTicks(Graphics, true);
    DrawTicks(Graphics, false);
    DrawLine(Graphics);
    if (FNumbersVisible)
        for (int i = 0; i < FAxLabels.Count(); ++i)
            FAxLabels.Get(i)->PaintGr(Graphics);
    if (FCaptionVisible && !GetCaption().isEmpty()) FCaptionRec->PaintGr(Graphics);
    if (FAdditionalExponent && FNumbersVisible && FAxLabels.Count() > 1)
        FExtraExponentRec->PaintGr(Graphics);
}

void TQvAxis::Paint(QPainter& Canvas) {
    if (ParentGraph()) return; // the graph draws its axes
    TGPGraphics Graphics(&Canvas);
    PaintGr(&Graphics);
}
