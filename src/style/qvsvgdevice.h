#pragma once

// A paint device that writes SVG 1.1. Unlike QSvgGenerator of Qt 6.4 it keeps clips, the
// transforms of gradient brushes and texture brushes (hatches), which charts depend on.

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>
#include <QString>

#include <memory>

class TQvSvgPaintEngine;

// Writes clips, gradients with their transforms, texture brushes as patterns, images, and
// text as text. Every QPainter session starts a new document.
class TQvSvgDevice : public QPaintDevice {
public:
    explicit TQvSvgDevice(const QSize& Size, const QString& Title = QString());
    ~TQvSvgDevice() override;
    TQvSvgDevice(const TQvSvgDevice&) = delete;
    TQvSvgDevice& operator=(const TQvSvgDevice&) = delete;

    // The engine that records what a painter draws as SVG.
    QPaintEngine* paintEngine() const override;
    // The whole document; complete once the painter has ended, well-formed at any time.
    QByteArray Svg() const;
    QSize GetSize() const { return FSize; }

protected:
    // 96 dpi logical and physical, size in pixels.
    int metric(PaintDeviceMetric Metric) const override;

private:
    QSize FSize;
    std::unique_ptr<TQvSvgPaintEngine> FEngine;
};
