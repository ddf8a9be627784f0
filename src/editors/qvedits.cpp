#include "editors/qvedits.h"

#include <QDoubleSpinBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {
// Documents create editors by their class name.
[[maybe_unused]] const bool Registered = [] {
    RegisterClass<TQvCaptionEdit>();
    RegisterClass<TQvIntEdit>();
    RegisterClass<TQvDoubleEdit>();
    RegisterClass<TQvNumUpDown>();
    return true;
}();

// Text in the application's locale, else in the C form.
template <class T>
bool ReadNumber(const QString& Text, T (QLocale::*Read)(QStringView, bool*) const, T& Value) {
    bool Ok = false;
    Value = (QLocale().*Read)(Text.trimmed(), &Ok);
    if (!Ok) Value = (QLocale::c().*Read)(Text.trimmed(), &Ok);
    return Ok;
}
} // namespace

// ---- caption edit ----

TQvCaptionEdit::TQvCaptionEdit(TComponent* AOwner) : TQvEditControl(AOwner, "Text") {}

void TQvCaptionEdit::SetText(const QString& Value) {
    ChangeValue(FText, Value);
}

QWidget* TQvCaptionEdit::CreateEditor(QWidget* Parent) {
    auto* Edit = new QLineEdit(Parent);
    QObject::connect(Edit, &QLineEdit::editingFinished, this,
                     [this, Edit] { UserEdit([&] { SetText(Edit->text()); }); });
    return Edit;
}

void TQvCaptionEdit::ShowValue() {
    static_cast<QLineEdit*>(Editor())->setText(FText);
}

// ---- number edits ----

QWidget* TQvNumberEdit::CreateEditor(QWidget* Parent) {
    auto* Edit = new QLineEdit(Parent);
    QObject::connect(Edit, &QLineEdit::editingFinished, this, [this, Edit] {
        UserEdit([&] {
            if (!ApplyText(Edit->text())) ValueChanged();
        });
    });
    return Edit;
}

void TQvNumberEdit::ShowValue() {
    static_cast<QLineEdit*>(Editor())->setText(ValueText());
}

TQvIntEdit::TQvIntEdit(TComponent* AOwner) : TQvNumberEdit(AOwner, "Value") {}

void TQvIntEdit::SetValue(int Value) {
    ChangeValue(FValue, Value);
}

QString TQvIntEdit::ValueText() const {
    return QLocale().toString(FValue);
}

bool TQvIntEdit::ApplyText(const QString& Text) {
    int Value = 0;
    if (!ReadNumber(Text, &QLocale::toInt, Value)) return false;
    SetValue(Value);
    return true;
}

TQvDoubleEdit::TQvDoubleEdit(TComponent* AOwner) : TQvNumberEdit(AOwner, "Value") {}

void TQvDoubleEdit::SetValue(double Value) {
    if (!(std::isnan(FValue) && std::isnan(Value))) ChangeValue(FValue, Value);
}

QString TQvDoubleEdit::ValueText() const {
    return QLocale().toString(FValue, 'g', QLocale::FloatingPointShortest);
}

bool TQvDoubleEdit::ApplyText(const QString& Text) {
    double Value = 0;
    if (!ReadNumber(Text, &QLocale::toDouble, Value)) return false;
    SetValue(Value);
    // The text shows the value as it is kept ("1.50" becomes "1.5").
    ValueChanged();
    return true;
}

// ---- up-down ----

TQvNumUpDown::TQvNumUpDown(TComponent* AOwner) : TQvEditControl(AOwner, "Value") {
    SetWidth(90);
}

double TQvNumUpDown::Clamped(double Value) const {
    const double Scale = std::pow(10.0, FDecimals);
    return std::clamp(std::round(Value * Scale) / Scale, FMin, FMax);
}

void TQvNumUpDown::SetValue(double Value) {
    if (!std::isnan(Value)) ChangeValue(FValue, Clamped(Value));
}

// Limits and steps shape the control; the value they clamp is no edit of the linked settings.
void TQvNumUpDown::SetMin(double Value) {
    FMin = Value;
    FMax = std::max(FMax, Value);
    FValue = Clamped(FValue);
    ValueChanged();
}

void TQvNumUpDown::SetMax(double Value) {
    FMax = Value;
    FMin = std::min(FMin, Value);
    FValue = Clamped(FValue);
    ValueChanged();
}

void TQvNumUpDown::SetIncrement(double Value) {
    FIncrement = Value;
    ValueChanged();
}

void TQvNumUpDown::SetDecimals(int Value) {
    FDecimals = std::clamp(Value, 0, 15);
    FValue = Clamped(FValue);
    ValueChanged();
}

QWidget* TQvNumUpDown::CreateEditor(QWidget* Parent) {
    auto* Box = new QDoubleSpinBox(Parent);
    Box->setKeyboardTracking(false);
    QObject::connect(Box, &QDoubleSpinBox::valueChanged, this,
                     [this](double Value) { UserEdit([&] { SetValue(Value); }); });
    return Box;
}

void TQvNumUpDown::ShowValue() {
    auto* Box = static_cast<QDoubleSpinBox*>(Editor());
    Box->setDecimals(FDecimals);
    Box->setRange(FMin, FMax);
    Box->setSingleStep(FIncrement);
    Box->setValue(FValue);
}
