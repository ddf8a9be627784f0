#include "series/qvlabels.h"

#include "axes/qvstringfunctions.h"

namespace QvLabels {

QString ValueText(const QString& Format, double Value) {
    return Format.isEmpty() ? FloatToStr(Value) : FormatFloat(Format, Value);
}

QString PercentText(const QString& Format, double Percent) {
    if (Format.isEmpty()) return FormatFloat(QStringLiteral("##0.##%"), Percent);
    if (Format.contains(u'%')) return FormatFloat(Format, Percent);
    return FormatFloat(Format + u'%', Percent);
}

QString LabelText(TQvLabelStyle Style, const QString& Format, const QString& Caption, double Value,
                  double Percent, TCaptionBlank Blank) {
    const QString Lead =
        Caption.isEmpty() && Blank == TCaptionBlank::WhenCaption ? Caption : Caption + u' ';
    switch (Style) {
    case TQvLabelStyle::CaptionsList:
        return Caption;
    case TQvLabelStyle::Percent:
        return PercentText(Format, Percent);
    case TQvLabelStyle::CaptionAndValue:
        return (Caption.isEmpty() ? Caption : Caption + u' ') + ValueText(Format, Value);
    case TQvLabelStyle::CaptionAndPercent:
        return Lead + PercentText(Format, Percent);
    case TQvLabelStyle::Value:
        break;
    }
    return ValueText(Format, Value);
}

} // namespace QvLabels
