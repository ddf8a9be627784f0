#pragma once

// One PDF page the size of an image, painted by Paint: at 96 dots per inch like the screen and
// the SVG device, so that text measures as there and axes choose the same ticks.

#include <QSize>
#include <QString>

#include <functional>

class QIODevice;
class QPaintDevice;

void WritePdfPage(QIODevice* Stream, const QSize& Pixels, const QString& Title,
                  const std::function<void(QPaintDevice* Device)>& Paint);
