// The library's error classes. Exception is the root; every error carries its
// message as text. The floating-point faults derive from EMathError, so a
// handler for EMathError sees every numeric failure.
#pragma once

#include <QString>

#include <exception>

namespace Brix {

class Exception : public std::exception
{
public:
    explicit Exception(QString Msg) : FMessage(std::move(Msg)), FUtf8(FMessage.toUtf8()) {}
    const QString &Message() const { return FMessage; }
    const char *what() const noexcept override { return FUtf8.constData(); }

private:
    QString FMessage;
    QByteArray FUtf8;
};

// Invalid arguments of the numeric routines; the message is a math text.
class EMathError : public Exception
{
public:
    using Exception::Exception;
};

// "Floating point overflow"
class EOverflow : public EMathError
{
public:
    EOverflow();
    using EMathError::EMathError;
};

// "Floating point division by zero"
class EZeroDivide : public EMathError
{
public:
    EZeroDivide();
    using EMathError::EMathError;
};

// "Invalid floating point operation"
class EInvalidOp : public EMathError
{
public:
    EInvalidOp();
    using EMathError::EMathError;
};

// A text that is not a number of the expected kind.
class EConvertError : public Exception
{
public:
    using Exception::Exception;
};

// A file that cannot be read or written; the message names the file.
class EFileError : public Exception
{
public:
    using Exception::Exception;
};

} // namespace Brix
