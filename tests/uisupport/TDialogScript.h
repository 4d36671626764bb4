#pragma once
// Answers the message boxes, file dialogs, input boxes and the windows' own modal dialogs of a
// widget test from queues, and records every request. Installed for the lifetime of the
// object; a request with no answer left fails the test and is answered with Cancel (or
// nothing).

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

#include "TDialogRunner.h"
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
    // Works the next modal dialog (ticks boxes, clicks its OK or Cancel button); the dialog's
    // result after that is the answer, Rejected when the action pressed nothing.
    void AnswerDialog(std::function<void(QDialog&)> action) {
        FDialogAnswers.push_back(std::move(action));
    }

    std::vector<TMessageBox::TRequest> Messages;
    std::vector<TFileDialog::TRequest> FileDialogs;
    std::vector<TInputBox::TRequest> Inputs;
    // The object names of the modal dialogs shown, in order.
    QStringList Dialogs;

    // The texts of the message boxes shown so far, in order.
    QStringList MessageTexts() const;

private:
    std::deque<TMessageBox::TAnswer> FMessageAnswers;
    std::deque<std::optional<QString>> FFileAnswers;
    std::deque<std::optional<QString>> FInputAnswers;
    std::deque<std::function<void(QDialog&)>> FDialogAnswers;
};

}  // namespace testsupport
