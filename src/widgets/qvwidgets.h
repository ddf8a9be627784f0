#pragma once

// Widgets for forms: one per control a form may hold. Each creates its control and shows it;
// the typed Control() reaches it. Legends and markers placed inside a graph's widget (a pie
// legend inside a pie chart's) belong to that chart: the chart draws them and takes their mouse
// input, and the widget only marks where they are.

#include "widgets/qvcontrolwidget.h"

#include "annotations/qvarrowmarker.h"
#include "annotations/qvlegend.h"
#include "annotations/qvmarkers.h"
#include "annotations/qvrichlabel.h"
#include "editors/qvedits.h"
#include "editors/qvpickers.h"
#include "graph/qvgraph2d.h"
#include "pie/qvpiechart.h"
#include "pie/qvpielegend.h"
#include "undo/qvundobuttons.h"

// A widget showing a windowed control of class T.
template <class T> class TQvWindowedWidget : public TQvControlWidget {
public:
    T* Control() const { return static_cast<T*>(TQvControlWidget::Control()); }

protected:
    explicit TQvWindowedWidget(QWidget* Parent) : TQvControlWidget(Parent) {
        ShowWindowed(new T(Owner()));
    }
};

// A widget showing a control of class T that has no window of its own.
template <class T> class TQvGraphicWidget : public TQvControlWidget {
public:
    T* Control() const { return static_cast<T*>(TQvControlWidget::Control()); }

protected:
    TQvGraphicWidget(QWidget* Parent, QSize Size) : TQvControlWidget(Parent) {
        ShowGraphic(new T(Owner()), Size);
    }
};

// A widget for a control that a chart draws: inside the widget of a chart it hands the control
// to that chart, elsewhere it shows the control alone.
class TQvAttachedWidget : public TQvControlWidget {
    Q_OBJECT
public:
    // The chart that draws the control, or nullptr.
    TQvCustomGraph* Chart() const { return FChart; }
    void SetDesigning(bool Value) override;

protected:
    explicit TQvAttachedWidget(QWidget* Parent);
    // Shows AControl, handed to the chart of the parent widget when there is one.
    void ShowAttached(TControl* AControl, QSize Size);
    // Links the control with Chart, which draws it; unlinks it when Chart is nullptr. False when
    // the control does not go on a chart of that kind.
    virtual bool Link(TQvCustomGraph* AChart) = 0;
    // A floating legend keeps where the widget puts it; a docked one, or a marker, stands where
    // the chart puts it, and the widget follows.
    virtual bool KeepsWidgetBounds() const = 0;

    bool event(QEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void moveEvent(QMoveEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void SettingChanged() override;

private:
    void Attach();
    void Place();
    void Follow();
    void MarkControl();

    TQvCustomGraph* FChart = nullptr;
    bool FPlacing = false;
};

// AChart as a TChart in Into; false when it is a chart of another kind.
template <class TChart> bool ChartAs(TQvCustomGraph* AChart, TChart*& Into) {
    Into = qobject_cast<TChart*>(AChart);
    return !AChart || Into;
}

// An attached widget showing a control of class T.
template <class T> class TQvAttached : public TQvAttachedWidget {
public:
    T* Control() const { return static_cast<T*>(TQvControlWidget::Control()); }

protected:
    explicit TQvAttached(QWidget* Parent) : TQvAttachedWidget(Parent) {}
    void Show(QSize Size) { ShowAttached(new T(Owner()), Size); }
};

// A graph with a bottom and a left axis as its primary axes, themed.
class TQvGraph2DWidget : public TQvWindowedWidget<TQvGraph2D> {
    Q_OBJECT
public:
    explicit TQvGraph2DWidget(QWidget* Parent = nullptr);
    TQvGraph2D* Graph() const { return Control(); }
    // A form being designed shows two sample series, so that the settings show what they do.
    void SetDesigning(bool Value) override;

private:
    void ShowPreview();
};

// A pie or donut chart; a pie legend goes inside.
class TQvPieChartWidget : public TQvWindowedWidget<TQvPieChart> {
    Q_OBJECT
public:
    explicit TQvPieChartWidget(QWidget* Parent = nullptr) : TQvWindowedWidget(Parent) {}
    // A form being designed shows sample values, so that the settings show what they do.
    void SetDesigning(bool Value) override;

private:
    void ShowPreview();
};

// A label with a rich caption.
class TQvRichLabelWidget : public TQvGraphicWidget<TQvRichLabel> {
    Q_OBJECT
public:
    explicit TQvRichLabelWidget(QWidget* Parent = nullptr) : TQvGraphicWidget(Parent, {100, 20}) {}
};

// A legend of class T on a chart of class TChart, which SetChart links it with. The subclass
// shows it, once it knows where the legend stands.
template <class T, class TChart, void (T::*SetChart)(TChart*)>
class TQvChartLegendWidget : public TQvAttached<T> {
protected:
    explicit TQvChartLegendWidget(QWidget* Parent) : TQvAttached<T>(Parent) {}
    bool Link(TQvCustomGraph* AChart) override {
        TChart* Chart;
        if (!ChartAs(AChart, Chart)) return false;
        (this->Control()->*SetChart)(Chart);
        return true;
    }
};

// The legend of the graph whose widget holds it.
class TQvLegendWidget : public TQvChartLegendWidget<TQvLegend, TQvGraph2D, &TQvLegend::SetGraph> {
    Q_OBJECT
public:
    explicit TQvLegendWidget(QWidget* Parent = nullptr) : TQvChartLegendWidget(Parent) {
        Show({120, 80});
    }

protected:
    // A docked legend stands where the graph puts it.
    bool KeepsWidgetBounds() const override {
        return Control()->GetPosition() == TQvLegendPosition::FreeFloating;
    }
};

// The legend of the pie chart whose widget holds it.
class TQvPieLegendWidget
    : public TQvChartLegendWidget<TQvPieLegend, TQvPieChart, &TQvPieLegend::SetPieChart> {
    Q_OBJECT
public:
    explicit TQvPieLegendWidget(QWidget* Parent = nullptr) : TQvChartLegendWidget(Parent) {
        Show({120, 80});
    }

protected:
    // The pie chart places its legend.
    bool KeepsWidgetBounds() const override { return false; }
};

// A marker on the primary axes (those of them it has) of the graph whose widget holds it.
template <class T> class TQvMarkerWidget : public TQvAttached<T> {
protected:
    explicit TQvMarkerWidget(QWidget* Parent) : TQvAttached<T>(Parent) { this->Show({120, 60}); }
    bool Link(TQvCustomGraph* AChart) override {
        TQvGraph2D* Graph;
        if (!ChartAs(AChart, Graph)) return false;
        if constexpr (requires(T * Marker) { Marker->SetXAxis(nullptr); })
            this->Control()->SetXAxis(Graph ? Graph->GetPrimaryXAxis() : nullptr);
        if constexpr (requires(T * Marker) { Marker->SetYAxis(nullptr); })
            this->Control()->SetYAxis(Graph ? Graph->GetPrimaryYAxis() : nullptr);
        return true;
    }
    bool KeepsWidgetBounds() const override { return false; }
};

// A horizontal line at a value of the primary Y axis of the graph whose widget holds it.
class TQvHorizontalMarkerWidget : public TQvMarkerWidget<TQvHorizontalMarker> {
    Q_OBJECT
public:
    explicit TQvHorizontalMarkerWidget(QWidget* Parent = nullptr) : TQvMarkerWidget(Parent) {}
};

// A vertical line at a value of the primary X axis of the graph whose widget holds it.
class TQvVerticalMarkerWidget : public TQvMarkerWidget<TQvVerticalMarker> {
    Q_OBJECT
public:
    explicit TQvVerticalMarkerWidget(QWidget* Parent = nullptr) : TQvMarkerWidget(Parent) {}
};

// A cross hair on the primary axes of the graph whose widget holds it.
class TQvCrossHairWidget : public TQvMarkerWidget<TQvCrossHair> {
    Q_OBJECT
public:
    explicit TQvCrossHairWidget(QWidget* Parent = nullptr) : TQvMarkerWidget(Parent) {}
};

// A label with an arrow to a point on the primary axes of the graph whose widget holds it.
class TQvLabelWithArrowMarkerWidget : public TQvMarkerWidget<TQvLabelWithArrowMarker> {
    Q_OBJECT
public:
    explicit TQvLabelWithArrowMarkerWidget(QWidget* Parent = nullptr) : TQvMarkerWidget(Parent) {}
};

// An edit field for a caption, linked to a setting by its property links.
class TQvCaptionEditWidget : public TQvWindowedWidget<TQvCaptionEdit> {
    Q_OBJECT
public:
    explicit TQvCaptionEditWidget(QWidget* Parent = nullptr) : TQvWindowedWidget(Parent) {}
};

// An edit field for a whole number.
class TQvIntEditWidget : public TQvWindowedWidget<TQvIntEdit> {
    Q_OBJECT
public:
    explicit TQvIntEditWidget(QWidget* Parent = nullptr) : TQvWindowedWidget(Parent) {}
};

// An edit field for a number.
class TQvDoubleEditWidget : public TQvWindowedWidget<TQvDoubleEdit> {
    Q_OBJECT
public:
    explicit TQvDoubleEditWidget(QWidget* Parent = nullptr) : TQvWindowedWidget(Parent) {}
};

// A number with up and down buttons.
class TQvNumUpDownWidget : public TQvWindowedWidget<TQvNumUpDown> {
    Q_OBJECT
public:
    explicit TQvNumUpDownWidget(QWidget* Parent = nullptr) : TQvWindowedWidget(Parent) {}
};

// A colour picker.
class TQvColorPickComboWidget : public TQvWindowedWidget<TQvColorPickCombo> {
    Q_OBJECT
public:
    explicit TQvColorPickComboWidget(QWidget* Parent = nullptr) : TQvWindowedWidget(Parent) {}
};

// A dash style picker.
class TQvDashStylePickerWidget : public TQvWindowedWidget<TQvDashStylePicker> {
    Q_OBJECT
public:
    explicit TQvDashStylePickerWidget(QWidget* Parent = nullptr) : TQvWindowedWidget(Parent) {}
};

// An area style picker.
class TQvAreaStylePickerWidget : public TQvWindowedWidget<TQvAreaStylePicker> {
    Q_OBJECT
public:
    explicit TQvAreaStylePickerWidget(QWidget* Parent = nullptr) : TQvWindowedWidget(Parent) {}
};

// A point symbol picker.
class TQvPointSymbolPickerWidget : public TQvWindowedWidget<TQvPointSymbolPicker> {
    Q_OBJECT
public:
    explicit TQvPointSymbolPickerWidget(QWidget* Parent = nullptr) : TQvWindowedWidget(Parent) {}
};

// An undo button with the list of steps to undo.
class TQvUndoButtonWidget : public TQvGraphicWidget<TQvUndoButton> {
    Q_OBJECT
public:
    explicit TQvUndoButtonWidget(QWidget* Parent = nullptr) : TQvGraphicWidget(Parent, {90, 25}) {}
};

// A redo button with the list of steps to redo.
class TQvRedoButtonWidget : public TQvGraphicWidget<TQvRedoButton> {
    Q_OBJECT
public:
    explicit TQvRedoButtonWidget(QWidget* Parent = nullptr) : TQvGraphicWidget(Parent, {90, 25}) {}
};
