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
inline constexpr TResourceString SValuesTooDeep{"Values are nested deeper than %d levels"};
inline constexpr TResourceString SInvalidPropertyValue{"Invalid property value"};
inline constexpr TResourceString SStringTooLong{
    "A stored text of %d bytes is longer than the %d bytes left in the stream"};
inline constexpr TResourceString SUnknownProperty{"Property %s does not exist"};
inline constexpr TResourceString SUnknownRecordBlock{
    "Unknown extension block in a stored %s record"};

// Files
inline constexpr TResourceString SFileOpenError{"Cannot open file \"%s\": %s"};
inline constexpr TResourceString SFileWriteError{"Cannot write file \"%s\": %s"};

// Graph documents
inline constexpr TResourceString SDocumentNoOwner{
    "The owner \"%s\" of the stored component \"%s\" does not exist"};
inline constexpr TResourceString SDocumentWrongClass{
    "The stored component \"%s\" is a %s here, not a %s"};
inline constexpr TResourceString SDocumentClassKind{"The stored class %s is not a %s"};
inline constexpr TResourceString SDocumentNoGraph{"\"%s\" is not a graph document"};

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
inline constexpr TResourceString SAxisZoomBufferDamaged{
    "The stored zoom buffer of the axis does not match its stage index"};

// Property links
inline constexpr TResourceString SLinkOwnerProperty{"%s has no published property \"%s\""};
inline constexpr TResourceString SLinkNoTopLevel{
    "Property link \"%s\": there is no form or data module named \"%s\""};
inline constexpr TResourceString SLinkNoMember{
    "Property link \"%s\": \"%s\" is neither a component nor a published property of %s"};
inline constexpr TResourceString SLinkNoObject{"Property link \"%s\": \"%s\" holds no object"};
inline constexpr TResourceString SLinkNoValue{
    "Property link \"%s\" ends at an object, not at a value"};

// Editor controls
inline constexpr TResourceString STuneColorsCaption{"Tune colors"};
inline constexpr TResourceString STuneHue{"Hue"};
inline constexpr TResourceString STuneSaturation{"Saturation"};
inline constexpr TResourceString STuneLightness{"Lightness"};
inline constexpr TResourceString STuneOpacity{"Opacity"};

// Undo stack
inline constexpr TResourceString SUndoPropertyNotFound{"Property: \"%s\" not found"};
inline constexpr TResourceString SUndoNoComponentName{"Component does not have a name"};
inline constexpr TResourceString SUndoTooManyStopGroups{
    "Undo stack has too many StopGroup statements"};
inline constexpr TResourceString SUndoCorrupt{
    "The undo history is damaged and has been cleared: %s"};
inline constexpr TResourceString SUndoOwnComponent{
    "The undo stack cannot free or restore itself or a component that owns it: \"%s\""};
inline constexpr TResourceString SUndoReadOnlyList{"The list of undo steps cannot be changed"};
inline constexpr TResourceString SUndoButtonCaption{"Undo"};
inline constexpr TResourceString SRedoButtonCaption{"Redo"};
inline constexpr TResourceString SUndoLastOperation{"Undo last operation"};
inline constexpr TResourceString SRedoLastOperation{"Redo last operation"};
inline constexpr TResourceString SUndoLastOperations{"Undo last %d operations"};
inline constexpr TResourceString SRedoLastOperations{"Redo last %d operations"};
inline constexpr TResourceString SUndoTemporaryFile{"Cannot create the undo file \"%s\": %s"};

// Images
inline constexpr TResourceString SImageFormatNotSupported{"Image format \"%s\" is not supported"};
inline constexpr TResourceString SImageWriteError{"Cannot write the image as %s: %s"};
inline constexpr TResourceString SImageReadError{"Cannot read the image file \"%s\": %s"};
inline constexpr TResourceString SImageUnknownExtension{
    "Cannot tell the image format of \"%s\" from its extension"};

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

// Graph
inline constexpr TResourceString SGraphTitleAlignment{"Graph title alignment"};
inline constexpr TResourceString SGraphBackColor{"Graph background color"};
inline constexpr TResourceString SGraphTitleColor{"Color of graph title"};
inline constexpr TResourceString SGraphTitleDistanceAfter{"Distance below graph title"};
inline constexpr TResourceString SGraphTitleDistanceBefore{"Distance above graph title"};
inline constexpr TResourceString SGraphTitleFont{"Font of graph title"};
inline constexpr TResourceString SGraphTitleVisible{"Visibility of graph title"};
inline constexpr TResourceString SGraphCaption{"Caption used in title of graph"};
inline constexpr TResourceString SGraphDataAreaColor{"Color of graph data area"};
inline constexpr TResourceString SGraphZeroOrigin{"Graph axes cross at (0,0)"};
inline constexpr TResourceString SGraphBorderTop{"Graph border distance at top"};
inline constexpr TResourceString SGraphBorderBottom{"Graph border distance at bottom"};
inline constexpr TResourceString SGraphBorderLeft{"Graph border distance left"};
inline constexpr TResourceString SGraphBorderRight{"Graph border distance right"};
inline constexpr TResourceString SGraphPrimaryXAxis{"Graph primary X-axis"};
inline constexpr TResourceString SGraphPrimaryYAxis{"Graph primary Y-axis"};
inline constexpr TResourceString SGraphSeriesData{"Graph series data"};
inline constexpr TResourceString SGraphApplyTheme{"Apply theme to graph"};
inline constexpr TResourceString SGraphNameVariable{"Internal name of the graph control"};
inline constexpr TResourceString SDefaultXAxisCaption{"X-Axis"};
inline constexpr TResourceString SDefaultYAxisCaption{"Y-Axis"};

// Zoom settings
inline constexpr TResourceString SZoomAuto{"Graph auto zooming"};
inline constexpr TResourceString SZoomOptimizeSeries{"Graph zoom optimize for series data"};
inline constexpr TResourceString SZoomBackClickBeside{"Graph zoom back clicking beside data"};
inline constexpr TResourceString SZoomResetDoubleClick{
    "Graph zoom reset double clicking beside data"};
inline constexpr TResourceString SZoomResetFrame{"Graph zoom reset dragging bottom/right top/left"};
inline constexpr TResourceString SZoomHScrollbarVisible{"Graph zoomed show horizontal scrollbar"};
inline constexpr TResourceString SZoomVScrollbarVisible{"Graph zoomed show vertical scrollbar"};
inline constexpr TResourceString SZoomSmallIncrement{"Graph scrollbars small increment"};
inline constexpr TResourceString SZoomLargeIncrement{"Graph scrollbars large increment"};
inline constexpr TResourceString SZoomWheel{"Graph zoom with the mouse wheel"};
inline constexpr TResourceString SZoomKeys{"Graph zoom back and reset with keys"};
inline constexpr TResourceString SLegendPosition{"Legend position"};
inline constexpr TResourceString SLegendMoved{"Legend moved"};
inline constexpr TResourceString SZoomStartKeys{"Graph zoom start keys"};
inline constexpr TResourceString SPanningStartKeys{"Graph panning start keys"};
inline constexpr TResourceString SZoomPanSameKeys{
    "Zooming and panning not allowed to start with same parameters"};

// Axis range and scaling
inline constexpr TResourceString SAxisStart{"Axis range start"};
inline constexpr TResourceString SAxisStop{"Axis range stop"};
inline constexpr TResourceString SAxisStartEnd{"Auto ranging mode of axis start"};
inline constexpr TResourceString SAxisStopEnd{"Auto ranging mode of axis stop"};
inline constexpr TResourceString SAxisEndRounding{"Axis ends rounding mode"};
inline constexpr TResourceString SAxisScaling{"Axis scaling"};
inline constexpr TResourceString SAxisLogToNormalLevel{"Log to normal scaling switching range"};
inline constexpr TResourceString SAxisMovingSlitWidth{"Width of moving range scaling"};
inline constexpr TResourceString SAxisMovingSlitIncrement{"Incement to move axis range"};
inline constexpr TResourceString SAxisIsSlave{"Axis as slave to other axis"};
inline constexpr TResourceString SAxisSlaveSlope{"Multiplier to convert master scaling"};
inline constexpr TResourceString SAxisSlaveOffset{"Offset to convert master scaling"};
inline constexpr TResourceString SAxisMaster{"Master axis"};
inline constexpr TResourceString SAxisRubrics{"Axis rubrics captions"};
inline constexpr TResourceString SAxisRubricsWithDB{
    "Setting rubrics not allowed with database binding set"};

// Axis geometry and drawing
inline constexpr TResourceString SAxisThickness{"Width of axis line"};
inline constexpr TResourceString SAxisMajorTickThickness{"Width of major tick lines"};
inline constexpr TResourceString SAxisTickThickness{"Width of minor tick lines"};
inline constexpr TResourceString SAxisTickLength{"Axis minor ticks length"};
inline constexpr TResourceString SAxisMajorTickLength{"Axis major ticks length"};
inline constexpr TResourceString SAxisTicksPointToData{"Axis ticks point to graph data area"};
inline constexpr TResourceString SAxisNumbersVisible{"Visibility of axis scaling numbers"};
inline constexpr TResourceString SAxisTwisted{"Axis twist order of numbers"};
inline constexpr TResourceString SAxisDistanceValuesAxis{
    "Distance between graph data area and axis"};
inline constexpr TResourceString SAxisDistanceAxisLabels{
    "Distance between axis and scaling labels"};
inline constexpr TResourceString SAxisDistanceExtraExponent{
    "Distance between axis and extra exponent"};
inline constexpr TResourceString SAxisDistanceNumbersCaption{
    "Distance between axis scaling numbers and caption"};
inline constexpr TResourceString SAxisDistanceToBorder{"Distance between axis caption and border"};
inline constexpr TResourceString SAxisCaptionDistanceAfter{"Distance below axis caption"};
inline constexpr TResourceString SAxisCaptionDistanceBefore{"Distance above axis caption"};
inline constexpr TResourceString SAxisCaptionAlignment{"Alignment of axis caption"};
inline constexpr TResourceString SAxisCaptionColor{"Color of axis caption"};
inline constexpr TResourceString SAxisCaptionFont{"Font of axis caption"};
inline constexpr TResourceString SAxisFont{"Font of axis scaling numbers"};
inline constexpr TResourceString SAxisCaptionVisible{"Visibility of axis caption"};
inline constexpr TResourceString SAxisCaption{"Axis caption"};
inline constexpr TResourceString SAxisCaptionHorizontal{"Horizontal caption if axis is vertical"};
inline constexpr TResourceString SAxisExtraDigits{"Axis numbers extra decimal spaces"};
inline constexpr TResourceString SAxisForeColor{"Axis foreground color"};
inline constexpr TResourceString SAxisNumbersColor{"Axis color of scaling numbers"};
inline constexpr TResourceString SAxisMajorTickColor{"Axis color of major tickmarks"};
inline constexpr TResourceString SAxisTickColor{"Axis color of minor tickmarks"};
inline constexpr TResourceString SAxisRubricsAngle{"Axis angle of rubrics captions"};
inline constexpr TResourceString SAxisPosition{"Axis position in graph"};
inline constexpr TResourceString SAxisMajorGridMode{"Axis major grid mode"};
inline constexpr TResourceString SAxisAutoTickParts{"Automatic tick partitions"};
inline constexpr TResourceString SAxisLabelPart{"Axis partitions for labels"};
inline constexpr TResourceString SAxisMajorTickPart{"Axis partitions for major ticks"};
inline constexpr TResourceString SAxisTickPart{"Axis partitions for minor ticks"};
inline constexpr TResourceString SAxisLabelDistanceFactor{"Factor for distance of axis labels"};
inline constexpr TResourceString SAxisVisible{"Axis visible"};

// Series
inline constexpr TResourceString SSeriesCaption{"Series caption"};
inline constexpr TResourceString SSeriesIncludeInLegend{"Series visibility in legends"};
inline constexpr TResourceString SSeriesLayer{"Series drawing order"};
inline constexpr TResourceString SSeriesXAxis{"Series X-axis reference"};
inline constexpr TResourceString SSeriesYAxis{"Series Y-axis reference"};
inline constexpr TResourceString SSeriesXData{"Series X-data reference"};
inline constexpr TResourceString SSeriesYData{"Series Y-data reference"};
inline constexpr TResourceString SSeriesVisible{"Series visibility"};
inline constexpr TResourceString SSeriesOutliersVisible{"Series visibility of outliers"};
inline constexpr TResourceString SSeriesNameVariable{"Internal name of the series"};
inline constexpr TResourceString SSeriesCaptionVariable{
    "Caption of the series e.g. used in legends"};
inline constexpr TResourceString SSeriesClassMismatch{
    "The stored record is of class \"%s\" and cannot be read into a %s"};
inline constexpr TResourceString SSeriesNoXMLRecord{"XML node \"%s\" holds no %s record"};

// Bars
inline constexpr TResourceString SBarsStyle{"Bars style"};
inline constexpr TResourceString SBarsHorizontal{"Bars horizontal"};
inline constexpr TResourceString SBarsOverlay{"Bars stacked/shifted overlays"};
inline constexpr TResourceString SBarsCaptions{"Bars captions"};
inline constexpr TResourceString SBarsFont{"Bars font"};
inline constexpr TResourceString SBarsLabelColor{"Labels color"};
inline constexpr TResourceString SBarsLabelFormat{"Labels output format"};
inline constexpr TResourceString SBarsLabelFrom{"Labels from list/values/percent"};
inline constexpr TResourceString SBarsLabelPosition{"Labels position"};
inline constexpr TResourceString SBarsLabelVertical{"Bars vertical labels"};
inline constexpr TResourceString SBarsLabelSize{"Label size"};
inline constexpr TResourceString SBarsCaptionsWithDB{
    "Setting captions list not allowed with database binding set"};

// Error bars, arrows and bubbles
inline constexpr TResourceString SErrorDeltaXPlus{"Error bars X(+)-delta reference"};
inline constexpr TResourceString SErrorDeltaXMinus{"Error bars X(-)-delta reference"};
inline constexpr TResourceString SErrorDeltaYPlus{"Error bars Y(+)-delta reference"};
inline constexpr TResourceString SErrorDeltaYMinus{"Error bars Y(-)-delta reference"};
inline constexpr TResourceString SArrowsDeltaX{"Arrows X-delta reference"};
inline constexpr TResourceString SArrowsDeltaY{"Arrows Y-delta reference"};
inline constexpr TResourceString SBubblesRadius{"Bubbles radius reference"};
inline constexpr TResourceString SBubblesElliptical{"Elliptical bubbles"};

// OHLC and candlesticks
inline constexpr TResourceString SOHLCBarWidth{"OHLC/candles bar width"};
inline constexpr TResourceString SOHLCLowData{"OHLC/candles low data"};
inline constexpr TResourceString SOHLCOpenData{"OHLC/candles open data"};
inline constexpr TResourceString SOHLCCloseData{"OHLC/candles close data"};
inline constexpr TResourceString SOHLCHighData{"OHLC/candles high data"};
inline constexpr TResourceString SOHLCIndicatorLength{"OHLC indicators length"};
inline constexpr TResourceString SCandlesBullColor{"Candles bull color"};
inline constexpr TResourceString SCandlesBearColor{"Candles bear color"};
inline constexpr TResourceString SCandlesShadowsSameColor{
    "Candles shadows have same color as fill"};

// Markers
inline constexpr TResourceString SMarkerCaption{"Marker caption"};
inline constexpr TResourceString SMarkerCaptionVisible{"Marker caption visible"};
inline constexpr TResourceString SMarkerCaptionVertical{"Marker caption vertical"};
inline constexpr TResourceString SMarkerCaptionDeltaX{"Horizontal offset of marker caption"};
inline constexpr TResourceString SMarkerCaptionDeltaY{"Vertical offset of marker caption"};
inline constexpr TResourceString SMarkerCaptionPosition{"Position of marker caption"};
inline constexpr TResourceString SMarkerCaptionFont{"Font of marker caption"};
inline constexpr TResourceString SMarkerForeColor{"Marker color"};
inline constexpr TResourceString SMarkerClipToData{"Marker clipped to data area"};
inline constexpr TResourceString SMarkerMouseDrag{"Marker dragged with the mouse"};
inline constexpr TResourceString SMarkerStartMovingKeys{"Keys that start dragging a marker"};
inline constexpr TResourceString SMarkerSnapToSeriesValues{"Marker snaps to series values"};
inline constexpr TResourceString SMarkerSnapToFunctions{"Marker snaps to functions"};
inline constexpr TResourceString SMarkerCaptionBackColor{"Background color of marker caption"};
inline constexpr TResourceString SMarkerCaptionBackRaised{"Raised marker caption box"};
inline constexpr TResourceString SMarkerCaptionBackLowered{"Lowered marker caption box"};
inline constexpr TResourceString SMarkerCaptionBackShadow{"Shadow of marker caption box"};
inline constexpr TResourceString SMarkerCaptionBackSpace{"Padding of marker caption box"};
inline constexpr TResourceString SMarkerCaptionBackRounding{
    "Corner rounding of marker caption box"};
inline constexpr TResourceString SMarkerXAxis{"Marker X-axis reference"};
inline constexpr TResourceString SMarkerYAxis{"Marker Y-axis reference"};
inline constexpr TResourceString SMarkerX{"Marker X position"};
inline constexpr TResourceString SMarkerY{"Marker Y position"};
inline constexpr TResourceString SMarkerMoved{"Marker moved"};
inline constexpr TResourceString SMarkerArrowDeltaX{"Horizontal extent of marker arrow"};
inline constexpr TResourceString SMarkerArrowDeltaY{"Vertical extent of marker arrow"};
inline constexpr TResourceString SMarkerBentLength{"Length of bent marker arrow"};
inline constexpr TResourceString SMarkerHoverGrips{"Marker grips shown on hovering"};
inline constexpr TResourceString SMarkerDraggingOptions{"Marker parts that can be dragged"};
inline constexpr TResourceString SMarkerXVariable{"X position of the marker"};
inline constexpr TResourceString SMarkerYVariable{"Y position of the marker"};
inline constexpr TResourceString SMarkerSnappedIdxVariable{
    "Index of the data point the marker snapped to, -1 if none"};
inline constexpr TResourceString SMarkerSnappedSeriesVariable{
    "Caption of the series the marker snapped to"};

// Expression parser
inline constexpr TResourceString SClosingBracketsMissing{"%u closing brackets missing"};
inline constexpr TResourceString SOpeningBracketsMissing{"%u opening brackets missing"};
inline constexpr TResourceString SParsingError{"Parsing error in function:\r%s"};
inline constexpr TResourceString SNoValidExpression{"No valid expression defined"};
inline constexpr TResourceString SExpressionTooLong{
    "The expression has %d characters; at most %d are allowed"};
inline constexpr TResourceString SExpressionTooDeep{
    "The expression is nested more than %d levels deep"};
inline constexpr TResourceString STextVariablesTooDeep{
    "Text variable %s refers to itself or is nested more than %d levels deep"};
inline constexpr TResourceString STooManyTextVariables{
    "A text needs more than %d variable replacements"};
inline constexpr TResourceString SZeroDivide{"Floating point division by zero"};
inline constexpr TResourceString SInvalidOp{"Invalid floating point operation"};
inline constexpr TResourceString SOverflow{"Floating point overflow"};
inline constexpr TResourceString SFunctionListEntry{"%s(x) - %s"};
inline constexpr TResourceString SVariablePi{"Circle number, approximately 3.14159"};
inline constexpr TResourceString SVariableE{"Base of natural logarithm, approximately 2.718282"};
inline constexpr TResourceString SVariableRandom{
    "Returns a random number within the range 0 <= X < 1"};
inline constexpr TResourceString SFunctionAbs{"Absolute positive value"};
inline constexpr TResourceString SFunctionArcCos{"Reciprocal of cosine"};
inline constexpr TResourceString SFunctionArcCosh{"Reciprocal of hyperbolic cosine"};
inline constexpr TResourceString SFunctionArcSin{"Reciprocal of Sine"};
inline constexpr TResourceString SFunctionArcSinh{"Reciprocal of hyperbolic sine"};
inline constexpr TResourceString SFunctionArcTan{"Reciprocal of tangent"};
inline constexpr TResourceString SFunctionArcTanh{"Reciprocal of hyperbolic tangent"};
inline constexpr TResourceString SFunctionCeil{
    "The smallest integer greater than or equal to its argument"};
inline constexpr TResourceString SFunctionCos{"Cosine"};
inline constexpr TResourceString SFunctionCosh{"Hyperbolic cosine"};
inline constexpr TResourceString SFunctionCotan{"Cotangent"};
inline constexpr TResourceString SFunctionDegToRad{"Convert angle degrees to radiant"};
inline constexpr TResourceString SFunctionExp{
    "e (the base of natural logarithms) raised to a power"};
inline constexpr TResourceString SFunctionFloor{
    "The largest integer that is not greater than the argument"};
inline constexpr TResourceString SFunctionFrac{"The fractional part of a real number"};
inline constexpr TResourceString SFunctionInt{"The integer portion of a real number"};
inline constexpr TResourceString SFunctionLn{"The natural logarithm of a number"};
inline constexpr TResourceString SFunctionLg10{"The logarithm base 10 of a number"};
inline constexpr TResourceString SFunctionLg2{"The logarithm base 2 of a number"};
inline constexpr TResourceString SFunctionRadToDeg{"Convert angle radiant to degrees"};
inline constexpr TResourceString SFunctionRound{
    "Returns an integer closest in value to the argument"};
inline constexpr TResourceString SFunctionSin{"Sine"};
inline constexpr TResourceString SFunctionSinh{"Hyperbolic sine"};
inline constexpr TResourceString SFunctionSqrt{"Square root"};
inline constexpr TResourceString SFunctionSqr{"Square"};
inline constexpr TResourceString SFunctionTan{"Tangent"};
inline constexpr TResourceString SFunctionTanh{"Hyperbolic tangent"};

// Function series and calculations
inline constexpr TResourceString SNoXVector{"No X vector defined for calculation"};
inline constexpr TResourceString SNoYVector{"No Y vector defined for calculation"};
inline constexpr TResourceString SNotEnoughPoints{"Not enough data points to calculate function"};
inline constexpr TResourceString SFormulaNotOverridden{
    "Formula function of function series must be overridden in derived classes"};
inline constexpr TResourceString SFunctionWeight{"Function series weight"};
inline constexpr TResourceString SFunctionAutoStart{"Function series calculation start auto"};
inline constexpr TResourceString SFunctionAutoStop{"Function series calculation stop auto"};
inline constexpr TResourceString SFunctionDisplayAutoStart{"Function series display start auto"};
inline constexpr TResourceString SFunctionDisplayAutoStop{"Function series display stop auto"};
inline constexpr TResourceString SFunctionCouple{"Function series couple calculation and display"};
inline constexpr TResourceString SFunctionClipYValues{"Function series clip Y-values"};
inline constexpr TResourceString SFunctionCalcStart{"Function series calculation start"};
inline constexpr TResourceString SFunctionCalcStop{"Function series calculation stop"};
inline constexpr TResourceString SFunctionDisplayStart{"Function series display start"};
inline constexpr TResourceString SFunctionDisplayStop{"Function series display stop"};
inline constexpr TResourceString SFormulaVariable{"Formula used for calculation"};
inline constexpr TResourceString SCalculationStartVariable{
    "Start value of range used for calculation"};
inline constexpr TResourceString SCalculationStopVariable{
    "Stop value of range used for calculation"};
inline constexpr TResourceString SDisplayStartVariable{
    "Start value of range used for display of line"};
inline constexpr TResourceString SDisplayStopVariable{
    "Stop value of range used for display of line"};

// Linear regression
inline constexpr TResourceString SRegressionFixedOffset{"Linear regression fixed offset"};
inline constexpr TResourceString SRegressionOffset{"Linear regression offset"};
inline constexpr TResourceString SRegressionLogX{
    "Log X-Axis with regression and LogToNormalScalingLevel>0 not possible\rSetting to 0"};
inline constexpr TResourceString SRegressionLogY{
    "Log Y-Axis with regression and LogToNormalScalingLevel>0 not possible\rSetting to 0"};
inline constexpr TResourceString SRegressionSetFixedOffset{
    "The offset should only be set with fixed offset\rDou You want to set it to True?"};
inline constexpr TResourceString SRegressionOffsetVariable{
    "The offset a of the regression line Y=a+mX"};
inline constexpr TResourceString SRegressionSlopeVariable{
    "The slope m of the regression line Y=a+mX"};
inline constexpr TResourceString SRegressionDeltaSlopeVariable{
    "Statistical error of slope m of the regression line Y=a+mX"};
inline constexpr TResourceString SRegressionDeltaOffsetVariable{
    "Statistical error of offset a of the regression line Y=a+mX"};
inline constexpr TResourceString SRegressionAverageXVariable{"Mean of X values"};
inline constexpr TResourceString SRegressionAverageYVariable{"Mean of Y values"};
inline constexpr TResourceString SRegressionVarianceXVariable{"Variance of X values"};
inline constexpr TResourceString SRegressionVarianceYVariable{"Variance of Y values"};
inline constexpr TResourceString SRegressionProbabilityVariable{"Probability of the fitted line"};
inline constexpr TResourceString SRegressionCorrelationVariable{"Correlation coefficient"};
inline constexpr TResourceString SRegressionResidualsVariable{
    "Sum of squared deviations of data points to fitted line"};

// Interpolation
inline constexpr TResourceString SSplineNeedsNoSmoothing{
    "Approximative spline does not need the smoothing function!\rUse the ElasticityFactor to "
    "adjust the elasticity of the spline."};
inline constexpr TResourceString SMatrixTooSmall{"Not enough data, matrix is to small to solve"};
inline constexpr TResourceString SMatrixNotTridiagonal{"Matrix is not tridiagonal"};
inline constexpr TResourceString SMatrixDimension{"The dimension of the matrix must be positive"};
inline constexpr TResourceString SInterpolationAkima{"Interpolation (Akima)"};
inline constexpr TResourceString SInterpolationCubicSpline{"Interpolation (cubic spline)"};
inline constexpr TResourceString SInterpolationApproximativeSpline{
    "Interpolation (approximative spline)"};
inline constexpr TResourceString SInterpolationSmoothingRangeVariable{
    "Factor to control smoothness with Akima and cubic spline"};
inline constexpr TResourceString SInterpolationElasticityVariable{
    "Factor to control the elasticity of the approximative spline line"};
inline constexpr TResourceString SInterpolationExtremaVariable{
    "Local maxima of interpolated function"};
inline constexpr TResourceString SInterpolationMethod{"Interpolation method"};
inline constexpr TResourceString SInterpolationSmoothPoints{"Interpolation smoothing"};
inline constexpr TResourceString SInterpolationSmoothingRange{"Interpolation smoothing range"};
inline constexpr TResourceString SInterpolationElasticity{"Interpolation elasticity factor"};

// Moving average
inline constexpr TResourceString SAverageMethod{"Moving average averaging method"};
inline constexpr TResourceString SAverageDirection{"Moving average averaging directions"};
inline constexpr TResourceString SAverageRangeMethod{"Moving average by count/diatance"};
inline constexpr TResourceString SAverageN{"Moving average N"};
inline constexpr TResourceString SAverageExponentialFactor{
    "Moving average exponential factor for N"};
inline constexpr TResourceString SAverageSimpleFormula{
    "Simple moving average (all values equally weighted)"};
inline constexpr TResourceString SAverageLinearFormula{
    "Weight the values linear with the distance"};
inline constexpr TResourceString SAverageExponentialFormula{
    "Weight the values exponentially with the distance"};
inline constexpr TResourceString SAverageNVariable{"Count/Distance of values used for averaging"};
inline constexpr TResourceString SAverageExponentialFactorVariable{
    "Factor (<1) to multiply n±1 th value for exponential decay of weighting"};

// Discrete Fourier transform
inline constexpr TResourceString SFourierFormula{"Y\\-k\\- = \u03A3y\\-n\\- e\\+(-2\u03C0i/n kn)"};

// General linear least squares and polynomial
inline constexpr TResourceString SLeastSquaresOrder{"General linear least squares order"};
inline constexpr TResourceString SLeastSquaresIndex{
    "General Linear Least Squares: Index of variable out of range"};
inline constexpr TResourceString SNoBasisFunction{"No BasisFunction defined"};
inline constexpr TResourceString SSvdMatrixDimension{
    "SingularValueDecomposition: Matrix has wrong dimension"};
inline constexpr TResourceString SSvdVectorDimension{
    "SingularValueDecomposition: Output vector has wrong dimension"};
inline constexpr TResourceString SSvdOutputMatrixDimension{
    "SingularValueDecomposition: Output matrix has wrong dimension"};
inline constexpr TResourceString SLeastSquaresQRelVariable{"Relative error of coefficients"};
inline constexpr TResourceString SLeastSquaresCoefficientsArray{
    "Coefficients of the general linear least square"};
inline constexpr TResourceString SLeastSquaresDeltaArray{
    "Standard deviation of coefficients of the general linear least square"};
inline constexpr TResourceString SLeastSquaresFormula{"Y=\u03A3\\-i\\-a\\-i\\-Xf\\-i\\-(X)"};

// Simplex fit
inline constexpr TResourceString SFitOrder{"Fitted line coefficients"};
inline constexpr TResourceString SFitIterations{"Fitted line iterations"};
inline constexpr TResourceString SFitExpression{"Fitted line expression"};
inline constexpr TResourceString SFitCovariance{"Fitting using covariance/variance"};
inline constexpr TResourceString SFitRestart{"Fitting restarts when stalled"};
inline constexpr TResourceString SFitIndex{"Fitted line: Index of variable out of range"};
inline constexpr TResourceString SFitNoX{"Expression must contain the independent variable X!"};
inline constexpr TResourceString SFitNoCoefficient{"Expression must contain a variable a..p!"};
inline constexpr TResourceString SFitNoFunction{"No FittingFunction or Expression defined"};
inline constexpr TResourceString SFitNoOrder{"SimplexFit: no order set!"};
inline constexpr TResourceString SFitCovarianceIndefinite{
    "SimplexFit: DoCovariance, reciprocal indefinite!"};
inline constexpr TResourceString SFitCovariancePoints{
    "Not enough data points to interpolate covariance"};
inline constexpr TResourceString SFitXVariable{"X-Value"};
inline constexpr TResourceString SFitCoefficientVariable{"Variable %s"};

} // namespace Qvlocalize
