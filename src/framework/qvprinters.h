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

    // The Qt printer underneath.
    QPrinter* Native() const { return FPrinter.get(); }
    // A printer is installed.
    static bool PrinterInstalled();

    const QString& GetOutputFileName() const { return FOutputFileName; }
    // A non-empty name prints into that PDF file instead of a printer.
    void SetOutputFileName(const QString& FileName);
    QString GetTitle() const;
    void SetTitle(const QString& Title);

    // Starts a print job.
    void BeginDoc();
    // Ends the page and starts the next.
    void NewPage();
    // Ends the job, which prints.
    void EndDoc();
    // Drops the job.
    void Abort();
    // A job is under way.
    bool Printing() const { return FCanvas != nullptr; }
    // The painter of the job; nullptr while not printing.
    QPainter* Canvas() const { return FCanvas.get(); }
    // Printable area of a page in device pixels.
    int PageWidth() const;
    // The height of the printable area in device pixels.
    int PageHeight() const;

private:
    void CheckPrinting(bool Printing) const;

    std::unique_ptr<QPrinter> FPrinter;
    std::unique_ptr<QPainter> FCanvas;
    QString FOutputFileName;
};

TPrinter* Printer();
