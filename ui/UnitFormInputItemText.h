#pragma once
// The one-line and the multi-line item dialogs: the shared text option pages plus one check
// box of the kind's own, bound to the boolean field `Extra` of the definition.

#include <QCheckBox>

#include "UnitFormInputItemBase.h"
#include "UnitFrameInputItemText.h"

template <typename TItem, bool TItem::*Extra>
class TFormInputItemText : public TFormInputItemOf<TItem> {
protected:
    struct TExtraCheckBox {
        TFrameInputItemText::TPage Page;
        QString ObjectName;
        QString Text;
    };

    TFormInputItemText(QWidget* parent, const QString& objectName, const QString& title,
                       int helpContext, const TExtraCheckBox& extra)
        : TFormInputItemOf<TItem>(parent, objectName, title, helpContext),
          FText(new TFrameInputItemText(this)),
          FExtra(FText->AddCheckBox(extra.Page, extra.ObjectName, extra.Text)) {
        this->SetOptionPages(FText);
    }

    void LoadOptions(const TItem& item) override {
        FText->Load(item);
        FExtra->setChecked(item.*Extra);
    }
    void StoreOptions(TItem& item) const override {
        FText->Store(item);
        item.*Extra = FExtra->isChecked();
    }
    // An empty box becomes "0" and "007" becomes "7" before anything is checked.
    void PrepareChecks() override { FText->NormaliseMaxLength(); }

private:
    TFrameInputItemText* FText;
    QCheckBox* FExtra;
};
