#pragma once

// A graph with a bottom X axis and a left Y axis, owned by one data module (so that references
// to them resolve, as on a form), as the chart tests build it; Paint runs the graph's update
// cycle on an image. TShownChart shows such a chart in a window for mouse and key events.

#include <axes/qvaxis.h>
#include <axes/qvmath.h>
#include <data/qvvectors.h>
#include <framework/qvforms.h>
#include <graph/qvgraph2d.h>
#include <series/qvseries.h>
#include <style/qvgdi.h>
#include <undo/qvundostack.h>

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QWidget>

#include <atomic>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

// The start and the stop of an axis.
using TEnds = std::pair<double, double>;
inline TEnds Ends(const TQvAxis* Axis) {
    return {Axis->GetStart(), Axis->GetStop()};
}

// The graph painted on a transparent image of its size.
inline QImage Painted(TQvGraph2D* Graph, QImage::Format Format = QImage::Format_ARGB32) {
    QImage Image(Graph->GetWidth(), Graph->GetHeight(), Format);
    Image.fill(Qt::transparent);
    TGPGraphics Graphics(&Image);
    Graph->PaintGr(&Graphics);
    return Image;
}

// Counts the repaints the graph asks for.
class TCountingGraph : public TQvGraph2D {
public:
    using TQvGraph2D::TQvGraph2D;
    void Invalidate() override {
        ++Invalidations;
        TQvGraph2D::Invalidate();
    }
    int Invalidations = 0;
};

struct TChart {
    explicit TChart(const QString& Name = QStringLiteral("Graph1"))
        : Owner(std::make_unique<TDataModule>(nullptr)) {
        static std::atomic<int> Count = 0; // charts are built in several threads at once
        Owner->SetName(QStringLiteral("ChartModule%1").arg(++Count));
        Graph = new TCountingGraph(Owner.get());
        Graph->SetName(Name);
        X = NewAxis(TQvAxisPosition::Bottom, Name + "X");
        Y = NewAxis(TQvAxisPosition::Left, Name + "Y");
        Graph->SetPrimaryXAxis(X);
        Graph->SetPrimaryYAxis(Y);
    }

    // An axis on the graph, 400 pixels long, with the range as set (no rounding).
    TQvAxis* NewAxis(TQvAxisPosition Position, const QString& Name) {
        auto* Axis = new TQvAxis(Owner.get());
        Axis->SetName(Name);
        Axis->SetPosition(Position);
        Axis->SetEndRounding(TQvAxisEndRounding::RndNothing);
        Axis->SetParent(Graph);
        if (Axis->GetHorizontal())
            Axis->SetBounds(0, 0, 400, 30);
        else
            Axis->SetBounds(0, 0, 40, 400);
        return Axis;
    }

    // The axis fixed to Start .. Stop.
    static void Fix(TQvAxis* Axis, double Start, double Stop) {
        Axis->SetStartEnd(TQvAxisEnd::Fixed);
        Axis->SetStopEnd(TQvAxisEnd::Fixed);
        Axis->SetStart(Start);
        Axis->SetStop(Stop);
    }
    // Both primary axes fixed to the same range.
    void FixAxes(double Start, double Stop) {
        Fix(X, Start, Stop);
        Fix(Y, Start, Stop);
    }

    TQvDoubleVector* NewVector(const QString& Name, std::initializer_list<double> Values) {
        return NewVector(Name, std::vector<double>(Values));
    }
    TQvDoubleVector* NewVector(const QString& Name, const std::vector<double>& Values) {
        auto* Vector = new TQvDoubleVector(Owner.get());
        if (!Name.isEmpty()) Vector->SetName(Name);
        Vector->AddRange(Values);
        return Vector;
    }

    // A series of class T on the vectors, by default on the primary axes.
    template <class T = TQvPointSeries>
    T* NewSeries(TQvCustomDoubleVector* XData, TQvCustomDoubleVector* YData,
                 TQvAxis* XAxis = nullptr, TQvAxis* YAxis = nullptr) {
        auto* Series = new T(Owner.get());
        Series->SetXData(XData);
        Series->SetYData(YData);
        Series->SetXAxis(XAxis ? XAxis : X);
        Series->SetYAxis(YAxis ? YAxis : Y);
        return Series;
    }

    // A series of class T through the values, on the primary axes.
    template <class T>
    T* NewSeriesOf(const std::vector<double>& Xs, const std::vector<double>& Ys,
                   const QString& Name = {}) {
        T* Series = NewSeries<T>(NewVector("", Xs), NewVector("", Ys));
        if (!Name.isEmpty()) Series->SetName(Name);
        return Series;
    }

    // An undo stack for the graph and everything on it.
    TQvUndoStack* NewUndoStack() {
        auto* Stack = new TQvUndoStack(Owner.get());
        Graph->SetUndoStack(Stack);
        return Stack;
    }

    // A graph coupled to this one by the X axis, with a left Y axis of its own.
    TQvGraph2D* NewCoupledGraph(TQvAxis** LowerY = nullptr) {
        auto* Lower = new TQvGraph2D(Owner.get());
        auto* Axis = new TQvAxis(Owner.get());
        Axis->SetPosition(TQvAxisPosition::Left);
        Axis->SetParent(Lower);
        Lower->SetPrimaryXAxis(X);
        Lower->SetPrimaryYAxis(Axis);
        if (LowerY) *LowerY = Axis;
        return Lower;
    }

    // One paint of the chart: ranges, calculation and the axis pass.
    void Paint() { Render(); }
    QImage Render(QImage::Format Format = QImage::Format_ARGB32) { return Painted(Graph, Format); }

    std::unique_ptr<TDataModule> Owner;
    TCountingGraph* Graph;
    TQvAxis* X;
    TQvAxis* Y;
};

// A chart shown in a 640 x 400 window, both axes fixed to Start .. Stop in Scaling.
struct TShownChart {
    explicit TShownChart(TQvAxisScaling Scaling = TQvAxisScaling::Normal, double Start = 0,
                         double Stop = 100) {
        Chart.X->SetScaling(Scaling);
        Chart.Y->SetScaling(Scaling);
        Chart.FixAxes(Start, Stop);
        Chart.Graph->SetBackColor(0xFFFFFFFF);
        Window = Chart.Graph->Widget();
        Window->resize(640, 400);
        Window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(Window));
    }
    void Show() { Window->repaint(); }
    QImage Shot() const { return Window->grab().toImage(); }
    // The pixel of a value, rounded as markers round their hot spot.
    QPoint Pixel(double X, double Y) const {
        return QPoint(Qvmath::SaturatingRound(Chart.X->NumberToWorld(X)),
                      Qvmath::SaturatingRound(Chart.Y->NumberToWorld(Y)));
    }
    void Press(QPoint At, Qt::KeyboardModifiers Keys = Qt::NoModifier) {
        QTest::mousePress(Window, Qt::LeftButton, Keys, At);
    }
    void Move(QPoint To) { QTest::mouseMove(Window, To); }
    void Release(QPoint At, Qt::KeyboardModifiers Keys = Qt::NoModifier) {
        QTest::mouseRelease(Window, Qt::LeftButton, Keys, At);
    }
    void Drag(QPoint From, QPoint To, Qt::KeyboardModifiers Keys = Qt::NoModifier) {
        Press(From, Keys);
        Move(To);
        Release(To, Keys);
    }

    TChart Chart;
    QWidget* Window;
};
