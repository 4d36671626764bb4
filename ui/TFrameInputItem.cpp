#include "TFrameInputItem.h"

#include <QAbstractButton>
#include <QGroupBox>

#include "TDialogRunner.h"
#include "TGuarded.h"
#include "TInputItemDialogs.h"
#include "UnitFormInputItemBase.h"

TFrameInputItem::TFrameInputItem(QObject* owner, const TInputBase& item)
    : QWidget(qobject_cast<QWidget*>(owner)), FItem(item.Clone()) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void TFrameInputItem::Finish(QGroupBox* groupBox, QAbstractButton* configButton) {
    // A caption is shown as typed: "&" is no accelerator mark here.
    groupBox->setTitle(QString(FItem->GetCaption()).replace(u'&', QStringLiteral("&&")));
    connect(configButton, &QAbstractButton::clicked, this,
            Guarded(this, &TFrameInputItem::BtnConfigClick));
    ApplyInputItem();
}

void TFrameInputItem::BtnConfigClick() {
    const std::unique_ptr<TFormInputItemBase> dialog =
        TInputItemDialogs::Create(FItem->GetInputType(), this);
    dialog->LoadInputItem(*FItem);
    dialog->LockNames(true);
    if (TDialogRunner::ShowModal(*dialog) != QDialog::Accepted)
        return;
    const std::unique_ptr<TInputBase> changed = dialog->CreateInputItem();
    SetInputItem(*changed);
    ApplyInputItem();
}
