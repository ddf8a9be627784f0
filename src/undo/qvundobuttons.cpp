#include "undo/qvundobuttons.h"

#include "strings/qvlocalize.h"
#include "undo/qvundostack.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <qdrawutil.h>

#include <algorithm>

using namespace Qvlocalize;

namespace {
[[maybe_unused]] const bool Registered = [] {
    RegisterClass<TQvDropDnButton>();
    RegisterClass<TQvUndoButton>();
    RegisterClass<TQvRedoButton>();
    return true;
}();

constexpr int DefaultGlyphSize = 16;
constexpr int MaxVisibleSteps = 12;

QPalette::ColorGroup Group(bool Enabled) {
    return Enabled ? QPalette::Active : QPalette::Disabled;
}

// A curved arrow turning back to the left; mirrored it points forward.
void DrawTurningArrow(QPainter& Canvas, const QRect& Rect, const QColor& Color, bool Forward) {
    Canvas.save();
    Canvas.setRenderHint(QPainter::Antialiasing);
    Canvas.translate(Rect.center() + QPointF(0.5, 0.5));
    const qreal s = std::min(Rect.width(), Rect.height()) / 16.0;
    Canvas.scale(Forward ? -s : s, s);
    QPainterPath Arc;
    Arc.moveTo(5, 5);
    Arc.cubicTo(7, -1, 2, -5, -2, -4);
    Arc.lineTo(-4, -3.5);
    Canvas.setPen(QPen(Color, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    Canvas.drawPath(Arc);
    QPainterPath Head;
    Head.moveTo(-7, -3);
    Head.lineTo(-2, -7.5);
    Head.lineTo(-1.5, 0.5);
    Head.closeSubpath();
    Canvas.setPen(Qt::NoPen);
    Canvas.setBrush(Color);
    Canvas.drawPath(Head);
    Canvas.restore();
}

// Draws the entries from the top down to the marked one as selected.
class TMarkedStepsDelegate : public QStyledItemDelegate {
public:
    TMarkedStepsDelegate(const int& Marked, QObject* Parent)
        : QStyledItemDelegate(Parent), FMarked(Marked) {}
    void paint(QPainter* Painter, const QStyleOptionViewItem& Option,
               const QModelIndex& Index) const override {
        QStyleOptionViewItem Marked = Option;
        Marked.state.setFlag(QStyle::State_Selected, Index.row() <= FMarked);
        Marked.state.setFlag(QStyle::State_HasFocus, false);
        QStyledItemDelegate::paint(Painter, Marked, Index);
    }

private:
    const int& FMarked;
};

// The normal image made grey and faint, for a disabled button without an image of its own.
QImage Greyed(const QImage& Image) {
    QImage Grey = Image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < Grey.height(); ++y) {
        auto* Line = reinterpret_cast<QRgb*>(Grey.scanLine(y));
        for (int x = 0; x < Grey.width(); ++x) {
            const int g = qGray(Line[x]);
            Line[x] = qRgba(g, g, g, qAlpha(Line[x]) / 2);
        }
    }
    return Grey;
}
} // namespace

// ---- the button ----

TQvDropDnButton::TQvDropDnButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FIdle([this] { UpdateEnabled(); }) {
    SetBounds(0, 0, 80, 26);
}

TQvDropDnButton::~TQvDropDnButton() = default;

void TQvDropDnButton::SetCaption(const QString& Value) {
    FCaption = Value;
    Invalidate();
}

void TQvDropDnButton::SetGlyph(const QImage& Value) {
    FGlyph = Value;
    Invalidate();
}

void TQvDropDnButton::SetNumGlyphs(int Value) {
    FNumGlyphs = std::clamp(Value, 1, 4);
    Invalidate();
}

void TQvDropDnButton::SetLayout(TButtonLayout Value) {
    FLayout = Value;
    Invalidate();
}

void TQvDropDnButton::SetMargin(int Value) {
    FMargin = std::max(-1, Value);
    Invalidate();
}

void TQvDropDnButton::SetSpacing(int Value) {
    FSpacing = Value;
    Invalidate();
}

void TQvDropDnButton::SetTransparent(bool Value) {
    FTransparent = Value;
    Invalidate();
}

void TQvDropDnButton::SetFlat(bool Value) {
    FFlat = Value;
    Invalidate();
}

void TQvDropDnButton::SetStyle(TButtonStyle Value) {
    FStyle = Value;
    Invalidate();
}

void TQvDropDnButton::SetUndoStack(TQvUndoStack* Value) {
    if (ReplaceReference(this, FUndoStack, Value)) UpdateEnabled();
}

void TQvDropDnButton::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == TOperation::Remove && AComponent == FUndoStack) {
        FUndoStack = nullptr;
        UpdateEnabled();
    }
}

void TQvDropDnButton::UpdateEnabled() {
    SetEnabled(FUndoStack && CanPlay());
}

void TQvDropDnButton::ShowListWindow() {
    if (FUndoStack) TQvUndoListFrm::Instance()->ShowFor(this);
}

// ---- mouse ----

TQvDropDnButton::TPart TQvDropDnButton::PartAt(int X, int Y) const {
    if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return TPart::None;
    return X >= FWidth - ArrowWidth ? TPart::Arrow : TPart::Main;
}

void TQvDropDnButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != TMouseButton::Left) return;
    FPressed = FHot = PartAt(X, Y);
    Invalidate();
}

void TQvDropDnButton::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    const TPart Part = PartAt(X, Y);
    if (Part == FHot) return;
    FHot = Part;
    Invalidate();
}

void TQvDropDnButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TPart Pressed = std::exchange(FPressed, TPart::None);
    Invalidate();
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (Button != TMouseButton::Left || Pressed != PartAt(X, Y)) return;
    if (Pressed == TPart::Main)
        MainClick();
    else if (Pressed == TPart::Arrow)
        ShowListWindow();
}

void TQvDropDnButton::MouseEnter() {
    TGraphicControl::MouseEnter();
    FMouseInside = true;
    Invalidate();
}

void TQvDropDnButton::MouseLeave() {
    TGraphicControl::MouseLeave();
    FMouseInside = false;
    FHot = TPart::None;
    Invalidate();
}

// ---- painting ----

void TQvDropDnButton::Paint(QPainter& Canvas) {
    const QRect Main(0, 0, FWidth - ArrowWidth, FHeight);
    const QRect Arrow(FWidth - ArrowWidth, 0, ArrowWidth, FHeight);
    const bool MainDown = FPressed == TPart::Main && FHot == TPart::Main;
    const bool ArrowDown = FPressed == TPart::Arrow && FHot == TPart::Arrow;
    PaintFace(Canvas, Main, MainDown);
    PaintFace(Canvas, Arrow, ArrowDown);
    PaintContent(Canvas, Main, MainDown);

    QStyleOption Option;
    Option.rect = Arrow.adjusted(3, 0, -3, 0).translated(ArrowDown ? 1 : 0, ArrowDown ? 1 : 0);
    Option.palette = QApplication::palette();
    Option.state = FEnabled ? QStyle::State_Enabled : QStyle::State_None;
    QApplication::style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &Option, &Canvas);
}

void TQvDropDnButton::PaintFace(QPainter& Canvas, const QRect& Rect, bool Down) const {
    const bool Raised = !FFlat || FMouseInside || Down;
    const QPalette Palette = QApplication::palette();
    const QColor Face = Palette.color(Group(FEnabled), QPalette::Button);
    switch (FStyle) {
    case TButtonStyle::Themed: {
        if (!Raised) return;
        QStyleOptionButton Option;
        Option.rect = Rect;
        Option.palette = Palette;
        Option.state = (FEnabled ? QStyle::State_Enabled : QStyle::State_None) |
                       (Down ? QStyle::State_Sunken : QStyle::State_Raised);
        if (FMouseInside) Option.state |= QStyle::State_MouseOver;
        QApplication::style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &Option, &Canvas);
        return;
    }
    case TButtonStyle::Gradient: {
        if (!FTransparent || Raised) {
            QLinearGradient Gradient(Rect.topLeft(), Rect.bottomLeft());
            Gradient.setColorAt(Down ? 1 : 0, Face.lighter(118));
            Gradient.setColorAt(Down ? 0 : 1, Face.darker(112));
            Canvas.fillRect(Rect, Gradient);
        }
        if (Raised) {
            Canvas.setPen(Palette.color(Group(FEnabled), QPalette::Mid));
            Canvas.setBrush(Qt::NoBrush);
            Canvas.drawRect(Rect.adjusted(0, 0, -1, -1));
        }
        return;
    }
    case TButtonStyle::Normal:
        if (!FTransparent) Canvas.fillRect(Rect, Face);
        if (Raised) qDrawShadePanel(&Canvas, Rect, Palette, Down, 1);
        return;
    }
}

QImage TQvDropDnButton::GlyphImage(bool Down) const {
    if (FGlyph.isNull()) return QImage();
    const int Width = FGlyph.width() / FNumGlyphs;
    const auto Part = [&](int Index) {
        return FGlyph.copy(Index * Width, 0, Width, FGlyph.height());
    };
    if (!FEnabled) return FNumGlyphs > 1 ? Part(1) : Greyed(Part(0));
    return Down && FNumGlyphs > 2 ? Part(2) : Part(0);
}

void TQvDropDnButton::PaintContent(QPainter& Canvas, const QRect& Rect, bool Down) const {
    const QImage Glyph = GlyphImage(Down);
    const QSize GlyphSize =
        Glyph.isNull() ? QSize(DefaultGlyphSize, DefaultGlyphSize) : Glyph.size();
    Canvas.setFont(GetFont()->ToQt());
    const QFontMetrics Metrics(Canvas.font());
    const QSize TextSize = FCaption.isEmpty() ? QSize() : Metrics.size(0, FCaption);
    const bool Across = FLayout == TButtonLayout::GlyphLeft || FLayout == TButtonLayout::GlyphRight;
    const int Gap = FCaption.isEmpty() ? 0 : FSpacing;
    const QSize Total = Across ? QSize(GlyphSize.width() + Gap + TextSize.width(),
                                       std::max(GlyphSize.height(), TextSize.height()))
                               : QSize(std::max(GlyphSize.width(), TextSize.width()),
                                       GlyphSize.height() + Gap + TextSize.height());
    // The block of glyph and caption, at Margin from the glyph's edge or centred.
    QRect Block(QPoint(), Total);
    Block.moveCenter(Rect.center());
    if (FMargin >= 0) switch (FLayout) {
        case TButtonLayout::GlyphLeft:
            Block.moveLeft(Rect.left() + FMargin);
            break;
        case TButtonLayout::GlyphRight:
            Block.moveRight(Rect.right() - FMargin);
            break;
        case TButtonLayout::GlyphTop:
            Block.moveTop(Rect.top() + FMargin);
            break;
        case TButtonLayout::GlyphBottom:
            Block.moveBottom(Rect.bottom() - FMargin);
            break;
        }
    if (Down) Block.translate(1, 1);
    QRect GlyphRect(QPoint(), GlyphSize), TextRect(QPoint(), TextSize);
    switch (FLayout) {
    case TButtonLayout::GlyphLeft:
        GlyphRect.moveTopLeft({Block.left(), Block.center().y() - GlyphSize.height() / 2});
        TextRect.moveTopLeft(
            {GlyphRect.right() + 1 + Gap, Block.center().y() - TextSize.height() / 2});
        break;
    case TButtonLayout::GlyphRight:
        TextRect.moveTopLeft({Block.left(), Block.center().y() - TextSize.height() / 2});
        GlyphRect.moveTopLeft(
            {TextRect.right() + 1 + Gap, Block.center().y() - GlyphSize.height() / 2});
        break;
    case TButtonLayout::GlyphTop:
        GlyphRect.moveTopLeft({Block.center().x() - GlyphSize.width() / 2, Block.top()});
        TextRect.moveTopLeft(
            {Block.center().x() - TextSize.width() / 2, GlyphRect.bottom() + 1 + Gap});
        break;
    case TButtonLayout::GlyphBottom:
        TextRect.moveTopLeft({Block.center().x() - TextSize.width() / 2, Block.top()});
        GlyphRect.moveTopLeft(
            {Block.center().x() - GlyphSize.width() / 2, TextRect.bottom() + 1 + Gap});
        break;
    }
    if (Glyph.isNull())
        DrawDefaultGlyph(Canvas, GlyphRect);
    else
        Canvas.drawImage(GlyphRect.topLeft(), Glyph);
    if (!FCaption.isEmpty()) {
        Canvas.setPen(QApplication::palette().color(Group(FEnabled), QPalette::ButtonText));
        Canvas.drawText(TextRect, Qt::AlignCenter, FCaption);
    }
}

void TQvDropDnButton::DrawDefaultGlyph(QPainter&, const QRect&) const {}

// ---- undo and redo ----

TQvUndoButton::TQvUndoButton(TComponent* AOwner) : TQvDropDnButton(AOwner) {
    SetCaption(SUndoButtonCaption.Text());
}

bool TQvUndoButton::CanPlay() const {
    const TQvUndoStack* Stack = GetUndoStack();
    return Stack && (ListsRedo() ? Stack->CanRedo() : Stack->CanUndo());
}

void TQvUndoButton::MainClick() {
    if (!CanPlay()) return;
    if (ListsRedo())
        GetUndoStack()->Redo(0);
    else
        GetUndoStack()->Undo(0);
}

void TQvUndoButton::DrawDefaultGlyph(QPainter& Canvas, const QRect& Rect) const {
    DrawTurningArrow(Canvas, Rect, FEnabled ? QColor(0x1F, 0x5F, 0xB4) : QColor(0xA0, 0xA0, 0xA0),
                     ListsRedo());
}

TQvRedoButton::TQvRedoButton(TComponent* AOwner) : TQvUndoButton(AOwner) {
    SetCaption(SRedoButtonCaption.Text());
}

// ---- the list window ----

TQvUndoListFrm::TQvUndoListFrm(TComponent* AOwner) : TForm(AOwner) {
    SetBounds(0, 0, 220, 160);
}

TQvUndoListFrm* TQvUndoListFrm::Instance() {
    static QPointer<TQvUndoListFrm> Window;
    if (!Window) Window = new TQvUndoListFrm(Application());
    return Window;
}

void TQvUndoListFrm::HostCreated(QWidget* Host) {
    TForm::HostCreated(Host);
    Host->setWindowFlags(Qt::Popup);
    Host->installEventFilter(this);
    auto* Layout = new QVBoxLayout(Host);
    Layout->setContentsMargins(1, 1, 1, 1);
    Layout->setSpacing(0);
    FLevelsList = new QListWidget(Host);
    // The pointer marks the entries, not the clicks.
    FLevelsList->setSelectionMode(QAbstractItemView::NoSelection);
    FLevelsList->setItemDelegate(new TMarkedStepsDelegate(FMarked, FLevelsList));
    FLevelsList->setMouseTracking(true);
    FLevelsList->viewport()->setMouseTracking(true);
    FLevelsList->setFocusPolicy(Qt::NoFocus);
    FLevelsList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FCaptionLabel = new QLabel(Host);
    FCaptionLabel->setAlignment(Qt::AlignCenter);
    FCaptionLabel->setContentsMargins(4, 3, 4, 3);
    Layout->addWidget(FLevelsList);
    Layout->addWidget(FCaptionLabel);
    QObject::connect(FLevelsList, &QListWidget::entered, this,
                     [this](const QModelIndex& Index) { HoverItem(Index.row()); });
    QObject::connect(FLevelsList, &QListWidget::clicked, this, [this](const QModelIndex& Index) {
        Application()->Guarded(this, [&] { ChooseItem(Index.row()); });
    });
}

QListWidget* TQvUndoListFrm::LevelsList() {
    Widget();
    return FLevelsList;
}

QLabel* TQvUndoListFrm::CaptionLabel() {
    Widget();
    return FCaptionLabel;
}

QString TQvUndoListFrm::CaptionFor(int Index) const {
    if (Index <= 0) return (FRedo ? SRedoLastOperation : SUndoLastOperation).Text();
    return Format(FRedo ? SRedoLastOperations : SUndoLastOperations, {Index + 1});
}

void TQvUndoListFrm::ShowFor(TQvDropDnButton* Button) {
    ReplaceReference(this, FParentBtn, Button);
    FRedo = Button->ListsRedo();
    QListWidget* List = LevelsList();
    List->setFont(Button->GetFont()->ToQt());
    CaptionLabel()->setFont(List->font());
    const TQvUndoStack* Stack = Button->GetUndoStack();
    List->clear();
    if (Stack)
        List->addItems((FRedo ? static_cast<TStrings*>(Stack->RedoList())
                              : static_cast<TStrings*>(Stack->UndoList()))
                           ->ToStringList());
    HoverItem(0);

    // As wide as the button at least, as high as the steps up to a dozen; below the button,
    // moved left or above it where the screen ends.
    const int Rows = std::clamp(List->count(), 1, MaxVisibleSteps);
    const int RowHeight = std::max(List->sizeHintForRow(0), QFontMetrics(List->font()).height());
    const int Width = std::max({Button->GetWidth(), 180, List->sizeHintForColumn(0) + 24});
    List->setMinimumHeight(RowHeight + 2 * List->frameWidth());
    const int Height = std::max(Rows * RowHeight + 2 * List->frameWidth() +
                                    CaptionLabel()->sizeHint().height() + 6,
                                Widget()->minimumSizeHint().height());
    const QPoint Below = Button->ClientToScreen(QPoint(0, Button->GetHeight()));
    const QScreen* Screen = QGuiApplication::screenAt(Below);
    if (!Screen) Screen = QGuiApplication::primaryScreen();
    const QRect Area = Screen ? Screen->availableGeometry() : QRect(Below, QSize(Width, Height));
    int X = std::max(Area.left(), std::min(Below.x(), Area.right() + 1 - Width));
    int Y = Below.y();
    if (Y + Height > Area.bottom() + 1)
        Y = std::max(Area.top(), Below.y() - Button->GetHeight() - Height);
    SetBounds(X, Y, Width, Height);
    Show();
}

void TQvUndoListFrm::HoverItem(int Index) {
    QListWidget* List = LevelsList();
    FMarked = std::clamp(Index, 0, std::max(0, List->count() - 1));
    if (FMarked < List->count()) List->setCurrentRow(FMarked, QItemSelectionModel::NoUpdate);
    List->viewport()->update();
    CaptionLabel()->setText(CaptionFor(FMarked));
}

void TQvUndoListFrm::ChooseItem(int Index) {
    TQvDropDnButton* Button = FParentBtn;
    Hide();
    TQvUndoStack* Stack = Button ? Button->GetUndoStack() : nullptr;
    if (!Stack) return;
    if (FRedo)
        Stack->Redo(Index);
    else
        Stack->Undo(Index);
}

void TQvUndoListFrm::KeyDown(int& Key, TShiftState Shift) {
    TForm::KeyDown(Key, Shift);
    if (Key == Qt::Key_Escape) Hide();
}

// A popup closes itself on a click elsewhere: the form follows its window.
bool TQvUndoListFrm::eventFilter(QObject* Watched, QEvent* Event) {
    if (Event->type() == QEvent::Hide && GetVisible()) SetVisible(false);
    return TForm::eventFilter(Watched, Event);
}

void TQvUndoListFrm::Notification(TComponent* AComponent, TOperation Operation) {
    TForm::Notification(AComponent, Operation);
    if (Operation == TOperation::Remove && AComponent == FParentBtn) FParentBtn = nullptr;
}
