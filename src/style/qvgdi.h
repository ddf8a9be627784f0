#pragma once

// The drawing surface: GDI+-style objects over QPainter. The conventions of that API are kept
// here and nowhere else: single-precision pixel coordinates whose integers are pixel centres,
// angles in degrees clockwise from the positive x axis, transforms prepended by default,
// hatch patterns fixed to the device pixels, font sizes in points at 96 dots per inch.

#include "style/qvgditypes.h"

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPen>
#include <QPicture>
#include <QString>
#include <QTransform>

#include <memory>
#include <optional>
#include <vector>

class QIODevice;
class QPainter;
class QPaintDevice;
class TGPGraphics;

// ---- Matrices and regions ----

// An affine transform of the plane.
class TGPMatrix {
public:
    TGPMatrix() = default;
    TGPMatrix(float M11, float M12, float M21, float M22, float Dx, float Dy)
        : FTransform(M11, M12, M21, M22, Dx, Dy) {}
    explicit TGPMatrix(const QTransform& Transform) : FTransform(Transform) {}

    // Combines a move with the matrix, before it by default.
    void Translate(float OffsetX, float OffsetY, TGPMatrixOrder Order = TGPMatrixOrder::Prepend);
    // Combines a rotation by Angle degrees clockwise with the matrix.
    void Rotate(float Angle, TGPMatrixOrder Order = TGPMatrixOrder::Prepend);
    // Combines a rotation about Center with the matrix.
    void RotateAt(float Angle, const TGPPointF& Center,
                  TGPMatrixOrder Order = TGPMatrixOrder::Prepend);
    // Combines a scaling with the matrix.
    void Scale(float ScaleX, float ScaleY, TGPMatrixOrder Order = TGPMatrixOrder::Prepend);
    // Combines a shear with the matrix.
    void Shear(float ShearX, float ShearY, TGPMatrixOrder Order = TGPMatrixOrder::Prepend);
    // Combines Matrix with this one.
    void Multiply(const TGPMatrix& Matrix, TGPMatrixOrder Order = TGPMatrixOrder::Prepend);
    // False, leaving the matrix unchanged, when it cannot be inverted.
    bool Invert();
    // Makes the matrix the identity.
    void Reset() { FTransform.reset(); }
    bool IsIdentity() const { return FTransform.isIdentity(); }
    // Point mapped by the matrix.
    TGPPointF TransformPoint(const TGPPointF& Point) const;
    // Maps Count points in place.
    void TransformPoints(TGPPointF* Points, int Count) const;
    // m11, m12, m21, m22, dx, dy
    void GetElements(float Elements[6]) const;
    // The matrix as a Qt transform.
    const QTransform& ToQt() const { return FTransform; }
    bool operator==(const TGPMatrix& Other) const { return FTransform == Other.FTransform; }

private:
    void Combine(const QTransform& Operation, TGPMatrixOrder Order);
    QTransform FTransform;
};

class TGPPen;

// A path of lines, curves and closed shapes, to be filled, stroked or hit-tested.
class TGPGraphicsPath {
public:
    explicit TGPGraphicsPath(TGPFillMode FillMode = TGPFillMode::Alternate);

    TGPFillMode GetFillMode() const;
    void SetFillMode(TGPFillMode FillMode);

    // Lines and arcs join the open figure; closed shapes are figures of their own.
    void AddLine(float X1, float Y1, float X2, float Y2);
    // Adds the polyline through Count points.
    void AddLines(const TGPPointF* Points, int Count);
    // Adds an arc of the ellipse in Rect.
    void AddArc(const TGPRectF& Rect, float StartAngle, float SweepAngle);
    // Adds a cubic Bezier curve from P1 to P4.
    void AddBezier(const TGPPointF& P1, const TGPPointF& P2, const TGPPointF& P3,
                   const TGPPointF& P4);
    // Adds the ellipse in Rect as a closed figure.
    void AddEllipse(const TGPRectF& Rect);
    // Adds a pie slice of the ellipse in Rect as a closed figure.
    void AddPie(const TGPRectF& Rect, float StartAngle, float SweepAngle);
    // Adds a closed polygon.
    void AddPolygon(const TGPPointF* Points, int Count);
    // Adds a closed rectangle.
    void AddRectangle(const TGPRectF& Rect);
    // EmSize is in world units (pixels), not points.
    void AddString(const QString& Text, const QString& Family, TGPFontStyle Style, float EmSize,
                   const TGPPointF& Origin);
    // Adds the figures of Path; Connect joins its first figure to the open one.
    void AddPath(const TGPGraphicsPath& Path, bool Connect);
    // Starts a new figure without closing the current one.
    void StartFigure();
    // Closes the current figure back to its start.
    void CloseFigure();
    // Empties the path.
    void Reset();

    // Maps every point of the path by Matrix.
    void Transform(const TGPMatrix& Matrix);
    // Replaces the path by the outline a stroke with Pen would cover.
    void Widen(const TGPPen& Pen, const TGPMatrix* Matrix = nullptr);
    TGPRectF GetBounds() const;
    bool IsVisible(float X, float Y) const;
    int GetPointCount() const { return int(FPath.elementCount()); }
    // The ellipse when the path is exactly one ellipse (lets gradients stay vector).
    const std::optional<QRectF>& SingleEllipse() const { return FSingleEllipse; }

    // The path as a Qt painter path.
    const QPainterPath& ToQt() const { return FPath; }

private:
    void BeginShape();
    void ContinueAt(const QPointF& Point);

    QPainterPath FPath;
    bool FFigureOpen = false;
    std::optional<QRectF> FSingleEllipse;
};

// A region of the plane; a new region is infinite.
class TGPRegion {
public:
    TGPRegion() = default;
    explicit TGPRegion(const TGPRectF& Rect);
    explicit TGPRegion(const TGPGraphicsPath& Path);

    // Makes the region cover the whole plane.
    void MakeInfinite();
    // Makes the region empty.
    void MakeEmpty();
    // Keeps what lies in Region too.
    void Intersect(const TGPRegion& Region);
    // Adds Region.
    void Union(const TGPRegion& Region);
    // Keeps what lies in exactly one of the two.
    void Xor(const TGPRegion& Region);
    // Takes Region away.
    void Exclude(const TGPRegion& Region);
    // The part of Region outside this region.
    void Complement(const TGPRegion& Region);
    // Combines Region with this one as Mode says.
    void Combine(const TGPRegion& Region, TGPCombineMode Mode);
    // Maps the region by Matrix.
    void Transform(const TGPMatrix& Matrix);
    // Moves the region by (Dx, Dy).
    void Translate(float Dx, float Dy);

    bool IsInfinite() const { return !FPath.has_value(); }
    bool IsEmpty() const;
    bool IsVisible(float X, float Y) const;
    // Of an infinite region: the largest rectangle the surface can address.
    TGPRectF GetBounds() const;
    // The area of a finite region; an infinite region has none.
    const std::optional<QPainterPath>& ToQt() const { return FPath; }
    // The region of a Qt painter path; infinite without one.
    static TGPRegion FromQt(const std::optional<QPainterPath>& Path);

private:
    std::optional<QPainterPath> FPath;
};

// ---- Pens and brushes ----

// What fills an area: one colour, a hatch, a gradient or a picture.
class TGPBrush {
public:
    virtual ~TGPBrush() = default;
    // A copy of the brush.
    virtual std::unique_ptr<TGPBrush> Clone() const = 0;
    // The brush for a painter whose world transform is World.
    virtual QBrush ToQt(const QTransform& World) const = 0;
};

// A brush that fills with one colour.
class TGPSolidBrush : public TGPBrush {
public:
    explicit TGPSolidBrush(TQvColor Color) : FColor(Color) {}
    TQvColor GetColor() const { return FColor; }
    void SetColor(TQvColor Color) { FColor = Color; }
    std::unique_ptr<TGPBrush> Clone() const override;
    QBrush ToQt(const QTransform& World) const override;

private:
    TQvColor FColor;
};

// A brush that fills with an 8 x 8 hatch pattern in a fore and a back colour.
class TGPHatchBrush : public TGPBrush {
public:
    // Style is one of the hatch styles, not Total.
    TGPHatchBrush(TQvAreaStyle Style, TQvColor ForeColor, TQvColor BackColor = 0xFF000000);
    TQvAreaStyle GetHatchStyle() const { return FStyle; }
    TQvColor GetForegroundColor() const { return FForeColor; }
    TQvColor GetBackgroundColor() const { return FBackColor; }
    std::unique_ptr<TGPBrush> Clone() const override;
    // The pattern stays fixed to the device pixels whatever the transform.
    QBrush ToQt(const QTransform& World) const override;
    // Row y of the 8 x 8 pattern; bit x set means pixel x has the fore colour.
    static std::uint8_t PatternRow(TQvAreaStyle Style, int Y);

private:
    TQvAreaStyle FStyle;
    TQvColor FForeColor;
    TQvColor FBackColor;
};

// Colours at positions from 0 to 1 along a gradient.
struct TGPColorBlend {
    std::vector<TQvColor> Colors;
    std::vector<float> Positions;
};

// A brush whose colour changes along a line, between two colours or through a colour blend.
class TGPLinearGradientBrush : public TGPBrush {
public:
    // The colour lines at 0 and 1 pass through the corners of Rect, the gradient running at
    // Angle degrees.
    TGPLinearGradientBrush(const TGPRectF& Rect, TQvColor Color1, TQvColor Color2, float Angle,
                           bool IsAngleScalable = false);
    TGPLinearGradientBrush(const TGPPointF& Point1, const TGPPointF& Point2, TQvColor Color1,
                           TQvColor Color2);

    void SetInterpolationColors(const TQvColor* Colors, const float* Positions, int Count);
    const TGPColorBlend& GetInterpolationColors() const { return FBlend; }
    TGPRectF GetRectangle() const { return FRect; }
    void SetWrapMode(TGPWrapMode Mode) { FWrapMode = Mode; }
    TGPWrapMode GetWrapMode() const { return FWrapMode; }
    void SetTransform(const TGPMatrix& Matrix) { FTransform = Matrix; }
    const TGPMatrix& GetTransform() const { return FTransform; }
    // Combines Matrix with the brush transform.
    void MultiplyTransform(const TGPMatrix& Matrix, TGPMatrixOrder Order = TGPMatrixOrder::Prepend);
    // Combines a move with the brush transform.
    void TranslateTransform(float Dx, float Dy, TGPMatrixOrder Order = TGPMatrixOrder::Prepend);
    // Combines a rotation with the brush transform.
    void RotateTransform(float Angle, TGPMatrixOrder Order = TGPMatrixOrder::Prepend);
    // Combines a scaling with the brush transform.
    void ScaleTransform(float Sx, float Sy, TGPMatrixOrder Order = TGPMatrixOrder::Prepend);
    // The point where the gradient starts.
    TGPPointF StartPoint() const { return FStart; }
    // The point where the gradient ends.
    TGPPointF EndPoint() const { return FEnd; }

    std::unique_ptr<TGPBrush> Clone() const override;
    QBrush ToQt(const QTransform& World) const override;

private:
    TGPRectF FRect;
    TGPPointF FStart, FEnd;
    TGPColorBlend FBlend;
    TGPWrapMode FWrapMode = TGPWrapMode::Tile;
    TGPMatrix FTransform;
};

// Colours blend from the boundary of a shape towards a centre point.
class TGPPathGradientBrush : public TGPBrush {
public:
    TGPPathGradientBrush(const TGPPointF* Points, int Count);
    explicit TGPPathGradientBrush(const TGPGraphicsPath& Path);

    void SetCenterColor(TQvColor Color) { FCenterColor = Color; }
    TQvColor GetCenterColor() const { return FCenterColor; }
    void SetCenterPoint(const TGPPointF& Point) { FCenterPoint = Point; }
    TGPPointF GetCenterPoint() const { return FCenterPoint; }
    // One colour per boundary point; missing ones repeat the last.
    void SetSurroundColors(const TQvColor* Colors, int Count);
    const std::vector<TQvColor>& GetSurroundColors() const { return FSurroundColors; }
    // Position 0 is the boundary, 1 the centre point; replaces centre and surround colours.
    void SetInterpolationColors(const TQvColor* Colors, const float* Positions, int Count);
    void SetTransform(const TGPMatrix& Matrix) { FTransform = Matrix; }
    const TGPMatrix& GetTransform() const { return FTransform; }
    // Combines Matrix with the brush transform.
    void MultiplyTransform(const TGPMatrix& Matrix, TGPMatrixOrder Order = TGPMatrixOrder::Prepend);
    TGPRectF GetRectangle() const;

    std::unique_ptr<TGPBrush> Clone() const override;
    // An ellipse with one surround colour stays a vector gradient; other shapes are rendered
    // into an image at the device resolution.
    QBrush ToQt(const QTransform& World) const override;
    // The colour at a point of the shape (world coordinates before the brush transform).
    std::optional<TQvColor> ColorAt(const QPointF& Point) const;

private:
    QBrush EllipseGradient() const;
    QBrush RasterGradient(const QTransform& World) const;
    TQvColor BlendColor(TQvColor Boundary, float Towards) const;

    std::vector<QPointF> FPoints; // boundary polygon
    std::optional<QRectF> FEllipse;
    TGPPointF FCenterPoint;
    TQvColor FCenterColor = 0xFFFFFFFF;
    std::vector<TQvColor> FSurroundColors{0xFFFFFFFF};
    TGPColorBlend FBlend;
    TGPMatrix FTransform;
};

// A shape drawn at the end of a line, in units of the pen width: the origin is the line end
// and negative Y points back along the line.
class TGPCustomLineCap {
public:
    TGPCustomLineCap(const TGPGraphicsPath* FillPath, const TGPGraphicsPath* StrokePath,
                     TGPLineCap BaseCap = TGPLineCap::Flat, float BaseInset = 0);
    void SetBaseInset(float Inset) { FBaseInset = Inset; }
    float GetBaseInset() const { return FBaseInset; }
    TGPLineCap GetBaseCap() const { return FBaseCap; }
    // The shape filled at the line end, if any.
    const std::optional<TGPGraphicsPath>& FillPath() const { return FFillPath; }
    // The shape stroked at the line end, if any.
    const std::optional<TGPGraphicsPath>& StrokePath() const { return FStrokePath; }

private:
    std::optional<TGPGraphicsPath> FFillPath;
    std::optional<TGPGraphicsPath> FStrokePath;
    TGPLineCap FBaseCap;
    float FBaseInset;
};

// A pen that strokes lines: colour or brush, width, dashes, caps and joins.
class TGPPen {
public:
    explicit TGPPen(TQvColor Color, float Width = 1);
    explicit TGPPen(const TGPBrush& Brush, float Width = 1);
    TGPPen(const TGPPen& Other);
    TGPPen& operator=(const TGPPen& Other);
    ~TGPPen();

    float GetWidth() const { return FWidth; }
    void SetWidth(float Width) { FWidth = Width; }
    // The colour of a pen made from a colour; black for a brush pen.
    TQvColor GetColor() const { return FColor; }
    void SetColor(TQvColor Color);
    void SetBrush(const TGPBrush& Brush);
    const TGPBrush* GetBrush() const { return FBrush.get(); }
    TGPDashStyle GetDashStyle() const { return FDashStyle; }
    void SetDashStyle(TGPDashStyle Style) { FDashStyle = Style; }
    // Dash and gap lengths in units of the pen width; sets the custom dash style.
    void SetDashPattern(const float* Pattern, int Count);
    TGPLineCap GetStartCap() const { return FStartCap; }
    TGPLineCap GetEndCap() const { return FEndCap; }
    void SetStartCap(TGPLineCap Cap) { FStartCap = Cap; }
    void SetEndCap(TGPLineCap Cap) { FEndCap = Cap; }
    void SetLineCap(TGPLineCap StartCap, TGPLineCap EndCap);
    void SetCustomStartCap(const TGPCustomLineCap& Cap);
    void SetCustomEndCap(const TGPCustomLineCap& Cap);
    const TGPCustomLineCap* GetCustomStartCap() const { return FCustomStartCap.get(); }
    const TGPCustomLineCap* GetCustomEndCap() const { return FCustomEndCap.get(); }
    TGPLineJoin GetLineJoin() const { return FLineJoin; }
    void SetLineJoin(TGPLineJoin Join) { FLineJoin = Join; }
    float GetMiterLimit() const { return FMiterLimit; }
    void SetMiterLimit(float Limit) { FMiterLimit = Limit; }

    // The pen for a painter whose world transform is World (custom caps are drawn apart).
    QPen ToQt(const QTransform& World) const;

private:
    TQvColor FColor = 0xFF000000;
    std::unique_ptr<TGPBrush> FBrush;
    float FWidth;
    TGPDashStyle FDashStyle = TGPDashStyle::Solid;
    std::vector<float> FDashPattern;
    TGPLineCap FStartCap = TGPLineCap::Flat;
    TGPLineCap FEndCap = TGPLineCap::Flat;
    std::unique_ptr<TGPCustomLineCap> FCustomStartCap;
    std::unique_ptr<TGPCustomLineCap> FCustomEndCap;
    TGPLineJoin FLineJoin = TGPLineJoin::Miter;
    float FMiterLimit = 10;
};

// ---- Text ----

// A font family by name.
class TGPFontFamily {
public:
    explicit TGPFontFamily(const QString& Name) : FName(Name) {}
    const QString& GetFamilyName() const { return FName; }
    // Installed, or provided by a metric-compatible substitute (Arial by Liberation Sans).
    bool IsAvailable() const;
    // The names of the installed font families.
    static QStringList InstalledFamilies();

private:
    QString FName;
};

// A font by family, size in points and style.
class TGPFont {
public:
    // EmSize in points.
    TGPFont(const QString& Family, float EmSize, TGPFontStyle Style = {});
    const QString& GetFamily() const { return FFamily; }
    float GetSize() const { return FSize; }
    TGPFontStyle GetStyle() const { return FStyle; }
    bool IsAvailable() const { return TGPFontFamily(FFamily).IsAvailable(); }
    // Line spacing in pixels on the surface.
    float GetHeight(const TGPGraphics& Graphics) const;
    // The font for a device of DpiY dots per inch, sized as on a 96 dpi surface.
    QFont ToQt(float DpiY) const;

private:
    QString FFamily;
    float FSize;
    TGPFontStyle FStyle;
};

// How text is laid out in a rectangle: alignment, line alignment, trimming and flags.
class TGPStringFormat {
public:
    explicit TGPStringFormat(TGPStringFormatFlags Flags = {}) : FFlags(Flags) {}
    // Adds a sixth of the font size on both sides of the text and trims at characters.
    static TGPStringFormat GenericDefault();
    // Measures the text itself, without padding.
    static TGPStringFormat GenericTypographic();

    TGPStringFormatFlags GetFormatFlags() const { return FFlags; }
    void SetFormatFlags(TGPStringFormatFlags Flags) { FFlags = Flags; }
    TGPStringAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TGPStringAlignment Alignment) { FAlignment = Alignment; }
    TGPStringAlignment GetLineAlignment() const { return FLineAlignment; }
    void SetLineAlignment(TGPStringAlignment Alignment) { FLineAlignment = Alignment; }
    TGPStringTrimming GetTrimming() const { return FTrimming; }
    void SetTrimming(TGPStringTrimming Trimming) { FTrimming = Trimming; }
    bool IsTypographic() const { return FTypographic; }

private:
    TGPStringFormatFlags FFlags;
    TGPStringAlignment FAlignment = TGPStringAlignment::Near;
    TGPStringAlignment FLineAlignment = TGPStringAlignment::Near;
    TGPStringTrimming FTrimming = TGPStringTrimming::Character;
    bool FTypographic = false;
};

// ---- Images ----

// A picture a surface draws on or draws: a bitmap or a metafile.
class TGPImage {
public:
    virtual ~TGPImage() = default;
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;

protected:
    friend class TGPGraphics;
    virtual QPaintDevice* PaintDevice() = 0;
    virtual void DrawTo(QPainter& Painter, const QRectF& Dest) const = 0;
};

// An image of pixels that can be drawn on, read from a file and saved.
class TGPBitmap : public TGPImage {
public:
    TGPBitmap(int Width, int Height, TGPPixelFormat Format = TGPPixelFormat::Format32bppARGB);
    explicit TGPBitmap(const QImage& Image);
    // Raises EFOpenError for a file that cannot be read as an image.
    static std::unique_ptr<TGPBitmap> FromFile(const QString& FileName);

    int GetWidth() const override { return FImage.width(); }
    int GetHeight() const override { return FImage.height(); }
    TGPPixelFormat GetPixelFormat() const { return FFormat; }
    TQvColor GetPixel(int X, int Y) const;
    void SetPixel(int X, int Y, TQvColor Color);
    // The pixels.
    const QImage& Image() const { return FImage; }
    QImage& Image() { return FImage; }

    // MimeType: "image/png", "image/jpeg", "image/bmp", "image/tiff" or "image/gif"; Quality
    // 0 to 100 for JPEG, -1 for the default. Raises EConvertError for other types and
    // EFCreateError or EWriteError when writing fails.
    void Save(const QString& FileName, const QString& MimeType, int Quality = -1) const;
    // Writes the image to Stream in the format of MimeType.
    void Save(QIODevice* Stream, const QString& MimeType, int Quality = -1) const;
    // The MIME types Save can write.
    static QStringList EncoderMimeTypes();

protected:
    QPaintDevice* PaintDevice() override { return &FImage; }
    void DrawTo(QPainter& Painter, const QRectF& Dest) const override;

private:
    QImage FImage;
    TGPPixelFormat FFormat;
};

// A recorded vector picture that can be replayed into any surface and saved as SVG.
class TGPMetafile : public TGPImage {
public:
    TGPMetafile(int Width, int Height);

    int GetWidth() const override { return FWidth; }
    int GetHeight() const override { return FHeight; }
    // The picture as an SVG document.
    QByteArray ToSvg(const QString& Title = QString()) const;
    // Raises EFCreateError when the file cannot be written.
    void SaveAsSvg(const QString& FileName) const;
    // The recorded picture.
    const QPicture& Picture() const { return FPicture; }

protected:
    QPaintDevice* PaintDevice() override { return &FPicture; }
    void DrawTo(QPainter& Painter, const QRectF& Dest) const override;

private:
    QPicture FPicture;
    int FWidth;
    int FHeight;
};

// ---- The surface ----

// One surface per paint. Created on a painter (a widget paint or a printer page; not owned),
// on any paint device (an SVG generator, a PDF writer, an image; the painter is its own), or on
// a bitmap or metafile.
class TGPGraphics {
public:
    explicit TGPGraphics(QPainter* Painter);
    explicit TGPGraphics(QPaintDevice* Device);
    explicit TGPGraphics(TGPImage* Image);
    ~TGPGraphics();
    TGPGraphics(const TGPGraphics&) = delete;
    TGPGraphics& operator=(const TGPGraphics&) = delete;

    // The painter in the surface's device coordinates, for framework drawing; ReleaseHDC
    // returns to the surface's own state.
    QPainter* GetHDC();
    // Returns from GetHDC to the surface's own state.
    void ReleaseHDC(QPainter* Painter);
    float GetDpiY() const { return FDpiY; }
    // The surface ends in pixels (an image, a window); SVG, PDF, printers and metafiles keep
    // vectors, and want shapes rather than pixel tricks.
    bool IsRaster() const;

    // Fills the whole surface with Color.
    void Clear(TQvColor Color);
    TGPSmoothingMode GetSmoothingMode() const { return FSmoothingMode; }
    void SetSmoothingMode(TGPSmoothingMode Mode);
    TGPTextRenderingHint GetTextRenderingHint() const { return FTextRenderingHint; }
    void SetTextRenderingHint(TGPTextRenderingHint Hint) { FTextRenderingHint = Hint; }

    const TGPMatrix& GetTransform() const { return FTransform; }
    void SetTransform(const TGPMatrix& Matrix);
    // Makes the world transform the identity.
    void ResetTransform() { SetTransform(TGPMatrix()); }
    // Combines a move with the world transform.
    void TranslateTransform(float Dx, float Dy, TGPMatrixOrder Order = TGPMatrixOrder::Prepend);
    // Combines a rotation with the world transform.
    void RotateTransform(float Angle, TGPMatrixOrder Order = TGPMatrixOrder::Prepend);
    // Combines a scaling with the world transform.
    void ScaleTransform(float Sx, float Sy, TGPMatrixOrder Order = TGPMatrixOrder::Prepend);
    // Combines Matrix with the world transform.
    void MultiplyTransform(const TGPMatrix& Matrix, TGPMatrixOrder Order = TGPMatrixOrder::Prepend);

    // Clip shapes are taken in the current world coordinates and kept where they fall on the
    // device, so later transforms do not move them.
    void SetClip(const TGPRectF& Rect, TGPCombineMode Mode = TGPCombineMode::Replace);
    void SetClip(const TGPGraphicsPath& Path, TGPCombineMode Mode = TGPCombineMode::Replace);
    void SetClip(const TGPRegion& Region, TGPCombineMode Mode = TGPCombineMode::Replace);
    // Narrows the clip to Rect.
    void IntersectClip(const TGPRectF& Rect) { SetClip(Rect, TGPCombineMode::Intersect); }
    // Takes Rect (or Region) out of the clip.
    void ExcludeClip(const TGPRectF& Rect) { SetClip(Rect, TGPCombineMode::Exclude); }
    void ExcludeClip(const TGPRegion& Region) { SetClip(Region, TGPCombineMode::Exclude); }
    // Removes the clip.
    void ResetClip();
    // The clip in world coordinates; infinite when none is set.
    TGPRegion GetClip() const;
    TGPRectF GetClipBounds() const;

    // Draws a line from the first point to the second.
    void DrawLine(const TGPPen& Pen, float X1, float Y1, float X2, float Y2);
    void DrawLine(const TGPPen& Pen, const TGPPointF& P1, const TGPPointF& P2);
    // Draws the polyline through Count points.
    void DrawLines(const TGPPen& Pen, const TGPPointF* Points, int Count);
    // Draws the segments of point 0 to 1, 2 to 3, ... of Count points: on a raster, the lines
    // of DrawLine in one call.
    void DrawSegments(const TGPPen& Pen, const TGPPointF* Points, int Count);
    // Long thin lines, in the smoothing mode, written straight into the pixels of a plain
    // image: the Count - 1 segments of a polyline, or with Pairs the segments of point 0 to 1,
    // 2 to 3 and so on. The pen must be opaque, solid and at most a pixel wide, the transform a move and
    // the clip a rectangle; false, with nothing drawn, where that does not hold.
    bool DrawThinLinesDirectly(const TGPPen& Pen, const TGPPointF* Points, int Count, bool Pairs);
    // Draws the outline of a rectangle.
    void DrawRectangle(const TGPPen& Pen, const TGPRectF& Rect);
    void DrawRectangle(const TGPPen& Pen, float X, float Y, float Width, float Height);
    // Draws the outline of the ellipse in a rectangle.
    void DrawEllipse(const TGPPen& Pen, const TGPRectF& Rect);
    void DrawEllipse(const TGPPen& Pen, float X, float Y, float Width, float Height);
    // Draws an arc of the ellipse in Rect, angles in degrees clockwise.
    void DrawArc(const TGPPen& Pen, const TGPRectF& Rect, float StartAngle, float SweepAngle);
    // Draws the outline of a pie slice of the ellipse in Rect.
    void DrawPie(const TGPPen& Pen, const TGPRectF& Rect, float StartAngle, float SweepAngle);
    // Draws the outline of a closed polygon.
    void DrawPolygon(const TGPPen& Pen, const TGPPointF* Points, int Count);
    // Strokes a path.
    void DrawPath(const TGPPen& Pen, const TGPGraphicsPath& Path);

    // Fills a rectangle.
    void FillRectangle(const TGPBrush& Brush, const TGPRectF& Rect);
    void FillRectangle(const TGPBrush& Brush, float X, float Y, float Width, float Height);
    // Fills Count rectangles.
    void FillRectangles(const TGPBrush& Brush, const TGPRectF* Rects, int Count);
    // Fills the ellipse in a rectangle.
    void FillEllipse(const TGPBrush& Brush, const TGPRectF& Rect);
    void FillEllipse(const TGPBrush& Brush, float X, float Y, float Width, float Height);
    // Fills a pie slice of the ellipse in Rect.
    void FillPie(const TGPBrush& Brush, const TGPRectF& Rect, float StartAngle, float SweepAngle);
    // Fills a polygon by FillMode.
    void FillPolygon(const TGPBrush& Brush, const TGPPointF* Points, int Count,
                     TGPFillMode FillMode = TGPFillMode::Alternate);
    // Fills a path.
    void FillPath(const TGPBrush& Brush, const TGPGraphicsPath& Path);
    // Fills a region.
    void FillRegion(const TGPBrush& Brush, const TGPRegion& Region);

    // Text in a layout rectangle (wrapped unless the format says NoWrap) or from an origin.
    void DrawString(const QString& Text, const TGPFont& Font, const TGPRectF& LayoutRect,
                    const TGPStringFormat& Format, const TGPBrush& Brush);
    void DrawString(const QString& Text, const TGPFont& Font, const TGPPointF& Origin,
                    const TGPStringFormat& Format, const TGPBrush& Brush);
    // The box the text takes when drawn in a layout rectangle or from an origin.
    TGPRectF MeasureString(const QString& Text, const TGPFont& Font, const TGPRectF& LayoutRect,
                           const TGPStringFormat& Format) const;
    TGPRectF MeasureString(const QString& Text, const TGPFont& Font, const TGPPointF& Origin,
                           const TGPStringFormat& Format) const;

    // Draws an image at its size with its top left at (X, Y), or scaled into Dest.
    void DrawImage(TGPImage& Image, float X, float Y);
    void DrawImage(TGPImage& Image, const TGPRectF& Dest);

private:
    void Begin(QPainter* Painter);
    // Where the drawing API's coordinates land in Qt's device coordinates.
    QTransform DeviceMapping() const;
    // The painter's world transform: the same, except for aliased geometry.
    QTransform World() const;
    QBrush QtBrush(const TGPBrush& Brush) const;
    QPen QtPen(const TGPPen& Pen) const;
    void ApplyTransform();
    void CombineClip(const QPainterPath& DeviceShape, TGPCombineMode Mode);
    void ApplyClip();
    QPainterPath DeviceBounds() const;
    void Stroke(const QPainterPath& Path, const TGPPen& Pen);
    void StrokeWithCaps(const QPainterPath& Path, const TGPPen& Pen);
    void Fill(const QPainterPath& Path, const TGPBrush& Brush);
    bool FillBackgroundDirectly(const TGPBrush& Brush, const TGPRectF& Rect);
    bool FillCellsDirectly(const QList<QRect>& Cells, const QRect& Clip, const QColor& Color);
    // From this many pixels on, one cell is filled by both cores, a block of rows each.
    static constexpr qsizetype ShareAreaFrom = qsizetype(1) << 16;
    QRectF TextRect(const QFont& Font, const QRectF& Layout, const TGPStringFormat& Format,
                    int& Flags) const;

    std::unique_ptr<QPainter> FOwnPainter;
    QPainter* FPainter = nullptr;
    QTransform FBase;                      // the painter's transform when the surface began
    std::optional<QPainterPath> FBaseClip; // the painter's clip then, in device coordinates
    std::optional<QPainterPath> FClip;     // the surface's own clip, in device coordinates
    TGPMatrix FTransform;
    TGPSmoothingMode FSmoothingMode = TGPSmoothingMode::Default;
    TGPTextRenderingHint FTextRenderingHint = TGPTextRenderingHint::SystemDefault;
    float FDpiY = 96;
    QRectF FDeviceRect;
};

// ---- Writing pixels directly ----

// The clip of Painter as one rectangle of whole device pixels (the device when there is none);
// nothing for any other clip, at whose edges Qt weighs the pixels it cuts.
std::optional<QRect> WholePixelClip(const QPainter* Painter);
// The image Painter draws on when its pixels may be written directly: a plain 32-bit image,
// blended into at full opacity; nullptr otherwise.
QImage* DirectImage(QPainter* Painter);
// One-pixel lines of the opaque Color straight into the image Painter draws on, in its world
// coordinates and smoothing, as TGPGraphics::DrawThinLinesDirectly draws them; false, with
// nothing drawn, where the image, the transform or the clip do not allow it.
bool DrawThinLinesDirectly(QPainter* Painter, TQvColor Color, const TGPPointF* Points, int Count,
                           bool Pairs);
