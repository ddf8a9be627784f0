#pragma once

// The pie fuzz target and its seeds: a pie chart with values, pulled-out slices, captions,
// a palette and a legend, all named in one module.

#include "fuzzing.h"

#include <framework/qvstringlist.h>
#include <pie/qvfillpalette.h>
#include <pie/qvpiechart.h>
#include <pie/qvpielegend.h>

#include <QImage>
#include <QPainter>

namespace QvFuzz {

// What a record is read into: kind 0 the legend (in any form), kind 1 the chart itself (a
// component stream, in the binary form).
enum class TPieKind : uint8_t {
    Legend,
    Chart
};

struct TPieChart {
    TPieChart() : Module(std::make_unique<TDataModule>(nullptr)) {
        Module->SetName(QStringLiteral("Module"));
        Palette = new TQvFillPalette(Module.get());
        Palette->SetName(QStringLiteral("Palette"));
        Palette->FillDefaults();
        Values = new TQvDoubleVector(Module.get());
        Values->SetName(QStringLiteral("Values"));
        Values->AddRange({5, 3, 0, 2, -1, 1});
        Explode = new TQvDoubleVector(Module.get());
        Explode->SetName(QStringLiteral("Explode"));
        Explode->AddRange({0, 30});
        Pie = new TQvPieChart(Module.get());
        Pie->SetName(QStringLiteral("Pie"));
        Pie->SetBounds(0, 0, 160, 120);
        Pie->SetValues(Values);
        Pie->SetExplodePercent(Explode);
        Pie->SetSegmentSettingsPalette(Palette);
        Pie->SetPieChartType(TQvPieChartType::ThreeDDonut);
        Pie->SetLabelPosition(TQvPieLabelPosition::Callouts);
        Pie->GetCaptions()->SetText(QStringLiteral("One\nTwo\nThree"));
        Legend = new TQvPieLegend(Module.get());
        Legend->SetName(QStringLiteral("Legend"));
        Legend->SetParent(Pie);
        Legend->SetPieChart(Pie);
    }
    void Paint() {
        QImage Image(160, 120, QImage::Format_ARGB32_Premultiplied);
        QPainter Painter(&Image);
        Pie->Paint(Painter);
    }

    std::unique_ptr<TDataModule> Module;
    TQvFillPalette* Palette;
    TQvDoubleVector* Values;
    TQvDoubleVector* Explode;
    TQvPieChart* Pie;
    TQvPieLegend* Legend;
};

} // namespace QvFuzz
