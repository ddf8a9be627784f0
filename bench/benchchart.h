#pragma once

// A chart as the speed comparisons draw it: a graph with a title, auto-ranged axes and one line
// series, rendered whole into an image.

#include <axes/qvaxis.h>
#include <data/qvvectors.h>
#include <framework/qvforms.h>
#include <graph/qvgraph2d.h>
#include <series/qvseries.h>
#include <style/qvgdi.h>

#include <QImage>

#include <memory>
#include <vector>

class TBenchChart {
public:
    TBenchChart(int Width, int Height, bool Antialiased)
        : FOwner(std::make_unique<TDataModule>(nullptr)),
          FImage(Width, Height, QImage::Format_ARGB32_Premultiplied) {
        FGraph = new TQvGraph2D(FOwner.get());
        FGraph->SetBounds(0, 0, Width, Height);
        FGraph->SetBackColor(0xFFFFFFFF);
        FGraph->SetCaption(QStringLiteral("Noisy signal"));
        FGraph->SetCaptionVisible(true);
        FGraph->SetSmoothingMode(Antialiased ? TQvSmoothingMode::AntiAlias
                                             : TQvSmoothingMode::None);
        FX = NewAxis(TQvAxisPosition::Bottom);
        FY = NewAxis(TQvAxisPosition::Left);
        FGraph->SetPrimaryXAxis(FX);
        FGraph->SetPrimaryYAxis(FY);
        FXData = new TQvDoubleVector(FOwner.get());
        FYData = new TQvDoubleVector(FOwner.get());
        FSeries = new TQvLineSeries(FOwner.get());
        FSeries->SetXData(FXData);
        FSeries->SetYData(FYData);
        FSeries->SetXAxis(FX);
        FSeries->SetYAxis(FY);
        FSeries->GetLine()->SetColor(0xFF1F77B4);
        FSeries->GetLine()->SetWidth(1);
    }

    // Takes the values over without a copy.
    void Load(TQvValueArray X, TQvValueArray Y) {
        FXData->SetValues(std::move(X));
        FYData->SetValues(std::move(Y));
    }
    void Append(double X, double Y) {
        FXData->Add(X);
        FYData->Add(Y);
    }
    void SetXRange(double Lo, double Hi) { FX->ZoomIn(Lo, Hi); }
    void AutoXRange() { FX->ZoomBack(); }
    void Render() {
        FImage.fill(Qt::white);
        TGPGraphics Graphics(&FImage);
        FGraph->PaintGr(&Graphics);
    }

    const QImage& Image() const { return FImage; }
    TQvGraph2D* Graph() const { return FGraph; }
    TQvLineSeries* Series() const { return FSeries; }
    TQvAxis* XAxis() const { return FX; }

private:
    TQvAxis* NewAxis(TQvAxisPosition Position) {
        auto* Axis = new TQvAxis(FOwner.get());
        Axis->SetPosition(Position);
        Axis->SetParent(FGraph);
        return Axis;
    }

    std::unique_ptr<TDataModule> FOwner;
    QImage FImage;
    TQvGraph2D* FGraph;
    TQvAxis *FX, *FY;
    TQvDoubleVector *FXData, *FYData;
    TQvLineSeries* FSeries;
};
