// The shortest way to a chart: a graph, two axes, a vector of values and a line series,
// written to chart.png and chart.svg in the working folder.

#include <qvplot2d.h>

#include <QApplication>

#include <cmath>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);

    TDataModule Module(nullptr);
    auto* Graph = new TQvGraph2D(&Module);
    Graph->SetBounds(0, 0, 640, 400);
    Graph->SetCaption("Damped oscillation");
    Graph->SetCaptionVisible(true);
    auto* X = new TQvAxis(&Module);
    X->SetPosition(TQvAxisPosition::Bottom);
    X->SetParent(Graph);
    auto* Y = new TQvAxis(&Module);
    Y->SetPosition(TQvAxisPosition::Left);
    Y->SetParent(Graph);
    Graph->SetPrimaryXAxis(X);
    Graph->SetPrimaryYAxis(Y);
    Graph->ApplyTheme(); // fonts, colours, grid and frame; series take the theme's colours

    auto* Values = new TQvDoubleVector(&Module);
    for (int i = 0; i <= 400; ++i)
        Values->Add(std::exp(-i / 150.0) * std::sin(i / 10.0));
    auto* Series = new TQvLineSeries(&Module);
    Series->SetYData(Values); // plotted against 0, 1, 2, ...
    Series->SetXAxis(X);
    Series->SetYAxis(Y);

    TGPBitmap Bitmap(Graph->GetWidth(), Graph->GetHeight());
    TGPGraphics(&Bitmap).Clear(0xFFFFFFFF);
    {
        TGPGraphics Graphics(&Bitmap);
        Graph->PaintGr(&Graphics);
    }
    Bitmap.Save("chart.png", "image/png");

    TGPMetafile Picture(Graph->GetWidth(), Graph->GetHeight());
    {
        TGPGraphics Graphics(&Picture);
        Graph->PaintGr(&Graphics);
    }
    Picture.SaveAsSvg("chart.svg");
    return 0;
}
