#pragma once

// The library's widgets in Qt Designer: a widget box group with an entry per widget.

#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <functional>

class TQvControlWidget;

// One entry of the widget box.
class TQvDesignerWidget : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)
public:
    using TFactory = std::function<TQvControlWidget*(QWidget* Parent)>;
    TQvDesignerWidget(const char* Class, const char* Icon, const char* ToolTip, bool Container,
                      TFactory Factory, QObject* Parent);

    QString name() const override { return FClass; }
    QString group() const override;
    QString toolTip() const override { return FToolTip; }
    QString whatsThis() const override { return FToolTip; }
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override { return FContainer; }
    QWidget* createWidget(QWidget* Parent) override;
    bool isInitialized() const override { return FDesigner != nullptr; }
    void initialize(QDesignerFormEditorInterface* Core) override;
    // The widget as the widget box drops it: its size and every setting of its control, so that
    // the property editor lists them.
    QString domXml() const override;

private:
    QString FClass;
    QString FIcon;
    QString FToolTip;
    bool FContainer;
    TFactory FFactory;
    QDesignerFormEditorInterface* FDesigner = nullptr;
};

class TQvDesignerWidgets : public QObject, public QDesignerCustomWidgetCollectionInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)
public:
    explicit TQvDesignerWidgets(QObject* Parent = nullptr);
    QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return FWidgets; }

private:
    QList<QDesignerCustomWidgetInterface*> FWidgets;
};
