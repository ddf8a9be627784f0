#pragma once

// Enumerations and sets of the component framework. Ordinals and set bits follow the
// desktop framework the library was first written for, so stored values stay compatible.

#include <QFlags>
#include <QObject>

#include <functional>

namespace Framework {
Q_NAMESPACE

enum class TOperation {
    Insert,
    Remove
};
Q_ENUM_NS(TOperation)

enum class TComponentStateItem {
    Loading = 1 << 0,
    Reading = 1 << 1,
    Writing = 1 << 2,
    Destroying = 1 << 3,
    Designing = 1 << 4,
    Updating = 1 << 6,
};
Q_DECLARE_FLAGS(TComponentState, TComponentStateItem)
Q_FLAG_NS(TComponentState)

enum class TAlign {
    None,
    Top,
    Bottom,
    Left,
    Right,
    Client,
    Custom
};
Q_ENUM_NS(TAlign)

enum class TAnchorKind {
    Left = 1 << 0,
    Top = 1 << 1,
    Right = 1 << 2,
    Bottom = 1 << 3
};
Q_DECLARE_FLAGS(TAnchors, TAnchorKind)
Q_FLAG_NS(TAnchors)

// Keys and mouse buttons held during a mouse or key event; Double marks a double click.
enum class TShiftStateItem {
    Shift = 1 << 0,
    Alt = 1 << 1,
    Ctrl = 1 << 2,
    Left = 1 << 3,
    Right = 1 << 4,
    Middle = 1 << 5,
    Double = 1 << 6,
};
Q_DECLARE_FLAGS(TShiftState, TShiftStateItem)
Q_FLAG_NS(TShiftState)

enum class TMouseButton {
    Left,
    Right,
    Middle
};
Q_ENUM_NS(TMouseButton)

enum class TFontStyle {
    Bold = 1 << 0,
    Italic = 1 << 1,
    Underline = 1 << 2,
    StrikeOut = 1 << 3
};
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_FLAG_NS(TFontStyles)

// Horizontal alignment of a text.
enum class TAlignment {
    taLeftJustify,
    taRightJustify,
    taCenter
};
Q_ENUM_NS(TAlignment)

enum class TBorderStyle {
    None,
    Single
};
Q_ENUM_NS(TBorderStyle)

// Where a button's glyph stands beside its caption.
enum class TButtonLayout {
    GlyphLeft,
    GlyphRight,
    GlyphTop,
    GlyphBottom
};
Q_ENUM_NS(TButtonLayout)

// How a button draws its face: plainly, with a gradient, or as the platform's style does.
enum class TButtonStyle {
    Normal,
    Gradient,
    Themed
};
Q_ENUM_NS(TButtonStyle)

// What a data set tells its data links.
enum class TDataEvent {
    FieldChange,
    RecordChange,
    DataSetChange,
    DataSetScroll,
    LayoutChange,
    UpdateRecord,
    UpdateState,
    CheckBrowseMode,
    PropertyChange,
    FieldListChange,
    FocusControl,
    ParentScroll,
    ConnectChange,
    ReconcileError,
    DisabledStateChange,
};
Q_ENUM_NS(TDataEvent)

} // namespace Framework

Q_DECLARE_OPERATORS_FOR_FLAGS(Framework::TComponentState)
Q_DECLARE_OPERATORS_FOR_FLAGS(Framework::TAnchors)
Q_DECLARE_OPERATORS_FOR_FLAGS(Framework::TShiftState)
Q_DECLARE_OPERATORS_FOR_FLAGS(Framework::TFontStyles)

using Framework::TAlign;
using Framework::TAlignment;
using Framework::TAnchorKind;
using Framework::TAnchors;
using Framework::TBorderStyle;
using Framework::TButtonLayout;
using Framework::TButtonStyle;
using Framework::TComponentState;
using Framework::TComponentStateItem;
using Framework::TDataEvent;
using Framework::TFontStyle;
using Framework::TFontStyles;
using Framework::TMouseButton;
using Framework::TOperation;
using Framework::TShiftState;
using Framework::TShiftStateItem;

// Integer rectangle by its edges; Right and Bottom lie just outside.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    // The width and the height.
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};

using TObject = QObject;
using TNotifyEvent = std::function<void(TObject* Sender)>;
