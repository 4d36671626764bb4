#pragma once
// What the five input frames share: a widget in the input pane holding a private copy of its
// item, a group box titled with the copy's caption, and the "設定" button that changes the
// copy (never the project's item) through the item's definition dialog with locked names.

#include <QWidget>
#include <memory>

#include "TFrameInputBase.h"
#include "TInputBase.h"

class QAbstractButton;
class QGroupBox;

class TFrameInputItem : public QWidget, public TFrameInputBase {
    Q_OBJECT

public:
    void SetInputItem(const TInputBase& item) override { FItem = item.Clone(); }
    const TInputBase* GetInputItem() const override { return FItem.get(); }
    QObject* GetFrameObject() override { return this; }

public Q_SLOTS:
    void BtnConfigClick();

protected:
    // The frame becomes a child of the pane (`owner`) and clones `item`.
    TFrameInputItem(QObject* owner, const TInputBase& item);

    // Ends construction once the kind's controls exist: the title, the "設定" button, and
    // the copy's options applied.
    void Finish(QGroupBox* groupBox, QAbstractButton* configButton);

    // The copy as the frame's own kind.
    template <typename TItem>
    const TItem& ItemAs() const {
        return static_cast<const TItem&>(*FItem);
    }

private:
    std::unique_ptr<TInputBase> FItem;
};
