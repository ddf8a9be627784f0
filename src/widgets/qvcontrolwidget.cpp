#include "widgets/qvcontrolwidget.h"

#include "framework/qvcontrols.h"
#include "framework/qvexceptions.h"
#include "style/qvcolors.h"

#include <QColor>
#include <QDynamicPropertyChangeEvent>
#include <QMetaEnum>
#include <QMetaProperty>

#include <algorithm>
#include <optional>

namespace {

// Settings held by a setting object nest no deeper than this.
constexpr int MaxNesting = 4;

// Colours travel as QColor, whichever of the two colour notations the control keeps.
enum class TSettingKind {
    Plain,
    Colour,
    FrameworkColour,
    Enumeration
};

// The class that declares property Index of Meta.
const QMetaObject* DeclaringClass(const QMetaObject* Meta, int Index) {
    while (Meta->superClass() && Index < Meta->superClass()->propertyCount())
        Meta = Meta->superClass();
    return Meta;
}

bool IsSettingObject(const QMetaProperty& Property) {
    const QMetaObject* Class = Property.metaType().metaObject();
    return (Property.metaType().flags() & QMetaType::PointerToQObject) && Class &&
           Class->inherits(&TPersistent::staticMetaObject) &&
           !Class->inherits(&TComponent::staticMetaObject);
}

std::optional<TSettingKind> KindOf(const QMetaProperty& Property) {
    // The library's colours are its only unsigned settings; the framework's font keeps a TColor.
    if (Property.metaType().id() == QMetaType::UInt) return TSettingKind::Colour;
    if (Property.enclosingMetaObject() == &TFont::staticMetaObject &&
        qstrcmp(Property.name(), "Color") == 0)
        return TSettingKind::FrameworkColour;
    if (Property.isEnumType()) return TSettingKind::Enumeration;
    switch (Property.metaType().id()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::QString:
        return TSettingKind::Plain;
    default:
        return std::nullopt;
    }
}

} // namespace

struct TQvControlWidget::TSetting {
    QByteArray Name;
    QObject* Target;
    QMetaProperty Property;
    TSettingKind Kind;

    QVariant Read() const {
        const QVariant Value = Property.read(Target);
        switch (Kind) {
        case TSettingKind::Colour:
            return QColor::fromRgba(Value.toUInt());
        case TSettingKind::FrameworkColour:
            return QColor::fromRgba(TColorToARGB(Value.toInt()));
        case TSettingKind::Enumeration: {
            const QMetaEnum Enum = Property.enumerator();
            return Enum.isFlag() ? Enum.valueToKeys(Value.toInt())
                                 : QByteArray(Enum.valueToKey(Value.toInt()));
        }
        case TSettingKind::Plain:
            break;
        }
        return Property.metaType().id() == QMetaType::Float ? QVariant(Value.toDouble()) : Value;
    }

    void Write(const QVariant& Value) const {
        switch (Kind) {
        case TSettingKind::Colour:
            Property.write(Target, uint(Value.value<QColor>().rgba()));
            return;
        case TSettingKind::FrameworkColour:
            Property.write(Target, ARGBToTColor(Value.value<QColor>().rgba()));
            return;
        case TSettingKind::Enumeration: {
            const QMetaEnum Enum = Property.enumerator();
            const QByteArray Key = Value.toString().toLatin1();
            bool Known = Enum.isFlag() && Key.isEmpty(); // no flag set
            const int Number = Known           ? 0
                               : Enum.isFlag() ? Enum.keysToValue(Key, &Known)
                                               : Enum.keyToValue(Key, &Known);
            if (Known)
                Property.write(Target, Number);
            else
                qWarning("%s: no value \"%s\" of %s", Name.constData(), Key.constData(),
                         Enum.name());
            return;
        }
        case TSettingKind::Plain:
            Property.write(Target, Value);
            return;
        }
    }
};

TQvControlWidget::TQvControlWidget(QWidget* Parent)
    : QWidget(Parent), FOwner(std::make_unique<TComponent>(nullptr)) {}

TQvControlWidget::~TQvControlWidget() {
    // Controls handed to this one's control leave it before it goes.
    qDeleteAll(findChildren<TQvControlWidget*>(Qt::FindDirectChildrenOnly));
    FSettings.clear();
    FOwner.reset(); // the controls take their widgets with them before QWidget's cleanup
}

QObject* TQvControlWidget::ControlObject() const {
    return FControl;
}

void TQvControlWidget::SetDesigning(bool Value) {
    FDesigning = Value;
}

QSize TQvControlWidget::sizeHint() const {
    return FDefaultSize;
}

void TQvControlWidget::ForwardSettingsOf(const QByteArray& Prefix, QObject* Object) {
    FRoots.append({Prefix, Object});
    FSettings.clear();
}

void TQvControlWidget::ShowWindowed(TWinControl* AControl) {
    FControl = AControl;
    FWindow = AControl;
    FDefaultSize = QSize(AControl->GetWidth(), AControl->GetHeight());
    QWidget* Host = AControl->Widget();
    Host->setParent(this);
    Host->setGeometry(rect());
    Host->show();
}

void TQvControlWidget::ShowGraphic(TControl* AControl, QSize Size) {
    auto* Window = new TWinControl(Owner());
    ShowWindowed(Window);
    FDefaultSize = AControl->GetWidth() > 0 && AControl->GetHeight() > 0
                       ? QSize(AControl->GetWidth(), AControl->GetHeight())
                       : Size;
    FControl = AControl;
    AControl->SetParent(Window);
    AControl->SetAlign(TAlign::Client);
}

void TQvControlWidget::resizeEvent(QResizeEvent* Event) {
    QWidget::resizeEvent(Event);
    if (FWindow) FWindow->Widget()->setGeometry(rect());
}

bool TQvControlWidget::event(QEvent* Event) {
    if (Event->type() == QEvent::DynamicPropertyChange)
        Forward(static_cast<QDynamicPropertyChangeEvent*>(Event)->propertyName());
    return QWidget::event(Event);
}

void TQvControlWidget::Forward(const QByteArray& Name) {
    const std::vector<TSetting>& All = ForwardedSettings();
    const auto Found =
        std::find_if(All.begin(), All.end(), [&](const TSetting& s) { return s.Name == Name; });
    if (Found == All.end()) return; // a property of the application's own
    const QVariant Value = property(Name.constData());
    if (!Value.isValid()) return; // removed
    // Exceptions must not cross Qt's event dispatch: a value the control refuses leaves the
    // setting as it was, with a warning, as an unknown name does.
    try {
        Found->Write(Value);
    } catch (const Exception& Refused) {
        qWarning("%s: %s", Name.constData(), Refused.what());
        return;
    }
    SettingChanged();
    FControl->Invalidate();
}

QVariantMap TQvControlWidget::Settings() const {
    QVariantMap Result;
    for (const TSetting& s : ForwardedSettings())
        Result.insert(QString::fromLatin1(s.Name), s.Read());
    return Result;
}

const std::vector<TQvControlWidget::TSetting>& TQvControlWidget::ForwardedSettings() const {
    if (FSettings.empty() && FControl) {
        Collect(FControl, {}, 0, FSettings);
        for (const auto& [Prefix, Object] : FRoots)
            Collect(Object, Prefix, 0, FSettings);
    }
    return FSettings;
}

// At the top only the library's own settings count, not the geometry and state every control
// has; a setting object contributes its settings under its name.
void TQvControlWidget::Collect(QObject* Object, const QByteArray& Prefix, int Depth,
                               std::vector<TSetting>& Into) {
    const QMetaObject* Meta = Object->metaObject();
    for (int i = 0; i < Meta->propertyCount(); ++i) {
        const QMetaProperty Property = Meta->property(i);
        if (Meta->indexOfProperty(Property.name()) != i) continue; // hidden by a subclass
        if (Depth == 0 && !QByteArray(DeclaringClass(Meta, i)->className()).startsWith("TQv"))
            continue;
        if (qstrcmp(Property.name(), "objectName") == 0) continue;
        const QByteArray Name = Prefix + Property.name();
        if (IsSettingObject(Property)) {
            if (QObject* Child = Property.read(Object).value<QObject*>();
                Child && Depth < MaxNesting)
                Collect(Child, Name + '_', Depth + 1, Into);
            continue;
        }
        if (!Property.isWritable()) continue;
        if (const auto Kind = KindOf(Property)) Into.push_back({Name, Object, Property, *Kind});
    }
}
