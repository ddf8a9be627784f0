#pragma once

// A theme gives a graph, its axes and its series one consistent look in one call: one font
// family at three sizes, quiet colours for text, axes, grid and frame, and a colour cycle that
// series take in turn. Nothing changes until a theme is applied: the components keep their
// own defaults, and so do the files an unthemed graph writes.

#include "style/qvcolors.h"

#include <QList>
#include <QString>

class TQvAxis;
class TQvCustomLegend;
class TQvGraph2D;
class TQvSeries;

class TQvTheme {
public:
    // The family of every text; fontconfig falls back to the default sans face without it.
    QString FontName = QStringLiteral("DejaVu Sans");
    float TitleSize = 13;
    bool TitleBold = true;
    float AxisTitleSize = 10;
    float TickLabelSize = 9;
    TQvColor TextColor = 0xFF262626;      // title and axis titles
    TQvColor TickLabelColor = 0xFF4D4D4D; // scale numbers
    TQvColor AxisColor = 0xFF737373;      // axis lines and ticks
    TQvColor BackColor = 0xFFFFFFFF;
    TQvColor DataAreaColor = 0xFFFFFFFF;
    TQvColor GridColor = 0xFFE4E7EB; // major grid; the minor grid stays hidden
    TQvColor FrameColor = 0xFFBDC3CA;
    float TitleDistance = 6;  // above and below the title
    float BorderDistance = 8; // between the control's edges and the axes
    // Okabe and Ito's palette, which people with a colour vision deficiency tell apart as
    // well; its yellow is left out, too pale for a line on white.
    QList<TQvColor> SeriesColors = {0xFF0072B2, 0xFFD55E00, 0xFF009E73, 0xFFCC79A7,
                                    0xFF56B4E9, 0xFFE69F00, 0xFF000000};

    // The look of the gallery, the examples and TQvGraph2D::ApplyTheme without an argument.
    static const TQvTheme& Default();

    // Colour Index of the cycle, counted round.
    TQvColor SeriesColor(int Index) const;
    // The graph, its axes and legends and the series drawn on it, as one undo step.
    void Apply(TQvGraph2D* Graph) const;
    // Fonts and colours of one axis, for axes added after the graph was themed.
    void Apply(TQvAxis* Axis) const;
    // Fonts and frame of a legend, for legends added after the graph was themed.
    void Apply(TQvCustomLegend* Legend) const;
    // Line and symbols in colour Index of the cycle.
    void Apply(TQvSeries* Series, int Index) const;
};
