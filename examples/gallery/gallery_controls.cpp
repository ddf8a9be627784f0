// Editor controls beside the chart they edit: every control reaches its setting through the
// text of its property links. The undo and redo buttons are shown with their lists of steps
// dropped down, the pickers with their lists open, and the tune-colors dialog.

#include "gallerycharts.h"

#include <annotations/qvrichlabel.h>
#include <data/qvvectors.h>
#include <editors/qvedits.h>
#include <editors/qvpickers.h>
#include <editors/qvtunecolors.h>
#include <framework/qvforms.h>
#include <undo/qvundobuttons.h>
#include <undo/qvundostack.h>

#include <QListWidget>
#include <QPainter>
#include <QPicture>
#include <QSlider>

#include <cmath>

namespace {

// The form on the right: a label and a control per row, the control linked to settings named
// below the page's owner.
struct TFormRows {
    TComponent* Owner;
    TWinControl* Page;
    QString Form;
    int Row = 0;

    template <class T> T* Add(const char* Label, std::initializer_list<const char*> Links) {
        const int Top = 16 + 38 * Row++;
        auto* Caption = new TQvRichLabel(Owner);
        Caption->SetParent(Page);
        Caption->SetBounds(604, Top + 5, 100, 20);
        Caption->SetCaption(QString::fromUtf8(Label));
        auto* Control = new T(Owner);
        Control->SetParent(Page);
        Control->SetBounds(708, Top, 248, 28);
        for (const char* Link : Links)
            Control->GetPropertyLinks()->GetItems()->Add(Form + QString::fromUtf8(Link));
        Control->GetPropertyLinks()->CheckLink();
        return Control;
    }
};

QFont PageFont() {
    TFont Font;
    Font.SetSize(9);
    return Font.ToQt();
}

// A window drawn as it looked when it was open, framed like a drop-down; a dialog gets its
// title bar.
class TSnapshot : public TCustomPanel {
public:
    TSnapshot(TComponent* AOwner, TWinControl* AParent, QWidget* Window, QPoint At,
              const QString& Title = QString())
        : TCustomPanel(AOwner), FTitle(Title) {
        const int Bar = Title.isEmpty() ? 0 : TitleHeight;
        QPainter Recorder(&FPicture);
        Window->render(&Recorder, QPoint(1, 1 + Bar), QRegion(), QWidget::DrawChildren);
        Recorder.end();
        SetParent(AParent);
        SetBounds(At.x(), At.y(), Window->width() + 2, Window->height() + 2 + Bar);
    }
    void Paint(QPainter& Canvas) override {
        Canvas.fillRect(GetClientRect(), Qt::white);
        if (!FTitle.isEmpty()) {
            const QRect Bar(0, 0, GetWidth(), TitleHeight + 1);
            Canvas.fillRect(Bar, QColor(0xE4, 0xE8, 0xEE));
            Canvas.setPen(Qt::black);
            Canvas.setFont(PageFont());
            Canvas.drawText(Bar.adjusted(8, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, FTitle);
        }
        Canvas.drawPicture(0, 0, FPicture);
        Canvas.setPen(QColor(0x80, 0x80, 0x80));
        Canvas.drawRect(GetClientRect().adjusted(0, 0, -1, -1));
    }

private:
    static constexpr int TitleHeight = 24;
    QString FTitle;
    QPicture FPicture;
};

// A picker's list as it drops down: every entry with its sample, the current one marked.
void OpenList(TComponent* Owner, TWinControl* Parent, const TQvSamplePicker* Picker, QPoint At,
              int Rows) {
    QListWidget List;
    List.setFont(PageFont());
    List.setIconSize(Picker->SampleImage(0).size());
    for (int i = 0; i < Picker->ItemCount(); ++i)
        List.addItem(new QListWidgetItem(QIcon(QPixmap::fromImage(Picker->SampleImage(i))),
                                         Picker->ItemText(i)));
    List.setCurrentRow(Picker->ItemIndex());
    List.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List.resize(220, Rows * List.sizeHintForRow(0) + 2 * List.frameWidth());
    List.scrollToItem(List.currentItem(), QAbstractItemView::PositionAtCenter);
    new TSnapshot(Owner, Parent, &List, At);
}

// The list of a button's steps, dropped down below it with the pointer on entry Hover.
void OpenSteps(TComponent* Owner, TWinControl* Parent, TQvDropDnButton* Button, int Hover) {
    TQvUndoListFrm* Window = TQvUndoListFrm::Instance();
    Window->ShowFor(Button);
    Window->HoverItem(Hover);
    new TSnapshot(Owner, Parent, Window->Widget(),
                  QPoint(Button->GetLeft(), Button->GetTop() + Button->GetHeight()));
    Window->Hide();
}

TWinControl* BuildControlsPage(TComponent* Owner) {
    auto* Page = new TWhitePanel(Owner);
    Page->SetBounds(0, 0, 972, 864);
    Page->GetFont()->SetSize(9);

    auto* Stack = new TQvUndoStack(Owner);
    auto* Graph = NewGraph(Owner, Page, QStringLiteral("ControlsGraph"),
                           QStringLiteral("Damped oscillation"), 16, 16, 560, 400);
    auto* X = NewAxis(Owner, Graph, TQvAxisPosition::Bottom, TQvAxisScaling::Normal, 0, 12,
                      QStringLiteral("Time / s"));
    X->SetName(QStringLiteral("ControlsX"));
    auto* Y = NewAxis(Owner, Graph, TQvAxisPosition::Left, TQvAxisScaling::Normal, -4, 4,
                      QStringLiteral("Displacement / mm"));
    Y->SetName(QStringLiteral("ControlsY"));
    std::vector<double> Ts, Vs;
    for (int i = 0; i <= 48; ++i) {
        Ts.push_back(i * 0.25);
        Vs.push_back(4 * std::exp(-Ts.back() / 5) * std::cos(1.7 * Ts.back()));
    }
    auto* Curve = NewCurve<TQvPointSeries>(Owner, X, Y, Vector(Owner, Ts), Vector(Owner, Vs), 0,
                                           QStringLiteral("measured"));
    Curve->SetName(QStringLiteral("Wave"));
    Curve->GetPointSymbol()->SetVisible(true);
    Curve->GetPointSymbol()->SetPointSymbol(TQvPointSymbol::Circle);
    Curve->GetPointSymbol()->SetSize(7);
    Graph->SetUndoStack(Stack);

    TFormRows Rows{Owner, Page, GetComponentRef(Owner) + u'.'};
    auto* Title = Rows.Add<TQvCaptionEdit>("Title", {"ControlsGraph.Caption"});
    auto* From = Rows.Add<TQvDoubleEdit>("Y from", {"ControlsY.Start"});
    Rows.Add<TQvDoubleEdit>("Y to", {"ControlsY.Stop"});
    Rows.Add<TQvNumUpDown>("X to", {"ControlsX.Stop"});
    auto* Width = Rows.Add<TQvNumUpDown>("Line width", {"Wave.Line.Width"});
    Width->SetDecimals(1);
    Width->SetIncrement(0.5);
    auto* Size = Rows.Add<TQvIntEdit>("Symbol size", {"Wave.PointSymbol.Size"});
    auto* Color = Rows.Add<TQvColorPickCombo>("Line color",
                                              {"Wave.Line.Color", "Wave.PointSymbol.BorderColor"});
    auto* Dash = Rows.Add<TQvDashStylePicker>("Line style", {"Wave.Line.DashStyle"});
    auto* Area = Rows.Add<TQvAreaStylePicker>("Area", {"Wave.Area.AreaStyle"});
    auto* Symbol = Rows.Add<TQvPointSymbolPicker>("Symbol", {"Wave.PointSymbol.PointSymbol"});
    Rows.Add<TQvColorPickCombo>("Symbol fill", {"Wave.PointSymbol.FillColor"});

    // What a user did with the form; the last two steps were undone again.
    Stack->Clear();
    Title->SetText(QStringLiteral("Damped oscillation, 20 °C"));
    Width->SetValue(3);
    Color->SetColor(0xFFDC143C);
    Symbol->SetPointSymbol(TQvPointSymbol::Diamond);
    Size->SetValue(9);
    Dash->SetDashStyle(TGPDashStyle::Dash);
    From->SetValue(-5);
    Stack->Undo(1);
    Application()->DoIdle();

    auto* Undo = new TQvUndoButton(Owner);
    auto* Redo = new TQvRedoButton(Owner);
    Undo->SetBounds(16, 440, 96, 28);
    Redo->SetBounds(236, 440, 96, 28);
    for (TQvDropDnButton* Button :
         {static_cast<TQvDropDnButton*>(Undo), static_cast<TQvDropDnButton*>(Redo)}) {
        Button->SetParent(Page);
        Button->SetUndoStack(Stack);
        Button->SetStyle(TButtonStyle::Gradient);
    }
    OpenSteps(Owner, Page, Undo, 1);
    OpenSteps(Owner, Page, Redo, 0);

    OpenList(Owner, Page, Dash, QPoint(16, 660), 5);
    OpenList(Owner, Page, Symbol, QPoint(256, 660), 10);
    OpenList(Owner, Page, Area, QPoint(496, 660), 10);
    OpenList(Owner, Page, Color, QPoint(736, 660), 10);

    TQvTuneColorsForm Tune(0xFFDC143C, QString());
    Tune.setFont(PageFont());
    Tune.LightnessSlider()->setValue(70);
    Tune.adjustSize();
    new TSnapshot(Owner, Page, &Tune, QPoint(956 - Tune.width(), 440), Tune.windowTitle());
    return Page;
}

} // namespace

void AddControlsPages(std::vector<TGalleryPage>& Pages) {
    Pages.push_back(
        {QStringLiteral("controls"), QStringLiteral("Editor controls and undo buttons"),
         QStringLiteral("A settings form built from editor controls alone: each is bound to the "
                        "chart by the text of its property links (\"Form.Wave.Line.Color\"), so "
                        "the line color reaches the line and the symbols' outline at once. The "
                        "undo and redo buttons drop down the steps recorded so far; pointing at "
                        "the second step marks two. Below: the dash-style, symbol, area-style and "
                        "color lists as they open, each sample drawn by the library, and the "
                        "tune-colors dialog."),
         BuildControlsPage});
}
