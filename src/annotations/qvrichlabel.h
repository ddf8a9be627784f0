#pragma once

// Rich captions: strings with inline formatting commands (\b bold, \i italic, \u underline,
// \o strikeout, \+ superscript, \- subscript, \c[...] colour, \f[...] face, \\ backslash) and
// inline variables <%...%>. A caption object parses its text into runs of uniform format,
// measures them and paints them rotated about an anchor point.

#include "framework/qvcontrols.h"
#include "style/qvcolors.h"
#include "style/qvfont.h"
#include "style/qvgdi.h"

#include <QString>

#include <memory>
#include <vector>

class TComponent;

using TQvRichCaption = QString;

namespace QvCaptions {
Q_NAMESPACE

// Which point of the caption box lies on the anchor.
enum class TQvContentAlignment {
    TopLeft,
    TopCenter,
    TopRight,
    MiddleLeft,
    MiddleCenter,
    MiddleRight,
    BottomLeft,
    BottomCenter,
    BottomRight
};
Q_ENUM_NS(TQvContentAlignment)

} // namespace QvCaptions

using QvCaptions::TQvContentAlignment;

// One run of uniform format, placed relative to the top-left of the caption box.
struct TQvSubCaption {
    float X = 0;
    float Y = 0;
    float Width = 0;
    QString Text;
    TGPFont Font;
    TQvCharDrawEffects DrawEffects;
    TQvColor Color = 0;
    int Line = 0;
};

// One rich caption: its text parsed into runs, measured and painted about an anchor point.
class TQvRichCaptionObject {
public:
    // With Font the caption uses a font that its owner keeps (a control's font, say); without,
    // it has one of its own.
    explicit TQvRichCaptionObject(TQvFont* Font = nullptr, ModifiedCallback OnChange = {});
    ~TQvRichCaptionObject();
    TQvRichCaptionObject(const TQvRichCaptionObject&) = delete;
    TQvRichCaptionObject& operator=(const TQvRichCaptionObject&) = delete;

    const TQvRichCaption& GetCaption() const { return FCaption; }
    // The runs are parsed again before the next measurement or paint.
    void SetCaption(const TQvRichCaption& Value);
    TQvFont* GetFont() const { return FFont; }
    void SetFont(TQvFont* Value) { FFont->Assign(Value); }
    float GetAngle() const { return FAngle; }
    void SetAngle(float Value) { FAngle = Value; }
    TQvContentAlignment GetAlign() const { return FAlign; }
    void SetAlign(TQvContentAlignment Value) { FAlign = Value; }
    float GetAnchorX() const { return FAnchorX; }
    float GetAnchorY() const { return FAnchorY; }
    void SetAnchor(float X, float Y);
    // The colour of the text outside \c runs; 0: the font's fill colour applies.
    TQvColor GetColor() const { return FColor; }
    void SetColor(TQvColor Value);
    void SetOnChange(ModifiedCallback Value) { FOnChange = std::move(Value); }

    // Substitutes the variables with Owner as the formulas' owner, splits the text into runs
    // and measures them on Graphics. Never raises: a placeholder that cannot be evaluated stays
    // as text.
    void ParseForSize(TGPGraphics* Graphics, TComponent* Owner = nullptr);
    // Parses with the last owner when the runs are stale.
    void PaintGr(TGPGraphics* Graphics);
    // Takes over colour and effects of a changed font without parsing again.
    void FontChanged();

    // The runs are current: parsed and measured since the last change.
    bool Parsed() const { return FParsed; }
    float GetWidth() const { return FWidth; }
    float GetHeight() const { return FHeight; }
    // The texts of all runs without the commands.
    const QString& GetPlainText() const { return FPlainText; }
    // The number of runs, and run Index.
    int SegmentCount() const { return int(FSegments.size()); }
    // Run Index of the caption.
    const TQvSubCaption& Segment(int Index) const { return FSegments.at(size_t(Index)); }
    // The width of each line of the caption.
    const std::vector<float>& LineWidths() const { return FLineWidths; }
    // The number of lines of the caption.
    int LineCount() const { return int(FLineWidths.size()); }

private:
    class TParser;
    void PaintSegment(TGPGraphics* Graphics, const TQvSubCaption& Segment, TGPBrush& Brush) const;

    std::unique_ptr<TQvFont> FOwnFont;
    TQvFont* FFont;
    ModifiedCallback FOnChange;
    TQvRichCaption FCaption;
    std::vector<TQvSubCaption> FSegments;
    QString FPlainText;
    std::vector<float> FLineWidths;
    float FWidth = 0;
    float FHeight = 0;
    // Room that plain text measuring adds around a line; half of it lies before the text.
    float FPadding = 0;
    TQvColor FColor = 0;
    float FAnchorX = 0;
    float FAnchorY = 0;
    float FAngle = 0;
    TQvContentAlignment FAlign = TQvContentAlignment::TopLeft;
    TComponent* FOwner = nullptr;
    bool FParsed = false;
};

// A growable array of caption objects.
class TQvRichCaptionObjects {
public:
    // The number of caption objects.
    int Count() const { return int(FItems.size()); }
    // Grows with new objects or frees the last ones.
    void SetCount(int N);
    // Appends a new caption object and returns it.
    TQvRichCaptionObject* Add();
    // Frees the object at Index; ERangeError outside 0 .. Count-1.
    void Delete(int Index);
    // Frees every object.
    void Clear() { FItems.clear(); }
    // The object at Index; ERangeError outside 0 .. Count-1.
    TQvRichCaptionObject* Get(int Index) const;
    // Replaces the object at Index by a copy of the caption, font, angle and alignment of Value.
    void Set(int Index, const TQvRichCaptionObject* Value);

private:
    // ERangeError for an index outside 0 .. Count-1.
    void CheckCount(int Index) const;
    std::vector<std::unique_ptr<TQvRichCaptionObject>> FItems;
};

// A label that shows one rich caption, rotated and aligned in its client area.
class TQvRichLabel : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
    Q_PROPERTY(float Angle READ GetAngle WRITE SetAngle)
    Q_PROPERTY(QvCaptions::TQvContentAlignment Align READ GetAlign WRITE SetAlign)
    Q_PROPERTY(TQvColor BackColor READ GetBackColor WRITE SetBackColor)
    Q_PROPERTY(TQvColor ForeColor READ GetForeColor WRITE SetForeColor)
    Q_PROPERTY(bool AutoSize READ GetAutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool Transparent READ GetTransparent WRITE SetTransparent)
public:
    Q_INVOKABLE explicit TQvRichLabel(TComponent* AOwner);
    ~TQvRichLabel() override;

    const TQvRichCaption& GetCaption() const { return FCaptionObject->GetCaption(); }
    // Trailing white space is removed.
    void SetCaption(const TQvRichCaption& Value);
    float GetAngle() const { return FCaptionObject->GetAngle(); }
    // Normalised into [0, 360).
    void SetAngle(float Value);
    TQvContentAlignment GetAlign() const { return FCaptionObject->GetAlign(); }
    void SetAlign(TQvContentAlignment Value);
    TQvColor GetBackColor() const { return FBackColor; }
    void SetBackColor(TQvColor Value);
    // The caption's colour; 0 lets the font's fill colour apply.
    TQvColor GetForeColor() const { return FCaptionObject->GetColor(); }
    void SetForeColor(TQvColor Value);
    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    TQvFont* GetCaptionFont() const { return FCaptionObject->GetFont(); }
    QString GetPlainText() const { return FCaptionObject->GetPlainText(); }
    // The caption as a rich caption object.
    const TQvRichCaptionObject* CaptionObject() const { return FCaptionObject.get(); }

    // Measures the caption, sizes the label when it sizes itself, and places the anchor so
    // that the rotated caption lies in the client area as Align says.
    void AdjustBounds();
    void Paint(QPainter& Canvas) override;

protected:
    void FontChanged() override;
    void Loaded() override;

private:
    void Changed();

    std::unique_ptr<TQvRichCaptionObject> FCaptionObject;
    TQvColor FBackColor;
    bool FAutoSize = true;
    bool FTransparent = true;
    bool FBoundsPending = true;
};
