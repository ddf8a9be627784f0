#include "graph/qvserieslayer.h"

#include <QPainter>

#include <cmath>

void TQvSeriesLayer::Paint(TGPGraphics* Graphics, const TKey& Key, const TGPRectF& Bounds,
                           const std::function<void(TGPGraphics*)>& Draw) {
    if (!Graphics->IsRaster()) {
        Clear();
        Draw(Graphics);
        return;
    }
    QPainter* Painter = Graphics->GetHDC();
    const QTransform Base = Painter->worldTransform();
    const QTransform Device = Graphics->GetTransform().ToQt() * Base;
    const QRect Target(0, 0, Painter->device()->width(), Painter->device()->height());
    const bool Whole =
        Device.type() <= QTransform::TxTranslate && Device.dx() == std::round(Device.dx()) &&
        Device.dy() == std::round(Device.dy()) && Painter->device()->devicePixelRatio() == 1;
    Graphics->ReleaseHDC(Painter);
    const QRect Place = Device.mapRect(Bounds.ToQt()).toAlignedRect() & Target;
    if (!Whole || Place.isEmpty()) {
        Clear();
        Draw(Graphics);
        return;
    }
    if (!(Key == FKey) || Device != FDevice || Place != FPlace) {
        // A picture painted once (a step of a zoom, say) never pays for an image: only a
        // second paint of the same one keeps it.
        FImage = QImage();
        FKey = Key;
        FDevice = Device;
        FPlace = Place;
        Draw(Graphics);
        return;
    }
    if (FImage.isNull()) {
        FImage = QImage(Place.size(), QImage::Format_ARGB32_Premultiplied);
        FImage.fill(Qt::transparent);
        QPainter LayerPainter(&FImage);
        LayerPainter.setWorldTransform(Base *
                                       QTransform::fromTranslate(-Place.left(), -Place.top()));
        {
            TGPGraphics Layer(&LayerPainter);
            Layer.SetTransform(Graphics->GetTransform());
            Layer.SetSmoothingMode(Graphics->GetSmoothingMode());
            Draw(&Layer);
        }
    }
    // The target's clip cuts the copy as it would have cut the drawing.
    Painter = Graphics->GetHDC();
    Painter->resetTransform();
    Painter->drawImage(Place.topLeft(), FImage);
    Graphics->ReleaseHDC(Painter);
}

void TQvSeriesLayer::Clear() {
    FImage = QImage();
    FKey = {};
}
