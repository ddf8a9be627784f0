// How a marker saves itself: the names of its fields, and the marker's entry points that put
// the class name and the reference before the fields.

#include "annotations/qvmarkerrecord.h"

#include "annotations/qvmarkers.h"
#include "framework/qvfiler.h"
#include "framework/qvinifiles.h"
#include "framework/qvxml.h"
#include "style/qvio.h"

#include <cstring>

namespace QvMarkerRecord {

QvRecord::TName Name(TGroup Group, const char* Key) {
    switch (Group) {
    case TGroup::Caption: {
        if (std::strcmp(Key, "Caption") == 0) return {Key, "Caption", "Text"};
        const char* Dot = std::strchr(Key, '.');
        return {Key, "Caption", Dot ? Dot + 1 : Key};
    }
    case TGroup::Location:
        return {Key, "Location", Key};
    case TGroup::Properties:
        break;
    }
    return {Key, "Properties", Key};
}

} // namespace QvMarkerRecord

namespace {

QString ClassNameOf(const TQvMovable* Marker) {
    return QString::fromLatin1(Marker->metaObject()->className());
}

// Writing only reads the fields; the setters a record lists are not called.
QvRecord::TVisit Visit(const TQvMovable* Marker) {
    return [Marker](QvRecord::TRecord& R) { const_cast<TQvMovable*>(Marker)->VisitRecord(R); };
}

// What a reader read applies once the whole record was read; then the marker moves to the
// place it describes.
void Apply(const QvRecord::TLoaded& Loaded, TQvMovable* Marker) {
    const TReadScope Reading;
    Loaded.Apply();
    Marker->UpdatePosition();
}

} // namespace

void TQvMovable::WriteTo(QIODevice* Stream) const {
    StringToStream(Stream, ClassNameOf(this));
    StringToStream(Stream, GetComponentRef(this));
    QvRecord::Write(Stream, Visit(this));
}

void TQvMovable::ReadFrom(QIODevice* Stream) {
    ExpectClass(StringFromStream(Stream), ClassNameOf(this));
    // The reference names the marker a document reader picked; it does not rename it.
    StringFromStream(Stream);
    Apply(QvRecord::Read(Stream, Visit(this)), this);
}

void TQvMovable::WriteTo(IXMLNode Node) const {
    IXMLNode Element = Node.AddChild(ClassNameOf(this));
    Element.SetAttribute("Name", GetComponentRef(this));
    QvRecord::Write(Element, Visit(this));
}

void TQvMovable::ReadFrom(const IXMLNode& Node) {
    Apply(QvRecord::Read(ClassElement(Node, ClassNameOf(this)), Visit(this)), this);
}

void TQvMovable::WriteTo(TCustomIniFile* Ini, const QString& Section) const {
    Ini->WriteString(Section, "Type", ClassNameOf(this));
    Ini->WriteString(Section, "Name", GetComponentRef(this));
    QvRecord::Write(Ini, Section, Visit(this));
}

void TQvMovable::ReadFrom(TCustomIniFile* Ini, const QString& Section) {
    if (Ini->ValueExists(Section, "Type"))
        ExpectClass(Ini->ReadString(Section, "Type", QString()), ClassNameOf(this));
    Apply(QvRecord::Read(Ini, Section, Visit(this)), this);
}
