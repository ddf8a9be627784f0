#pragma once

// The printer: a print job of pages drawn through a QPainter. Without an installed printer,
// an output file name turns the job into a PDF file.

#include <QString>

#include <memory>

class QPainter;
class QPrinter;

class TPrinter {
public:
    TPrinter();
    ~TPrinter();

    QPrinter* Native() const { return FPrinter.get(); }
    static bool PrinterInstalled();

    const QString& GetOutputFileName() const { return FOutputFileName; }
    // A non-empty name prints into that PDF file instead of a printer.
    void SetOutputFileName(const QString& FileName);
    QString GetTitle() const;
    void SetTitle(const QString& Title);

    void BeginDoc();
    void NewPage();
    void EndDoc();
    void Abort();
    bool Printing() const { return FCanvas != nullptr; }
    // The painter of the job; nullptr while not printing.
    QPainter* Canvas() const { return FCanvas.get(); }
    // Printable area of a page in device pixels.
    int PageWidth() const;
    int PageHeight() const;

private:
    void CheckPrinting(bool Printing) const;

    std::unique_ptr<QPrinter> FPrinter;
    std::unique_ptr<QPainter> FCanvas;
    QString FOutputFileName;
};

TPrinter* Printer();
