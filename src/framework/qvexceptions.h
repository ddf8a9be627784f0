#pragma once

// The exception classes of the library. Every message comes from src/strings.

#include <QByteArray>
#include <QString>

#include <exception>

class Exception : public std::exception {
public:
    explicit Exception(const QString& Message) : FMessage(Message), FUtf8(Message.toUtf8()) {}
    // The message.
    const QString& Message() const noexcept { return FMessage; }
    // The message in UTF-8.
    const char* what() const noexcept override { return FUtf8.constData(); }

private:
    QString FMessage;
    QByteArray FUtf8;
};

#define QV_DECLARE_EXCEPTION(Name, Base)                                                           \
    class Name : public Base {                                                                     \
    public:                                                                                        \
        using Base::Base;                                                                          \
    };

QV_DECLARE_EXCEPTION(EConvertError, Exception)
QV_DECLARE_EXCEPTION(ERangeError, Exception)
QV_DECLARE_EXCEPTION(EMathError, Exception)
QV_DECLARE_EXCEPTION(EOverflow, EMathError)
QV_DECLARE_EXCEPTION(EZeroDivide, EMathError)
QV_DECLARE_EXCEPTION(EInvalidOp, EMathError)
QV_DECLARE_EXCEPTION(EExternal, Exception)
QV_DECLARE_EXCEPTION(EMethodNotFound, Exception)
QV_DECLARE_EXCEPTION(EInvalidOperation, Exception)
QV_DECLARE_EXCEPTION(EComponentError, Exception)
QV_DECLARE_EXCEPTION(EStringListError, Exception)
QV_DECLARE_EXCEPTION(EStreamError, Exception)
QV_DECLARE_EXCEPTION(EFilerError, EStreamError)
QV_DECLARE_EXCEPTION(EReadError, EFilerError)
QV_DECLARE_EXCEPTION(EWriteError, EFilerError)
QV_DECLARE_EXCEPTION(EClassNotFound, EFilerError)
QV_DECLARE_EXCEPTION(EFOpenError, EStreamError)
QV_DECLARE_EXCEPTION(EFCreateError, EStreamError)
QV_DECLARE_EXCEPTION(EIniFileException, Exception)
QV_DECLARE_EXCEPTION(EXMLDocError, Exception)
QV_DECLARE_EXCEPTION(EDatabaseError, Exception)
QV_DECLARE_EXCEPTION(EPrinter, Exception)

#undef QV_DECLARE_EXCEPTION
