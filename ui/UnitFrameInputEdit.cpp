#include "UnitFrameInputEdit.h"

#include <QRegularExpressionValidator>

#include "TInputData.h"
#include "TInputEdit.h"
#include "ui_UnitFrameInputEdit.h"

TFrameInputEdit::TFrameInputEdit(QObject* owner, const TInputBase& item)
    : TFrameInputItem(owner, item), ui(std::make_unique<Ui::TFrameInputEdit>()) {
    ui->setupUi(this);
    ui->Edit->setAccessibleName(item.GetCaption());
    FDigitsOnly =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), ui->Edit);
    Finish(ui->GroupBox, ui->BtnConfig);
}

TFrameInputEdit::~TFrameInputEdit() = default;

std::unique_ptr<TInputData> TFrameInputEdit::CreateInputData() {
    return std::make_unique<TInputDataEdit>(GetInputItem(), ui->Edit->text());
}

void TFrameInputEdit::ApplyInputItem() {
    const auto& item = ItemAs<TInputEdit>();
    // 0 means no limit; a line edit's own ceiling is 32767.
    ui->Edit->setMaxLength(item.MaxLength > 0 ? item.MaxLength : 32767);
    // Like a numbers-only edit box: only digits can be typed. The entry check still reads
    // the text, since text can arrive other ways.
    ui->Edit->setValidator(item.NumbersOnly ? FDigitsOnly : nullptr);
}
