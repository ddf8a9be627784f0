#pragma once

// A graph with a bottom X axis and a left Y axis, owned by one data module (so that references
// to them resolve, as on a form), as the chart tests build it; Paint runs the graph's update
// cycle on an image.

#include <axes/qvaxis.h>
#include <data/qvvectors.h>
#include <framework/qvforms.h>
#include <graph/qvgraph2d.h>
#include <series/qvseries.h>
#include <style/qvgdi.h>

#include <QImage>

#include <atomic>
#include <initializer_list>
#include <memory>

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

    // Both primary axes fixed to the same range.
    void FixAxes(double Start, double Stop) {
        for (TQvAxis* Axis : {X, Y}) {
            Axis->SetStartEnd(TQvAxisEnd::Fixed);
            Axis->SetStopEnd(TQvAxisEnd::Fixed);
            Axis->SetStart(Start);
            Axis->SetStop(Stop);
        }
    }

    TQvDoubleVector* NewVector(const QString& Name, std::initializer_list<double> Values) {
        auto* Vector = new TQvDoubleVector(Owner.get());
        if (!Name.isEmpty()) Vector->SetName(Name);
        Vector->AddRange(Values);
        return Vector;
    }

    TQvPointSeries* NewSeries(TQvCustomDoubleVector* XData, TQvCustomDoubleVector* YData,
                              TQvAxis* XAxis = nullptr, TQvAxis* YAxis = nullptr) {
        auto* Series = new TQvPointSeries(Owner.get());
        Series->SetXData(XData);
        Series->SetYData(YData);
        Series->SetXAxis(XAxis ? XAxis : X);
        Series->SetYAxis(YAxis ? YAxis : Y);
        return Series;
    }

    // One paint of the chart: ranges, calculation and the axis pass.
    void Paint() { Render(); }
    QImage Render(QImage::Format Format = QImage::Format_ARGB32) {
        QImage Image(Graph->GetWidth(), Graph->GetHeight(), Format);
        Image.fill(Qt::transparent);
        TGPGraphics Graphics(&Image);
        Graph->PaintGr(&Graphics);
        return Image;
    }

    std::unique_ptr<TDataModule> Owner;
    TCountingGraph* Graph;
    TQvAxis* X;
    TQvAxis* Y;
};
