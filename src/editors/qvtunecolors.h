#pragma once

// The tune-colours dialog: a colour adjusted by hue, saturation, lightness and opacity, the old
// and the new colour side by side. Accepting writes the new colour to the dialog's links.

#include "style/qvcolors.h"
#include "style/qvpropertylink.h"

#include <QDialog>

#include <memory>

class QLabel;
class QSlider;

// The window itself; TQvTuneColorsDialog shows it modally.
class TQvTuneColorsForm : public QDialog {
    Q_OBJECT
public:
    TQvTuneColorsForm(TQvColor Color, const QString& Caption, QWidget* Parent = nullptr);

    // The colour as the sliders set it.
    TQvColor TunedColor() const { return FTuned; }
    // The sliders of hue, saturation, lightness and opacity.
    QSlider* HueSlider() const { return FHue; }
    // The saturation slider.
    QSlider* SaturationSlider() const { return FSaturation; }
    // The lightness slider.
    QSlider* LightnessSlider() const { return FLightness; }
    // The opacity slider.
    QSlider* OpacitySlider() const { return FOpacity; }

private:
    void Tune();

    TQvColor FOriginal;
    TQvColor FTuned;
    QSlider *FHue, *FSaturation, *FLightness, *FOpacity;
    QLabel* FSample;
};

// The component that shows the tune-colours dialog and writes the accepted colour to its links.
class TQvTuneColorsDialog : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TQvColor Color READ GetColor WRITE SetColor)
    Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
    Q_PROPERTY(TQvPropertyLinks* PropertyLinks READ GetPropertyLinks WRITE SetPropertyLinks)
public:
    Q_INVOKABLE explicit TQvTuneColorsDialog(TComponent* AOwner);
    ~TQvTuneColorsDialog() override;

    TQvColor GetColor() const { return FColor; }
    void SetColor(TQvColor Value);
    const QString& GetCaption() const { return FCaption; }
    void SetCaption(const QString& Value) { FCaption = Value; }
    TQvPropertyLinks* GetPropertyLinks() const { return FPropertyLinks.get(); }
    void SetPropertyLinks(TQvPropertyLinks* Value) { FPropertyLinks->Assign(Value); }

    // Shows the dialog for Color; true when the user accepted, the tuned colour then is Color.
    bool Execute(QWidget* Parent = nullptr);

    // Lets the property links forget a component that goes.
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TQvColor FColor = 0xFF808080;
    QString FCaption;
    std::unique_ptr<TQvPropertyLinks> FPropertyLinks;
};
