#pragma once
// The editor of one pull-down choice: the caption shown and the value output. Any texts are
// accepted, empty ones and duplicates included.

#include <QDialog>
#include <memory>

#include "TInputComboBox.h"

namespace Ui {
class TFormInputItemComboboxItem;
}

class TFormInputItemComboboxItem : public QDialog {
    Q_OBJECT

public:
    explicit TFormInputItemComboboxItem(QWidget* parent = nullptr);
    ~TFormInputItemComboboxItem() override;

    void LoadChoice(const TInputComboBoxItem& choice);
    TInputComboBoxItem CreateChoice() const;

private:
    std::unique_ptr<Ui::TFormInputItemComboboxItem> FUi;
};
