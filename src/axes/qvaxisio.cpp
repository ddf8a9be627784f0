// How an axis saves itself: its record in order, written to and read from a binary stream, an
// XML element "TQvAxis", an INI section and a file.

#include "axes/qvaxis.h"

#include "axes/qvticks.h"
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
using QvRecord::TName;
using QvRecord::TRecord;

// What ApplyRange covers, as read from a record or as the axis had it.
struct TQvAxis::TRangeState {
    double Start, Stop, InitialStart, InitialStop, LastStart, LastStop;
    double ValuesStart, ValuesStop;
    std::vector<double> ZoomStart, ZoomStop;
    int ZoomIdx;
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
    // A field applied through a setter of the axis.
    const auto Field = [&](const TName& Name, auto Current, auto Setter) {
        using T = decltype(Current);
        return R.Field<T>(Name, Current, [this, Setter](T V) { (this->*Setter)(V); });
    };
    const auto Color = [&](const TName& Name, TQvColor Current, void (TQvAxis::*Setter)(TQvColor)) {
        R.Color(Name, Current, [this, Setter](TQvColor V) { (this->*Setter)(V); });
    };
    const auto Enum = [&](const TName& Name, auto Current, auto Setter) {
        using E = decltype(Current);
        R.Enum<E>(Name, Current, [this, Setter](E V) { (this->*Setter)(V); });
    };

    QvRecord::ControlVisibility(R, this);
    Enum({"Position", "Properties", "Position"}, FPosition, &TQvAxis::SetPosition);
    Field({"Top", "Properties", "Top"}, GetTop(), &TQvAxis::SetTop);
    Field({"Left", "Properties", "Left"}, GetLeft(), &TQvAxis::SetLeft);
    Field({"AutoSize", "Properties", "AutoSize"}, FAutoSize, &TQvAxis::SetAutoSize);
    Field({"Width", "Properties", "Width"}, GetWidth(), &TQvAxis::SetWidth);
    Field({"Height", "Properties", "Height"}, GetHeight(), &TQvAxis::SetHeight);
    Field({"AxisThicknes", "Properties", "AxisThicknes"}, FAxisThicknes, &TQvAxis::SetAxisThicknes);
    Field({"MajorTickThicknes", "Properties", "MajorTickThicknes"}, FMajorTickThicknes,
          &TQvAxis::SetMajorTickThicknes);
    Field({"TickThicknes", "Properties", "TickThicknes"}, FTickThicknes, &TQvAxis::SetTickThicknes);
    Field({"MajorTickLength", "Properties", "MajorTickLength"}, FMajorTickLength,
          &TQvAxis::SetMajorTickLength);
    Field({"TickLength", "Properties", "TickLength"}, FTickLength, &TQvAxis::SetTickLength);
    Color({"AxisColor", "Properties", "AxisColor"}, FForeColor, &TQvAxis::SetForeColor);
    Color({"MajorTickColor", "Properties", "MajorTickColor"}, FMajorTickColor,
          &TQvAxis::SetMajorTickColor);
    Color({"TickColor", "Properties", "TickColor"}, FTickColor, &TQvAxis::SetTickColor);

    Field({"Caption", "Caption", "Text"}, GetCaption(), &TQvAxis::SetCaption);
    Field({"Caption.Visible", "Caption/Properties", "Visible"}, FCaptionVisible,
          &TQvAxis::SetCaptionVisible);
    Field({"Caption.HorizontalOnVerticalAxis", "Caption/Properties", "HorizontalOnVerticalAxis"},
          FCaptionHorizontalOnVerticalAxis, &TQvAxis::SetCaptionHorizontalOnVerticalAxis);
    Enum({"Caption.Alignment", "Caption/Properties", "Alignment"}, FCaptionAlignment,
         &TQvAxis::SetCaptionAlignment);
    Color({"Caption.Color", "Caption/Properties", "Color"}, GetCaptionColor(),
          &TQvAxis::SetCaptionColor);
    Field({"Caption.DistanceBefore", "Caption/Properties", "DistanceBefore"},
          FCaptionDistanceBefore, &TQvAxis::SetCaptionDistanceBefore);
    Field({"Caption.DistanceAfter", "Caption/Properties", "DistanceAfter"}, FCaptionDistanceAfter,
          &TQvAxis::SetCaptionDistanceAfter);
    R.Settings({"Caption.Font", "Caption/Properties", "Font"}, FCaptionFont.get());

    Enum({"Scaling", "Scaling", "Type"}, FScaling, &TQvAxis::SetScaling);
    Field({"LogToNormalScalingLevel", "Scaling", "LogToNormalScalingLevel"},
          FLogToNormalScalingLevel, &TQvAxis::SetLogToNormalScalingLevel);
    Field({"TicksPointToData", "Scaling", "TicksPointToData"}, FTicksPointToData,
          &TQvAxis::SetTicksPointToData);
    Field({"Twisted", "Scaling", "Twisted"}, FTwisted, &TQvAxis::SetTwisted);
    Field({"Numbers.Visible", "Scaling", "NumbersVisible"}, FNumbersVisible,
          &TQvAxis::SetNumbersVisible);
    Color({"Numbers.Color", "Scaling", "NumbersColor"}, FNumbersColor, &TQvAxis::SetNumbersColor);
    Field({"RubricsAngle", "Scaling", "RubricsAngle"}, FRubricsAngle, &TQvAxis::SetRubricsAngle);
    Field({"MovingSlit.Width", "Scaling", "MovingSlitWidth"}, FMovingSlitWidth,
          &TQvAxis::SetMovingSlitWidth);
    Field({"MovingSlit.Increment", "Scaling", "MovingSlitIncrement"}, FMovingSlitIncrement,
          &TQvAxis::SetMovingSlitIncrement);
    Field({"ExtraDigits", "Scaling", "ExtraDigits"}, FExtraDigits, &TQvAxis::SetExtraDigits);
    Field({"MaxForExtraExponent", "Scaling", "MaxForExtraExponent"}, FMaxForExtraExponent,
          &TQvAxis::SetMaxForExtraExponent);
    Field({"MinForExtraExponent", "Scaling", "MinForExtraExponent"}, FMinForExtraExponent,
          &TQvAxis::SetMinForExtraExponent);
    Field({"TickParts.Auto", "TickParts", "Auto"}, FAutoTickParts, &TQvAxis::SetAutoTickParts);
    Field({"TickParts.Label", "TickParts", "Label"}, GetLabelPart(), &TQvAxis::SetLabelPart);
    Field({"TickParts.Major", "TickParts", "Major"}, GetMajorTickPart(), &TQvAxis::SetMajorPart);
    Field({"TickParts.Minor", "TickParts", "Minor"}, GetTickPart(), &TQvAxis::SetTickPart);
    R.Settings({"Font", "", "Font"}, GetNumbersFont());

    const double Start = R.Field({"Ends.Start", "Ends", "Start"}, FStart);
    const double Stop = R.Field({"Ends.Stop", "Ends", "Stop"}, FStop);
    Enum({"Ends.Rounding", "Ends", "Rounding"}, FEndRounding, &TQvAxis::SetEndRounding);
    Enum({"Ends.StartEnd", "Ends", "StartEnd"}, FStartEnd, &TQvAxis::SetStartEnd);
    Enum({"Ends.StopEnd", "Ends", "StopEnd"}, FStopEnd, &TQvAxis::SetStopEnd);

    // Rubrics: the binding to a data source's field, or the lines themselves.
    if (R.Field({"Rubrics.FromDatabase", "Rubrics", "Database"}, FDBData)) {
        R.Reference<TDataSource>({"Rubrics.DataSource", "Rubrics", "DataSource"}, GetDataSource(),
                                 [this](TDataSource* V) { SetDataSource(V); });
        R.String({"Rubrics.RubricsField", "Rubrics", "RubricsField"}, GetRubricsField(),
                 [this](const QString& V) { SetRubricsField(V); });
    } else {
        R.List({"Captions", "Rubrics/Captions", "Text"}, "Rubrics.Count",
               (FRubrics ? FRubrics.data() : FOwnRubrics.get())->ToStringList(),
               [this](const QStringList& V) { SetRubricLines(V); });
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

    Field({"SlaveAxis", "SlaveAxis", "IsSlave"}, FIsSlaveAxis, &TQvAxis::SetIsSlaveAxis);
    R.Reference<TQvAxis>({"MasterAxis", "SlaveAxis", "MasterAxis"}, FMasterAxis,
                         [this](TQvAxis* V) { SetMasterAxis(V); });
    Field({"Slave.Offset", "SlaveAxis", "Offset"}, FSlaveOffset, &TQvAxis::SetSlaveOffset);
    Field({"Slave.Slope", "SlaveAxis", "Slope"}, FSlaveSlope, &TQvAxis::SetSlaveSlope);

    TQvAxisArrowPoint* Arrow = FArrowPoint.get();
    R.Field({"Arrow.Visible", "Arrow", "Visible"}, Arrow->GetVisible(),
            [Arrow](bool V) { Arrow->SetVisible(V); });
    R.Field({"Arrow.PointLength", "Arrow", "PointLength"}, Arrow->GetPointLength(),
            [Arrow](float V) { Arrow->SetPointLength(V); });
    R.Field({"Arrow.InnerLength", "Arrow", "InnerLength"}, Arrow->GetInnerLength(),
            [Arrow](float V) { Arrow->SetInnerLength(V); });
    R.Field({"Arrow.PointHeight", "Arrow", "PointHeight"}, Arrow->GetPointHeight(),
            [Arrow](float V) { Arrow->SetPointHeight(V); });
    Field({"Distance.ValuesAxis", "Distance", "ValuesAxis"}, FDistanceValuesAxis,
          &TQvAxis::SetDistanceValuesAxis);
    Field({"Distance.AxisLabels", "Distance", "AxisLabels"}, FDistanceAxisLabels,
          &TQvAxis::SetDistanceAxisLabels);
    Field({"Distance.AxisExtraExponent", "Distance", "AxisExtraExponent"},
          FDistanceAxisExtraExponent, &TQvAxis::SetDistanceAxisExtraExponent);

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
    Field({"LabelDistanceFactor", "TickParts", "LabelDistanceFactor"}, FLabelDistanceFactor,
          &TQvAxis::SetLabelDistanceFactor);
    for (size_t i = 0; i < CandidateParts.size(); ++i)
        for (size_t j = 0; j < CandidateParts[i]->size(); ++j)
            R.Field({CandidatePartNames[i][j], "TickParts", CandidatePartNames[i][j]},
                    (*CandidateParts[i])[j]);
    if (!R.Block()) return;
    Enum({"TickParts.MajorGridMode", "TickParts", "MajorGridMode"}, FMajorGridMode,
         &TQvAxis::SetMajorGridMode);
    if (!R.Block()) return;
    const double ValuesStart = R.Field({"Ends.ValuesStart", "Ends", "ValuesStart"}, FValuesStart);
    const double ValuesStop = R.Field({"Ends.ValuesStop", "Ends", "ValuesStop"}, FValuesStop);
    if (Range) {
        Range->ValuesStart = ValuesStart;
        Range->ValuesStop = ValuesStop;
    }
    Field({"Ends.StartPadding", "Ends", "StartPadding"}, FStartPadding, &TQvAxis::SetStartPadding);
    Field({"Ends.StopPadding", "Ends", "StopPadding"}, FStopPadding, &TQvAxis::SetStopPadding);
    R.End("axis");
}

void TQvAxis::SetRubricLines(const QStringList& Lines) {
    // Lines replace a binding.
    if (FDBData) SetDataSource(nullptr);
    TStrings* List = FRubrics ? FRubrics.data() : FOwnRubrics.get();
    if (List->ToStringList() == Lines) return;
    List->BeginUpdate();
    List->Clear();
    List->AddStrings(Lines);
    List->EndUpdate();
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
