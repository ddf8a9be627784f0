// The ticks and scale labels of an axis: what its scale asks about labels (widths, digits,
// formats, rubrics), and the placement of ticks, labels, extra exponent and caption along and
// across the axis.

#include "axes/qvaxis.h"

#include "axes/qvdatetime.h"
#include "axes/qvmath.h"
#include "data/qvboundstrings.h"
#include "framework/qvstringlist.h"
#include "graph/qvgraph2d.h"

#include <QImage>

#include <cmath>

using Qvmath::Exp10;
using Qvmath::Real10thExponent;
using QvTicks::TDtLabelFormat;

namespace {

// The width estimate of a label: characters and lines in units of the font size.
constexpr float CharWidthPerSize = 1.6f;
constexpr float LineHeightPerSize = 2.5f;
// The anchor shift of oblique labels, in font sizes.
constexpr float ObliqueShift = 0.8f;
// Between the frame of the data area and the outer labels of a crossing axis.
constexpr float EndLabelInset = 3;
// An axis without a length is laid out over this many pixels.
constexpr float DefaultAxisLength = 100;

// Fixed-point text without a minus sign on a value that rounds to zero.
QString FixedText(double Value, int Decimals) {
    QString Text = QString::number(Value, 'f', Decimals);
    if (Text.startsWith(u'-') && Text.mid(1).toDouble() == 0) Text.remove(0, 1);
    return Text.replace(u'.', FormatSettings().DecimalSeparator);
}

// A surface for measuring labels when there is no paint.
struct TScratchSurface {
    QImage Image{1, 1, QImage::Format_ARGB32_Premultiplied};
    TGPGraphics Graphics{&Image};
};

} // namespace

float TQvAxis::AxisPixels() const {
    return float(GetHorizontal() ? GetWidth() : GetHeight());
}

void TQvAxis::FitExponent(double AStart, double AStop) {
    const int StartExponent = Real10thExponent(AStart);
    const int StopExponent = Real10thExponent(AStop);
    // The larger exponent, ignoring an end that is exactly 0.
    FMaxExponent = StopExponent > StartExponent && AStop != 0 ? StopExponent
                   : AStart != 0                              ? StartExponent
                                                              : StopExponent;
}

void TQvAxis::FitDigits(double AStart, double AStop, const QvTicks::TParts& Parts) {
    FitExponent(AStart, AStop);
    FDisplayDigits = FMaxExponent - Parts.RangeExponent - Real10thExponent(Parts.LabelPart) +
                     Qvmath::LastSignificant(Parts.LabelPart) - 1;
    FAdditionalExponent =
        (Real10thExponent(FMaxForExtraExponent) < FMaxExponent && FMaxExponent >= FDisplayDigits) ||
        Real10thExponent(FMinForExtraExponent) > FMaxExponent;
    FDisplayDigits = std::max(FDisplayDigits + FExtraDigits, 0);
    if (FExtraDigits > 0 && FMaxExponent + FExtraDigits >= FDisplayDigits && !FAdditionalExponent)
        FDisplayDigits = FMaxExponent + FExtraDigits;
}

QString TQvAxis::NormalCaption(double Value) const {
    if (FAdditionalExponent) return FixedText(Value / Exp10(FMaxExponent), FDisplayDigits);
    return FixedText(Value, FMaxExponent < FDisplayDigits ? FDisplayDigits - FMaxExponent : 0);
}

QString TQvAxis::LabelText(double Value, const QString& Text) const {
    if (!FOnGetScaleLabel) return Text;
    TQvScaleLabelEventArgs Args{Value, Text};
    FOnGetScaleLabel(const_cast<TQvAxis*>(this), Args);
    return Args.Caption;
}

float TQvAxis::ApproxLen(double Value, const QString& Text) const {
    const float Length = float(LabelText(Value, Text).size()) * FFontSize * CharWidthPerSize;
    const float Height = LineHeightPerSize * FFontSize;
    return GetHorizontal() ? Length * FRubricsCos + Height * FRubricsSin
                           : Length * FRubricsSin + Height * FRubricsCos;
}

QString TQvAxis::DateTimeFormat(TDtLabelFormat Format) const {
    switch (Format) {
    case TDtLabelFormat::MilliSecond:
        return FMilliSecondFormat;
    case TDtLabelFormat::Second:
        return FSecondFormat;
    case TDtLabelFormat::Minute:
        return FMinuteFormat;
    case TDtLabelFormat::DayAndHour:
        return FDayAndHourFormat;
    case TDtLabelFormat::Day:
        return FDayFormat;
    case TDtLabelFormat::LongMonth:
        return FLongMonthFormat;
    case TDtLabelFormat::ShortMonth:
        return FShortMonthFormat;
    case TDtLabelFormat::Year:
        return QStringLiteral("yyyy");
    }
    return FDayFormat;
}

// Date-time label formats derived from the locale's, shorter where the axis has little room.
void TQvAxis::InitDateTimeFormats() {
    const TQvFormatSettings Settings = FormatSettings();
    FShortMonthFormat = QStringLiteral("MMM yy");
    FLongMonthFormat = QStringLiteral("MMMM yyyy");
    FDayFormat = Settings.ShortDateFormat;
    FDayFormat.replace(QStringLiteral("yyyy"), QStringLiteral("yy"), Qt::CaseInsensitive);
    FDayFormat.replace(QStringLiteral("dd"), QStringLiteral("d"), Qt::CaseInsensitive);
    FDayFormat.replace(QStringLiteral("MM"), QStringLiteral("M"));
    FMinuteFormat = Settings.ShortTimeFormat;
    if (const qsizetype s = FMinuteFormat.indexOf(u's', 0, Qt::CaseInsensitive); s >= 0) {
        FMinuteFormat.remove(std::max<qsizetype>(s - 1, 0), s > 0 ? 2 : 1);
        const qsizetype Next = FMinuteFormat.indexOf(u's', 0, Qt::CaseInsensitive);
        if (Next >= 0) FMinuteFormat.remove(Next, 1);
    }
    FDayAndHourFormat = FDayFormat + u' ' + FMinuteFormat;
    FSecondFormat = Settings.LongTimeFormat;
    FMilliSecondFormat = QStringLiteral("s") + Settings.DecimalSeparator + QStringLiteral("fff");
}

std::optional<QString> TQvAxis::Rubric(long Index) const {
    // Also while the lines come from a data set.
    const TStrings* List = FRubrics->Lines();
    if (Index < 0 || Index >= List->Count()) return std::nullopt;
    return List->Strings(int(Index));
}

float TQvAxis::LabelBase() const {
    const float Out = FDistanceAxisLabels + (FTicksPointToData ? 0 : FMajorTickLength);
    switch (FPosition) {
    case TQvAxisPosition::Bottom:
        return FAxTop + Out;
    case TQvAxisPosition::Top:
        return FAxTop - Out;
    case TQvAxisPosition::Left:
        return FAxLeft - Out;
    case TQvAxisPosition::Right:
        return FAxLeft + Out;
    }
    return 0;
}

void TQvAxis::CalculateTicks() {
    if (FOnGetTicks) FOnGetTicks(this);
    if (FAxLength <= 0) FAxLength = DefaultAxisLength;
    FTicks.clear();
    FMajorTick.clear();
    FMajorGridTick.clear();
    // The label objects of the last pass are used again: made anew, they cost more than the
    // ticks.
    int Labels = 0;
    FMaxNumberLabelWidth = FMaxNumberLabelHeight = 0;
    const TQvScale& Scale = this->Scale();
    FNormalizeConst = Scale.MappedSpan(FStart, FStop, FScaleState) / FAxLength;
    if (!FAutoTickParts) Scale.ScaleUserParts(FStart, FStop, FScaleState);

    TScratchSurface Scratch;
    const bool EndsRounded = EndRounding() != TEndRounding::None;
    for (const QvTicks::TTick& Tick : Scale.Ticks(FStart, FStop, FScaleState, EndsRounded)) {
        const float Pixel = NumberToWorld(Tick.Value);
        const bool Labelled = FNumbersVisible && Tick.Label;
        FTicks.push_back(Pixel);
        FMajorTick.push_back(Tick.Major);
        FMajorGridTick.push_back(FMajorGridMode == TQvMajorGridMode::AtLabel ? Labelled
                                                                             : Tick.Major);
        if (!Labelled) continue;
        const std::optional<TQvTickLabel> Label =
            Scale.Label(Tick.Value, FStop, FScaleState, *this);
        if (!Label) continue;
        AddLabel(&Scratch.Graphics, Labels++, Label->Text,
                 Label->Banded ? Pixel + HalfLabelStep() : Pixel, Tick.Value);
    }
    FAxLabels.SetCount(Labels);
    if (Crosses()) KeepLabelsInside();
    if (FNumbersVisible && FAdditionalExponent && FAxLabels.Count() > 1)
        PlaceExtraExponent(&Scratch.Graphics);
    PlaceCaption(&Scratch.Graphics);
}

// Pixels from a tick to the middle of the band up to the next label step.
float TQvAxis::HalfLabelStep() const {
    const float Offset = float(std::lround(0.5 * FScaleState.Parts.LabelPart / FNormalizeConst));
    return GetHorizontal() != FTwisted ? Offset : -Offset;
}

// A crossing axis' outer labels would stand on the frame of the data area: they move in.
void TQvAxis::KeepLabelsInside() {
    const bool Horizontal = GetHorizontal();
    const float Low = (Horizontal ? FAxLeft : FAxTop) + EndLabelInset;
    const float High = (Horizontal ? FAxLeft : FAxTop) + FAxLength - EndLabelInset;
    for (int i = 0; i < FAxLabels.Count(); ++i) {
        TQvRichCaptionObject* Label = FAxLabels.Get(i);
        const float w = Label->GetWidth(), h = Label->GetHeight();
        const float Half =
            (Horizontal ? w * FRubricsCos + h * FRubricsSin : w * FRubricsSin + h * FRubricsCos) /
            2;
        const float At = Horizontal ? Label->GetAnchorX() : Label->GetAnchorY();
        const float Moved = std::max(std::min(At, High - Half), Low + Half);
        if (Moved == At) continue;
        if (Horizontal)
            Label->SetAnchor(Moved, Label->GetAnchorY());
        else
            Label->SetAnchor(Label->GetAnchorX(), Moved);
    }
}

void TQvAxis::AddLabel(TGPGraphics* Graphics, int Index, const QString& Text, float Pixel,
                       double Value) {
    TQvRichCaptionObject* Label =
        Index < FAxLabels.Count() ? FAxLabels.Get(Index) : FAxLabels.Add();
    Label->SetCaption(LabelText(Value, Text));
    Label->SetFont(GetNumbersFont());
    Label->SetAngle(FRubricsAngle);
    Label->SetColor(FNumbersColor);
    Label->SetAlign(TQvContentAlignment::MiddleCenter);
    Label->ParseForSize(Graphics, this);
    const float w = Label->GetWidth(), h = Label->GetHeight();
    const float H = w * FRubricsSin + h * FRubricsCos; // across a horizontal axis
    const float W = w * FRubricsCos + h * FRubricsSin;
    FMaxNumberLabelHeight = std::max(FMaxNumberLabelHeight, H);
    FMaxNumberLabelWidth = std::max(FMaxNumberLabelWidth, W);

    const float Base = LabelBase();
    float x = GetHorizontal() ? Pixel : Base;
    float y = GetHorizontal() ? Base : Pixel;
    // An oblique label ends at its tick instead of standing centred on it.
    const int Angle = int(std::lround(FRubricsAngle));
    if (Angle % 90 != 0) {
        const bool Rising = Qvmath::Quadrant(FRubricsAngle) % 2 == 1;
        const float Shift = ObliqueShift * FFontSize;
        if (GetHorizontal()) {
            const float Along = W / 2 - Shift * FRubricsSin;
            const bool Below = FPosition == TQvAxisPosition::Bottom;
            x += Rising == Below ? -Along : Along;
        } else {
            const float Along = H / 2 - Shift * FRubricsCos;
            const bool LeftSide = FPosition == TQvAxisPosition::Left;
            y += Rising == LeftSide ? Along : -Along;
        }
    }
    switch (FPosition) {
    case TQvAxisPosition::Bottom:
        y += H / 2;
        break;
    case TQvAxisPosition::Left:
        x -= W / 2;
        break;
    case TQvAxisPosition::Top:
        y -= H / 2;
        break;
    case TQvAxisPosition::Right:
        x += W / 2;
        break;
    }
    Label->SetAnchor(x, y);
}

void TQvAxis::PlaceExtraExponent(TGPGraphics* Graphics) {
    TQvRichCaptionObject* Exponent = FExtraExponentRec.get();
    Exponent->SetCaption(QStringLiteral("\u00B710\\+") + QString::number(FMaxExponent));
    Exponent->SetColor(FNumbersColor);
    // Beyond the last label: halfway to the axis end, or between the last two labels when the
    // last one sits at the end.
    const bool Horizontal = GetHorizontal();
    auto Along = [Horizontal](const TQvRichCaptionObject* Label) {
        return Horizontal ? Label->GetAnchorX() : Label->GetAnchorY();
    };
    const float Last = Along(FAxLabels.Get(FAxLabels.Count() - 1));
    const float End = NumberToWorld(FStop);
    const float Middle = std::abs(Last - End) < 1
                             ? (Last + Along(FAxLabels.Get(FAxLabels.Count() - 2))) / 2
                             : (Last + End) / 2;
    const float Across = LabelBase();
    switch (FPosition) {
    case TQvAxisPosition::Bottom:
        Exponent->SetAlign(TQvContentAlignment::TopCenter);
        Exponent->SetAnchor(Middle, Across + FDistanceAxisExtraExponent);
        break;
    case TQvAxisPosition::Top:
        Exponent->SetAlign(TQvContentAlignment::BottomCenter);
        Exponent->SetAnchor(Middle, Across - FDistanceAxisExtraExponent);
        break;
    case TQvAxisPosition::Left:
        Exponent->SetAlign(TQvContentAlignment::MiddleRight);
        Exponent->SetAnchor(Across - FDistanceAxisExtraExponent, Middle);
        break;
    case TQvAxisPosition::Right:
        Exponent->SetAlign(TQvContentAlignment::MiddleLeft);
        Exponent->SetAnchor(Across + FDistanceAxisExtraExponent, Middle);
        break;
    }
    Exponent->ParseForSize(Graphics, this);
}

void TQvAxis::PlaceCaption(TGPGraphics* Graphics) {
    TQvRichCaptionObject* Caption = FCaptionRec.get();
    if (Crosses()) {
        PlaceCaptionBeyondEnd();
        Caption->ParseForSize(Graphics, this);
        return;
    }
    const bool Horizontal = GetHorizontal();
    const bool Turned = !Horizontal && !FCaptionHorizontalOnVerticalAxis;
    Caption->SetAngle(Turned ? 90 : 0);
    float Across = LabelBase();
    if (FNumbersVisible) {
        const float Labels = Horizontal ? FMaxNumberLabelHeight : FMaxNumberLabelWidth;
        const float Out = GetDistanceNumbersCaption() + Labels;
        Across += FPosition == TQvAxisPosition::Bottom || FPosition == TQvAxisPosition::Right
                      ? Out
                      : -Out;
    }
    // Index by alignment: left-justified, centred, right-justified.
    const int Column = FCaptionAlignment == TAlignment::taLeftJustify ? 0
                       : FCaptionAlignment == TAlignment::taCenter    ? 1
                                                                      : 2;
    using A = TQvContentAlignment;
    static const A Anchors[][3] = {
        {A::TopLeft, A::TopCenter, A::TopRight},          // bottom
        {A::BottomLeft, A::BottomCenter, A::BottomRight}, // left, turned
        {A::BottomLeft, A::BottomCenter, A::BottomRight}, // top
        {A::TopLeft, A::TopCenter, A::TopRight},          // right, turned
    };
    static const A Upright[][3] = {
        {A::BottomRight, A::MiddleRight, A::TopRight}, // left
        {A::BottomLeft, A::MiddleLeft, A::TopLeft},    // right
    };
    const int Row = int(FPosition);
    A Anchor = Anchors[Row][Column];
    if (!Horizontal && !Turned)
        Anchor = Upright[FPosition == TQvAxisPosition::Left ? 0 : 1][Column];
    const float Positions[3] = {Horizontal ? FAxLeft : FAxTop + FAxLength,
                                (Horizontal ? FAxLeft : FAxTop) + FAxLength / 2,
                                Horizontal ? FAxLeft + FAxLength : FAxTop};
    Caption->SetAlign(Anchor);
    if (Horizontal)
        Caption->SetAnchor(Positions[Column], Across);
    else
        Caption->SetAnchor(Across, Positions[Column]);
    Caption->ParseForSize(Graphics, this);
}

void TQvAxis::RemoveTickAt(float Pixel) {
    for (size_t i = 0; i < FTicks.size(); ++i) {
        if (std::abs(FTicks[i] - Pixel) >= 0.5f) continue;
        FTicks.erase(FTicks.begin() + qsizetype(i));
        FMajorTick.erase(FMajorTick.begin() + qsizetype(i));
        FMajorGridTick.erase(FMajorGridTick.begin() + qsizetype(i));
        break;
    }
    const bool Horizontal = GetHorizontal();
    for (int i = 0; i < FAxLabels.Count(); ++i) {
        const TQvRichCaptionObject* Label = FAxLabels.Get(i);
        if (std::abs((Horizontal ? Label->GetAnchorX() : Label->GetAnchorY()) - Pixel) < 0.5f) {
            FAxLabels.Delete(i);
            break;
        }
    }
}
