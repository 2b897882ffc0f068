// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <exception>

// The system's named error kinds. Handlers let them escape; the application's
// top-level handler shows the message in the error box and the program goes on.
class Exception : public std::exception
{
public:
    explicit Exception(QString message) : m_message(std::move(message)) {}
    const QString &message() const noexcept { return m_message; }
    // The kind's name, e.g. "EConvertError", for tests and diagnostics.
    virtual const char *kind() const noexcept { return "Exception"; }
    const char *what() const noexcept override { return kind(); }

private:
    QString m_message;
};

// Ends a handler silently: the top-level handler shows nothing for it.
class EAbort : public Exception
{
public:
    EAbort() : Exception(QString()) {}
    const char *kind() const noexcept override { return "EAbort"; }
};

class EConvertError : public Exception
{
public:
    using Exception::Exception;
    const char *kind() const noexcept override { return "EConvertError"; }
};

class EMathError : public Exception
{
public:
    using Exception::Exception;
    const char *kind() const noexcept override { return "EMathError"; }
};

class EOverflow : public EMathError
{
public:
    EOverflow() : EMathError(QStringLiteral("Floating point overflow")) {}
    const char *kind() const noexcept override { return "EOverflow"; }
};

class EZeroDivide : public EMathError
{
public:
    EZeroDivide() : EMathError(QStringLiteral("Floating point division by zero")) {}
    const char *kind() const noexcept override { return "EZeroDivide"; }
};

class EInvalidOp : public EMathError
{
public:
    EInvalidOp() : EMathError(QStringLiteral("Invalid floating point operation")) {}
    const char *kind() const noexcept override { return "EInvalidOp"; }
};
