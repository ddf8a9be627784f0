#pragma once

// The widget that shows a windowed control. It forwards paint, geometry, mouse, wheel and key
// events to the control and routes mouse events to the topmost visible graphic child under the
// pointer; the child that received a button press keeps the mouse until all buttons are up.

#include <QWidget>

class TControl;
class TWinControl;

class TControlHost final : public QWidget {
    Q_OBJECT
public:
    TControlHost(TWinControl* Control, QWidget* Parent);
    ~TControlHost() override;

    // The control the widget shows.
    TWinControl* Control() const { return FControl; }
    // The control goes away first: stop forwarding.
    void Detach();
    // A child control left the window: forget it as capture, hover or click target.
    void ControlRemoved(TControl* AControl);
    // Shows the cursor of the child under the mouse, else the control's.
    void RefreshCursor();

protected:
    bool event(QEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void moveEvent(QMoveEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void wheelEvent(QWheelEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void keyReleaseEvent(QKeyEvent* Event) override;
    void enterEvent(QEnterEvent* Event) override;
    void leaveEvent(QEvent* Event) override;

private:
    TControl* HitControl(const QPoint& Pos) const;
    TControl* Target(const QPoint& Pos) const;
    QPoint ToControl(const TControl* AControl, const QPoint& Pos) const;
    void UpdateHover(TControl* AControl);

    TWinControl* FControl;
    TControl* FCapture = nullptr;
    TControl* FHover = nullptr;
    TControl* FClicked = nullptr;
};
