// Rich captions: any text is parsed, measured and painted into a small image, once plain and
// once with every draw effect; the first byte picks angle, alignment and effect.

#include "fuzzing.h"

#include <annotations/qvrichlabel.h>
#include <style/qvgdi.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0) return 0;
    const uint8_t Choice = Data[0];
    static QvFuzz::TChart Chart;
    TQvRichCaptionObject Caption;
    Caption.SetCaption(QString::fromUtf8(QvFuzz::Bytes(Data + 1, Size - 1)));
    Caption.SetAngle(float(Choice % 8) * 45.0f);
    Caption.SetAlign(TQvContentAlignment(Choice % 9));
    Caption.GetFont()->SetDrawEffects(TQvCharDrawEffects::fromInt((Choice >> 4) & 0xF));
    TGPBitmap Bitmap(48, 32);
    TGPGraphics Graphics(&Bitmap);
    try {
        Caption.ParseForSize(&Graphics, Chart.Series);
        Caption.SetAnchor(24, 16);
        Caption.PaintGr(&Graphics);
    } catch (const Exception&) {
    }
    return 0;
}
