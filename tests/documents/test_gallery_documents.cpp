// Every chart of the gallery saved in the three encodings, opened from the file as qvplot opens
// it, into owners that did not exist: the picture is the same to the pixel. And qvplot itself.

#include "../chartfixture.h"
#include "../qvtest.h"

#include <gallerycharts.h>
#include <gallerypage.h>

#include <analysis/qvgenerallinearleastsquares.h>
#include <framework/qvdb.h>
#include <framework/qvstreams.h>
#include <graph/qvgraphdocument.h>

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <typeinfo>

namespace {

// What does not travel in a document of one graph: what only code gives a chart (handlers of
// events, series of classes the program derives without a meta object of their own, as the
// reader makes the class their meta object names, and the data sets that data sources
// present), and graphs sharing an X axis, whose axis and legends belong to the group.
bool NotInOneDocument(const TQvGraph2D* Graph) {
    if (Graph->GetIsCoupledGraph() || Graph->GetHasChildGraphs()) return true;
    for (const TQvAxis* Axis : Graph->ChildAxes())
        if (Axis->GetOnGetScaleLabel()) return true;
    for (int i = 0; i < Graph->SeriesCount(); ++i) {
        const TQvSeries* Series = Graph->Series(i);
        if (Series->property("DataSource").value<TDataSource*>()) return true;
        if (const auto* Fit = qobject_cast<const TQvGeneralLinearLeastSquares*>(Series);
            Fit && Fit->GetBasisFunction())
            return true;
        const std::string Class = Series->metaObject()->className();
        // The mangled name of a class in the global namespace ends in its length and name.
        if (!std::string_view(typeid(*Series).name())
                 .ends_with(std::to_string(Class.size()) + Class))
            return true;
    }
    return false;
}

const QString FormName = QStringLiteral("Gallery");

} // namespace

TEST(GalleryDocuments, EveryChartComesBackPixelForPixel) {
    QTemporaryDir Dir;
    int Charts = 0;
    for (const TGalleryPage& Page : GalleryPages()) {
        std::vector<std::pair<QString, QImage>> Saved;
        {
            TForm Form(Application());
            Form.SetName(FormName);
            BuildPage(Page, &Form);
            for (TQvGraph2D* Graph : PageGraphs(&Form)) {
                // Saved as shown: the ranges found when painting are part of the document.
                const QImage Shown = Painted(Graph);
                if (NotInOneDocument(Graph)) continue;
                const QString Stem = Dir.filePath(Page.Name + u'-' + Graph->GetName());
                const TQvGraphDocument Document(Graph);
                Document.Save(Stem + ".qvg", true, TQvDocumentFormat::Binary);
                Document.Save(Stem + ".xml", true, TQvDocumentFormat::Xml);
                Document.Save(Stem + ".ini", true, TQvDocumentFormat::Ini);
                Saved.emplace_back(Stem, Shown);
            }
        }
        for (const auto& [Stem, Original] : Saved)
            for (const char* Suffix : {".qvg", ".xml", ".ini"}) {
                std::unique_ptr<TQvGraph2D> Graph(TQvGraphDocument::Open(Stem + Suffix));
                EXPECT_TRUE(Painted(Graph.get()) == Original) << qPrintable(Stem + Suffix);
                Graph.reset();
                delete GetComponentFromRef(FormName);
                ++Charts;
            }
    }
    EXPECT_GE(Charts, 60);
}

TEST(GalleryDocuments, QvplotRendersConvertsAndRefusesBadInput) {
    QTemporaryDir Dir;
    const auto Run = [](const QStringList& Args, QString* Err = nullptr, QString* Out = nullptr) {
        QProcess Process;
        Process.start(QStringLiteral(QVPLOT_PROGRAM), Args);
        Process.waitForFinished(60000);
        if (Err) *Err = QString::fromUtf8(Process.readAllStandardError());
        if (Out) *Out = QString::fromUtf8(Process.readAllStandardOutput());
        return Process.exitCode();
    };
    const QString Doc = Dir.filePath("chart.xml");
    {
        TForm Form(Application());
        Form.SetName(FormName);
        for (const TGalleryPage& Page : GalleryPages()) {
            if (Page.Name != u"series") continue;
            BuildPage(Page, &Form);
            TQvGraphDocument(PageGraphs(&Form).at(0)).Save(Doc, true, TQvDocumentFormat::Xml);
        }
    }
    QString Err, Out;
    EXPECT_EQ(Run({"render", Doc, "-o", Dir.filePath("chart.png"), "--size", "300x200"}, &Err), 0)
        << qPrintable(Err);
    EXPECT_EQ(QImage(Dir.filePath("chart.png")).size(), QSize(300, 200));
    for (const char* Out : {"chart.svg", "chart.pdf", "chart.gif", "chart.tiff"})
        EXPECT_EQ(Run({"render", Doc, "-o", Dir.filePath(Out)}), 0) << Out;
    EXPECT_EQ(Run({"convert", Doc, "-o", Dir.filePath("chart.qvg")}), 0);
    EXPECT_EQ(Run({"convert", Dir.filePath("chart.qvg"), "-o", Dir.filePath("again.xml")}), 0);
    EXPECT_EQ(QvStream::ReadFile(Dir.filePath("again.xml")), QvStream::ReadFile(Doc));
    EXPECT_EQ(Run({"info", Dir.filePath("chart.qvg")}, &Err, &Out), 0);
    EXPECT_TRUE(Out.startsWith("graph Gallery.")) << qPrintable(Out);
    EXPECT_TRUE(Out.contains("\nseries ")) << qPrintable(Out);

    // Bad input: one line naming the file, exit code 1, nothing written.
    const QString Bad = Dir.filePath("bad.qvg");
    QvStream::SaveFile(Bad, QByteArray("\x03\0\0\0abc\x01\xff\xff\xff\x7f", 12));
    const QString Png = Dir.filePath("bad.png");
    EXPECT_EQ(Run({"render", Bad, "-o", Png}, &Err), 1);
    EXPECT_TRUE(Err.startsWith("qvplot: " + Bad + ": ")) << qPrintable(Err);
    EXPECT_EQ(Err.count(u'\n'), 1);
    EXPECT_FALSE(QFile::exists(Png));
    EXPECT_EQ(Run({"render", Doc, "-o", Dir.filePath("chart.xyz")}, &Err), 1);
    EXPECT_TRUE(Err.contains("chart.xyz")) << qPrintable(Err);
    EXPECT_FALSE(QFile::exists(Dir.filePath("chart.xyz")));
    EXPECT_EQ(Run({"render", Dir.filePath("missing.qvg"), "-o", Png}, &Err), 1);
    EXPECT_TRUE(Err.contains("missing.qvg")) << qPrintable(Err);
    EXPECT_EQ(Run({"render", Doc}), 1); // no output named
}
