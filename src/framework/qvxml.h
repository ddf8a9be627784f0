#pragma once

// XML document object model: a document and small node handles over pugixml, which stays
// out of this header. A node handle shares ownership of its document's data, so it stays
// valid after the TXMLDocument is gone, cleared or reloaded, and after its node is removed
// from the tree. Only element nodes are exposed; texts are read and set through Text.
// Not thread-safe, not even for reading: child lookups cache their last position.

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QIODevice;

namespace pugi {
struct xml_node_struct;
}

class TXMLDocument;
struct TXMLDocumentData;

class IXMLNode {
public:
    IXMLNode() = default;

    bool IsNull() const { return FNode == nullptr; }
    explicit operator bool() const { return FNode != nullptr; }
    bool operator==(const IXMLNode& Other) const { return FNode == Other.FNode; }

    // The element's name.
    QString NodeName() const;
    // Appends a child element; raises EXMLDocError for a name that is not a valid XML name.
    IXMLNode AddChild(const QString& Name);
    // The first child element called Name, or a null node.
    IXMLNode FindNode(const QString& Name) const;
    // Child elements only; Child raises ERangeError for an index out of range.
    int ChildCount() const;
    // Child element Index.
    IXMLNode Child(int Index) const;
    // All child elements, in order.
    QList<IXMLNode> ChildNodes() const;
    // The parent element, or a null node.
    IXMLNode ParentNode() const;
    // Raises EXMLDocError unless Child is a child element of this node. Handles to the removed
    // subtree stay valid; it simply no longer belongs to the tree.
    void RemoveChild(const IXMLNode& Child);

    bool HasAttribute(const QString& Name) const;
    // The value of attribute Name, Default when it has none.
    QString Attribute(const QString& Name, const QString& Default = QString()) const;
    void SetAttribute(const QString& Name, const QString& Value);
    // The names of the element's attributes, in order.
    QStringList AttributeNames() const;

    // The text directly inside the element. Characters XML 1.0 cannot carry (controls other
    // than tab, CR and LF, U+FFFE, U+FFFF) are dropped on setting; lone surrogates become
    // U+FFFD. The same holds for attribute values.
    QString Text() const;
    void SetText(const QString& Value);
    // Visit gets the Text of every child element called Name, in order, as a view that lives
    // for the call: long lists of items are read without a handle or a string per item.
    void ForEachChildText(const QString& Name, const std::function<void(QStringView)>& Visit) const;

private:
    friend class TXMLDocument;
    IXMLNode(std::shared_ptr<TXMLDocumentData> Data, pugi::xml_node_struct* Node);
    pugi::xml_node_struct* Need() const;

    std::shared_ptr<TXMLDocumentData> FData;
    pugi::xml_node_struct* FNode = nullptr;
};

// An XML document, loaded from and saved to text, files or streams.
class TXMLDocument {
public:
    TXMLDocument();
    ~TXMLDocument();
    TXMLDocument(TXMLDocument&& Other) noexcept;
    TXMLDocument& operator=(TXMLDocument&& Other) noexcept;
    TXMLDocument(const TXMLDocument&) = delete;
    TXMLDocument& operator=(const TXMLDocument&) = delete;

    // Loading raises EXMLDocError for malformed XML (naming line, column and cause) or a
    // document without an element, EFOpenError for a file that cannot be read; on failure
    // the document keeps its previous content.
    void LoadFromXML(const QString& Xml);
    // Loads the document from a file.
    void LoadFromFile(const QString& FileName);
    // Loads the document from what is left of Stream.
    void LoadFromStream(QIODevice* Stream);

    // UTF-8 with an XML declaration, indented by two spaces.
    QString SaveToXML() const;
    // Replaces the file through a temporary file beside it; raises EFCreateError.
    void SaveToFile(const QString& FileName) const;
    // Writes the document to Stream.
    void SaveToStream(QIODevice* Stream) const;

    // A null node when the document is empty.
    IXMLNode DocumentElement() const;
    // Creates the document element; raises EXMLDocError when there is one already.
    IXMLNode AddChild(const QString& Name);
    // Empties the document.
    void Clear();

private:
    void LoadFromBytes(const QByteArray& Bytes);
    QByteArray SaveToBytes() const;

    std::shared_ptr<TXMLDocumentData> FData;
};
