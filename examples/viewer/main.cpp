// A chart in a real window: a damped oscillation measured live, with the model curve beside
// it, to explore with the mouse.
//   viewer [--points N] [--screenshot file.png | --script file.png]
// --points N shows N noisy samples at once instead of the live measurement; --screenshot grabs
// the window after a second and quits; --script drags a zoom frame, pans, turns the wheel,
// grabs the window and quits (with exit code 1 when the chart did not follow).

#include <axes/qvaxis.h>
#include <data/qvvectors.h>
#include <framework/qvforms.h>
#include <graph/qvgraph2d.h>
#include <graph/qvtheme.h>
#include <series/qvseries.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>

#include <cmath>
#include <cstdio>
#include <random>

namespace {

double Model(double t) {
    return 4 * std::exp(-t / 6) * std::cos(2.1 * t);
}

const char* const HelpText =
    "Drag: zoom to a frame (Esc drops it)   ·   Shift+drag: pan   ·   Wheel: zoom around the "
    "cursor\nClick beside the chart or Backspace: zoom back   ·   Double click beside the chart "
    "or Home: reset";

// Two lines of help along the bottom of the window.
class THelpBar : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;
    void Paint(QPainter& Canvas) override {
        Canvas.fillRect(GetClientRect(), QColor(0xF2, 0xF2, 0xF2));
        Canvas.setPen(QColor(0x40, 0x40, 0x40));
        Canvas.drawText(GetClientRect().adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft,
                        QString::fromUtf8(HelpText));
    }
};

class TViewer {
public:
    explicit TViewer(int Points) : FForm(Application()) {
        FForm.SetName(QStringLiteral("Viewer"));
        FForm.SetCaption(QStringLiteral("Qvplot2D viewer"));
        FForm.SetBounds(100, 100, 900, 560);

        auto* Help = new THelpBar(&FForm);
        Help->SetParent(&FForm);
        Help->SetHeight(44);
        Help->SetAlign(TAlign::Bottom);

        auto* Graph = new TQvGraph2D(&FForm);
        FGraph = Graph;
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

        if (Points > 0) {
            MeasureAtOnce(Points);
        } else {
            // A new measurement every 50 ms, from the start again after 20 s.
            QObject::connect(&FTimer, &QTimer::timeout, [this] { Measure(); });
            FTimer.start(50);
        }
        FForm.Show();
        Graph->SetFocus();
    }

    QWidget* Window() { return FForm.Widget(); }
    TQvGraph2D* Graph() const { return FGraph; }

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

    void MeasureAtOnce(int Points) {
        std::mt19937 Random(1);
        std::normal_distribution<double> Noise(0, 0.3);
        std::vector<double> T(static_cast<size_t>(Points)), Y(static_cast<size_t>(Points));
        for (int i = 0; i < Points; ++i) {
            T[size_t(i)] = 20.0 * i / Points;
            Y[size_t(i)] = Model(T[size_t(i)]) + Noise(Random);
        }
        FTime->SetValues(T);
        FValue->SetValues(Y);
        FMeasured->GetPointSymbol()->SetVisible(false);
        FMeasured->GetLine()->SetVisible(true);
    }

    TForm FForm;
    TQvGraph2D* FGraph;
    TQvDoubleVector *FTime, *FValue;
    TQvPointSeries* FMeasured;
    QTimer FTimer;
    double FT = 0;
};

// Mouse and wheel events as a user makes them, one step of the script per timer tick, so that
// the window paints between them.
class TScript {
public:
    TScript(TViewer& Viewer, QString File) : FViewer(Viewer), FFile(std::move(File)) {}

    void Run() {
        QWidget* Window = FViewer.Graph()->Widget();
        const QPoint Frame1 = Pixel(3, 3), Frame2 = Pixel(10, -2.5);
        const QPoint Middle = (Frame1 + Frame2) / 2;
        Steps = {
            [=, this] { Mouse(QEvent::MouseButtonPress, Frame1, Qt::LeftButton, {}); },
            [=, this] { Mouse(QEvent::MouseMove, (Frame1 + Frame2) / 2, Qt::LeftButton, {}); },
            [=, this] { Mouse(QEvent::MouseMove, Frame2, Qt::LeftButton, {}); },
            [=, this] { Mouse(QEvent::MouseButtonRelease, Frame2, Qt::NoButton, {}); },
            [=, this] { Mouse(QEvent::MouseButtonPress, Middle, Qt::LeftButton, Qt::ShiftModifier); },
            [=, this] { Mouse(QEvent::MouseMove, Middle + QPoint(-60, 25), Qt::LeftButton,
                        Qt::ShiftModifier); },
            [=, this] { Mouse(QEvent::MouseButtonRelease, Middle + QPoint(-60, 25), Qt::NoButton,
                        Qt::ShiftModifier); },
            [=, this] {
                QWheelEvent Event(Middle, Window->mapToGlobal(Middle), {}, {0, 120},
                                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                QCoreApplication::sendEvent(Window, &Event);
            },
            [this] { Finish(); },
        };
        Next();
    }

private:
    QPoint Pixel(double x, double y) const {
        const TQvGraph2D* Graph = FViewer.Graph();
        return QPoint(int(Graph->GetPrimaryXAxis()->NumberToWorld(x)),
                      int(Graph->GetPrimaryYAxis()->NumberToWorld(y)));
    }

    void Mouse(QEvent::Type Type, QPoint At, Qt::MouseButtons Buttons,
               Qt::KeyboardModifiers Keys) {
        QWidget* Window = FViewer.Graph()->Widget();
        QMouseEvent Event(Type, At, Window->mapToGlobal(At), Qt::LeftButton, Buttons, Keys);
        QCoreApplication::sendEvent(Window, &Event);
    }

    void Next() {
        QTimer::singleShot(300, [this] {
            Steps.at(FStep++)();
            if (FStep < Steps.size()) Next();
        });
    }

    // Three stages (frame, pan, wheel) and both scroll bars, or the script failed.
    void Finish() {
        const TQvGraph2D* Graph = FViewer.Graph();
        const bool Followed = Graph->GetZoomStage() == 3 &&
                              Graph->GetHorizontalScrollBar()->isVisible() &&
                              Graph->GetVerticalScrollbar()->isVisible();
        if (!FViewer.Window()->grab().save(FFile))
            std::fprintf(stderr, "Cannot write %s\n", qPrintable(FFile));
        if (!Followed) std::fprintf(stderr, "The chart did not follow the script\n");
        QApplication::exit(Followed ? 0 : 1);
    }

    TViewer& FViewer;
    QString FFile;
    std::vector<std::function<void()>> Steps;
    size_t FStep = 0;
};

} // namespace

int main(int argc, char** argv) {
    QApplication App(argc, argv);
    const QStringList Arguments = App.arguments();
    const auto Option = [&Arguments](const char* Name) {
        const qsizetype At = Arguments.indexOf(QLatin1String(Name));
        return At > 0 && At + 1 < Arguments.size() ? Arguments.at(At + 1) : QString();
    };
    if (Arguments.contains(QStringLiteral("--help"))) {
        std::printf("viewer [--points N] [--screenshot file.png | --script file.png]\n%s\n",
                    HelpText);
        return 0;
    }
    TViewer Viewer(Option("--points").toInt());
    if (const QString File = Option("--screenshot"); !File.isEmpty()) {
        QTimer::singleShot(1500, [&Viewer, File] {
            QWidget* Window = Viewer.Window();
            const QPixmap Shot = Window->screen()->grabWindow(Window->winId());
            if (!Shot.save(File)) std::fprintf(stderr, "Cannot write %s\n", qPrintable(File));
            QApplication::quit();
        });
    }
    TScript Script(Viewer, Option("--script"));
    if (!Option("--script").isEmpty()) QTimer::singleShot(800, [&Script] { Script.Run(); });
    return App.exec();
}
