#pragma once

// A plain QWidget that shows one of the library's controls, for forms built in Qt Designer and
// compiled by uic. The control's own settings travel as dynamic properties of the widget:
// `setProperty("Caption", ...)` reaches the control's Caption, and nested settings are named by
// their path, so "Title_Font_Size" is the size of the title's font. Colours are QColor values,
// enumerations the names of their values ("Bottom", "ssShift|ssCtrl").

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QSize>
#include <QVariantMap>
#include <QWidget>

#include <memory>
#include <vector>

class QMetaProperty;
class TComponent;
class TControl;
class TWinControl;

class TQvControlWidget : public QWidget {
    Q_OBJECT
public:
    ~TQvControlWidget() override;

    // The control the widget shows.
    TControl* Control() const { return FControl; }
    // The same, for code that reaches the widget only through Qt's meta-object system.
    Q_INVOKABLE QObject* ControlObject() const;

    // Every setting the widget passes on to its control, by name, with the control's value.
    Q_INVOKABLE QVariantMap Settings() const;

    // A form being designed: the widget takes mouse input for the designer even where it only
    // marks a control drawn by another one.
    virtual void SetDesigning(bool Value);
    bool Designing() const { return FDesigning; }

    QSize sizeHint() const override;

protected:
    explicit TQvControlWidget(QWidget* Parent);

    // The components the widget creates belong to this owner and die with the widget.
    TComponent* Owner() const { return FOwner.get(); }
    // Shows a windowed control filling the widget.
    void ShowWindowed(TWinControl* AControl);
    // Shows a control without a window of its own on a window that fills the widget; Size is
    // the widget's size at first when the control has none.
    void ShowGraphic(TControl* AControl, QSize Size);
    // The window that fills the widget.
    TWinControl* Window() const { return FWindow; }
    // The settings of Object travel as well, their names starting with Prefix.
    void ForwardSettingsOf(const QByteArray& Prefix, QObject* Object);
    // After a setting of the control changed through a property of the widget.
    virtual void SettingChanged() {}

    bool event(QEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    struct TSetting;
    void Forward(const QByteArray& Name);
    const std::vector<TSetting>& ForwardedSettings() const;
    static void Collect(QObject* Object, const QByteArray& Prefix, int Depth,
                        std::vector<TSetting>& Into);

    std::unique_ptr<TComponent> FOwner;
    TControl* FControl = nullptr;
    TWinControl* FWindow = nullptr;
    QList<QPair<QByteArray, QObject*>> FRoots;
    QSize FDefaultSize;
    bool FDesigning = false;
    mutable std::vector<TSetting> FSettings;
};
