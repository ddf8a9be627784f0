// Writes the seed corpora of the fuzz targets with the library's own writers:
// make_corpus <folder> fills <folder>/<target>/ for every target.

#include "componentrecords.h"
#include "documents.h"
#include "pierecords.h"
#include "stylerecords.h"
#include "undohistory.h"

#include <analysis/qvdiscretefourier.h>
#include <analysis/qvfitting.h>
#include <annotations/qvlegend.h>
#include <annotations/qvmarkers.h>
#include <editors/qvpickers.h>
#include <framework/qvstringlist.h>
#include <gallerycharts.h>
#include <gallerypage.h>
#include <series/qvarrows.h>
#include <series/qvbubbles.h>
#include <series/qverrorbars.h>
#include <series/qvohlc.h>
#include <style/qvcolors.h>

#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

QString Folder;

void Seed(const char* Target, const QString& Name, const QByteArray& Bytes) {
    const QString Dir = Folder + u'/' + QLatin1String(Target);
    QDir().mkpath(Dir);
    QFile File(Dir + u'/' + Name);
    if (!File.open(QIODevice::WriteOnly) || File.write(Bytes) != Bytes.size())
        qFatal("cannot write %s", qPrintable(File.fileName()));
}

void SeedTexts(const char* Target, const QStringList& Texts) {
    for (int i = 0; i < Texts.size(); ++i)
        Seed(Target, QString::number(i), Texts[i].toUtf8());
}

const char* const FormNames[] = {"binary", "xml", "ini"};

void SeedFormulas() {
    SeedTexts("formula", {"2*x^2-3*x+1", "sin(x)/x+exp(-x)*ln(abs(x)+1)", "sqrt(Big*Big)",
                          "((x+1)*(x-1))/(x*x-1)", "-x^-2", "1e308*10", "max(x;2)",
                          "Module.Series.Name", "<%x*2;0.00%> and <%<%x%>%>"});
}

void SeedPropertyLinks() {
    SeedTexts("property_links",
              {"Module.Series.Line.Color\nmodule.graph.caption",
               "Module.XAxis.Start\nModule.YAxis.Stop",
               "Module.Series.PointSymbol.Size\nModule.Series.Line\nNoForm.Series.Line.Width",
               "Module.Graph.UndoStack.Limit\nModule.Series.XAxis.Start.Extra"});
}

void SeedWidgetSettings() {
    SeedTexts("widget_settings",
              {"graph.Caption=Pressure\ngraph.CaptionVisible=true\ngraph.CaptionFont_Size=20\n"
               "graph.DataAreaColor=ffffffc0\ngraph.Zoom_StartPanning=Ctrl|Left",
               "legend.Position=FreeFloating\nlegend.Columns=2\nlegend.Caption=Series\n"
               "legend.CaptionVisible=true",
               "hmarker.Y=0.5\nhmarker.CaptionVisible=true\nvmarker.X=3\n"
               "crosshair.X=2\ncrosshair.Y=0.25\narrowlabel.Caption=peak\narrowlabel.BentLength=20",
               "pie.PieChartType=ThreeDDonut\npie.TotalAngle=180\npielegend.Position=LeftCenter\n"
               "label.Caption=\\bbold\\b x\\+2\\+\nlabel.Angle=90"});
}

void SeedCaptions() {
    const QString Red = QStringLiteral("\\c") + ARGBToRichID(0xFFC00000);
    SeedTexts("richcaption",
              {QStringLiteral("\x01x\\+2\\+ + y\\-i\\-"), QStringLiteral("\x13\\bBold\\b \\iit\\i"),
               QStringLiteral("\x25") + Red + QStringLiteral("red\\c[] plain\r\nline two"),
               QStringLiteral("\x32\\f[Times New Roman]serif\\f[]\\u\\o a\\\\b\\q"),
               QStringLiteral("\x44<%1+2;0.00%> <%Module.Series.Name%>")});
}

void SeedVectors() {
    TQvDoubleVector Vector(nullptr);
    Vector.AddRange({2.5, -1e-300, 1e300, 0, 7});
    for (const QvFuzz::TForm Form : {QvFuzz::TForm::Binary, QvFuzz::TForm::Xml, QvFuzz::TForm::Ini})
        Seed("vectors", QLatin1String(FormNames[int(Form)]),
             QvFuzz::WriteInForm(
                 Form, [&](QIODevice* Stream) { Vector.WriteTo(Stream); },
                 [&](IXMLNode Node) { Vector.WriteTo(Node); },
                 [&](TCustomIniFile* Ini, const QString& Section) {
                     Vector.WriteTo(Ini, Section);
                 }));
}

// Every stored value away from its default, so that fields read in the wrong order show.
void SeedStyles() {
    QvFuzz::TStyleObjects Objects;
    Objects.Chart.Series->SetCaption(QStringLiteral("Pressure\rkPa"));
    Objects.Chart.Series->GetArea()->SetVisible(true);
    Objects.Chart.Series->GetPointSymbol()->SetSize(7.5f);
    Objects.Points->SetYData(Objects.Chart.XData);
    Objects.Points->GetOutOfRangePointSymbol()->SetPointSymbol(TQvPointSymbol::Nabla);
    Objects.SimpleLine.SetColor(0xFF102030);
    Objects.SimpleLine.SetWidth(2.5f);
    Objects.Line.SetColor(0x80405060);
    Objects.Line.SetWidth(3.25f);
    Objects.Arrow.SetColor(0xFF00A000);
    Objects.Area.SetVisible(true);
    Objects.Area.SetForeColor(0x80405060);
    Objects.Gradient.SetVisible(true);
    Objects.Gradient.SetLinearAngle(30);
    Objects.Regression->SetWeight(Objects.Chart.XData);
    Objects.Regression->SetAutoStart(false);
    Objects.Regression->SetCalcStart(1.5);
    Objects.Regression->SetCoupleCalculationAndDisplay(false);
    Objects.Regression->SetDisplayStop(9.25);
    Objects.Regression->SetFixedOffset(true);
    Objects.Regression->SetOffset(-0.5);
    Objects.Regression->GetConfidenceIntervalLine()->SetVisible(true);
    Objects.Regression->GetConfidenceIntervalArea()->SetVisible(true);
    Objects.Font.SetName(QStringLiteral("Times New Roman"));
    Objects.Font.SetSizeF(13.5f);
    Objects.Font.SetFillColor(0xFF336699);
    for (TQvMovable* Marker : std::initializer_list<TQvMovable*>{Objects.Level, Objects.Instant,
                                                                 Objects.Cross, Objects.Label}) {
        Marker->SetCaption(QStringLiteral("At <%1+2;0.0%>\rline"));
        Marker->SetCaptionVisible(true);
        Marker->SetCaptionBackShadow(true);
        Marker->SetSnappedSeries(Objects.Points);
        Marker->SetStartMovingKeys(TShiftStateItem::Shift | TShiftStateItem::Left);
    }
    Objects.Level->SetYAxis(Objects.Chart.YAxis);
    Objects.Level->SetY(2.5);
    Objects.Instant->SetXAxis(Objects.Chart.XAxis);
    Objects.Instant->SetCaptionVertical(true);
    Objects.Cross->SetXAxis(Objects.Chart.XAxis);
    Objects.Cross->SetY(-0.5);
    Objects.Cross->SetCaptionPosition(TQvXHairCaptionPosition::LeftTop);
    Objects.Label->SetYAxis(Objects.Chart.YAxis);
    Objects.Label->SetBentLength(7);
    Objects.Label->GetArrow()->SetInnerLength(4);
    Objects.Legend->SetPosition(TQvLegendPosition::BottomCenterOfGraph);
    Objects.Legend->SetCaption(QStringLiteral("Legend \\b record"));
    Objects.Legend->SetCaptionVisible(true);
    Objects.Legend->GetItemsOrderList()->Add(GetComponentRef(Objects.Points));
    TQvAxis* Axis = Objects.Axis;
    Axis->SetCaption(QStringLiteral("Axis\rrecord"));
    Axis->SetScaling(TQvAxisScaling::Rubrics);
    Axis->GetRubrics()->AddStrings({QStringLiteral("one"), QStringLiteral("two")});
    Axis->SetMasterAxis(Objects.Chart.XAxis);
    Axis->SetSlaveSlope(2);
    Axis->SetLabelDistanceFactor(1.5f);
    Axis->SetMajorGridMode(TQvMajorGridMode::AtMajorTick);
    Axis->SetStopPadding(0.25);
    Axis->ZoomIn(0.5, 1.5);
    for (int Kind = 0; Kind < QvFuzz::StyleKindCount; ++Kind)
        QvFuzz::WithStyleObject(Objects, Kind, [&](auto* Object) {
            for (const QvFuzz::TForm Form :
                 {QvFuzz::TForm::Binary, QvFuzz::TForm::Xml, QvFuzz::TForm::Ini})
                Seed("styles",
                     QStringLiteral("%1-%2").arg(Kind).arg(QLatin1String(FormNames[int(Form)])),
                     QvFuzz::WriteInForm(
                         Form, [&](QIODevice* Stream) { QvFuzz::Write(Object, Stream); },
                         [&](IXMLNode Node) { QvFuzz::Write(Object, Node); },
                         [&](TCustomIniFile* Ini, const QString& Section) {
                             QvFuzz::Write(Object, Ini, Section);
                         },
                         Kind));
        });
}

void SeedComponents() {
    QvFuzz::TChart Chart;
    Chart.Series->SetCaption(QStringLiteral("Series record"));
    for (int Kind = 0; Kind < QvFuzz::ComponentTargetCount; ++Kind) {
        // A new component is made from a vector's record.
        const TComponent* Component =
            Kind == 0 ? Chart.XData : QvFuzz::ComponentTarget(Chart, Kind);
        QByteArray Bytes(1, char(Kind));
        QBuffer Buffer(&Bytes);
        Buffer.open(QIODevice::WriteOnly | QIODevice::Append);
        TWriter(&Buffer).WriteComponent(Component);
        Seed("component", QString::number(Kind), Bytes);
    }
    // New components of classes whose streams hold more than plain properties: the fitted
    // line's coefficients, the spectrum's phases, and the further vectors of error bars,
    // arrows, bubbles and price bars.
    auto* Fit = new TQvFittedLine(Chart.Module.get());
    Fit->SetName(QStringLiteral("Fit"));
    Fit->SetExpression(QStringLiteral("a*exp(-b*X)+c"));
    auto* Spectrum = new TQvDiscreteFourier(Chart.Module.get());
    Spectrum->SetName(QStringLiteral("Spectrum"));
    auto* Errors = new TQvPointWithErrorSeries(Chart.Module.get());
    Errors->SetName(QStringLiteral("Errors"));
    Errors->SetDeltaXPlus(Chart.XData);
    Errors->SetDeltaYMinus(Chart.YData);
    auto* Arrows = new TQvArrows(Chart.Module.get());
    Arrows->SetName(QStringLiteral("Arrows"));
    Arrows->SetDeltaX(Chart.XData);
    Arrows->SetDeltaY(Chart.YData);
    auto* Bubbles = new TQvBubbles(Chart.Module.get());
    Bubbles->SetName(QStringLiteral("Bubbles"));
    Bubbles->SetRadius(Chart.YData);
    Bubbles->SetElliptical(true);
    auto* Candles = new TQvCandleSticks(Chart.Module.get());
    Candles->SetName(QStringLiteral("Candles"));
    Candles->SetOpenData(Chart.XData);
    Candles->SetHighData(Chart.YData);
    Candles->SetLowData(Chart.XData);
    for (TQvSeries* Series :
         std::initializer_list<TQvSeries*>{Fit, Spectrum, Errors, Arrows, Bubbles, Candles}) {
        Series->SetXData(Chart.XData);
        Series->SetYData(Chart.YData);
        Series->SetXAxis(Chart.XAxis);
        Series->SetYAxis(Chart.YAxis);
        QByteArray Bytes(1, '\0');
        QBuffer Buffer(&Bytes);
        Buffer.open(QIODevice::WriteOnly | QIODevice::Append);
        TWriter(&Buffer).WriteComponent(Series);
        Seed("component", Series->GetName(), Bytes);
    }
    // An editor control with its property links, as a form streams it.
    auto* Picker = new TQvColorPickCombo(Chart.Module.get());
    Picker->SetName(QStringLiteral("Picker"));
    Picker->GetPropertyLinks()->GetItems()->AddStrings(
        {QStringLiteral("Module.Series.Line.Color"), QStringLiteral("Module.Graph.CaptionColor")});
    QByteArray Bytes(1, '\0');
    QBuffer Buffer(&Bytes);
    Buffer.open(QIODevice::WriteOnly | QIODevice::Append);
    TWriter(&Buffer).WriteComponent(Picker);
    Seed("component", Picker->GetName(), Bytes);
}

// The legend in the three forms and the chart as a component stream.
void SeedPie() {
    QvFuzz::TPieChart Chart;
    Chart.Legend->SetPosition(TQvPieLegendPosition::CenterBottom);
    for (const QvFuzz::TForm Form : {QvFuzz::TForm::Binary, QvFuzz::TForm::Xml, QvFuzz::TForm::Ini})
        Seed("pie", QLatin1String(FormNames[int(Form)]),
             QvFuzz::WriteInForm(
                 Form, [&](QIODevice* Stream) { Chart.Legend->WriteTo(Stream); },
                 [&](IXMLNode Node) { Chart.Legend->WriteTo(Node); },
                 [&](TCustomIniFile* Ini, const QString& Section) {
                     Chart.Legend->WriteTo(Ini, Section);
                 }));
    QByteArray Bytes(1, char(3 * int(QvFuzz::TPieKind::Chart)));
    QBuffer Buffer(&Bytes);
    Buffer.open(QIODevice::WriteOnly | QIODevice::Append);
    TWriter(&Buffer).WriteComponent(Chart.Pie);
    Seed("pie", QStringLiteral("chart"), Bytes);
}

// A history of every kind of record: properties, a group, a vector, a whole component and a
// component created.
void SeedUndo() {
    QvFuzz::TChart Chart;
    TQvUndoStack& Stack = *Chart.Stack;
    Chart.Graph->SetBackColor(0xFF203040);
    Stack.StartGroup(QStringLiteral("Group"));
    Chart.Graph->SetCaption(QStringLiteral("Title"));
    Chart.Graph->SetCaptionVisible(false);
    Stack.StopGroup();
    Stack.PushVectorState(Chart.YData, QStringLiteral("Values"));
    Chart.YData->Add(9);
    Stack.PushComponent(Chart.Series, QStringLiteral("Series"));
    auto* Created = new TQvDoubleVector(Chart.Module.get());
    Created->SetName(QStringLiteral("Created"));
    Stack.PushFreeComponent(Created, QStringLiteral("New vector"));
    Seed("undo", QStringLiteral("history"), TQvUndoHistoryAccess::History(Stack));
}

// Documents in each encoding: the fuzz chart with a legend and a marker, and every gallery
// chart small enough for the fuzzers' input limit.
void SeedDocuments() {
    const auto SeedGraph = [](TQvGraph2D* Graph, const QString& Name) {
        const TQvGraphDocument Document(Graph);
        QBuffer Binary;
        Binary.open(QIODevice::WriteOnly);
        Document.Write(&Binary, true);
        TXMLDocument Xml;
        Document.Write(Xml.AddChild(QvFuzz::RecordName), true);
        TMemIniFile Ini(QString{});
        Document.Write(&Ini, TQvGraphDocument::IniSection, true);
        QStringList Lines;
        Ini.GetStrings(Lines);
        const QByteArray Forms[] = {Binary.data(), Xml.SaveToXML().toUtf8(),
                                    Lines.join(u'\n').toUtf8()};
        const char* Targets[] = {"document_binary", "document_xml", "document_ini"};
        for (int i = 0; i < 3; ++i)
            if (Forms[i].size() <= 65536) Seed(Targets[i], Name, Forms[i]);
    };
    QvFuzz::TChart Chart;
    auto* Legend = new TQvLegend(Chart.Module.get());
    Legend->SetName(QStringLiteral("Legend"));
    Legend->SetParent(Chart.Graph);
    Legend->SetGraph(Chart.Graph);
    auto* Level = new TQvHorizontalMarker(Chart.Module.get());
    Level->SetName(QStringLiteral("Level"));
    Level->SetParent(Chart.Graph);
    Level->SetYAxis(Chart.YAxis);
    SeedGraph(Chart.Graph, QStringLiteral("chart"));

    for (const TGalleryPage& Page : GalleryPages()) {
        TForm Form(Application());
        Form.SetName(QStringLiteral("Gallery"));
        BuildPage(Page, &Form);
        for (TQvGraph2D* Graph : PageGraphs(&Form))
            SeedGraph(Graph, Page.Name + u'-' + Graph->GetName());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_corpus <folder>\n");
        return 2;
    }
    // An application that ends before the statics do: the gallery's forms made widgets.
    QvFuzz::PrepareApplication();
    QApplication App(argc, argv);
    Folder = QString::fromLocal8Bit(argv[1]);
    SeedFormulas();
    SeedCaptions();
    SeedPropertyLinks();
    SeedWidgetSettings();
    SeedVectors();
    SeedStyles();
    SeedComponents();
    SeedUndo();
    SeedPie();
    SeedDocuments();
    return 0;
}
