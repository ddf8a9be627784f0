#include "editors/qvpickers.h"

#include "style/qvdrawing.h"

#include <QComboBox>
#include <QMetaEnum>
#include <QPainter>
#include <QRegularExpression>

namespace {
[[maybe_unused]] const bool Registered = [] {
    RegisterClass<TQvColorPickCombo>();
    RegisterClass<TQvDashStylePicker>();
    RegisterClass<TQvAreaStylePicker>();
    RegisterClass<TQvPointSymbolPicker>();
    return true;
}();

const QSize SampleSize(36, 16);
constexpr TQvColor FrameColor = 0xFF808080;
constexpr int DashStyleCount = int(TGPDashStyle::Custom);

// An enumeration's identifier in words: "DashDotDot" is "Dash dot dot", "Percent05" is "5 %".
template <class E> QString EnumText(E Value) {
    const QString Key = QString::fromLatin1(QMetaEnum::fromType<E>().valueToKey(int(Value)));
    static const QRegularExpression Percent(QStringLiteral("^Percent(\\d+)$"));
    if (const auto Match = Percent.match(Key); Match.hasMatch())
        return QString::number(Match.captured(1).toInt()) + QStringLiteral(" %");
    QString Text;
    for (qsizetype i = 0; i < Key.size(); ++i) {
        if (i > 0 && Key[i].isUpper()) Text += u' ';
        Text += i > 0 ? Key[i].toLower() : Key[i];
    }
    return Text;
}

void DrawFrame(TGPGraphics* Graphics, const TGPRectF& Rect) {
    Graphics->DrawRectangle(TGPPen(FrameColor), Rect.X, Rect.Y, Rect.Width - 1, Rect.Height - 1);
}
} // namespace

void DrawColorSample(TGPGraphics* Graphics, const TGPRectF& Rect, TQvColor Color) {
    Graphics->FillRectangle(*GetAreaBrush(TQvAreaStyle::LargeCheckerBoard, 0xFFC8C8C8, 0xFFFFFFFF),
                            Rect);
    Graphics->FillRectangle(TGPSolidBrush(Color), Rect);
    DrawFrame(Graphics, Rect);
}

// ---- the list ----

QImage TQvSamplePicker::SampleImage(int Index) const {
    QImage Image(SampleSize, QImage::Format_ARGB32_Premultiplied);
    Image.fill(Qt::transparent);
    QPainter Painter(&Image);
    TGPGraphics Graphics(&Painter);
    DrawSample(&Graphics, TGPRectF{0, 0, float(SampleSize.width()), float(SampleSize.height())},
               Index);
    return Image;
}

void TQvSamplePicker::ChangeSampleColor(TQvColor& Field, TQvColor Value) {
    if (Field == Value) return;
    Field = Value;
    // The list is made again with the new samples.
    FListedTexts.clear();
    ValueChanged();
}

QWidget* TQvSamplePicker::CreateEditor(QWidget* Parent) {
    auto* Combo = new QComboBox(Parent);
    Combo->setIconSize(SampleSize);
    Combo->setMaxVisibleItems(12);
    QObject::connect(Combo, &QComboBox::activated, this,
                     [this](int Index) { UserEdit([&] { SelectItem(Index); }); });
    return Combo;
}

void TQvSamplePicker::FillList(QComboBox* Combo) {
    QStringList Texts;
    for (int i = 0; i < ItemCount(); ++i)
        Texts.append(ItemText(i));
    if (Texts == FListedTexts) return;
    Combo->clear();
    for (int i = 0; i < Texts.size(); ++i)
        Combo->addItem(QIcon(QPixmap::fromImage(SampleImage(i))), Texts[i]);
    FListedTexts = Texts;
}

void TQvSamplePicker::ShowValue() {
    auto* Combo = static_cast<QComboBox*>(Editor());
    FillList(Combo);
    Combo->setCurrentIndex(ItemIndex());
}

// ---- colours ----

TQvColorPickCombo::TQvColorPickCombo(TComponent* AOwner) : TQvSamplePicker(AOwner, "Color") {}

void TQvColorPickCombo::SetColor(TQvColor Value) {
    ChangeValue(FColor, Value);
}

bool TQvColorPickCombo::Unnamed() const {
    for (int i = 0; i < NamedColorCount(); ++i)
        if (NamedColorValue(i) == FColor) return false;
    return true;
}

int TQvColorPickCombo::ItemCount() const {
    return NamedColorCount() + (Unnamed() ? 1 : 0);
}

TQvColor TQvColorPickCombo::ItemColor(int Index) const {
    return Unnamed() ? (Index == 0 ? FColor : NamedColorValue(Index - 1)) : NamedColorValue(Index);
}

QString TQvColorPickCombo::ItemText(int Index) const {
    if (Unnamed()) return Index == 0 ? ARGBToString(FColor) : NamedColorName(Index - 1);
    return NamedColorName(Index);
}

int TQvColorPickCombo::ItemIndex() const {
    for (int i = 0; i < ItemCount(); ++i)
        if (ItemColor(i) == FColor) return i;
    return -1;
}

void TQvColorPickCombo::DrawSample(TGPGraphics* Graphics, const TGPRectF& Rect, int Index) const {
    DrawColorSample(Graphics, Rect, ItemColor(Index));
}

void TQvColorPickCombo::SelectItem(int Index) {
    SetColor(ItemColor(Index));
}

// ---- dash styles ----

TQvDashStylePicker::TQvDashStylePicker(TComponent* AOwner) : TQvSamplePicker(AOwner, "DashStyle") {}

void TQvDashStylePicker::SetDashStyle(TGPDashStyle Value) {
    ChangeValue(FDashStyle, Value);
}

int TQvDashStylePicker::ItemCount() const {
    return DashStyleCount;
}

QString TQvDashStylePicker::ItemText(int Index) const {
    return EnumText(TGPDashStyle(Index));
}

int TQvDashStylePicker::ItemIndex() const {
    return FDashStyle == TGPDashStyle::Custom ? -1 : int(FDashStyle);
}

void TQvDashStylePicker::DrawSample(TGPGraphics* Graphics, const TGPRectF& Rect, int Index) const {
    TGPPen Pen(0xFF000000, 2);
    Pen.SetDashStyle(TGPDashStyle(Index));
    const float Y = Rect.Y + Rect.Height / 2;
    Graphics->DrawLine(Pen, Rect.X + 1, Y, Rect.X + Rect.Width - 1, Y);
}

void TQvDashStylePicker::SelectItem(int Index) {
    SetDashStyle(TGPDashStyle(Index));
}

// ---- area styles ----

TQvAreaStylePicker::TQvAreaStylePicker(TComponent* AOwner) : TQvStylePicker(AOwner, "AreaStyle") {}

void TQvAreaStylePicker::SetAreaStyle(TQvAreaStyle Value) {
    ChangeValue(FAreaStyle, Value);
}

void TQvAreaStylePicker::SetBackColor(TQvColor Value) {
    ChangeSampleColor(FBackColor, Value);
}

int TQvAreaStylePicker::ItemCount() const {
    return QvStyle::HatchStyleCount + 1;
}

QString TQvAreaStylePicker::ItemText(int Index) const {
    return EnumText(TQvAreaStyle(Index));
}

int TQvAreaStylePicker::ItemIndex() const {
    return int(FAreaStyle);
}

void TQvAreaStylePicker::DrawSample(TGPGraphics* Graphics, const TGPRectF& Rect, int Index) const {
    Graphics->FillRectangle(*GetAreaBrush(TQvAreaStyle(Index), FForeColor, FBackColor), Rect);
    DrawFrame(Graphics, Rect);
}

void TQvAreaStylePicker::SelectItem(int Index) {
    SetAreaStyle(TQvAreaStyle(Index));
}

// ---- point symbols ----

TQvPointSymbolPicker::TQvPointSymbolPicker(TComponent* AOwner)
    : TQvStylePicker(AOwner, "PointSymbol") {}

void TQvPointSymbolPicker::SetPointSymbol(TQvPointSymbol Value) {
    ChangeValue(FPointSymbol, Value);
}

void TQvPointSymbolPicker::SetFillColor(TQvColor Value) {
    ChangeSampleColor(FFillColor, Value);
}

int TQvPointSymbolPicker::ItemCount() const {
    return QvStyle::PointSymbolCount;
}

QString TQvPointSymbolPicker::ItemText(int Index) const {
    return EnumText(TQvPointSymbol(Index));
}

int TQvPointSymbolPicker::ItemIndex() const {
    return int(FPointSymbol);
}

void TQvPointSymbolPicker::DrawSample(TGPGraphics* Graphics, const TGPRectF& Rect,
                                      int Index) const {
    Graphics->SetSmoothingMode(TGPSmoothingMode::AntiAlias);
    const TGPPen Pen(FForeColor, 1.5f);
    const TGPSolidBrush Brush(FFillColor);
    DrawPointSymbol(Graphics, &Pen, &Brush, Rect.Height - 4, Rect.X + Rect.Width / 2,
                    Rect.Y + Rect.Height / 2, TQvPointSymbol(Index));
}

void TQvPointSymbolPicker::SelectItem(int Index) {
    SetPointSymbol(TQvPointSymbol(Index));
}
