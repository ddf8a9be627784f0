// Style settings and drawing primitives: point symbols, hatches, gradients, dashes and caps,
// shadows, boxes and bars.

#include "gallerypage.h"

#include <style/qvstyles.h>

#include <QMetaEnum>

namespace {
constexpr TQvColor Ink = 0xFF202020;
constexpr int HatchColumns = 7;
// The hatch rows take one row more than eight across would.
constexpr float BelowHatches = 52;

class TStylesPage : public TCustomPanel {
public:
    explicit TStylesPage(TComponent* AOwner) : TCustomPanel(AOwner) {
        SetBounds(0, 0, 1100, 1060 + BelowHatches);
    }

    void Paint(QPainter& Canvas) override {
        TGPGraphics G(&Canvas);
        G.Clear(0xFFFFFFFF);
        G.SetSmoothingMode(TGPSmoothingMode::AntiAlias);
        Symbols(G, 20, 20);
        Hatches(G, 20, 250);
        Gradients(G, 20, 650 + BelowHatches);
        Lines(G, 600, 650 + BelowHatches);
        Boxes(G, 20, 850 + BelowHatches);
    }

private:
    static void Heading(TGPGraphics& G, const QString& Text, float X, float Y) {
        G.DrawString(Text, TGPFont("Arial", 12, TGPFontStyleItem::Bold), TGPPointF{X, Y},
                     TGPStringFormat::GenericTypographic(), TGPSolidBrush(Ink));
    }
    static void Label(TGPGraphics& G, const QString& Text, float X, float Y, bool Centred = false) {
        TGPStringFormat Format = TGPStringFormat::GenericTypographic();
        if (Centred) Format.SetAlignment(TGPStringAlignment::Center);
        G.DrawString(Text, TGPFont("Arial", 8), TGPPointF{X, Y}, Format, TGPSolidBrush(Ink));
    }
    template <class E> static QString Name(E Value) {
        return QString::fromLatin1(QMetaEnum::fromType<E>().valueToKey(int(Value)));
    }

    static void Symbols(TGPGraphics& G, float X, float Y) {
        Heading(G, "Point symbols", X, Y);
        const float Sizes[] = {7, 11, 17, 25};
        const TGPPen Pen(0xFF1F4E9A, 1.5f);
        const TGPSolidBrush Fill(0xFF9EC5FE);
        for (int s = 0; s < QvStyle::PointSymbolCount; ++s) {
            const float Cx = X + 40 + s * 100;
            Label(G, Name(TQvPointSymbol(s)), Cx, Y + 28, true);
            for (int i = 0; i < 4; ++i)
                DrawPointSymbol(&G, &Pen, &Fill, Sizes[i], Cx, Y + 60 + i * 40, TQvPointSymbol(s));
        }
    }

    static void Hatches(TGPGraphics& G, float X, float Y) {
        Heading(G, "Hatch styles, and Total for a solid fill", X, Y);
        const TGPPen Frame(0xFF808080, 1);
        // Seven across leave the longest names (DashedDownwardDiagonal) room beside each other.
        for (int s = 0; s <= int(TQvAreaStyle::Total); ++s) {
            const float Left = X + (s % HatchColumns) * 152, Top = Y + 25 + (s / HatchColumns) * 52;
            const TGPRectF Box{Left, Top, 140, 32};
            G.FillRectangle(*GetAreaBrush(TQvAreaStyle(s), 0xFF1F4E9A, 0xFFE8F0FE), Box);
            G.DrawRectangle(Frame, Box);
            Label(G, Name(TQvAreaStyle(s)), Left + 70, Top + 34, true);
        }
    }

    static void Gradients(TGPGraphics& G, float X, float Y) {
        Heading(G, "Gradients", X, Y);
        TQvGradientSettings Gradient;
        Gradient.SetFirstColor(0xFFFFF3B0);
        Gradient.SetMiddleColor(0xFFE09F3E);
        Gradient.SetLastColor(0xFF9E2A2B);
        struct TCase {
            TQvGradientStyle Style;
            float Angle, Center, Cx, Cy;
            const char* Caption;
        };
        const TCase Cases[] = {
            {TQvGradientStyle::Linear, 0, 0.5f, 0.5f, 0.5f, "Linear 0\u00b0"},
            {TQvGradientStyle::Linear, 45, 0.5f, 0.5f, 0.5f, "Linear 45\u00b0"},
            {TQvGradientStyle::Linear, 90, 0.2f, 0.5f, 0.5f, "Linear 90\u00b0, centre 0.2"},
            {TQvGradientStyle::Radial, 0, 0.5f, 0.5f, 0.5f, "Radial"},
            {TQvGradientStyle::Radial, 0, 0.5f, 0.3f, 0.3f, "Radial, centre (0.3, 0.3)"},
            {TQvGradientStyle::Elliptical, 0, 0.5f, 0.5f, 0.5f, "Elliptical"},
            {TQvGradientStyle::Elliptical, 0, 0.5f, 0.7f, 0.6f, "Elliptical, centre (0.7, 0.6)"},
        };
        for (size_t i = 0; i < std::size(Cases); ++i) {
            const TCase& C = Cases[i];
            Gradient.SetStyle(C.Style);
            Gradient.SetLinearAngle(C.Angle);
            Gradient.SetLinearCenter(C.Center);
            Gradient.SetRadialCenterX(C.Cx);
            Gradient.SetRadialCenterY(C.Cy);
            const TGPRectF Box{X + (i % 4) * 140.0f, Y + 25 + (i / 4) * 90.0f, 128, 64};
            G.FillRectangle(*Gradient.GetBrush(Box), Box);
            Label(G, C.Caption, Box.X + 64, Box.GetBottom() + 3, true);
        }
    }

    static void Lines(TGPGraphics& G, float X, float Y) {
        Heading(G, "Dash styles and arrow caps", X, Y);
        for (int d = 0; d <= int(TGPDashStyle::DashDotDot); ++d) {
            const float Ly = Y + 35 + d * 18;
            for (float Width : {1.0f, 3.0f}) {
                TGPPen Pen(0xFF1F4E9A, Width);
                Pen.SetDashStyle(TGPDashStyle(d));
                const float Left = X + (Width > 1 ? 200 : 90);
                G.DrawLine(Pen, Left, Ly, Left + 100, Ly);
            }
            Label(G, Name(TGPDashStyle(d)), X, Ly - 6);
        }
        struct TArrow {
            float Length, Inner, Height, Width;
        };
        const TArrow Arrows[] = {{5, 5, 2, 2}, {5, 3, 2, 2}, {7, 3, 3, 1.5f}, {4, 1, 3, 3}};
        for (size_t i = 0; i < std::size(Arrows); ++i) {
            TQvArrowSettings Arrow;
            Arrow.SetColor(0xFF9E2A2B);
            Arrow.SetWidth(Arrows[i].Width);
            Arrow.SetPointLength(Arrows[i].Length);
            Arrow.SetInnerLength(Arrows[i].Inner);
            Arrow.SetPointHeight(Arrows[i].Height);
            const float Ax = X + 340 + i * 40;
            G.DrawLine(*Arrow.GetPen(TGPRectF{}), Ax, Y + 125, Ax + 25, Y + 40);
        }
        Label(G, "L = I: triangle; I < L: swept back", X + 320, Y + 135);
    }

    static void Boxes(TGPGraphics& G, float X, float Y) {
        Heading(G, "Shadows, boxes and bars", X, Y);
        const TGPSolidBrush Paper(0xFFFFFBEA);
        const TGPPen Edge(0xFF5A5A5A, 1);
        DrawRoundRect(&G, &Paper, &Edge, {X, Y + 30, 150, 70}, 12, true, true, false, false);
        Label(G, "rounded, framed, shadow", X + 75, Y + 105, true);
        const TGPSolidBrush Face(0xFFC8D6E5);
        DrawRoundRect(&G, &Face, &Edge, {X + 180, Y + 30, 150, 70}, 0, false, true, true, false);
        Label(G, "raised, shadow", X + 255, Y + 105, true);
        DrawRoundRect(&G, &Face, &Edge, {X + 360, Y + 30, 150, 70}, 10, false, false, false, true);
        Label(G, "rounded, lowered", X + 435, Y + 105, true);

        const TQvColor Colors[] = {0xFFD1495B, 0xFFEDAE49, 0xFF00798C, 0xFF30638E};
        for (int i = 0; i < 4; ++i) {
            const float Left = X + 560 + i * 45;
            Draw3DBar(&G, Colors[i], 0xFF303030, 8, 8, Left, Y + 180, Left + 28,
                      Y + 180 - 35 - i * 25);
        }
        Label(G, "cuboid bars", X + 640, Y + 185, true);
        for (int i = 0; i < 4; ++i) {
            const float Left = X + 790 + i * 45;
            DrawCylinderVertical(&G, Colors[i], 0x00FFFFFF, 8, i == 3 ? 6 : 0, Left, Y + 180,
                                 Left + 30, Y + 180 - 35 - i * 25);
        }
        Label(G, "cylinders (the last one slanted)", X + 880, Y + 185, true);
        for (int i = 0; i < 2; ++i)
            DrawCylinderHorizontal(&G, Colors[i + 2], 0xFF303030, 8, 0, X, Y + 130 + i * 32,
                                   X + 200 + i * 120, Y + 154 + i * 32);
    }
};
} // namespace

void AddStylesPages(std::vector<TGalleryPage>& Pages) {
    Pages.push_back({QStringLiteral("styles"), QStringLiteral("Styles"),
                     QStringLiteral("The ten point symbols at sizes 7, 11, 17 and 25; the 53 hatch "
                                    "styles and the solid fill; linear, radial and elliptical "
                                    "gradients; dash styles at widths 1 and 3 and arrow caps; soft "
                                    "shadows, raised and lowered boxes, cuboid and cylinder bars."),
                     [](TComponent* Owner) -> TWinControl* { return new TStylesPage(Owner); }});
}
