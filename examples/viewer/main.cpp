// A chart in a real window: a damped oscillation measured live, with the model curve beside
// it. Usage: viewer [--screenshot file.png]  (grabs the window after a second and quits)

#include <axes/qvaxis.h>
#include <data/qvvectors.h>
#include <framework/qvforms.h>
#include <graph/qvgraph2d.h>
#include <graph/qvtheme.h>
#include <series/qvseries.h>

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cmath>
#include <cstdio>

namespace {

double Model(double t) {
    return 4 * std::exp(-t / 6) * std::cos(2.1 * t);
}

class TViewer {
public:
    TViewer() : FForm(Application()) {
        FForm.SetName(QStringLiteral("Viewer"));
        FForm.SetCaption(QStringLiteral("Qvplot2D viewer"));
        FForm.SetBounds(100, 100, 900, 560);

        auto* Graph = new TQvGraph2D(&FForm);
        Graph->SetName(QStringLiteral("Graph"));
        Graph->SetParent(&FForm);
        Graph->SetAlign(TAlign::Client);
        auto* X = NewAxis(Graph, TQvAxisPosition::Bottom, QStringLiteral("Time / s"));
        X->SetStartEnd(TQvAxisEnd::Fixed);
        X->SetStopEnd(TQvAxisEnd::Fixed);
        X->SetStop(20);
        NewAxis(Graph, TQvAxisPosition::Left, QStringLiteral("Displacement / mm"));
        Graph->SetCaptionVisible(true);
        Graph->ApplyTheme();

        auto* ModelT = new TQvDoubleVector(&FForm);
        auto* ModelY = new TQvDoubleVector(&FForm);
        for (int i = 0; i <= 800; ++i) {
            ModelT->Add(i * 0.025);
            ModelY->Add(Model(i * 0.025));
        }
        auto* Curve = new TQvLineSeries(&FForm);
        Curve->SetName(QStringLiteral("Curve"));
        Curve->SetCaption(QStringLiteral("Model"));
        Connect(Curve, X, Graph, ModelT, ModelY);
        // The model stays in the background, in grey; the measurement takes the theme's first
        // colour.
        Curve->GetLine()->SetColor(0xFFA8B0BA);
        Curve->GetLine()->SetWidth(2);

        FTime = new TQvDoubleVector(&FForm);
        FValue = new TQvDoubleVector(&FForm);
        FMeasured = new TQvPointSeries(&FForm);
        FMeasured->SetName(QStringLiteral("Measured"));
        FMeasured->SetCaption(QStringLiteral("measured"));
        Connect(FMeasured, X, Graph, FTime, FValue);
        FMeasured->GetPointSymbol()->SetPointSymbol(TQvPointSymbol::Circle);
        FMeasured->GetPointSymbol()->SetSize(6);
        // The title quotes the series, so it is set once the series exists.
        Graph->SetCaption(QStringLiteral("Damped oscillation: \\i<%Viewer.Measured.Caption%>\\i "
                                         "against the model"));

        // A new measurement every 50 ms, from the start again after 20 s.
        QObject::connect(&FTimer, &QTimer::timeout, [this] { Measure(); });
        FTimer.start(50);
        FForm.Show();
    }

    QWidget* Window() { return FForm.Widget(); }

private:
    TQvAxis* NewAxis(TQvGraph2D* Graph, TQvAxisPosition Position, const QString& Caption) {
        auto* Axis = new TQvAxis(&FForm);
        Axis->SetPosition(Position);
        Axis->SetCaption(Caption);
        Axis->SetParent(Graph);
        if (Axis->GetHorizontal())
            Graph->SetPrimaryXAxis(Axis);
        else
            Graph->SetPrimaryYAxis(Axis);
        return Axis;
    }

    static void Connect(TQvSeries* Series, TQvAxis* X, TQvGraph2D* Graph, TQvDoubleVector* XData,
                        TQvDoubleVector* YData) {
        Series->SetXData(XData);
        Series->SetYData(YData);
        Series->SetXAxis(X);
        Series->SetYAxis(Graph->GetPrimaryYAxis());
    }

    void Measure() {
        if (FT > 20) {
            FTime->Clear();
            FValue->Clear();
            FT = 0;
        }
        const double Noise = 0.35 * std::sin(FT * 37.1) * std::cos(FT * 11.3);
        FTime->Add(FT);
        FValue->Add(Model(FT) + Noise);
        FT += 0.1;
    }

    TForm FForm;
    TQvDoubleVector *FTime, *FValue;
    TQvPointSeries* FMeasured;
    QTimer FTimer;
    double FT = 0;
};

} // namespace

int main(int argc, char** argv) {
    QApplication App(argc, argv);
    TViewer Viewer;
    const QStringList Arguments = App.arguments();
    const qsizetype At = Arguments.indexOf(QStringLiteral("--screenshot"));
    if (At > 0 && At + 1 < Arguments.size()) {
        const QString File = Arguments.at(At + 1);
        QTimer::singleShot(1500, [&Viewer, File] {
            QWidget* Window = Viewer.Window();
            const QPixmap Shot = Window->screen()->grabWindow(Window->winId());
            if (!Shot.save(File)) std::fprintf(stderr, "Cannot write %s\n", qPrintable(File));
            QApplication::quit();
        });
    }
    return App.exec();
}
