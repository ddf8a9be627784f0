#pragma once

// A chart as the speed comparisons draw it: a graph with a title, auto-ranged axes and one or
// more series (1 px lines, or 5 px filled circles alone), rendered whole into an image.

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
    TBenchChart(int Width, int Height, bool Antialiased,
                const QString& Caption = QStringLiteral("Noisy signal"))
        : FOwner(std::make_unique<TDataModule>(nullptr)),
          FImage(Width, Height, QImage::Format_ARGB32_Premultiplied) {
        FGraph = new TQvGraph2D(FOwner.get());
        FGraph->SetBounds(0, 0, Width, Height);
        FGraph->SetBackColor(0xFFFFFFFF);
        FGraph->SetCaption(Caption);
        FGraph->SetCaptionVisible(true);
        FGraph->SetSmoothingMode(Antialiased ? TQvSmoothingMode::AntiAlias
                                             : TQvSmoothingMode::None);
        FX = NewAxis(TQvAxisPosition::Bottom);
        FY = NewAxis(TQvAxisPosition::Left);
        FGraph->SetPrimaryXAxis(FX);
        FGraph->SetPrimaryYAxis(FY);
        AddSeries(0xFF1F77B4, false);
    }

    // A further series in Color: a 1 px line, or with Markers filled circles 5 px across with
    // a 1 px outline and no line.
    TQvLineSeries* AddSeries(TQvColor Color, bool Markers) {
        TQvLineSeries* Series = Markers ? new TQvPointSeries(FOwner.get())
                                        : new TQvLineSeries(FOwner.get());
        Series->SetXData(new TQvDoubleVector(FOwner.get()));
        Series->SetYData(new TQvDoubleVector(FOwner.get()));
        Series->SetXAxis(FX);
        Series->SetYAxis(FY);
        Series->GetLine()->SetColor(Color);
        Series->GetLine()->SetWidth(1);
        if (Markers) {
            Series->GetLine()->SetVisible(false);
            TQvPointSymbolSettings* Symbol = Series->GetPointSymbol();
            Symbol->SetPointSymbol(TQvPointSymbol::Circle);
            Symbol->SetSize(5);
            Symbol->SetFillColor(Color);
            Symbol->SetBorderColor(Color);
            Symbol->SetBorderLineWidth(1);
        }
        FSeries.push_back(Series);
        return Series;
    }
    // Drops the first series, for charts that want other kinds only.
    void RemoveFirstSeries() {
        delete FSeries.front();
        FSeries.erase(FSeries.begin());
    }

    // Takes the values over without a copy.
    void Load(TQvValueArray X, TQvValueArray Y, int Series = 0) {
        XData(Series)->SetValues(std::move(X));
        YData(Series)->SetValues(std::move(Y));
    }
    // Copies the values, as a program holding them in standard vectors would hand them over.
    void Copy(const std::vector<double>& X, const std::vector<double>& Y, int Series = 0) {
        XData(Series)->SetValues(X);
        YData(Series)->SetValues(Y);
    }
    void Append(double X, double Y) {
        XData(0)->Add(X);
        YData(0)->Add(Y);
    }
    void SetXRange(double Lo, double Hi) { FX->ZoomIn(Lo, Hi); }
    void AutoXRange() { FX->ZoomBack(); }
    // The graph paints its own opaque background over the whole image, as the peers' do.
    void Render() {
        TGPGraphics Graphics(&FImage);
        FGraph->PaintGr(&Graphics);
    }

    const QImage& Image() const { return FImage; }
    TQvGraph2D* Graph() const { return FGraph; }
    TQvLineSeries* Series(int Index = 0) const { return FSeries[size_t(Index)]; }
    TQvAxis* XAxis() const { return FX; }

private:
    TQvDoubleVector* XData(int Series) const {
        return static_cast<TQvDoubleVector*>(FSeries[size_t(Series)]->GetXData());
    }
    TQvDoubleVector* YData(int Series) const {
        return static_cast<TQvDoubleVector*>(FSeries[size_t(Series)]->GetYData());
    }
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
    std::vector<TQvLineSeries*> FSeries;
};
