// The graph document: the order of the component records, finding or creating the component of
// each record, and undoing a read that fails. The three encodings differ only in where a record
// goes and how a list is counted; one small "form" class per encoding and direction says that.

#include "graph/qvgraphdocument.h"

#include "annotations/qvlegend.h"
#include "annotations/qvmarkers.h"
#include "axes/qvaxis.h"
#include "data/qvvectors.h"
#include "framework/qvexceptions.h"
#include "framework/qvfiler.h"
#include "framework/qvforms.h"
#include "framework/qvinifiles.h"
#include "framework/qvstreams.h"
#include "graph/qvgraph2d.h"
#include "series/qvseries.h"
#include "strings/qvlocalize.h"
#include "style/qvio.h"
#include "style/qvrecord.h"

#include <QBuffer>
#include <QFile>
#include <QPointer>
#include <QSet>

#include <functional>
#include <vector>

using namespace Qvlocalize;

namespace {

// The graph's own settings, after its components. Blocks after the grids were added over time;
// the last one holds what this library added: smoothing, wheel and keys, scroll steps.
void VisitGraphSettings(TQvGraph2D* G, QvRecord::TRecord& R) {
    constexpr int ShiftSets = 1 << 16;
    TQvZoomSettings* Z = G->GetZoom();
    R.Field({"Visible", "Properties", "Visible"}, G->GetVisible(),
            [G](bool V) { G->SetVisible(V); });
    R.Ordinal({"Anchors", "Properties", "Anchors"}, G->GetAnchors().toInt(), 16,
              [G](int V) { G->SetAnchors(TAnchors::fromInt(V)); });
    R.Enum<TAlign>({"Align", "Properties", "Align"}, G->GetAlign(),
                   [G](TAlign V) { G->SetAlign(V); });
    R.Field({"Top", "Properties", "Top"}, G->GetTop(), [G](int V) { G->SetTop(V); });
    R.Field({"Left", "Properties", "Left"}, G->GetLeft(), [G](int V) { G->SetLeft(V); });
    R.Field({"Width", "Properties", "Width"}, G->GetWidth(), [G](int V) { G->SetWidth(V); });
    R.Field({"Height", "Properties", "Height"}, G->GetHeight(), [G](int V) { G->SetHeight(V); });
    R.Enum<TBorderStyle>({"BorderStyle", "Properties", "BorderStyle"}, G->GetBorderStyle(),
                         [G](TBorderStyle V) { G->SetBorderStyle(V); });
    R.String({"Hint", "Properties", "Hint"}, G->GetHint(), [G](QString V) { G->SetHint(V); });
    QvRecord::ShowHintFields(R, G);
    R.Color({"BackColor", "Properties", "BackColor"}, G->GetBackColor(),
            [G](TQvColor V) { G->SetBackColor(V); });
    R.Color({"DataAreaColor", "Properties", "DataAreaColor"}, G->GetDataAreaColor(),
            [G](TQvColor V) { G->SetDataAreaColor(V); });
    R.Field({"ZeroOrigin", "Properties", "ZeroOrigin"}, G->GetZeroOrigin(),
            [G](bool V) { G->SetZeroOrigin(V); });
    R.Reference<TQvAxis>({"PrimaryXAxis", "Properties", "PrimaryXAxis"}, G->GetPrimaryXAxis(),
                         [G](TQvAxis* V) { G->SetPrimaryXAxis(V); });
    R.Reference<TQvAxis>({"PrimaryYAxis", "Properties", "PrimaryYAxis"}, G->GetPrimaryYAxis(),
                         [G](TQvAxis* V) { G->SetPrimaryYAxis(V); });
    R.Field({"DistanceBorderAxisTop", "Properties", "DistanceBorderAxisTop"},
            G->GetDistanceBorderAxisTop(), [G](float V) { G->SetDistanceBorderAxisTop(V); });
    R.Field({"DistanceBorderAxisBottom", "Properties", "DistanceBorderAxisBottom"},
            G->GetDistanceBorderAxisBottom(), [G](float V) { G->SetDistanceBorderAxisBottom(V); });
    R.Field({"DistanceBorderAxisLeft", "Properties", "DistanceBorderAxisLeft"},
            G->GetDistanceBorderAxisLeft(), [G](float V) { G->SetDistanceBorderAxisLeft(V); });
    R.Field({"DistanceBorderAxisRight", "Properties", "DistanceBorderAxisRight"},
            G->GetDistanceBorderAxisRight(), [G](float V) { G->SetDistanceBorderAxisRight(V); });
    R.Field<QString>({"Caption", "Caption", "Text"}, G->GetCaption(),
                     [G](QString V) { G->SetCaption(V); });
    R.Enum<TAlignment>({"Caption.Alignment", "Caption/Properties", "Alignment"},
                       G->GetCaptionAlignment(), [G](TAlignment V) { G->SetCaptionAlignment(V); });
    R.Color({"Caption.Color", "Caption/Properties", "Color"}, G->GetCaptionColor(),
            [G](TQvColor V) { G->SetCaptionColor(V); });
    R.Field({"Caption.DistanceBefore", "Caption/Properties", "DistanceBefore"},
            G->GetCaptionDistanceBefore(), [G](float V) { G->SetCaptionDistanceBefore(V); });
    R.Field({"Caption.DistanceAfter", "Caption/Properties", "DistanceAfter"},
            G->GetCaptionDistanceAfter(), [G](float V) { G->SetCaptionDistanceAfter(V); });
    R.Settings({"Caption.Font", "Caption/Properties", "Font"}, G->GetCaptionFont());
    R.Field({"Zoom.Auto", "Zoom", "Auto"}, Z->GetAuto(), [Z](bool V) { Z->SetAuto(V); });
    R.Field({"Zoom.OptimizeSeries", "Zoom", "OptimizeSeries"}, Z->GetOptimizeSeries(),
            [Z](bool V) { Z->SetOptimizeSeries(V); });
    R.Field({"Zoom.BackOnClickBeside", "Zoom", "BackOnClickBeside"}, Z->GetBackOnClickBeside(),
            [Z](bool V) { Z->SetBackOnClickBeside(V); });
    R.Field({"Zoom.ResetOnDoubleClickBeside", "Zoom", "ResetOnDoubleClickBeside"},
            Z->GetResetOnDoubleClickBeside(), [Z](bool V) { Z->SetResetOnDoubleClickBeside(V); });
    R.Field({"Zoom.ResetOnRightBottomLeftTopFrame", "Zoom", "ResetOnRightBottomLeftTopFrame"},
            Z->GetResetOnRightBottomLeftTopFrame(),
            [Z](bool V) { Z->SetResetOnRightBottomLeftTopFrame(V); });
    R.Field({"Zoom.HScrollbarVisible", "Zoom", "HScrollbarVisible"}, Z->GetHScrollbarVisible(),
            [Z](bool V) { Z->SetHScrollbarVisible(V); });
    R.Field({"Zoom.VScrollbarVisible", "Zoom", "VScrollbarVisible"}, Z->GetVScrollbarVisible(),
            [Z](bool V) { Z->SetVScrollbarVisible(V); });
    R.Ordinal(
        {"Zoom.StartZoom", "Zoom", "StartZoom"}, Z->GetStartZoom().toInt(), ShiftSets,
        [Z](int V) { Z->SetStartZoom(TShiftState::fromInt(V)); }, QvRecord::TKind::Word);
    R.Ordinal(
        {"Zoom.StartPanning", "Zoom", "StartPanning"}, Z->GetStartPanning().toInt(), ShiftSets,
        [Z](int V) { Z->SetStartPanning(TShiftState::fromInt(V)); }, QvRecord::TKind::Word);
    R.Settings({"MajorGridHorizontal", "Grid", "MajorGridHorizontal"}, G->GetMajorGridHorizontal());
    R.Settings({"MajorGridVertical", "Grid", "MajorGridVertical"}, G->GetMajorGridVertical());
    R.Settings({"MinorGridHorizontal", "Grid", "MinorGridHorizontal"}, G->GetMinorGridHorizontal());
    R.Settings({"MinorGridVertical", "Grid", "MinorGridVertical"}, G->GetMinorGridVertical());
    if (!R.Block()) return;
    R.Settings({"BackgroundGradient", "", "BackgroundGradient"}, G->GetBackgroundGradient());
    R.Settings({"DataAreaGradient", "", "DataAreaGradient"}, G->GetDataAreaGradient());
    if (!R.Block()) return;
    R.Enum<TQvZoomBufferType>({"Zoom.BufferType", "Zoom", "BufferType"}, Z->GetBufferType(),
                              [Z](TQvZoomBufferType V) { Z->SetBufferType(V); });
    if (!R.Block()) return;
    R.Field({"Caption.Visible", "Caption/Properties", "Visible"}, G->GetCaptionVisible(),
            [G](bool V) { G->SetCaptionVisible(V); });
    if (!R.Block()) return;
    R.Settings({"DataAreaFrame", "", "DataAreaFrame"}, G->GetDataAreaFrame());
    if (!R.Block()) return;
    R.Field({"Zoom.BackOnRightBottomLeftTopFrame", "Zoom", "BackOnRightBottomLeftTopFrame"},
            Z->GetBackOnRightBottomLeftTopFrame(),
            [Z](bool V) { Z->SetBackOnRightBottomLeftTopFrame(V); });
    if (!R.Block()) return;
    R.Enum<TQvSmoothingMode>({"SmoothingMode", "Properties", "SmoothingMode"},
                             G->GetSmoothingMode(),
                             [G](TQvSmoothingMode V) { G->SetSmoothingMode(V); });
    R.Field({"Zoom.WheelZoom", "Zoom", "WheelZoom"}, Z->GetWheelZoom(),
            [Z](bool V) { Z->SetWheelZoom(V); });
    R.Field({"Zoom.KeyZoom", "Zoom", "KeyZoom"}, Z->GetKeyZoom(),
            [Z](bool V) { Z->SetKeyZoom(V); });
    R.Enum<TQvScrollIncrement>({"Zoom.ScrollSmallIncrement", "Zoom", "ScrollSmallIncrement"},
                               Z->GetScrollSmallIncrement(),
                               [Z](TQvScrollIncrement V) { Z->SetScrollSmallIncrement(V); });
    R.Enum<TQvScrollIncrement>({"Zoom.ScrollLargeIncrement", "Zoom", "ScrollLargeIncrement"},
                               Z->GetScrollLargeIncrement(),
                               [Z](TQvScrollIncrement V) { Z->SetScrollLargeIncrement(V); });
    R.End("graph");
}

QvRecord::TVisit SettingsOf(TQvGraph2D* Graph) {
    return [Graph](QvRecord::TRecord& R) { VisitGraphSettings(Graph, R); };
}

void WriteSettings(QIODevice* Stream, TQvGraph2D* Graph) {
    QvRecord::Write(Stream, SettingsOf(Graph));
}

void ReadSettings(QIODevice* Stream, TQvGraph2D* Graph) {
    QvRecord::Read(Stream, SettingsOf(Graph)).Apply();
}

enum TList {
    Vectors,
    Axes,
    Series,
    Legends,
    Markers
};

const char* const ListNames[] = {"Vectors", "Axes", "RelatedSeries", "RelatedLegends", "Markers"};

QString ListName(TList List) {
    return QString::fromLatin1(ListNames[List]);
}

// Series and marker records begin with their class name.
bool HasClass(TList List) {
    return List == Series || List == Markers;
}

struct TRecordKey {
    QString ClassName;
    QString Ref;
};

template <class T> QList<T*> Named(const QList<T*>& Items) {
    QList<T*> Result;
    for (T* Item : Items)
        if (Item && !Item->GetName().isEmpty()) Result.append(Item);
    return Result;
}

QList<TQvLegend*> LegendsOf(const TQvGraph2D* Graph) {
    QList<TQvLegend*> Result;
    for (TControl* Control : Graph->RelatedLegends())
        if (auto* Legend = qobject_cast<TQvLegend*>(Control)) Result.append(Legend);
    return Result;
}

// The markers on the graph; those that are parts of another marker (the lines of a cross-hair)
// are in its record and go with it.
QList<TQvMovable*> MarkersOf(const TQvGraph2D* Graph) {
    QList<TQvMovable*> Result;
    for (int i = 0; i < Graph->ControlCount(); ++i)
        if (auto* Marker = qobject_cast<TQvMovable*>(Graph->Controls(i));
            Marker && !qobject_cast<TQvMovable*>(Marker->GetOwner()))
            Result.append(Marker);
    return Result;
}

// The series on the graph; those that are parts of another series (the phases of a spectrum)
// are in its record and go with it.
QList<TQvSeries*> SeriesOf(const TQvGraph2D* Graph) {
    QList<TQvSeries*> Result;
    for (int i = 0; i < Graph->SeriesCount(); ++i)
        if (!qobject_cast<TQvSeries*>(Graph->Series(i)->GetOwner()))
            Result.append(Graph->Series(i));
    return Result;
}

// ---- forms ----

class TBinaryOut {
public:
    explicit TBinaryOut(QIODevice* Stream) : FStream(Stream) {}
    void Header(const QString& Ref, bool IncludeVectors) {
        StringToStream(FStream, Ref);
        QvStream::WriteBoolean(FStream, IncludeVectors);
    }
    void List(TList, qsizetype Count) { QvStream::WriteInteger(FStream, qint32(Count)); }
    template <class F> void Record(TList, int, const F& Write) { Write(FStream); }
    void Settings(TQvGraph2D* Graph) { WriteSettings(FStream, Graph); }

private:
    QIODevice* FStream;
};

class TBinaryIn {
public:
    explicit TBinaryIn(QIODevice* Stream) : FStream(Stream) {}
    bool Header() {
        StringFromStream(FStream);
        return QvStream::ReadBoolean(FStream);
    }
    int List(TList) {
        const qint32 Count = QvStream::ReadInteger(FStream);
        // Every record takes at least the 4 bytes of its reference's length.
        QvStream::CheckStoredCount(FStream, Count, 4);
        return Count;
    }
    // Reads what begins the record; the component then reads the whole record.
    TRecordKey Key(TList List, int) {
        FStart = FStream->pos();
        TRecordKey Key;
        if (HasClass(List)) Key.ClassName = StringFromStream(FStream);
        Key.Ref = StringFromStream(FStream);
        return Key;
    }
    template <class F> void Record(TList, int, const F& Read) {
        FStream->seek(FStart);
        Read(FStream);
    }
    void Settings(TQvGraph2D* Graph) { ReadSettings(FStream, Graph); }

private:
    QIODevice* FStream;
    qint64 FStart = 0;
};

const QString GraphElement = QString::fromLatin1(TQvGraph2D::staticMetaObject.className());

class TXmlOut {
public:
    explicit TXmlOut(IXMLNode Element) : FElement(Element) {}
    void Header(const QString& Ref, bool) { FElement.SetAttribute("Name", Ref); }
    void List(TList List, qsizetype Count) {
        FList = FElement.AddChild(ListName(List));
        FList.SetAttribute("Count", QString::number(Count));
    }
    template <class F> void Record(TList, int, const F& Write) { Write(FList); }
    void Settings(TQvGraph2D* Graph) { QvRecord::Write(FElement, SettingsOf(Graph)); }

private:
    IXMLNode FElement, FList;
};

class TXmlIn {
public:
    explicit TXmlIn(const IXMLNode& Element) : FElement(Element) {}
    bool Header() const { return !FElement.FindNode(ListName(Vectors)).IsNull(); }
    int List(TList List) {
        FList = FElement.FindNode(ListName(List));
        if (FList.IsNull()) return 0;
        return std::clamp(FList.Attribute("Count").toInt(), 0, FList.ChildCount());
    }
    TRecordKey Key(TList, int Index) const {
        const IXMLNode Record = FList.Child(Index);
        return {Record.NodeName(), Record.Attribute("Name")};
    }
    template <class F> void Record(TList, int Index, const F& Read) { Read(FList.Child(Index)); }
    void Settings(TQvGraph2D* Graph) { QvRecord::Read(FElement, SettingsOf(Graph)).Apply(); }

private:
    IXMLNode FElement, FList;
};

class TIniForm {
public:
    TIniForm(TCustomIniFile* Ini, const QString& Section) : FIni(Ini), FSection(Section) {}

protected:
    QString CountKey(TList List) const { return ListName(List) + QStringLiteral(".Count"); }
    QString RecordSection(TList List, int Index) const {
        return FSection + u'.' + ListName(List) + u'(' + QString::number(Index) + u')';
    }

    TCustomIniFile* FIni;
    QString FSection;
};

class TIniOut : public TIniForm {
public:
    using TIniForm::TIniForm;
    void Header(const QString& Ref, bool) { FIni->WriteString(FSection, "Name", Ref); }
    void List(TList List, qsizetype Count) {
        FIni->WriteInteger(FSection, CountKey(List), int(Count));
    }
    template <class F> void Record(TList List, int Index, const F& Write) {
        Write(FIni, RecordSection(List, Index));
    }
    void Settings(TQvGraph2D* Graph) { QvRecord::Write(FIni, FSection, SettingsOf(Graph)); }
};

class TIniIn : public TIniForm {
public:
    using TIniForm::TIniForm;
    bool Header() const { return FIni->ValueExists(FSection, CountKey(Vectors)); }
    int List(TList List) {
        // A count beyond the sections that follow ends the list where they end.
        const int Count = FIni->ReadInteger(FSection, CountKey(List), 0);
        int Present = 0;
        while (Present < Count && FIni->SectionExists(RecordSection(List, Present)))
            ++Present;
        return Present;
    }
    TRecordKey Key(TList List, int Index) const {
        const QString Section = RecordSection(List, Index);
        return {FIni->ReadString(Section, "Type", QString()),
                FIni->ReadString(Section, "Name", QString())};
    }
    template <class F> void Record(TList List, int Index, const F& Read) {
        Read(FIni, RecordSection(List, Index));
    }
    void Settings(TQvGraph2D* Graph) { QvRecord::Read(FIni, FSection, SettingsOf(Graph)).Apply(); }
};

// ---- writing ----

template <class Form, class T> void WriteList(Form& F, TList List, const QList<T*>& Items) {
    F.List(List, Items.size());
    for (int i = 0; i < Items.size(); ++i)
        F.Record(List, i, [&](auto&&... To) { Items[i]->WriteTo(To...); });
}

template <class Form> void WriteDocument(TQvGraph2D* Graph, Form& F, bool IncludeVectors) {
    F.Header(GetComponentRef(Graph), IncludeVectors);
    if (IncludeVectors) WriteList(F, Vectors, *Graph->GetVectorsList());
    WriteList(F, Axes, Named(Graph->ChildAxes()));
    WriteList(F, Series, Named(SeriesOf(Graph)));
    WriteList(F, Legends, Named(LegendsOf(Graph)));
    WriteList(F, Markers, Named(MarkersOf(Graph)));
    F.Settings(Graph);
}

// ---- reading ----

template <class T> QByteArray RecordOf(const T* Component) {
    QByteArray Record;
    // A vector's record is mostly its values: one allocation instead of a growing buffer.
    if constexpr (std::is_same_v<T, TQvDoubleVector>)
        Record.reserve(qsizetype(Component->GetCount()) * 8 + 256);
    QBuffer Buffer(&Record);
    Buffer.open(QIODevice::WriteOnly);
    Component->WriteTo(&Buffer);
    return Record;
}

// Runs a step of putting things back after a failure; one that fails leaves the others to run.
void Attempt(const std::function<void()>& Step) noexcept {
    try {
        Step();
    } catch (...) {
    }
}

// One read of a document into a graph, able to put everything back when the read fails.
class TDocumentRead {
public:
    TDocumentRead(TQvGraph2D* Graph, bool CreateMissingOwners)
        : FGraph(Graph), FCreateMissingOwners(CreateMissingOwners) {
        QBuffer Buffer(&FGraphSettings);
        Buffer.open(QIODevice::WriteOnly);
        WriteSettings(&Buffer, Graph);
    }

    template <class Form> void Run(Form& F) {
        const bool IncludeVectors = F.Header();
        if (IncludeVectors)
            ReadList(
                F, Vectors,
                [&](const TRecordKey& Key) { return Find<TQvDoubleVector>(Key.Ref, false); },
                [](TQvDoubleVector* V, auto&&... From) { V->ReadFrom(From...); });
        ReadList(
            F, Axes, [&](const TRecordKey& Key) { return Find<TQvAxis>(Key.Ref, true); },
            [IncludeVectors](TQvAxis* A, auto&&... From) { A->ReadFrom(From..., IncludeVectors); });
        ReadList(
            F, Series, [&](const TRecordKey& Key) { return FindByClass<TQvSeries>(Key, false); },
            [](TQvSeries* S, auto&&... From) {
                S->ReadFrom(From...);
                S->Calculate();
            });
        ReadList(
            F, Legends, [&](const TRecordKey& Key) { return Find<TQvLegend>(Key.Ref, false); },
            [this](TQvLegend* L, auto&&... From) {
                L->ReadFrom(From...);
                if (!L->GetParent()) L->SetParent(FGraph);
                if (L->GetGraph() != FGraph) L->SetGraph(FGraph);
            });
        const QList<TQvMovable*> Old = MarkersOf(FGraph);
        for (qsizetype i = Old.size(); i-- > 0;)
            Park(Old[i]);
        ReadList(
            F, Markers, [&](const TRecordKey& Key) { return FindByClass<TQvMovable>(Key, true); },
            [](TQvMovable* M, auto&&... From) { M->ReadFrom(From...); });
        F.Settings(FGraph);
    }

    // The read is complete: what it replaced goes.
    void Commit() {
        for (auto& Parked : FParked)
            delete Parked.Component.data();
        FParked.clear();
    }

    // The read failed: everything back as it was. Restoring works from records this library
    // wrote a moment ago; should one fail anyway, the others are still restored.
    void Rollback() noexcept {
        for (auto i = FCreated.size(); i-- > 0;)
            delete FCreated[i].data();
        for (auto& Parked : FParked) {
            if (!Parked.Component) continue;
            Attempt([&] {
                Parked.Component->SetName(Parked.Name);
                if (Parked.Parent)
                    qobject_cast<TControl*>(Parked.Component)->SetParent(Parked.Parent);
            });
        }
        for (const auto& Restore : FRestore)
            Attempt(Restore);
        Attempt([this] {
            QBuffer Buffer(&FGraphSettings);
            Buffer.open(QIODevice::ReadOnly);
            ReadSettings(&Buffer, FGraph);
        });
    }

private:
    struct TParked {
        QPointer<TComponent> Component;
        QString Name;
        QPointer<TWinControl> Parent;
    };

    template <class Form, class FindF, class ReadF>
    void ReadList(Form& F, TList List, const FindF& FindComponent, const ReadF& ReadRecord) {
        const int Count = F.List(List);
        for (int i = 0; i < Count; ++i) {
            const TRecordKey Key = F.Key(List, i);
            // Writers never store an unnamed component; such a record is only its beginning.
            if (Key.Ref.isEmpty()) continue;
            auto* Component = FindComponent(Key);
            F.Record(List, i, [&](auto&&... From) { ReadRecord(Component, From...); });
        }
    }

    // Keeps the component's record, to give it back its values should the read fail.
    template <class T> void Remember(T* Component) {
        if (FRemembered.contains(Component)) return;
        FRemembered.insert(Component);
        QByteArray Record = RecordOf(Component);
        QPointer<T> Guard(Component);
        FRestore.push_back([Guard, Record]() mutable {
            if (!Guard) return;
            QBuffer Buffer(&Record);
            Buffer.open(QIODevice::ReadOnly);
            if constexpr (std::is_same_v<T, TQvAxis>)
                Guard->ReadFrom(&Buffer, true);
            else
                Guard->ReadFrom(&Buffer);
            if constexpr (std::is_base_of_v<TQvSeries, T>) Guard->Calculate();
        });
    }

    // Takes a component out of the graph without freeing it yet.
    template <class T> void Park(T* Component) {
        Remember(Component);
        auto* Control = qobject_cast<TControl*>(Component);
        FParked.push_back(
            {Component, Component->GetName(), Control ? Control->GetParent() : nullptr});
        Component->SetName(QString());
        if constexpr (std::is_base_of_v<TQvSeries, T>)
            Component->SetYAxis(nullptr);
        else if (Control)
            Control->SetParent(nullptr);
    }

    template <class T> T* Find(const QString& Ref, bool ChildOfGraph) {
        if (TComponent* Found = GetComponentFromRef(Ref)) {
            auto* Typed = qobject_cast<T*>(Found);
            if (!Typed) throw WrongClass(Ref, Found, &T::staticMetaObject);
            Remember(Typed);
            return Typed;
        }
        return Create<T>(&T::staticMetaObject, Ref, ChildOfGraph);
    }

    // A stored class differing from the existing component's replaces that component.
    template <class T> T* FindByClass(const TRecordKey& Key, bool ChildOfGraph) {
        const TComponentClass Class = FindClass(Key.ClassName);
        if (!Class->inherits(&T::staticMetaObject))
            throw EReadError(
                Format(SDocumentClassKind,
                       {Key.ClassName, QString::fromLatin1(T::staticMetaObject.className())}));
        if (TComponent* Found = GetComponentFromRef(Key.Ref)) {
            auto* Typed = qobject_cast<T*>(Found);
            if (!Typed) throw WrongClass(Key.Ref, Found, &T::staticMetaObject);
            if (Found->metaObject() == Class) {
                Remember(Typed);
                return Typed;
            }
            Park(Typed);
        }
        return Create<T>(Class, Key.Ref, ChildOfGraph);
    }

    template <class T> T* Create(const QMetaObject* Class, const QString& Ref, bool ChildOfGraph) {
        TComponent* Owner = TQvGraphDocument::OwnerFor(Ref, FCreateMissingOwners);
        if (!Owner) throw EReadError(Format(SDocumentNoOwner, {OwnerName(Ref), Ref}));
        auto* Component = static_cast<T*>(CreateComponent(Class, Owner));
        FCreated.push_back(Component);
        Component->SetName(ComponentName(Ref));
        if constexpr (std::is_base_of_v<TControl, T>)
            if (ChildOfGraph) Component->SetParent(FGraph);
        return Component;
    }

    static EReadError WrongClass(const QString& Ref, const TComponent* Found,
                                 const QMetaObject* Class) {
        return EReadError(
            Format(SDocumentWrongClass, {Ref, QString::fromLatin1(Found->metaObject()->className()),
                                         QString::fromLatin1(Class->className())}));
    }

    TQvGraph2D* FGraph;
    bool FCreateMissingOwners;
    QByteArray FGraphSettings;
    QSet<const TComponent*> FRemembered;
    std::vector<std::function<void()>> FRestore;
    std::vector<QPointer<TComponent>> FCreated;
    std::vector<TParked> FParked;
};

template <class Form> void ReadDocument(TQvGraph2D* Graph, Form& F, bool CreateMissingOwners) {
    const TReadScope Reading;
    Graph->SetLoading(true);
    Graph->BeginUpdate();
    TDocumentRead Read(Graph, CreateMissingOwners);
    try {
        Read.Run(F);
        Read.Commit();
    } catch (...) {
        Read.Rollback();
        // The graph was put back; the read's error is the one to report.
        Attempt([Graph] { Graph->EndUpdate(); });
        Graph->SetLoading(false);
        throw;
    }
    Graph->EndUpdate();
    Graph->SetLoading(false);
}

// A document file in the encoding its first bytes show: a binary one is read straight from
// the file, so that large vectors go from there into their arrays; text is parsed whole.
class TDocumentFile {
public:
    explicit TDocumentFile(const QString& FileName) : FFile(FileName), FIni(QString{}) {
        QvStream::OpenFile(FFile);
        FFormat = TQvGraphDocument::DetectFormat(FFile.peek(4));
        // Text is parsed from the file's bytes, without copies of the whole text between.
        if (FFormat == TQvDocumentFormat::Xml) FXml.LoadFromFile(FileName);
        if (FFormat != TQvDocumentFormat::Ini) return;
        FIni.Rename(FileName, true);
        // Ours, else the first section of the file.
        const QStringList Sections = FIni.ReadSections();
        FSection = Sections.contains(TQvGraphDocument::IniSection) || Sections.isEmpty()
                       ? TQvGraphDocument::IniSection
                       : Sections.first();
    }

    QString GraphRef() {
        switch (FFormat) {
        case TQvDocumentFormat::Xml:
            return ClassElement(FXml.DocumentElement(), GraphElement).Attribute("Name");
        case TQvDocumentFormat::Ini:
            return FIni.ReadString(FSection, "Name", QString());
        case TQvDocumentFormat::Binary:
            break;
        }
        const QString Ref = StringFromStream(&FFile);
        FFile.seek(0);
        return Ref;
    }

    void ReadInto(TQvGraphDocument& Document) {
        switch (FFormat) {
        case TQvDocumentFormat::Xml:
            Document.Read(FXml.DocumentElement());
            return;
        case TQvDocumentFormat::Ini:
            Document.Read(&FIni, FSection);
            return;
        case TQvDocumentFormat::Binary:
            Document.Read(&FFile);
            return;
        }
    }

private:
    QFile FFile;
    TQvDocumentFormat FFormat;
    TXMLDocument FXml;
    TMemIniFile FIni;
    QString FSection;
};

} // namespace

// ---- TQvGraphDocument ----

void TQvGraphDocument::Write(QIODevice* Stream, bool IncludeVectors) const {
    TBinaryOut Form(Stream);
    WriteDocument(FGraph, Form, IncludeVectors);
}

void TQvGraphDocument::Read(QIODevice* Stream) {
    TBinaryIn Form(Stream);
    ReadDocument(FGraph, Form, FCreateMissingOwners);
}

void TQvGraphDocument::Write(IXMLNode Node, bool IncludeVectors) const {
    TXmlOut Form(Node.AddChild(GraphElement));
    WriteDocument(FGraph, Form, IncludeVectors);
}

void TQvGraphDocument::Read(const IXMLNode& Node) {
    TXmlIn Form(ClassElement(Node, GraphElement));
    ReadDocument(FGraph, Form, FCreateMissingOwners);
}

void TQvGraphDocument::Write(TCustomIniFile* Ini, const QString& Section,
                             bool IncludeVectors) const {
    TIniOut Form(Ini, Section);
    WriteDocument(FGraph, Form, IncludeVectors);
}

void TQvGraphDocument::Read(TCustomIniFile* Ini, const QString& Section) {
    TIniIn Form(Ini, Section);
    ReadDocument(FGraph, Form, FCreateMissingOwners);
}

void TQvGraphDocument::Save(const QString& FileName, bool IncludeVectors,
                            TQvDocumentFormat Format) const {
    switch (Format) {
    case TQvDocumentFormat::Binary:
        QvStream::SaveFile(FileName, [&](QIODevice* Stream) { Write(Stream, IncludeVectors); });
        return;
    case TQvDocumentFormat::Xml: {
        TXMLDocument Document;
        TXmlOut Form(Document.AddChild(GraphElement));
        WriteDocument(FGraph, Form, IncludeVectors);
        Document.SaveToFile(FileName);
        return;
    }
    case TQvDocumentFormat::Ini: {
        TMemIniFile Ini(QString{});
        Write(&Ini, IniSection, IncludeVectors);
        QStringList Lines;
        Ini.GetStrings(Lines);
        QvStream::SaveFile(FileName, (Lines.join(u'\n') + u'\n').toUtf8());
        return;
    }
    }
}

void TQvGraphDocument::Load(const QString& FileName) {
    TDocumentFile(FileName).ReadInto(*this);
}

TQvDocumentFormat TQvGraphDocument::DetectFormat(const QByteArray& Head) {
    // A binary document begins with the 4-byte length of a short reference, so one of its
    // upper bytes is 0; text never holds a 0 byte.
    if (Head.size() < 4 || Head[1] == 0 || Head[2] == 0 || Head[3] == 0)
        return TQvDocumentFormat::Binary;
    QByteArrayView Text(Head);
    if (Text.startsWith("\xEF\xBB\xBF")) Text = Text.sliced(3);
    return Text.trimmed().startsWith('<') ? TQvDocumentFormat::Xml : TQvDocumentFormat::Ini;
}

TComponent* TQvGraphDocument::OwnerFor(const QString& Ref, bool CreateMissing) {
    const QString Owner = OwnerName(Ref);
    if (Owner.isEmpty()) return Application();
    if (TComponent* Found = GetComponentFromRef(Owner)) return Found;
    if (!CreateMissing) return nullptr;
    TComponent* Parent = OwnerFor(Owner, true);
    auto* Module = new TDataModule(Parent);
    Module->SetName(ComponentName(Owner));
    return Module;
}

TQvGraph2D* TQvGraphDocument::Open(const QString& FileName) {
    TDocumentFile File(FileName);
    const QString Ref = File.GraphRef();
    if (Ref.isEmpty()) throw EReadError(Format(SDocumentNoGraph, {FileName}));
    auto* Graph = new TQvGraph2D(OwnerFor(Ref, true));
    try {
        Graph->SetName(ComponentName(Ref));
        TQvGraphDocument Document(Graph);
        Document.SetCreateMissingOwners(true);
        File.ReadInto(Document);
    } catch (...) {
        delete Graph;
        throw;
    }
    return Graph;
}

// ---- the graph's entry points ----

void TQvGraph2D::WriteTo(const QString& FileName, bool IncludeVectors) const {
    TQvGraphDocument(const_cast<TQvGraph2D*>(this))
        .Save(FileName, IncludeVectors, TQvDocumentFormat::Binary);
}

void TQvGraph2D::ReadFrom(const QString& FileName) {
    TQvGraphDocument(this).Load(FileName);
}

void TQvGraph2D::WriteTo(QIODevice* Stream, bool IncludeVectors) const {
    TQvGraphDocument(const_cast<TQvGraph2D*>(this)).Write(Stream, IncludeVectors);
}

void TQvGraph2D::ReadFrom(QIODevice* Stream) {
    TQvGraphDocument(this).Read(Stream);
}

void TQvGraph2D::WriteTo(IXMLNode Node, bool IncludeVectors) const {
    TQvGraphDocument(const_cast<TQvGraph2D*>(this)).Write(Node, IncludeVectors);
}

void TQvGraph2D::ReadFrom(const IXMLNode& Node) {
    TQvGraphDocument(this).Read(Node);
}

void TQvGraph2D::WriteTo(TCustomIniFile* Ini, const QString& Section, bool IncludeVectors) const {
    TQvGraphDocument(const_cast<TQvGraph2D*>(this)).Write(Ini, Section, IncludeVectors);
}

void TQvGraph2D::ReadFrom(TCustomIniFile* Ini, const QString& Section) {
    TQvGraphDocument(this).Read(Ini, Section);
}
