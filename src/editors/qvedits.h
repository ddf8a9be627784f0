#pragma once

// Text and number editors: a caption edit, integer and floating-point edits, and a numeric
// up-down. An edit applies its text when the user presses Return or leaves it; text that does not
// read as a number puts the current value back.

#include "editors/qveditcontrol.h"

#include <limits>

class QLineEdit;

class TQvCaptionEdit : public TQvEditControl {
    Q_OBJECT
    Q_PROPERTY(QString Text READ GetText WRITE SetText)
public:
    Q_INVOKABLE explicit TQvCaptionEdit(TComponent* AOwner);

    const QString& GetText() const { return FText; }
    void SetText(const QString& Value);

protected:
    QWidget* CreateEditor(QWidget* Parent) override;
    void ShowValue() override;

private:
    QString FText;
};

// What the integer and floating-point edits share: a line edit whose text is the value.
class TQvNumberEdit : public TQvEditControl {
    Q_OBJECT
protected:
    using TQvEditControl::TQvEditControl;

    // The value as text, and text read as a value: false when it is not a number.
    virtual QString ValueText() const = 0;
    virtual bool ApplyText(const QString& Text) = 0;

    QWidget* CreateEditor(QWidget* Parent) override;
    void ShowValue() override;
};

// An edit for a whole number.
class TQvIntEdit : public TQvNumberEdit {
    Q_OBJECT
    Q_PROPERTY(int Value READ GetValue WRITE SetValue)
public:
    Q_INVOKABLE explicit TQvIntEdit(TComponent* AOwner);

    int GetValue() const { return FValue; }
    void SetValue(int Value);

protected:
    QString ValueText() const override;
    bool ApplyText(const QString& Text) override;

private:
    int FValue = 0;
};

// Numbers are shown and read in the application's locale; the C form ("1.5e-3") always reads.
class TQvDoubleEdit : public TQvNumberEdit {
    Q_OBJECT
    Q_PROPERTY(double Value READ GetValue WRITE SetValue)
public:
    Q_INVOKABLE explicit TQvDoubleEdit(TComponent* AOwner);

    double GetValue() const { return FValue; }
    void SetValue(double Value);

protected:
    QString ValueText() const override;
    bool ApplyText(const QString& Text) override;

private:
    double FValue = 0;
};

// A number stepped by Increment between Min and Max with arrows, the wheel or the arrow keys;
// typed text applies on Return or when the control is left.
class TQvNumUpDown : public TQvEditControl {
    Q_OBJECT
    Q_PROPERTY(double Value READ GetValue WRITE SetValue)
    Q_PROPERTY(double Min READ GetMin WRITE SetMin)
    Q_PROPERTY(double Max READ GetMax WRITE SetMax)
    Q_PROPERTY(double Increment READ GetIncrement WRITE SetIncrement)
    Q_PROPERTY(int Decimals READ GetDecimals WRITE SetDecimals)
public:
    Q_INVOKABLE explicit TQvNumUpDown(TComponent* AOwner);

    double GetValue() const { return FValue; }
    // Clamped into Min..Max.
    void SetValue(double Value);
    double GetMin() const { return FMin; }
    void SetMin(double Value);
    double GetMax() const { return FMax; }
    void SetMax(double Value);
    double GetIncrement() const { return FIncrement; }
    void SetIncrement(double Value);
    // Digits after the decimal point, 0 to 15; the value is rounded to them.
    int GetDecimals() const { return FDecimals; }
    void SetDecimals(int Value);

protected:
    QWidget* CreateEditor(QWidget* Parent) override;
    void ShowValue() override;

private:
    // Rounded to the decimals and kept within Min..Max.
    double Clamped(double Value) const;

    double FValue = 0;
    double FMin = 0;
    double FMax = 100;
    double FIncrement = 1;
    int FDecimals = 0;
};
