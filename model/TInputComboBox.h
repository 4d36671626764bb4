#pragma once
// Pull-down item: the list of choices, each a caption shown to the user and the value that is
// output when it is picked.

#include "TInputBase.h"
#include "TItemList.h"

struct TInputComboBoxItem {
    QString Caption;
    QString Value;
};

class TInputComboBox : public TInputBase {
public:
    // Choices that exist only through "ItemCount" (no key of theirs in the file) are created
    // up to this many, so a damaged count cannot make loading run away.
    static constexpr int MaxChoicesWithoutKeys = 1000;

    TInputComboBox() : TInputBase(KindComboBox) {}
    TInputComboBox(const TInputComboBox& other);

    void SaveToIni(TMemIniFile& ini, const QString& section) const override;
    void LoadFromIni(const TMemIniFile& ini, const QString& section) override;
    std::unique_ptr<TInputBase> Clone() const override {
        return std::make_unique<TInputComboBox>(*this);
    }

    TItemList<TInputComboBoxItem>& GetItems() { return FItems; }
    const TItemList<TInputComboBoxItem>& GetItems() const { return FItems; }
    TInputComboBoxItem* GetItem(int index) const { return FItems.Get(index); }
    void AddItem(const QString& caption, const QString& value) {
        FItems.Add(std::make_unique<TInputComboBoxItem>(TInputComboBoxItem{caption, value}));
    }

private:
    TItemList<TInputComboBoxItem> FItems;
};
