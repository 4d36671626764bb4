#include "TDialogScript.h"

#include <gtest/gtest.h>

#include <QDialog>

namespace testsupport {

namespace {

template <typename T>
T TakeNext(std::deque<T>& answers, T fallback, const QString& what) {
    if (answers.empty()) {
        ADD_FAILURE() << "no scripted answer for " << what.toStdString();
        return fallback;
    }
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

}  // namespace

TDialogScript::TDialogScript() {
    TMessageBox::SetTestAnswerer([this](const TMessageBox::TRequest& request) {
        Messages.push_back(request);
        return TakeNext(FMessageAnswers, TMessageBox::TAnswer::Cancel,
                        QStringLiteral("message box: ") + request.Text);
    });
    TFileDialog::SetTestAnswerer([this](const TFileDialog::TRequest& request) {
        FileDialogs.push_back(request);
        return TakeNext(FFileAnswers, std::optional<QString>(),
                        QStringLiteral("file dialog: ") + request.Filter);
    });
    TInputBox::SetTestAnswerer([this](const TInputBox::TRequest& request) {
        Inputs.push_back(request);
        return TakeNext(FInputAnswers, std::optional<QString>(),
                        QStringLiteral("input box: ") + request.Prompt);
    });
    TDialogRunner::SetTestAnswerer([this](QDialog& dialog) {
        Dialogs << dialog.objectName();
        const auto action = TakeNext(FDialogAnswers, std::function<void(QDialog&)>(),
                                     QStringLiteral("dialog: ") + dialog.objectName());
        dialog.setResult(QDialog::Rejected);
        if (action)
            action(dialog);
        return dialog.result();
    });
}

TDialogScript::~TDialogScript() {
    TMessageBox::SetTestAnswerer({});
    TFileDialog::SetTestAnswerer({});
    TInputBox::SetTestAnswerer({});
    TDialogRunner::SetTestAnswerer({});
    EXPECT_TRUE(FMessageAnswers.empty()) << "message answers left unused";
    EXPECT_TRUE(FFileAnswers.empty()) << "file dialog answers left unused";
    EXPECT_TRUE(FInputAnswers.empty()) << "input box answers left unused";
    EXPECT_TRUE(FDialogAnswers.empty()) << "dialog answers left unused";
}

QStringList TDialogScript::MessageTexts() const {
    QStringList texts;
    for (const auto& request : Messages)
        texts << request.Text;
    return texts;
}

}  // namespace testsupport
