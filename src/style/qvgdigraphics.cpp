#include "style/qvgdi.h"
#include "style/qvthinlines.h"

#include "framework/qvvectorstate.h"
#include "style/qvfontcache.h"

#include <QHash>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextLayout>
#include <QVarLengthArray>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {
// Integer coordinates of the drawing API are pixel centres. Qt's aliased rasteriser already
// draws so; its smooth one puts pixel centres at .5, so smooth drawing moves by half a pixel.
const QTransform PixelCentres = QTransform::fromTranslate(0.5, 0.5);

// Long polylines with wide or smooth pens are slow in Qt's raster engine: draw them in parts.
constexpr int PolylineChunk = 256;
// Text boxes remembered across measurements; the store starts afresh when full.
constexpr qsizetype MeasuredTextsKept = 4096;
// Lines laid out for drawing, per thread; the store starts afresh when full.
constexpr qsizetype LaidOutLinesKept = 256;

QPolygonF ToPolygon(const TGPPointF* Points, int Count) {
    QPolygonF Result;
    Result.reserve(std::max(0, Count));
    for (int i = 0; i < Count; ++i)
        Result.append(Points[i].ToQt());
    return Result;
}

QPainterPath RectPath(const TGPRectF& Rect) {
    QPainterPath Path;
    Path.addRect(Rect.ToQt());
    return Path;
}

QPainterPath EllipsePath(const TGPRectF& Rect) {
    QPainterPath Path;
    Path.addEllipse(Rect.ToQt());
    return Path;
}

QPainterPath ArcPath(const TGPRectF& Rect, float StartAngle, float SweepAngle, bool Pie) {
    QPainterPath Path;
    if (Pie)
        Path.moveTo(Rect.ToQt().center());
    else
        Path.arcMoveTo(Rect.ToQt(), -StartAngle);
    Path.arcTo(Rect.ToQt(), -StartAngle, -SweepAngle);
    if (Pie) Path.closeSubpath();
    return Path;
}

// Maps cap coordinates (x across the line, y outwards along it, in pen widths) to the end.
QTransform CapPlacement(const QPointF& End, const QPointF& Outward, qreal Width) {
    const QPointF Across(-Outward.y(), Outward.x());
    return QTransform(Across.x() * Width, Across.y() * Width, Outward.x() * Width,
                      Outward.y() * Width, End.x(), End.y());
}

QPointF Unit(const QPointF& V) {
    const qreal Length = std::hypot(V.x(), V.y());
    return Length > 0 ? V / Length : QPointF(0, 0);
}
} // namespace

TGPGraphics::TGPGraphics(QPainter* Painter) {
    Begin(Painter);
}

TGPGraphics::TGPGraphics(QPaintDevice* Device) : FOwnPainter(std::make_unique<QPainter>(Device)) {
    Begin(FOwnPainter.get());
}

TGPGraphics::TGPGraphics(TGPImage* Image)
    : FOwnPainter(std::make_unique<QPainter>(Image->PaintDevice())) {
    Begin(FOwnPainter.get());
    FDeviceRect = QRectF(0, 0, Image->GetWidth(), Image->GetHeight());
}

TGPGraphics::~TGPGraphics() {
    FPainter->restore();
    if (FOwnPainter) FOwnPainter->end();
}

void TGPGraphics::Begin(QPainter* Painter) {
    FPainter = Painter;
    FPainter->save();
    FBase = FPainter->worldTransform();
    if (FPainter->hasClipping()) FBaseClip = FPainter->transform().map(FPainter->clipPath());
    if (QPaintDevice* Device = FPainter->device()) {
        FDeviceRect = QRectF(0, 0, Device->width(), Device->height());
        if (Device->logicalDpiY() > 0) FDpiY = float(Device->logicalDpiY());
    }
    FPainter->setRenderHint(QPainter::Antialiasing, false);
    FPainter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    FPainter->setRenderHint(QPainter::TextAntialiasing, true);
    ApplyTransform();
}

bool TGPGraphics::IsRaster() const {
    const QPaintEngine* Engine = FPainter ? FPainter->paintEngine() : nullptr;
    return Engine &&
           (Engine->type() == QPaintEngine::Raster || Engine->type() == QPaintEngine::OpenGL2);
}

QPainter* TGPGraphics::GetHDC() {
    FPainter->save();
    FPainter->setWorldTransform(FBase);
    return FPainter;
}

void TGPGraphics::ReleaseHDC(QPainter* Painter) {
    if (Painter == FPainter) FPainter->restore();
}

void TGPGraphics::Clear(TQvColor Color) {
    FPainter->save();
    FPainter->setWorldTransform(QTransform());
    FPainter->setCompositionMode(QPainter::CompositionMode_Source);
    FPainter->fillRect(FDeviceRect, QColor::fromRgba(Color));
    FPainter->restore();
}

void TGPGraphics::SetSmoothingMode(TGPSmoothingMode Mode) {
    FSmoothingMode = Mode;
    const bool Smooth =
        Mode == TGPSmoothingMode::AntiAlias || Mode == TGPSmoothingMode::HighQuality;
    FPainter->setRenderHint(QPainter::Antialiasing, Smooth);
    FPainter->setRenderHint(QPainter::SmoothPixmapTransform, Mode == TGPSmoothingMode::HighQuality);
    ApplyTransform();
}

// ---- transform ----

QTransform TGPGraphics::DeviceMapping() const {
    return FTransform.ToQt() * PixelCentres * FBase;
}

QTransform TGPGraphics::World() const {
    if (FPainter->testRenderHint(QPainter::Antialiasing)) return DeviceMapping();
    return FTransform.ToQt() * FBase;
}

// Shading is sampled at Qt's pixel centres in both modes, so brushes always take the
// half-pixel move that aliased geometry does without.
QBrush TGPGraphics::QtBrush(const TGPBrush& Brush) const {
    QBrush Result = Brush.ToQt(DeviceMapping());
    if (!FPainter->testRenderHint(QPainter::Antialiasing))
        Result.setTransform(Result.transform() * DeviceMapping() * World().inverted());
    return Result;
}

QPen TGPGraphics::QtPen(const TGPPen& Pen) const {
    QPen Result = Pen.ToQt(DeviceMapping());
    // A solid line of at most one pixel is drawn one pixel wide, as a cosmetic pen: Qt then
    // antialiases it with its line stroker instead of filling an outline, many times faster.
    if (FPainter->testRenderHint(QPainter::Antialiasing) && Pen.GetWidth() <= 1 &&
        Pen.GetDashStyle() == TGPDashStyle::Solid && !Pen.GetCustomStartCap() &&
        !Pen.GetCustomEndCap() && DeviceMapping().type() <= QTransform::TxTranslate) {
        Result.setCosmetic(true);
        Result.setWidthF(1);
    }
    if (!FPainter->testRenderHint(QPainter::Antialiasing)) {
        QBrush Brush = Result.brush();
        Brush.setTransform(Brush.transform() * DeviceMapping() * World().inverted());
        Result.setBrush(Brush);
    }
    return Result;
}

void TGPGraphics::ApplyTransform() {
    FPainter->setWorldTransform(World());
}

void TGPGraphics::SetTransform(const TGPMatrix& Matrix) {
    FTransform = Matrix;
    ApplyTransform();
}

void TGPGraphics::TranslateTransform(float Dx, float Dy, TGPMatrixOrder Order) {
    FTransform.Translate(Dx, Dy, Order);
    ApplyTransform();
}

void TGPGraphics::RotateTransform(float Angle, TGPMatrixOrder Order) {
    FTransform.Rotate(Angle, Order);
    ApplyTransform();
}

void TGPGraphics::ScaleTransform(float Sx, float Sy, TGPMatrixOrder Order) {
    FTransform.Scale(Sx, Sy, Order);
    ApplyTransform();
}

void TGPGraphics::MultiplyTransform(const TGPMatrix& Matrix, TGPMatrixOrder Order) {
    FTransform.Multiply(Matrix, Order);
    ApplyTransform();
}

// ---- clip ----

void TGPGraphics::SetClip(const TGPRectF& Rect, TGPCombineMode Mode) {
    const QTransform Mapping = World();
    if (Mapping.type() > QTransform::TxScale) {
        CombineClip(Mapping.map(RectPath(Rect)), Mode);
        return;
    }
    // A rectangle clips whole pixels, those whose centres lie inside it, with or without
    // smoothing: no half-covered pixels along its edges.
    const QRectF Device = Mapping.mapRect(Rect.ToQt());
    auto Edge = [](qreal e) { return std::ceil(e - 0.5); };
    QPainterPath Whole;
    Whole.addRect(QRectF(QPointF(Edge(Device.left()), Edge(Device.top())),
                         QPointF(Edge(Device.right()), Edge(Device.bottom()))));
    CombineClip(Whole, Mode);
}

void TGPGraphics::SetClip(const TGPGraphicsPath& Path, TGPCombineMode Mode) {
    CombineClip(World().map(Path.ToQt()), Mode);
}

void TGPGraphics::SetClip(const TGPRegion& Region, TGPCombineMode Mode) {
    TGPRegion Device = Region;
    Device.Transform(TGPMatrix(World()));
    TGPRegion Clip = TGPRegion::FromQt(FClip);
    Clip.Combine(Device, Mode);
    FClip = Clip.ToQt();
    ApplyClip();
}

void TGPGraphics::CombineClip(const QPainterPath& DeviceShape, TGPCombineMode Mode) {
    TGPRegion Clip = TGPRegion::FromQt(FClip);
    Clip.Combine(TGPRegion::FromQt(DeviceShape), Mode);
    FClip = Clip.ToQt();
    ApplyClip();
}

void TGPGraphics::ResetClip() {
    FClip.reset();
    ApplyClip();
}

void TGPGraphics::ApplyClip() {
    std::optional<QPainterPath> Effective = FClip;
    if (FBaseClip) Effective = Effective ? Effective->intersected(*FBaseClip) : *FBaseClip;
    FPainter->setWorldTransform(QTransform());
    if (Effective)
        FPainter->setClipPath(*Effective);
    else
        FPainter->setClipping(false);
    ApplyTransform();
}

QPainterPath TGPGraphics::DeviceBounds() const {
    QPainterPath Path;
    Path.addRect(FDeviceRect);
    return Path;
}

TGPRegion TGPGraphics::GetClip() const {
    TGPRegion Region = TGPRegion::FromQt(FClip);
    Region.Transform(TGPMatrix(World().inverted()));
    return Region;
}

TGPRectF TGPGraphics::GetClipBounds() const {
    const QPainterPath Visible = FClip ? FClip->intersected(DeviceBounds()) : DeviceBounds();
    return TGPRectF::FromQt(World().inverted().map(Visible).boundingRect());
}

// ---- lines and outlines ----

void TGPGraphics::Stroke(const QPainterPath& Path, const TGPPen& Pen) {
    if (Pen.GetCustomStartCap() || Pen.GetCustomEndCap()) {
        StrokeWithCaps(Path, Pen);
        return;
    }
    FPainter->strokePath(Path, QtPen(Pen));
}

void TGPGraphics::StrokeWithCaps(const QPainterPath& Path, const TGPPen& Pen) {
    const QPen Stroker = QtPen(Pen);
    const qreal Width = Pen.GetWidth() > 0 ? Pen.GetWidth() : 1;
    FPainter->setPen(Stroker);
    FPainter->setBrush(Qt::NoBrush);
    auto DrawCap = [&](const TGPCustomLineCap* Cap, QPolygonF& Line, bool AtStart) {
        if (!Cap) return;
        const int End = AtStart ? 0 : int(Line.size()) - 1;
        const int Previous = AtStart ? 1 : int(Line.size()) - 2;
        const QPointF Tip = Line[End];
        const QPointF Outward = Unit(Tip - Line[Previous]);
        // The line stops where the cap's base begins.
        const qreal Inset = Cap->GetBaseInset() * Width;
        const qreal Segment =
            std::hypot(Tip.x() - Line[Previous].x(), Tip.y() - Line[Previous].y());
        Line[End] = Tip - Outward * std::min(Inset, Segment);
        const QTransform Place = CapPlacement(Tip, Outward, Width);
        if (Cap->FillPath())
            FPainter->fillPath(Place.map(Cap->FillPath()->ToQt()), Stroker.brush());
        if (Cap->StrokePath()) FPainter->strokePath(Place.map(Cap->StrokePath()->ToQt()), Stroker);
    };
    for (QPolygonF Figure : Path.toSubpathPolygons()) {
        const bool Open = Figure.size() >= 2 && Figure.front() != Figure.back();
        if (Open) {
            DrawCap(Pen.GetCustomStartCap(), Figure, true);
            DrawCap(Pen.GetCustomEndCap(), Figure, false);
        }
        FPainter->setPen(Stroker);
        FPainter->drawPolyline(Figure);
    }
}

void TGPGraphics::DrawLine(const TGPPen& Pen, float X1, float Y1, float X2, float Y2) {
    const TGPPointF Points[2] = {{X1, Y1}, {X2, Y2}};
    DrawLines(Pen, Points, 2);
}

void TGPGraphics::DrawLine(const TGPPen& Pen, const TGPPointF& P1, const TGPPointF& P2) {
    DrawLine(Pen, P1.X, P1.Y, P2.X, P2.Y);
}

void TGPGraphics::DrawLines(const TGPPen& Pen, const TGPPointF* Points, int Count) {
    if (Count < 2) return;
    const QPolygonF Line = ToPolygon(Points, Count);
    if (Pen.GetCustomStartCap() || Pen.GetCustomEndCap()) {
        QPainterPath Path;
        Path.addPolygon(Line);
        StrokeWithCaps(Path, Pen);
        return;
    }
    FPainter->setPen(QtPen(Pen));
    FPainter->setBrush(Qt::NoBrush);
    const bool Slow = Pen.GetWidth() > 1 || FPainter->testRenderHint(QPainter::Antialiasing);
    if (!Slow || Count <= PolylineChunk || Pen.GetDashStyle() != TGPDashStyle::Solid) {
        FPainter->drawPolyline(Line);
        return;
    }
    for (int First = 0; First < Count - 1; First += PolylineChunk)
        FPainter->drawPolyline(Line.constData() + First,
                               std::min(PolylineChunk + 1, Count - First));
}

void TGPGraphics::DrawSegments(const TGPPen& Pen, const TGPPointF* Points, int Count) {
    if (!IsRaster() || Pen.GetCustomStartCap() || Pen.GetCustomEndCap()) {
        for (int k = 0; k + 1 < Count; k += 2)
            DrawLine(Pen, Points[k], Points[k + 1]);
        return;
    }
    // Without smoothing, the direct pixels are those of Qt's pen, for a fraction of the setup.
    if (!FPainter->testRenderHint(QPainter::Antialiasing) &&
        DrawThinLinesDirectly(Pen, Points, Count, true))
        return;
    QVarLengthArray<QLineF, 64> Lines;
    for (int k = 0; k + 1 < Count; k += 2)
        Lines.append(QLineF(Points[k].ToQt(), Points[k + 1].ToQt()));
    FPainter->setPen(QtPen(Pen));
    FPainter->setBrush(Qt::NoBrush);
    FPainter->drawLines(Lines.constData(), int(Lines.size()));
}

bool TGPGraphics::DrawThinLinesDirectly(const TGPPen& Pen, const TGPPointF* Points, int Count,
                                        bool Pairs) {
    if (Pen.GetWidth() > 1 || Pen.GetBrush() || Pen.GetDashStyle() != TGPDashStyle::Solid ||
        Pen.GetCustomStartCap() || Pen.GetCustomEndCap())
        return false;
    return ::DrawThinLinesDirectly(FPainter, Pen.GetColor(), Points, Count, Pairs);
}

bool DrawThinLinesDirectly(QPainter* Painter, TQvColor Color, const TGPPointF* Points, int Count,
                           bool Pairs) {
    QImage* Image = DirectImage(Painter);
    const QTransform& Device = Painter->worldTransform();
    const bool Smooth = Painter->testRenderHint(QPainter::Antialiasing);
    // Blending needs premultiplied pixels; the opaque colour alone is the same in either.
    if (GetAlpha(Color) != 255 || !Image || (Smooth && Image->format() == QImage::Format_ARGB32) ||
        Device.type() > QTransform::TxTranslate)
        return false;
    const std::optional<QRect> Clip = WholePixelClip(Painter);
    if (!Clip) return false;
    const TQvPixelTarget Target{reinterpret_cast<std::uint32_t*>(Image->bits()),
                                Image->bytesPerLine() / 4,
                                Clip->left(),
                                Clip->top(),
                                Clip->right() + 1,
                                Clip->bottom() + 1};
    TQvThinLines Lines(Target, Color, Smooth);
    Lines.Draw(Points, Count, Pairs, Device.dx(), Device.dy());
    return true;
}

void TGPGraphics::DrawRectangle(const TGPPen& Pen, const TGPRectF& Rect) {
    Stroke(RectPath(Rect), Pen);
}

void TGPGraphics::DrawRectangle(const TGPPen& Pen, float X, float Y, float Width, float Height) {
    DrawRectangle(Pen, TGPRectF{X, Y, Width, Height});
}

void TGPGraphics::DrawEllipse(const TGPPen& Pen, const TGPRectF& Rect) {
    Stroke(EllipsePath(Rect), Pen);
}

void TGPGraphics::DrawEllipse(const TGPPen& Pen, float X, float Y, float Width, float Height) {
    DrawEllipse(Pen, TGPRectF{X, Y, Width, Height});
}

void TGPGraphics::DrawArc(const TGPPen& Pen, const TGPRectF& Rect, float StartAngle,
                          float SweepAngle) {
    Stroke(ArcPath(Rect, StartAngle, SweepAngle, false), Pen);
}

void TGPGraphics::DrawPie(const TGPPen& Pen, const TGPRectF& Rect, float StartAngle,
                          float SweepAngle) {
    Stroke(ArcPath(Rect, StartAngle, SweepAngle, true), Pen);
}

void TGPGraphics::DrawPolygon(const TGPPen& Pen, const TGPPointF* Points, int Count) {
    if (Count < 2) return;
    QPainterPath Path;
    Path.addPolygon(ToPolygon(Points, Count));
    Path.closeSubpath();
    Stroke(Path, Pen);
}

void TGPGraphics::DrawPath(const TGPPen& Pen, const TGPGraphicsPath& Path) {
    Stroke(Path.ToQt(), Pen);
}

// ---- fills ----

void TGPGraphics::Fill(const QPainterPath& Path, const TGPBrush& Brush) {
    FPainter->fillPath(Path, QtBrush(Brush));
}

void TGPGraphics::FillRectangle(const TGPBrush& Brush, const TGPRectF& Rect) {
    if (!FillBackgroundDirectly(Brush, Rect)) FPainter->fillRect(Rect.ToQt(), QtBrush(Brush));
}

void TGPGraphics::FillRectangle(const TGPBrush& Brush, float X, float Y, float Width,
                                float Height) {
    FillRectangle(Brush, TGPRectF{X, Y, Width, Height});
}

namespace {
// The device rectangle when its edges lie on whole pixels. Asked for every column of a long
// line: the whole numbers come without a library call or a branch per edge.
std::optional<QRect> WholePixels(const QRectF& Device) {
    const double Edges[4] = {Device.left(), Device.top(), Device.width(), Device.height()};
    int Whole[4];
    bool Exact = true;
    for (int k = 0; k < 4; ++k) {
        // Far beyond any device (or NaN) an edge is not taken as whole.
        const double Edge = std::abs(Edges[k]) < double(1 << 30) ? Edges[k] : 0.5;
        Whole[k] = int(Edge + (Edge < 0 ? -0.5 : 0.5));
        Exact &= std::abs(Edge - Whole[k]) < 1e-3;
    }
    if (!Exact) return std::nullopt;
    return QRect(Whole[0], Whole[1], Whole[2], Whole[3]);
}
} // namespace

std::optional<QRect> WholePixelClip(const QPainter* Painter) {
    const QRect Device(0, 0, Painter->device()->width(), Painter->device()->height());
    if (!Painter->hasClipping()) return Device;
    if (Painter->clipRegion().rectCount() > 1) return std::nullopt;
    const QTransform& Mapping = Painter->worldTransform();
    const std::optional<QRect> Clip =
        WholePixels(Painter->clipBoundingRect().translated(Mapping.dx(), Mapping.dy()));
    if (!Clip) return std::nullopt;
    return *Clip & Device;
}

QImage* DirectImage(QPainter* Painter) {
    QPaintDevice* Device = Painter->device();
    if (Device->devType() != QInternal::Image || Painter->opacity() != 1 ||
        Painter->compositionMode() != QPainter::CompositionMode_SourceOver)
        return nullptr;
    auto* Image = static_cast<QImage*>(Device);
    const QImage::Format Format = Image->format();
    if ((Format != QImage::Format_RGB32 && Format != QImage::Format_ARGB32 &&
         Format != QImage::Format_ARGB32_Premultiplied) ||
        Image->devicePixelRatio() != 1 || !Image->isDetached())
        return nullptr; // a shared image would detach from the painter's copy
    return Image;
}

namespace {
// Rectangles in device pixels, with the clip they are filled within.
struct TWholeCells {
    QList<QRect> Cells;
    QRect Clip;
};

// Rectangles and moves of whole and half pixels below this size add up exactly in floats.
constexpr float HalvesReach = float(1 << 21);

// The cell WholePixels makes of Rect moved by Shift (x, y, 0, 0), found from its four floats at
// once, for the columns of long lines: those of whole and half pixels, moved by whole and half
// pixels (smoothing moves by half a pixel), add up exactly. None for any other.
std::optional<QRect> ExactCell(const TGPRectF& Rect, const float (&Shift)[4]) {
#ifdef __SSE2__
    static_assert(sizeof(TGPRectF) == 4 * sizeof(float));
    const auto Whole = [](__m128 v) {
        return _mm_cmpeq_ps(_mm_cvtepi32_ps(_mm_cvttps_epi32(v)), v);
    };
    const __m128 Edges = _mm_loadu_ps(&Rect.X);
    const __m128 Moved = _mm_add_ps(Edges, _mm_loadu_ps(Shift));
    const __m128 Near =
        _mm_cmplt_ps(_mm_andnot_ps(_mm_set1_ps(-0.0f), Edges), _mm_set1_ps(HalvesReach));
    const __m128 Exact =
        _mm_and_ps(_mm_and_ps(Near, Whole(_mm_add_ps(Edges, Edges))), Whole(Moved));
    if (_mm_movemask_ps(Exact) != 0xF) return std::nullopt;
    alignas(16) int Four[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(Four), _mm_cvttps_epi32(Moved));
    return QRect(Four[0], Four[1], Four[2], Four[3]);
#else
    return std::nullopt;
#endif
}

// The device cells of Rects when the painter only moves them and both they and its clip lie on
// whole pixels: then they can be filled pixel by pixel with the rasteriser's result.
std::optional<TWholeCells> WholePixelCells(const QPainter* Painter, const TGPRectF* Rects,
                                           int Count) {
    const QTransform& Mapping = Painter->worldTransform();
    if (Mapping.type() > QTransform::TxTranslate) return std::nullopt;
    const std::optional<QRect> Clip = WholePixelClip(Painter);
    if (!Clip) return std::nullopt;
    const double Dx = Mapping.dx(), Dy = Mapping.dy();
    const auto Halves = [](double d) {
        return 2 * d == std::trunc(2 * d) && std::abs(d) < HalvesReach;
    };
    const bool ByHalves = Halves(Dx) && Halves(Dy);
    const float Shift[4] = {float(Dx), float(Dy), 0, 0};
    QList<QRect> Cells(Count);
    QRect* Cell = Cells.data(); // not through the list, which asks whether it is shared
    for (int i = 0; i < Count; ++i) {
        std::optional<QRect> Whole = ByHalves ? ExactCell(Rects[i], Shift) : std::nullopt;
        if (!Whole) Whole = WholePixels(Rects[i].ToQt().translated(Dx, Dy));
        if (!Whole) return std::nullopt;
        Cell[i] = *Whole;
    }
    return TWholeCells{std::move(Cells), *Clip};
}
} // namespace

// A background, opaque and of whole pixels, goes straight into the image, on both cores.
bool TGPGraphics::FillBackgroundDirectly(const TGPBrush& Brush, const TGPRectF& Rect) {
    const auto* Solid = dynamic_cast<const TGPSolidBrush*>(&Brush);
    if (!Solid || Rect.Width * Rect.Height < float(ShareAreaFrom)) return false;
    const std::optional<TWholeCells> Whole = WholePixelCells(FPainter, &Rect, 1);
    return Whole &&
           FillCellsDirectly(Whole->Cells, Whole->Clip, QColor::fromRgba(Solid->GetColor()));
}

void TGPGraphics::FillRectangles(const TGPBrush& Brush, const TGPRectF* Rects, int Count) {
    if (Count <= 0) return;
    const QBrush Fill = QtBrush(Brush);
    FPainter->setPen(Qt::NoPen);
    FPainter->setBrush(Fill);
    // Solid rectangles on whole device pixels are filled pixel by pixel, many times faster than
    // through the rasteriser, and with the same result.
    const std::optional<TWholeCells> Whole =
        Fill.style() == Qt::SolidPattern ? WholePixelCells(FPainter, Rects, Count) : std::nullopt;
    if (Whole) {
        if (FillCellsDirectly(Whole->Cells, Whole->Clip, Fill.color())) return;
        FPainter->save();
        FPainter->resetTransform();
        FPainter->setRenderHint(QPainter::Antialiasing, false);
        FPainter->drawRects(Whole->Cells.constData(), Count);
        FPainter->restore();
        return;
    }
    QList<QRectF> Shapes(Count);
    for (int i = 0; i < Count; ++i)
        Shapes[i] = Rects[i].ToQt();
    FPainter->drawRects(Shapes.constData(), Count);
}

namespace {

// The pixels of a 32-bit image in a cache line.
constexpr int StripWidth = 64 / sizeof(QRgb);
// From this many cells on, those of a line are filled on two cores.
constexpr qsizetype ShareCellsFrom = 512;

// Writes Value into the pixels of Area, which lies inside the image.
void FillCell(QRgb* Pixels, qsizetype Stride, const QRect& Area, QRgb Value) {
    QRgb* Row = Pixels + Area.top() * Stride + Area.left();
    if (Area.width() == 1) { // the common column: no call per pixel
        for (int y = Area.top(); y <= Area.bottom(); ++y, Row += Stride)
            *Row = Value;
        return;
    }
    // Opaque white, four alike bytes, goes with the C library's widest stores.
    const bool Alike = Value == (Value & 0xFF) * 0x01010101u;
    for (int y = Area.top(); y <= Area.bottom(); ++y, Row += Stride)
        if (Alike)
            std::memset(Row, int(Value & 0xFF), std::size_t(Area.width()) * sizeof(QRgb));
        else
            std::fill_n(Row, Area.width(), Value);
}

// Fills StripWidth one-pixel columns side by side row by row, when that writes at most twice
// their pixels: a column at a time waits for a cache line at every pixel, and the columns of
// a dense line mostly overlap.
bool FillStrip(QRgb* Pixels, qsizetype Stride, const QRect* Columns, QRgb Value) {
    int Tops[StripWidth], Bottoms[StripWidth], Inked = 0;
    for (int k = 0; k < StripWidth; ++k) {
        Tops[k] = Columns[k].top();
        Bottoms[k] = Columns[k].bottom();
        Inked += Columns[k].height();
    }
    const int Top = *std::min_element(Tops, Tops + StripWidth);
    const int Bottom = *std::max_element(Bottoms, Bottoms + StripWidth);
    if ((Bottom - Top + 1) * StripWidth > 2 * Inked) return false;
    QRgb* Row = Pixels + Top * Stride + Columns[0].left();
    for (int y = Top; y <= Bottom; ++y, Row += Stride)
        for (int k = 0; k < StripWidth; ++k) // a store to every pixel, so the loop vectorises
            Row[k] = y >= Tops[k] && y <= Bottoms[k] ? Value : Row[k];
    return true;
}

} // namespace

// Opaque cells on a plain 32-bit image are written straight into its memory: many narrow
// cells (the columns of a long line) cost Qt more per cell than per pixel.
bool TGPGraphics::FillCellsDirectly(const QList<QRect>& Cells, const QRect& Clip,
                                    const QColor& Color) {
    QImage* Image = DirectImage(FPainter);
    if (!Image || Color.alpha() != 255) return false;
    const QRgb Value = Color.rgba();
    const qsizetype Stride = Image->bytesPerLine() / qsizetype(sizeof(QRgb));
    QRgb* Pixels = reinterpret_cast<QRgb*>(Image->bits());
    QvClearUpperVectorHalves();
    const QRect Alone = Cells.size() == 1 ? Cells[0] & Clip : QRect();
    if (qsizetype(Alone.width()) * Alone.height() >= ShareAreaFrom) {
        constexpr int BlockRows = 32;
        ShareBlocksFromBothEnds(Alone.top(), Alone.bottom() + 1, BlockRows, [&](int From, int To) {
            FillCell(Pixels, Stride, QRect(Alone.left(), From, Alone.width(), To - From), Value);
        });
        return true;
    }
    const auto FillCells = [&](qsizetype From, qsizetype To) {
        for (qsizetype i = From; i < To;) {
            // One-pixel columns side by side inside the clip go a strip at a time.
            qsizetype Run = 0;
            while (i + Run < To && Cells[i + Run].width() == 1 &&
                   Cells[i + Run].left() == Cells[i].left() + Run && Clip.contains(Cells[i + Run]))
                ++Run;
            if (Run == 0) {
                FillCell(Pixels, Stride, Cells[i++] & Clip, Value);
                continue;
            }
            for (; Run >= StripWidth; Run -= StripWidth, i += StripWidth)
                if (!FillStrip(Pixels, Stride, &Cells[i], Value))
                    for (int k = 0; k < StripWidth; ++k)
                        FillCell(Pixels, Stride, Cells[i + k], Value);
            for (; Run > 0; --Run, ++i)
                FillCell(Pixels, Stride, Cells[i], Value);
        }
    };
    // One-pixel columns from left to right (those of a line) fill on both cores, in blocks
    // that share no pixel. Not under smoothing, where the lines that join them blend over
    // their pixels next, which is slower from the cache of the other core than the fill gains.
    const auto LeftToRight = [&] {
        for (qsizetype i = 0; i < Cells.size(); ++i)
            if (Cells[i].width() != 1 || (i && Cells[i].left() <= Cells[i - 1].left()))
                return false;
        return true;
    };
    if (Cells.size() >= ShareCellsFrom && !FPainter->testRenderHint(QPainter::Antialiasing) &&
        LeftToRight()) {
        ShareBlocksFromBothEnds(qsizetype(0), Cells.size(), qsizetype(8 * StripWidth), FillCells);
    } else {
        FillCells(0, Cells.size());
    }
    return true;
}

void TGPGraphics::FillEllipse(const TGPBrush& Brush, const TGPRectF& Rect) {
    Fill(EllipsePath(Rect), Brush);
}

void TGPGraphics::FillEllipse(const TGPBrush& Brush, float X, float Y, float Width, float Height) {
    FillEllipse(Brush, TGPRectF{X, Y, Width, Height});
}

void TGPGraphics::FillPie(const TGPBrush& Brush, const TGPRectF& Rect, float StartAngle,
                          float SweepAngle) {
    Fill(ArcPath(Rect, StartAngle, SweepAngle, true), Brush);
}

void TGPGraphics::FillPolygon(const TGPBrush& Brush, const TGPPointF* Points, int Count,
                              TGPFillMode FillMode) {
    if (Count < 3) return;
    QPainterPath Path;
    Path.addPolygon(ToPolygon(Points, Count));
    Path.closeSubpath();
    Path.setFillRule(FillMode == TGPFillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill);
    Fill(Path, Brush);
}

void TGPGraphics::FillPath(const TGPBrush& Brush, const TGPGraphicsPath& Path) {
    Fill(Path.ToQt(), Brush);
}

void TGPGraphics::FillRegion(const TGPBrush& Brush, const TGPRegion& Region) {
    if (Region.ToQt())
        Fill(*Region.ToQt(), Brush);
    else
        Fill(World().inverted().map(DeviceBounds()), Brush);
}

// ---- text ----

QRectF TGPGraphics::TextRect(const QFont& Font, const QRectF& Layout, const TGPStringFormat& Format,
                             int& Flags) const {
    // The default format keeps a sixth of the em free on both sides.
    const qreal Padding = Format.IsTypographic() ? 0 : QFontInfo(Font).pixelSize() / 6.0;
    const TGPStringFormatFlags FormatFlags = Format.GetFormatFlags();
    const bool FromOrigin = Layout.width() <= 0 && Layout.height() <= 0;
    Flags = 0;
    qreal Shift = 0;
    switch (Format.GetAlignment()) {
    case TGPStringAlignment::Near:
        Flags |= Qt::AlignLeft;
        Shift = Padding;
        break;
    case TGPStringAlignment::Center:
        Flags |= Qt::AlignHCenter;
        break;
    case TGPStringAlignment::Far:
        Flags |= Qt::AlignRight;
        Shift = -Padding;
        break;
    }
    switch (Format.GetLineAlignment()) {
    case TGPStringAlignment::Near:
        Flags |= Qt::AlignTop;
        break;
    case TGPStringAlignment::Center:
        Flags |= Qt::AlignVCenter;
        break;
    case TGPStringAlignment::Far:
        Flags |= Qt::AlignBottom;
        break;
    }
    if (FromOrigin || FormatFlags.testFlag(TGPStringFormatFlag::NoClip)) Flags |= Qt::TextDontClip;
    if (!FromOrigin && !FormatFlags.testFlag(TGPStringFormatFlag::NoWrap))
        Flags |= Qt::TextWordWrap;
    if (FromOrigin) return QRectF(Layout.topLeft() + QPointF(Shift, 0), QSizeF(0, 0));
    return Layout.adjusted(Padding, 0, -Padding, 0);
}

namespace {

// A text laid out on one line in a font resolved for a device.
struct TLineKey {
    QString Text;
    QFont Font;
    Qt::LayoutDirection Direction;
    bool operator==(const TLineKey&) const = default;
};

size_t qHash(const TLineKey& Key, size_t Seed = 0) {
    return qHashMulti(Seed, Key.Text, Key.Font, int(Key.Direction));
}

// Bumped whenever the installed fonts change: every layout depends on them.
std::atomic<int> FontsGeneration{0};

// Text laid out as the painter lays out a line from its top left corner. Layouts are kept
// per thread, since drawing one changes it: axes draw the same labels at every paint, and
// shaping them anew costs more than drawing them.
const QTextLayout& LaidOutLine(const TLineKey& Key) {
    static const QMetaObject::Connection Watch =
        QvOnFontDatabaseChanged([] { FontsGeneration.fetch_add(1); });
    thread_local QHash<TLineKey, std::shared_ptr<QTextLayout>> Kept;
    thread_local int Generation = 0;
    if (Generation != FontsGeneration.load() || Kept.size() >= LaidOutLinesKept) {
        Kept.clear();
        Generation = FontsGeneration.load();
    }
    std::shared_ptr<QTextLayout>& Layout = Kept[Key];
    if (!Layout) {
        Layout = std::make_shared<QTextLayout>(Key.Text, Key.Font);
        QTextOption Option;
        Option.setTextDirection(Key.Direction);
        Option.setAlignment(Qt::AlignLeft);
        Option.setFlags(QTextOption::IncludeTrailingSpaces);
        Layout->setTextOption(Option);
        Layout->setCacheEnabled(true);
        Layout->beginLayout();
        QTextLine Line = Layout->createLine();
        Line.setLineWidth(0x01000000); // as wide as the painter's unwrapped lines
        Line.setPosition({0, 0});
        Layout->endLayout();
    }
    return *Layout;
}

// Text the painter would lay out in one line without any character of its own handling.
bool OneLine(const QString& Text) {
    for (const QChar c : Text)
        if (c == u'\n' || c == u'\r' || c == u'\t' || c == u'&' || c == QChar(0x9C) ||
            c == QChar::LineSeparator)
            return false;
    return !Text.isEmpty();
}

} // namespace

void TGPGraphics::DrawString(const QString& Text, const TGPFont& Font, const TGPRectF& LayoutRect,
                             const TGPStringFormat& Format, const TGPBrush& Brush) {
    QFont QtFont = Font.ToQt(FDpiY);
    const bool Smooth = FTextRenderingHint != TGPTextRenderingHint::SingleBitPerPixel &&
                        FTextRenderingHint != TGPTextRenderingHint::SingleBitPerPixelGridFit;
    if (!Smooth) QtFont.setStyleStrategy(QFont::NoAntialias);
    int Flags = 0;
    const QRectF Rect = TextRect(QtFont, LayoutRect.ToQt(), Format, Flags);
    FPainter->save();
    FPainter->setRenderHint(QPainter::TextAntialiasing, Smooth);
    FPainter->setFont(QtFont);
    FPainter->setPen(QPen(QtBrush(Brush), 0));
    constexpr int FromTopLeft = Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip;
    if (Flags == FromTopLeft && OneLine(Text))
        LaidOutLine({Text, FPainter->font(), FPainter->layoutDirection()})
            .draw(FPainter, Rect.topLeft());
    else
        FPainter->drawText(Rect, Flags, Text);
    FPainter->restore();
}

void TGPGraphics::DrawString(const QString& Text, const TGPFont& Font, const TGPPointF& Origin,
                             const TGPStringFormat& Format, const TGPBrush& Brush) {
    DrawString(Text, Font, TGPRectF{Origin.X, Origin.Y, 0, 0}, Format, Brush);
}

namespace {
// Everything a text box depends on but the position of the layout rectangle.
struct TMeasureKey {
    QString Text, Family;
    float Size, DpiY, Width, Height;
    int Style, Alignment, LineAlignment, Flags, DeviceDpiX, DeviceDpiY;
    bool Typographic;
    bool operator==(const TMeasureKey&) const = default;
};

size_t qHash(const TMeasureKey& Key, size_t Seed = 0) {
    return qHashMulti(Seed, Key.Text, Key.Family, Key.Size, Key.DpiY, Key.Width, Key.Height,
                      Key.Style, Key.Alignment, Key.LineAlignment, Key.Flags, Key.DeviceDpiX,
                      Key.DeviceDpiY, Key.Typographic);
}
} // namespace

TGPRectF TGPGraphics::MeasureString(const QString& Text, const TGPFont& Font,
                                    const TGPRectF& LayoutRect,
                                    const TGPStringFormat& Format) const {
    QString Measured = Text;
    if (!Format.GetFormatFlags().testFlag(TGPStringFormatFlag::MeasureTrailingSpaces)) {
        while (!Measured.isEmpty() && Measured.back() == u' ')
            Measured.chop(1);
    }
    // The box only moves with the layout rectangle, so boxes are kept relative to it: axes
    // measure the same labels at every zoom and repaint, and resolving a font is dear.
    static TQvFontCache<TMeasureKey, QRectF> Known(MeasuredTextsKept);
    const QPaintDevice* Device = FPainter->device();
    const TMeasureKey Key{Measured,
                          Font.GetFamily(),
                          Font.GetSize(),
                          FDpiY,
                          LayoutRect.Width,
                          LayoutRect.Height,
                          Font.GetStyle().toInt(),
                          int(Format.GetAlignment()),
                          int(Format.GetLineAlignment()),
                          Format.GetFormatFlags().toInt(),
                          Device->logicalDpiX(),
                          Device->logicalDpiY(),
                          Format.IsTypographic()};
    const QPointF Origin(LayoutRect.X, LayoutRect.Y);
    if (const std::optional<QRectF> Found = Known.Find(Key))
        return TGPRectF::FromQt(Found->translated(Origin));
    const QFont QtFont = Font.ToQt(FDpiY);
    int Flags = 0;
    const QRectF Rect = TextRect(QtFont, LayoutRect.ToQt(), Format, Flags);
    const QFontMetricsF Metrics(QtFont, FPainter->device());
    const qreal Padding = Format.IsTypographic() ? 0 : QFontInfo(QtFont).pixelSize() / 6.0;
    QRectF Box = Metrics.boundingRect(Rect, Flags, Measured);
    // Every line is as high as the line spacing, the last one included.
    Box.setHeight(Measured.isEmpty() ? Metrics.lineSpacing() : Box.height() + Metrics.leading());
    Box.adjust(-Padding, 0, Padding, 0);
    Known.Insert(Key, Box.translated(-Origin));
    return TGPRectF::FromQt(Box);
}

TGPRectF TGPGraphics::MeasureString(const QString& Text, const TGPFont& Font,
                                    const TGPPointF& Origin, const TGPStringFormat& Format) const {
    return MeasureString(Text, Font, TGPRectF{Origin.X, Origin.Y, 0, 0}, Format);
}

// ---- images ----

void TGPGraphics::DrawImage(TGPImage& Image, float X, float Y) {
    DrawImage(Image, TGPRectF{X, Y, float(Image.GetWidth()), float(Image.GetHeight())});
}

void TGPGraphics::DrawImage(TGPImage& Image, const TGPRectF& Dest) {
    // Images cover whole pixels: their corners sit on pixel edges, not pixel centres.
    FPainter->setWorldTransform(FTransform.ToQt() * FBase);
    Image.DrawTo(*FPainter, Dest.ToQt());
    ApplyTransform();
}
