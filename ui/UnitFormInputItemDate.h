#pragma once
// The definition dialog of a date/time item: which pickers (date, time, both) and the format.

#include <memory>

#include "TInputDateTime.h"
#include "UnitFormInputItemBase.h"

namespace Ui {
class TFormInputItemDate;
}

class TFormInputItemDate : public TFormInputItemOf<TInputDateTime> {
    Q_OBJECT

public:
    explicit TFormInputItemDate(QWidget* parent = nullptr);
    ~TFormInputItemDate() override;

protected:
    void LoadOptions(const TInputDateTime& item) override;
    void StoreOptions(TInputDateTime& item) const override;
    bool CheckOptions() override;

private:
    std::unique_ptr<Ui::TFormInputItemDate> FUi;
};
