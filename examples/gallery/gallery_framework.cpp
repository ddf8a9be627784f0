// The control framework on its own: a panel with graphic children placed by alignment and
// anchors, and a windowed child panel with children of its own.

#include "gallerypage.h"

#include <QPainter>

namespace {
class TTile : public TGraphicControl {
public:
    TTile(TComponent* AOwner, TWinControl* AParent, const QString& AName, QColor AColor)
        : TGraphicControl(AOwner), FColor(AColor) {
        SetName(AName);
        SetParent(AParent);
    }

    void Paint(QPainter& Canvas) override {
        const QRectF R(0.5, 0.5, GetWidth() - 1, GetHeight() - 1);
        Canvas.setRenderHint(QPainter::Antialiasing);
        Canvas.setPen(QPen(FColor.darker(160), 1));
        Canvas.setBrush(FColor);
        Canvas.drawRoundedRect(R, 6, 6);
        Canvas.setPen(Qt::black);
        Canvas.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
        const QString Place = QStringLiteral("%1, %2").arg(GetLeft()).arg(GetTop());
        const QString Size = QStringLiteral("%1 x %2").arg(GetWidth()).arg(GetHeight());
        // Position and size share a line where it fits the tile, with a margin on each side.
        const QString OneLine = GetName() + u'\n' + Place + QStringLiteral("  ") + Size;
        const QString Text =
            Canvas.fontMetrics().boundingRect(R.toRect(), 0, OneLine).width() < R.width() - 8
                ? OneLine
                : GetName() + u'\n' + Place + u'\n' + Size;
        Canvas.drawText(R, Qt::AlignCenter, Text);
    }

private:
    QColor FColor;
};

class TDemoPanel : public TCustomPanel {
public:
    explicit TDemoPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}

    void Paint(QPainter& Canvas) override {
        Canvas.fillRect(GetClientRect(), FBackground);
        TCustomPanel::Paint(Canvas);
    }
    QColor FBackground = QColor(0xF4, 0xF6, 0xFA);
};

TWinControl* BuildFrameworkPage(TComponent* Owner) {
    auto* Panel = new TDemoPanel(Owner);
    Panel->SetName(QStringLiteral("Panel1"));
    Panel->SetBorderStyle(TBorderStyle::Single);
    Panel->SetBounds(0, 0, 300, 200);

    auto* Header = new TTile(Owner, Panel, QStringLiteral("Header"), QColor(0x9E, 0xC5, 0xFE));
    Header->SetHeight(44);
    Header->SetAlign(TAlign::Top);
    auto* Side = new TTile(Owner, Panel, QStringLiteral("LeftBar"), QColor(0xFF, 0xE0, 0x8A));
    Side->SetWidth(110);
    Side->SetAlign(TAlign::Left);
    auto* Corner = new TTile(Owner, Panel, QStringLiteral("Anchored"), QColor(0xB5, 0xE8, 0xB0));
    Corner->SetBounds(200, 54, 90, 60);
    Corner->SetAnchors(TAnchorKind::Right | TAnchorKind::Bottom);
    auto* Stretch = new TTile(Owner, Panel, QStringLiteral("Stretched"), QColor(0xF8, 0xC8, 0xDC));
    Stretch->SetBounds(120, 124, 170, 60);
    Stretch->SetAnchors(TAnchorKind::Left | TAnchorKind::Right | TAnchorKind::Bottom);

    auto* Inner = new TDemoPanel(Owner);
    Inner->SetName(QStringLiteral("InnerPanel"));
    Inner->FBackground = QColor(0xE8, 0xE8, 0xE8);
    Inner->SetBorderStyle(TBorderStyle::Single);
    Inner->SetParent(Panel);
    Inner->SetBounds(120, 54, 70, 60);
    Inner->SetAnchors(TAnchorKind::Left | TAnchorKind::Top | TAnchorKind::Right |
                      TAnchorKind::Bottom);
    auto* InnerTile =
        new TTile(Owner, Inner, QStringLiteral("ChildOfInner"), QColor(0xD0, 0xC4, 0xF7));
    InnerTile->SetHeight(40);
    InnerTile->SetAlign(TAlign::Bottom);

    // Growing the panel moves and stretches the anchored children.
    Panel->SetBounds(0, 0, 640, 420);
    return Panel;
}
} // namespace

void AddFrameworkPages(std::vector<TGalleryPage>& Pages) {
    Pages.push_back({QStringLiteral("framework"), QStringLiteral("Control framework"),
                     QStringLiteral("A panel with graphic children placed by alignment (top, left) "
                                    "and by anchors, and a windowed child panel (grey, anchored on "
                                    "all four sides) with a child aligned to its bottom. The panel "
                                    "was built at 300 x 200 and then grown to "
                                    "640 x 420: anchored children moved and stretched with it."),
                     BuildFrameworkPage});
}
