#include "TFrameInputItem.h"

#include <QAbstractButton>
#include <QGroupBox>

TFrameInputItem::TFrameInputItem(QObject* owner, const TInputBase& item)
    : QWidget(qobject_cast<QWidget*>(owner)), FItem(item.Clone()) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void TFrameInputItem::Finish(QGroupBox* groupBox, QAbstractButton* configButton) {
    // A caption is shown as typed: "&" is no accelerator mark here.
    groupBox->setTitle(QString(FItem->GetCaption()).replace(u'&', QStringLiteral("&&")));
    connect(configButton, &QAbstractButton::clicked, this, &TFrameInputItem::BtnConfigClick);
    ApplyInputItem();
}

void TFrameInputItem::BtnConfigClick() {}
