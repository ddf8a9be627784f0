// Renders every gallery page to PNG, SVG and PDF and writes an index.html that shows them; saves
// every chart beside them as a document in the three encodings, for qvplot to open.
// Usage: gallery [output folder]   (default: out/gallery)

#include "gallerycharts.h"
#include "gallerypage.h"

#include <graph/qvgraphdocument.h>

#include <framework/qvforms.h>
#include <framework/qvstreams.h>
#include <style/qvpdfpage.h>
#include <style/qvsvgdevice.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTextStream>
#include <QWidget>

#include <cstdio>

namespace {
// The PNG comes from the widget, as on screen; the SVG from painting without a widget.
void RenderPage(const TGalleryPage& Page, const QDir& Folder) {
    TForm Form(Application());
    Form.SetName(QStringLiteral("Gallery"));
    TWinControl* Control = BuildPage(Page, &Form);
    const QImage Image = Control->Widget()->grab().toImage();
    Image.save(Folder.filePath(Page.Name + QStringLiteral(".png")));

    TQvSvgDevice Svg(QSize(Control->GetWidth(), Control->GetHeight()), Page.Title);
    QPainter Painter(&Svg);
    Control->PaintTo(Painter, 0, 0);
    Painter.end();
    QvStream::SaveFile(Folder.filePath(Page.Name + QStringLiteral(".svg")), Svg.Svg());

    QvStream::SaveFile(Folder.filePath(Page.Name + QStringLiteral(".pdf")), [&](QIODevice* File) {
        WritePdfPage(File, QSize(Control->GetWidth(), Control->GetHeight()), Page.Title,
                     [&](QPaintDevice* Pdf) {
                         QPainter PdfPainter(Pdf);
                         Control->PaintTo(PdfPainter, 0, 0);
                     });
    });

    for (TQvGraph2D* Graph : PageGraphs(&Form)) {
        const QString Stem = Folder.filePath(Page.Name + u'-' + Graph->GetName());
        const TQvGraphDocument Document(Graph);
        Document.Save(Stem + QStringLiteral(".qvg"), true, TQvDocumentFormat::Binary);
        Document.Save(Stem + QStringLiteral(".xml"), true, TQvDocumentFormat::Xml);
        Document.Save(Stem + QStringLiteral(".ini"), true, TQvDocumentFormat::Ini);
    }
}

QString Escaped(const QString& Text) {
    return Text.toHtmlEscaped();
}

void WriteIndex(const std::vector<TGalleryPage>& Pages, const QDir& Folder) {
    QFile File(Folder.filePath(QStringLiteral("index.html")));
    if (!File.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    QTextStream Out(&File);
    Out << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Qvplot2D gallery</title>\n"
           "<style>body{font-family:sans-serif;margin:2em;max-width:1300px}"
           "section{margin-bottom:3em}img{border:1px solid #ccc;max-width:100%}</style>\n"
           "</head><body><h1>Qvplot2D gallery</h1>\n";
    for (const TGalleryPage& Page : Pages) {
        Out << "<section id=\"" << Page.Name << "\"><h2>" << Escaped(Page.Title) << "</h2>\n<p>"
            << Escaped(Page.Description) << "</p>\n<p><img src=\"" << Page.Name << ".png\" alt=\""
            << Escaped(Page.Title) << "\"></p>\n<p><a href=\"" << Page.Name
            << ".svg\">SVG</a> &middot; <a href=\"" << Page.Name
            << ".pdf\">PDF</a> &middot; <a href=\"" << Page.Name
            << ".png\">PNG</a></p></section>\n";
    }
    Out << "</body></html>\n";
}
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    const QString Output =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("out/gallery");
    QDir Folder(Output);
    if (!Folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "Cannot create %s\n", qPrintable(Output));
        return 1;
    }

    const std::vector<TGalleryPage> Pages = GalleryPages();
    for (const TGalleryPage& Page : Pages) {
        RenderPage(Page, Folder);
        std::printf("%s\n", qPrintable(Folder.filePath(Page.Name + QStringLiteral(".png"))));
    }
    WriteIndex(Pages, Folder);
    std::printf("%s\n", qPrintable(Folder.filePath(QStringLiteral("index.html"))));
    return 0;
}
