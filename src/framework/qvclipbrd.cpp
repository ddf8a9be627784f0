#include "framework/qvclipbrd.h"

#include "framework/qvexceptions.h"
#include "strings/qvlocalize.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {
QClipboard* SystemClipboard() {
    QClipboard* Result = qGuiApp ? QGuiApplication::clipboard() : nullptr;
    if (!Result) throw EInvalidOperation(Qvlocalize::SClipboardUnavailable.Text());
    return Result;
}
} // namespace

TClipboard* Clipboard() {
    static TClipboard Instance;
    return &Instance;
}

void TClipboard::SetImage(const QImage& Image) {
    SystemClipboard()->setImage(Image);
}

void TClipboard::SetPicture(const QByteArray& Svg, const QImage& Preview) {
    auto* Data = new QMimeData;
    Data->setData(QString::fromLatin1(PictureMimeType), Svg);
    if (!Preview.isNull()) Data->setImageData(Preview);
    SystemClipboard()->setMimeData(Data);
}

QImage TClipboard::GetImage() const {
    return SystemClipboard()->image();
}

QByteArray TClipboard::GetPicture() const {
    const QMimeData* Data = SystemClipboard()->mimeData();
    return Data ? Data->data(QString::fromLatin1(PictureMimeType)) : QByteArray();
}

bool TClipboard::HasImage() const {
    const QMimeData* Data = SystemClipboard()->mimeData();
    return Data && Data->hasImage();
}

bool TClipboard::HasPicture() const {
    const QMimeData* Data = SystemClipboard()->mimeData();
    return Data && Data->hasFormat(QString::fromLatin1(PictureMimeType));
}

void TClipboard::Clear() {
    SystemClipboard()->clear();
}
