// A chart beside a settings panel built from editor controls alone: every control is bound to
// a chart setting by the text of its property links, and undo and redo buttons play back what
// the user changed. No line of code moves a value between a control and the chart.
//   editor [--screenshot file.png]
// --screenshot picks a colour and a symbol through the controls, grabs the window and quits,
// with exit code 1 when a link did not resolve or a pick did not reach the chart.

#include <annotations/qvrichlabel.h>
#include <axes/qvaxis.h>
#include <data/qvvectors.h>
#include <editors/qvedits.h>
#include <editors/qvpickers.h>
#include <framework/qvforms.h>
#include <graph/qvgraph2d.h>
#include <graph/qvtheme.h>
#include <series/qvseries.h>
#include <undo/qvundobuttons.h>
#include <undo/qvundostack.h>

#include <QApplication>
#include <QComboBox>
#include <QScreen>
#include <QTimer>

#include <cmath>
#include <cstdio>

namespace {

class TEditorWindow {
public:
    TEditorWindow() : FForm(Application()) {
        FForm.SetName(QStringLiteral("EditorForm"));
        FForm.SetCaption(QStringLiteral("Qvplot2D editor"));
        FForm.SetBounds(80, 80, 1000, 560);
        BuildChart();
        BuildPanel();
        FForm.Show();
    }

    QWidget* Window() { return FForm.Widget(); }

    // Every link of every control leads to a property.
    bool AllLinksResolved() const {
        bool Resolved = true;
        for (const TQvEditControl* Control : FControls) {
            TQvPropertyLinks* Links = Control->GetPropertyLinks();
            Links->CheckLink();
            for (int i = 0; i < Links->GetItems()->Count(); ++i)
                if (!Links->LinkResolved(i)) {
                    std::fprintf(stderr, "%s\n", qPrintable(Links->LinkError(i)));
                    Resolved = false;
                }
        }
        return Resolved;
    }

    // Picks through the controls' own lists, as a user would, and tells whether the chart took
    // the picks.
    bool PickAsAUser() {
        auto* Colours = qobject_cast<QComboBox*>(FLineColor->Editor());
        const int Crimson = Colours->findText(QStringLiteral("Crimson"));
        Colours->setCurrentIndex(Crimson);
        emit Colours->activated(Crimson);
        auto* Symbols = qobject_cast<QComboBox*>(FSymbol->Editor());
        Symbols->setCurrentIndex(int(TQvPointSymbol::Diamond));
        emit Symbols->activated(int(TQvPointSymbol::Diamond));
        const bool Taken =
            FMeasured->GetLine()->GetColor() == 0xFFDC143C &&
            FMeasured->GetPointSymbol()->GetPointSymbol() == TQvPointSymbol::Diamond &&
            FStack->UndoCount() == 2;
        if (!Taken)
            std::fprintf(stderr, "The chart did not take the picks: color %08X, %d undo steps\n",
                         FMeasured->GetLine()->GetColor(), FStack->UndoCount());
        return Taken;
    }

private:
    void BuildChart() {
        FStack = new TQvUndoStack(&FForm);
        FStack->SetName(QStringLiteral("Undo"));
        auto* Graph = new TQvGraph2D(&FForm);
        Graph->SetName(QStringLiteral("Graph"));
        Graph->SetParent(&FForm);
        Graph->SetAlign(TAlign::Client);
        Graph->SetCaptionVisible(true);
        Graph->SetCaption(QStringLiteral("Damped oscillation"));
        auto* X = NewAxis(Graph, QStringLiteral("XAxis"), TQvAxisPosition::Bottom,
                          QStringLiteral("Time / s"), 0, 12);
        NewAxis(Graph, QStringLiteral("YAxis"), TQvAxisPosition::Left,
                QStringLiteral("Displacement / mm"), -4, 4);
        Graph->ApplyTheme();

        auto* Time = new TQvDoubleVector(&FForm);
        auto* Value = new TQvDoubleVector(&FForm);
        for (int i = 0; i <= 60; ++i) {
            const double t = i * 0.2;
            Time->Add(t);
            Value->Add(4 * std::exp(-t / 5) * std::cos(1.7 * t));
        }
        FMeasured = new TQvPointSeries(&FForm);
        FMeasured->SetName(QStringLiteral("Measured"));
        FMeasured->SetXData(Time);
        FMeasured->SetYData(Value);
        FMeasured->SetXAxis(X);
        FMeasured->SetYAxis(Graph->GetPrimaryYAxis());
        FMeasured->GetLine()->SetWidth(2);
        FMeasured->GetPointSymbol()->SetVisible(true);
        FMeasured->GetPointSymbol()->SetPointSymbol(TQvPointSymbol::Circle);
        FMeasured->GetPointSymbol()->SetSize(7);
        // The history starts with the finished chart.
        Graph->SetUndoStack(FStack);
    }

    TQvAxis* NewAxis(TQvGraph2D* Graph, const QString& Name, TQvAxisPosition Position,
                     const QString& Caption, double Start, double Stop) {
        auto* Axis = new TQvAxis(&FForm);
        Axis->SetName(Name);
        Axis->SetPosition(Position);
        Axis->SetCaption(Caption);
        Axis->SetParent(Graph);
        Axis->SetStartEnd(TQvAxisEnd::Fixed);
        Axis->SetStopEnd(TQvAxisEnd::Fixed);
        Axis->SetStart(Start);
        Axis->SetStop(Stop);
        if (Axis->GetHorizontal())
            Graph->SetPrimaryXAxis(Axis);
        else
            Graph->SetPrimaryYAxis(Axis);
        return Axis;
    }

    void BuildPanel() {
        FPanel = new TCustomPanel(&FForm);
        FPanel->SetParent(&FForm);
        FPanel->SetWidth(320);
        FPanel->SetAlign(TAlign::Right);

        auto* Undo = new TQvUndoButton(&FForm);
        auto* Redo = new TQvRedoButton(&FForm);
        Undo->SetBounds(16, 14, 92, 28);
        Redo->SetBounds(116, 14, 92, 28);
        for (TQvDropDnButton* Button :
             {static_cast<TQvDropDnButton*>(Undo), static_cast<TQvDropDnButton*>(Redo)}) {
            Button->SetParent(FPanel);
            Button->SetUndoStack(FStack);
        }

        Field<TQvCaptionEdit>("Title", {"Graph.Caption"});
        Field<TQvDoubleEdit>("Y from", {"YAxis.Start"});
        Field<TQvDoubleEdit>("Y to", {"YAxis.Stop"});
        auto* Until = Field<TQvNumUpDown>("X to", {"XAxis.Stop"});
        Until->SetMin(1);
        // One control may drive several settings: the line and the symbols' outline.
        FLineColor = Field<TQvColorPickCombo>(
            "Line color", {"Measured.Line.Color", "Measured.PointSymbol.BorderColor"});
        Field<TQvDashStylePicker>("Line style", {"Measured.Line.DashStyle"});
        auto* Width = Field<TQvNumUpDown>("Line width", {"Measured.Line.Width"});
        Width->SetDecimals(1);
        Width->SetIncrement(0.5);
        Width->SetMax(10);
        FSymbol = Field<TQvPointSymbolPicker>("Symbol", {"Measured.PointSymbol.PointSymbol"});
        Field<TQvColorPickCombo>("Symbol fill", {"Measured.PointSymbol.FillColor"});
    }

    // A labelled row of the panel: a control of class T linked to the properties Links, paths
    // below the form.
    template <class T> T* Field(const char* Label, std::initializer_list<const char*> Links) {
        const int Top = 56 + 38 * int(FControls.size());
        auto* Caption = new TQvRichLabel(&FForm);
        Caption->SetParent(FPanel);
        Caption->SetBounds(16, Top + 4, 90, 20);
        Caption->SetCaption(QString::fromUtf8(Label));
        auto* Control = new T(&FForm);
        Control->SetParent(FPanel);
        Control->SetBounds(112, Top, 192, 28);
        for (const char* Link : Links)
            Control->GetPropertyLinks()->GetItems()->Add(FForm.GetName() + u'.' +
                                                         QString::fromUtf8(Link));
        FControls.append(Control);
        return Control;
    }

    TForm FForm;
    TQvUndoStack* FStack = nullptr;
    TQvPointSeries* FMeasured = nullptr;
    TCustomPanel* FPanel = nullptr;
    TQvColorPickCombo* FLineColor = nullptr;
    TQvPointSymbolPicker* FSymbol = nullptr;
    QList<TQvEditControl*> FControls;
};

} // namespace

int main(int argc, char** argv) {
    QApplication App(argc, argv);
    // One family for the chart and the controls.
    QApplication::setFont(QFont(QStringLiteral("Arial"), 9));
    const QStringList Arguments = App.arguments();
    const qsizetype At = Arguments.indexOf(QStringLiteral("--screenshot"));
    const QString Screenshot =
        At > 0 && At + 1 < Arguments.size() ? Arguments.at(At + 1) : QString();

    TEditorWindow Editor;
    int Result = 0;
    if (!Screenshot.isEmpty()) {
        QTimer::singleShot(600, [&] {
            if (!Editor.AllLinksResolved() || !Editor.PickAsAUser()) Result = 1;
            QTimer::singleShot(400, [&] {
                QWidget* Window = Editor.Window();
                const QPixmap Shot = Window->screen()->grabWindow(Window->winId());
                if (!Shot.save(Screenshot)) {
                    std::fprintf(stderr, "Cannot write %s\n", qPrintable(Screenshot));
                    Result = 1;
                }
                QApplication::exit(Result);
            });
        });
    }
    return App.exec();
}
