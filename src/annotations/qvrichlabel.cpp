#include "annotations/qvrichlabel.h"

#include "axes/qvmath.h"
#include "axes/qvstringfunctions.h"
#include "framework/qvexceptions.h"
#include "parser/qvparsefkt.h"

#include <QImage>
#include <QPainter>

#include <cmath>

using namespace Qvlocalize;

namespace {

// Superscripts and subscripts: their size, how far a superscript is lifted and a subscript
// dropped (in line heights), and the gap before and after them (in their size).
constexpr float ScriptSize = 0.66f;
constexpr float SuperscriptLift = 0.025f;
constexpr float SubscriptDrop = 0.33f;
constexpr float ScriptGap = 0.1f;
// Characters at the start of a caption that measure the padding of plain text.
constexpr qsizetype PaddingSampleLength = 64;
// Effect outlines are built at the text's own em size in pixels (points at 96 dpi), so that
// they cover the measured box.
constexpr float EffectPixelsPerPoint = 96.0f / 72.0f;
constexpr TQvColor EffectShadow = 0x5A000000;
constexpr TQvColor EffectLight = 0xD2FFFFFF;
constexpr TQvColor ShadowColor = 0x24000000;
constexpr int ShadowSteps = 9;
constexpr TGPPointF ShadowStep{0.3f, 0.4f};

QString NormalizeLineBreaks(QString Text) {
    Text.replace(QStringLiteral("\n\r"), QStringLiteral("\r"));
    Text.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    Text.replace(u'\n', u'\r');
    return Text;
}

// Runs measure and draw without padding but with their trailing blanks, so that they join.
TGPStringFormat RunFormat() {
    TGPStringFormat Format = TGPStringFormat::GenericTypographic();
    Format.SetFormatFlags(Format.GetFormatFlags() | TGPStringFormatFlag::MeasureTrailingSpaces);
    return Format;
}

bool IsCentred(TQvContentAlignment Align) {
    return Align == TQvContentAlignment::TopCenter || Align == TQvContentAlignment::MiddleCenter ||
           Align == TQvContentAlignment::BottomCenter;
}

bool IsRight(TQvContentAlignment Align) {
    return Align == TQvContentAlignment::TopRight || Align == TQvContentAlignment::MiddleRight ||
           Align == TQvContentAlignment::BottomRight;
}

bool IsMiddle(TQvContentAlignment Align) {
    return Align == TQvContentAlignment::MiddleLeft || Align == TQvContentAlignment::MiddleCenter ||
           Align == TQvContentAlignment::MiddleRight;
}

bool IsBottom(TQvContentAlignment Align) {
    return Align == TQvContentAlignment::BottomLeft || Align == TQvContentAlignment::BottomCenter ||
           Align == TQvContentAlignment::BottomRight;
}

} // namespace

// The state of one parse: the current format and position, and the runs made so far.
class TQvRichCaptionObject::TParser {
public:
    TParser(TQvRichCaptionObject& Caption, TGPGraphics* Graphics)
        : C(Caption), G(Graphics), Font(Caption.FFont), Face(Font->GetName()),
          Style(Font->GetStyle()),
          BaseColor(Caption.FColor != 0 ? Caption.FColor : Font->GetFillColor()), Color(BaseColor),
          FontSize(Font->GetSizeF()), Size(FontSize) {}

    void Run(const QString& Source) {
        // Every line is as wide as its runs plus the padding that plain text measuring adds.
        // That padding is the same for every text of a font, so the start of the text measures
        // it: laying out a whole long caption twice would cost more than parsing it.
        const TGPFont Base = Font->GetGPFont();
        const TGPPointF Origin{0, 0};
        H = Base.GetHeight(*G);
        const QString Sample = Source.left(PaddingSampleLength);
        Padding =
            G->MeasureString(Sample, Base, Origin, TGPStringFormat::GenericDefault()).Width -
            G->MeasureString(Sample, Base, Origin, TGPStringFormat::GenericTypographic()).Width;
        Text = Source;
        // The text is walked once: a cursor and the next backslash, line break and "]" ahead
        // of it, each searched again only once the cursor has passed it.
        for (;;) {
            const qsizetype Slash = Next(NextSlash);
            const qsizetype Break = Next(NextBreak);
            if (Slash == Text.size() && Break == Text.size()) break;
            if (Break < Slash) {
                Flush(Take(Break - Pos));
                ++Pos;
                ++Line;
                X = 0;
                C.FLineWidths.push_back(0);
                continue;
            }
            QString Pending = Take(Slash - Pos);
            ++Pos;
            const QChar Command = Pos < Text.size() ? Text[Pos] : QChar();
            if (Command != u'\\') Flush(Pending);
            Apply(Command, Pending);
        }
        Flush(Take(Text.size() - Pos));
        C.FWidth = Width;
        C.FHeight = float(C.FLineWidths.size()) * H;
        C.FPadding = Padding;
    }

private:
    struct TAhead {
        QChar Char;
        qsizetype At = -1;
    };

    // The position of the next Ahead.Char from the cursor on, or the text's size.
    qsizetype Next(TAhead& Ahead) {
        if (Ahead.At < Pos) {
            Ahead.At = Text.indexOf(Ahead.Char, Pos);
            if (Ahead.At < 0) Ahead.At = Text.size();
        }
        return Ahead.At;
    }

    // The next Count characters, the cursor moved past them.
    QString Take(qsizetype Count) {
        const QString Taken = Text.mid(Pos, Count).toString();
        Pos += Count;
        return Taken;
    }

    void Apply(QChar Command, QString& Pending) {
        switch (Command.unicode()) {
        case u'b':
            Toggle(TFontStyle::Bold);
            return;
        case u'i':
            Toggle(TFontStyle::Italic);
            return;
        case u'u':
            Toggle(TFontStyle::Underline);
            return;
        case u'o':
            Toggle(TFontStyle::StrikeOut);
            return;
        case u'+':
            Script(Superscript);
            return;
        case u'-':
            Script(Subscript);
            return;
        case u'c':
        case u'f': {
            QString Argument;
            if (!TakeArgument(Argument)) return; // without [..] the letter stays as text
            if (Command == u'c')
                Color = Argument.isEmpty() ? BaseColor : RichIDToTQvColor(Argument);
            else
                Face = Argument.isEmpty() ? Font->GetName() : Argument;
            return;
        }
        case u'\\': {
            while (Pos < Text.size() && Text[Pos] == u'\\') {
                Pending += u'\\';
                ++Pos;
            }
            Pending += Take(std::min(Next(NextSlash), Next(NextBreak)) - Pos);
            Flush(Pending);
            return;
        }
        default:
            return; // an unknown command letter stays as text
        }
    }

    // "[...]" after a command letter; false, leaving the text alone, when there is none.
    bool TakeArgument(QString& Argument) {
        if (Text.size() - Pos < 2 || Text[Pos + 1] != u'[') return false;
        const qsizetype Close = Next(NextClose);
        if (Close == Text.size()) return false;
        Pos += 2;
        Argument = Take(Close - Pos);
        ++Pos;
        return true;
    }

    void Toggle(TFontStyle Flag) {
        ++Pos;
        Style ^= Flag;
    }

    void Script(bool& State) {
        ++Pos;
        (State ? GapRemoval : GapBefore) = true;
        State = !State;
        Size = Superscript || Subscript ? ScriptSize * FontSize : FontSize;
    }

    float RunY() const {
        if (Superscript) return float(Line) * H - SuperscriptLift * H;
        if (Subscript) return float(Line) * H + SubscriptDrop * H;
        return float(Line) * H;
    }

    void Flush(const QString& Run) {
        if (Run.isEmpty()) return;
        TGPFont RunFont(Face, Size, GPFontStyle(Style));
        if (!RunFont.IsAvailable())
            RunFont = TGPFont(QStringLiteral("Arial"), Size, GPFontStyle(Style));
        TQvSubCaption Segment{X, RunY(), 0, Run, RunFont, Font->GetDrawEffects(), Color, Line};
        C.FPlainText += Run;
        float RunWidth = G->MeasureString(Run, RunFont, TGPPointF{0, 0}, RunFormat()).Width;
        if (GapBefore) {
            Segment.X += ScriptGap * Size;
            RunWidth += ScriptGap * Size;
        }
        if (GapRemoval) {
            Segment.X -= ScriptGap * Size;
            RunWidth -= ScriptGap * Size;
        }
        GapBefore = GapRemoval = false;
        Segment.Width = RunWidth;
        X += RunWidth;
        C.FLineWidths[size_t(Line)] = X + Padding;
        Width = std::max(Width, X + Padding);
        C.FSegments.push_back(std::move(Segment));
    }

    TQvRichCaptionObject& C;
    TGPGraphics* G;
    TQvFont* Font;
    QStringView Text;
    qsizetype Pos = 0;
    TAhead NextSlash{u'\\'}, NextBreak{u'\r'}, NextClose{u']'};
    QString Face;
    TFontStyles Style;
    // The caption's colour override, else the font's fill colour.
    TQvColor BaseColor;
    TQvColor Color;
    float FontSize;
    float Size;
    float H = 0;
    float Padding = 0;
    float X = 0;
    float Width = 0;
    int Line = 0;
    bool Superscript = false;
    bool Subscript = false;
    bool GapBefore = false;
    bool GapRemoval = false;
};

TQvRichCaptionObject::TQvRichCaptionObject(TQvFont* Font, ModifiedCallback OnChange)
    : FOwnFont(Font ? nullptr : std::make_unique<TQvFont>()), FFont(Font ? Font : FOwnFont.get()),
      FOnChange(std::move(OnChange)) {
    if (FOwnFont) FOwnFont->SetModifiedCallback([this] { FontChanged(); });
}

TQvRichCaptionObject::~TQvRichCaptionObject() = default;

void TQvRichCaptionObject::SetCaption(const TQvRichCaption& Value) {
    FCaption = Value;
    FParsed = false;
}

void TQvRichCaptionObject::SetColor(TQvColor Value) {
    FColor = Value;
    FParsed = false;
}

void TQvRichCaptionObject::SetAnchor(float X, float Y) {
    FAnchorX = X;
    FAnchorY = Y;
}

void TQvRichCaptionObject::ParseForSize(TGPGraphics* Graphics, TComponent* Owner) {
    // A formula that fails raises and leaves the caption unparsed.
    FParsed = false;
    const QString Text = ParseVariables(FCaption, Owner);
    FOwner = Owner;
    FSegments.clear();
    FPlainText.clear();
    FLineWidths.assign(1, 0);
    FWidth = FHeight = FPadding = 0;
    FParsed = true;
    if (FCaption.isEmpty()) {
        FLineWidths.clear();
        return;
    }
    Graphics->SetTextRenderingHint(FFont->GetRenderingHint());
    TParser(*this, Graphics).Run(NormalizeLineBreaks(Text));
    if (FSegments.size() < 2) return;
    for (TQvSubCaption& Segment : FSegments) {
        const float Slack = FWidth - FLineWidths[size_t(Segment.Line)];
        if (IsCentred(FAlign))
            Segment.X += Slack / 2;
        else if (IsRight(FAlign))
            Segment.X += Slack;
    }
}

void TQvRichCaptionObject::FontChanged() {
    if (!FSegments.empty()) {
        // Runs of the old base colour take the new one; runs coloured by \c keep theirs.
        const TQvColor OldBase = FSegments.front().Color;
        for (TQvSubCaption& Segment : FSegments) {
            if (FColor == 0 && Segment.Color == OldBase) Segment.Color = FFont->GetFillColor();
            Segment.DrawEffects = FFont->GetDrawEffects();
        }
    }
    if (FOnChange) FOnChange();
}

void TQvRichCaptionObject::PaintGr(TGPGraphics* Graphics) {
    if (!FParsed) ParseForSize(Graphics, FOwner);
    if (FSegments.empty()) return;
    const TGPMatrix Saved = Graphics->GetTransform();
    Graphics->TranslateTransform(FAnchorX, FAnchorY);
    Graphics->RotateTransform(-FAngle);
    const float Dx = IsCentred(FAlign) ? -FWidth / 2 : IsRight(FAlign) ? -FWidth : 0;
    const float Dy = IsMiddle(FAlign) ? -FHeight / 2 : IsBottom(FAlign) ? -FHeight : 0;
    Graphics->TranslateTransform(Dx + FPadding / 2, Dy);
    Graphics->SetTextRenderingHint(FFont->GetRenderingHint());

    const TQvColor Fill = FColor != 0 ? FColor : FFont->GetFillColor();
    std::unique_ptr<TGPBrush> Brush;
    const bool Gradient = FColor == 0 && FFont->GetGradient()->GetVisible();
    if (Gradient)
        Brush = FFont->GetGradient()->GetBrush(TGPRectF{0, 0, FWidth, FHeight});
    else
        Brush = std::make_unique<TGPSolidBrush>(Fill);
    for (const TQvSubCaption& Segment : FSegments)
        PaintSegment(Graphics, Segment, *Brush);
    Graphics->SetTransform(Saved);
}

void TQvRichCaptionObject::PaintSegment(TGPGraphics* Graphics, const TQvSubCaption& Segment,
                                        TGPBrush& Brush) const {
    const TGPMatrix Saved = Graphics->GetTransform();
    if (auto* Solid = dynamic_cast<TGPSolidBrush*>(&Brush)) Solid->SetColor(Segment.Color);
    const TGPPointF Origin{Segment.X, Segment.Y};
    const TGPStringFormat Format = RunFormat();
    const TQvCharDrawEffects Effects = Segment.DrawEffects;
    const bool Outline = Effects.testFlag(TQvCharDrawEffect::Outline);
    const bool Raised = Effects.testFlag(TQvCharDrawEffect::Raised);
    const bool Lowered = Effects.testFlag(TQvCharDrawEffect::Lowered);
    if (Outline || Raised || Lowered) {
        TGPGraphicsPath Path(TGPFillMode::Winding);
        Path.AddString(Segment.Text, Segment.Font.GetFamily(), Segment.Font.GetStyle(),
                       EffectPixelsPerPoint * Segment.Font.GetSize(), Origin);
        if (Outline) {
            Graphics->DrawPath(TGPPen(Brush, 1), Path);
        } else {
            const TGPRegion SavedClip = Graphics->GetClip();
            TGPGraphicsPath Widened = Path;
            Widened.Widen(TGPPen(TQvColor(0xFF000000)));
            Graphics->ExcludeClip(TGPRegion(Widened));
            const float Step = Raised ? 1 : -1;
            Graphics->TranslateTransform(Step, Step);
            Graphics->FillPath(TGPSolidBrush(EffectShadow), Path);
            Graphics->TranslateTransform(-2 * Step, -2 * Step);
            Graphics->FillPath(TGPSolidBrush(EffectLight), Path);
            Graphics->SetClip(SavedClip);
        }
    }
    if (Effects.testFlag(TQvCharDrawEffect::Shadow)) {
        const TGPSolidBrush Shadow(ShadowColor);
        for (int k = 0; k < ShadowSteps; ++k) {
            Graphics->TranslateTransform(ShadowStep.X, ShadowStep.Y);
            Graphics->DrawString(Segment.Text, Segment.Font, Origin, Format, Shadow);
        }
    }
    Graphics->SetTransform(Saved);
    if (!Effects || Effects == TQvCharDrawEffect::Shadow)
        Graphics->DrawString(Segment.Text, Segment.Font, Origin, Format, Brush);
}

// ---- TQvRichCaptionObjects ----

void TQvRichCaptionObjects::CheckCount(int Index) const {
    if (Index < 0 || Index >= Count()) throw ERangeError(Format(SListIndexError, {Index}));
}

void TQvRichCaptionObjects::SetCount(int N) {
    N = std::max(N, 0);
    while (Count() > N)
        FItems.pop_back();
    while (Count() < N)
        FItems.push_back(std::make_unique<TQvRichCaptionObject>());
}

TQvRichCaptionObject* TQvRichCaptionObjects::Add() {
    FItems.push_back(std::make_unique<TQvRichCaptionObject>());
    return FItems.back().get();
}

void TQvRichCaptionObjects::Delete(int Index) {
    CheckCount(Index);
    FItems.erase(FItems.begin() + Index);
}

TQvRichCaptionObject* TQvRichCaptionObjects::Get(int Index) const {
    CheckCount(Index);
    return FItems[size_t(Index)].get();
}

void TQvRichCaptionObjects::Set(int Index, const TQvRichCaptionObject* Value) {
    CheckCount(Index);
    TQvRichCaptionObject* Item = FItems[size_t(Index)].get();
    Item->SetCaption(Value->GetCaption());
    Item->SetFont(Value->GetFont());
    Item->SetAngle(Value->GetAngle());
    Item->SetAlign(Value->GetAlign());
}

// ---- TQvRichLabel ----

TQvRichLabel::TQvRichLabel(TComponent* AOwner)
    : TGraphicControl(AOwner), FBackColor(ColorToARGB(QStringLiteral("Transparent"))) {
    auto Font = std::make_unique<TQvFont>();
    FCaptionObject = std::make_unique<TQvRichCaptionObject>(Font.get());
    ReplaceFont(std::move(Font));
    FCaptionObject->SetColor(ColorToARGB(QStringLiteral("ControlText")));
    SetParentFont(true);
}

TQvRichLabel::~TQvRichLabel() = default;

void TQvRichLabel::Changed() {
    FBoundsPending = true;
    AdjustBounds();
    Invalidate();
}

void TQvRichLabel::SetCaption(const TQvRichCaption& Value) {
    FCaptionObject->SetCaption(TrimRight(Value));
    Changed();
}

void TQvRichLabel::SetAngle(float Value) {
    FCaptionObject->SetAngle(float(Qvmath::FitTo360Degrees(Value)));
    Changed();
}

void TQvRichLabel::SetAlign(TQvContentAlignment Value) {
    FCaptionObject->SetAlign(Value);
    Changed();
}

void TQvRichLabel::SetBackColor(TQvColor Value) {
    FBackColor = Value;
    Changed();
}

void TQvRichLabel::SetForeColor(TQvColor Value) {
    FCaptionObject->SetColor(Value);
    Changed();
}

void TQvRichLabel::SetAutoSize(bool Value) {
    FAutoSize = Value;
    Changed();
}

void TQvRichLabel::SetTransparent(bool Value) {
    FTransparent = Value;
    Invalidate();
}

void TQvRichLabel::FontChanged() {
    FCaptionObject->FontChanged();
    Changed();
}

void TQvRichLabel::Loaded() {
    TGraphicControl::Loaded();
    Changed();
}

void TQvRichLabel::AdjustBounds() {
    if (IsLoading() || (!FBoundsPending && !FAutoSize)) return;
    QImage Scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    TGPGraphics Graphics(&Scratch);
    FCaptionObject->ParseForSize(&Graphics, this);
    FBoundsPending = false;
    const float W = FCaptionObject->GetWidth(), H = FCaptionObject->GetHeight();
    const double Angle = FCaptionObject->GetAngle();
    const float s = float(std::abs(std::sin(qDegreesToRadians(Angle))));
    const float c = float(std::abs(std::cos(qDegreesToRadians(Angle))));
    const float BoxWidth = c * W + s * H, BoxHeight = c * H + s * W;
    if (FAutoSize) SetClientSize(int(std::lround(BoxWidth)), int(std::lround(BoxHeight)));

    // The corner of the rotated caption box at the top-left of its bounding box, by quadrant.
    float Ax = 0, Ay = 0;
    switch (Qvmath::Quadrant(Angle)) {
    case 1:
        Ay = s * W;
        break;
    case 2:
        Ax = c * W;
        Ay = c * H + s * W;
        break;
    case 3:
        Ax = c * W + s * H;
        Ay = c * H;
        break;
    default:
        Ax = s * H;
        break;
    }
    // The caption object aligns itself on its anchor: undo that for the rotated box.
    const TQvContentAlignment Align = FCaptionObject->GetAlign();
    const float Fx = IsCentred(Align) ? 0.5f : IsRight(Align) ? 1 : 0;
    const float Fy = IsMiddle(Align) ? 0.5f : IsBottom(Align) ? 1 : 0;
    const double Radians = qDegreesToRadians(Angle);
    // The alignment point of the box, relative to its top-left corner, after rotation.
    const float Px = float(Fx * W * std::cos(Radians) + Fy * H * std::sin(Radians));
    const float Py = float(-Fx * W * std::sin(Radians) + Fy * H * std::cos(Radians));
    const float FreeX = float(ClientWidth()) - BoxWidth, FreeY = float(ClientHeight()) - BoxHeight;
    FCaptionObject->SetAnchor(Ax + Px + Fx * FreeX, Ay + Py + Fy * FreeY);
}

void TQvRichLabel::Paint(QPainter& Canvas) {
    if (FBoundsPending) AdjustBounds();
    TGPGraphics Graphics(&Canvas);
    if (!FTransparent || GetAlpha(FBackColor) != 0)
        Graphics.FillRectangle(TGPSolidBrush(FBackColor),
                               TGPRectF{0, 0, float(GetWidth()), float(GetHeight())});
    FCaptionObject->PaintGr(&Graphics);
}
