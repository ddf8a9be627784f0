#pragma once

// Series: non-visual components that join an X and a Y data vector with an X and a Y axis,
// register with the graph of their Y axis and report the extent of their values to the axes
// for auto-ranging.

#include "axes/qvaxistypes.h"
#include "data/qvvectors.h"
#include "framework/qvclasses.h"
#include "style/qvstyles.h"

#include <functional>
#include <memory>
#include <vector>

class TQvAxis;
class TQvGraph2D;
class TQvUndoStack;

struct TQvTransformEventArgs {
    double Value;
    int Index;
};
// Maps one input value of a series before use.
using TQvValueTransformation = std::function<double(TObject* Sender, TQvTransformEventArgs& e)>;

class TQvSeries : public TComponent, public TQvVectorUser {
    Q_OBJECT
    Q_PROPERTY(bool Visible READ GetVisible WRITE SetVisible)
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
    TQvGraph2D* GetGraph() const { return FGraph; }

    TQvLineSettings* GetLine() const { return FLineSettings.get(); }
    void SetLine(TQvLineSettings* Value) { FLineSettings->Assign(Value); }
    TQvAreaSettings* GetArea() const { return FAreaSettings.get(); }
    void SetArea(TQvAreaSettings* Value) { FAreaSettings->Assign(Value); }
    TQvPointSymbolSettings* GetPointSymbol() const { return FPointSymbolSettings.get(); }
    void SetPointSymbol(TQvPointSymbolSettings* Value) { FPointSymbolSettings->Assign(Value); }

    const TQvValueTransformation& GetXValueTransformation() const { return FXTransformation; }
    void SetXValueTransformation(const TQvValueTransformation& Value);
    const TQvValueTransformation& GetYValueTransformation() const { return FYTransformation; }
    void SetYValueTransformation(const TQvValueTransformation& Value);
    // The transformed value v of point i.
    double TransformX(int i, double v) const;
    double TransformY(int i, double v) const;

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
    bool NeedsPoints() const { return FRecalculatePoints; }
    // Room an axis at Position leaves so that symbols at the data area's edge are not cut.
    virtual float ExtraSpaceAt(TQvAxisPosition Position) const;
    // Reloads vectors bound to a data set.
    virtual void CheckDBVectors();
    // Folds new values into the extent and tells the axes when it changed.
    virtual void Calculate();
    // After a style change: a change of SeriesVisible changes the axis ranges.
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

    // ---- Notifications of the vectors ----
    TKind VectorUserKind() const override { return TKind::Series; }
    bool UsesAsYData(const TQvCustomDoubleVector* Vector) const override;
    void SetLastCount(int N) override;
    void PointsModified() override;
    void RangesModified() override;
    // Asks the graph for a repaint.
    void Invalidate();

    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DefineProperties(TFiler* Filer) override;

protected:
    friend class TQvGraph2D;

    void SetAxisReference(TQvAxis*& Field, TQvAxis* Value, const char* PropName,
                          const TResourceString& Caption);
    void SetVectorReference(TQvCustomDoubleVector*& Field, TQvCustomDoubleVector* Value,
                            const char* PropName, const TResourceString& Caption);
    void DetachFromGraph();
    void FillSampleData();
    // The extent of one coordinate over the usable points: from the vector's statistics when
    // it is not longer than the other vector, else by a scan.
    void ValueRange(bool X, double& Lo, double& Hi) const;

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
    TQvValueTransformation FXTransformation, FYTransformation;
    TQvUndoStack* FUndoStack = nullptr;
    double FXStart, FXStop, FYStart, FYStop;
    mutable int FMinCount = 1;
    mutable int FCount = 0;
    int FLastCount = 0;
    int FLastPointsCount = 0;
    int FLayer = 0;
    TQvGraph2D* FGraph = nullptr;
    bool FRecalculatePoints = false;
    TQvIndexer* FIndexer;
};

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
public:
    Q_INVOKABLE explicit TQvLineSeries(TComponent* AOwner) : TQvSeries(AOwner) {}
};

class TQvPointSeries : public TQvLineSeries {
    Q_OBJECT
    Q_PROPERTY(TQvPointSymbolSettings* PointSymbol READ GetPointSymbol WRITE SetPointSymbol)
public:
    Q_INVOKABLE explicit TQvPointSeries(TComponent* AOwner);
};
