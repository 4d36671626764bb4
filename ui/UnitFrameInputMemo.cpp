#include "UnitFrameInputMemo.h"

#include <QTextCursor>

#include "TGuarded.h"
#include "TInputData.h"
#include "TInputMemo.h"
#include "ui_UnitFrameInputMemo.h"

namespace {

bool IsLineBreak(QChar c) {
    return c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == u'\n';
}

// A line break counts twice: it is CR LF in the entered value.
qsizetype WeightOf(QChar c) {
    return IsLineBreak(c) ? 2 : 1;
}

}  // namespace

TFrameInputMemo::TFrameInputMemo(QObject* owner, const TInputBase& item)
    : TFrameInputItem(owner, item), ui(std::make_unique<Ui::TFrameInputMemo>()) {
    ui->setupUi(this);
    ui->Memo->setAccessibleName(item.GetCaption());
    connect(ui->Memo, &QPlainTextEdit::textChanged, this,
            Guarded(this, &TFrameInputMemo::LimitLength));
    Finish(ui->GroupBox, ui->BtnConfig);
}

TFrameInputMemo::~TFrameInputMemo() = default;

QString TFrameInputMemo::Text() const {
    // The raw text keeps no-break spaces that the plain-text view would turn into blanks.
    const QString raw = ui->Memo->document()->toRawText();
    QString text;
    text.reserve(raw.size());
    for (const QChar c : raw) {
        if (IsLineBreak(c))
            text += QStringLiteral("\r\n");
        else
            text += c;
    }
    return text;
}

std::unique_ptr<TInputData> TFrameInputMemo::CreateInputData() {
    return std::make_unique<TInputDataMemo>(GetInputItem(), Text());
}

void TFrameInputMemo::ApplyInputItem() {
    FMaxLength = ItemAs<TInputMemo>().MaxLength;
}

void TFrameInputMemo::LimitLength() {
    if (FMaxLength <= 0)
        return;
    const QString raw = ui->Memo->document()->toRawText();
    qsizetype excess = -FMaxLength;
    for (const QChar c : raw)
        excess += WeightOf(c);
    if (excess <= 0)
        return;
    QTextCursor cursor = ui->Memo->textCursor();
    int start = cursor.position();
    while (excess > 0 && start > 0)
        excess -= WeightOf(raw.at(--start));
    cursor.setPosition(start, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}
