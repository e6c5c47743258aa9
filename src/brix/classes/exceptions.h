/// @file
/// The library's error classes. Exception is the root; every error carries its
/// message as text. The floating-point faults derive from EMathError, so a
/// handler for EMathError sees every numeric failure.
#pragma once

#include "brix/export.h"

#include <QString>

#include <exception>

namespace Brix {

/// The root of the library's errors.
class BRIX_CORE_EXPORT Exception : public std::exception
{
public:
    /// An error with the message Msg.
    explicit Exception(QString Msg) : FMessage(std::move(Msg)), FUtf8(FMessage.toUtf8()) {}
    /// The message.
    const QString &Message() const { return FMessage; }
    /// The message in UTF-8.
    const char *what() const noexcept override { return FUtf8.constData(); }

private:
    QString FMessage;
    QByteArray FUtf8;
};

/// Invalid arguments of the numeric routines; the message is a math text.
class BRIX_CORE_EXPORT EMathError : public Exception
{
public:
    /// An error with the given message.
    using Exception::Exception;
};

/// "Floating point overflow"
class BRIX_CORE_EXPORT EOverflow : public EMathError
{
public:
    EOverflow();
    using EMathError::EMathError;
};

/// "Floating point division by zero"
class BRIX_CORE_EXPORT EZeroDivide : public EMathError
{
public:
    EZeroDivide();
    using EMathError::EMathError;
};

/// "Invalid floating point operation"
class BRIX_CORE_EXPORT EInvalidOp : public EMathError
{
public:
    EInvalidOp();
    using EMathError::EMathError;
};

/// A text that is not a number of the expected kind.
class BRIX_CORE_EXPORT EConvertError : public Exception
{
public:
    /// An error with the given message.
    using Exception::Exception;
};

/// A file that cannot be read or written; the message names the file.
class BRIX_CORE_EXPORT EFileError : public Exception
{
public:
    /// An error with the given message.
    using Exception::Exception;
};

} // namespace Brix
