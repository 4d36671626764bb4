#include "TMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

TMessageBox::TAnswerer& TestAnswerer() {
    static TMessageBox::TAnswerer answerer;
    return answerer;
}

QMessageBox::Icon IconOf(TMessageBox::TKind kind) {
    switch (kind) {
        case TMessageBox::TKind::Warning:
            return QMessageBox::Warning;
        case TMessageBox::TKind::Confirmation:
            return QMessageBox::Question;
        case TMessageBox::TKind::Error:
            break;
    }
    return QMessageBox::Critical;
}

TMessageBox::TRequest Request(TMessageBox::TKind kind, TMessageBox::TButtons buttons,
                              const QString& caption, const QString& text) {
    return {kind, buttons, caption, text};
}

}  // namespace

void TMessageBox::Warning(QWidget* parent, const QString& text) {
    Show(parent, Request(TKind::Warning, TButtons::Ok, QStringLiteral("警告"), text));
}

TMessageBox::TAnswer TMessageBox::Confirm(QWidget* parent, const QString& text) {
    return Show(parent,
                Request(TKind::Confirmation, TButtons::YesNoCancel, QStringLiteral("確認"), text));
}

TMessageBox::TAnswer TMessageBox::WarningYesNoCancel(QWidget* parent, const QString& text) {
    return Show(parent,
                Request(TKind::Warning, TButtons::YesNoCancel, QStringLiteral("警告"), text));
}

void TMessageBox::Error(QWidget* parent, const QString& text) {
    Show(parent, Request(TKind::Error, TButtons::Ok, QApplication::applicationDisplayName(), text));
}

TMessageBox::TAnswer TMessageBox::Show(QWidget* parent, const TRequest& request) {
    if (TestAnswerer())
        return TestAnswerer()(request);
    QMessageBox box(IconOf(request.Kind), request.Caption, request.Text, QMessageBox::NoButton,
                    parent);
    if (request.Buttons == TButtons::Ok) {
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.exec();
        return TAnswer::Ok;
    }
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return TAnswer::Yes;
    return box.clickedButton() == no ? TAnswer::No : TAnswer::Cancel;
}

void TMessageBox::SetTestAnswerer(TAnswerer answerer) {
    TestAnswerer() = std::move(answerer);
}
