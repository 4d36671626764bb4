#pragma once
// Drives the controls of a window in a widget test by their object names: finds children,
// puts text into boxes, clicks buttons, and makes the dialog answers that press OK or Cancel.

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QString>
#include <functional>

#include <gtest/gtest.h>

namespace testsupport {

// The child of `root` with this object name; fails the test when there is none.
template <typename T>
T* Child(const QObject& root, const QString& name) {
    T* child = root.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << "no child named " << name.toStdString();
    return child;
}

// Puts text into the line edit named `name`.
void SetText(const QObject& root, const QString& name, const QString& text);
// Clicks the button named `name`.
void Click(const QObject& root, const QString& name);
// Dialog answers (TDialogScript::AnswerDialog) that fill the dialog and press "OK", or press
// "キャンセル" (the buttons named BtnOk and BtnCancel).
std::function<void(QDialog&)> PressOk(std::function<void(QDialog&)> fill = {});
std::function<void(QDialog&)> PressCancel();

}  // namespace testsupport
