#include "widgets/qvwidgets.h"

#include "axes/qvaxis.h"
#include "data/qvvectors.h"
#include "series/qvseries.h"

#include <QEvent>
#include <QScopedValueRollback>

#include <cmath>

TQvAttachedWidget::TQvAttachedWidget(QWidget* Parent) : TQvControlWidget(Parent) {}

void TQvAttachedWidget::ShowAttached(TControl* AControl, QSize Size) {
    ShowGraphic(AControl, Size);
    Attach();
}

void TQvAttachedWidget::SetDesigning(bool Value) {
    TQvControlWidget::SetDesigning(Value);
    MarkControl();
}

void TQvAttachedWidget::Attach() {
    TControl* Shown = Control();
    if (!Shown) return;
    auto* ChartWidget = qobject_cast<TQvControlWidget*>(parentWidget());
    auto* NewChart =
        ChartWidget ? qobject_cast<TQvCustomGraph*>(ChartWidget->ControlObject()) : nullptr;
    if (NewChart && !Link(NewChart)) NewChart = nullptr;
    if (!NewChart) Link(nullptr);
    if (FChart) FChart->Widget()->removeEventFilter(this);
    FChart = NewChart;
    if (FChart) FChart->Widget()->installEventFilter(this);
    if (FChart) {
        Shown->SetAlign(TAlign::None);
        Shown->SetParent(FChart);
        Place();
    } else {
        Shown->SetParent(Window());
        Shown->SetAlign(TAlign::Client);
    }
    Window()->Widget()->setVisible(!FChart);
    MarkControl();
}

// On a chart the widget draws nothing and, outside a designer, lets the mouse through to the
// chart, which passes it to the control.
void TQvAttachedWidget::MarkControl() {
    setAttribute(Qt::WA_TransparentForMouseEvents, FChart && !Designing());
}

void TQvAttachedWidget::Place() {
    if (!FChart || FPlacing) return;
    if (KeepsWidgetBounds()) Control()->SetBoundsRect(geometry());
    Follow();
}

// A control may size itself to its content.
void TQvAttachedWidget::Follow() {
    if (!FChart || FPlacing) return;
    const QScopedValueRollback<bool> Placing(FPlacing, true);
    setGeometry(Control()->BoundsRect());
}

// The chart places and sizes its legends and markers as it paints; the widget follows after
// the paint.
bool TQvAttachedWidget::eventFilter(QObject* Watched, QEvent* Event) {
    if (Event->type() == QEvent::Paint)
        QMetaObject::invokeMethod(this, &TQvAttachedWidget::Follow, Qt::QueuedConnection);
    return TQvControlWidget::eventFilter(Watched, Event);
}

bool TQvAttachedWidget::event(QEvent* Event) {
    if (Event->type() == QEvent::ParentChange) Attach();
    return TQvControlWidget::event(Event);
}

void TQvAttachedWidget::moveEvent(QMoveEvent* Event) {
    TQvControlWidget::moveEvent(Event);
    if (KeepsWidgetBounds()) Place();
}

void TQvAttachedWidget::resizeEvent(QResizeEvent* Event) {
    TQvControlWidget::resizeEvent(Event);
    if (KeepsWidgetBounds()) Place();
}

void TQvAttachedWidget::SettingChanged() {
    Place();
}

TQvGraph2DWidget::TQvGraph2DWidget(QWidget* Parent) : TQvWindowedWidget(Parent) {
    TQvGraph2D* Shown = Graph();
    auto* X = new TQvAxis(Owner());
    X->SetPosition(TQvAxisPosition::Bottom);
    X->SetParent(Shown);
    auto* Y = new TQvAxis(Owner());
    Y->SetPosition(TQvAxisPosition::Left);
    Y->SetParent(Shown);
    Shown->SetPrimaryXAxis(X);
    Shown->SetPrimaryYAxis(Y);
    Shown->ApplyTheme();
    ForwardSettingsOf("XAxis_", X);
    ForwardSettingsOf("YAxis_", Y);
}

void TQvGraph2DWidget::SetDesigning(bool Value) {
    if (Value && !Designing()) ShowPreview();
    TQvWindowedWidget::SetDesigning(Value);
}

void TQvGraph2DWidget::ShowPreview() {
    auto* X = new TQvDoubleVector(Owner());
    auto* Wave = new TQvDoubleVector(Owner());
    auto* Decay = new TQvDoubleVector(Owner());
    for (int i = 0; i <= 200; ++i) {
        const double x = i / 20.0;
        X->Add(x);
        Wave->Add(std::sin(x));
        Decay->Add(std::cos(1.7 * x) * std::exp(-x / 4));
    }
    for (TQvDoubleVector* Y : {Wave, Decay}) {
        auto* Series = new TQvLineSeries(Owner());
        Series->SetXData(X);
        Series->SetYData(Y);
        Series->SetXAxis(Graph()->GetPrimaryXAxis());
        Series->SetYAxis(Graph()->GetPrimaryYAxis());
    }
    Graph()->ApplyTheme(); // the series take the theme's colours
}

void TQvPieChartWidget::SetDesigning(bool Value) {
    if (Value && !Designing()) ShowPreview();
    TQvWindowedWidget::SetDesigning(Value);
}

void TQvPieChartWidget::ShowPreview() {
    auto* Values = new TQvDoubleVector(Owner());
    for (double v : {34.0, 21.0, 13.0, 8.0, 5.0})
        Values->Add(v);
    Control()->SetValues(Values);
}
