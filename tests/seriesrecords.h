#pragma once

// A record written by one object (a series, a legend, a marker) and read into another, in each
// of the three forms.

#include <framework/qvinifiles.h>
#include <framework/qvxml.h>
#include <series/qvseries.h>

#include <QBuffer>
#include <QStringList>
#include <QVariant>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

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

// Published properties and the values a record test gives them.
using TPropertyValues = std::vector<std::pair<const char*, QVariant>>;
inline void SetProperties(QObject* Object, const TPropertyValues& Values) {
    for (const auto& [Name, Value] : Values)
        EXPECT_TRUE(Object->setProperty(Name, Value)) << Name;
}
inline void ExpectProperties(const QObject* Object, const TPropertyValues& Values) {
    for (const auto& [Name, Value] : Values)
        EXPECT_EQ(Object->property(Name), Value) << Name;
}

// The lines of the INI section Object writes.
template <class T> QStringList IniLines(const T* Object, const QString& Section) {
    TMemIniFile Ini(QString{});
    Object->WriteTo(&Ini, Section);
    QStringList Lines;
    Ini.GetStrings(Lines);
    return Lines;
}

template <class TFrom, class TTo> void CopyRecord(const TFrom* From, TTo* To, TRecordForm Form) {
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
        TMemIniFile Loaded("");
        Loaded.SetStrings(IniLines(From, "Series"));
        To->ReadFrom(&Loaded, "Series");
        break;
    }
    }
}
