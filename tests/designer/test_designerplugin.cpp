// The Qt Designer plugin, loaded as Designer and QUiLoader load it: this program does not link
// the library, so everything it learns goes through the plugin and Qt's meta-object system.

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QDesignerFormEditorInterface>
#include <QFileInfo>
#include <QPainter>
#include <QPluginLoader>
#include <QUiLoader>
#include <QWidget>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

namespace {

QDesignerCustomWidgetCollectionInterface* Plugin() {
    static QPluginLoader Loader(QStringLiteral(QVPLOT2D_DESIGNER_PLUGIN));
    auto* Collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(Loader.instance());
    EXPECT_NE(Collection, nullptr) << Loader.errorString().toStdString();
    return Collection;
}

QDesignerCustomWidgetInterface* Entry(const QString& Class) {
    for (QDesignerCustomWidgetInterface* Widget : Plugin()->customWidgets())
        if (Widget->name() == Class) return Widget;
    return nullptr;
}

// Warnings while Run runs.
QStringList WarningsOf(const std::function<void()>& Run) {
    static QStringList* Seen = nullptr;
    QStringList Warnings;
    Seen = &Warnings;
    const QtMessageHandler Previous =
        qInstallMessageHandler([](QtMsgType Type, const QMessageLogContext&, const QString& Text) {
            if (Type != QtDebugMsg && Type != QtInfoMsg && !Text.startsWith("QStandardPaths"))
                Seen->append(Text);
        });
    Run();
    qInstallMessageHandler(Previous);
    return Warnings;
}

std::unique_ptr<QWidget> Load(const QString& Ui) {
    QUiLoader Loader;
    Loader.clearPluginPaths();
    Loader.addPluginPath(QFileInfo(QStringLiteral(QVPLOT2D_DESIGNER_PLUGIN)).absolutePath());
    QByteArray Bytes = Ui.toUtf8();
    QBuffer Buffer(&Bytes);
    std::unique_ptr<QWidget> Form(Loader.load(&Buffer));
    EXPECT_TRUE(Form) << Loader.errorString().toStdString();
    return Form;
}

QObject* ControlOf(QObject* Widget) {
    QObject* Control = nullptr;
    EXPECT_TRUE(
        QMetaObject::invokeMethod(Widget, "ControlObject", Q_RETURN_ARG(QObject*, Control)));
    return Control;
}

QVariantMap SettingsOf(QObject* Widget) {
    QVariantMap Settings;
    EXPECT_TRUE(QMetaObject::invokeMethod(Widget, "Settings", Q_RETURN_ARG(QVariantMap, Settings)));
    return Settings;
}

// Pixels that are neither grey nor white: series, fills, coloured text.
int ColouredPixels(const QImage& Image) {
    int Count = 0;
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x) {
            const QColor c = Image.pixelColor(x, y);
            Count += std::max({c.red(), c.green(), c.blue()}) -
                         std::min({c.red(), c.green(), c.blue()}) >
                     100;
        }
    return Count;
}

} // namespace

// Every control a form may hold is offered with an icon, and a form made from the widget box's
// entry loads back with every setting as it was: names, colours, enumerations and numbers all
// survive the form file's notation.
TEST(DesignerPlugin, OffersEveryWidgetAndItsSettingsSurviveAForm) {
    ASSERT_NE(Plugin(), nullptr);
    QStringList Offered;
    for (QDesignerCustomWidgetInterface* Widget : Plugin()->customWidgets())
        Offered << Widget->name();
    EXPECT_EQ(
        Offered,
        QStringList({"TQvGraph2DWidget", "TQvPieChartWidget", "TQvRichLabelWidget",
                     "TQvLegendWidget", "TQvPieLegendWidget", "TQvHorizontalMarkerWidget",
                     "TQvVerticalMarkerWidget", "TQvCrossHairWidget",
                     "TQvLabelWithArrowMarkerWidget", "TQvCaptionEditWidget", "TQvIntEditWidget",
                     "TQvDoubleEditWidget", "TQvNumUpDownWidget", "TQvColorPickComboWidget",
                     "TQvDashStylePickerWidget", "TQvAreaStylePickerWidget",
                     "TQvPointSymbolPickerWidget", "TQvUndoButtonWidget", "TQvRedoButtonWidget"}));

    for (QDesignerCustomWidgetInterface* Widget : Plugin()->customWidgets()) {
        SCOPED_TRACE(Widget->name().toStdString());
        EXPECT_EQ(Widget->group(), "Qvplot2D");
        EXPECT_EQ(Widget->includeFile(), "widgets/qvwidgets.h");
        EXPECT_FALSE(Widget->icon().availableSizes().isEmpty()); // or the widget box shows none
        QImage Icon(22, 22, QImage::Format_ARGB32_Premultiplied);
        Icon.fill(Qt::transparent);
        QPainter(&Icon).drawPixmap(0, 0, Widget->icon().pixmap(22, 22));
        int Inked = 0;
        for (int y = 0; y < 22; ++y)
            for (int x = 0; x < 22; ++x)
                Inked += qAlpha(Icon.pixel(x, y)) > 0;
        EXPECT_GT(Inked, 40);

        QWidget Form;
        QWidget* Created = Widget->createWidget(&Form);
        ASSERT_NE(Created, nullptr);
        EXPECT_EQ(QString::fromLatin1(Created->metaObject()->className()), Widget->name());
        ASSERT_NE(ControlOf(Created), nullptr);
        EXPECT_FALSE(Created->sizeHint().isEmpty());
        const QVariantMap Defaults = SettingsOf(Created);

        const QString Dom = Widget->domXml();
        EXPECT_EQ(Dom.count("stdset=\"0\""), Defaults.size());
        std::unique_ptr<QWidget> Loaded;
        const QStringList Warnings = WarningsOf([&] { Loaded = Load(Dom); });
        EXPECT_TRUE(Warnings.isEmpty()) << Warnings.join('\n').toStdString();
        ASSERT_TRUE(Loaded);
        EXPECT_EQ(QString::fromLatin1(Loaded->metaObject()->className()), Widget->name());
        const QVariantMap Read = SettingsOf(Loaded.get());
        for (auto s = Defaults.begin(); s != Defaults.end(); ++s)
            EXPECT_EQ(Read.value(s.key()), s.value()) << s.key().toStdString();
        EXPECT_EQ(Loaded->size(), Created->sizeHint());
    }
}

// A form with a graph holding a legend and a marker: the settings reach the controls, the legend
// and the marker belong to the graph, outside a designer the mouse goes through their widgets to
// the graph, and inside one the graph shows sample series.
TEST(DesignerPlugin, FormsWireControlsToTheirGraphAndDesignerShowsAPreview) {
    ASSERT_NE(Plugin(), nullptr);
    const QString Ui = R"(<ui version="4.0"><class>Form</class>
 <widget class="QWidget" name="Form">
  <property name="geometry"><rect><x>0</x><y>0</y><width>600</width><height>400</height></rect></property>
  <widget class="TQvGraph2DWidget" name="graph">
   <property name="geometry"><rect><x>0</x><y>0</y><width>600</width><height>400</height></rect></property>
   <property name="Caption" stdset="0"><string>Pressure</string></property>
   <property name="CaptionVisible" stdset="0"><bool>true</bool></property>
   <property name="CaptionFont_Size" stdset="0"><double>20</double></property>
   <property name="CaptionFont_Color" stdset="0"><color><red>200</red><green>0</green><blue>0</blue></color></property>
   <property name="DataAreaColor" stdset="0"><color alpha="255"><red>255</red><green>255</green><blue>192</blue></color></property>
   <property name="Zoom_StartPanning" stdset="0"><cstring>Ctrl|Left</cstring></property>
   <property name="YAxis_Caption" stdset="0"><string>bar</string></property>
   <widget class="TQvLegendWidget" name="legend">
    <property name="geometry"><rect><x>400</x><y>40</y><width>120</width><height>60</height></rect></property>
    <property name="Position" stdset="0"><cstring>FreeFloating</cstring></property>
    <property name="Columns" stdset="0"><number>2</number></property>
   </widget>
   <widget class="TQvHorizontalMarkerWidget" name="level">
    <property name="Y" stdset="0"><double>0.25</double></property>
   </widget>
  </widget>
 </widget>
</ui>)";
    std::unique_ptr<QWidget> Form = Load(Ui);
    ASSERT_TRUE(Form);
    Form->show();
    QApplication::processEvents(); // a real paint: the graph recalculates and draws the legend
    auto* GraphWidget = Form->findChild<QWidget*>("graph");
    auto* LegendWidget = Form->findChild<QWidget*>("legend");
    auto* MarkerWidget = Form->findChild<QWidget*>("level");
    ASSERT_TRUE(GraphWidget && LegendWidget && MarkerWidget);
    QObject* Graph = ControlOf(GraphWidget);
    QObject* Legend = ControlOf(LegendWidget);
    QObject* Marker = ControlOf(MarkerWidget);

    const QVariantMap Settings = SettingsOf(GraphWidget);
    EXPECT_EQ(Graph->property("Caption").toString(), "Pressure");
    EXPECT_EQ(Settings.value("CaptionFont_Size").toDouble(), 20);
    EXPECT_EQ(Settings.value("CaptionFont_Color").value<QColor>(), QColor(200, 0, 0));
    EXPECT_EQ(Settings.value("DataAreaColor").value<QColor>(), QColor(255, 255, 192));
    EXPECT_EQ(Settings.value("Zoom_StartPanning").toByteArray(), "Ctrl|Left");
    EXPECT_EQ(Settings.value("YAxis_Caption").toString(), "bar");

    EXPECT_EQ(Legend->property("Graph").value<QObject*>(), Graph);
    EXPECT_EQ(Legend->property("Parent").value<QObject*>(), Graph);
    // The legend sizes itself to its entries, and the widget follows.
    const QRect Bounds(Legend->property("Left").toInt(), Legend->property("Top").toInt(),
                       Legend->property("Width").toInt(), Legend->property("Height").toInt());
    EXPECT_EQ(Bounds.topLeft(), QPoint(400, 40));
    QApplication::processEvents();
    EXPECT_EQ(LegendWidget->geometry(), Bounds);
    EXPECT_EQ(Legend->property("Columns").toInt(), 2);
    EXPECT_EQ(Marker->property("YAxis").value<QObject*>(),
              Graph->property("PrimaryYAxis").value<QObject*>());
    EXPECT_EQ(Marker->property("Y").toDouble(), 0.25);
    EXPECT_TRUE(LegendWidget->testAttribute(Qt::WA_TransparentForMouseEvents));

    // A name that is not one of the enumeration's leaves the setting alone, with a warning.
    const QStringList Warnings =
        WarningsOf([&] { LegendWidget->setProperty("Position", QByteArray("Nowhere")); });
    EXPECT_EQ(Warnings.size(), 1);
    EXPECT_EQ(SettingsOf(LegendWidget).value("Position").toByteArray(), "FreeFloating");
    // So does a value the control refuses: panning on the keys that zoom.
    const QStringList Refused =
        WarningsOf([&] { GraphWidget->setProperty("Zoom_StartPanning", QByteArray("Left")); });
    ASSERT_EQ(Refused.size(), 1);
    EXPECT_TRUE(Refused[0].startsWith("Zoom_StartPanning: ")) << Refused[0].toStdString();
    EXPECT_EQ(SettingsOf(GraphWidget).value("Zoom_StartPanning").toByteArray(), "Ctrl|Left");

    // The caption in its colour at the top; moving the legend's widget moves the legend.
    const QImage Shown = GraphWidget->grab().toImage();
    int Red = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < Shown.width(); ++x)
            Red += Shown.pixelColor(x, y) == QColor(200, 0, 0);
    EXPECT_GT(Red, 50);
    LegendWidget->move(300, 100);
    EXPECT_EQ(Legend->property("Left").toInt(), 300);

    // Placed by hand in another widget, the legend is its own again.
    QWidget Elsewhere;
    LegendWidget->setParent(&Elsewhere);
    EXPECT_EQ(Legend->property("Graph").value<QObject*>(), nullptr);
    EXPECT_FALSE(LegendWidget->testAttribute(Qt::WA_TransparentForMouseEvents));
    delete LegendWidget;

    // Designer asks for widgets once it has initialised the plugin: then the graph shows sample
    // series, before then it is empty.
    QDesignerCustomWidgetInterface* GraphEntry = Entry("TQvGraph2DWidget");
    QWidget Window;
    QWidget* Plain = GraphEntry->createWidget(&Window);
    QDesignerFormEditorInterface Designer;
    GraphEntry->initialize(&Designer);
    QWidget* Preview = GraphEntry->createWidget(&Window);
    for (QWidget* Graph : {Plain, Preview})
        Graph->resize(600, 400);
    EXPECT_LT(ColouredPixels(Plain->grab().toImage()), 10);
    EXPECT_GT(ColouredPixels(Preview->grab().toImage()), 1500);
    QWidget* Marked = Entry("TQvLegendWidget")->createWidget(Preview);
    Entry("TQvLegendWidget")->initialize(&Designer);
    EXPECT_TRUE(Marked->testAttribute(Qt::WA_TransparentForMouseEvents));
    QWidget* Picked = Entry("TQvLegendWidget")->createWidget(Preview);
    EXPECT_FALSE(Picked->testAttribute(Qt::WA_TransparentForMouseEvents));
}
