#pragma once

// Every user-visible message and undo caption of the library. Texts use Delphi-style
// placeholders (%s, %d), filled in by Format; QCoreApplication::translate makes them
// localisable under the context "Qvplot2D", where lupdate finds them marked.

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
inline constexpr TResourceString SDuplicateName{
    QT_TRANSLATE_NOOP("Qvplot2D", "A component named %s already exists")};
inline constexpr TResourceString SInvalidName{
    QT_TRANSLATE_NOOP("Qvplot2D", "'%s' is not a valid component name")};
inline constexpr TResourceString SClassNotFound{
    QT_TRANSLATE_NOOP("Qvplot2D", "Class %s not found")};
inline constexpr TResourceString SNotAComponentClass{
    QT_TRANSLATE_NOOP("Qvplot2D", "Class %s is not a component class")};
inline constexpr TResourceString SNoOwnerConstructor{
    QT_TRANSLATE_NOOP("Qvplot2D", "Class %s has no invokable constructor taking an owner")};
inline constexpr TResourceString SAssignError{
    QT_TRANSLATE_NOOP("Qvplot2D", "Cannot assign a %s to a %s")};
inline constexpr TResourceString SControlParentSelf{
    QT_TRANSLATE_NOOP("Qvplot2D", "A control cannot be its own parent")};
inline constexpr TResourceString SControlParentLoop{
    QT_TRANSLATE_NOOP("Qvplot2D", "Control %s cannot become a child of one of its own children")};
inline constexpr TResourceString SControlNotAncestor{
    QT_TRANSLATE_NOOP("Qvplot2D", "Control %s is not a parent of control %s")};

// Lists
inline constexpr TResourceString SListIndexError{
    QT_TRANSLATE_NOOP("Qvplot2D", "List index out of bounds (%d)")};

// Streams
inline constexpr TResourceString SReadError{QT_TRANSLATE_NOOP("Qvplot2D", "Stream read error")};
inline constexpr TResourceString SWriteError{QT_TRANSLATE_NOOP("Qvplot2D", "Stream write error")};
inline constexpr TResourceString SValuesTooDeep{
    QT_TRANSLATE_NOOP("Qvplot2D", "Values are nested deeper than %d levels")};
inline constexpr TResourceString SInvalidPropertyValue{
    QT_TRANSLATE_NOOP("Qvplot2D", "Invalid property value")};
inline constexpr TResourceString SStringTooLong{QT_TRANSLATE_NOOP(
    "Qvplot2D", "A stored text of %d bytes is longer than the %d bytes left in the stream")};
inline constexpr TResourceString SUnknownProperty{
    QT_TRANSLATE_NOOP("Qvplot2D", "Property %s does not exist")};
inline constexpr TResourceString SUnknownRecordBlock{
    QT_TRANSLATE_NOOP("Qvplot2D", "Unknown extension block in a stored %s record")};

// Files
inline constexpr TResourceString SFileOpenError{
    QT_TRANSLATE_NOOP("Qvplot2D", "Cannot open file \"%s\": %s")};
inline constexpr TResourceString SFileWriteError{
    QT_TRANSLATE_NOOP("Qvplot2D", "Cannot write file \"%s\": %s")};

// Graph documents
inline constexpr TResourceString SDocumentNoOwner{QT_TRANSLATE_NOOP(
    "Qvplot2D", "The owner \"%s\" of the stored component \"%s\" does not exist")};
inline constexpr TResourceString SDocumentWrongClass{
    QT_TRANSLATE_NOOP("Qvplot2D", "The stored component \"%s\" is a %s here, not a %s")};
inline constexpr TResourceString SDocumentClassKind{
    QT_TRANSLATE_NOOP("Qvplot2D", "The stored class %s is not a %s")};
inline constexpr TResourceString SDocumentNoGraph{
    QT_TRANSLATE_NOOP("Qvplot2D", "\"%s\" is not a graph document")};

// INI files
inline constexpr TResourceString SIniInvalidSection{
    QT_TRANSLATE_NOOP("Qvplot2D", "Invalid INI section name \"%s\"")};
inline constexpr TResourceString SIniInvalidKey{
    QT_TRANSLATE_NOOP("Qvplot2D", "Invalid INI key \"%s\"")};
inline constexpr TResourceString SIniInvalidValue{
    QT_TRANSLATE_NOOP("Qvplot2D", "The value of INI key \"%s\" contains a line break")};

// XML
inline constexpr TResourceString SXMLParseError{
    QT_TRANSLATE_NOOP("Qvplot2D", "XML error at line %d, column %d: %s")};
inline constexpr TResourceString SXMLNoDocumentElement{
    QT_TRANSLATE_NOOP("Qvplot2D", "The XML document has no document element")};
inline constexpr TResourceString SXMLNullNode{
    QT_TRANSLATE_NOOP("Qvplot2D", "Operation on an empty XML node")};
inline constexpr TResourceString SXMLInvalidName{
    QT_TRANSLATE_NOOP("Qvplot2D", "Invalid XML name \"%s\"")};
inline constexpr TResourceString SXMLDocumentElementExists{
    QT_TRANSLATE_NOOP("Qvplot2D", "The XML document already has a document element")};
inline constexpr TResourceString SXMLNotAChild{
    QT_TRANSLATE_NOOP("Qvplot2D", "XML node \"%s\" is not a child of node \"%s\"")};
inline constexpr TResourceString SXMLMultipleRoots{
    QT_TRANSLATE_NOOP("Qvplot2D", "More than one document element")};
inline constexpr TResourceString SXMLTextOutsideRoot{
    QT_TRANSLATE_NOOP("Qvplot2D", "Text outside the document element")};

// Data binding
inline constexpr TResourceString SDataSetNoCurrentRecord{
    QT_TRANSLATE_NOOP("Qvplot2D", "The data set has no current record")};

// Data vectors
inline constexpr TResourceString SIndexOutOfRange{
    QT_TRANSLATE_NOOP("Qvplot2D", "i=%d index out of range")};
inline constexpr TResourceString SIndexerSetValue{
    QT_TRANSLATE_NOOP("Qvplot2D", "TQvIndexer is not supposed to set values!")};
inline constexpr TResourceString SStoredCountTooLarge{QT_TRANSLATE_NOOP(
    "Qvplot2D",
    "A stored count of %d items of %d bytes does not fit into the %d bytes left in the stream")};

// Clipboard
inline constexpr TResourceString SClipboardUnavailable{
    QT_TRANSLATE_NOOP("Qvplot2D", "The clipboard needs a running QGuiApplication")};

// Printing
inline constexpr TResourceString SPrinterNotPrinting{
    QT_TRANSLATE_NOOP("Qvplot2D", "Printing not in progress")};
inline constexpr TResourceString SPrinterPrinting{
    QT_TRANSLATE_NOOP("Qvplot2D", "Printing in progress")};
inline constexpr TResourceString SPrinterNoOutput{QT_TRANSLATE_NOOP(
    "Qvplot2D", "No printer is installed; set an output file to print into a PDF file")};
inline constexpr TResourceString SPrinterStartFailed{
    QT_TRANSLATE_NOOP("Qvplot2D", "The print job could not be started")};

// Style settings: undo captions
inline constexpr TResourceString SGradientVisible{
    QT_TRANSLATE_NOOP("Qvplot2D", "Gradient visible")};
inline constexpr TResourceString SGradientStyle{QT_TRANSLATE_NOOP("Qvplot2D", "Gradient style")};
inline constexpr TResourceString SGradientFirstColor{
    QT_TRANSLATE_NOOP("Qvplot2D", "Gradient first color")};
inline constexpr TResourceString SGradientMiddleColor{
    QT_TRANSLATE_NOOP("Qvplot2D", "Gradient middle color")};
inline constexpr TResourceString SGradientLastColor{
    QT_TRANSLATE_NOOP("Qvplot2D", "Gradient last color")};
inline constexpr TResourceString SLinearGradientAngle{
    QT_TRANSLATE_NOOP("Qvplot2D", "Linear gradient angle")};
inline constexpr TResourceString SLinearGradientCenter{
    QT_TRANSLATE_NOOP("Qvplot2D", "Linear gradient center")};
inline constexpr TResourceString SGradientCenterX{
    QT_TRANSLATE_NOOP("Qvplot2D", "X component of gradient center")};
inline constexpr TResourceString SGradientCenterY{
    QT_TRANSLATE_NOOP("Qvplot2D", "Y component of gradient center")};
inline constexpr TResourceString SLineWidth{QT_TRANSLATE_NOOP("Qvplot2D", "Line width")};
inline constexpr TResourceString SLineDashStyle{QT_TRANSLATE_NOOP("Qvplot2D", "Line dash style")};
inline constexpr TResourceString SLineColor{QT_TRANSLATE_NOOP("Qvplot2D", "Line color")};
inline constexpr TResourceString SLineVisible{QT_TRANSLATE_NOOP("Qvplot2D", "Line visible")};
inline constexpr TResourceString SAreaVisible{QT_TRANSLATE_NOOP("Qvplot2D", "Filled area visible")};
inline constexpr TResourceString SAreaStyle{QT_TRANSLATE_NOOP("Qvplot2D", "Area fill style")};
inline constexpr TResourceString SAreaForeColor{
    QT_TRANSLATE_NOOP("Qvplot2D", "Area fill foreground color")};
inline constexpr TResourceString SAreaBackColor{
    QT_TRANSLATE_NOOP("Qvplot2D", "Area fill background color")};
inline constexpr TResourceString SSymbolVisible{
    QT_TRANSLATE_NOOP("Qvplot2D", "Point symbol visible")};
inline constexpr TResourceString SSymbolBorderLineWidth{
    QT_TRANSLATE_NOOP("Qvplot2D", "Point symbol borderline width")};
inline constexpr TResourceString SSymbolSize{QT_TRANSLATE_NOOP("Qvplot2D", "Point symbol size")};
inline constexpr TResourceString SSymbolBorderColor{
    QT_TRANSLATE_NOOP("Qvplot2D", "Point symbol borderline color")};
inline constexpr TResourceString SSymbolFillColor{
    QT_TRANSLATE_NOOP("Qvplot2D", "Point symbol fill color")};
inline constexpr TResourceString SSymbolSelection{
    QT_TRANSLATE_NOOP("Qvplot2D", "Point symbol selection")};
inline constexpr TResourceString SArrowPointLength{
    QT_TRANSLATE_NOOP("Qvplot2D", "Arrow tip point length")};
inline constexpr TResourceString SArrowInnerLength{
    QT_TRANSLATE_NOOP("Qvplot2D", "Arrow tip point inner length")};
inline constexpr TResourceString SArrowPointHeight{
    QT_TRANSLATE_NOOP("Qvplot2D", "Arrow tip point height")};
inline constexpr TResourceString SAxisArrowPointLength{
    QT_TRANSLATE_NOOP("Qvplot2D", "Axis arrow tip point length")};
inline constexpr TResourceString SAxisArrowInnerLength{
    QT_TRANSLATE_NOOP("Qvplot2D", "Axis arrow tip point inner length")};
inline constexpr TResourceString SAxisArrowPointHeight{
    QT_TRANSLATE_NOOP("Qvplot2D", "Axis arrow tip point height")};
inline constexpr TResourceString SAxisArrowVisible{
    QT_TRANSLATE_NOOP("Qvplot2D", "Axis arrow visible")};
inline constexpr TResourceString SAxisZoomBufferDamaged{QT_TRANSLATE_NOOP(
    "Qvplot2D", "The stored zoom buffer of the axis does not match its stage index")};

// Property links
inline constexpr TResourceString SLinkOwnerProperty{
    QT_TRANSLATE_NOOP("Qvplot2D", "%s has no published property \"%s\"")};
inline constexpr TResourceString SLinkNoTopLevel{QT_TRANSLATE_NOOP(
    "Qvplot2D", "Property link \"%s\": there is no form or data module named \"%s\"")};
inline constexpr TResourceString SLinkNoMember{QT_TRANSLATE_NOOP(
    "Qvplot2D",
    "Property link \"%s\": \"%s\" is neither a component nor a published property of %s")};
inline constexpr TResourceString SLinkNoObject{
    QT_TRANSLATE_NOOP("Qvplot2D", "Property link \"%s\": \"%s\" holds no object")};
inline constexpr TResourceString SLinkNoValue{
    QT_TRANSLATE_NOOP("Qvplot2D", "Property link \"%s\" ends at an object, not at a value")};

// Editor controls
inline constexpr TResourceString STuneColorsCaption{QT_TRANSLATE_NOOP("Qvplot2D", "Tune colors")};
inline constexpr TResourceString STuneHue{QT_TRANSLATE_NOOP("Qvplot2D", "Hue")};
inline constexpr TResourceString STuneSaturation{QT_TRANSLATE_NOOP("Qvplot2D", "Saturation")};
inline constexpr TResourceString STuneLightness{QT_TRANSLATE_NOOP("Qvplot2D", "Lightness")};
inline constexpr TResourceString STuneOpacity{QT_TRANSLATE_NOOP("Qvplot2D", "Opacity")};

// Undo stack
inline constexpr TResourceString SUndoPropertyNotFound{
    QT_TRANSLATE_NOOP("Qvplot2D", "Property: \"%s\" not found")};
inline constexpr TResourceString SUndoNoComponentName{
    QT_TRANSLATE_NOOP("Qvplot2D", "Component does not have a name")};
inline constexpr TResourceString SUndoTooManyStopGroups{
    QT_TRANSLATE_NOOP("Qvplot2D", "Undo stack has too many StopGroup statements")};
inline constexpr TResourceString SUndoCorrupt{
    QT_TRANSLATE_NOOP("Qvplot2D", "The undo history is damaged and has been cleared: %s")};
inline constexpr TResourceString SUndoOwnComponent{QT_TRANSLATE_NOOP(
    "Qvplot2D",
    "The undo stack cannot free or restore itself or a component that owns it: \"%s\"")};
inline constexpr TResourceString SUndoReadOnlyList{
    QT_TRANSLATE_NOOP("Qvplot2D", "The list of undo steps cannot be changed")};
inline constexpr TResourceString SUndoButtonCaption{QT_TRANSLATE_NOOP("Qvplot2D", "Undo")};
inline constexpr TResourceString SRedoButtonCaption{QT_TRANSLATE_NOOP("Qvplot2D", "Redo")};
inline constexpr TResourceString SUndoLastOperation{
    QT_TRANSLATE_NOOP("Qvplot2D", "Undo last operation")};
inline constexpr TResourceString SRedoLastOperation{
    QT_TRANSLATE_NOOP("Qvplot2D", "Redo last operation")};
inline constexpr TResourceString SUndoLastOperations{
    QT_TRANSLATE_NOOP("Qvplot2D", "Undo last %d operations")};
inline constexpr TResourceString SRedoLastOperations{
    QT_TRANSLATE_NOOP("Qvplot2D", "Redo last %d operations")};
inline constexpr TResourceString SUndoTemporaryFile{
    QT_TRANSLATE_NOOP("Qvplot2D", "Cannot create the undo file \"%s\": %s")};

// Images
inline constexpr TResourceString SImageFormatNotSupported{
    QT_TRANSLATE_NOOP("Qvplot2D", "Image format \"%s\" is not supported")};
inline constexpr TResourceString SImageWriteError{
    QT_TRANSLATE_NOOP("Qvplot2D", "Cannot write the image as %s: %s")};
inline constexpr TResourceString SImageReadError{
    QT_TRANSLATE_NOOP("Qvplot2D", "Cannot read the image file \"%s\": %s")};
inline constexpr TResourceString SImageUnknownExtension{
    QT_TRANSLATE_NOOP("Qvplot2D", "Cannot tell the image format of \"%s\" from its extension")};

// GIF export
inline constexpr TResourceString SGifNullImage{
    QT_TRANSLATE_NOOP("Qvplot2D", "Cannot save an empty image as GIF")};
inline constexpr TResourceString SGifTooLarge{
    QT_TRANSLATE_NOOP("Qvplot2D", "A GIF image is at most 65535 x 65535 pixels, not %d x %d")};
inline constexpr TResourceString SGifWriteError{
    QT_TRANSLATE_NOOP("Qvplot2D", "Cannot write the GIF image: %s")};

// Number and date-time text
inline constexpr TResourceString SInvalidFloat{
    QT_TRANSLATE_NOOP("Qvplot2D", "\"%s\" is not a valid floating point value")};
inline constexpr TResourceString SInvalidInteger{
    QT_TRANSLATE_NOOP("Qvplot2D", "\"%s\" is not a valid integer value")};
inline constexpr TResourceString SIntegerExtraction{
    QT_TRANSLATE_NOOP("Qvplot2D", "Error during integer extraction")};
inline constexpr TResourceString SFloatExtraction{
    QT_TRANSLATE_NOOP("Qvplot2D", "Error during floating point number extraction")};
inline constexpr TResourceString SNegativeTimeSpan{
    QT_TRANSLATE_NOOP("Qvplot2D", "Error no negative Time Span allowed")};
inline constexpr TResourceString SInvalidTimeSpan{
    QT_TRANSLATE_NOOP("Qvplot2D", "\"%s\" is not a valid time span")};
inline constexpr TResourceString SDateEncodeError{
    QT_TRANSLATE_NOOP("Qvplot2D", "Invalid argument to date encode")};
inline constexpr TResourceString STimeEncodeError{
    QT_TRANSLATE_NOOP("Qvplot2D", "Invalid argument to time encode")};
inline constexpr TResourceString SInvalidDateTimeValue{
    QT_TRANSLATE_NOOP("Qvplot2D", "%s is not a valid date and time value")};

// Graph
inline constexpr TResourceString SGraphTitleAlignment{
    QT_TRANSLATE_NOOP("Qvplot2D", "Graph title alignment")};
inline constexpr TResourceString SGraphBackColor{
    QT_TRANSLATE_NOOP("Qvplot2D", "Graph background color")};
inline constexpr TResourceString SGraphTitleColor{
    QT_TRANSLATE_NOOP("Qvplot2D", "Color of graph title")};
inline constexpr TResourceString SGraphTitleDistanceAfter{
    QT_TRANSLATE_NOOP("Qvplot2D", "Distance below graph title")};
inline constexpr TResourceString SGraphTitleDistanceBefore{
    QT_TRANSLATE_NOOP("Qvplot2D", "Distance above graph title")};
inline constexpr TResourceString SGraphTitleFont{
    QT_TRANSLATE_NOOP("Qvplot2D", "Font of graph title")};
inline constexpr TResourceString SGraphTitleVisible{
    QT_TRANSLATE_NOOP("Qvplot2D", "Visibility of graph title")};
inline constexpr TResourceString SGraphCaption{
    QT_TRANSLATE_NOOP("Qvplot2D", "Caption used in title of graph")};
inline constexpr TResourceString SGraphDataAreaColor{
    QT_TRANSLATE_NOOP("Qvplot2D", "Color of graph data area")};
inline constexpr TResourceString SGraphZeroOrigin{
    QT_TRANSLATE_NOOP("Qvplot2D", "Graph axes cross at (0,0)")};
inline constexpr TResourceString SGraphBorderTop{
    QT_TRANSLATE_NOOP("Qvplot2D", "Graph border distance at top")};
inline constexpr TResourceString SGraphBorderBottom{
    QT_TRANSLATE_NOOP("Qvplot2D", "Graph border distance at bottom")};
inline constexpr TResourceString SGraphBorderLeft{
    QT_TRANSLATE_NOOP("Qvplot2D", "Graph border distance left")};
inline constexpr TResourceString SGraphBorderRight{
    QT_TRANSLATE_NOOP("Qvplot2D", "Graph border distance right")};
inline constexpr TResourceString SGraphPrimaryXAxis{
    QT_TRANSLATE_NOOP("Qvplot2D", "Graph primary X-axis")};
inline constexpr TResourceString SGraphPrimaryYAxis{
    QT_TRANSLATE_NOOP("Qvplot2D", "Graph primary Y-axis")};
inline constexpr TResourceString SGraphSeriesData{
    QT_TRANSLATE_NOOP("Qvplot2D", "Graph series data")};
inline constexpr TResourceString SGraphApplyTheme{
    QT_TRANSLATE_NOOP("Qvplot2D", "Apply theme to graph")};
inline constexpr TResourceString SGraphNameVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Internal name of the graph control")};
inline constexpr TResourceString SDefaultXAxisCaption{QT_TRANSLATE_NOOP("Qvplot2D", "X-Axis")};
inline constexpr TResourceString SDefaultYAxisCaption{QT_TRANSLATE_NOOP("Qvplot2D", "Y-Axis")};

// Zoom settings
inline constexpr TResourceString SZoomAuto{QT_TRANSLATE_NOOP("Qvplot2D", "Graph auto zooming")};
inline constexpr TResourceString SZoomOptimizeSeries{
    QT_TRANSLATE_NOOP("Qvplot2D", "Graph zoom optimize for series data")};
inline constexpr TResourceString SZoomBackClickBeside{
    QT_TRANSLATE_NOOP("Qvplot2D", "Graph zoom back clicking beside data")};
inline constexpr TResourceString SZoomResetDoubleClick{
    QT_TRANSLATE_NOOP("Qvplot2D", "Graph zoom reset double clicking beside data")};
inline constexpr TResourceString SZoomResetFrame{
    QT_TRANSLATE_NOOP("Qvplot2D", "Graph zoom reset dragging bottom/right top/left")};
inline constexpr TResourceString SZoomHScrollbarVisible{
    QT_TRANSLATE_NOOP("Qvplot2D", "Graph zoomed show horizontal scrollbar")};
inline constexpr TResourceString SZoomVScrollbarVisible{
    QT_TRANSLATE_NOOP("Qvplot2D", "Graph zoomed show vertical scrollbar")};
inline constexpr TResourceString SZoomSmallIncrement{
    QT_TRANSLATE_NOOP("Qvplot2D", "Graph scrollbars small increment")};
inline constexpr TResourceString SZoomLargeIncrement{
    QT_TRANSLATE_NOOP("Qvplot2D", "Graph scrollbars large increment")};
inline constexpr TResourceString SZoomWheel{
    QT_TRANSLATE_NOOP("Qvplot2D", "Graph zoom with the mouse wheel")};
inline constexpr TResourceString SZoomKeys{
    QT_TRANSLATE_NOOP("Qvplot2D", "Graph zoom back and reset with keys")};
inline constexpr TResourceString SLegendPosition{QT_TRANSLATE_NOOP("Qvplot2D", "Legend position")};
inline constexpr TResourceString SLegendMoved{QT_TRANSLATE_NOOP("Qvplot2D", "Legend moved")};
inline constexpr TResourceString SZoomStartKeys{
    QT_TRANSLATE_NOOP("Qvplot2D", "Graph zoom start keys")};
inline constexpr TResourceString SPanningStartKeys{
    QT_TRANSLATE_NOOP("Qvplot2D", "Graph panning start keys")};
inline constexpr TResourceString SZoomPanSameKeys{
    QT_TRANSLATE_NOOP("Qvplot2D", "Zooming and panning not allowed to start with same parameters")};

// Axis range and scaling
inline constexpr TResourceString SAxisStart{QT_TRANSLATE_NOOP("Qvplot2D", "Axis range start")};
inline constexpr TResourceString SAxisStop{QT_TRANSLATE_NOOP("Qvplot2D", "Axis range stop")};
inline constexpr TResourceString SAxisStartEnd{
    QT_TRANSLATE_NOOP("Qvplot2D", "Auto ranging mode of axis start")};
inline constexpr TResourceString SAxisStopEnd{
    QT_TRANSLATE_NOOP("Qvplot2D", "Auto ranging mode of axis stop")};
inline constexpr TResourceString SAxisEndRounding{
    QT_TRANSLATE_NOOP("Qvplot2D", "Axis ends rounding mode")};
inline constexpr TResourceString SAxisScaling{QT_TRANSLATE_NOOP("Qvplot2D", "Axis scaling")};
inline constexpr TResourceString SAxisLogToNormalLevel{
    QT_TRANSLATE_NOOP("Qvplot2D", "Log to normal scaling switching range")};
inline constexpr TResourceString SAxisMovingSlitWidth{
    QT_TRANSLATE_NOOP("Qvplot2D", "Width of moving range scaling")};
inline constexpr TResourceString SAxisMovingSlitIncrement{
    QT_TRANSLATE_NOOP("Qvplot2D", "Incement to move axis range")};
inline constexpr TResourceString SAxisIsSlave{
    QT_TRANSLATE_NOOP("Qvplot2D", "Axis as slave to other axis")};
inline constexpr TResourceString SAxisSlaveSlope{
    QT_TRANSLATE_NOOP("Qvplot2D", "Multiplier to convert master scaling")};
inline constexpr TResourceString SAxisSlaveOffset{
    QT_TRANSLATE_NOOP("Qvplot2D", "Offset to convert master scaling")};
inline constexpr TResourceString SAxisMaster{QT_TRANSLATE_NOOP("Qvplot2D", "Master axis")};
inline constexpr TResourceString SAxisRubrics{
    QT_TRANSLATE_NOOP("Qvplot2D", "Axis rubrics captions")};
inline constexpr TResourceString SAxisRubricsWithDB{
    QT_TRANSLATE_NOOP("Qvplot2D", "Setting rubrics not allowed with database binding set")};

// Axis geometry and drawing
inline constexpr TResourceString SAxisThickness{
    QT_TRANSLATE_NOOP("Qvplot2D", "Width of axis line")};
inline constexpr TResourceString SAxisMajorTickThickness{
    QT_TRANSLATE_NOOP("Qvplot2D", "Width of major tick lines")};
inline constexpr TResourceString SAxisTickThickness{
    QT_TRANSLATE_NOOP("Qvplot2D", "Width of minor tick lines")};
inline constexpr TResourceString SAxisTickLength{
    QT_TRANSLATE_NOOP("Qvplot2D", "Axis minor ticks length")};
inline constexpr TResourceString SAxisMajorTickLength{
    QT_TRANSLATE_NOOP("Qvplot2D", "Axis major ticks length")};
inline constexpr TResourceString SAxisTicksPointToData{
    QT_TRANSLATE_NOOP("Qvplot2D", "Axis ticks point to graph data area")};
inline constexpr TResourceString SAxisNumbersVisible{
    QT_TRANSLATE_NOOP("Qvplot2D", "Visibility of axis scaling numbers")};
inline constexpr TResourceString SAxisTwisted{
    QT_TRANSLATE_NOOP("Qvplot2D", "Axis twist order of numbers")};
inline constexpr TResourceString SAxisDistanceValuesAxis{
    QT_TRANSLATE_NOOP("Qvplot2D", "Distance between graph data area and axis")};
inline constexpr TResourceString SAxisDistanceAxisLabels{
    QT_TRANSLATE_NOOP("Qvplot2D", "Distance between axis and scaling labels")};
inline constexpr TResourceString SAxisDistanceExtraExponent{
    QT_TRANSLATE_NOOP("Qvplot2D", "Distance between axis and extra exponent")};
inline constexpr TResourceString SAxisDistanceNumbersCaption{
    QT_TRANSLATE_NOOP("Qvplot2D", "Distance between axis scaling numbers and caption")};
inline constexpr TResourceString SAxisDistanceToBorder{
    QT_TRANSLATE_NOOP("Qvplot2D", "Distance between axis caption and border")};
inline constexpr TResourceString SAxisCaptionDistanceAfter{
    QT_TRANSLATE_NOOP("Qvplot2D", "Distance below axis caption")};
inline constexpr TResourceString SAxisCaptionDistanceBefore{
    QT_TRANSLATE_NOOP("Qvplot2D", "Distance above axis caption")};
inline constexpr TResourceString SAxisCaptionAlignment{
    QT_TRANSLATE_NOOP("Qvplot2D", "Alignment of axis caption")};
inline constexpr TResourceString SAxisCaptionColor{
    QT_TRANSLATE_NOOP("Qvplot2D", "Color of axis caption")};
inline constexpr TResourceString SAxisCaptionFont{
    QT_TRANSLATE_NOOP("Qvplot2D", "Font of axis caption")};
inline constexpr TResourceString SAxisFont{
    QT_TRANSLATE_NOOP("Qvplot2D", "Font of axis scaling numbers")};
inline constexpr TResourceString SAxisCaptionVisible{
    QT_TRANSLATE_NOOP("Qvplot2D", "Visibility of axis caption")};
inline constexpr TResourceString SAxisCaption{QT_TRANSLATE_NOOP("Qvplot2D", "Axis caption")};
inline constexpr TResourceString SAxisCaptionHorizontal{
    QT_TRANSLATE_NOOP("Qvplot2D", "Horizontal caption if axis is vertical")};
inline constexpr TResourceString SAxisExtraDigits{
    QT_TRANSLATE_NOOP("Qvplot2D", "Axis numbers extra decimal spaces")};
inline constexpr TResourceString SAxisForeColor{
    QT_TRANSLATE_NOOP("Qvplot2D", "Axis foreground color")};
inline constexpr TResourceString SAxisNumbersColor{
    QT_TRANSLATE_NOOP("Qvplot2D", "Axis color of scaling numbers")};
inline constexpr TResourceString SAxisMajorTickColor{
    QT_TRANSLATE_NOOP("Qvplot2D", "Axis color of major tickmarks")};
inline constexpr TResourceString SAxisTickColor{
    QT_TRANSLATE_NOOP("Qvplot2D", "Axis color of minor tickmarks")};
inline constexpr TResourceString SAxisRubricsAngle{
    QT_TRANSLATE_NOOP("Qvplot2D", "Axis angle of rubrics captions")};
inline constexpr TResourceString SAxisPosition{
    QT_TRANSLATE_NOOP("Qvplot2D", "Axis position in graph")};
inline constexpr TResourceString SAxisMajorGridMode{
    QT_TRANSLATE_NOOP("Qvplot2D", "Axis major grid mode")};
inline constexpr TResourceString SAxisAutoTickParts{
    QT_TRANSLATE_NOOP("Qvplot2D", "Automatic tick partitions")};
inline constexpr TResourceString SAxisLabelPart{
    QT_TRANSLATE_NOOP("Qvplot2D", "Axis partitions for labels")};
inline constexpr TResourceString SAxisMajorTickPart{
    QT_TRANSLATE_NOOP("Qvplot2D", "Axis partitions for major ticks")};
inline constexpr TResourceString SAxisTickPart{
    QT_TRANSLATE_NOOP("Qvplot2D", "Axis partitions for minor ticks")};
inline constexpr TResourceString SAxisLabelDistanceFactor{
    QT_TRANSLATE_NOOP("Qvplot2D", "Factor for distance of axis labels")};
inline constexpr TResourceString SAxisVisible{QT_TRANSLATE_NOOP("Qvplot2D", "Axis visible")};

// Series
inline constexpr TResourceString SSeriesCaption{QT_TRANSLATE_NOOP("Qvplot2D", "Series caption")};
inline constexpr TResourceString SSeriesIncludeInLegend{
    QT_TRANSLATE_NOOP("Qvplot2D", "Series visibility in legends")};
inline constexpr TResourceString SSeriesLayer{
    QT_TRANSLATE_NOOP("Qvplot2D", "Series drawing order")};
inline constexpr TResourceString SSeriesXAxis{
    QT_TRANSLATE_NOOP("Qvplot2D", "Series X-axis reference")};
inline constexpr TResourceString SSeriesYAxis{
    QT_TRANSLATE_NOOP("Qvplot2D", "Series Y-axis reference")};
inline constexpr TResourceString SSeriesXData{
    QT_TRANSLATE_NOOP("Qvplot2D", "Series X-data reference")};
inline constexpr TResourceString SSeriesYData{
    QT_TRANSLATE_NOOP("Qvplot2D", "Series Y-data reference")};
inline constexpr TResourceString SSeriesVisible{QT_TRANSLATE_NOOP("Qvplot2D", "Series visibility")};
inline constexpr TResourceString SSeriesOutliersVisible{
    QT_TRANSLATE_NOOP("Qvplot2D", "Series visibility of outliers")};
inline constexpr TResourceString SSeriesNameVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Internal name of the series")};
inline constexpr TResourceString SSeriesCaptionVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Caption of the series e.g. used in legends")};
inline constexpr TResourceString SSeriesClassMismatch{QT_TRANSLATE_NOOP(
    "Qvplot2D", "The stored record is of class \"%s\" and cannot be read into a %s")};
inline constexpr TResourceString SSeriesNoXMLRecord{
    QT_TRANSLATE_NOOP("Qvplot2D", "XML node \"%s\" holds no %s record")};

// Bars
inline constexpr TResourceString SBarsStyle{QT_TRANSLATE_NOOP("Qvplot2D", "Bars style")};
inline constexpr TResourceString SBarsHorizontal{QT_TRANSLATE_NOOP("Qvplot2D", "Bars horizontal")};
inline constexpr TResourceString SBarsOverlay{
    QT_TRANSLATE_NOOP("Qvplot2D", "Bars stacked/shifted overlays")};
inline constexpr TResourceString SBarsCaptions{QT_TRANSLATE_NOOP("Qvplot2D", "Bars captions")};
inline constexpr TResourceString SBarsFont{QT_TRANSLATE_NOOP("Qvplot2D", "Bars font")};
inline constexpr TResourceString SBarsLabelColor{QT_TRANSLATE_NOOP("Qvplot2D", "Labels color")};
inline constexpr TResourceString SBarsLabelFormat{
    QT_TRANSLATE_NOOP("Qvplot2D", "Labels output format")};
inline constexpr TResourceString SBarsLabelFrom{
    QT_TRANSLATE_NOOP("Qvplot2D", "Labels from list/values/percent")};
inline constexpr TResourceString SBarsLabelPosition{
    QT_TRANSLATE_NOOP("Qvplot2D", "Labels position")};
inline constexpr TResourceString SBarsLabelVertical{
    QT_TRANSLATE_NOOP("Qvplot2D", "Bars vertical labels")};
inline constexpr TResourceString SBarsLabelSize{QT_TRANSLATE_NOOP("Qvplot2D", "Label size")};
inline constexpr TResourceString SBarsCaptionsWithDB{
    QT_TRANSLATE_NOOP("Qvplot2D", "Setting captions list not allowed with database binding set")};

// Error bars, arrows and bubbles
inline constexpr TResourceString SErrorDeltaXPlus{
    QT_TRANSLATE_NOOP("Qvplot2D", "Error bars X(+)-delta reference")};
inline constexpr TResourceString SErrorDeltaXMinus{
    QT_TRANSLATE_NOOP("Qvplot2D", "Error bars X(-)-delta reference")};
inline constexpr TResourceString SErrorDeltaYPlus{
    QT_TRANSLATE_NOOP("Qvplot2D", "Error bars Y(+)-delta reference")};
inline constexpr TResourceString SErrorDeltaYMinus{
    QT_TRANSLATE_NOOP("Qvplot2D", "Error bars Y(-)-delta reference")};
inline constexpr TResourceString SArrowsDeltaX{
    QT_TRANSLATE_NOOP("Qvplot2D", "Arrows X-delta reference")};
inline constexpr TResourceString SArrowsDeltaY{
    QT_TRANSLATE_NOOP("Qvplot2D", "Arrows Y-delta reference")};
inline constexpr TResourceString SBubblesRadius{
    QT_TRANSLATE_NOOP("Qvplot2D", "Bubbles radius reference")};
inline constexpr TResourceString SBubblesElliptical{
    QT_TRANSLATE_NOOP("Qvplot2D", "Elliptical bubbles")};

// OHLC and candlesticks
inline constexpr TResourceString SOHLCBarWidth{
    QT_TRANSLATE_NOOP("Qvplot2D", "OHLC/candles bar width")};
inline constexpr TResourceString SOHLCLowData{
    QT_TRANSLATE_NOOP("Qvplot2D", "OHLC/candles low data")};
inline constexpr TResourceString SOHLCOpenData{
    QT_TRANSLATE_NOOP("Qvplot2D", "OHLC/candles open data")};
inline constexpr TResourceString SOHLCCloseData{
    QT_TRANSLATE_NOOP("Qvplot2D", "OHLC/candles close data")};
inline constexpr TResourceString SOHLCHighData{
    QT_TRANSLATE_NOOP("Qvplot2D", "OHLC/candles high data")};
inline constexpr TResourceString SOHLCIndicatorLength{
    QT_TRANSLATE_NOOP("Qvplot2D", "OHLC indicators length")};
inline constexpr TResourceString SCandlesBullColor{
    QT_TRANSLATE_NOOP("Qvplot2D", "Candles bull color")};
inline constexpr TResourceString SCandlesBearColor{
    QT_TRANSLATE_NOOP("Qvplot2D", "Candles bear color")};
inline constexpr TResourceString SCandlesShadowsSameColor{
    QT_TRANSLATE_NOOP("Qvplot2D", "Candles shadows have same color as fill")};

// Markers
inline constexpr TResourceString SMarkerCaption{QT_TRANSLATE_NOOP("Qvplot2D", "Marker caption")};
inline constexpr TResourceString SMarkerCaptionVisible{
    QT_TRANSLATE_NOOP("Qvplot2D", "Marker caption visible")};
inline constexpr TResourceString SMarkerCaptionVertical{
    QT_TRANSLATE_NOOP("Qvplot2D", "Marker caption vertical")};
inline constexpr TResourceString SMarkerCaptionDeltaX{
    QT_TRANSLATE_NOOP("Qvplot2D", "Horizontal offset of marker caption")};
inline constexpr TResourceString SMarkerCaptionDeltaY{
    QT_TRANSLATE_NOOP("Qvplot2D", "Vertical offset of marker caption")};
inline constexpr TResourceString SMarkerCaptionPosition{
    QT_TRANSLATE_NOOP("Qvplot2D", "Position of marker caption")};
inline constexpr TResourceString SMarkerCaptionFont{
    QT_TRANSLATE_NOOP("Qvplot2D", "Font of marker caption")};
inline constexpr TResourceString SMarkerForeColor{QT_TRANSLATE_NOOP("Qvplot2D", "Marker color")};
inline constexpr TResourceString SMarkerClipToData{
    QT_TRANSLATE_NOOP("Qvplot2D", "Marker clipped to data area")};
inline constexpr TResourceString SMarkerMouseDrag{
    QT_TRANSLATE_NOOP("Qvplot2D", "Marker dragged with the mouse")};
inline constexpr TResourceString SMarkerStartMovingKeys{
    QT_TRANSLATE_NOOP("Qvplot2D", "Keys that start dragging a marker")};
inline constexpr TResourceString SMarkerSnapToSeriesValues{
    QT_TRANSLATE_NOOP("Qvplot2D", "Marker snaps to series values")};
inline constexpr TResourceString SMarkerSnapToFunctions{
    QT_TRANSLATE_NOOP("Qvplot2D", "Marker snaps to functions")};
inline constexpr TResourceString SMarkerCaptionBackColor{
    QT_TRANSLATE_NOOP("Qvplot2D", "Background color of marker caption")};
inline constexpr TResourceString SMarkerCaptionBackRaised{
    QT_TRANSLATE_NOOP("Qvplot2D", "Raised marker caption box")};
inline constexpr TResourceString SMarkerCaptionBackLowered{
    QT_TRANSLATE_NOOP("Qvplot2D", "Lowered marker caption box")};
inline constexpr TResourceString SMarkerCaptionBackShadow{
    QT_TRANSLATE_NOOP("Qvplot2D", "Shadow of marker caption box")};
inline constexpr TResourceString SMarkerCaptionBackSpace{
    QT_TRANSLATE_NOOP("Qvplot2D", "Padding of marker caption box")};
inline constexpr TResourceString SMarkerCaptionBackRounding{
    QT_TRANSLATE_NOOP("Qvplot2D", "Corner rounding of marker caption box")};
inline constexpr TResourceString SMarkerXAxis{
    QT_TRANSLATE_NOOP("Qvplot2D", "Marker X-axis reference")};
inline constexpr TResourceString SMarkerYAxis{
    QT_TRANSLATE_NOOP("Qvplot2D", "Marker Y-axis reference")};
inline constexpr TResourceString SMarkerX{QT_TRANSLATE_NOOP("Qvplot2D", "Marker X position")};
inline constexpr TResourceString SMarkerY{QT_TRANSLATE_NOOP("Qvplot2D", "Marker Y position")};
inline constexpr TResourceString SMarkerMoved{QT_TRANSLATE_NOOP("Qvplot2D", "Marker moved")};
inline constexpr TResourceString SMarkerArrowDeltaX{
    QT_TRANSLATE_NOOP("Qvplot2D", "Horizontal extent of marker arrow")};
inline constexpr TResourceString SMarkerArrowDeltaY{
    QT_TRANSLATE_NOOP("Qvplot2D", "Vertical extent of marker arrow")};
inline constexpr TResourceString SMarkerBentLength{
    QT_TRANSLATE_NOOP("Qvplot2D", "Length of bent marker arrow")};
inline constexpr TResourceString SMarkerHoverGrips{
    QT_TRANSLATE_NOOP("Qvplot2D", "Marker grips shown on hovering")};
inline constexpr TResourceString SMarkerDraggingOptions{
    QT_TRANSLATE_NOOP("Qvplot2D", "Marker parts that can be dragged")};
inline constexpr TResourceString SMarkerXVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "X position of the marker")};
inline constexpr TResourceString SMarkerYVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Y position of the marker")};
inline constexpr TResourceString SMarkerSnappedIdxVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Index of the data point the marker snapped to, -1 if none")};
inline constexpr TResourceString SMarkerSnappedSeriesVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Caption of the series the marker snapped to")};

// Expression parser
inline constexpr TResourceString SClosingBracketsMissing{
    QT_TRANSLATE_NOOP("Qvplot2D", "%u closing brackets missing")};
inline constexpr TResourceString SOpeningBracketsMissing{
    QT_TRANSLATE_NOOP("Qvplot2D", "%u opening brackets missing")};
inline constexpr TResourceString SParsingError{
    QT_TRANSLATE_NOOP("Qvplot2D", "Parsing error in function:\r%s")};
inline constexpr TResourceString SNoValidExpression{
    QT_TRANSLATE_NOOP("Qvplot2D", "No valid expression defined")};
inline constexpr TResourceString SExpressionTooLong{
    QT_TRANSLATE_NOOP("Qvplot2D", "The expression has %d characters; at most %d are allowed")};
inline constexpr TResourceString SExpressionTooDeep{
    QT_TRANSLATE_NOOP("Qvplot2D", "The expression is nested more than %d levels deep")};
inline constexpr TResourceString STextVariablesTooDeep{QT_TRANSLATE_NOOP(
    "Qvplot2D", "Text variable %s refers to itself or is nested more than %d levels deep")};
inline constexpr TResourceString STooManyTextVariables{
    QT_TRANSLATE_NOOP("Qvplot2D", "A text needs more than %d variable replacements")};
inline constexpr TResourceString SZeroDivide{
    QT_TRANSLATE_NOOP("Qvplot2D", "Floating point division by zero")};
inline constexpr TResourceString SInvalidOp{
    QT_TRANSLATE_NOOP("Qvplot2D", "Invalid floating point operation")};
inline constexpr TResourceString SOverflow{
    QT_TRANSLATE_NOOP("Qvplot2D", "Floating point overflow")};
inline constexpr TResourceString SFunctionListEntry{QT_TRANSLATE_NOOP("Qvplot2D", "%s(x) - %s")};
inline constexpr TResourceString SVariablePi{
    QT_TRANSLATE_NOOP("Qvplot2D", "Circle number, approximately 3.14159")};
inline constexpr TResourceString SVariableE{
    QT_TRANSLATE_NOOP("Qvplot2D", "Base of natural logarithm, approximately 2.718282")};
inline constexpr TResourceString SVariableRandom{
    QT_TRANSLATE_NOOP("Qvplot2D", "Returns a random number within the range 0 <= X < 1")};
inline constexpr TResourceString SFunctionAbs{
    QT_TRANSLATE_NOOP("Qvplot2D", "Absolute positive value")};
inline constexpr TResourceString SFunctionArcCos{
    QT_TRANSLATE_NOOP("Qvplot2D", "Reciprocal of cosine")};
inline constexpr TResourceString SFunctionArcCosh{
    QT_TRANSLATE_NOOP("Qvplot2D", "Reciprocal of hyperbolic cosine")};
inline constexpr TResourceString SFunctionArcSin{
    QT_TRANSLATE_NOOP("Qvplot2D", "Reciprocal of Sine")};
inline constexpr TResourceString SFunctionArcSinh{
    QT_TRANSLATE_NOOP("Qvplot2D", "Reciprocal of hyperbolic sine")};
inline constexpr TResourceString SFunctionArcTan{
    QT_TRANSLATE_NOOP("Qvplot2D", "Reciprocal of tangent")};
inline constexpr TResourceString SFunctionArcTanh{
    QT_TRANSLATE_NOOP("Qvplot2D", "Reciprocal of hyperbolic tangent")};
inline constexpr TResourceString SFunctionCeil{
    QT_TRANSLATE_NOOP("Qvplot2D", "The smallest integer greater than or equal to its argument")};
inline constexpr TResourceString SFunctionCos{QT_TRANSLATE_NOOP("Qvplot2D", "Cosine")};
inline constexpr TResourceString SFunctionCosh{QT_TRANSLATE_NOOP("Qvplot2D", "Hyperbolic cosine")};
inline constexpr TResourceString SFunctionCotan{QT_TRANSLATE_NOOP("Qvplot2D", "Cotangent")};
inline constexpr TResourceString SFunctionDegToRad{
    QT_TRANSLATE_NOOP("Qvplot2D", "Convert angle degrees to radiant")};
inline constexpr TResourceString SFunctionExp{
    QT_TRANSLATE_NOOP("Qvplot2D", "e (the base of natural logarithms) raised to a power")};
inline constexpr TResourceString SFunctionFloor{
    QT_TRANSLATE_NOOP("Qvplot2D", "The largest integer that is not greater than the argument")};
inline constexpr TResourceString SFunctionFrac{
    QT_TRANSLATE_NOOP("Qvplot2D", "The fractional part of a real number")};
inline constexpr TResourceString SFunctionInt{
    QT_TRANSLATE_NOOP("Qvplot2D", "The integer portion of a real number")};
inline constexpr TResourceString SFunctionLn{
    QT_TRANSLATE_NOOP("Qvplot2D", "The natural logarithm of a number")};
inline constexpr TResourceString SFunctionLg10{
    QT_TRANSLATE_NOOP("Qvplot2D", "The logarithm base 10 of a number")};
inline constexpr TResourceString SFunctionLg2{
    QT_TRANSLATE_NOOP("Qvplot2D", "The logarithm base 2 of a number")};
inline constexpr TResourceString SFunctionRadToDeg{
    QT_TRANSLATE_NOOP("Qvplot2D", "Convert angle radiant to degrees")};
inline constexpr TResourceString SFunctionRound{
    QT_TRANSLATE_NOOP("Qvplot2D", "Returns an integer closest in value to the argument")};
inline constexpr TResourceString SFunctionSin{QT_TRANSLATE_NOOP("Qvplot2D", "Sine")};
inline constexpr TResourceString SFunctionSinh{QT_TRANSLATE_NOOP("Qvplot2D", "Hyperbolic sine")};
inline constexpr TResourceString SFunctionSqrt{QT_TRANSLATE_NOOP("Qvplot2D", "Square root")};
inline constexpr TResourceString SFunctionSqr{QT_TRANSLATE_NOOP("Qvplot2D", "Square")};
inline constexpr TResourceString SFunctionTan{QT_TRANSLATE_NOOP("Qvplot2D", "Tangent")};
inline constexpr TResourceString SFunctionTanh{QT_TRANSLATE_NOOP("Qvplot2D", "Hyperbolic tangent")};

// Function series and calculations
inline constexpr TResourceString SNoXVector{
    QT_TRANSLATE_NOOP("Qvplot2D", "No X vector defined for calculation")};
inline constexpr TResourceString SNoYVector{
    QT_TRANSLATE_NOOP("Qvplot2D", "No Y vector defined for calculation")};
inline constexpr TResourceString SNotEnoughPoints{
    QT_TRANSLATE_NOOP("Qvplot2D", "Not enough data points to calculate function")};
inline constexpr TResourceString SFormulaNotOverridden{QT_TRANSLATE_NOOP(
    "Qvplot2D", "Formula function of function series must be overridden in derived classes")};
inline constexpr TResourceString SFunctionWeight{
    QT_TRANSLATE_NOOP("Qvplot2D", "Function series weight")};
inline constexpr TResourceString SFunctionAutoStart{
    QT_TRANSLATE_NOOP("Qvplot2D", "Function series calculation start auto")};
inline constexpr TResourceString SFunctionAutoStop{
    QT_TRANSLATE_NOOP("Qvplot2D", "Function series calculation stop auto")};
inline constexpr TResourceString SFunctionDisplayAutoStart{
    QT_TRANSLATE_NOOP("Qvplot2D", "Function series display start auto")};
inline constexpr TResourceString SFunctionDisplayAutoStop{
    QT_TRANSLATE_NOOP("Qvplot2D", "Function series display stop auto")};
inline constexpr TResourceString SFunctionCouple{
    QT_TRANSLATE_NOOP("Qvplot2D", "Function series couple calculation and display")};
inline constexpr TResourceString SFunctionClipYValues{
    QT_TRANSLATE_NOOP("Qvplot2D", "Function series clip Y-values")};
inline constexpr TResourceString SFunctionCalcStart{
    QT_TRANSLATE_NOOP("Qvplot2D", "Function series calculation start")};
inline constexpr TResourceString SFunctionCalcStop{
    QT_TRANSLATE_NOOP("Qvplot2D", "Function series calculation stop")};
inline constexpr TResourceString SFunctionDisplayStart{
    QT_TRANSLATE_NOOP("Qvplot2D", "Function series display start")};
inline constexpr TResourceString SFunctionDisplayStop{
    QT_TRANSLATE_NOOP("Qvplot2D", "Function series display stop")};
inline constexpr TResourceString SFormulaVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Formula used for calculation")};
inline constexpr TResourceString SCalculationStartVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Start value of range used for calculation")};
inline constexpr TResourceString SCalculationStopVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Stop value of range used for calculation")};
inline constexpr TResourceString SDisplayStartVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Start value of range used for display of line")};
inline constexpr TResourceString SDisplayStopVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Stop value of range used for display of line")};

// Linear regression
inline constexpr TResourceString SRegressionFixedOffset{
    QT_TRANSLATE_NOOP("Qvplot2D", "Linear regression fixed offset")};
inline constexpr TResourceString SRegressionOffset{
    QT_TRANSLATE_NOOP("Qvplot2D", "Linear regression offset")};
inline constexpr TResourceString SRegressionLogX{QT_TRANSLATE_NOOP(
    "Qvplot2D",
    "Log X-Axis with regression and LogToNormalScalingLevel>0 not possible\rSetting to 0")};
inline constexpr TResourceString SRegressionLogY{QT_TRANSLATE_NOOP(
    "Qvplot2D",
    "Log Y-Axis with regression and LogToNormalScalingLevel>0 not possible\rSetting to 0")};
inline constexpr TResourceString SRegressionSetFixedOffset{QT_TRANSLATE_NOOP(
    "Qvplot2D",
    "The offset should only be set with fixed offset\rDou You want to set it to True?")};
inline constexpr TResourceString SRegressionOffsetVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "The offset a of the regression line Y=a+mX")};
inline constexpr TResourceString SRegressionSlopeVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "The slope m of the regression line Y=a+mX")};
inline constexpr TResourceString SRegressionDeltaSlopeVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Statistical error of slope m of the regression line Y=a+mX")};
inline constexpr TResourceString SRegressionDeltaOffsetVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Statistical error of offset a of the regression line Y=a+mX")};
inline constexpr TResourceString SRegressionAverageXVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Mean of X values")};
inline constexpr TResourceString SRegressionAverageYVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Mean of Y values")};
inline constexpr TResourceString SRegressionVarianceXVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Variance of X values")};
inline constexpr TResourceString SRegressionVarianceYVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Variance of Y values")};
inline constexpr TResourceString SRegressionProbabilityVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Probability of the fitted line")};
inline constexpr TResourceString SRegressionCorrelationVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Correlation coefficient")};
inline constexpr TResourceString SRegressionResidualsVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Sum of squared deviations of data points to fitted line")};

// Interpolation
inline constexpr TResourceString SSplineNeedsNoSmoothing{QT_TRANSLATE_NOOP(
    "Qvplot2D",
    "Approximative spline does not need the smoothing function!\rUse the ElasticityFactor to "
    "adjust the elasticity of the spline.")};
inline constexpr TResourceString SMatrixTooSmall{
    QT_TRANSLATE_NOOP("Qvplot2D", "Not enough data, matrix is to small to solve")};
inline constexpr TResourceString SMatrixNotTridiagonal{
    QT_TRANSLATE_NOOP("Qvplot2D", "Matrix is not tridiagonal")};
inline constexpr TResourceString SMatrixDimension{
    QT_TRANSLATE_NOOP("Qvplot2D", "The dimension of the matrix must be positive")};
inline constexpr TResourceString SInterpolationAkima{
    QT_TRANSLATE_NOOP("Qvplot2D", "Interpolation (Akima)")};
inline constexpr TResourceString SInterpolationCubicSpline{
    QT_TRANSLATE_NOOP("Qvplot2D", "Interpolation (cubic spline)")};
inline constexpr TResourceString SInterpolationApproximativeSpline{
    QT_TRANSLATE_NOOP("Qvplot2D", "Interpolation (approximative spline)")};
inline constexpr TResourceString SInterpolationSmoothingRangeVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Factor to control smoothness with Akima and cubic spline")};
inline constexpr TResourceString SInterpolationElasticityVariable{QT_TRANSLATE_NOOP(
    "Qvplot2D", "Factor to control the elasticity of the approximative spline line")};
inline constexpr TResourceString SInterpolationExtremaVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Local maxima of interpolated function")};
inline constexpr TResourceString SInterpolationMethod{
    QT_TRANSLATE_NOOP("Qvplot2D", "Interpolation method")};
inline constexpr TResourceString SInterpolationSmoothPoints{
    QT_TRANSLATE_NOOP("Qvplot2D", "Interpolation smoothing")};
inline constexpr TResourceString SInterpolationSmoothingRange{
    QT_TRANSLATE_NOOP("Qvplot2D", "Interpolation smoothing range")};
inline constexpr TResourceString SInterpolationElasticity{
    QT_TRANSLATE_NOOP("Qvplot2D", "Interpolation elasticity factor")};

// Moving average
inline constexpr TResourceString SAverageMethod{
    QT_TRANSLATE_NOOP("Qvplot2D", "Moving average averaging method")};
inline constexpr TResourceString SAverageDirection{
    QT_TRANSLATE_NOOP("Qvplot2D", "Moving average averaging directions")};
inline constexpr TResourceString SAverageRangeMethod{
    QT_TRANSLATE_NOOP("Qvplot2D", "Moving average by count/diatance")};
inline constexpr TResourceString SAverageN{QT_TRANSLATE_NOOP("Qvplot2D", "Moving average N")};
inline constexpr TResourceString SAverageExponentialFactor{
    QT_TRANSLATE_NOOP("Qvplot2D", "Moving average exponential factor for N")};
inline constexpr TResourceString SAverageSimpleFormula{
    QT_TRANSLATE_NOOP("Qvplot2D", "Simple moving average (all values equally weighted)")};
inline constexpr TResourceString SAverageLinearFormula{
    QT_TRANSLATE_NOOP("Qvplot2D", "Weight the values linear with the distance")};
inline constexpr TResourceString SAverageExponentialFormula{
    QT_TRANSLATE_NOOP("Qvplot2D", "Weight the values exponentially with the distance")};
inline constexpr TResourceString SAverageNVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Count/Distance of values used for averaging")};
inline constexpr TResourceString SAverageExponentialFactorVariable{QT_TRANSLATE_NOOP(
    "Qvplot2D", "Factor (<1) to multiply n±1 th value for exponential decay of weighting")};

// Discrete Fourier transform
inline constexpr TResourceString SFourierFormula{
    QT_TRANSLATE_NOOP("Qvplot2D", "Y\\-k\\- = \u03A3y\\-n\\- e\\+(-2\u03C0i/n kn)")};

// General linear least squares and polynomial
inline constexpr TResourceString SLeastSquaresOrder{
    QT_TRANSLATE_NOOP("Qvplot2D", "General linear least squares order")};
inline constexpr TResourceString SLeastSquaresIndex{
    QT_TRANSLATE_NOOP("Qvplot2D", "General Linear Least Squares: Index of variable out of range")};
inline constexpr TResourceString SNoBasisFunction{
    QT_TRANSLATE_NOOP("Qvplot2D", "No BasisFunction defined")};
inline constexpr TResourceString SSvdMatrixDimension{
    QT_TRANSLATE_NOOP("Qvplot2D", "SingularValueDecomposition: Matrix has wrong dimension")};
inline constexpr TResourceString SSvdVectorDimension{
    QT_TRANSLATE_NOOP("Qvplot2D", "SingularValueDecomposition: Output vector has wrong dimension")};
inline constexpr TResourceString SSvdOutputMatrixDimension{
    QT_TRANSLATE_NOOP("Qvplot2D", "SingularValueDecomposition: Output matrix has wrong dimension")};
inline constexpr TResourceString SLeastSquaresQRelVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Relative error of coefficients")};
inline constexpr TResourceString SLeastSquaresCoefficientsArray{
    QT_TRANSLATE_NOOP("Qvplot2D", "Coefficients of the general linear least square")};
inline constexpr TResourceString SLeastSquaresDeltaArray{QT_TRANSLATE_NOOP(
    "Qvplot2D", "Standard deviation of coefficients of the general linear least square")};
inline constexpr TResourceString SLeastSquaresFormula{
    QT_TRANSLATE_NOOP("Qvplot2D", "Y=\u03A3\\-i\\-a\\-i\\-Xf\\-i\\-(X)")};

// Simplex fit
inline constexpr TResourceString SFitOrder{
    QT_TRANSLATE_NOOP("Qvplot2D", "Fitted line coefficients")};
inline constexpr TResourceString SFitIterations{
    QT_TRANSLATE_NOOP("Qvplot2D", "Fitted line iterations")};
inline constexpr TResourceString SFitExpression{
    QT_TRANSLATE_NOOP("Qvplot2D", "Fitted line expression")};
inline constexpr TResourceString SFitCovariance{
    QT_TRANSLATE_NOOP("Qvplot2D", "Fitting using covariance/variance")};
inline constexpr TResourceString SFitRestart{
    QT_TRANSLATE_NOOP("Qvplot2D", "Fitting restarts when stalled")};
inline constexpr TResourceString SFitIndex{
    QT_TRANSLATE_NOOP("Qvplot2D", "Fitted line: Index of variable out of range")};
inline constexpr TResourceString SFitNoX{
    QT_TRANSLATE_NOOP("Qvplot2D", "Expression must contain the independent variable X!")};
inline constexpr TResourceString SFitNoCoefficient{
    QT_TRANSLATE_NOOP("Qvplot2D", "Expression must contain a variable a..p!")};
inline constexpr TResourceString SFitNoFunction{
    QT_TRANSLATE_NOOP("Qvplot2D", "No FittingFunction or Expression defined")};
inline constexpr TResourceString SFitNoOrder{
    QT_TRANSLATE_NOOP("Qvplot2D", "SimplexFit: no order set!")};
inline constexpr TResourceString SFitCovarianceIndefinite{
    QT_TRANSLATE_NOOP("Qvplot2D", "SimplexFit: DoCovariance, reciprocal indefinite!")};
inline constexpr TResourceString SFitCovariancePoints{
    QT_TRANSLATE_NOOP("Qvplot2D", "Not enough data points to interpolate covariance")};
inline constexpr TResourceString SFitXVariable{QT_TRANSLATE_NOOP("Qvplot2D", "X-Value")};
inline constexpr TResourceString SFitCoefficientVariable{
    QT_TRANSLATE_NOOP("Qvplot2D", "Variable %s")};

} // namespace Qvlocalize
