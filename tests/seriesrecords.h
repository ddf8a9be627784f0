#pragma once

// A series' record written by one series and read into another, in each of the three forms.

#include <framework/qvinifiles.h>
#include <framework/qvxml.h>
#include <series/qvseries.h>

#include <QBuffer>
#include <QStringList>

enum class TRecordForm {
    Stream,
    Xml,
    Ini
};
inline constexpr TRecordForm RecordForms[] = {TRecordForm::Stream, TRecordForm::Xml,
                                              TRecordForm::Ini};

inline const char* FormName(TRecordForm Form) {
    return Form == TRecordForm::Stream ? "stream" : Form == TRecordForm::Xml ? "xml" : "ini";
}

inline void CopyRecord(const TQvSeries* From, TQvSeries* To, TRecordForm Form) {
    switch (Form) {
    case TRecordForm::Stream: {
        QBuffer Buffer;
        Buffer.open(QIODevice::WriteOnly);
        From->WriteTo(&Buffer);
        Buffer.close();
        Buffer.open(QIODevice::ReadOnly);
        To->ReadFrom(&Buffer);
        break;
    }
    case TRecordForm::Xml: {
        TXMLDocument Doc;
        From->WriteTo(Doc.AddChild("Series"));
        TXMLDocument Loaded;
        Loaded.LoadFromXML(Doc.SaveToXML());
        To->ReadFrom(Loaded.DocumentElement());
        break;
    }
    case TRecordForm::Ini: {
        TMemIniFile Ini("");
        From->WriteTo(&Ini, "Series");
        QStringList Lines;
        Ini.GetStrings(Lines);
        TMemIniFile Loaded("");
        Loaded.SetStrings(Lines);
        To->ReadFrom(&Loaded, "Series");
        break;
    }
    }
}
