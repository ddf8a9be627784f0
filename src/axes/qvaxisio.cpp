// How an axis saves itself: its record in order, written to and read from a binary stream, an
// XML element "TQvAxis", an INI section and a file.

#include "axes/qvaxis.h"

#include "axes/qvticks.h"
#include "data/qvboundstrings.h"
#include "framework/qvdb.h"
#include "framework/qvexceptions.h"
#include "framework/qvfiler.h"
#include "framework/qvinifiles.h"
#include "framework/qvstreams.h"
#include "framework/qvstringlist.h"
#include "strings/qvlocalize.h"
#include "style/qvio.h"
#include "style/qvrecord.h"

#include <algorithm>
#include <array>

using namespace Qvlocalize;
using QvRecord::Setter;
using QvRecord::TName;
using QvRecord::TRecord;

// What ApplyRange covers, as read from a record or as the axis had it.
struct TQvAxis::TRangeState {
    double Start, Stop, InitialStart, InitialStop, LastStart, LastStop;
    double ValuesStart, ValuesStop;
    std::vector<double> ZoomStart, ZoomStop;
    int ZoomIdx;
    bool Requested = false;
};

namespace {

const QString AxisElement = QString::fromLatin1(TQvAxis::staticMetaObject.className());

// Nothing reads them back: the candidate partitions are the same for every axis.
constexpr std::array<std::array<const char*, 3>, 3> CandidatePartNames = {{
    {"LabelParts.0", "LabelParts.1", "LabelParts.2"},
    {"MajorParts.0", "MajorParts.1", "MajorParts.2"},
    {"MinorParts.0", "MinorParts.1", "MinorParts.2"},
}};
constexpr std::array<const std::array<double, 3>*, 3> CandidateParts = {
    &QvTicks::LabelParts, &QvTicks::MajorParts, &QvTicks::MinorParts};

} // namespace

void TQvAxis::VisitRecord(TRecord& R, TRangeState* Range) {
    QvRecord::ControlVisibility(R, this);
    R.Enum({"Position", "Properties", "Position"}, FPosition, Setter(this, &TQvAxis::SetPosition));
    R.Field({"Top", "Properties", "Top"}, GetTop(), Setter(this, &TQvAxis::SetTop));
    R.Field({"Left", "Properties", "Left"}, GetLeft(), Setter(this, &TQvAxis::SetLeft));
    R.Field({"AutoSize", "Properties", "AutoSize"}, FAutoSize, Setter(this, &TQvAxis::SetAutoSize));
    R.Field({"Width", "Properties", "Width"}, GetWidth(), Setter(this, &TQvAxis::SetWidth));
    R.Field({"Height", "Properties", "Height"}, GetHeight(), Setter(this, &TQvAxis::SetHeight));
    R.Field({"AxisThicknes", "Properties", "AxisThicknes"}, FAxisThicknes,
            Setter(this, &TQvAxis::SetAxisThicknes));
    R.Field({"MajorTickThicknes", "Properties", "MajorTickThicknes"}, FMajorTickThicknes,
            Setter(this, &TQvAxis::SetMajorTickThicknes));
    R.Field({"TickThicknes", "Properties", "TickThicknes"}, FTickThicknes,
            Setter(this, &TQvAxis::SetTickThicknes));
    R.Field({"MajorTickLength", "Properties", "MajorTickLength"}, FMajorTickLength,
            Setter(this, &TQvAxis::SetMajorTickLength));
    R.Field({"TickLength", "Properties", "TickLength"}, FTickLength,
            Setter(this, &TQvAxis::SetTickLength));
    R.Color({"AxisColor", "Properties", "AxisColor"}, FForeColor,
            Setter(this, &TQvAxis::SetForeColor));
    R.Color({"MajorTickColor", "Properties", "MajorTickColor"}, FMajorTickColor,
            Setter(this, &TQvAxis::SetMajorTickColor));
    R.Color({"TickColor", "Properties", "TickColor"}, FTickColor,
            Setter(this, &TQvAxis::SetTickColor));

    R.Field({"Caption", "Caption", "Text"}, GetCaption(), Setter(this, &TQvAxis::SetCaption));
    R.Field({"Caption.Visible", "Caption/Properties", "Visible"}, FCaptionVisible,
            Setter(this, &TQvAxis::SetCaptionVisible));
    R.Field({"Caption.HorizontalOnVerticalAxis", "Caption/Properties", "HorizontalOnVerticalAxis"},
            FCaptionHorizontalOnVerticalAxis,
            Setter(this, &TQvAxis::SetCaptionHorizontalOnVerticalAxis));
    R.Enum({"Caption.Alignment", "Caption/Properties", "Alignment"}, FCaptionAlignment,
           Setter(this, &TQvAxis::SetCaptionAlignment));
    R.Color({"Caption.Color", "Caption/Properties", "Color"}, GetCaptionColor(),
            Setter(this, &TQvAxis::SetCaptionColor));
    R.Field({"Caption.DistanceBefore", "Caption/Properties", "DistanceBefore"},
            FCaptionDistanceBefore, Setter(this, &TQvAxis::SetCaptionDistanceBefore));
    R.Field({"Caption.DistanceAfter", "Caption/Properties", "DistanceAfter"}, FCaptionDistanceAfter,
            Setter(this, &TQvAxis::SetCaptionDistanceAfter));
    R.Settings({"Caption.Font", "Caption/Properties", "Font"}, FCaptionFont.get());

    R.Enum({"Scaling", "Scaling", "Type"}, FScaling, Setter(this, &TQvAxis::SetScaling));
    R.Field({"LogToNormalScalingLevel", "Scaling", "LogToNormalScalingLevel"},
            FLogToNormalScalingLevel, Setter(this, &TQvAxis::SetLogToNormalScalingLevel));
    R.Field({"TicksPointToData", "Scaling", "TicksPointToData"}, FTicksPointToData,
            Setter(this, &TQvAxis::SetTicksPointToData));
    R.Field({"Twisted", "Scaling", "Twisted"}, FTwisted, Setter(this, &TQvAxis::SetTwisted));
    R.Field({"Numbers.Visible", "Scaling", "NumbersVisible"}, FNumbersVisible,
            Setter(this, &TQvAxis::SetNumbersVisible));
    R.Color({"Numbers.Color", "Scaling", "NumbersColor"}, FNumbersColor,
            Setter(this, &TQvAxis::SetNumbersColor));
    R.Field({"RubricsAngle", "Scaling", "RubricsAngle"}, FRubricsAngle,
            Setter(this, &TQvAxis::SetRubricsAngle));
    R.Field({"MovingSlit.Width", "Scaling", "MovingSlitWidth"}, FMovingSlitWidth,
            Setter(this, &TQvAxis::SetMovingSlitWidth));
    R.Field({"MovingSlit.Increment", "Scaling", "MovingSlitIncrement"}, FMovingSlitIncrement,
            Setter(this, &TQvAxis::SetMovingSlitIncrement));
    R.Field({"ExtraDigits", "Scaling", "ExtraDigits"}, FExtraDigits,
            Setter(this, &TQvAxis::SetExtraDigits));
    R.Field({"MaxForExtraExponent", "Scaling", "MaxForExtraExponent"}, FMaxForExtraExponent,
            Setter(this, &TQvAxis::SetMaxForExtraExponent));
    R.Field({"MinForExtraExponent", "Scaling", "MinForExtraExponent"}, FMinForExtraExponent,
            Setter(this, &TQvAxis::SetMinForExtraExponent));
    R.Field({"TickParts.Auto", "TickParts", "Auto"}, FAutoTickParts,
            Setter(this, &TQvAxis::SetAutoTickParts));
    R.Field({"TickParts.Label", "TickParts", "Label"}, GetLabelPart(),
            Setter(this, &TQvAxis::SetLabelPart));
    R.Field({"TickParts.Major", "TickParts", "Major"}, GetMajorTickPart(),
            Setter(this, &TQvAxis::SetMajorPart));
    R.Field({"TickParts.Minor", "TickParts", "Minor"}, GetTickPart(),
            Setter(this, &TQvAxis::SetTickPart));
    R.Settings({"Font", "", "Font"}, GetNumbersFont());

    const double Start = R.Field({"Ends.Start", "Ends", "Start"}, FStart);
    const double Stop = R.Field({"Ends.Stop", "Ends", "Stop"}, FStop);
    R.Enum({"Ends.Rounding", "Ends", "Rounding"}, FEndRounding,
           Setter(this, &TQvAxis::SetEndRounding));
    R.Enum({"Ends.StartEnd", "Ends", "StartEnd"}, FStartEnd, Setter(this, &TQvAxis::SetStartEnd));
    R.Enum({"Ends.StopEnd", "Ends", "StopEnd"}, FStopEnd, Setter(this, &TQvAxis::SetStopEnd));

    // Rubrics: the binding to a data source's field, or the lines themselves.
    if (R.Field({"Rubrics.FromDatabase", "Rubrics", "Database"}, FRubrics->Bound())) {
        R.Reference<TDataSource>({"Rubrics.DataSource", "Rubrics", "DataSource"}, GetDataSource(),
                                 [this](TDataSource* V) { SetDataSource(V); });
        R.String({"Rubrics.RubricsField", "Rubrics", "RubricsField"}, GetRubricsField(),
                 Setter(this, &TQvAxis::SetRubricsField));
    } else {
        R.List({"Captions", "Rubrics/Captions", "Text"}, "Rubrics.Count",
               FRubrics->Lines()->ToStringList(),
               [this](const QStringList& Lines) { FRubrics->SetLines(Lines); });
    }

    static const std::array<std::pair<TName, QString TQvAxis::*>, 7> Formats = {{
        {{"DateTimeFormat.ShortMonth", "DateTimeFormat", "ShortMonth"},
         &TQvAxis::FShortMonthFormat},
        {{"DateTimeFormat.LongMonth", "DateTimeFormat", "LongMonth"}, &TQvAxis::FLongMonthFormat},
        {{"DateTimeFormat.Day", "DateTimeFormat", "Day"}, &TQvAxis::FDayFormat},
        {{"DateTimeFormat.DayAndHour", "DateTimeFormat", "DayAndHour"},
         &TQvAxis::FDayAndHourFormat},
        {{"DateTimeFormat.Minute", "DateTimeFormat", "Minute"}, &TQvAxis::FMinuteFormat},
        {{"DateTimeFormat.Second", "DateTimeFormat", "Second"}, &TQvAxis::FSecondFormat},
        {{"DateTimeFormat.MilliSecond", "DateTimeFormat", "MilliSecond"},
         &TQvAxis::FMilliSecondFormat},
    }};
    for (const auto& [Name, Format] : Formats)
        R.String(Name, this->*Format, [this, Member = Format](const QString& V) {
            this->*Member = V;
            Modified();
        });

    R.Field({"SlaveAxis", "SlaveAxis", "IsSlave"}, FIsSlaveAxis,
            Setter(this, &TQvAxis::SetIsSlaveAxis));
    R.Reference<TQvAxis>({"MasterAxis", "SlaveAxis", "MasterAxis"}, FMasterAxis,
                         Setter(this, &TQvAxis::SetMasterAxis));
    R.Field({"Slave.Offset", "SlaveAxis", "Offset"}, FSlaveOffset,
            Setter(this, &TQvAxis::SetSlaveOffset));
    R.Field({"Slave.Slope", "SlaveAxis", "Slope"}, FSlaveSlope,
            Setter(this, &TQvAxis::SetSlaveSlope));

    TQvAxisArrowPoint* Arrow = FArrowPoint.get();
    R.Field({"Arrow.Visible", "Arrow", "Visible"}, Arrow->GetVisible(),
            Setter(Arrow, &TQvAxisArrowPoint::SetVisible));
    R.Field({"Arrow.PointLength", "Arrow", "PointLength"}, Arrow->GetPointLength(),
            Setter(Arrow, &TQvAxisArrowPoint::SetPointLength));
    R.Field({"Arrow.InnerLength", "Arrow", "InnerLength"}, Arrow->GetInnerLength(),
            Setter(Arrow, &TQvAxisArrowPoint::SetInnerLength));
    R.Field({"Arrow.PointHeight", "Arrow", "PointHeight"}, Arrow->GetPointHeight(),
            Setter(Arrow, &TQvAxisArrowPoint::SetPointHeight));
    R.Field({"Distance.ValuesAxis", "Distance", "ValuesAxis"}, FDistanceValuesAxis,
            Setter(this, &TQvAxis::SetDistanceValuesAxis));
    R.Field({"Distance.AxisLabels", "Distance", "AxisLabels"}, FDistanceAxisLabels,
            Setter(this, &TQvAxis::SetDistanceAxisLabels));
    R.Field({"Distance.AxisExtraExponent", "Distance", "AxisExtraExponent"},
            FDistanceAxisExtraExponent, Setter(this, &TQvAxis::SetDistanceAxisExtraExponent));

    // The zoom buffer, present when it holds stages.
    std::vector<double> ZoomStart, ZoomStop;
    int ZoomIdx = 0;
    if (R.Field<bool>({"Zoom", "Zoom", nullptr}, GetCanZoomBack())) {
        ZoomStart = R.Vector({".Zoom.Start", "Zoom", nullptr}, 0, FLastZoomStart);
        ZoomStop = R.Vector({".Zoom.Stop", "Zoom", nullptr}, 1, FLastZoomStop);
        ZoomIdx = R.Field({"Zoom.Idx", "Zoom", "Idx"}, FZoomIdx);
        // Stages are read by the index from both lists.
        if (ZoomStart.size() != ZoomStop.size() || ZoomIdx < 0 ||
            ZoomIdx >= std::max<qsizetype>(1, qsizetype(ZoomStart.size())))
            throw EReadError(SAxisZoomBufferDamaged.Text());
    }
    if (Range) {
        Range->Start = Start;
        Range->Stop = Stop;
        Range->ZoomStart = ZoomStart;
        Range->ZoomStop = ZoomStop;
        Range->ZoomIdx = ZoomIdx;
    }

    if (!R.Block()) return;
    R.Field({"LabelDistanceFactor", "TickParts", "LabelDistanceFactor"}, FLabelDistanceFactor,
            Setter(this, &TQvAxis::SetLabelDistanceFactor));
    for (size_t i = 0; i < CandidateParts.size(); ++i)
        for (size_t j = 0; j < CandidateParts[i]->size(); ++j)
            R.Field({CandidatePartNames[i][j], "TickParts", CandidatePartNames[i][j]},
                    (*CandidateParts[i])[j]);
    if (!R.Block()) return;
    R.Enum({"TickParts.MajorGridMode", "TickParts", "MajorGridMode"}, FMajorGridMode,
           Setter(this, &TQvAxis::SetMajorGridMode));
    if (!R.Block()) return;
    const double ValuesStart = R.Field({"Ends.ValuesStart", "Ends", "ValuesStart"}, FValuesStart);
    const double ValuesStop = R.Field({"Ends.ValuesStop", "Ends", "ValuesStop"}, FValuesStop);
    if (Range) {
        Range->ValuesStart = ValuesStart;
        Range->ValuesStop = ValuesStop;
    }
    R.Field({"Ends.StartPadding", "Ends", "StartPadding"}, FStartPadding,
            Setter(this, &TQvAxis::SetStartPadding));
    R.Field({"Ends.StopPadding", "Ends", "StopPadding"}, FStopPadding,
            Setter(this, &TQvAxis::SetStopPadding));
    // The range as asked for before padding and rounding: a loaded axis rounds from the same
    // values as the saved one, instead of rounding its rounded ends once more.
    if (!R.Block()) return;
    const double Requested[] = {
        R.Field({"Ends.RequestedStart", "Ends", "RequestedStart"}, FLastStart),
        R.Field({"Ends.RequestedStop", "Ends", "RequestedStop"}, FLastStop)};
    if (Range) {
        Range->LastStart = Requested[0];
        Range->LastStop = Requested[1];
        Range->Requested = true;
    }
    R.End("axis");
}

// The setters of other fields reset the range as a side effect (Scaling, StartEnd, ...), so the
// range is set after them: from the record with ApplyRange, else back to what it was. The
// range is not found anew from the series until they change.
template <class TRead> void TQvAxis::ReadRecord(bool ApplyRange, const TRead& Read) {
    TRangeState Range{FStart,         FStop,         FInitialStart, FInitialStop,
                      FLastStart,     FLastStop,     FValuesStart,  FValuesStop,
                      FLastZoomStart, FLastZoomStop, FZoomIdx};
    const QvRecord::TLoaded Loaded = Read(Visit(ApplyRange ? &Range : nullptr));
    const TReadScope Reading;
    Loaded.Apply();
    if (ApplyRange) {
        SetStart(Range.Start);
        SetStop(Range.Stop);
        if (Range.Requested) {
            FLastStart = Range.LastStart;
            FLastStop = Range.LastStop;
        }
    } else {
        FStart = Range.Start;
        FStop = Range.Stop;
        FInitialStart = Range.InitialStart;
        FInitialStop = Range.InitialStop;
        FLastStart = Range.LastStart;
        FLastStop = Range.LastStop;
    }
    FLastZoomStart = Range.ZoomStart;
    FLastZoomStop = Range.ZoomStop;
    FZoomIdx = Range.ZoomIdx;
    FValuesStart = Range.ValuesStart;
    FValuesStop = Range.ValuesStop;
    FRedoRange = false;
    Modified();
}

// Writing only reads the fields; the setters a record lists are not called.
QvRecord::TVisit TQvAxis::Visit(TRangeState* Range) const {
    return [this, Range](TRecord& R) { const_cast<TQvAxis*>(this)->VisitRecord(R, Range); };
}

void TQvAxis::WriteTo(QIODevice* Stream) const {
    StringToStream(Stream, GetComponentRef(this));
    QvRecord::Write(Stream, Visit(nullptr));
}

void TQvAxis::ReadFrom(QIODevice* Stream, bool ApplyRange) {
    // The reference names the axis a document reader picked; it does not rename it.
    StringFromStream(Stream);
    ReadRecord(ApplyRange,
               [Stream](const QvRecord::TVisit& Visit) { return QvRecord::Read(Stream, Visit); });
}

void TQvAxis::WriteTo(IXMLNode Node) const {
    IXMLNode Element = Node.AddChild(AxisElement);
    Element.SetAttribute("Name", GetComponentRef(this));
    QvRecord::Write(Element, Visit(nullptr));
}

void TQvAxis::ReadFrom(const IXMLNode& Node, bool ApplyRange) {
    const IXMLNode Element = ClassElement(Node, AxisElement);
    ReadRecord(ApplyRange, [&Element](const QvRecord::TVisit& Visit) {
        return QvRecord::Read(Element, Visit);
    });
}

void TQvAxis::WriteTo(TCustomIniFile* Ini, const QString& Section) const {
    Ini->WriteString(Section, "Name", GetComponentRef(this));
    QvRecord::Write(Ini, Section, Visit(nullptr));
}

void TQvAxis::ReadFrom(TCustomIniFile* Ini, const QString& Section, bool ApplyRange) {
    ReadRecord(ApplyRange, [Ini, &Section](const QvRecord::TVisit& Visit) {
        return QvRecord::Read(Ini, Section, Visit);
    });
}

void TQvAxis::WriteTo(const QString& FileName) const {
    QvStream::SaveFile(FileName, [this](QIODevice* Stream) { WriteTo(Stream); });
}

void TQvAxis::ReadFrom(const QString& FileName, bool ApplyRange) {
    QvStream::ReadFile(FileName, [&](QIODevice* Stream) { ReadFrom(Stream, ApplyRange); });
}
