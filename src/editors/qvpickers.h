#pragma once

// Pickers: drop-down lists of colours, dash styles, area styles and point symbols, each entry
// shown with a sample drawn by the library's own drawing code, so the list looks like the
// chart will.

#include "editors/qveditcontrol.h"
#include "style/qvcolors.h"
#include "style/qvgdi.h"

class QComboBox;

// A colour swatch framed in grey, over a chequer board where the colour lets it through.
void DrawColorSample(TGPGraphics* Graphics, const TGPRectF& Rect, TQvColor Color);

// The list and its samples; a derived class says what the entries are and which is current.
class TQvSamplePicker : public TQvEditControl {
    Q_OBJECT
public:
    // The number of entries in the list.
    virtual int ItemCount() const = 0;
    // The text of entry Index.
    virtual QString ItemText(int Index) const = 0;
    // The entry that shows the current value, -1 when none does.
    virtual int ItemIndex() const = 0;
    // Draws the sample of entry Index into Rect.
    virtual void DrawSample(TGPGraphics* Graphics, const TGPRectF& Rect, int Index) const = 0;
    // The sample of entry Index as the list shows it.
    QImage SampleImage(int Index) const;

protected:
    using TQvEditControl::TQvEditControl;

    // The user chose entry Index.
    virtual void SelectItem(int Index) = 0;
    // The setter of a colour the samples are drawn in.
    void ChangeSampleColor(TQvColor& Field, TQvColor Value);

    QWidget* CreateEditor(QWidget* Parent) override;
    void ShowValue() override;

private:
    void FillList(QComboBox* Combo);
    QStringList FListedTexts;
};

// Every named colour, and the current colour first when it has no name.
class TQvColorPickCombo : public TQvSamplePicker {
    Q_OBJECT
    Q_PROPERTY(TQvColor Color READ GetColor WRITE SetColor)
public:
    Q_INVOKABLE explicit TQvColorPickCombo(TComponent* AOwner);

    TQvColor GetColor() const { return FColor; }
    void SetColor(TQvColor Value);

    int ItemCount() const override;
    QString ItemText(int Index) const override;
    int ItemIndex() const override;
    void DrawSample(TGPGraphics* Graphics, const TGPRectF& Rect, int Index) const override;

protected:
    void SelectItem(int Index) override;

private:
    bool Unnamed() const;
    TQvColor ItemColor(int Index) const;

    TQvColor FColor = 0xFF000000;
};

// The five dash styles (a custom pattern is shown as no entry).
class TQvDashStylePicker : public TQvSamplePicker {
    Q_OBJECT
    Q_PROPERTY(Gdip::TGPDashStyle DashStyle READ GetDashStyle WRITE SetDashStyle)
public:
    Q_INVOKABLE explicit TQvDashStylePicker(TComponent* AOwner);

    TGPDashStyle GetDashStyle() const { return FDashStyle; }
    void SetDashStyle(TGPDashStyle Value);

    int ItemCount() const override;
    QString ItemText(int Index) const override;
    int ItemIndex() const override;
    void DrawSample(TGPGraphics* Graphics, const TGPRectF& Rect, int Index) const override;

protected:
    void SelectItem(int Index) override;

private:
    TGPDashStyle FDashStyle = TGPDashStyle::Solid;
};

// A picker of styles whose samples are drawn in a colour of choice.
class TQvStylePicker : public TQvSamplePicker {
    Q_OBJECT
    Q_PROPERTY(TQvColor ForeColor READ GetForeColor WRITE SetForeColor)
public:
    TQvColor GetForeColor() const { return FForeColor; }
    void SetForeColor(TQvColor Value) { ChangeSampleColor(FForeColor, Value); }

protected:
    using TQvSamplePicker::TQvSamplePicker;

    TQvColor FForeColor = 0xFF000000;
};

// The hatches and the solid fill, drawn in ForeColor over BackColor.
class TQvAreaStylePicker : public TQvStylePicker {
    Q_OBJECT
    Q_PROPERTY(QvStyle::TQvAreaStyle AreaStyle READ GetAreaStyle WRITE SetAreaStyle)
    Q_PROPERTY(TQvColor BackColor READ GetBackColor WRITE SetBackColor)
public:
    Q_INVOKABLE explicit TQvAreaStylePicker(TComponent* AOwner);

    TQvAreaStyle GetAreaStyle() const { return FAreaStyle; }
    void SetAreaStyle(TQvAreaStyle Value);
    TQvColor GetBackColor() const { return FBackColor; }
    void SetBackColor(TQvColor Value);

    int ItemCount() const override;
    QString ItemText(int Index) const override;
    int ItemIndex() const override;
    void DrawSample(TGPGraphics* Graphics, const TGPRectF& Rect, int Index) const override;

protected:
    void SelectItem(int Index) override;

private:
    TQvAreaStyle FAreaStyle = TQvAreaStyle::Total;
    TQvColor FBackColor = 0xFFFFFFFF;
};

// The point symbols, outlined in ForeColor and filled with FillColor.
class TQvPointSymbolPicker : public TQvStylePicker {
    Q_OBJECT
    Q_PROPERTY(QvStyle::TQvPointSymbol PointSymbol READ GetPointSymbol WRITE SetPointSymbol)
    Q_PROPERTY(TQvColor FillColor READ GetFillColor WRITE SetFillColor)
public:
    Q_INVOKABLE explicit TQvPointSymbolPicker(TComponent* AOwner);

    TQvPointSymbol GetPointSymbol() const { return FPointSymbol; }
    void SetPointSymbol(TQvPointSymbol Value);
    TQvColor GetFillColor() const { return FFillColor; }
    void SetFillColor(TQvColor Value);

    int ItemCount() const override;
    QString ItemText(int Index) const override;
    int ItemIndex() const override;
    void DrawSample(TGPGraphics* Graphics, const TGPRectF& Rect, int Index) const override;

protected:
    void SelectItem(int Index) override;

private:
    TQvPointSymbol FPointSymbol = TQvPointSymbol::Square;
    TQvColor FFillColor = 0xFFFFFFFF;
};
