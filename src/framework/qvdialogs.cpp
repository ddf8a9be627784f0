#include "framework/qvdialogs.h"

#include <QApplication>
#include <QMessageBox>

#include <array>
#include <utility>

namespace {
struct TButtonInfo {
    TMsgDlgBtn Button;
    QMessageBox::StandardButton Standard;
    TModalResult Result;
};

constexpr std::array<TButtonInfo, 12> ButtonInfos{{
    {TMsgDlgBtn::Yes, QMessageBox::Yes, mrYes},
    {TMsgDlgBtn::No, QMessageBox::No, mrNo},
    {TMsgDlgBtn::OK, QMessageBox::Ok, mrOk},
    {TMsgDlgBtn::Cancel, QMessageBox::Cancel, mrCancel},
    {TMsgDlgBtn::Abort, QMessageBox::Abort, mrAbort},
    {TMsgDlgBtn::Retry, QMessageBox::Retry, mrRetry},
    {TMsgDlgBtn::Ignore, QMessageBox::Ignore, mrIgnore},
    {TMsgDlgBtn::YesToAll, QMessageBox::YesToAll, mrYesToAll},
    {TMsgDlgBtn::NoToAll, QMessageBox::NoToAll, mrNoToAll},
    {TMsgDlgBtn::All, QMessageBox::YesToAll, mrAll},
    {TMsgDlgBtn::Help, QMessageBox::Help, mrHelp},
    {TMsgDlgBtn::Close, QMessageBox::Close, mrClose},
}};

bool HasDisplay() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return false;
    const QString Platform = QGuiApplication::platformName();
    return Platform != QLatin1String("offscreen") && Platform != QLatin1String("minimal");
}

TModalResult ShowMessageBox(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
    if (!HasDisplay()) return DefaultMessageDlgResult(Buttons);
    QMessageBox::StandardButtons Standard;
    for (const TButtonInfo& Info : ButtonInfos)
        if (Buttons.testFlag(Info.Button)) Standard |= Info.Standard;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    switch (DlgType) {
    case TMsgDlgType::Warning:
        Icon = QMessageBox::Warning;
        break;
    case TMsgDlgType::Error:
        Icon = QMessageBox::Critical;
        break;
    case TMsgDlgType::Information:
        Icon = QMessageBox::Information;
        break;
    case TMsgDlgType::Confirmation:
        Icon = QMessageBox::Question;
        break;
    case TMsgDlgType::Custom:
        break;
    }
    // The framework's messages use CR as line break.
    QString Text = Msg;
    Text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox Box(Icon, QApplication::applicationDisplayName(), Text, Standard);
    const auto Chosen = QMessageBox::StandardButton(Box.exec());
    for (const TButtonInfo& Info : ButtonInfos)
        if (Buttons.testFlag(Info.Button) && Info.Standard == Chosen) return Info.Result;
    return mrCancel;
}

TMessageDlgHandler& CurrentHandler() {
    static TMessageDlgHandler Handler;
    return Handler;
}
} // namespace

TModalResult DefaultMessageDlgResult(TMsgDlgButtons Buttons) {
    if (Buttons.testFlag(TMsgDlgBtn::Yes)) return mrYes;
    if (Buttons.testFlag(TMsgDlgBtn::OK)) return mrOk;
    for (const TButtonInfo& Info : ButtonInfos)
        if (Buttons.testFlag(Info.Button)) return Info.Result;
    return mrNone;
}

TModalResult MessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int) {
    const TMessageDlgHandler& Handler = CurrentHandler();
    return Handler ? Handler(Msg, DlgType, Buttons) : ShowMessageBox(Msg, DlgType, Buttons);
}

TMessageDlgHandler SetMessageDlgHandler(TMessageDlgHandler Handler) {
    return std::exchange(CurrentHandler(), std::move(Handler));
}
