#pragma once

// Series: non-visual components that join an X and a Y data vector with an X and a Y axis,
// register with the graph of their Y axis, report the extent of their values to the axes for
// auto-ranging, reduce their values to screen points and draw lines, areas and symbols.

#include "axes/qvaxistypes.h"
#include "data/qvvectors.h"
#include "framework/qvclasses.h"
#include "parser/qvparsefkt.h"
#include "series/qvscreenpoints.h"
#include "style/qvdrawing.h"
#include "style/qvstyles.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class IXMLNode;
class QIODevice;
class TCustomIniFile;
class TQvAxis;
class TQvGraph2D;
class TQvSymbolStamps;
class TQvUndoStack;

// The value of point Index that a value transformation maps; the handler replaces Value.
struct TQvTransformEventArgs {
    double Value;
    int Index;
};
// Maps one input value of a series before use.
using TQvValueTransformation = std::function<double(TObject* Sender, TQvTransformEventArgs& e)>;
// v, the input value of point i, through Transform when one is set.
inline double Transformed(const TQvValueTransformation& Transform, const TObject* Sender, int i,
                          double v) {
    if (!Transform) return v;
    TQvTransformEventArgs Args{v, i};
    return Transform(const_cast<TObject*>(Sender), Args);
}

// Per-segment and per-point styles: a handler may replace the pen, brush, symbol, size or
// visibility; what it puts in stays its own.
struct TQvPenEventArgs {
    int Index;
    double X, Y;
    TQvPen* Pen;
    bool Visible;
};
using TQvPenEventHandler = std::function<void(TObject* Sender, TQvPenEventArgs& e)>;

// The brush for the area at point Index, which a handler may replace or hide.
struct TQvBrushEventArgs {
    int Index;
    double X, Y;
    TGPBrush* Brush;
    bool Visible;
};
using TQvBrushEventHandler = std::function<void(TObject* Sender, TQvBrushEventArgs& e)>;

// The symbol drawn at point Index: a handler may change its kind, size, pen and brush, or hide it.
struct PointSymbolEventArgs {
    int Index;
    double X, Y;
    float Size;
    TQvPen* Pen;
    TGPBrush* Brush;
    TQvPointSymbol Symbol;
    bool Visible;
};
using PointSymbolEventHandler = std::function<void(TObject* Sender, PointSymbolEventArgs& e)>;

// The point of a series nearest to a position on screen: its data index, values and pixel.
struct TQvNearestPointResult {
    bool Found = false;
    float Distance = 3.4028235e38f;
    int Index = -1;
    double X = 0;
    double Y = 0;
    TGPPointF ThePoint{0, 0};
};

// The legend sample of a series in a rectangle.
enum class LegendItemStyle {
    Filled,
    HalfHorizontal,
    AscendingDiagonal,
    DescendingDiagonal
};

// Where a series draws its legend sample, and the index of the legend item.
struct TQvLegendItemDrawArgs {
    TGPGraphics* Graphics;
    TRect Rect; // X, Y in Left, Top; width and height
    int Index;
};

// The base of all series: data vectors, axes, styles, screen points, painting and records.
class TQvSeries : public TComponent, public TQvVectorUser, public TQvVariablesContainer {
    Q_OBJECT
    Q_PROPERTY(bool Visible READ GetVisible WRITE SetVisible)
    Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
    Q_PROPERTY(bool IncludeInLegend READ GetIncludeInLegend WRITE SetIncludeInLegend)
    Q_PROPERTY(
        TQvSeries* MergeLegendItemWith READ GetMergeLegendItemWith WRITE SetMergeLegendItemWith)
    // Streamed as the extra property "Layer".
    Q_PROPERTY(int Layer READ GetLayer WRITE SetLayer STORED false)
public:
    explicit TQvSeries(TComponent* AOwner);
    ~TQvSeries() override;

    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    bool GetAutoUpdate() const { return FAutoUpdate; }
    void SetAutoUpdate(bool Value) { FAutoUpdate = Value; }
    bool GetOutliersVisible() const { return FOutliersVisible; }
    void SetOutliersVisible(bool Value);
    // Drawing order in the graph; the graph renumbers the layers densely.
    int GetLayer() const { return FLayer; }
    void SetLayer(int Value);
    // The legend text, a rich caption; the component name until set.
    const QString& GetCaption() const { return FCaption; }
    void SetCaption(const QString& Value);
    bool GetIncludeInLegend() const { return FIncludeInLegend; }
    void SetIncludeInLegend(bool Value);
    // A legend item shared with another series.
    TQvSeries* GetMergeLegendItemWith() const { return FMergeLegendItemWith; }
    void SetMergeLegendItemWith(TQvSeries* Value);
    // The band between this line and another series' line is filled.
    TQvSeries* GetDrawBandTo() const { return FDrawBandTo; }
    void SetDrawBandTo(TQvSeries* Value);
    // Symbols whose X lies outside that series' calculation range use the out-of-range symbol.
    TQvSeries* GetRangeFromFunction() const { return FRangeFromFunction; }
    void SetRangeFromFunction(TQvSeries* Value);
    // The range over which a function series computes; infinite for other series.
    virtual double GetCalculationStart() const;
    virtual double GetCalculationStop() const;

    TQvAxis* GetXAxis() const { return FXAxis; }
    virtual void SetXAxis(TQvAxis* Value);
    TQvAxis* GetYAxis() const { return FYAxis; }
    virtual void SetYAxis(TQvAxis* Value);
    // A missing vector is replaced by the series' own indexer, whose value i is i.
    TQvCustomDoubleVector* GetXData() const { return FXData; }
    void SetXData(TQvCustomDoubleVector* Value);
    TQvCustomDoubleVector* GetYData() const { return FYData; }
    void SetYData(TQvCustomDoubleVector* Value);
    TQvIndexer* GetIndexer() const { return FIndexer; }
    // Every vector the series reads: X and Y, then the further ones of its kind.
    std::vector<TQvCustomDoubleVector*> DataVectors() const;
    TQvGraph2D* GetGraph() const { return FGraph; }
    // Called by a graph as its destruction begins, before the series hears of it.
    void ForgetGraph(const TQvGraph2D* Graph) {
        if (FGraph == Graph) FGraph = nullptr;
    }

    TQvLineSettings* GetLine() const { return FLineSettings.get(); }
    void SetLine(TQvLineSettings* Value) { FLineSettings->Assign(Value); }
    TQvAreaSettings* GetArea() const { return FAreaSettings.get(); }
    void SetArea(TQvAreaSettings* Value) { FAreaSettings->Assign(Value); }
    TQvPointSymbolSettings* GetPointSymbol() const { return FPointSymbolSettings.get(); }
    void SetPointSymbol(TQvPointSymbolSettings* Value) { FPointSymbolSettings->Assign(Value); }
    TQvPointSymbolSettings* GetOutOfRangePointSymbol() const {
        return FOutOfRangeSymbolSettings.get();
    }
    void SetOutOfRangePointSymbol(TQvPointSymbolSettings* Value) {
        FOutOfRangeSymbolSettings->Assign(Value);
    }

    const TQvPenEventHandler& GetOnGetPen() const { return FOnGetPen; }
    void SetOnGetPen(const TQvPenEventHandler& Value);
    const TQvBrushEventHandler& GetOnGetBrush() const { return FOnGetBrush; }
    void SetOnGetBrush(const TQvBrushEventHandler& Value);
    const PointSymbolEventHandler& GetOnGetPointSymbol() const { return FOnGetPointSymbol; }
    void SetOnGetPointSymbol(const PointSymbolEventHandler& Value);

    const TQvValueTransformation& GetXValueTransformation() const { return FXTransformation; }
    void SetXValueTransformation(const TQvValueTransformation& Value);
    const TQvValueTransformation& GetYValueTransformation() const { return FYTransformation; }
    void SetYValueTransformation(const TQvValueTransformation& Value);
    // The transformed value v of point i.
    double TransformX(int i, double v) const;
    // The transformed Y value v of point i.
    double TransformY(int i, double v) const;
    // The values of point i as drawn: its data through the transformations, unless the series
    // draws values of its own.
    virtual double ValueX(int i) const;
    // The Y value of point i as drawn.
    virtual double ValueY(int i) const;

    // A theme's colour for this series, and a lighter one for fills: lines and symbols take
    // them, unless the kind of series has colours that carry meaning.
    virtual void TakeThemeColor(TQvColor Color, TQvColor Light);

    TQvUndoStack* GetUndoStack() const { return FUndoStack; }
    virtual void SetUndoStack(TQvUndoStack* Value);

    // The data extent last reported to the axes; start above stop when there is none.
    double GetXStart() const { return FXStart; }
    double GetXStop() const { return FXStop; }
    double GetYStart() const { return FYStart; }
    double GetYStop() const { return FYStop; }

    // The smaller count of the two vectors, 0 without both.
    virtual int GetCount() const;
    // Point i counts: outliers are shown, or i is an outlier in neither vector.
    virtual bool HasValuesAt(int i) const;
    // Shown, with a line, an area or symbols to show.
    virtual bool SeriesVisible() const;
    // The screen points are stale and must be made anew.
    bool NeedsPoints() const { return FScreen.Stale(); }
    // Room an axis at Position leaves so that symbols at the data area's edge are not cut.
    virtual float ExtraSpaceAt(TQvAxisPosition Position) const;
    // Reloads vectors bound to a data set.
    virtual void CheckDBVectors();
    // Folds new values into the extent and tells the axes when it changed.
    virtual void Calculate();
    // After a style change: pens and brushes are made anew, and a change of SeriesVisible
    // changes the axis ranges.
    virtual void TestVisibleChanged();
    // Registers with the axes and the graph once both axes and a vector are set, else leaves.
    virtual void TestAllAssigned();

    // The vectors an axis maps onto a new range while designing: values, and differences that
    // only scale.
    struct TScaledVectors {
        std::vector<TQvDoubleVector*> Values;
        std::vector<TQvDoubleVector*> Differences;
    };
    virtual void GetScaledVectors(bool Horizontal, TScaledVectors& Vectors) const;

    // ---- Screen points and painting ----
    // The values converted to pixels and reduced to what the screen shows.
    virtual void CalculatePoints();
    // The screen points as last made.
    const TQvScreenPoints& ScreenPoints() const { return FScreen; }
    // The screen points, made anew first when stale or made for other axis ranges.
    const TQvScreenPoints& CurrentScreenPoints();
    // Makes the screen points current, and what the line will be drawn from with them.
    void MakeDrawing();
    // The screen points are stale or were made for other axis ranges.
    bool PointsOwed() const;
    // Plain series of plain values make their points from their own vectors, the axes and the
    // graph, with no events: series that share no vector may make them at the same time.
    bool MakesPointsAlone() const;
    // For the graph's kept image of its series: adds what the series' drawing depends on, its
    // identity and the counters of its points and settings, with the points made current.
    // False when its drawing depends on more (style events, other series, a kind of its own).
    bool AddPaintState(std::vector<std::uintptr_t>& State);
    // What the area fills: each run of the line closed at the area base, or with a band one
    // polygon back along the other series' points.
    std::vector<std::vector<TGPPointF>> AreaPolygons();
    // Lines and areas; symbols come later with DrawSymbols, above everything else.
    virtual void PaintGr(TGPGraphics* Graphics);
    // Draws the line and the area of the series from its screen points.
    virtual void DrawLine(TGPGraphics* Graphics);
    // Draws the point symbols at the screen points.
    virtual void DrawSymbols(TGPGraphics* Graphics);
    // Series drawn in depth (bars) give their depth offsets in pixels once their points are
    // made; the graph then draws a back wall behind the data area. Flat series give none.
    virtual std::optional<TGPPointF> DepthOffsets() const { return std::nullopt; }
    // The graph sorted its series by layer: series whose geometry depends on the others'
    // (bars) start over.
    virtual void LayersSorted() {}
    // The line may be drawn directly on the device, unrounded coordinates and all.
    virtual bool CanDoCanvasDraw() const;
    // A legend sample.
    virtual void DrawListItem(const TQvLegendItemDrawArgs& Args, LegendItemStyle Style);
    // The legend sample in the style that suits the series.
    virtual void DrawListItem(const TQvLegendItemDrawArgs& Args);
    // The height the legend sample needs: the symbol's, else the line's width.
    virtual float LegendSampleHeight() const;

    // ---- Hit testing (nothing while the points are stale) ----
    // The data index of the first screen point within Tolerance pixels, else -1.
    virtual int FindPoint(float X, float Y, float Tolerance) const;
    // With the symbol size as tolerance when symbols show, else 1 pixel.
    virtual int FindPoint(float X, float Y) const;
    // The screen point nearest to P.
    TQvNearestPointResult NearestPoint(const TGPPointF& P) const;
    // The screen point nearest to the pixel column X.
    TQvNearestPointResult NearestX(float X) const;
    // The screen point nearest to the pixel row Y.
    TQvNearestPointResult NearestY(float Y) const;
    // Y at X by linear interpolation between neighbouring points with values.
    virtual double GetY(double X) const;

    // ---- Persistence ----
    virtual void WriteTo(QIODevice* Stream) const;
    // Reads the series' binary record; nothing changes when the record is damaged.
    virtual void ReadFrom(QIODevice* Stream);
    // Adds an element named after the series' class below Node.
    virtual void WriteTo(IXMLNode Node) const;
    // Reads the series' element at or below Node.
    virtual void ReadFrom(const IXMLNode& Node);
    // Writes the series to Section of the INI file.
    virtual void WriteTo(TCustomIniFile* Ini, const QString& Section) const;
    // Reads the series from Section of the INI file.
    virtual void ReadFrom(TCustomIniFile* Ini, const QString& Section);
    // Saves the binary record as a file.
    void WriteTo(const QString& FileName) const;
    // Reads the binary record from a file.
    void ReadFrom(const QString& FileName);
    // The reference of a vector in a store; empty for the own indexer and for data given by
    // the owner.
    QString DataRef(const TQvCustomDoubleVector* Vector) const;
    // The owning series gives this one its data: records neither store nor change them.
    virtual bool DataFromOwner() const { return false; }

    // Components whose captions or formulas use this series' variables.
    void AddObjectToUpdate(TComponent* Object) override;

    // ---- Notifications of the vectors ----
    TKind VectorUserKind() const override { return TKind::Series; }
    // Vector is the series' Y data.
    bool UsesAsYData(const TQvCustomDoubleVector* Vector) const override;
    void SetLastCount(int N) override;
    // The values changed: the screen points are made anew and the graph repaints.
    void PointsModified() override;
    void ValueChanged(const TQvCustomDoubleVector* Vector, int Index) override;
    // The values changed throughout: the extent is found anew and the axes take new ranges.
    void RangesModified() override;
    // Asks the graph for a repaint.
    void Invalidate();

    // Forgets a component that goes: an axis, a vector, the graph, the undo stack, a series.
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DefineProperties(TFiler* Filer) override;

protected:
    friend class TQvGraph2D;

    void SetAxisReference(TQvAxis*& Field, TQvAxis* Value, const char* PropName,
                          const TResourceString& Caption);
    void SetVectorReference(TQvCustomDoubleVector*& Field, TQvCustomDoubleVector* Value,
                            const char* PropName, const TResourceString& Caption);
    // A further vector of a kind of series (deltas, radii, prices), set with
    // SetVectorReference like XData: the series registers with it and hears of its end, and
    // an axis of its orientation that rescales the data while designing maps it as values or,
    // for differences, by the scale alone.
    void AddFurtherVector(TQvCustomDoubleVector*& Field, bool Horizontal, bool Difference);
    // Point i is an outlier in a further vector that holds a value i.
    bool FurtherOutlierAt(int i) const;
    void DetachFromGraph();
    void FillSampleData();
    // Publishes "Name" and "Caption" for formulas and captions.
    void RegisterVariables();
    // The caption after the class, unique among the owner's components.
    void NameCaption();
    // Pixel of the point i, through the transforms and the axes; NaN where an axis cannot
    // show the value.
    TGPPointF ScreenPoint(int i) const;
    TGPPointF ScreenPoint(double X, double Y) const;
    // The pixel of v on Axis; NaN where the axis cannot show v, which makes a gap.
    static float AxisPixel(const TQvAxis* Axis, double v);
    // Line pen and area brush, made anew when the data area changed, since gradients fit it.
    void PrepareStyles();
    // The series' part of the binary record, after class name and reference.
    virtual void WriteToInner(QIODevice* Stream) const;
    virtual void ReadFromInner(QIODevice* Stream);
    // A derived series' own part of each record, written after the series' part. It is read
    // into a closure that applies it once the whole record has been read, so that a damaged
    // record changes nothing.
    using TApplyRecord = std::function<void()>;
    virtual void WriteOwnRecord(QIODevice* Stream) const;
    virtual TApplyRecord ReadOwnRecord(QIODevice* Stream);
    virtual void WriteOwnRecord(IXMLNode Element) const;
    virtual TApplyRecord ReadOwnRecord(const IXMLNode& Element);
    virtual void WriteOwnRecord(TCustomIniFile* Ini, const QString& Section) const;
    virtual TApplyRecord ReadOwnRecord(TCustomIniFile* Ini, const QString& Section);
    // Plain stored values the axes can show as they are: whole columns map in one loop.
    bool PlainValues() const;
    // Maps the n plain values from i on into Points.
    void MapPlainValues(int i, int n, TGPPointF* Points) const;
    // Only symbols that cover what lies under them are drawn at the points, from plain values:
    // of each pixel the topmost symbol alone shows, and the hidden ones need not be kept.
    bool KeepsTopmostOnly() const;
    // The symbols hide what lies under them, all but the antialiased edge.
    bool SymbolsCover() const;
    // The points Start .. Stop with values, mapped, split at gaps and reduced for symbols or
    // a line.
    void ReduceMapped(int Start, int Stop, bool Symbols, const QvPointStages::TAlike& Alike = {});
    // The line through the points Start .. Stop with values, reduced into Out.
    void ReduceLine(int Start, int Stop, QvPointStages::TPointList& Out) const;
    // Where a line's points may lie and still show.
    TGPRectF LineBounds() const;
    // Mapped points with their indices, split at points the axes cannot show and reduced into
    // Out.
    void ReducePoints(QvPointStages::TPointList& Out, std::span<const TGPPointF> Points,
                      std::span<const int> Indices, bool Symbols,
                      const QvPointStages::TAlike& Alike = {}) const;
    // Kinds that draw more at a point than its symbol (error bars) tell which values draw alike
    // with it: only those may merge into one screen point, and every point is then kept as a
    // symbol would be. Empty: the point alone decides.
    virtual QvPointStages::TAlike DrawsAlike() const { return {}; }
    bool CanUseHierarchy(bool Ascending, int Start, int Stop) const;
    void ReduceByColumns(int Start, int Stop);
    float AreaBase(bool Shifted) const;
    bool InFunctionRange(int Index) const;
    void ExcludeSymbols(TGPGraphics* Graphics);
    // More symbols than the data area has pixel columns: most of them lie under later ones.
    bool SymbolsPile(size_t Count) const;
    // Symbols by the thousand: those under later ones are left out.
    void DrawDenseSymbols(TGPGraphics* Graphics);
    // The series is a plain line or point series, drawn by this class alone.
    bool PlainKind() const;
    // A plain kind drawn without events, function range or band: it depends on nothing else.
    bool PlainDrawing() const;
    void DrawOnDevice(TGPGraphics* Graphics);
    // Points reduced per pixel column with a thin solid line: bars and connecting lines.
    bool CanDrawColumns() const;
    void DrawColumns(TGPGraphics* Graphics);
    // The shapes DrawColumns draws: bars, and the lines between columns as pairs of ends;
    // smooth and many, also these lines less the parts the bars ink wholly.
    struct TColumnShapes {
        std::vector<TGPRectF> Bars;
        std::vector<TGPPointF> Links, Uncovered;
        std::uint64_t Generation = 0; // of the screen points they were made from
        bool Smooth = false;
    };
    // Makes the shapes for the current screen points, unless they were made already.
    void MakeColumnShapes(bool Smooth);
    // The point with the smallest Measure; with an X given, points sorted by X are searched
    // outwards from it, as no point farther off in X than the best can be nearer.
    template <class Distance>
    TQvNearestPointResult Nearest(const Distance& Measure, bool InX, bool InY,
                                  std::optional<float> FromX) const;
    // The extent of one coordinate over the usable points: from the vector's statistics when
    // it is not longer than the other vector, else by a scan.
    void ValueRange(bool X, double& Lo, double& Hi) const;
    // The extent to report for an axis: on a logarithmic axis from the smallest positive value.
    virtual void DataRange(bool X, double& Lo, double& Hi) const;
    // The X axis (else the Y axis) scales logarithmically.
    bool LogAxis(bool X) const;

    bool FOutliersVisible = false;
    bool FVisible = true;
    bool FAutoUpdate = true;
    bool FLastVisible = true;
    std::unique_ptr<TQvAreaSettings> FAreaSettings;
    std::unique_ptr<TQvLineSettings> FLineSettings;
    std::unique_ptr<TQvPointSymbolSettings> FPointSymbolSettings;
    TQvAxis* FXAxis = nullptr;
    TQvAxis* FYAxis = nullptr;
    TQvCustomDoubleVector* FXData = nullptr;
    TQvCustomDoubleVector* FYData = nullptr;
    struct TFurtherVector {
        TQvCustomDoubleVector** Field;
        bool Horizontal, Difference;
    };
    std::vector<TFurtherVector> FFurtherVectors;
    TQvValueTransformation FXTransformation, FYTransformation;
    TQvUndoStack* FUndoStack = nullptr;
    double FXStart, FXStop, FYStart, FYStop;
    mutable int FMinCount = 1;
    mutable int FCount = 0;
    int FLastCount = 0;
    int FLayer = 0;
    TQvGraph2D* FGraph = nullptr;
    TQvIndexer* FIndexer;
    QString FCaption;
    bool FIncludeInLegend = true;
    bool FDoPointSettingsStorage = false;
    TQvSeries* FMergeLegendItemWith = nullptr;
    TQvSeries* FDrawBandTo = nullptr;
    TQvSeries* FRangeFromFunction = nullptr;
    std::unique_ptr<TQvPointSymbolSettings> FOutOfRangeSymbolSettings;
    std::unique_ptr<TQvPen> FPen;
    std::unique_ptr<TGPBrush> FBrush;
    // The data area that pen and brush were made for.
    TGPRectF FStyleArea{0, 0, 0, 0};
    std::unique_ptr<TQvPen> FSymbolPen;
    std::unique_ptr<TQvPen> FOutOfRangePen;
    std::unique_ptr<TGPSolidBrush> FSymbolBrush;
    std::unique_ptr<TGPSolidBrush> FOutOfRangeBrush;
    // The stamps of the last dense symbols, kept for the next paint.
    std::unique_ptr<TQvSymbolStamps> FSymbolStamps;
    float FLastSymbolSize;
    bool FLastSymbolsVisible = false;
    QList<TComponent*> FObjectsToUpdate;
    TQvPenEventHandler FOnGetPen;
    TQvBrushEventHandler FOnGetBrush;
    PointSymbolEventHandler FOnGetPointSymbol;
    TQvScreenPoints FScreen;
    // Changes with everything that makes the graph paint the series again.
    std::uint64_t FPaintVersion = 0;
    // The symbols DrawDenseSymbols draws, as picked for one generation of the screen points in
    // one data area: the topmost of each pixel when the symbols cover what lies below, else all
    // (All, and no list).
    struct TTopmost {
        std::vector<size_t> Drawn;
        std::uint64_t Generation = 0;
        TGPRectF Area{0, 0, 0, 0};
        bool All = false;
    } FTopmost;
    // Made with the points where series make theirs side by side, else at the paint; given up
    // when drawn.
    TColumnShapes FColumnShapes;
};

// A series that joins its points with a line and may fill the area below it.
class TQvLineSeries : public TQvSeries {
    Q_OBJECT
    Q_MOC_INCLUDE("axes/qvaxis.h")
    Q_PROPERTY(bool AutoUpdate READ GetAutoUpdate WRITE SetAutoUpdate)
    Q_PROPERTY(bool OutliersVisible READ GetOutliersVisible WRITE SetOutliersVisible)
    Q_PROPERTY(TQvAxis* XAxis READ GetXAxis WRITE SetXAxis)
    Q_PROPERTY(TQvAxis* YAxis READ GetYAxis WRITE SetYAxis)
    Q_PROPERTY(TQvCustomDoubleVector* XData READ GetXData WRITE SetXData)
    Q_PROPERTY(TQvCustomDoubleVector* YData READ GetYData WRITE SetYData)
    Q_PROPERTY(TQvLineSettings* Line READ GetLine WRITE SetLine)
    Q_PROPERTY(TQvAreaSettings* Area READ GetArea WRITE SetArea)
    Q_PROPERTY(TQvSeries* DrawBandTo READ GetDrawBandTo WRITE SetDrawBandTo)
public:
    Q_INVOKABLE explicit TQvLineSeries(TComponent* AOwner);
};

// A line series that also draws a symbol at each point.
class TQvPointSeries : public TQvLineSeries {
    Q_OBJECT
    Q_PROPERTY(TQvPointSymbolSettings* PointSymbol READ GetPointSymbol WRITE SetPointSymbol)
    Q_PROPERTY(TQvSeries* RangeFromFunction READ GetRangeFromFunction WRITE SetRangeFromFunction)
    Q_PROPERTY(TQvPointSymbolSettings* OutOfRangePointSymbol READ GetOutOfRangePointSymbol WRITE
                   SetOutOfRangePointSymbol)
public:
    Q_INVOKABLE explicit TQvPointSeries(TComponent* AOwner);
};
