#include "series/qvchildseries.h"

TQvChildSeries::TQvChildSeries(TComponent* AOwner) : TQvSeries(AOwner) {
    SetSubComponent(true);
    FDoPointSettingsStorage = true;
}
