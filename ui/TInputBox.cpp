#include "TInputBox.h"

#include <QInputDialog>

namespace {

TInputBox::TAnswerer& TestAnswerer() {
    static TInputBox::TAnswerer answerer;
    return answerer;
}

}  // namespace

std::optional<QString> TInputBox::GetText(QWidget* parent, const QString& caption,
                                          const QString& prompt, const QString& initialText) {
    if (TestAnswerer())
        return TestAnswerer()({caption, prompt, initialText});
    QInputDialog dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initialText);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("キャンセル"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

void TInputBox::SetTestAnswerer(TAnswerer answerer) {
    TestAnswerer() = std::move(answerer);
}
