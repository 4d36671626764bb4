#pragma once
// What the five item definition dialogs share: the caption and tag-name boxes, the page
// control of the kind's options, help, OK with the checks every kind runs first, and locking
// the names. A kind supplies its option pages, loads and builds its own fields and adds its
// own checks.

#include <QDialog>
#include <memory>

#include "TInputBase.h"

namespace Ui {
class TFormInputItemBase;
}
class QTabWidget;

class TFormInputItemBase : public QDialog {
    Q_OBJECT

public:
    ~TFormInputItemBase() override;

    // Fills the controls from a definition of the dialog's kind (another kind fills only the
    // caption and the tag name).
    virtual void LoadInputItem(const TInputBase& item) = 0;
    // A new definition of the dialog's kind built from the controls; the caller owns it.
    virtual std::unique_ptr<TInputBase> CreateInputItem() const = 0;
    // True: caption and tag name cannot be changed.
    void LockNames(bool locked);

public Q_SLOTS:
    // Runs the checks in their order; the first failure is shown, takes the focus and keeps
    // the dialog open. Closes with OK when all pass.
    void BtnOkClick();

protected:
    TFormInputItemBase(QWidget* parent, const QString& objectName, const QString& title,
                       int helpContext);

    // Places the kind's option pages between the names and the buttons, on the first page.
    void SetOptionPages(QTabWidget* pages);
    void LoadNames(const TInputBase& item);
    void StoreNames(TInputBase& item) const;

    // Rewrites what the checks should see; runs before the first check.
    virtual void PrepareChecks() {}
    // The kind's own checks after caption and tag name.
    virtual bool CheckOptions() { return true; }
    // Shows the warning, moves the focus to the control and gives false.
    bool Refuse(QWidget* control, const QString& message);

private:
    bool CheckNames();

    std::unique_ptr<Ui::TFormInputItemBase> FUi;
};

// The typed half of a kind's dialog: loads and builds definitions of the kind `TItem`.
template <typename TItem>
class TFormInputItemOf : public TFormInputItemBase {
public:
    void LoadInputItem(const TInputBase& item) override {
        LoadNames(item);
        if (const auto* own = dynamic_cast<const TItem*>(&item))
            LoadOptions(*own);
    }
    std::unique_ptr<TInputBase> CreateInputItem() const override {
        auto item = std::make_unique<TItem>();
        StoreNames(*item);
        StoreOptions(*item);
        return item;
    }

protected:
    using TFormInputItemBase::TFormInputItemBase;

    virtual void LoadOptions(const TItem& item) = 0;
    virtual void StoreOptions(TItem& item) const = 0;
};
