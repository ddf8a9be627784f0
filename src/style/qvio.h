#pragma once

// How the library's objects save themselves: strings in streams and INI values, the binary,
// XML and INI records of the shared style objects, and references between components by name.
//
// Binary records are little-endian; integers take 4 bytes, Booleans, enumerations and sets one,
// colours 4 (ARGB). A record ends with a byte 0; a byte 1 introduces an extension block, so
// records written without a block stay readable.

#include "framework/qvforms.h"
#include "framework/qvxml.h"
#include "style/qvfont.h"
#include "style/qvstyles.h"

#include <QString>

class QIODevice;
class TComponent;
class TCustomIniFile;
class TReader;
class TWriter;

// A 4-byte byte count followed by the UTF-8 text; a count below 1 reads as the empty text, a
// count beyond the end of the stream raises EReadError.
void StringToStream(QIODevice* Stream, const QString& S);
QString StringFromStream(QIODevice* Stream);
void EncodeToStream(QIODevice* Stream, const QString& S);
QString DecodeFromStream(QIODevice* Stream);

// Multi-line texts in INI values: every carriage return becomes the three characters "@\r".
QString EncodeForIni(const QString& S);
QString DecodeFomIni(const QString& S);

bool ContainsNode(const IXMLNode& Node, const QString& Name);

// Components' records begin with their class name: EReadError when Stored is not Class.
void ExpectClass(const QString& Stored, const QString& Class);
// The element of a component's record: Node itself when it is named Class, else its child of
// that name; EReadError when there is none.
IXMLNode ClassElement(const IXMLNode& Node, const QString& Class);

// Record markers: a byte 0 ends a record, any other byte announces a block. ExpectEnd raises
// EReadError naming Record when a block follows that this version does not know.
bool ReadMarker(QIODevice* Stream);
void ExpectEnd(QIODevice* Stream, const char* Record);

// XML attributes and INI keys of single values. Readers take the current value when the
// attribute or key is absent or unreadable.
QString BoolText(bool Value);
bool AttrBool(const IXMLNode& Node, const QString& Name, bool Current);
int AttrInt(const IXMLNode& Node, const QString& Name, int Current);
double AttrDouble(const IXMLNode& Node, const QString& Name, double Current);
float AttrFloat(const IXMLNode& Node, const QString& Name, float Current);
TQvColor AttrColor(const IXMLNode& Node, const QString& Name, TQvColor Current);
double ReadIniDouble(TCustomIniFile* Ini, const QString& Section, const QString& Key,
                     double Current);
float ReadIniFloat(TCustomIniFile* Ini, const QString& Section, const QString& Key, float Current);
TQvColor ReadIniColor(TCustomIniFile* Ini, const QString& Section, const QString& Key,
                      TQvColor Current);

// Binary records. Reading goes through the objects' setters.
void ToStream(QIODevice* Stream, const TQvGradientSettings* Settings);
void FromStream(QIODevice* Stream, TQvGradientSettings* Settings);
void ToStream(QIODevice* Stream, const TQvSimpleLineSettings* Settings);
void FromStream(QIODevice* Stream, TQvSimpleLineSettings* Settings);
void ToStream(QIODevice* Stream, const TQvLineSettings* Settings);
void FromStream(QIODevice* Stream, TQvLineSettings* Settings);
void ToStream(QIODevice* Stream, const TQvAreaSettings* Settings);
void FromStream(QIODevice* Stream, TQvAreaSettings* Settings);
void ToStream(QIODevice* Stream, const TQvFont* Font);
void FromStream(QIODevice* Stream, TQvFont* Font);

// XML: a child node with one attribute per value. Reading keeps the current value where an
// attribute is missing or is not a number.
void ToNode(IXMLNode Node, const TQvGradientSettings* Settings, const QString& Name);
void FromNode(const IXMLNode& Node, TQvGradientSettings* Settings, const QString& Name);
void ToNode(IXMLNode Node, const TQvSimpleLineSettings* Settings); // child "Line"
void FromNode(const IXMLNode& Node, TQvSimpleLineSettings* Settings);
void ToNode(IXMLNode Node, const TQvLineSettings* Settings, const QString& Name);
void FromNode(const IXMLNode& Node, TQvLineSettings* Settings, const QString& Name);
void ToNode(IXMLNode Node, const TQvAreaSettings* Settings, const QString& Name);
void FromNode(const IXMLNode& Node, TQvAreaSettings* Settings, const QString& Name);
void ToNode(IXMLNode Node, const TQvFont* Font); // child "Font"
void FromNode(const IXMLNode& Node, TQvFont* Font);

// INI: one key per value, named Name followed by a suffix (".Color", ...). Reading uses the
// current values as defaults.
void ToIni(TCustomIniFile* Ini, const QString& Section, const QString& Name,
           const TQvGradientSettings* Settings);
void FromIni(TCustomIniFile* Ini, const QString& Section, const QString& Name,
             TQvGradientSettings* Settings);
void ToIni(TCustomIniFile* Ini, const QString& Section, const QString& Name,
           const TQvSimpleLineSettings* Settings);
void FromIni(TCustomIniFile* Ini, const QString& Section, const QString& Name,
             TQvSimpleLineSettings* Settings);
void ToIni(TCustomIniFile* Ini, const QString& Section, const QString& Name,
           const TQvLineSettings* Settings);
void FromIni(TCustomIniFile* Ini, const QString& Section, const QString& Name,
             TQvLineSettings* Settings);
void ToIni(TCustomIniFile* Ini, const QString& Section, const QString& Name,
           const TQvAreaSettings* Settings);
void FromIni(TCustomIniFile* Ini, const QString& Section, const QString& Name,
             TQvAreaSettings* Settings);
void ToIni(TCustomIniFile* Ini, const QString& Section, const QString& Name, const TQvFont* Font);
void FromIni(TCustomIniFile* Ini, const QString& Section, const QString& Name, TQvFont* Font);

// Floats in typed streams as locale-independent text, read back whichever way they were stored.
void StoreFloatToString(TWriter* Writer, double Value);
double GetFloatFromStringOrFloat(TReader* Reader);
