#include "TWidgetDriving.h"

namespace testsupport {

void SetText(const QObject& root, const QString& name, const QString& text) {
    if (auto* edit = Child<QLineEdit>(root, name))
        edit->setText(text);
}

void Click(const QObject& root, const QString& name) {
    if (auto* button = Child<QAbstractButton>(root, name))
        button->click();
}

std::function<void(QDialog&)> PressOk(std::function<void(QDialog&)> fill) {
    return [fill = std::move(fill)](QDialog& dialog) {
        if (fill)
            fill(dialog);
        Click(dialog, QStringLiteral("BtnOk"));
    };
}

std::function<void(QDialog&)> PressCancel() {
    return [](QDialog& dialog) { Click(dialog, QStringLiteral("BtnCancel")); };
}

}  // namespace testsupport
