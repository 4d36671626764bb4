#include "TDialogRunner.h"

#include <QDialog>

namespace {

TDialogRunner::TAnswerer& TestAnswerer() {
    static TDialogRunner::TAnswerer answerer;
    return answerer;
}

}  // namespace

int TDialogRunner::ShowModal(QDialog& dialog) {
    if (TestAnswerer())
        return TestAnswerer()(dialog);
    return dialog.exec();
}

void TDialogRunner::SetTestAnswerer(TAnswerer answerer) {
    TestAnswerer() = std::move(answerer);
}
