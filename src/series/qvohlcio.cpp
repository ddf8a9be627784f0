// The records of price bars: bar width and the low, open and high data in every series' part
// "OHLC" (INI keys "OHLC."), then the tick length of OHLC bars or the colours of candlesticks.

#include "series/qvohlc.h"

#include "framework/qvclasses.h"
#include "style/qvrecord.h"

using QvRecord::Setter;

namespace {

// Documents create price series by their class name.
[[maybe_unused]] const bool Registered = [] {
    RegisterClass<TQvOHLC>();
    RegisterClass<TQvCandleSticks>();
    return true;
}();

} // namespace

void TQvCustomOHLC::VisitRecord(QvRecord::TRecord& R) {
    R.Field({"OHLC.BarWidth", "OHLC", "BarWidth"}, FBarWidth,
            Setter(this, &TQvCustomOHLC::SetBarWidth));
    R.Reference<TQvCustomDoubleVector>({"OHLC.LowData", "OHLC", "LowData"}, FLowData,
                                       Setter(this, &TQvCustomOHLC::SetLowData));
    R.Reference<TQvCustomDoubleVector>({"OHLC.OpenData", "OHLC", "OpenData"}, FOpenData,
                                       Setter(this, &TQvCustomOHLC::SetOpenData));
    R.Reference<TQvCustomDoubleVector>({"OHLC.HighData", "OHLC", "HighData"}, FHighData,
                                       Setter(this, &TQvCustomOHLC::SetHighData));
    VisitKindRecord(R);
    R.End("price bars");
}

void TQvOHLC::VisitKindRecord(QvRecord::TRecord& R) {
    R.Field({"OHLC.IndicatorLength", "OHLC", "IndicatorLength"}, FIndicatorLength,
            Setter(this, &TQvOHLC::SetIndicatorLength));
}

void TQvCandleSticks::VisitKindRecord(QvRecord::TRecord& R) {
    R.Color({"Candles.BullColor", "Candles", "BullColor"}, FBullColor,
            Setter(this, &TQvCandleSticks::SetBullColor));
    R.Color({"Candles.BearColor", "Candles", "BearColor"}, FBearColor,
            Setter(this, &TQvCandleSticks::SetBearColor));
    R.Field({"Candles.ShadowsSameColorAsFill", "Candles", "ShadowsSameColorAsFill"},
            FShadowsSameColorAsFill, Setter(this, &TQvCandleSticks::SetShadowsSameColorAsFill));
}
