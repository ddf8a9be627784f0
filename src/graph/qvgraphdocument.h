#pragma once

// A whole graph as one document: its data vectors, axes, series, legends, markers and its own
// settings, as a binary stream, an XML element or an INI section, and as files of each.
//
// Reading finds each stored component by its reference and creates the ones that are missing.
// A read is all or nothing: when it fails for any reason, the components it created are freed,
// the ones it replaced come back and every component it changed gets its values back, so the
// graph is as it was before, and the exception reaches the caller.

#include "framework/qvxml.h"

#include <QString>

class QByteArray;
class QIODevice;
class TComponent;
class TCustomIniFile;
class TQvGraph2D;

enum class TQvDocumentFormat {
    Binary,
    Xml,
    Ini
};

class TQvGraphDocument {
public:
    explicit TQvGraphDocument(TQvGraph2D* Graph) : FGraph(Graph) {}

    // A reference whose owner does not exist raises EReadError, unless missing owners are
    // created: then every missing step of the owner chain becomes a data module.
    void SetCreateMissingOwners(bool Value) { FCreateMissingOwners = Value; }

    // Writes the graph with its components as a binary stream, with the vectors' values when asked.
    void Write(QIODevice* Stream, bool IncludeVectors) const;
    // Reads the graph with its components from a binary stream.
    void Read(QIODevice* Stream);
    // Adds an element "TQvGraph2D"; reading takes that element or a node holding it.
    void Write(IXMLNode Node, bool IncludeVectors) const;
    // Reads the graph with its components from its XML element.
    void Read(const IXMLNode& Node);
    // The graph's keys go to Section, its components to sections named after it.
    void Write(TCustomIniFile* Ini, const QString& Section, bool IncludeVectors) const;
    // Reads the graph from Section, its components from their sections.
    void Read(TCustomIniFile* Ini, const QString& Section);

    // Files are replaced only once the new one is complete. An XML file holds the graph's
    // element as its root, an INI file the graph in the section "TQvGraph2D".
    void Save(const QString& FileName, bool IncludeVectors, TQvDocumentFormat Format) const;
    // The format is recognised from the file's first bytes.
    void Load(const QString& FileName);

    // The encoding of a document from its first bytes.
    static TQvDocumentFormat DetectFormat(const QByteArray& Head);
    // Opens a document file into a new graph named and owned as the stored reference says,
    // creating missing owners; the caller frees the graph (and the owners, which outlive it).
    static TQvGraph2D* Open(const QString& FileName);
    // The component Ref names after creating the data modules that its owner chain lacks;
    // the application for an empty reference.
    static TComponent* OwnerFor(const QString& Ref, bool CreateMissing);

    static inline const QString IniSection = QStringLiteral("TQvGraph2D");

private:
    TQvGraph2D* FGraph;
    bool FCreateMissingOwners = false;
};
