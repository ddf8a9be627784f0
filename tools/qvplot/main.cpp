// qvplot: renders, converts and describes saved graph documents without writing code.
//
//   qvplot render DOC -o OUT.png|.svg|.pdf|.jpg|.bmp|.gif|.tiff [--size WxH]
//   qvplot convert DOC -o OUT.qvg|.xml|.ini
//   qvplot info DOC
//
// Documents load in any encoding, recognised from their content. On bad input the program
// prints one line naming the file and the cause, writes nothing and exits with 1.

#include <annotations/qvlegend.h>
#include <annotations/qvmarkers.h>
#include <axes/qvaxis.h>
#include <data/qvvectors.h>
#include <framework/qvexceptions.h>
#include <framework/qvforms.h>
#include <graph/qvgraph2d.h>
#include <graph/qvgraphdocument.h>
#include <qvversion.h>
#include <series/qvseries.h>

#include <QApplication>
#include <QFileInfo>
#include <QRegularExpression>

#include <cstdio>
#include <memory>
#include <optional>

namespace {

const char* const Usage =
    "usage: qvplot render DOC -o OUT.png|.svg|.pdf|.jpg|.bmp|.gif|.tiff [--size WxH]\n"
    "       qvplot convert DOC -o OUT.qvg|.xml|.ini\n"
    "       qvplot info DOC\n"
    "       qvplot --version\n";

// A failure of one file, reported as "FILE: cause".
struct TFailure {
    QString File;
    QString Cause;
};

template <class F> auto For(const QString& File, const F& Work) {
    try {
        return Work();
    } catch (const std::exception& E) {
        throw TFailure{File, QString::fromUtf8(E.what())};
    }
}

struct TOptions {
    QString Command, Document, Output;
    std::optional<QSize> Size;
};

std::optional<TOptions> ParseArguments(const QStringList& Args) {
    TOptions Options;
    if (Args.size() < 3) return std::nullopt;
    Options.Command = Args[1];
    Options.Document = Args[2];
    for (qsizetype i = 3; i < Args.size(); ++i) {
        if (Args[i] == u"-o" && i + 1 < Args.size()) {
            Options.Output = Args[++i];
        } else if (Args[i] == u"--size" && i + 1 < Args.size()) {
            const auto Match =
                QRegularExpression(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$")).match(Args[++i]);
            if (!Match.hasMatch() || Match.captured(1).toInt() < 1 || Match.captured(2).toInt() < 1)
                return std::nullopt;
            Options.Size = QSize(Match.captured(1).toInt(), Match.captured(2).toInt());
        } else {
            return std::nullopt;
        }
    }
    if (!QStringList{u"render"_qs, u"convert"_qs, u"info"_qs}.contains(Options.Command))
        return std::nullopt;
    if ((Options.Command == u"info") != Options.Output.isEmpty()) return std::nullopt;
    if (Options.Command != u"render" && Options.Size) return std::nullopt;
    return Options;
}

TQvDocumentFormat FormatOf(const QString& Suffix) {
    if (Suffix == u"xml") return TQvDocumentFormat::Xml;
    if (Suffix == u"ini") return TQvDocumentFormat::Ini;
    return TQvDocumentFormat::Binary;
}

void PrintInfo(const TQvGraph2D* Graph) {
    const auto Line = [](const QString& Text) { std::printf("%s\n", qPrintable(Text)); };
    Line(QStringLiteral("graph %1 %2x%3 \"%4\"")
             .arg(GetComponentRef(Graph))
             .arg(Graph->GetWidth())
             .arg(Graph->GetHeight())
             .arg(Graph->CaptionAsString()));
    const auto Vectors = Graph->GetVectorsList();
    for (const TQvDoubleVector* Vector : *Vectors) {
        const bool Empty = Vector->GetCount() == 0;
        Line(QStringLiteral("vector %1 count %2 range %3 .. %4")
                 .arg(GetComponentRef(Vector))
                 .arg(Vector->GetCount())
                 .arg(Empty ? 0.0 : Vector->GetMinimum(), 0, 'g', 15)
                 .arg(Empty ? 0.0 : Vector->GetMaximum(), 0, 'g', 15));
    }
    for (const TQvAxis* Axis : Graph->ChildAxes())
        Line(QStringLiteral("axis %1 range %2 .. %3")
                 .arg(GetComponentRef(Axis))
                 .arg(Axis->GetStart(), 0, 'g', 15)
                 .arg(Axis->GetStop(), 0, 'g', 15));
    for (int i = 0; i < Graph->SeriesCount(); ++i) {
        const TQvSeries* Series = Graph->Series(i);
        Line(QStringLiteral("series %1 %2 points %3")
                 .arg(GetComponentRef(Series),
                      QString::fromLatin1(Series->metaObject()->className()))
                 .arg(Series->GetCount()));
    }
    for (const TControl* Legend : Graph->RelatedLegends())
        Line(QStringLiteral("legend %1").arg(GetComponentRef(Legend)));
    for (int i = 0; i < Graph->ControlCount(); ++i)
        if (const auto* Marker = qobject_cast<const TQvMovable*>(Graph->Controls(i)))
            Line(QStringLiteral("marker %1 %2")
                     .arg(GetComponentRef(Marker),
                          QString::fromLatin1(Marker->metaObject()->className())));
}

int Run(const TOptions& Options) {
    std::unique_ptr<TQvGraph2D> Graph(
        For(Options.Document, [&] { return TQvGraphDocument::Open(Options.Document); }));
    if (Options.Command == u"info") {
        PrintInfo(Graph.get());
        return 0;
    }
    const QString Suffix = QFileInfo(Options.Output).suffix().toLower();
    For(Options.Output, [&] {
        if (Options.Command == u"convert") {
            TQvGraphDocument(Graph.get()).Save(Options.Output, true, FormatOf(Suffix));
            return;
        }
        if (Options.Size)
            Graph->SetBounds(Graph->GetLeft(), Graph->GetTop(), Options.Size->width(),
                             Options.Size->height());
        Graph->SaveImage(Options.Output);
    });
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes about the environment are not about the user's files: stderr carries only
    // this program's one line.
    qInstallMessageHandler([](QtMsgType Type, const QMessageLogContext&, const QString& Message) {
        if (Type == QtFatalMsg) std::fprintf(stderr, "qvplot: %s\n", qPrintable(Message));
    });
    QApplication App(argc, argv);
    if (App.arguments().value(1) == u"--version") {
        std::printf("qvplot %s\n", qPrintable(Qvplot2DVersion()));
        return 0;
    }
    const std::optional<TOptions> Options = ParseArguments(App.arguments());
    if (!Options) {
        std::fputs(Usage, stderr);
        return 1;
    }
    try {
        return Run(*Options);
    } catch (const TFailure& Failure) {
        std::fprintf(stderr, "qvplot: %s: %s\n", qPrintable(Failure.File),
                     qPrintable(QString(Failure.Cause).replace(u'\n', u' ')));
        return 1;
    }
}
