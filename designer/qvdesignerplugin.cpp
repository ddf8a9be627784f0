#include "qvdesignerplugin.h"

#include <widgets/qvwidgets.h>

#include <QColor>
#include <QIcon>
#include <QXmlStreamWriter>

namespace {

template <class T> TQvDesignerWidget::TFactory Make() {
    return [](QWidget* Parent) -> TQvControlWidget* { return new T(Parent); };
}

// A value in the form files' notation; an enumeration's names come as bytes, not to be
// translated.
void WriteValue(QXmlStreamWriter& Xml, const QVariant& Value) {
    switch (Value.metaType().id()) {
    case QMetaType::Bool:
        Xml.writeTextElement("bool", Value.toBool() ? "true" : "false");
        break;
    case QMetaType::Int:
        Xml.writeTextElement("number", QString::number(Value.toInt()));
        break;
    case QMetaType::Double:
        Xml.writeTextElement("double", QString::number(Value.toDouble(), 'g', 17));
        break;
    case QMetaType::QByteArray:
        Xml.writeTextElement("cstring", QString::fromLatin1(Value.toByteArray()));
        break;
    case QMetaType::QColor: {
        const QColor Colour = Value.value<QColor>();
        Xml.writeStartElement("color");
        Xml.writeAttribute("alpha", QString::number(Colour.alpha()));
        Xml.writeTextElement("red", QString::number(Colour.red()));
        Xml.writeTextElement("green", QString::number(Colour.green()));
        Xml.writeTextElement("blue", QString::number(Colour.blue()));
        Xml.writeEndElement();
        break;
    }
    default:
        Xml.writeTextElement("string", Value.toString());
        break;
    }
}

} // namespace

TQvDesignerWidget::TQvDesignerWidget(const char* Class, const char* Icon, const char* ToolTip,
                                     bool Container, TFactory Factory, QObject* Parent)
    : QObject(Parent), FClass(QString::fromLatin1(Class)), FIcon(QString::fromLatin1(Icon)),
      FToolTip(QString::fromUtf8(ToolTip)), FContainer(Container), FFactory(std::move(Factory)) {}

QString TQvDesignerWidget::group() const {
    return QStringLiteral("Qvplot2D");
}

QString TQvDesignerWidget::includeFile() const {
    return QStringLiteral("widgets/qvwidgets.h");
}

// Rendered at the usual sizes: the widget box takes only icons with sizes it can list.
QIcon TQvDesignerWidget::icon() const {
    const QIcon Drawing(QStringLiteral(":/qvplot2d/designer/%1.svg").arg(FIcon));
    QIcon Result;
    for (int Size : {16, 22, 24, 32, 48})
        Result.addPixmap(Drawing.pixmap(Size));
    return Result;
}

void TQvDesignerWidget::initialize(QDesignerFormEditorInterface* Core) {
    FDesigner = Core;
}

QWidget* TQvDesignerWidget::createWidget(QWidget* Parent) {
    TQvControlWidget* Widget = FFactory(Parent);
    if (FDesigner) Widget->SetDesigning(true);
    return Widget;
}

QString TQvDesignerWidget::domXml() const {
    const std::unique_ptr<TQvControlWidget> Sample(FFactory(nullptr));
    QString Result;
    QXmlStreamWriter Xml(&Result);
    Xml.setAutoFormatting(true);
    Xml.writeStartElement("ui");
    Xml.writeAttribute("language", "c++");
    Xml.writeStartElement("widget");
    Xml.writeAttribute("class", FClass);
    QString Name = FClass.mid(3); // without "TQv"
    Name[0] = Name[0].toLower();
    Xml.writeAttribute("name", Name);
    Xml.writeStartElement("property");
    Xml.writeAttribute("name", "geometry");
    Xml.writeStartElement("rect");
    const QSize Size = Sample->sizeHint();
    Xml.writeTextElement("x", "0");
    Xml.writeTextElement("y", "0");
    Xml.writeTextElement("width", QString::number(Size.width()));
    Xml.writeTextElement("height", QString::number(Size.height()));
    Xml.writeEndElement();
    Xml.writeEndElement();
    const QVariantMap Settings = Sample->Settings();
    for (auto Setting = Settings.begin(); Setting != Settings.end(); ++Setting) {
        Xml.writeStartElement("property");
        Xml.writeAttribute("name", Setting.key());
        Xml.writeAttribute("stdset", "0");
        WriteValue(Xml, Setting.value());
        Xml.writeEndElement();
    }
    Xml.writeEndElement();
    Xml.writeEndElement();
    return Result;
}

TQvDesignerWidgets::TQvDesignerWidgets(QObject* Parent) : QObject(Parent) {
    struct TEntry {
        const char* Class;
        const char* Icon;
        const char* ToolTip;
        bool Container;
        TQvDesignerWidget::TFactory Factory;
    };
    const TEntry Entries[] = {
        {"TQvGraph2DWidget", "graph", "Graph with axes; legends and markers go inside", true,
         Make<TQvGraph2DWidget>()},
        {"TQvPieChartWidget", "pie", "Pie or donut chart; its legend goes inside", true,
         Make<TQvPieChartWidget>()},
        {"TQvRichLabelWidget", "label", "Label with a rich caption", false,
         Make<TQvRichLabelWidget>()},
        {"TQvLegendWidget", "legend", "Legend of the graph it is placed in", false,
         Make<TQvLegendWidget>()},
        {"TQvPieLegendWidget", "pielegend", "Legend of the pie chart it is placed in", false,
         Make<TQvPieLegendWidget>()},
        {"TQvHorizontalMarkerWidget", "hmarker", "Horizontal line marker on a graph", false,
         Make<TQvHorizontalMarkerWidget>()},
        {"TQvVerticalMarkerWidget", "vmarker", "Vertical line marker on a graph", false,
         Make<TQvVerticalMarkerWidget>()},
        {"TQvCrossHairWidget", "crosshair", "Cross hair on a graph", false,
         Make<TQvCrossHairWidget>()},
        {"TQvLabelWithArrowMarkerWidget", "arrowlabel", "Label with an arrow to a point", false,
         Make<TQvLabelWithArrowMarkerWidget>()},
        {"TQvCaptionEditWidget", "captionedit", "Edit field for a caption", false,
         Make<TQvCaptionEditWidget>()},
        {"TQvIntEditWidget", "intedit", "Edit field for a whole number", false,
         Make<TQvIntEditWidget>()},
        {"TQvDoubleEditWidget", "doubleedit", "Edit field for a number", false,
         Make<TQvDoubleEditWidget>()},
        {"TQvNumUpDownWidget", "updown", "Number with up and down buttons", false,
         Make<TQvNumUpDownWidget>()},
        {"TQvColorPickComboWidget", "colorpick", "Colour picker", false,
         Make<TQvColorPickComboWidget>()},
        {"TQvDashStylePickerWidget", "dash", "Dash style picker", false,
         Make<TQvDashStylePickerWidget>()},
        {"TQvAreaStylePickerWidget", "area", "Area style picker", false,
         Make<TQvAreaStylePickerWidget>()},
        {"TQvPointSymbolPickerWidget", "symbol", "Point symbol picker", false,
         Make<TQvPointSymbolPickerWidget>()},
        {"TQvUndoButtonWidget", "undo", "Undo button with a list of steps", false,
         Make<TQvUndoButtonWidget>()},
        {"TQvRedoButtonWidget", "redo", "Redo button with a list of steps", false,
         Make<TQvRedoButtonWidget>()},
    };
    for (const TEntry& e : Entries)
        FWidgets.append(
            new TQvDesignerWidget(e.Class, e.Icon, e.ToolTip, e.Container, e.Factory, this));
}
