#include "editors/qveditcontrol.h"

#include "framework/qvforms.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QScopedValueRollback>

TQvEditControl::TQvEditControl(TComponent* AOwner, const char* ValueProperty)
    : TWinControl(AOwner), FValueProperty(ValueProperty) {
    SetBounds(0, 0, 150, 24);
}

TQvEditControl::~TQvEditControl() {
    // The widget outlives this part of the control: a focus it loses then is no edit.
    if (FEditor) QObject::disconnect(FEditor, nullptr, this, nullptr);
}

TQvPropertyLinks* TQvEditControl::GetPropertyLinks() const {
    if (!FPropertyLinks)
        FPropertyLinks =
            std::make_unique<TQvPropertyLinks>(const_cast<TQvEditControl*>(this), FValueProperty);
    return FPropertyLinks.get();
}

void TQvEditControl::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (FPropertyLinks) FPropertyLinks->Notification(AComponent, Operation);
}

void TQvEditControl::HostCreated(QWidget* Host) {
    TWinControl::HostCreated(Host);
    auto* Layout = new QHBoxLayout(Host);
    Layout->setContentsMargins(0, 0, 0, 0);
    FEditor = CreateEditor(Host);
    Layout->addWidget(FEditor);
    FEditor->setFont(GetFont()->ToQt());
    Host->setFocusProxy(FEditor);
    ValueChanged();
}

void TQvEditControl::FontChanged() {
    TWinControl::FontChanged();
    if (FEditor) FEditor->setFont(GetFont()->ToQt());
}

void TQvEditControl::PaintEmbedded(QPainter& Painter) {
    if (FEditor) FEditor->render(&Painter, QPoint(), QRegion(), QWidget::DrawChildren);
}

void TQvEditControl::UserEdit(const std::function<void()>& Edit) {
    if (!FShowing) Application()->Guarded(this, Edit);
}

void TQvEditControl::ValueChanged() {
    if (!FEditor || FShowing) return;
    const QScopedValueRollback Showing(FShowing, true);
    ShowValue();
}
