#include "style/qvpdfpage.h"

#include <QPageSize>
#include <QPdfWriter>

namespace {
constexpr double ScreenDpi = 96;
}

void WritePdfPage(QIODevice* Stream, const QSize& Pixels, const QString& Title,
                  const std::function<void(QPaintDevice* Device)>& Paint) {
    QPdfWriter Pdf(Stream);
    Pdf.setResolution(int(ScreenDpi));
    Pdf.setPageSize(QPageSize(QSizeF(Pixels) / ScreenDpi, QPageSize::Inch));
    Pdf.setPageMargins(QMarginsF());
    Pdf.setTitle(Title);
    Paint(&Pdf);
}
