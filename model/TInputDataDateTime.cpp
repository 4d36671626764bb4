#include "TDateTimeFormatter.h"
#include "TInputData.h"
#include "TInputDateTime.h"

TOutputData TInputDataDateTime::CreateOutputData() const {
    const auto* item = ItemAs<TInputDateTime>();
    if (!item)
        return {};
    QDate date = PickerValue.date();
    QTime time(0, 0);
    switch (item->GetKind()) {
        case TInputDateTime::KindTime:
            date = QDate::currentDate();
            time = PickerValue.time();
            break;
        case TInputDateTime::KindDateAndTime:
            time = Picker2Value.time();
            break;
        default:
            break;
    }
    return {TDateTimeFormatter::FormatDateTime(item->Format, date, time), {}, {}};
}
