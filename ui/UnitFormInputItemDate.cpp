#include "UnitFormInputItemDate.h"

#include "THelpTopic.h"
#include "ui_UnitFormInputItemDate.h"

TFormInputItemDate::TFormInputItemDate(QWidget* parent)
    : TFormInputItemOf(parent, QStringLiteral("FormInputItemDate"), QStringLiteral("日時"),
                       THelpTopic::InputItemDate),
      FUi(std::make_unique<Ui::TFormInputItemDate>()) {
    auto* pages = new QTabWidget(this);
    FUi->setupUi(pages);
    SetOptionPages(pages);
}

TFormInputItemDate::~TFormInputItemDate() = default;

void TFormInputItemDate::LoadOptions(const TInputDateTime& item) {
    FUi->ComboBoxKind->setCurrentIndex(item.GetKind());
    FUi->EditFormat->setText(item.Format);
}

void TFormInputItemDate::StoreOptions(TInputDateTime& item) const {
    item.SetKind(FUi->ComboBoxKind->currentIndex());
    item.Format = FUi->EditFormat->text();
}

bool TFormInputItemDate::CheckOptions() {
    if (FUi->EditFormat->text().isEmpty())
        return Refuse(FUi->EditFormat, QStringLiteral("書式が入力されていません。"));
    return true;
}
