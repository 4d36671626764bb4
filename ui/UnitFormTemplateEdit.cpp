#include "UnitFormTemplateEdit.h"

#include <QFontDatabase>

#include "TGuarded.h"
#include "THelpTopic.h"
#include "TMessageBox.h"
#include "ui_UnitFormTemplateEdit.h"

TFormTemplateEdit::TFormTemplateEdit(QWidget* parent)
    : QDialog(parent), FUi(std::make_unique<Ui::TFormTemplateEdit>()) {
    FUi->setupUi(this);
    FUi->RichEditHtml->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    THelpTopic::Connect(FUi->BtnHelp, THelpTopic::TemplateEdit);
    connect(FUi->BtnOk, &QPushButton::clicked, this, Guarded(this, &TFormTemplateEdit::BtnOkClick));
}

TFormTemplateEdit::~TFormTemplateEdit() = default;

void TFormTemplateEdit::LoadTemplate(const THtmlTemplate& html) {
    FUi->EditName->setText(html.Name);
    const int code = html.GetCharCode();
    if (code >= 0 && code < FUi->ComboBoxCharCode->count())
        FUi->ComboBoxCharCode->setCurrentIndex(code);
    FUi->RichEditHtml->setPlainText(html.Html);
}

std::unique_ptr<THtmlTemplate> TFormTemplateEdit::CreateTemplate() const {
    // The box gives its lines joined by LF, whatever breaks the loaded text had.
    QStringList lines = FUi->RichEditHtml->toPlainText().split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    QString html;
    for (const QString& line : lines)
        html += line + QStringLiteral("\r\n");
    return std::make_unique<THtmlTemplate>(FUi->EditName->text(),
                                           FUi->ComboBoxCharCode->currentIndex(), html);
}

void TFormTemplateEdit::BtnOkClick() {
    if (FUi->EditName->text().isEmpty()) {
        TMessageBox::Warning(this, QStringLiteral("テンプレート名が入力されていません。"));
        FUi->EditName->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (FUi->RichEditHtml->toPlainText().isEmpty()) {
        TMessageBox::Warning(this, QStringLiteral("HTMLが入力されていません。"));
        FUi->RichEditHtml->setFocus(Qt::OtherFocusReason);
        return;
    }
    accept();
}
