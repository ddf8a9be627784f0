#include "style/qvpropertylink.h"

#include "framework/qvexceptions.h"
#include "framework/qvfiler.h"
#include "strings/qvlocalize.h"
#include "undo/qvundostack.h"

#include <QLoggingCategory>
#include <QScopedValueRollback>

#include <cmath>

using namespace Qvlocalize;

namespace {

Q_LOGGING_CATEGORY(LinkLog, "qvplot2d.propertylinks")

// Names in paths are matched without regard to case, as component names are.
QMetaProperty FindPublished(const QObject* Object, const QString& Name) {
    const QMetaObject* Meta = Object->metaObject();
    for (int i = Meta->propertyCount() - 1; i >= 0; --i)
        if (QString::fromLatin1(Meta->property(i).name()).compare(Name, Qt::CaseInsensitive) == 0)
            return Meta->property(i);
    return QMetaProperty();
}

bool HoldsObject(const QMetaProperty& Property) {
    return Property.metaType().flags().testFlag(QMetaType::PointerToQObject);
}

// Equal values, with NaN equal to NaN so that an empty value is not written at every pass.
bool SameValue(const QVariant& A, const QVariant& B) {
    if (A.typeId() == QMetaType::Double && B.typeId() == QMetaType::Double &&
        std::isnan(A.toDouble()) && std::isnan(B.toDouble()))
        return true;
    return A == B;
}

} // namespace

TQvPropertyLinks::TQvPropertyLinks(TComponent* AOwner, const char* PropName)
    : FOwner(AOwner), FOwnerProperty(FindPublished(AOwner, QString::fromLatin1(PropName))),
      FItems(std::make_unique<TStringList>()), FIdle([this] { DoIdle(); }) {
    if (!FOwnerProperty.isValid())
        throw EFilerError(
            Format(SLinkOwnerProperty, {QString::fromLatin1(AOwner->metaObject()->className()),
                                        QString::fromLatin1(PropName)}));
    FItems->SetOnChange([this](TObject*) { FNeedsResolution = true; });
}

TQvPropertyLinks::~TQvPropertyLinks() = default;

void TQvPropertyLinks::SetItems(TStrings* Value) {
    FItems->Assign(Value);
    FNeedsResolution = true;
}

void TQvPropertyLinks::Assign(TPersistent* Source) {
    if (auto* Links = qobject_cast<TQvPropertyLinks*>(Source))
        SetItems(Links->GetItems());
    else
        TPersistent::Assign(Source);
}

void TQvPropertyLinks::DefineProperties(TFiler* Filer) {
    Filer->DefineProperty(
        QStringLiteral("Items"),
        [this](TReader* Reader) {
            FItems->BeginUpdate();
            FItems->Clear();
            Reader->ReadListBegin();
            while (!Reader->EndOfList())
                FItems->Add(Reader->ReadString());
            Reader->ReadListEnd();
            FItems->EndUpdate();
        },
        [this](TWriter* Writer) {
            Writer->WriteListBegin();
            for (int i = 0; i < FItems->Count(); ++i)
                Writer->WriteString(FItems->Get(i));
            Writer->WriteListEnd();
        },
        FItems->Count() > 0);
}

// ---- resolution ----

TQvPropertyLinks::TLink TQvPropertyLinks::Resolve(const QString& Text) const {
    const auto Fail = [](const TResourceString& Message, std::initializer_list<TFormatArg> Args) {
        TLink Broken;
        Broken.Error = Format(Message, Args);
        return Broken;
    };
    const QStringList Names = Text.split(u'.');
    TComponent* Top = Screen()->FindTopLevel(Names.first().trimmed());
    if (!Top) return Fail(SLinkNoTopLevel, {Text, Names.first().trimmed()});
    TLink Link;
    QObject* Current = Top;
    Link.Component = Top;
    Link.Chain.append(Top);
    int PathStart = 1;
    for (int i = 1; i < Names.size(); ++i) {
        const QString Name = Names[i].trimmed();
        if (auto* Owner = qobject_cast<TComponent*>(Current))
            if (TComponent* Owned = Owner->FindComponent(Name)) {
                Current = Link.Component = Owned;
                Link.Chain.append(Owned);
                PathStart = i + 1;
                continue;
            }
        const QMetaProperty Property = FindPublished(Current, Name);
        if (!Property.isValid())
            return Fail(SLinkNoMember,
                        {Text, Name, QString::fromLatin1(Current->metaObject()->className())});
        if (!HoldsObject(Property)) {
            if (i + 1 < Names.size())
                return Fail(SLinkNoMember, {Text, Names[i + 1].trimmed(),
                                            QString::fromLatin1(Property.typeName())});
            Link.Instance = Current;
            Link.Property = Property;
            Link.Path = Names.mid(PathStart).join(u'.');
            return Link;
        }
        QObject* Next = Property.read(Current).value<QObject*>();
        if (!Next) return Fail(SLinkNoObject, {Text, Name});
        if (auto* Component = qobject_cast<TComponent*>(Next)) Link.Chain.append(Component);
        Current = Next;
    }
    return Fail(SLinkNoValue, {Text});
}

void TQvPropertyLinks::CheckLink() {
    if (!FNeedsResolution) return;
    FNeedsResolution = false;
    FLinks.clear();
    for (int i = 0; i < FItems->Count(); ++i) {
        TLink Link = Resolve(FItems->Get(i));
        if (Link.Valid())
            for (TComponent* Component : std::as_const(Link.Chain))
                Component->FreeNotification(FOwner);
        else
            qCWarning(LinkLog).noquote() << Link.Error;
        FLinks.push_back(std::move(Link));
    }
    FollowFirstLink();
}

void TQvPropertyLinks::UpdateLinkNames() {
    CheckLink();
    const QScopedValueRollback Keep(FNeedsResolution);
    for (size_t i = 0; i < FLinks.size(); ++i) {
        const TLink& Link = FLinks[i];
        if (!Link.Valid()) continue;
        const QString Ref = GetComponentRef(Link.Component);
        FItems->Put(int(i), Link.Path.isEmpty() ? Ref : Ref + u'.' + Link.Path);
    }
}

void TQvPropertyLinks::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation != TOperation::Remove) return;
    for (TLink& Link : FLinks)
        if (Link.Chain.contains(AComponent)) {
            Link.Instance = nullptr;
            Link.Property = QMetaProperty();
            Link.Component = nullptr;
            Link.Chain.clear();
        }
}

bool TQvPropertyLinks::LinkResolved(int Index) const {
    return Index >= 0 && Index < int(FLinks.size()) && FLinks[size_t(Index)].Valid();
}

QString TQvPropertyLinks::LinkError(int Index) const {
    return Index >= 0 && Index < int(FLinks.size()) ? FLinks[size_t(Index)].Error : QString();
}

// ---- values ----

void TQvPropertyLinks::SetLink(int Value) {
    WriteLinks(Value);
}
void TQvPropertyLinks::SetLink(std::uint32_t Value) {
    WriteLinks(Value);
}
void TQvPropertyLinks::SetLink(bool Value) {
    WriteLinks(Value);
}
void TQvPropertyLinks::SetLink(double Value) {
    WriteLinks(Value);
}
void TQvPropertyLinks::SetLink(const QString& Value) {
    WriteLinks(Value);
}
// Enumerations travel as ordinals, so that a link may end at an integer as well.
void TQvPropertyLinks::SetLink(TGPDashStyle Value) {
    WriteLinks(int(Value));
}
void TQvPropertyLinks::SetLink(TQvAreaStyle Value) {
    WriteLinks(int(Value));
}
void TQvPropertyLinks::SetLink(TQvPointSymbol Value) {
    WriteLinks(int(Value));
}

void TQvPropertyLinks::WriteLinks(const QVariant& Value) {
    // A value being read with its control is the control's own, not a user's edit.
    if (FFollowing || FOwner->IsLoading() || TReadScope::Active()) return;
    CheckLink();
    const TQvUndoGroupScope OneStep;
    for (const TLink& Link : FLinks)
        if (Link.Valid()) Link.Property.write(Link.Instance, Value);
}

QVariant TQvPropertyLinks::FirstLinkValue() const {
    if (FLinks.empty() || !FLinks.front().Valid()) return QVariant();
    QVariant Value = FLinks.front().Property.read(FLinks.front().Instance);
    return Value.convert(FOwnerProperty.metaType()) ? Value : QVariant();
}

void TQvPropertyLinks::FollowFirstLink() {
    const QVariant Value = FirstLinkValue();
    if (!Value.isValid() || SameValue(Value, FOwnerProperty.read(FOwner))) return;
    const QScopedValueRollback Following(FFollowing, true);
    FOwnerProperty.write(FOwner, Value);
}

void TQvPropertyLinks::DoIdle() {
    if (FNeedsResolution)
        CheckLink();
    else
        FollowFirstLink();
}
