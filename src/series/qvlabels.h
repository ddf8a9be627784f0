#pragma once

// The texts of value labels, shared by bars and pies: the value, a caption, the share in
// percent, or a caption followed by either.

#include <QObject>
#include <QString>

#include <functional>

namespace QvLabels {
Q_NAMESPACE

enum class TQvLabelStyle {
    Value,
    CaptionsList,
    Percent,
    CaptionAndValue,
    CaptionAndPercent
};
Q_ENUM_NS(TQvLabelStyle)

// The value in Format, the general float format when Format is empty.
QString ValueText(const QString& Format, double Value);
// The percentage in Format, "##0.##%" when it is empty; "%" is appended when Format has none.
QString PercentText(const QString& Format, double Percent);

// How a caption joins the number after it: with a blank always, or only when there is a
// caption.
enum class TCaptionBlank {
    Always,
    WhenCaption
};

QString LabelText(TQvLabelStyle Style, const QString& Format, const QString& Caption, double Value,
                  double Percent, TCaptionBlank Blank);

} // namespace QvLabels

using QvLabels::TQvLabelStyle;

using TObject = QObject;

// May replace the text of the label of the value at Index.
struct TQvGetLabelEventArgs {
    QString Caption;
    int Index;
};
using TQvGetLabelEventHandler = std::function<void(TObject* Sender, TQvGetLabelEventArgs& e)>;
