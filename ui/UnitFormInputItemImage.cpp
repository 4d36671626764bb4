#include "UnitFormInputItemImage.h"

#include "TFormUtils.h"
#include "TGuarded.h"
#include "THelpTopic.h"
#include "ui_UnitFormInputItemImage.h"

TFormInputItemImage::TFormInputItemImage(QWidget* parent)
    : TFormInputItemOf(parent, QStringLiteral("FormInputItemImage"), QStringLiteral("画像"),
                       THelpTopic::InputItemImage),
      FUi(std::make_unique<Ui::TFormInputItemImage>()) {
    auto* pages = new QTabWidget(this);
    FUi->setupUi(pages);
    TFormUtils::SetDigitsOnly(FUi->EditMaxHeight);
    TFormUtils::SetDigitsOnly(FUi->EditMaxWidth);
    connect(FUi->CheckBoxZoomOutImage, &QCheckBox::clicked, this,
            Guarded(this, &TFormInputItemImage::CheckBoxZoomOutImageClick));
    SetOptionPages(pages);
}

TFormInputItemImage::~TFormInputItemImage() = default;

void TFormInputItemImage::CheckBoxZoomOutImageClick() {
    const bool zoom = FUi->CheckBoxZoomOutImage->isChecked();
    FUi->EditMaxHeight->setEnabled(zoom);
    FUi->EditMaxWidth->setEnabled(zoom);
}

void TFormInputItemImage::LoadOptions(const TInputImage& item) {
    FUi->CheckBoxZoomOutImage->setChecked(item.ZoomOutImage);
    FUi->EditMaxHeight->setText(QString::number(item.MaxImageHeight));
    FUi->EditMaxWidth->setText(QString::number(item.MaxImageWidth));
}

void TFormInputItemImage::StoreOptions(TInputImage& item) const {
    item.ZoomOutImage = FUi->CheckBoxZoomOutImage->isChecked();
    item.MaxImageHeight = TFormUtils::DecimalValue(FUi->EditMaxHeight->text()).value_or(0);
    item.MaxImageWidth = TFormUtils::DecimalValue(FUi->EditMaxWidth->text()).value_or(0);
}

bool TFormInputItemImage::CheckOptions() {
    if (!FUi->CheckBoxZoomOutImage->isChecked())
        return true;
    return CheckSize(FUi->EditMaxHeight,
                     QStringLiteral("最大高さは1以上の数値を入力してください。")) &&
           CheckSize(FUi->EditMaxWidth, QStringLiteral("最大幅は1以上の数値を入力してください。"));
}

bool TFormInputItemImage::CheckSize(QLineEdit* box, const QString& message) {
    if (TFormUtils::DecimalValue(box->text()).value_or(0) < 1)
        return Refuse(box, message);
    return true;
}
