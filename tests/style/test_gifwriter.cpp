// GIF output through giflib, read back with Qt's GIF reader.

#include "../qvtest.h"

#include <framework/qvexceptions.h>
#include <strings/qvlocalize.h>
#include <style/qvgifwriter.h>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include <cmath>

namespace {

QByteArray Encode(const QImage& Image) {
    return Written([&](QIODevice* Stream) { SaveGif(Image, Stream); });
}

QImage Decode(QByteArray Data) {
    QBuffer Buffer(&Data);
    QImageReader Reader(&Buffer, "gif");
    const QImage Result = Reader.read();
    EXPECT_FALSE(Result.isNull()) << Reader.errorString().toStdString();
    return Result.convertToFormat(QImage::Format_ARGB32);
}

// Largest channel difference; transparent pixels match any other transparent pixel.
int MaxDifference(const QImage& Expected, const QImage& Actual) {
    if (Expected.size() != Actual.size()) return 1000;
    int Result = 0;
    for (int y = 0; y < Expected.height(); ++y)
        for (int x = 0; x < Expected.width(); ++x) {
            const QRgb A = Expected.pixel(x, y), B = Actual.pixel(x, y);
            if (qAlpha(A) == 0 && qAlpha(B) == 0) continue;
            for (const int Shift : {0, 8, 16, 24})
                Result =
                    std::max(Result, std::abs(int((A >> Shift) & 0xFF) - int((B >> Shift) & 0xFF)));
        }
    return Result;
}

// Flat background, grid lines, a bar and a line: what charts are made of.
QImage Chart(int Width, int Height) {
    QImage Image(Width, Height, QImage::Format_RGB32);
    Image.fill(QColor(250, 250, 245));
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            if (x % 10 == 3 || y % 10 == 3) Image.setPixel(x, y, qRgb(200, 200, 200));
            if (x > Width / 2 && y > Height / 3) Image.setPixel(x, y, qRgb(30, 90, 200));
            if ((x * 3 + y) % 17 == 0) Image.setPixel(x, y, qRgb(220, 20, 60));
        }
    Image.setPixel(0, 0, qRgb(0, 0, 0));
    return Image;
}

// Offset of what follows the global colour table: a graphics control extension or the image.
qsizetype AfterColorTable(const QByteArray& Data) {
    return 13 + 3 * (2 << (Data[10] & 7));
}

// Accepts Limit bytes, then fails; a write that crosses the limit is short.
class TLimitedDevice : public QIODevice {
public:
    explicit TLimitedDevice(qint64 Limit) : FLimit(Limit) { open(WriteOnly | Unbuffered); }
    QByteArray FData;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* Data, qint64 Count) override {
        const qint64 Accepted = std::min(Count, FLimit - FData.size());
        if (Accepted <= 0) return -1;
        FData.append(Data, Accepted);
        return Accepted;
    }

private:
    qint64 FLimit;
};

} // namespace

TEST(GifWriter, FewColoursRoundTripExactlyInEveryFormatAndSize) {
    ASSERT_TRUE(QImageReader::supportedImageFormats().contains("gif"));
    for (const QSize Size : {QSize(1, 1), QSize(333, 7), QSize(7, 333), QSize(64, 48)})
        for (const auto Format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied,
                                  QImage::Format_RGB888, QImage::Format_Indexed8}) {
            SCOPED_TRACE(testing::Message()
                         << Size.width() << "x" << Size.height() << " format " << Format);
            const QImage Image = Chart(Size.width(), Size.height()).convertToFormat(Format);
            const QByteArray Data = Encode(Image);
            EXPECT_TRUE(Data.startsWith("GIF89a"));
            EXPECT_EQ(Data.back(), ';');
            EXPECT_EQ(Data[AfterColorTable(Data)], ',') << "no transparency, no control block";
            EXPECT_EQ(MaxDifference(Image.convertToFormat(QImage::Format_ARGB32), Decode(Data)), 0);
        }

    // The colour table is the smallest power of two that holds the colours.
    QImage Mono(9, 5, QImage::Format_Mono);
    Mono.fill(0);
    Mono.setPixel(4, 2, 1);
    const QByteArray MonoData = Encode(Mono);
    EXPECT_EQ(MonoData[10] & 7, 0); // two entries
    EXPECT_EQ(MaxDifference(Mono.convertToFormat(QImage::Format_ARGB32), Decode(MonoData)), 0);
    EXPECT_EQ(Encode(Chart(64, 48))[10] & 7, 2); // five colours, eight entries

    // 256 colours still fit exactly; 256 beside a transparent pixel need one cut, which merges
    // the only two colours in the same histogram cell.
    QImage Full(17, 16, QImage::Format_ARGB32);
    Full.fill(Qt::transparent);
    for (int i = 0; i < 256; ++i)
        Full.setPixel(i % 16, i / 16, qRgb((i % 16) * 16, (i / 16) * 16, 128));
    Full.setPixel(15, 15, qRgb(1, 0, 128));
    const QImage Opaque = Full.copy(0, 0, 16, 16);
    EXPECT_EQ(MaxDifference(Opaque, Decode(Encode(Opaque))), 0);
    EXPECT_EQ(MaxDifference(Full, Decode(Encode(Full))), 1);
}

TEST(GifWriter, AlphaBelowHalfBecomesTheTransparentIndex) {
    QImage Image(6, 3, QImage::Format_ARGB32);
    Image.fill(Qt::transparent);
    Image.setPixel(1, 1, qRgba(10, 20, 30, 255));
    Image.setPixel(2, 1, qRgba(10, 20, 30, 128)); // opaque, same colour
    Image.setPixel(3, 1, qRgba(200, 20, 30, 127));
    Image.setPixel(5, 2, qRgba(0, 0, 0, 255));
    const QByteArray Data = Encode(Image);
    const qsizetype Control = AfterColorTable(Data);
    ASSERT_EQ(Data.mid(Control, 3), QByteArray("\x21\xF9\x04", 3));
    EXPECT_EQ(Data[Control + 3] & 1, 1);     // transparency flag
    EXPECT_EQ(quint8(Data[Control + 6]), 0); // transparent index
    EXPECT_EQ(Data[Control + 8], ',');       // the image follows
    QImage Expected = Image;
    Expected.setPixel(2, 1, qRgb(10, 20, 30));
    Expected.setPixel(3, 1, 0);
    EXPECT_EQ(MaxDifference(Expected, Decode(Data)), 0);

    Image.fill(Qt::transparent);
    EXPECT_EQ(MaxDifference(Image, Decode(Encode(Image))), 0);
}

TEST(GifWriter, GradientsAreQuantisedClosely) {
    // Four corner colours blended across the image, like a sky or a shaded background.
    QImage Image(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x) {
            const double u = x / 399.0, v = y / 299.0;
            const auto Blend = [&](int A, int B, int C, int D) {
                return int(
                    std::lround((A * (1 - u) + B * u) * (1 - v) + (C * (1 - u) + D * u) * v));
            };
            Image.setPixel(
                x, y,
                qRgb(Blend(30, 250, 90, 200), Blend(60, 120, 200, 240), Blend(200, 40, 120, 30)));
        }
    EXPECT_LE(MaxDifference(Image, Decode(Encode(Image))), 10);

    // A ramp with more than 256 levels keeps its order, so no bands appear.
    QImage Ramp(1024, 1, QImage::Format_RGB32);
    for (int x = 0; x < Ramp.width(); ++x)
        Ramp.setPixel(x, 0, qRgb(x / 4, (x + 1) / 4, (x + 2) / 4));
    const QImage RampDecoded = Decode(Encode(Ramp));
    EXPECT_LE(MaxDifference(Ramp, RampDecoded), 3);
    for (int x = 1; x < Ramp.width(); ++x)
        ASSERT_GE(qRed(RampDecoded.pixel(x, 0)), qRed(RampDecoded.pixel(x - 1, 0))) << x;
}

TEST(GifWriter, BadImagesAndFailingDevicesRaise) {
    using namespace Qvlocalize;
    QByteArray Data;
    QBuffer Buffer(&Data);
    Buffer.open(QIODevice::WriteOnly);
    EXPECT_EQ(MessageOf<EConvertError>([&] { SaveGif(QImage(), &Buffer); }), SGifNullImage.Text());
    EXPECT_EQ(
        MessageOf<EConvertError>([&] { SaveGif(QImage(65536, 1, QImage::Format_Mono), &Buffer); }),
        Format(SGifTooLarge, {65536, 1}));
    EXPECT_TRUE(Data.isEmpty());

    const QString Prefix = Format(SGifWriteError, {""});
    const auto ExpectWriteError = [&](QIODevice* Device, const QImage& Image) {
        const QString Message = MessageOf<EWriteError>([&] { SaveGif(Image, Device); });
        EXPECT_TRUE(Message.startsWith(Prefix) && Message.size() > Prefix.size())
            << Message.toStdString();
    };
    const QImage Image = Chart(50, 40);
    const QByteArray Good = Encode(Image);
    QBuffer ReadOnly(&Data);
    ReadOnly.open(QIODevice::ReadOnly);
    QBuffer Closed;
    for (QIODevice* Device : std::initializer_list<QIODevice*>{nullptr, &ReadOnly, &Closed})
        ExpectWriteError(Device, Image);

    // Fails in the header, the colour table, the image data and the trailer.
    for (const qint64 Limit :
         {qint64(0), qint64(4), qint64(20), Good.size() / 2, Good.size() - 1}) {
        TLimitedDevice Device(Limit);
        SCOPED_TRACE(Limit);
        ExpectWriteError(&Device, Image);
    }
    TLimitedDevice Enough(Good.size());
    SaveGif(Image, &Enough);
    EXPECT_EQ(Enough.FData, Good);
}
