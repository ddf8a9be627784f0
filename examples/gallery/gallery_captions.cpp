// Rich captions: every kind of markup, inline variables and formatted expressions, draw
// effects, rotation and alignment, and a graph title that quotes a variable.

#include "gallerypage.h"

#include <annotations/qvrichlabel.h>
#include <framework/qvforms.h>
#include <graph/qvgraph2d.h>

#include <QPainter>

namespace {

class TCaptionsPanel : public TCustomPanel {
public:
    explicit TCaptionsPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
    void Paint(QPainter& Canvas) override {
        Canvas.fillRect(GetClientRect(), Qt::white);
        Canvas.setPen(QColor(0xC8, 0xD0, 0xDC));
        for (const QRect& Box : Boxes)
            Canvas.drawRect(Box.adjusted(0, 0, -1, -1));
        TCustomPanel::Paint(Canvas);
    }
    QList<QRect> Boxes;
};

TQvRichLabel* AddLabel(TComponent* Owner, TWinControl* Parent, const QString& Caption, int Left,
                       int Top, float Size = 15) {
    auto* Label = new TQvRichLabel(Owner);
    Label->SetParent(Parent);
    Label->GetCaptionFont()->SetName(QStringLiteral("Arial"));
    Label->GetCaptionFont()->SetSizeF(Size);
    Label->SetLeft(Left);
    Label->SetTop(Top);
    Label->SetCaption(Caption);
    return Label;
}

TWinControl* BuildCaptionsPage(TComponent* Owner) {
    auto* Panel = new TCaptionsPanel(Owner);
    Panel->SetName(QStringLiteral("CaptionsPanel"));
    Panel->SetBounds(0, 0, 900, 640);

    // A graph whose title quotes its own name and a formatted expression.
    auto* Graph = new TQvGraph2D(Owner);
    Graph->SetName(QStringLiteral("Spectrum"));
    Graph->SetParent(Panel);
    Graph->SetBounds(470, 330, 410, 290);
    Graph->SetBackColor(0xFFF3F6FB);
    Graph->SetBorderStyle(TBorderStyle::Single);
    Graph->GetCaptionFont()->SetName(QStringLiteral("Arial"));
    Graph->GetCaptionFont()->SetSizeF(16);
    Graph->SetCaptionDistanceBefore(8);
    Graph->SetCaptionVisible(true);
    const QString GraphRef = GetComponentRef(Graph);
    Graph->SetCaption(QStringLiteral("Graph \\b<%%1.Name%>\\b\rsqrt(2) = <%sqrt(2);0.0000%>, "
                                     "\\i\\c[A=255, R=0, G=90, B=200]e\\+i\\f[Times New "
                                     "Roman]\\i\u03C0\\f[]\\+\\i\\c[] = <%cos(pi);0%>")
                          .arg(GraphRef));

    const QString Rows[] = {
        QStringLiteral("Scripts: E = mc\\+2\\+,  H\\-2\\-O,  x\\-i\\-\\+2\\+,  "
                       "e\\+-x\\+\\-\\+2\\+\\-"),
        QStringLiteral("Styles: \\bbold\\b, \\iitalic\\i, \\uunderlined\\u, \\ostruck "
                       "out\\o, \\b\\ibold italic\\i\\b"),
        QStringLiteral("Faces: \\f[Times New Roman]Times New Roman\\f[], \\f[Courier "
                       "New]Courier New\\f[], \\f[DejaVu Serif]DejaVu Serif\\f[]"),
        QStringLiteral("Colours: \\c[A=255, R=200, G=0, B=0]red\\c[], \\c[A=255, R=0, G=140, "
                       "B=0]green\\c[], \\c[A=110, R=0, G=0, B=255]translucent blue\\c[]"),
        QStringLiteral("Symbols: \u03B1 \u03B2 \u03B3 \u0394 \u03A9 \u00B1 \u221E \u2211 "
                       "\u221A \u2264 \u2248 \u00B0C, a literal \\\\ backslash"),
        QStringLiteral("Variables: \u03C0 \u2248 <%pi;0.00000%>, 1/3 = <%1/3;0.000E+00%>, "
                       "2\\+10\\+ = <%2^10;#,##0%>, the graph is \"<%") +
            GraphRef + QStringLiteral(".Name%>\""),
        QStringLiteral("Two lines,\rcentred under each other"),
    };
    int Top = 14;
    for (const QString& Row : Rows) {
        TQvRichLabel* Label = AddLabel(Owner, Panel, Row, 16, Top);
        Top += Label->GetHeight() + 8;
    }
    auto* Last = qobject_cast<TQvRichLabel*>(Panel->Controls(Panel->ControlCount() - 1));
    Last->SetAlign(TQvContentAlignment::TopCenter);

    // Draw effects and a gradient fill.
    const struct {
        const char* Text;
        TQvCharDrawEffect Effect;
    } Effects[] = {{"Shadow", TQvCharDrawEffect::Shadow},
                   {"Outline", TQvCharDrawEffect::Outline},
                   {"Raised", TQvCharDrawEffect::Raised},
                   {"Lowered", TQvCharDrawEffect::Lowered}};
    int Left = 16;
    for (const auto& Effect : Effects) {
        TQvRichLabel* Label =
            AddLabel(Owner, Panel, QString::fromLatin1(Effect.Text), Left, Top + 4, 26);
        Label->GetCaptionFont()->SetStyle(TFontStyle::Bold);
        Label->GetCaptionFont()->SetDrawEffects(Effect.Effect);
        Label->SetForeColor(0);
        Label->GetCaptionFont()->SetFillColor(0xFF3A6EA5);
        if (Effect.Effect == TQvCharDrawEffect::Raised ||
            Effect.Effect == TQvCharDrawEffect::Lowered) {
            Label->SetTransparent(false);
            Label->SetBackColor(0xFF9DB4CF);
        }
        Left += Label->GetWidth() + 18;
    }
    TQvRichLabel* Gradient = AddLabel(Owner, Panel, QStringLiteral("Gradient"), Left, Top + 4, 26);
    Gradient->GetCaptionFont()->SetStyle(TFontStyle::Bold);
    Gradient->SetForeColor(0);
    TQvGradientSettings* Fill = Gradient->GetCaptionFont()->GetGradient();
    Fill->SetFirstColor(0xFFD7263D);
    Fill->SetMiddleColor(0xFFF46036);
    Fill->SetLastColor(0xFF1B998B);
    Fill->SetVisible(true);

    // Rotation about the anchor and the nine alignments of a fixed box.
    const float Angles[] = {30, 90, 270, 315};
    Left = 16;
    for (float Angle : Angles) {
        TQvRichLabel* Label =
            AddLabel(Owner, Panel, QStringLiteral("%1\u00B0 turned").arg(Angle), Left, 330, 14);
        Label->SetAngle(Angle);
        // The box stands off the text, which would otherwise touch it.
        Panel->Boxes << Label->BoundsRect().adjusted(-3, -3, 3, 3);
        Left += Label->GetWidth() + 14;
    }
    const TQvContentAlignment Aligns[] = {
        TQvContentAlignment::TopLeft,      TQvContentAlignment::TopCenter,
        TQvContentAlignment::TopRight,     TQvContentAlignment::MiddleLeft,
        TQvContentAlignment::MiddleCenter, TQvContentAlignment::MiddleRight,
        TQvContentAlignment::BottomLeft,   TQvContentAlignment::BottomCenter,
        TQvContentAlignment::BottomRight};
    for (int i = 0; i < 9; ++i) {
        auto* Label = AddLabel(Owner, Panel, QStringLiteral("x\\+%1\\+").arg(i), 0, 0, 12);
        Label->SetAutoSize(false);
        Label->SetBounds(20 + (i % 3) * 145, 474 + (i / 3) * 52, 132, 40);
        Label->SetAlign(Aligns[i]);
        Panel->Boxes << Label->BoundsRect().adjusted(-4, -4, 4, 4);
    }
    return Panel;
}

} // namespace

void AddCaptionsPages(std::vector<TGalleryPage>& Pages) {
    Pages.push_back(
        {QStringLiteral("captions"), QStringLiteral("Rich captions"),
         QStringLiteral("Caption markup: sub- and superscripts, bold, italic, underline and "
                        "strike-out, font faces, ARGB colours, symbols, inline variables and "
                        "formatted expressions; the four draw effects and a gradient fill; "
                        "captions turned about their anchor; the nine alignments in fixed "
                        "boxes; and a graph whose title quotes the graph's name and evaluates "
                        "two formulas."),
         BuildCaptionsPage});
}
