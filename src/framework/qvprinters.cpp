#include "framework/qvprinters.h"

#include "framework/qvexceptions.h"
#include "strings/qvlocalize.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

using namespace Qvlocalize;

TPrinter::TPrinter() : FPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

TPrinter::~TPrinter() {
    if (Printing()) Abort();
}

TPrinter* Printer() {
    static TPrinter Instance;
    return &Instance;
}

bool TPrinter::PrinterInstalled() {
    return !QPrinterInfo::availablePrinters().isEmpty();
}

void TPrinter::SetOutputFileName(const QString& FileName) {
    CheckPrinting(false);
    FOutputFileName = FileName;
}

QString TPrinter::GetTitle() const {
    return FPrinter->docName();
}

void TPrinter::SetTitle(const QString& Title) {
    CheckPrinting(false);
    FPrinter->setDocName(Title);
}

void TPrinter::CheckPrinting(bool Value) const {
    if (Printing() != Value)
        throw EPrinter((Value ? SPrinterNotPrinting : SPrinterPrinting).Text());
}

void TPrinter::BeginDoc() {
    CheckPrinting(false);
    if (!FOutputFileName.isEmpty()) {
        FPrinter->setOutputFormat(QPrinter::PdfFormat);
        FPrinter->setOutputFileName(FOutputFileName);
    } else if (PrinterInstalled()) {
        FPrinter->setOutputFormat(QPrinter::NativeFormat);
    } else {
        throw EPrinter(SPrinterNoOutput.Text());
    }
    auto Canvas = std::make_unique<QPainter>();
    if (!Canvas->begin(FPrinter.get())) throw EPrinter(SPrinterStartFailed.Text());
    FCanvas = std::move(Canvas);
}

void TPrinter::NewPage() {
    CheckPrinting(true);
    FPrinter->newPage();
}

void TPrinter::EndDoc() {
    CheckPrinting(true);
    FCanvas->end();
    FCanvas.reset();
}

void TPrinter::Abort() {
    CheckPrinting(true);
    FPrinter->abort();
    FCanvas->end();
    FCanvas.reset();
}

int TPrinter::PageWidth() const {
    return FPrinter->pageLayout().paintRectPixels(FPrinter->resolution()).width();
}

int TPrinter::PageHeight() const {
    return FPrinter->pageLayout().paintRectPixels(FPrinter->resolution()).height();
}
