// Rich captions: parsing long markup is linear in its length.

#include "benchmain.h"

#include <annotations/qvrichlabel.h>
#include <style/qvgdi.h>

namespace {
// Bold toggles around single letters: a command every two characters.
void BM_ParseCaption(benchmark::State& State) {
    const qsizetype Length = State.range(0);
    QString Text;
    Text.reserve(Length);
    while (Text.size() + 3 <= Length)
        Text += QStringLiteral("\\bx");
    TGPBitmap Bitmap(64, 32);
    TGPGraphics Graphics(&Bitmap);
    TQvRichCaptionObject Caption;
    for (auto _ : State) {
        Caption.SetCaption(Text);
        Caption.ParseForSize(&Graphics);
        benchmark::DoNotOptimize(Caption.GetWidth());
    }
    State.SetItemsProcessed(State.iterations() * Length);
}
} // namespace
BENCHMARK(BM_ParseCaption)->Arg(200'000)->Arg(2'000'000)->Unit(benchmark::kMillisecond);
