// Axes: every scaling, the four positions, twisted axes, several axes on one side and extra
// exponents, laid out around the data area with grids.

#include "gallerycharts.h"
#include "gallerypage.h"

#include <axes/qvaxis.h>
#include <axes/qvdatetime.h>
#include <framework/qvstringlist.h>
#include <graph/qvgraph2d.h>

namespace {

TWinControl* BuildAxesPage(TComponent* Owner) {
    auto* Panel = new TWhitePanel(Owner);
    Panel->SetName(QStringLiteral("AxesPanel"));
    Panel->SetBounds(0, 0, 1000, 1330);
    const int W = 490, H = 320;
    using P = TQvAxisPosition;
    using S = TQvAxisScaling;

    // Linear axes over many magnitudes, all four sides, a twisted one and extra exponents.
    TQvGraph2D* Linear =
        NewGraph(Owner, Panel, "Linear", "Linear: four sides, twisted, exponents", 5, 5, W, H);
    NewAxis(Owner, Linear, P::Bottom, S::Normal, 0, 2.5e-6, "Time / s");
    NewAxis(Owner, Linear, P::Left, S::Normal, -2.5e4, 1.5e4, "Force / N");
    TQvAxis* Right = NewAxis(Owner, Linear, P::Right, S::Normal, 0, 3.2e7, "Energy / J");
    Right->SetTicksPointToData(true);
    TQvAxis* Top = NewAxis(Owner, Linear, P::Top, S::Normal, -1, 1, "Twisted");
    Top->SetTwisted(true);
    Top->GetArrowPoint()->SetVisible(true);

    // Logarithmic axes: plain numbers and powers of ten.
    TQvGraph2D* Log = NewGraph(Owner, Panel, "Logarithmic", "Log and LogEE", 505, 5, W, H);
    NewAxis(Owner, Log, P::Bottom, S::LogEE, 1, 1e9, "Frequency / Hz");
    NewAxis(Owner, Log, P::Left, S::Log, 0.01, 1000, "Amplitude");
    TQvAxis* FewDecades = NewAxis(Owner, Log, P::Right, S::Log, 2, 700, "Two decades");
    FewDecades->SetNumbersColor(0xFF8B0000);

    // Time spans and the rubrics of a category axis with turned labels.
    TQvGraph2D* Spans = NewGraph(Owner, Panel, "Spans", "Seconds and rubrics", 5, 335, W, H);
    NewAxis(Owner, Spans, P::Bottom, S::Seconds, 0, 7200, "Two hours");
    NewAxis(Owner, Spans, P::Bottom, S::Seconds, 0, 3 * 86400.0, "Three days");
    TQvAxis* Months = NewAxis(Owner, Spans, P::Top, S::Rubrics, 0, 12, "Rubrics");
    Months->GetRubrics()->AddStrings({"January", "February", "March", "April", "May", "June",
                                      "July", "August", "September", "October", "November",
                                      "December"});
    Months->SetRubricsAngle(40);
    NewAxis(Owner, Spans, P::Left, S::Seconds, 0, 90, "Seconds");

    // Date and time from milliseconds to decades, stacked on one side.
    TQvGraph2D* Dates = NewGraph(Owner, Panel, "Dates", "Date and time", 505, 335, W, 650);
    const TDateTime Day = EncodeDate(2026, 12, 5);
    struct TSpan {
        const char* Caption;
        double Start, Stop;
    } DateSpans[] = {
        {"60 milliseconds", Day + 0.5, Day + 0.5 + 0.06 / 86400},
        {"One minute", Day + 0.5, Day + 0.5 + 1.0 / 1440},
        {"Six hours", Day + 0.25, Day + 0.5},
        {"Three days", Day + 1, Day + 4}, // from an even day, where the labels stand
        {"Four months", EncodeDate(2026, 9, 1), EncodeDate(2027, 1, 1)},
        {"Six years", EncodeDate(2020, 1, 1), EncodeDate(2026, 1, 1)},
        {"A century", EncodeDate(1930, 1, 1), EncodeDate(2030, 1, 1)},
    };
    for (const TSpan& Span : DateSpans) {
        TQvAxis* Axis = NewAxis(Owner, Dates, P::Bottom, S::DateTime, Span.Start, Span.Stop,
                                QString::fromLatin1(Span.Caption));
        // Months with four-digit years, which do not read like days of the month.
        if (Span.Stop - Span.Start > 60 && Span.Stop - Span.Start < 400)
            Axis->SetOnGetScaleLabel([](TObject*, TQvScaleLabelEventArgs& e) {
                e.Caption = FormatDateTime(QStringLiteral("mmm yyyy"), e.Value);
            });
    }
    NewAxis(Owner, Dates, P::Left, S::Normal, 0, 1, "Share");

    // Two left axes and a twisted right axis.
    TQvGraph2D* Sides = NewGraph(Owner, Panel, "Sides", "Several axes on one side", 5, 665, W, 320);
    NewAxis(Owner, Sides, P::Bottom, S::Normal, -0.004, 0.006, "Strain");
    NewAxis(Owner, Sides, P::Left, S::Normal, 0, 450, "Stress / MPa");
    TQvAxis* Second = NewAxis(Owner, Sides, P::Left, S::Normal, 0, 65, "ksi");
    Second->SetForeColor(0xFF1B6E3A);
    Second->SetNumbersColor(0xFF1B6E3A);
    Second->SetCaptionColor(0xFF1B6E3A);
    TQvAxis* Inverted = NewAxis(Owner, Sides, P::Right, S::Normal, 1000, 0, "Depth / m");
    Inverted->SetStart(0);
    Inverted->SetStop(1000);
    Inverted->SetTwisted(true);

    // Zero origin: the primary axes cross at (0, 0).
    TQvGraph2D* Origin =
        NewGraph(Owner, Panel, "Origin", "Axes crossing at the origin", 5, 995, W, 330);
    NewAxis(Owner, Origin, P::Bottom, S::Normal, -4, 6, "x");
    NewAxis(Owner, Origin, P::Left, S::Normal, -3, 5, "y");
    Origin->SetZeroOrigin(true);
    return Panel;
}

} // namespace

void AddAxesPages(std::vector<TGalleryPage>& Pages) {
    Pages.push_back(
        {QStringLiteral("axes"), QStringLiteral("Axes"),
         QStringLiteral("Every scaling: linear over many magnitudes (with extra exponents), "
                        "logarithmic as numbers and as powers of ten, time spans, date and time "
                        "from milliseconds to a century, rubrics with turned labels; all four "
                        "positions, twisted axes, ticks pointing into the data, an arrow tip, "
                        "several axes on one side, and axes crossing at the origin."),
         BuildAxesPage});
}
