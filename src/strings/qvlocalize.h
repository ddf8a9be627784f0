#pragma once

// Every user-visible message and undo caption of the library. Texts use Delphi-style
// placeholders (%s, %d), filled in by Format; QCoreApplication::translate makes them
// localisable under the context "Qvplot2D".

#include <QString>

#include <initializer_list>

struct TResourceString {
    const char* Source;
    QString Text() const;
};

// One argument of Format, converted to text by the placeholder that consumes it.
class TFormatArg {
public:
    TFormatArg(const QString& Value) : FText(Value), FIsNumber(false) {}
    TFormatArg(const char* Value) : FText(QString::fromUtf8(Value)), FIsNumber(false) {}
    TFormatArg(int Value) : FNumber(Value), FIsNumber(true) {}
    TFormatArg(unsigned Value) : FNumber(Value), FIsNumber(true) {}
    TFormatArg(long long Value) : FNumber(double(Value)), FIsNumber(true) {}
    TFormatArg(double Value) : FNumber(Value), FIsNumber(true) {}

    QString Convert(QChar Kind, int Precision) const;

private:
    QString FText;
    double FNumber = 0;
    bool FIsNumber;
};

// Replaces %s, %d, %u, %x, %f, %g and %e (with an optional precision, as in "%.3f") by the
// arguments in order; "%%" is a percent sign. Missing arguments leave the placeholder.
QString FormatText(const QString& Pattern, std::initializer_list<TFormatArg> Args);

inline QString Format(const TResourceString& Pattern, std::initializer_list<TFormatArg> Args) {
    return FormatText(Pattern.Text(), Args);
}

namespace Qvlocalize {

// Components and the class registry
inline constexpr TResourceString SDuplicateName{"A component named %s already exists"};
inline constexpr TResourceString SInvalidName{"'%s' is not a valid component name"};
inline constexpr TResourceString SClassNotFound{"Class %s not found"};
inline constexpr TResourceString SNotAComponentClass{"Class %s is not a component class"};
inline constexpr TResourceString SNoOwnerConstructor{
    "Class %s has no invokable constructor taking an owner"};
inline constexpr TResourceString SAssignError{"Cannot assign a %s to a %s"};
inline constexpr TResourceString SControlParentSelf{"A control cannot be its own parent"};
inline constexpr TResourceString SControlParentLoop{
    "Control %s cannot become a child of one of its own children"};
inline constexpr TResourceString SControlNotAncestor{"Control %s is not a parent of control %s"};

// Lists
inline constexpr TResourceString SListIndexError{"List index out of bounds (%d)"};

// Streams
inline constexpr TResourceString SReadError{"Stream read error"};
inline constexpr TResourceString SWriteError{"Stream write error"};
inline constexpr TResourceString SInvalidPropertyValue{"Invalid property value"};
inline constexpr TResourceString SStringTooLong{
    "A stored text of %d bytes is longer than the %d bytes left in the stream"};
inline constexpr TResourceString SUnknownProperty{"Property %s does not exist"};
inline constexpr TResourceString SUnknownRecordBlock{
    "Unknown extension block in a stored %s record"};

// Files
inline constexpr TResourceString SFileOpenError{"Cannot open file \"%s\": %s"};
inline constexpr TResourceString SFileWriteError{"Cannot write file \"%s\": %s"};

// INI files
inline constexpr TResourceString SIniInvalidSection{"Invalid INI section name \"%s\""};
inline constexpr TResourceString SIniInvalidKey{"Invalid INI key \"%s\""};
inline constexpr TResourceString SIniInvalidValue{
    "The value of INI key \"%s\" contains a line break"};

// XML
inline constexpr TResourceString SXMLParseError{"XML error at line %d, column %d: %s"};
inline constexpr TResourceString SXMLNoDocumentElement{"The XML document has no document element"};
inline constexpr TResourceString SXMLNullNode{"Operation on an empty XML node"};
inline constexpr TResourceString SXMLInvalidName{"Invalid XML name \"%s\""};
inline constexpr TResourceString SXMLDocumentElementExists{
    "The XML document already has a document element"};
inline constexpr TResourceString SXMLNotAChild{"XML node \"%s\" is not a child of node \"%s\""};
inline constexpr TResourceString SXMLMultipleRoots{"More than one document element"};
inline constexpr TResourceString SXMLTextOutsideRoot{"Text outside the document element"};

// Data binding
inline constexpr TResourceString SDataSetNoCurrentRecord{"The data set has no current record"};

// Data vectors
inline constexpr TResourceString SIndexOutOfRange{"i=%d index out of range"};
inline constexpr TResourceString SIndexerSetValue{"TQvIndexer is not supposed to set values!"};
inline constexpr TResourceString SStoredCountTooLarge{
    "A stored count of %d items of %d bytes does not fit into the %d bytes left in the stream"};

// Clipboard
inline constexpr TResourceString SClipboardUnavailable{
    "The clipboard needs a running QGuiApplication"};

// Printing
inline constexpr TResourceString SPrinterNotPrinting{"Printing not in progress"};
inline constexpr TResourceString SPrinterPrinting{"Printing in progress"};
inline constexpr TResourceString SPrinterNoOutput{
    "No printer is installed; set an output file to print into a PDF file"};
inline constexpr TResourceString SPrinterStartFailed{"The print job could not be started"};

// Style settings: undo captions
inline constexpr TResourceString SGradientVisible{"Gradient visible"};
inline constexpr TResourceString SGradientStyle{"Gradient style"};
inline constexpr TResourceString SGradientFirstColor{"Gradient first color"};
inline constexpr TResourceString SGradientMiddleColor{"Gradient middle color"};
inline constexpr TResourceString SGradientLastColor{"Gradient last color"};
inline constexpr TResourceString SLinearGradientAngle{"Linear gradient angle"};
inline constexpr TResourceString SLinearGradientCenter{"Linear gradient center"};
inline constexpr TResourceString SGradientCenterX{"X component of gradient center"};
inline constexpr TResourceString SGradientCenterY{"Y component of gradient center"};
inline constexpr TResourceString SLineWidth{"Line width"};
inline constexpr TResourceString SLineDashStyle{"Line dash style"};
inline constexpr TResourceString SLineColor{"Line color"};
inline constexpr TResourceString SLineVisible{"Line visible"};
inline constexpr TResourceString SAreaVisible{"Filled area visible"};
inline constexpr TResourceString SAreaStyle{"Area fill style"};
inline constexpr TResourceString SAreaForeColor{"Area fill foreground color"};
inline constexpr TResourceString SAreaBackColor{"Area fill background color"};
inline constexpr TResourceString SSymbolVisible{"Point symbol visible"};
inline constexpr TResourceString SSymbolBorderLineWidth{"Point symbol borderline width"};
inline constexpr TResourceString SSymbolSize{"Point symbol size"};
inline constexpr TResourceString SSymbolBorderColor{"Point symbol borderline color"};
inline constexpr TResourceString SSymbolFillColor{"Point symbol fill color"};
inline constexpr TResourceString SSymbolSelection{"Point symbol selection"};
inline constexpr TResourceString SArrowPointLength{"Arrow tip point length"};
inline constexpr TResourceString SArrowInnerLength{"Arrow tip point inner length"};
inline constexpr TResourceString SArrowPointHeight{"Arrow tip point height"};
inline constexpr TResourceString SAxisArrowPointLength{"Axis arrow tip point length"};
inline constexpr TResourceString SAxisArrowInnerLength{"Axis arrow tip point inner length"};
inline constexpr TResourceString SAxisArrowPointHeight{"Axis arrow tip point height"};
inline constexpr TResourceString SAxisArrowVisible{"Axis arrow visible"};

// Undo stack
inline constexpr TResourceString SUndoPropertyNotFound{"Property: \"%s\" not found"};
inline constexpr TResourceString SUndoNoComponentName{"Component does not have a name"};
inline constexpr TResourceString SUndoTooManyStopGroups{
    "Undo stack has too many StopGroup statements"};
inline constexpr TResourceString SUndoCorrupt{"The undo history is damaged and has been cleared: %s"};
inline constexpr TResourceString SUndoReadOnlyList{"The list of undo steps cannot be changed"};
inline constexpr TResourceString SUndoTemporaryFile{"Cannot create the undo file \"%s\": %s"};

// Images
inline constexpr TResourceString SImageFormatNotSupported{"Image format \"%s\" is not supported"};
inline constexpr TResourceString SImageWriteError{"Cannot write the image as %s: %s"};
inline constexpr TResourceString SImageReadError{"Cannot read the image file \"%s\": %s"};

// GIF export
inline constexpr TResourceString SGifNullImage{"Cannot save an empty image as GIF"};
inline constexpr TResourceString SGifTooLarge{
    "A GIF image is at most 65535 x 65535 pixels, not %d x %d"};
inline constexpr TResourceString SGifWriteError{"Cannot write the GIF image: %s"};

// Number and date-time text
inline constexpr TResourceString SInvalidFloat{"\"%s\" is not a valid floating point value"};
inline constexpr TResourceString SInvalidInteger{"\"%s\" is not a valid integer value"};
inline constexpr TResourceString SIntegerExtraction{"Error during integer extraction"};
inline constexpr TResourceString SFloatExtraction{"Error during floating point number extraction"};
inline constexpr TResourceString SNegativeTimeSpan{"Error no negative Time Span allowed"};
inline constexpr TResourceString SInvalidTimeSpan{"\"%s\" is not a valid time span"};
inline constexpr TResourceString SDateEncodeError{"Invalid argument to date encode"};
inline constexpr TResourceString STimeEncodeError{"Invalid argument to time encode"};
inline constexpr TResourceString SInvalidDateTimeValue{"%s is not a valid date and time value"};

} // namespace Qvlocalize
