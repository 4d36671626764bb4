#include "UnitFormInputItemBase.h"

#include <QTabWidget>

#include "TGuarded.h"
#include "THelpTopic.h"
#include "TMessageBox.h"
#include "ui_UnitFormInputItemBase.h"

namespace {
// The client area at 96 dpi; a larger font may need more, never less.
constexpr QSize ClientSize(428, 356);
}  // namespace

TFormInputItemBase::TFormInputItemBase(QWidget* parent, const QString& objectName,
                                       const QString& title, int helpContext)
    : QDialog(parent), FUi(std::make_unique<Ui::TFormInputItemBase>()) {
    FUi->setupUi(this);
    setObjectName(objectName);
    setWindowTitle(title);
    THelpTopic::Connect(FUi->BtnHelp, helpContext);
    connect(FUi->BtnOk, &QPushButton::clicked, this,
            Guarded(this, &TFormInputItemBase::BtnOkClick));
    connect(FUi->BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TFormInputItemBase::~TFormInputItemBase() = default;

void TFormInputItemBase::LockNames(bool locked) {
    FUi->EditCaption->setEnabled(!locked);
    FUi->EditName->setEnabled(!locked);
}

void TFormInputItemBase::BtnOkClick() {
    PrepareChecks();
    if (CheckNames() && CheckOptions())
        accept();
}

void TFormInputItemBase::SetOptionPages(QTabWidget* pages) {
    FUi->LayoutOptions->addWidget(pages);
    pages->setCurrentIndex(0);
    setTabOrder(FUi->EditName, pages);
    setTabOrder(pages, FUi->BtnHelp);
    setFixedSize(ClientSize.expandedTo(minimumSizeHint()));
}

void TFormInputItemBase::LoadNames(const TInputBase& item) {
    FUi->EditCaption->setText(item.GetCaption());
    FUi->EditName->setText(item.GetName());
}

void TFormInputItemBase::StoreNames(TInputBase& item) const {
    item.SetCaption(FUi->EditCaption->text());
    item.SetName(FUi->EditName->text());
}

bool TFormInputItemBase::Refuse(QWidget* control, const QString& message) {
    TMessageBox::Warning(this, message);
    control->setFocus(Qt::OtherFocusReason);
    return false;
}

bool TFormInputItemBase::CheckNames() {
    if (FUi->EditCaption->text().isEmpty())
        return Refuse(FUi->EditCaption, QStringLiteral("項目名が入力されていません。"));
    if (FUi->EditName->text().isEmpty())
        return Refuse(FUi->EditName, QStringLiteral("タグ名が入力されていません。"));
    return true;
}
