#pragma once

// What every editor control shares: a value property bound to chart settings through
// PropertyLinks, and the Qt widget that shows and edits the value once the control has a window.
// Without a window the value lives in the control alone, so a panel can be built, linked and
// tested headless.

#include "framework/qvcontrols.h"
#include "style/qvpropertylink.h"

#include <QPointer>

#include <memory>

class TQvEditControl : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(TQvPropertyLinks* PropertyLinks READ GetPropertyLinks WRITE SetPropertyLinks)
public:
    ~TQvEditControl() override;

    TQvPropertyLinks* GetPropertyLinks() const;
    void SetPropertyLinks(TQvPropertyLinks* Value) { GetPropertyLinks()->Assign(Value); }

    // The Qt widget inside the control's window, made with the window; nullptr before.
    QWidget* Editor() const { return FEditor; }

    // Lets the property links forget a component that goes.
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    // ValueProperty names the published property that the links follow.
    TQvEditControl(TComponent* AOwner, const char* ValueProperty);

    // The widget that edits the value, a child of Parent.
    virtual QWidget* CreateEditor(QWidget* Parent) = 0;
    // Shows the current value in the editor widget, which exists.
    virtual void ShowValue() = 0;
    // The setter of a value: nothing when equal; else store, show and write to the links.
    template <class T> void ChangeValue(T& Field, const T& Value) {
        if (Field == Value) return;
        Field = Value;
        ValueChanged();
        GetPropertyLinks()->SetLink(Value);
    }
    // Call after the value changed: the widget shows it.
    void ValueChanged();
    // Applies an edit the user made in the widget; nothing while the widget is being given the
    // value, and a linked setting that refuses the value is reported, not thrown into Qt.
    void UserEdit(const std::function<void()>& Edit);

    void HostCreated(QWidget* Host) override;
    void FontChanged() override;
    void PaintEmbedded(QPainter& Painter) override;

private:
    const char* FValueProperty;
    // Made on first use: the value property is the derived class's, unknown while constructing.
    mutable std::unique_ptr<TQvPropertyLinks> FPropertyLinks;
    QPointer<QWidget> FEditor;
    bool FShowing = false;
};
