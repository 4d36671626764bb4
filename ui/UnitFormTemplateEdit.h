#pragma once
// The template editor: name, character code of the finished page and the HTML. Filled from a
// template, it builds a new one on OK; the one it was filled from is never changed.

#include <QDialog>
#include <memory>

#include "THtmlTemplate.h"

namespace Ui {
class TFormTemplateEdit;
}

class TFormTemplateEdit : public QDialog {
    Q_OBJECT

public:
    explicit TFormTemplateEdit(QWidget* parent = nullptr);
    ~TFormTemplateEdit() override;

    void LoadTemplate(const THtmlTemplate& html);
    // Every line of the HTML ends in CR LF, the last one too; a line the box only wraps on
    // screen stays one line.
    std::unique_ptr<THtmlTemplate> CreateTemplate() const;

public Q_SLOTS:
    // A name and some HTML are needed; the first missing one is shown and takes the focus.
    void BtnOkClick();

private:
    std::unique_ptr<Ui::TFormTemplateEdit> FUi;
};
