#pragma once
// The definition dialog of an image item: whether pictures are shrunk, and the largest height
// and width they may have.

#include <memory>

#include "TInputImage.h"
#include "UnitFormInputItemBase.h"

namespace Ui {
class TFormInputItemImage;
}
class QLineEdit;

class TFormInputItemImage : public TFormInputItemOf<TInputImage> {
    Q_OBJECT

public:
    explicit TFormInputItemImage(QWidget* parent = nullptr);
    ~TFormInputItemImage() override;

public Q_SLOTS:
    // The size boxes follow the check box from its first click on.
    void CheckBoxZoomOutImageClick();

protected:
    void LoadOptions(const TInputImage& item) override;
    void StoreOptions(TInputImage& item) const override;
    // Only with a maximum size asked for: both sizes must be numbers of 1 or more.
    bool CheckOptions() override;

private:
    bool CheckSize(QLineEdit* box, const QString& message);

    std::unique_ptr<Ui::TFormInputItemImage> FUi;
};
