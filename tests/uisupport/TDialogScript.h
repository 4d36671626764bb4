#pragma once
// Answers the message boxes, file dialogs and input boxes of a widget test from queues, and
// records every request. Installed for the lifetime of the object; a request with no answer
// left fails the test and is answered with Cancel (or nothing).

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

#include "TFileDialog.h"
#include "TInputBox.h"
#include "TMessageBox.h"

namespace testsupport {

class TDialogScript {
public:
    TDialogScript();
    ~TDialogScript();
    TDialogScript(const TDialogScript&) = delete;
    TDialogScript& operator=(const TDialogScript&) = delete;

    void AnswerMessage(TMessageBox::TAnswer answer) { FMessageAnswers.push_back(answer); }
    void AnswerFile(std::optional<QString> path) { FFileAnswers.push_back(std::move(path)); }
    void AnswerInput(std::optional<QString> text) { FInputAnswers.push_back(std::move(text)); }

    std::vector<TMessageBox::TRequest> Messages;
    std::vector<TFileDialog::TRequest> FileDialogs;
    std::vector<TInputBox::TRequest> Inputs;

    // The texts of the message boxes shown so far, in order.
    QStringList MessageTexts() const;

private:
    std::deque<TMessageBox::TAnswer> FMessageAnswers;
    std::deque<std::optional<QString>> FFileAnswers;
    std::deque<std::optional<QString>> FInputAnswers;
};

}  // namespace testsupport
