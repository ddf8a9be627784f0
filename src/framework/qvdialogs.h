#pragma once

// Message boxes. The question goes through a replaceable handler, so that programs without a
// display and tests can answer it; the default shows a QMessageBox when a display exists.

#include <QFlags>
#include <QObject>
#include <QString>

#include <functional>

namespace Dialogs {
Q_NAMESPACE

enum class TMsgDlgType {
    Warning,
    Error,
    Information,
    Confirmation,
    Custom
};
Q_ENUM_NS(TMsgDlgType)

enum class TMsgDlgBtn {
    Yes = 1 << 0,
    No = 1 << 1,
    OK = 1 << 2,
    Cancel = 1 << 3,
    Abort = 1 << 4,
    Retry = 1 << 5,
    Ignore = 1 << 6,
    All = 1 << 7,
    NoToAll = 1 << 8,
    YesToAll = 1 << 9,
    Help = 1 << 10,
    Close = 1 << 11,
};
Q_DECLARE_FLAGS(TMsgDlgButtons, TMsgDlgBtn)
Q_FLAG_NS(TMsgDlgButtons)

} // namespace Dialogs

Q_DECLARE_OPERATORS_FOR_FLAGS(Dialogs::TMsgDlgButtons)

using Dialogs::TMsgDlgBtn;
using Dialogs::TMsgDlgButtons;
using Dialogs::TMsgDlgType;

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrClose = 8;
inline constexpr TModalResult mrHelp = 9;
inline constexpr TModalResult mrAll = 12;
inline constexpr TModalResult mrNoToAll = 13;
inline constexpr TModalResult mrYesToAll = 14;

using TMessageDlgHandler =
    std::function<TModalResult(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons)>;

// Asks Msg with the given buttons and returns the result of the button chosen.
TModalResult MessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                        int HelpCtx = 0);
// Installs a handler (an empty one restores the default) and returns the previous one.
TMessageDlgHandler SetMessageDlgHandler(TMessageDlgHandler Handler);
// What the default handler answers without a display: Yes, else OK, else the first button.
TModalResult DefaultMessageDlgResult(TMsgDlgButtons Buttons);
