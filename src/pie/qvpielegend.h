#pragma once

// The legend of a pie chart: one item per segment, its fill and its label, placed by the chart
// at one of eight positions around the pie.

#include "annotations/qvlegend.h"
#include "series/qvlabels.h"

class TQvPieChart;

namespace QvPieLegend {
Q_NAMESPACE

enum class TQvPieLegendPosition {
    LeftTop,
    LeftCenter,
    LeftBottom,
    CenterTop,
    CenterBottom,
    RightTop,
    RightCenter,
    RightBottom
};
Q_ENUM_NS(TQvPieLegendPosition)

} // namespace QvPieLegend

using QvPieLegend::TQvPieLegendPosition;

class TQvPieLegend : public TQvCustomLegend {
    Q_OBJECT
    Q_MOC_INCLUDE("pie/qvpiechart.h")
    Q_PROPERTY(TQvPieChart* PieChart READ GetPieChart WRITE SetPieChart)
    Q_PROPERTY(QvPieLegend::TQvPieLegendPosition Position READ GetPosition WRITE SetPosition)
    Q_PROPERTY(QvLabels::TQvLabelStyle LabelsFrom READ GetLabelsFrom WRITE SetLabelsFrom)
    Q_PROPERTY(QString LabelFormat READ GetLabelFormat WRITE SetLabelFormat)
    Q_PROPERTY(float DistanceToPie READ GetDistanceToPie WRITE SetDistanceToPie)
public:
    Q_INVOKABLE explicit TQvPieLegend(TComponent* AOwner);
    ~TQvPieLegend() override;

    TQvPieChart* GetPieChart() const { return FPieChart; }
    void SetPieChart(TQvPieChart* Value);
    TQvPieLegendPosition GetPosition() const { return FPosition; }
    // Lays the items out in rows above and below the pie, in columns beside it.
    void SetPosition(TQvPieLegendPosition Value);
    TQvLabelStyle GetLabelsFrom() const { return FLabelsFrom; }
    void SetLabelsFrom(TQvLabelStyle Value) { Set(FLabelsFrom, Value); }
    const QString& GetLabelFormat() const { return FLabelFormat; }
    void SetLabelFormat(const QString& Value) { Set(FLabelFormat, Value); }
    float GetDistanceToPie() const { return FDistanceToPie; }
    void SetDistanceToPie(float Value) { Set(FDistanceToPie, Value); }

    // The chart's segments changed: list and measure the items anew.
    void SegmentsChanged();

    // Forgets the pie chart that goes.
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    void RecordFields(QvRecord::TRecord& R) override;
    int CountItems() const override;
    TQvRichCaption ItemText(int Index) const override;
    void DrawSample(const TQvLegendItemDrawArgs& Args) const override;
    void Changed() override;

private:
    TQvPieChart* FPieChart = nullptr;
    TQvPieLegendPosition FPosition = TQvPieLegendPosition::RightCenter;
    TQvLabelStyle FLabelsFrom = TQvLabelStyle::CaptionsList;
    QString FLabelFormat;
    float FDistanceToPie = 8;
};
