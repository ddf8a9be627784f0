#pragma once

// Dialogs answered without a user: the messages asked are recorded.

#include <framework/qvdialogs.h>

#include <QStringList>

// Installs a dialog handler that records the messages and answers with Answer.
struct TDialogs {
    explicit TDialogs(TModalResult Answer)
        : Previous(
              SetMessageDlgHandler([this, Answer](const QString& Msg, TMsgDlgType, TMsgDlgButtons) {
                  Asked << Msg;
                  return Answer;
              })) {}
    ~TDialogs() { SetMessageDlgHandler(Previous); }
    QStringList Asked;
    TMessageDlgHandler Previous;
};
