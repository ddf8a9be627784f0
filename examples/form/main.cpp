// A window laid out in Qt Designer (pressureform.ui): the form holds the graph with its legend
// and a limit marker, and the undo and redo buttons. The program brings the data and the undo
// stack. With a file name, it saves the window as a picture once it is shown, and quits.

#include "ui_pressureform.h"

#include <qvplot2d.h>

#include <QApplication>
#include <QTimer>

#include <cmath>

int main(int argc, char** argv) {
    QApplication App(argc, argv);
    QWidget Window;
    Ui::PressureForm Form;
    Form.setupUi(&Window);

    TDataModule Data(nullptr);
    auto* Steps = new TQvUndoStack(&Data);
    TQvGraph2D* Graph = Form.graph->Graph();
    Graph->SetUndoStack(Steps);
    Form.undo->Control()->SetUndoStack(Steps);
    Form.redo->Control()->SetUndoStack(Steps);

    auto* Time = new TQvDoubleVector(&Data);
    auto* VesselA = new TQvDoubleVector(&Data);
    auto* VesselB = new TQvDoubleVector(&Data);
    for (int i = 0; i <= 600; ++i) {
        const double t = i / 10.0;
        Time->Add(t);
        VesselA->Add(1 + 4 * (1 - std::exp(-t / 12)) + 0.15 * std::sin(t));
        VesselB->Add(1 + 3 * (1 - std::exp(-t / 25)));
    }
    for (auto [Values, Name] : {std::pair{VesselA, "vessel A"}, std::pair{VesselB, "vessel B"}}) {
        auto* Series = new TQvLineSeries(&Data);
        Series->SetCaption(Name);
        Series->SetXData(Time);
        Series->SetYData(Values);
        Series->SetXAxis(Graph->GetPrimaryXAxis());
        Series->SetYAxis(Graph->GetPrimaryYAxis());
    }
    Graph->ApplyTheme();
    Form.limit->Control()->SetY(4.2); // an undoable step: the undo button offers it

    Window.show();
    if (argc > 1)
        QTimer::singleShot(500, [&] {
            const bool Saved = Window.grab().save(QString::fromLocal8Bit(argv[1]));
            App.exit(Saved && Steps->CanUndo() ? 0 : 1);
        });
    return App.exec();
}
