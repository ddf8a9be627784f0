#pragma once

// What every fuzz target and the seed writer share: a Qt application on the offscreen platform,
// and a small chart whose components the readers resolve references to.

#include <axes/qvaxis.h>
#include <data/qvvectors.h>
#include <framework/qvexceptions.h>
#include <framework/qvforms.h>
#include <graph/qvgraph2d.h>
#include <series/qvseries.h>
#include <undo/qvundostack.h>

#include <framework/qvinifiles.h>
#include <framework/qvxml.h>

#include <QApplication>
#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace QvFuzz {

// Qt's warnings about odd input are not findings.
inline void PrepareApplication() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType Type, const QMessageLogContext&, const QString& Message) {
        if (Type == QtFatalMsg) qFatal("%s", qPrintable(Message));
    });
}

// One application for the whole run of a fuzz target, which never returns from libFuzzer.
inline void StartApplication() {
    static int Argc = 1;
    static char Name[] = "qvfuzz";
    static char* Argv[] = {Name, nullptr};
    PrepareApplication();
    static QApplication App(Argc, Argv);
}

inline QByteArray Bytes(const uint8_t* Data, size_t Size) {
    return QByteArray(reinterpret_cast<const char*>(Data), qsizetype(Size));
}

// Inputs of the three-form readers: a byte choosing binary, XML or INI (its remainder by 3) and
// the kind of record (the quotient), then the record in that form. XML records lie below a root element "Fuzz", INI records in the section "Fuzz".
enum class TForm : uint8_t { Binary, Xml, Ini };
inline const QString RecordName = QStringLiteral("Fuzz");

template <class TBinary, class TXml, class TIni>
void ReadInForm(const uint8_t* Data, size_t Size, TBinary Binary, TXml Xml, TIni Ini) {
    if (Size == 0) return;
    const QByteArray Record = Bytes(Data + 1, Size - 1);
    try {
        switch (TForm(Data[0] % 3)) {
        case TForm::Binary: {
            QBuffer Buffer;
            Buffer.setData(Record);
            Buffer.open(QIODevice::ReadOnly);
            Binary(&Buffer);
            break;
        }
        case TForm::Xml: {
            TXMLDocument Document;
            Document.LoadFromXML(QString::fromUtf8(Record));
            Xml(Document.DocumentElement());
            break;
        }
        case TForm::Ini: {
            TMemIniFile File(QString{});
            File.SetStrings(QString::fromUtf8(Record).split(u'\n'));
            Ini(&File, RecordName);
            break;
        }
        }
    } catch (const Exception&) {
    }
}

// The seed of each form, written by the library's own writers.
template <class TBinary, class TXml, class TIni>
QByteArray WriteInForm(TForm Form, TBinary Binary, TXml Xml, TIni Ini, int Kind = 0) {
    QByteArray Record;
    switch (Form) {
    case TForm::Binary: {
        QBuffer Buffer(&Record);
        Buffer.open(QIODevice::WriteOnly);
        Binary(&Buffer);
        break;
    }
    case TForm::Xml: {
        TXMLDocument Document;
        Xml(Document.AddChild(RecordName));
        Record = Document.SaveToXML().toUtf8();
        break;
    }
    case TForm::Ini: {
        TMemIniFile File(QString{});
        Ini(&File, RecordName);
        QStringList Lines;
        File.GetStrings(Lines);
        Record = Lines.join(u'\n').toUtf8();
        break;
    }
    }
    return char(int(Form) + 3 * Kind) + Record;
}

// A graph with two axes, two vectors, a line series over them and an undo stack, all named and
// owned by one module, so that component references in records resolve.
struct TChart {
    TChart() : Module(std::make_unique<TDataModule>(nullptr)) {
        Module->SetName(QStringLiteral("Module"));
        Graph = new TQvGraph2D(Module.get());
        Graph->SetName(QStringLiteral("Graph"));
        Graph->SetBounds(0, 0, 160, 120);
        XAxis = NewAxis(TQvAxisPosition::Bottom, QStringLiteral("XAxis"));
        YAxis = NewAxis(TQvAxisPosition::Left, QStringLiteral("YAxis"));
        Graph->SetPrimaryXAxis(XAxis);
        Graph->SetPrimaryYAxis(YAxis);
        XData = NewVector(QStringLiteral("XData"), {1, 2, 3, 4});
        YData = NewVector(QStringLiteral("YData"), {3, -1, 4, 1.5});
        Series = new TQvLineSeries(Module.get());
        Series->SetName(QStringLiteral("Series"));
        Series->SetXData(XData);
        Series->SetYData(YData);
        Series->SetXAxis(XAxis);
        Series->SetYAxis(YAxis);
        Stack = new TQvUndoStack(Module.get());
        Stack->SetName(QStringLiteral("Stack"));
        Graph->SetUndoStack(Stack);
    }

    TQvAxis* NewAxis(TQvAxisPosition Position, const QString& Name) {
        auto* Axis = new TQvAxis(Module.get());
        Axis->SetName(Name);
        Axis->SetPosition(Position);
        Axis->SetParent(Graph);
        return Axis;
    }

    TQvDoubleVector* NewVector(const QString& Name, std::initializer_list<double> Values) {
        auto* Vector = new TQvDoubleVector(Module.get());
        Vector->SetName(Name);
        Vector->AddRange(Values);
        return Vector;
    }

    std::unique_ptr<TDataModule> Module;
    TQvGraph2D* Graph;
    TQvAxis* XAxis;
    TQvAxis* YAxis;
    TQvDoubleVector* XData;
    TQvDoubleVector* YData;
    TQvLineSeries* Series;
    TQvUndoStack* Stack;
};

// Whatever was read must paint; a formula in a caption may fail, which raises and is no fault.
inline void Paint(TQvGraph2D* Graph) {
    TGPBitmap Bitmap(160, 120);
    TGPGraphics Graphics(&Bitmap);
    try {
        Graph->PaintGr(&Graphics);
    } catch (const Exception&) {
    }
}

} // namespace QvFuzz

// libFuzzer calls this once before the first input. Every program includes this header from
// one file only.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QvFuzz::StartApplication();
    return 0;
}
