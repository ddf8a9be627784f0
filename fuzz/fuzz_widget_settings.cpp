// Settings of widgets on a form, as a form file gives them: each line "widget.Setting=Value"
// sets one dynamic property, its text read as the setting's kind (a flag, a number, a colour,
// a name of an enumeration's value, a text). The widgets are a graph holding a legend and the
// four markers, and a pie chart holding its legend; both are painted afterwards.

#include "fuzzing.h"

#include <widgets/qvwidgets.h>

namespace {

QVariant ValueLike(const QVariant& Kind, const QString& Text) {
    switch (Kind.metaType().id()) {
    case QMetaType::Bool:
        return Text == u"true";
    case QMetaType::Int:
        return Text.toInt();
    case QMetaType::Double:
        return Text.toDouble();
    case QMetaType::QColor:
        return QColor::fromRgba(Text.toUInt(nullptr, 16));
    case QMetaType::QByteArray:
        return Text.toLatin1();
    default:
        return Text;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    QWidget Form;
    auto* Graph = new TQvGraph2DWidget(&Form);
    Graph->setGeometry(0, 0, 240, 160);
    auto* Pie = new TQvPieChartWidget(&Form);
    Pie->setGeometry(0, 160, 240, 160);
    const QHash<QString, TQvControlWidget*> Widgets = {
        {"graph", Graph},
        {"legend", new TQvLegendWidget(Graph)},
        {"hmarker", new TQvHorizontalMarkerWidget(Graph)},
        {"vmarker", new TQvVerticalMarkerWidget(Graph)},
        {"crosshair", new TQvCrossHairWidget(Graph)},
        {"arrowlabel", new TQvLabelWithArrowMarkerWidget(Graph)},
        {"pie", Pie},
        {"pielegend", new TQvPieLegendWidget(Pie)},
        {"label", new TQvRichLabelWidget(&Form)},
    };
    for (const QString& Line : QString::fromUtf8(QvFuzz::Bytes(Data, Size)).split(u'\n')) {
        const qsizetype Dot = Line.indexOf(u'.'), Is = Line.indexOf(u'=');
        if (Dot < 0 || Is < Dot) continue;
        TQvControlWidget* Widget = Widgets.value(Line.left(Dot));
        if (!Widget) continue;
        const QString Name = Line.mid(Dot + 1, Is - Dot - 1);
        const QVariant Kind = Widget->Settings().value(Name);
        try {
            Widget->setProperty(Name.toLatin1().constData(),
                                ValueLike(Kind, Line.mid(Is + 1)));
        } catch (const Exception&) {
        }
    }
    try {
        Form.grab();
    } catch (const Exception&) {
    }
    return 0;
}
