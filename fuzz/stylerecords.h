#pragma once

// The style records of the styles fuzz target and the seed writer: one object of every kind
// and, for each kind, its reader and writer in the three forms. Series, legends, markers and
// axes read and write their records themselves.

#include "fuzzing.h"

#include <analysis/qvlinearregression.h>
#include <annotations/qvarrowmarker.h>
#include <annotations/qvlegend.h>
#include <annotations/qvmarkers.h>

#include <style/qvfont.h>
#include <style/qvio.h>
#include <style/qvstyles.h>

#include <type_traits>

namespace QvFuzz {

inline const QString StyleName = QStringLiteral("Style");

struct TStyleObjects {
    TChart Chart;
    TQvPointSeries* Points = new TQvPointSeries(Chart.Module.get());
    // A function series: its ranges and the fit's own part follow the series' record.
    TQvLinearRegression* Regression = [this] {
        auto* Series = new TQvLinearRegression(Chart.Module.get());
        Series->SetName(QStringLiteral("Regression"));
        Series->SetXData(Chart.XData);
        Series->SetYData(Chart.YData);
        Series->SetXAxis(Chart.XAxis);
        Series->SetYAxis(Chart.YAxis);
        return Series;
    }();
    // A legend of the chart's graph, docked or floating as its record says.
    TQvLegend* Legend = [this] {
        auto* Result = new TQvLegend(Chart.Module.get());
        Result->SetName(QStringLiteral("Legend"));
        Result->SetParent(Chart.Graph);
        Result->SetGraph(Chart.Graph);
        return Result;
    }();
    TQvSimpleLineSettings SimpleLine;
    TQvLineSettings Line;
    TQvArrowSettings Arrow;
    TQvAreaSettings Area;
    TQvGradientSettings Gradient;
    TQvFont Font;
    TQvHorizontalMarker* Level = OnGraph(new TQvHorizontalMarker(Chart.Module.get()), "Level");
    TQvVerticalMarker* Instant = OnGraph(new TQvVerticalMarker(Chart.Module.get()), "Instant");
    TQvCrossHair* Cross = OnGraph(new TQvCrossHair(Chart.Module.get()), "Cross");
    TQvLabelWithArrowMarker* Label =
        OnGraph(new TQvLabelWithArrowMarker(Chart.Module.get()), "Label");
    // A second horizontal axis, which may follow the X axis as its master.
    TQvAxis* Axis = Chart.NewAxis(TQvAxisPosition::Top, QStringLiteral("Axis"));

    template <class T> T* OnGraph(T* Marker, const char* Name) {
        Marker->SetName(QString::fromLatin1(Name));
        Marker->SetParent(Chart.Graph);
        return Marker;
    }
};

// One call shape for every record: the own members of series, legends, markers and axes, the
// style objects' free functions (the simple line and the font name their XML child
// themselves). An axis reads its range as well.
template <class T> constexpr bool IsAxis = std::is_base_of_v<TQvAxis, T>;
template <class T> constexpr bool IsSeries =
    std::is_base_of_v<TQvSeries, T> || std::is_base_of_v<TQvLegend, T> ||
    std::is_base_of_v<TQvMovable, T> || IsAxis<T>;
template <class T> constexpr bool NamesItself =
    std::is_same_v<T, TQvSimpleLineSettings> || std::is_same_v<T, TQvFont>;

template <class T> void Read(T* Object, QIODevice* Stream) {
    if constexpr (IsAxis<T>) Object->ReadFrom(Stream, true);
    else if constexpr (IsSeries<T>) Object->ReadFrom(Stream);
    else FromStream(Stream, Object);
}
template <class T> void Read(T* Object, const IXMLNode& Node) {
    if constexpr (IsAxis<T>) Object->ReadFrom(Node, true);
    else if constexpr (IsSeries<T>) Object->ReadFrom(Node);
    else if constexpr (NamesItself<T>) FromNode(Node, Object);
    else FromNode(Node, Object, StyleName);
}
template <class T> void Read(T* Object, TCustomIniFile* Ini, const QString& Section) {
    if constexpr (IsAxis<T>) Object->ReadFrom(Ini, Section, true);
    else if constexpr (IsSeries<T>) Object->ReadFrom(Ini, Section);
    else FromIni(Ini, Section, StyleName, Object);
}
template <class T> void Write(const T* Object, QIODevice* Stream) {
    if constexpr (IsSeries<T>) Object->WriteTo(Stream);
    else ToStream(Stream, Object);
}
template <class T> void Write(const T* Object, IXMLNode Node) {
    if constexpr (IsSeries<T>) Object->WriteTo(Node);
    else if constexpr (NamesItself<T>) ToNode(Node, Object);
    else ToNode(Node, Object, StyleName);
}
template <class T> void Write(const T* Object, TCustomIniFile* Ini, const QString& Section) {
    if constexpr (IsSeries<T>) Object->WriteTo(Ini, Section);
    else ToIni(Ini, Section, StyleName, Object);
}

// Calls F with the object of kind Kind; arrows are stored as their line record.
constexpr int StyleKindCount = 15;
template <class F> void WithStyleObject(TStyleObjects& Objects, int Kind, F&& Call) {
    switch (Kind % StyleKindCount) {
    case 0: Call(Objects.Chart.Series); break;
    case 1: Call(Objects.Points); break;
    case 2: Call(&Objects.SimpleLine); break;
    case 3: Call(&Objects.Line); break;
    case 4: Call(static_cast<TQvLineSettings*>(&Objects.Arrow)); break;
    case 5: Call(&Objects.Area); break;
    case 6: Call(&Objects.Gradient); break;
    case 7: Call(&Objects.Font); break;
    case 8: Call(Objects.Regression); break;
    case 9: Call(Objects.Level); break;
    case 10: Call(Objects.Instant); break;
    case 11: Call(Objects.Cross); break;
    case 12: Call(Objects.Label); break;
    case 13: Call(Objects.Legend); break;
    case 14: Call(Objects.Axis); break;
    }
}

} // namespace QvFuzz
