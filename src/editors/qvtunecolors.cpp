#include "editors/qvtunecolors.h"

#include "editors/qvpickers.h"
#include "strings/qvlocalize.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPainter>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>

using namespace Qvlocalize;

namespace {
[[maybe_unused]] const bool Registered = [] {
    RegisterClass<TQvTuneColorsDialog>();
    return true;
}();

// The old colour beside the new one.
QPixmap Comparison(TQvColor Before, TQvColor After) {
    QPixmap Pixmap(160, 40);
    Pixmap.fill(Qt::transparent);
    QPainter Painter(&Pixmap);
    TGPGraphics Graphics(&Painter);
    DrawColorSample(&Graphics, TGPRectF{0, 0, 80, 40}, Before);
    DrawColorSample(&Graphics, TGPRectF{80, 0, 80, 40}, After);
    return Pixmap;
}

QSlider* NewSlider(int Max, int Value, QWidget* Parent) {
    auto* Slider = new QSlider(Qt::Horizontal, Parent);
    Slider->setRange(0, Max);
    Slider->setValue(Value);
    Slider->setMinimumWidth(200);
    return Slider;
}
} // namespace

TQvTuneColorsForm::TQvTuneColorsForm(TQvColor Color, const QString& Caption, QWidget* Parent)
    : QDialog(Parent), FOriginal(Color), FTuned(Color) {
    setWindowTitle(Caption.isEmpty() ? STuneColorsCaption.Text() : Caption);
    FSample = new QLabel(this);
    FHue = NewSlider(360, int(std::lround(GetHue(Color))), this);
    FSaturation = NewSlider(100, int(std::lround(GetSaturation(Color) * 100)), this);
    FLightness = NewSlider(100, int(std::lround(GetBrightness(Color) * 100)), this);
    FOpacity = NewSlider(255, GetAlpha(Color), this);
    auto* Fields = new QFormLayout;
    Fields->addRow(STuneHue.Text(), FHue);
    Fields->addRow(STuneSaturation.Text(), FSaturation);
    Fields->addRow(STuneLightness.Text(), FLightness);
    Fields->addRow(STuneOpacity.Text(), FOpacity);
    auto* Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* Layout = new QVBoxLayout(this);
    Layout->addWidget(FSample, 0, Qt::AlignHCenter);
    Layout->addLayout(Fields);
    Layout->addWidget(Buttons);
    for (QSlider* Slider : {FHue, FSaturation, FLightness, FOpacity})
        connect(Slider, &QSlider::valueChanged, this, &TQvTuneColorsForm::Tune);
    FSample->setPixmap(Comparison(FOriginal, FTuned));
}

void TQvTuneColorsForm::Tune() {
    const TQvColor Opaque = HSLToColor(FLightness->value() / 100.0, FSaturation->value() / 100.0,
                                       FHue->value() / 360.0);
    FTuned = (Opaque & 0x00FFFFFF) | TQvColor(FOpacity->value()) << 24;
    FSample->setPixmap(Comparison(FOriginal, FTuned));
}

TQvTuneColorsDialog::TQvTuneColorsDialog(TComponent* AOwner)
    : TComponent(AOwner), FPropertyLinks(std::make_unique<TQvPropertyLinks>(this, "Color")) {}

TQvTuneColorsDialog::~TQvTuneColorsDialog() = default;

void TQvTuneColorsDialog::SetColor(TQvColor Value) {
    if (FColor == Value) return;
    FColor = Value;
    FPropertyLinks->SetLink(Value);
}

bool TQvTuneColorsDialog::Execute(QWidget* Parent) {
    TQvTuneColorsForm Form(FColor, FCaption, Parent);
    if (Form.exec() != QDialog::Accepted) return false;
    SetColor(Form.TunedColor());
    return true;
}

void TQvTuneColorsDialog::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    FPropertyLinks->Notification(AComponent, Operation);
}
