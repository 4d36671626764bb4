#pragma once
// The general settings dialog: the two start-up options of the application settings. Changes
// stay in memory; the settings file is written when the program ends.

#include <QDialog>
#include <memory>

class TConfig;
namespace Ui {
class TFormConfigGenera;
}

class TFormConfigGenera : public QDialog {
    Q_OBJECT

public:
    explicit TFormConfigGenera(QWidget* owner);
    ~TFormConfigGenera() override;

    // Remembers the settings object (not owned) and fills the check boxes from it.
    void LoadConfig(TConfig* config);

public Q_SLOTS:
    // OK: the check boxes go back into the settings object, and the dialog closes.
    void BitBtn1Click();

private:
    std::unique_ptr<Ui::TFormConfigGenera> ui;
    TConfig* FConfig = nullptr;
};
