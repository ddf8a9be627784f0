// The SVG paint engine. Shapes are written in logical coordinates under the world transform so
// that strokes, dashes and paint servers scale as they do in Qt; clips are kept in device
// coordinates and applied by groups without a transform.

#include "style/qvsvgdevice.h"

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRegion>
#include <QTextItem>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace {

// Larger magnitudes are clamped: no renderer does anything useful with them.
constexpr double MaxMagnitude = 1e12;
// Textures up to this size are written as rectangles, larger ones as embedded PNG images.
constexpr int MaxVectorTexture = 16;
constexpr double Dpi = 96;

void AppendFixed(QByteArray& Out, double Value, int Decimals) {
    if (!std::isfinite(Value)) Value = 0;
    Value = std::clamp(Value, -MaxMagnitude, MaxMagnitude);
    char Buffer[48];
    const auto [End, Error] = std::to_chars(std::begin(Buffer), std::end(Buffer), Value,
                                            std::chars_format::fixed, Decimals);
    if (Error != std::errc()) {
        Out += '0';
        return;
    }
    const char* Last = End;
    if (std::find(static_cast<const char*>(Buffer), Last, '.') != Last) {
        while (Last[-1] == '0')
            --Last;
        if (Last[-1] == '.') --Last;
    }
    if (Last - Buffer == 2 && Buffer[0] == '-' && Buffer[1] == '0') {
        Out += '0';
        return;
    }
    Out.append(Buffer, Last - Buffer);
}

// About seven significant digits: for matrix entries and paint server geometry, whose scale
// is unknown.
void AppendSignificant(QByteArray& Out, double Value) {
    const double Magnitude = std::abs(Value);
    int Decimals = 3;
    if (Magnitude > 0 && std::isfinite(Magnitude))
        Decimals = std::clamp(6 - int(std::floor(std::log10(Magnitude))), 0, 12);
    AppendFixed(Out, Value, Decimals);
}

void AppendAttribute(QByteArray& Out, const char* Name, double Value, int Decimals = 3) {
    Out += ' ';
    Out += Name;
    Out += "=\"";
    AppendFixed(Out, Value, Decimals);
    Out += '"';
}

void AppendEscaped(QByteArray& Out, const QString& Text) {
    const QByteArray Utf8 = Text.toUtf8();
    for (const char Char : Utf8) {
        switch (Char) {
        case '&':
            Out += "&amp;";
            break;
        case '<':
            Out += "&lt;";
            break;
        case '>':
            Out += "&gt;";
            break;
        case '"':
            Out += "&quot;";
            break;
        case '\'':
            Out += "&apos;";
            break;
        default:
            // Control characters other than tab and line breaks are not allowed in XML 1.0.
            if (static_cast<unsigned char>(Char) >= 0x20 || Char == '\t' || Char == '\n' ||
                Char == '\r')
                Out += Char;
        }
    }
}

void AppendColor(QByteArray& Out, const QColor& Color) {
    static const char Digits[] = "0123456789abcdef";
    const QRgb Rgb = Color.rgb();
    Out += '#';
    for (const int Channel : {qRed(Rgb), qGreen(Rgb), qBlue(Rgb)}) {
        Out += Digits[Channel >> 4];
        Out += Digits[Channel & 15];
    }
}

void AppendMatrix(QByteArray& Out, const QTransform& T) {
    Out += "matrix(";
    const double Entries[6] = {T.m11(), T.m12(), T.m21(), T.m22(), T.dx(), T.dy()};
    for (int i = 0; i < 6; ++i) {
        if (i) Out += ' ';
        AppendSignificant(Out, Entries[i]);
    }
    Out += ')';
}

void AppendTransformAttribute(QByteArray& Out, const char* Name, const QTransform& T) {
    if (T.isIdentity()) return;
    Out += ' ';
    Out += Name;
    Out += "=\"";
    AppendMatrix(Out, T);
    Out += '"';
}

QByteArray PngDataUri(const QImage& Image) {
    QByteArray Png;
    QBuffer Buffer(&Png);
    Buffer.open(QIODevice::WriteOnly);
    Image.save(&Buffer, "PNG");
    return "data:image/png;base64," + Png.toBase64();
}

// A 1-bit image drawn as a mask in one colour, as Qt draws bitmaps.
QImage Colorized(const QImage& Bitmap, const QColor& Color) {
    const QImage Mono = Bitmap.convertToFormat(QImage::Format_MonoLSB);
    QImage Result(Mono.size(), QImage::Format_ARGB32);
    const QRgb Ink = Color.rgba();
    for (int y = 0; y < Mono.height(); ++y) {
        auto* Line = reinterpret_cast<QRgb*>(Result.scanLine(y));
        for (int x = 0; x < Mono.width(); ++x)
            Line[x] = Mono.pixelIndex(x, y) == 1 ? Ink : 0;
    }
    return Result;
}

bool IsFinite(const QPointF& P) {
    return std::isfinite(P.x()) && std::isfinite(P.y());
}

bool IsFinite(const QRectF& R) {
    return IsFinite(R.topLeft()) && IsFinite(R.bottomRight());
}

// The rectangle when Path is one axis-aligned rectangle.
std::optional<QRectF> RectangleOf(const QPainterPath& Path) {
    const int Count = Path.elementCount();
    if (Count != 4 && Count != 5) return std::nullopt;
    QPointF P[5];
    for (int i = 0; i < Count; ++i) {
        const QPainterPath::Element E = Path.elementAt(i);
        if ((i == 0) != E.isMoveTo() || (i > 0 && !E.isLineTo())) return std::nullopt;
        P[i] = E;
    }
    if (Count == 5 && P[4] != P[0]) return std::nullopt;
    const bool Horizontal = P[0].y() == P[1].y() && P[1].x() == P[2].x() && P[2].y() == P[3].y() &&
                            P[3].x() == P[0].x();
    const bool Vertical = P[0].x() == P[1].x() && P[1].y() == P[2].y() && P[2].x() == P[3].x() &&
                          P[3].y() == P[0].y();
    if (!Horizontal && !Vertical) return std::nullopt;
    return QRectF(P[0], P[2]).normalized();
}

// Builds SVG path data. Points that are not finite are dropped, as QPainterPath drops them.
class TPathWriter {
public:
    TPathWriter(QByteArray& Out, const QTransform* Map, int Decimals)
        : FOut(Out), FMap(Map), FDecimals(Decimals) {}

    void MoveTo(const QPointF& P) {
        EndSubpath(false);
        FNeedMove = true;
        if (IsFinite(P)) Begin(Mapped(P));
    }
    void LineTo(const QPointF& P) {
        if (!IsFinite(P)) return;
        const QPointF Q = Mapped(P);
        if (FNeedMove) {
            Begin(Q);
            return;
        }
        FLastLine = FOut.size();
        FOut += 'L';
        AppendPoint(Q);
        Advance(Q);
    }
    void CurveTo(const QPointF& C1, const QPointF& C2, const QPointF& P) {
        if (!IsFinite(C1) || !IsFinite(C2) || !IsFinite(P)) return;
        if (FNeedMove) {
            Begin(Mapped(P));
            return;
        }
        FOut += 'C';
        AppendPoint(Mapped(C1));
        FOut += ' ';
        AppendPoint(Mapped(C2));
        FOut += ' ';
        const QPointF Q = Mapped(P);
        AppendPoint(Q);
        FLastLine = -1;
        Advance(Q);
    }
    // A subpath that returns to its start is closed, so that its corner gets a join as in Qt.
    void EndSubpath(bool Close) {
        if (FNeedMove || FSegments == 0) {
            FNeedMove = true;
            return;
        }
        const bool Returns = FLast == FStart;
        if (Returns && FLastLine >= 0 && FSegments >= 2) FOut.truncate(FLastLine);
        if (Returns || Close) FOut += 'Z';
        FNeedMove = true;
    }
    bool Drawn() const { return FDrawn; }

private:
    QPointF Mapped(const QPointF& P) const { return FMap ? FMap->map(P) : P; }
    void AppendPoint(const QPointF& P) {
        AppendFixed(FOut, P.x(), FDecimals);
        FOut += ' ';
        AppendFixed(FOut, P.y(), FDecimals);
    }
    void Begin(const QPointF& Q) {
        FOut += 'M';
        AppendPoint(Q);
        FStart = FLast = Q;
        FNeedMove = false;
        FSegments = 0;
        FLastLine = -1;
    }
    void Advance(const QPointF& Q) {
        FLast = Q;
        ++FSegments;
        FDrawn = true;
    }

    QByteArray& FOut;
    const QTransform* FMap;
    int FDecimals;
    bool FNeedMove = true;
    bool FDrawn = false;
    QPointF FStart, FLast;
    int FSegments = 0;
    qsizetype FLastLine = -1;
};

} // namespace

class TQvSvgPaintEngine : public QPaintEngine {
public:
    TQvSvgPaintEngine(const QSize& Size, const QString& Title);

    bool begin(QPaintDevice* Device) override;
    bool end() override;
    void updateState(const QPaintEngineState& State) override;
    // Qt's defaults read the painter's state, which is gone after end().
    void drawRects(const QRectF* Rects, int RectCount) override {
        if (FActive) QPaintEngine::drawRects(Rects, RectCount);
    }
    void drawLines(const QLineF* Lines, int LineCount) override {
        if (FActive) QPaintEngine::drawLines(Lines, LineCount);
    }
    void drawEllipse(const QRectF& Rect) override {
        if (FActive) QPaintEngine::drawEllipse(Rect);
    }
    void drawPoints(const QPointF* Points, int PointCount) override {
        if (FActive) QPaintEngine::drawPoints(Points, PointCount);
    }
    void drawPath(const QPainterPath& Path) override;
    void drawPolygon(const QPointF* Points, int PointCount, PolygonDrawMode Mode) override;
    void drawPixmap(const QRectF& Rect, const QPixmap& Pixmap, const QRectF& Source) override;
    void drawImage(const QRectF& Rect, const QImage& Image, const QRectF& Source,
                   Qt::ImageConversionFlags Flags) override;
    void drawTiledPixmap(const QRectF& Rect, const QPixmap& Pixmap, const QPointF& Offset) override;
    void drawTextItem(const QPointF& Point, const QTextItem& Item) override;
    Type type() const override { return QPaintEngine::User; }

    QByteArray Document() const;

private:
    // The clip in device coordinates; an axis-aligned rectangle is kept exact as well.
    struct TClip {
        QPainterPath Path;
        std::optional<QRectF> Rect;
    };

    void ResetDocument();
    void SetWorld(const QTransform& World);
    void ApplyClip(const QPainterPath& Path, const std::optional<QRectF>& Rect,
                   Qt::ClipOperation Operation);
    bool EnterClipGroup();
    QByteArray AddDef(const char* Tag, char Prefix, const QByteArray& Body);
    QByteArray ClipDef();
    QByteArray GradientDef(const QGradient& Gradient, const QTransform& PaintToUser);
    QByteArray PatternDef(const QImage& Texture, const QTransform& PaintToUser);
    std::optional<QImage> TextureOf(const QBrush& Brush) const;
    void AppendPaint(QByteArray& Out, const char* Kind, const QBrush& Brush,
                     const QTransform& PaintToUser);
    void AppendStroke(QByteArray& Out, bool DeviceSpace, bool Shift);
    bool CosmeticInDevice() const;
    bool IsThinPen() const;
    void EmitShape(bool Fill, Qt::FillRule Rule, bool DeviceSpace);
    void WriteShape(bool Fill, bool Stroke, Qt::FillRule Rule, bool DeviceSpace, bool Shift);
    void EmitImage(const QRectF& Rect, const QImage& Image, const QRectF& Source);
    QTransform BrushTransform(const QBrush& Brush) const;

    QSize FSize;
    QString FTitle;
    bool FActive = false;

    QByteArray FDefs;
    QByteArray FBody;
    QHash<QByteArray, QByteArray> FDefIds;
    // Pattern ids by texture cache key and transform: a large texture is encoded once.
    QHash<QByteArray, QByteArray> FPatternIds;
    int FNextId = 1;
    QByteArray FGroupClip; // the clip of the open group, empty when none is open
    QByteArray FPathData;  // reused between shapes

    QPen FPen;
    QBrush FBrush;
    QPointF FBrushOrigin;
    QTransform FWorld;
    double FScale = 1; // device pixels per logical unit
    int FDecimals = 3;
    int FDecorationLines = 0; // lines of the last text item that QPainter is about to draw
    double FOpacity = 1;
    bool FSmoothPixmaps = false;
    bool FAntialias = false;
    std::optional<TClip> FClip;
    bool FClipEnabled = false;
    QByteArray FClipId;
};

TQvSvgPaintEngine::TQvSvgPaintEngine(const QSize& Size, const QString& Title)
    // Without these features QPainter rasterises for us (conical gradients, projections) or
    // converts gradients to logical coordinates (object bounding and stretch-to-device modes).
    : QPaintEngine(PaintEngineFeatures(AllFeatures) &
                   ~PaintEngineFeatures(ConicalGradientFill | PerspectiveTransform | PorterDuff |
                                        BlendModes | RasterOpModes | ObjectBoundingModeGradients)),
      FSize(Size), FTitle(Title) {}

void TQvSvgPaintEngine::ResetDocument() {
    FDefs.clear();
    FBody.clear();
    FDefIds.clear();
    FPatternIds.clear();
    FNextId = 1;
    FGroupClip.clear();
    FPen = QPen();
    FBrush = QBrush();
    FBrushOrigin = QPointF();
    SetWorld(QTransform());
    FOpacity = 1;
    FSmoothPixmaps = false;
    FAntialias = false;
    FClip.reset();
    FClipEnabled = false;
    FClipId.clear();
}

bool TQvSvgPaintEngine::begin(QPaintDevice*) {
    ResetDocument();
    FActive = true;
    return true;
}

bool TQvSvgPaintEngine::end() {
    FActive = false;
    return true;
}

QByteArray TQvSvgPaintEngine::Document() const {
    QByteArray Out;
    Out.reserve(FDefs.size() + FBody.size() + 512);
    Out += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" "
           "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\"";
    Out += " width=\"" + QByteArray::number(FSize.width()) + "px\"";
    Out += " height=\"" + QByteArray::number(FSize.height()) + "px\"";
    Out += " viewBox=\"0 0 " + QByteArray::number(FSize.width()) + ' ' +
           QByteArray::number(FSize.height()) + "\">\n";
    if (!FTitle.isEmpty()) {
        Out += "<title>";
        AppendEscaped(Out, FTitle);
        Out += "</title>\n";
    }
    if (!FDefs.isEmpty()) Out += "<defs>\n" + FDefs + "</defs>\n";
    Out += FBody;
    if (!FGroupClip.isEmpty()) Out += "</g>\n";
    Out += "</svg>\n";
    return Out;
}

void TQvSvgPaintEngine::SetWorld(const QTransform& World) {
    FWorld = World;
    // Enough decimals that a logical coordinate keeps a thousandth of a device pixel.
    const double Scale =
        std::max(std::hypot(World.m11(), World.m12()), std::hypot(World.m21(), World.m22()));
    FScale = std::isfinite(Scale) ? Scale : 0;
    FDecimals = 3;
    if (Scale > 1 && std::isfinite(Scale))
        FDecimals = std::clamp(3 + int(std::ceil(std::log10(Scale))), 3, 9);
}

void TQvSvgPaintEngine::updateState(const QPaintEngineState& State) {
    const DirtyFlags Flags = State.state();
    if (Flags & DirtyPen) FPen = State.pen();
    if (Flags & DirtyBrush) FBrush = State.brush();
    if (Flags & DirtyBrushOrigin) FBrushOrigin = State.brushOrigin();
    if (Flags & DirtyOpacity) {
        const double Opacity = State.opacity();
        FOpacity = Opacity >= 0 ? std::min(Opacity, 1.0) : 0.0;
    }
    if (Flags & DirtyHints) {
        FSmoothPixmaps = State.renderHints().testFlag(QPainter::SmoothPixmapTransform);
        FAntialias = State.renderHints().testFlag(QPainter::Antialiasing);
    }
    // The transform first: a clip arriving in the same update is given under it.
    if (Flags & DirtyTransform) SetWorld(State.transform());
    if (Flags & DirtyClipRegion) {
        const QRegion Region = State.clipRegion();
        QPainterPath Path;
        std::optional<QRectF> Rect;
        if (Region.rectCount() <= 1) {
            Rect = QRectF(Region.boundingRect());
            Path.addRect(*Rect);
        } else {
            Path.addRegion(Region);
        }
        ApplyClip(Path, Rect, State.clipOperation());
    }
    if (Flags & DirtyClipPath) ApplyClip(State.clipPath(), std::nullopt, State.clipOperation());
    if (Flags & DirtyClipEnabled) FClipEnabled = State.isClipEnabled();
}

void TQvSvgPaintEngine::ApplyClip(const QPainterPath& Path, const std::optional<QRectF>& Rect,
                                  Qt::ClipOperation Operation) {
    FClipId.clear();
    if (Operation == Qt::NoClip) {
        FClip.reset();
        return;
    }
    TClip New;
    const std::optional<QRectF> Box = Rect ? Rect : RectangleOf(Path);
    if (Box && FWorld.type() <= QTransform::TxScale) {
        // Snapped to whole pixels as Qt's raster engine does, which keeps clipped edges crisp.
        const QRectF Mapped = FWorld.mapRect(Box->normalized());
        const auto Snap = [](double V) { return std::floor(V + 0.5); };
        New.Rect = QRectF(QPointF(Snap(Mapped.left()), Snap(Mapped.top())),
                          QPointF(Snap(Mapped.right()), Snap(Mapped.bottom())));
        New.Path.addRect(*New.Rect);
    } else {
        New.Path = FWorld.map(Path);
    }
    if (Operation == Qt::IntersectClip && FClip && FClipEnabled) {
        if (New.Rect && FClip->Rect) {
            QRectF Both = New.Rect->intersected(*FClip->Rect);
            if (Both.isEmpty()) Both = QRectF();
            New.Rect = Both;
            New.Path = QPainterPath();
            if (!Both.isEmpty()) New.Path.addRect(Both);
        } else {
            New.Path = FClip->Path.intersected(New.Path);
            New.Rect.reset();
        }
    }
    FClip = std::move(New);
    FClipEnabled = true;
}

QByteArray TQvSvgPaintEngine::AddDef(const char* Tag, char Prefix, const QByteArray& Body) {
    const QByteArray Key = Tag + Body;
    if (const auto Found = FDefIds.constFind(Key); Found != FDefIds.constEnd()) return *Found;
    const QByteArray Id = Prefix + QByteArray::number(FNextId++);
    FDefs += '<';
    FDefs += Tag;
    FDefs += " id=\"" + Id + '"';
    FDefs += Body;
    FDefs += '\n';
    FDefIds.insert(Key, Id);
    return Id;
}

QByteArray TQvSvgPaintEngine::ClipDef() {
    QByteArray Body = " clipPathUnits=\"userSpaceOnUse\">";
    if (FClip->Rect) {
        const QRectF& R = *FClip->Rect;
        Body += "<rect";
        AppendAttribute(Body, "x", R.x());
        AppendAttribute(Body, "y", R.y());
        AppendAttribute(Body, "width", R.width());
        AppendAttribute(Body, "height", R.height());
        Body += "/>";
    } else {
        Body += "<path d=\"";
        TPathWriter Writer(Body, nullptr, 3);
        const QPainterPath& Path = FClip->Path;
        for (int i = 0; i < Path.elementCount(); ++i) {
            const QPainterPath::Element E = Path.elementAt(i);
            if (E.isMoveTo()) {
                Writer.MoveTo(E);
            } else if (E.isLineTo()) {
                Writer.LineTo(E);
            } else if (E.isCurveTo() && i + 2 < Path.elementCount()) {
                Writer.CurveTo(E, Path.elementAt(i + 1), Path.elementAt(i + 2));
                i += 2;
            }
        }
        Writer.EndSubpath(true);
        Body += '"';
        if (Path.fillRule() == Qt::OddEvenFill) Body += " clip-rule=\"evenodd\"";
        Body += "/>";
    }
    Body += "</clipPath>";
    return AddDef("clipPath", 'c', Body);
}

bool TQvSvgPaintEngine::EnterClipGroup() {
    QByteArray Id;
    if (FClip && FClipEnabled) {
        if (FClip->Path.isEmpty() || (FClip->Rect && FClip->Rect->isEmpty())) return false;
        const QRectF Device(QPointF(0, 0), QSizeF(FSize));
        if (!FClip->Rect || !FClip->Rect->contains(Device)) {
            if (FClipId.isEmpty()) FClipId = ClipDef();
            Id = FClipId;
        }
    }
    if (Id != FGroupClip) {
        if (!FGroupClip.isEmpty()) FBody += "</g>\n";
        if (!Id.isEmpty()) FBody += "<g clip-path=\"url(#" + Id + ")\">\n";
        FGroupClip = Id;
    }
    return true;
}

QTransform TQvSvgPaintEngine::BrushTransform(const QBrush& Brush) const {
    // As in Qt: the brush transform, then the brush origin, then the world transform.
    return Brush.transform() * QTransform::fromTranslate(FBrushOrigin.x(), FBrushOrigin.y());
}

QByteArray TQvSvgPaintEngine::GradientDef(const QGradient& Gradient,
                                          const QTransform& PaintToUser) {
    QByteArray Body = " gradientUnits=\"userSpaceOnUse\"";
    const char* Tag = "linearGradient";
    if (Gradient.type() == QGradient::LinearGradient) {
        const auto& Linear = static_cast<const QLinearGradient&>(Gradient);
        for (const auto& [Name, Value] :
             {std::pair{"x1", Linear.start().x()}, std::pair{"y1", Linear.start().y()},
              std::pair{"x2", Linear.finalStop().x()}, std::pair{"y2", Linear.finalStop().y()}}) {
            Body += ' ';
            Body += Name;
            Body += "=\"";
            AppendSignificant(Body, Value);
            Body += '"';
        }
    } else {
        Tag = "radialGradient";
        const auto& Radial = static_cast<const QRadialGradient&>(Gradient);
        const QPointF Center = Radial.center();
        const double Radius = Radial.centerRadius();
        QPointF Focal = Radial.focalPoint();
        // SVG 1.1 moves a focal point outside the circle onto it; do it here, the same in
        // every viewer.
        const QPointF Offset = Focal - Center;
        const double Distance = std::hypot(Offset.x(), Offset.y());
        if (Distance > 0.999 * Radius && Distance > 0)
            Focal = Center + Offset * (0.999 * Radius / Distance);
        for (const auto& [Name, Value] :
             {std::pair{"cx", Center.x()}, std::pair{"cy", Center.y()}, std::pair{"r", Radius},
              std::pair{"fx", Focal.x()}, std::pair{"fy", Focal.y()}}) {
            Body += ' ';
            Body += Name;
            Body += "=\"";
            AppendSignificant(Body, Value);
            Body += '"';
        }
    }
    if (Gradient.spread() == QGradient::ReflectSpread) Body += " spreadMethod=\"reflect\"";
    if (Gradient.spread() == QGradient::RepeatSpread) Body += " spreadMethod=\"repeat\"";
    AppendTransformAttribute(Body, "gradientTransform", PaintToUser);
    Body += '>';
    QGradientStops Stops = Gradient.stops();
    if (Stops.isEmpty()) Stops = {{0, Qt::black}, {1, Qt::white}};
    double Previous = 0;
    for (const auto& [Position, Color] : Stops) {
        Previous = std::clamp(Position, Previous, 1.0);
        Body += "<stop";
        AppendAttribute(Body, "offset", Previous, 4);
        Body += " stop-color=\"";
        AppendColor(Body, Color);
        Body += '"';
        if (Color.alpha() < 255) AppendAttribute(Body, "stop-opacity", Color.alphaF(), 3);
        Body += "/>";
    }
    Body += "</";
    Body += Tag;
    Body += '>';
    return AddDef(Tag, 'g', Body);
}

QByteArray TQvSvgPaintEngine::PatternDef(const QImage& Texture, const QTransform& PaintToUser) {
    QByteArray Transform;
    AppendTransformAttribute(Transform, "patternTransform", PaintToUser);
    const QByteArray CacheKey = QByteArray::number(Texture.cacheKey()) + Transform;
    if (const auto Found = FPatternIds.constFind(CacheKey); Found != FPatternIds.constEnd())
        return *Found;
    const QImage Image = Texture.convertToFormat(QImage::Format_ARGB32);
    const int W = Image.width(), H = Image.height();
    QByteArray Body = " patternUnits=\"userSpaceOnUse\"";
    AppendAttribute(Body, "width", W);
    AppendAttribute(Body, "height", H);
    Body += Transform;
    Body += '>';
    if (W <= MaxVectorTexture && H <= MaxVectorTexture) {
        // Pixels as rectangles, one subpath per run of a colour in a row, one path per colour;
        // an opaque tile gets its most common colour as one rectangle below the rest so that
        // antialiased edges do not leave seams.
        std::vector<std::pair<QRgb, int>> Counts;
        bool Opaque = true;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                const QRgb Pixel = Image.pixel(x, y);
                Opaque = Opaque && qAlpha(Pixel) == 255;
                auto Found = std::find_if(Counts.begin(), Counts.end(),
                                          [&](const auto& C) { return C.first == Pixel; });
                if (Found == Counts.end())
                    Counts.emplace_back(Pixel, 1);
                else
                    ++Found->second;
            }
        std::optional<QRgb> Background;
        if (Opaque && !Counts.empty()) {
            Background = std::max_element(Counts.begin(), Counts.end(), [](auto& A, auto& B) {
                             return A.second < B.second;
                         })->first;
            Body += "<rect";
            AppendAttribute(Body, "width", W);
            AppendAttribute(Body, "height", H);
            Body += " fill=\"";
            AppendColor(Body, QColor::fromRgba(*Background));
            Body += "\"/>";
        }
        for (const auto& [Color, Count] : Counts) {
            if (qAlpha(Color) == 0 || (Background && Color == *Background)) continue;
            Body += "<path d=\"";
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W;) {
                    if (Image.pixel(x, y) != Color) {
                        ++x;
                        continue;
                    }
                    int End = x + 1;
                    while (End < W && Image.pixel(End, y) == Color)
                        ++End;
                    Body += 'M' + QByteArray::number(x) + ' ' + QByteArray::number(y) + 'h' +
                            QByteArray::number(End - x) + "v1h-" + QByteArray::number(End - x) +
                            'z';
                    x = End;
                }
            Body += "\" fill=\"";
            AppendColor(Body, QColor::fromRgba(Color));
            Body += '"';
            if (qAlpha(Color) < 255) AppendAttribute(Body, "fill-opacity", qAlpha(Color) / 255.0);
            Body += "/>";
        }
    } else {
        Body += "<image";
        AppendAttribute(Body, "width", W);
        AppendAttribute(Body, "height", H);
        Body += " preserveAspectRatio=\"none\" image-rendering=\"optimizeSpeed\" "
                "style=\"image-rendering:pixelated\" xlink:href=\"" +
                PngDataUri(Image) + "\"/>";
    }
    Body += "</pattern>";
    const QByteArray Id = AddDef("pattern", 'p', Body);
    FPatternIds.insert(CacheKey, Id);
    return Id;
}

std::optional<QImage> TQvSvgPaintEngine::TextureOf(const QBrush& Brush) const {
    const Qt::BrushStyle Style = Brush.style();
    if (Style == Qt::TexturePattern) {
        const QImage Image = Brush.textureImage();
        if (Image.isNull()) return std::nullopt;
        // A bitmap texture is a mask in the brush colour.
        if (Image.depth() == 1 && Brush.texture().isQBitmap())
            return Colorized(Image, Brush.color());
        return Image;
    }
    if (Style >= Qt::Dense1Pattern && Style <= Qt::DiagCrossPattern) {
        QImage Tile(8, 8, QImage::Format_ARGB32_Premultiplied);
        Tile.fill(Qt::transparent);
        QPainter Painter(&Tile);
        Painter.fillRect(Tile.rect(), QBrush(Brush.color(), Style));
        Painter.end();
        return Tile;
    }
    return std::nullopt;
}

void TQvSvgPaintEngine::AppendPaint(QByteArray& Out, const char* Kind, const QBrush& Brush,
                                    const QTransform& PaintToUser) {
    double Opacity = FOpacity;
    Out += ' ';
    Out += Kind;
    Out += "=\"";
    const Qt::BrushStyle Style = Brush.style();
    if ((Style == Qt::LinearGradientPattern || Style == Qt::RadialGradientPattern) &&
        Brush.gradient()) {
        Out +=
            "url(#" + GradientDef(*Brush.gradient(), BrushTransform(Brush) * PaintToUser) + ")\"";
    } else if (const auto Texture = TextureOf(Brush); Texture && !Texture->isNull()) {
        Out += "url(#" + PatternDef(*Texture, BrushTransform(Brush) * PaintToUser) + ")\"";
    } else {
        // Solid colours, and the first colour of a gradient SVG cannot express.
        QColor Color = Brush.color();
        if (Brush.gradient() && !Brush.gradient()->stops().isEmpty())
            Color = Brush.gradient()->stops().constFirst().second;
        AppendColor(Out, Color);
        Out += '"';
        Opacity *= Color.alphaF();
    }
    if (Opacity < 1) {
        Out += ' ';
        Out += Kind;
        Out += "-opacity=\"";
        AppendFixed(Out, Opacity, 3);
        Out += '"';
    }
}

bool TQvSvgPaintEngine::IsThinPen() const {
    const double Width = FPen.widthF() > 0 ? FPen.widthF() : 1.0;
    return (FPen.isCosmetic() ? Width : Width * FScale) <= 1;
}

bool TQvSvgPaintEngine::CosmeticInDevice() const {
    // A cosmetic stroke is as wide in every viewer only when the path is in device
    // coordinates (vector-effect is not SVG 1.1 and not implemented everywhere).
    return FPen.style() != Qt::NoPen && FPen.isCosmetic() &&
           FWorld.type() > QTransform::TxTranslate;
}

void TQvSvgPaintEngine::AppendStroke(QByteArray& Out, bool DeviceSpace, bool Shift) {
    AppendPaint(Out, "stroke", FPen.brush(), DeviceSpace ? FWorld : QTransform());
    const double Width = FPen.widthF() > 0 ? FPen.widthF() : 1.0;
    if (Width != 1) AppendAttribute(Out, "stroke-width", Width, FDecimals);
    if (FPen.isCosmetic()) Out += " vector-effect=\"non-scaling-stroke\"";
    const bool Dashed = FPen.style() != Qt::SolidLine;
    // Qt draws lines at most one device pixel wide with its cosmetic stroker, whose dashes are
    // in device pixels and get no caps.
    const bool Thin = IsThinPen();
    switch (FPen.capStyle()) {
    case Qt::SquareCap:
        if (!(Dashed && Thin)) Out += " stroke-linecap=\"square\"";
        break;
    case Qt::RoundCap:
        if (!(Dashed && Thin)) Out += " stroke-linecap=\"round\"";
        break;
    default:
        break;
    }
    switch (FPen.joinStyle()) {
    case Qt::BevelJoin:
        Out += " stroke-linejoin=\"bevel\"";
        break;
    case Qt::RoundJoin:
        Out += " stroke-linejoin=\"round\"";
        break;
    default:
        // Qt's limit is the miter length in pen widths, the same ratio as SVG's.
        AppendAttribute(Out, "stroke-miterlimit", std::max(1.0, FPen.miterLimit()));
        break;
    }
    if (!Dashed) return;
    const QList<qreal> Pattern = FPen.dashPattern();
    double Sum = 0;
    for (const qreal Dash : Pattern)
        Sum += std::max(Dash, 0.0);
    if (!(Sum > 0 && std::isfinite(Sum))) return;
    // Otherwise Qt's pattern is in pen widths.
    double Unit = Width;
    if (Thin) Unit = FPen.isCosmetic() || FScale <= 0 ? 1.0 : 1.0 / FScale;
    Out += " stroke-dasharray=\"";
    for (qsizetype i = 0; i < Pattern.size(); ++i) {
        if (i) Out += ',';
        AppendFixed(Out, std::max(Pattern[i], 0.0) * Unit, FDecimals);
    }
    Out += '"';
    // The phase of the cosmetic stroker: aliased, the pattern starts on the pixel edge before
    // the shifted line; antialiased with a cap, one pixel before the line's start.
    double Phase = 0;
    if (Thin && Shift) Phase = 0.5;
    if (Thin && !Shift && FPen.capStyle() != Qt::FlatCap) Phase = 1;
    const double Offset = FPen.dashOffset() + Phase;
    if (Offset != 0) AppendAttribute(Out, "stroke-dashoffset", Offset * Unit, FDecimals);
}

void TQvSvgPaintEngine::EmitShape(bool Fill, Qt::FillRule Rule, bool DeviceSpace) {
    if (!EnterClipGroup()) return;
    const bool Stroke = FPen.style() != Qt::NoPen;
    // Aliased, Qt puts thin lines right of and below the mathematical line, filled areas not.
    const bool Shift = Stroke && !FAntialias && IsThinPen();
    if (Shift && Fill) {
        WriteShape(true, false, Rule, DeviceSpace, false);
        WriteShape(false, true, Rule, DeviceSpace, true);
    } else {
        WriteShape(Fill, Stroke, Rule, DeviceSpace, Shift);
    }
}

void TQvSvgPaintEngine::WriteShape(bool Fill, bool Stroke, Qt::FillRule Rule, bool DeviceSpace,
                                   bool Shift) {
    QByteArray& Out = FBody;
    Out += "<path d=\"";
    Out += FPathData;
    Out += '"';
    QTransform Transform = DeviceSpace ? QTransform() : FWorld;
    if (Shift) Transform *= QTransform::fromTranslate(0.5, 0.5);
    AppendTransformAttribute(Out, "transform", Transform);
    if (Fill) {
        AppendPaint(Out, "fill", FBrush, DeviceSpace ? FWorld : QTransform());
        if (Rule == Qt::OddEvenFill) Out += " fill-rule=\"evenodd\"";
    } else {
        Out += " fill=\"none\"";
    }
    if (Stroke) AppendStroke(Out, DeviceSpace, Shift);
    Out += "/>\n";
}

void TQvSvgPaintEngine::drawPath(const QPainterPath& Path) {
    FDecorationLines = 0;
    const bool Fill = FBrush.style() != Qt::NoBrush;
    if (!FActive || FOpacity <= 0 || (!Fill && FPen.style() == Qt::NoPen) || Path.isEmpty()) return;
    const bool DeviceSpace = CosmeticInDevice();
    FPathData.clear();
    TPathWriter Writer(FPathData, DeviceSpace ? &FWorld : nullptr, DeviceSpace ? 3 : FDecimals);
    const int Count = Path.elementCount();
    for (int i = 0; i < Count; ++i) {
        const QPainterPath::Element E = Path.elementAt(i);
        switch (E.type) {
        case QPainterPath::MoveToElement:
            Writer.MoveTo(E);
            break;
        case QPainterPath::LineToElement:
            Writer.LineTo(E);
            break;
        case QPainterPath::CurveToElement:
            if (i + 2 < Count) Writer.CurveTo(E, Path.elementAt(i + 1), Path.elementAt(i + 2));
            i += 2;
            break;
        default:
            break;
        }
    }
    Writer.EndSubpath(false);
    if (Writer.Drawn()) EmitShape(Fill, Path.fillRule(), DeviceSpace);
}

void TQvSvgPaintEngine::drawPolygon(const QPointF* Points, int PointCount, PolygonDrawMode Mode) {
    // QPainter underlines and strikes out text items itself, with flat horizontal lines; the
    // text element carries text-decoration instead.
    if (FDecorationLines > 0 && Mode == PolylineMode && PointCount == 2 &&
        Points[0].y() == Points[1].y() && FPen.capStyle() == Qt::FlatCap) {
        --FDecorationLines;
        return;
    }
    FDecorationLines = 0;
    const bool Fill = Mode != PolylineMode && FBrush.style() != Qt::NoBrush;
    if (!FActive || FOpacity <= 0 || (!Fill && FPen.style() == Qt::NoPen) || !Points ||
        PointCount < 2)
        return;
    const bool DeviceSpace = CosmeticInDevice();
    FPathData.clear();
    TPathWriter Writer(FPathData, DeviceSpace ? &FWorld : nullptr, DeviceSpace ? 3 : FDecimals);
    Writer.MoveTo(Points[0]);
    for (int i = 1; i < PointCount; ++i)
        Writer.LineTo(Points[i]);
    Writer.EndSubpath(Mode != PolylineMode);
    if (Writer.Drawn())
        EmitShape(Fill, Mode == OddEvenMode ? Qt::OddEvenFill : Qt::WindingFill, DeviceSpace);
}

void TQvSvgPaintEngine::EmitImage(const QRectF& Rect, const QImage& Image, const QRectF& Source) {
    FDecorationLines = 0;
    if (!FActive || FOpacity <= 0 || Image.isNull() || !IsFinite(Rect) || !IsFinite(Source)) return;
    const QRectF From = Source.isNull() ? QRectF(Image.rect()) : Source;
    if (!(Rect.width() > 0 && Rect.height() > 0 && From.width() > 0 && From.height() > 0)) return;
    const QRect Crop = From.toAlignedRect().intersected(Image.rect());
    if (Crop.isEmpty()) return;
    const double Sx = Rect.width() / From.width(), Sy = Rect.height() / From.height();
    const QRectF Placed(Rect.x() + (Crop.x() - From.x()) * Sx,
                        Rect.y() + (Crop.y() - From.y()) * Sy, Crop.width() * Sx,
                        Crop.height() * Sy);
    if (!EnterClipGroup()) return;
    QByteArray& Out = FBody;
    Out += "<image";
    AppendAttribute(Out, "x", Placed.x(), FDecimals);
    AppendAttribute(Out, "y", Placed.y(), FDecimals);
    AppendAttribute(Out, "width", Placed.width(), FDecimals);
    AppendAttribute(Out, "height", Placed.height(), FDecimals);
    Out += " preserveAspectRatio=\"none\"";
    AppendTransformAttribute(Out, "transform", FWorld);
    if (FOpacity < 1) AppendAttribute(Out, "opacity", FOpacity);
    // Without smooth pixmap transforms Qt scales images to the nearest pixel.
    if (!FSmoothPixmaps)
        Out += " image-rendering=\"optimizeSpeed\" style=\"image-rendering:pixelated\"";
    Out += " xlink:href=\"";
    Out += PngDataUri(Crop == Image.rect() ? Image : Image.copy(Crop));
    Out += "\"/>\n";
}

void TQvSvgPaintEngine::drawPixmap(const QRectF& Rect, const QPixmap& Pixmap,
                                   const QRectF& Source) {
    if (!FActive || Pixmap.isNull()) return;
    // Qt draws a bitmap in the pen colour.
    if (Pixmap.isQBitmap())
        EmitImage(Rect, Colorized(Pixmap.toImage(), FPen.color()), Source);
    else
        EmitImage(Rect, Pixmap.toImage(), Source);
}

void TQvSvgPaintEngine::drawImage(const QRectF& Rect, const QImage& Image, const QRectF& Source,
                                  Qt::ImageConversionFlags) {
    EmitImage(Rect, Image, Source);
}

void TQvSvgPaintEngine::drawTiledPixmap(const QRectF& Rect, const QPixmap& Pixmap,
                                        const QPointF& Offset) {
    FDecorationLines = 0;
    if (!FActive || FOpacity <= 0 || Pixmap.isNull() || !IsFinite(Rect) || !IsFinite(Offset) ||
        Rect.isEmpty())
        return;
    // One pattern instead of one image per tile.
    const QImage Tile =
        Pixmap.isQBitmap() ? Colorized(Pixmap.toImage(), FPen.color()) : Pixmap.toImage();
    FPathData.clear();
    TPathWriter Writer(FPathData, nullptr, FDecimals);
    Writer.MoveTo(Rect.topLeft());
    Writer.LineTo(Rect.topRight());
    Writer.LineTo(Rect.bottomRight());
    Writer.LineTo(Rect.bottomLeft());
    Writer.EndSubpath(true);
    if (!EnterClipGroup()) return;
    const QTransform Place =
        QTransform::fromTranslate(Rect.x() - Offset.x(), Rect.y() - Offset.y());
    QByteArray& Out = FBody;
    Out += "<path d=\"" + FPathData + '"';
    AppendTransformAttribute(Out, "transform", FWorld);
    Out += " fill=\"url(#" + PatternDef(Tile, Place) + ")\"";
    if (FOpacity < 1) AppendAttribute(Out, "fill-opacity", FOpacity);
    Out += "/>\n";
}

void TQvSvgPaintEngine::drawTextItem(const QPointF& Point, const QTextItem& Item) {
    FDecorationLines = 0;
    const QString Text = Item.text();
    if (!FActive || FOpacity <= 0 || Text.isEmpty() || FPen.style() == Qt::NoPen ||
        !IsFinite(Point))
        return;
    if (!EnterClipGroup()) return;
    const QFont Font = Item.font();
    const double Size =
        Font.pixelSize() > 0 ? double(Font.pixelSize()) : Font.pointSizeF() * Dpi / 72;
    const bool RightToLeft = Item.renderFlags().testFlag(QTextItem::RightToLeft);
    QByteArray& Out = FBody;
    Out += "<text";
    // A right-to-left run is placed by its left end; SVG anchors it at its start, the right.
    AppendAttribute(Out, "x", RightToLeft ? Point.x() + Item.width() : Point.x(), FDecimals);
    AppendAttribute(Out, "y", Point.y(), FDecimals);
    AppendTransformAttribute(Out, "transform", FWorld);
    if (RightToLeft) Out += " direction=\"rtl\" unicode-bidi=\"embed\" text-anchor=\"start\"";
    Out += " font-family=\"";
    QStringList Families = Font.families();
    if (Families.isEmpty()) Families = {Font.family()};
    for (qsizetype i = 0; i < Families.size(); ++i) {
        QString Family = Families[i];
        Family.remove(QLatin1Char('\'')).remove(QLatin1Char('"'));
        if (i) Out += ", ";
        Out += '\'';
        AppendEscaped(Out, Family);
        Out += '\'';
    }
    switch (Font.styleHint()) {
    case QFont::SansSerif:
        Out += ", sans-serif";
        break;
    case QFont::Serif:
        Out += ", serif";
        break;
    case QFont::TypeWriter:
    case QFont::Monospace:
        Out += ", monospace";
        break;
    case QFont::Cursive:
        Out += ", cursive";
        break;
    case QFont::Fantasy:
        Out += ", fantasy";
        break;
    default:
        break;
    }
    Out += '"';
    AppendAttribute(Out, "font-size", Size);
    if (Font.weight() == QFont::Bold)
        Out += " font-weight=\"bold\"";
    else if (Font.weight() != QFont::Normal)
        Out += " font-weight=\"" + QByteArray::number(int(Font.weight())) + '"';
    if (Font.style() == QFont::StyleItalic) Out += " font-style=\"italic\"";
    if (Font.style() == QFont::StyleOblique) Out += " font-style=\"oblique\"";
    const auto Flags = Item.renderFlags();
    QByteArrayList Decoration;
    if (Font.underline() || Flags.testFlag(QTextItem::Underline)) Decoration += "underline";
    if (Font.overline() || Flags.testFlag(QTextItem::Overline)) Decoration += "overline";
    if (Font.strikeOut() || Flags.testFlag(QTextItem::StrikeOut)) Decoration += "line-through";
    if (!Decoration.isEmpty()) Out += " text-decoration=\"" + Decoration.join(' ') + '"';
    FDecorationLines = int(Decoration.size());
    if (Font.letterSpacingType() == QFont::AbsoluteSpacing && Font.letterSpacing() != 0)
        AppendAttribute(Out, "letter-spacing", Font.letterSpacing());
    AppendPaint(Out, "fill", FPen.brush(), QTransform());
    Out += " xml:space=\"preserve\">";
    AppendEscaped(Out, Text);
    Out += "</text>\n";
}

TQvSvgDevice::TQvSvgDevice(const QSize& Size, const QString& Title)
    : FSize(Size.expandedTo(QSize(0, 0))),
      FEngine(std::make_unique<TQvSvgPaintEngine>(FSize, Title)) {}

TQvSvgDevice::~TQvSvgDevice() = default;

QPaintEngine* TQvSvgDevice::paintEngine() const {
    return FEngine.get();
}

QByteArray TQvSvgDevice::Svg() const {
    return FEngine->Document();
}

int TQvSvgDevice::metric(PaintDeviceMetric Metric) const {
    switch (Metric) {
    case PdmWidth:
        return FSize.width();
    case PdmHeight:
        return FSize.height();
    case PdmWidthMM:
        return qRound(FSize.width() * 25.4 / Dpi);
    case PdmHeightMM:
        return qRound(FSize.height() * 25.4 / Dpi);
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return int(Dpi);
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    default:
        return QPaintDevice::metric(Metric);
    }
}
