#pragma once
// The one error type of the system: it carries the complete message meant for the user.

#include <QString>
#include <exception>
#include <string>

class TError : public std::exception {
public:
    explicit TError(const QString& message) : FMessage(message), FUtf8(message.toStdString()) {}
    const QString& Message() const noexcept { return FMessage; }
    const char* what() const noexcept override { return FUtf8.c_str(); }

private:
    QString FMessage;
    std::string FUtf8;
};
