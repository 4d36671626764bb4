#include "UnitFrameInputDateTime.h"

#include <QDateTimeEdit>
#include <QLocale>

#include "TInputData.h"
#include "TInputDateTime.h"
#include "ui_UnitFrameInputDateTime.h"

namespace {

// The long date and the time as a Japanese system shows them.
const QString DateFormat = QStringLiteral("yyyy'年'M'月'd'日'");
const QString TimeFormat = QStringLiteral("H:mm:ss");

void ShowDate(QDateTimeEdit* picker) {
    picker->setDisplayFormat(DateFormat);
    picker->setCalendarPopup(true);
}

void ShowTime(QDateTimeEdit* picker) {
    picker->setCalendarPopup(false);
    picker->setDisplayFormat(TimeFormat);
}

}  // namespace

TFrameInputDateTime::TFrameInputDateTime(QObject* owner, const TInputBase& item)
    : TFrameInputItem(owner, item), ui(std::make_unique<Ui::TFrameInputDateTime>()) {
    ui->setupUi(this);
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    ui->Picker->setLocale(japanese);
    ui->Picker2->setLocale(japanese);
    ui->Picker->setAccessibleName(item.GetCaption());
    ui->Picker2->setAccessibleName(item.GetCaption() + QStringLiteral(" 時刻"));
    Finish(ui->GroupBox, ui->BtnConfig);
}

TFrameInputDateTime::~TFrameInputDateTime() = default;

std::unique_ptr<TInputData> TFrameInputDateTime::CreateInputData() {
    return std::make_unique<TInputDataDateTime>(GetInputItem(), ui->Picker->dateTime(),
                                                ui->Picker2->dateTime());
}

void TFrameInputDateTime::ApplyInputItem() {
    // The button follows the last picker shown: the row is laid out one pixel apart.
    switch (ItemAs<TInputDateTime>().GetKind()) {
        case TInputDateTime::KindDate:
            ShowDate(ui->Picker);
            ui->Picker2->hide();
            break;
        case TInputDateTime::KindTime:
            ShowTime(ui->Picker);
            ui->Picker2->hide();
            break;
        case TInputDateTime::KindDateAndTime:
            ShowDate(ui->Picker);
            ShowTime(ui->Picker2);
            ui->Picker2->show();
            break;
    }
    ui->Picker->setDateTime(QDateTime(QDate::currentDate(), QTime(0, 0)));
    ui->Picker2->setDateTime(QDateTime(QDate::currentDate(), QTime(0, 0)));
}
