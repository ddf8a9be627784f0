#pragma once

// The graph document readers: a document of one encoding read into the fuzz chart's graph, with
// the owners its references name created on the way and freed afterwards, then the graph
// painted. A failed read must leave the chart whole.

#include "fuzzing.h"

#include <graph/qvgraphdocument.h>
#include <style/qvgdi.h>

namespace QvFuzz {

inline void ReadDocument(TForm Form, const uint8_t* Data, size_t Size) {
    TChart Chart;
    TComponent* App = Application();
    const int Before = App->ComponentCount();
    TQvGraphDocument Document(Chart.Graph);
    Document.SetCreateMissingOwners(true);
    QByteArray Bytes = QvFuzz::Bytes(Data, Size);
    try {
        switch (Form) {
        case TForm::Binary: {
            QBuffer Buffer(&Bytes);
            Buffer.open(QIODevice::ReadOnly);
            Document.Read(&Buffer);
            break;
        }
        case TForm::Xml: {
            TXMLDocument Xml;
            Xml.LoadFromXML(QString::fromUtf8(Bytes));
            Document.Read(Xml.DocumentElement());
            break;
        }
        case TForm::Ini: {
            TMemIniFile Ini(QString{});
            Ini.SetStrings(QString::fromUtf8(Bytes).split(u'\n'));
            Document.Read(&Ini, TQvGraphDocument::IniSection);
            break;
        }
        }
    } catch (const Exception&) {
    }
    Paint(Chart.Graph);
    while (App->ComponentCount() > Before)
        delete App->Components(App->ComponentCount() - 1);
}

} // namespace QvFuzz
