#pragma once
// An error of the headless command: the message for stderr and the exit status it ends with.

#include "TError.h"

class TCliError : public TError {
public:
    static constexpr int Failure = 1;
    static constexpr int CheckFailed = 2;

    TCliError(const QString& message, int status) : TError(message), FStatus(status) {}
    int Status() const { return FStatus; }

private:
    int FStatus;
};
