#pragma once
// The input pane: one input frame per item of the project, stacked in item order, and what
// a preview asks of it: the entry checks and the entered values keyed by tag name.

#include <QPointer>
#include <QWidget>
#include <vector>

#include "TInputData.h"

class QVBoxLayout;
class TInputBase;
class TInputItemList;

class TFrameInputItemList : public QWidget {
    Q_OBJECT

public:
    // Registers the five frames with the core's frame registry.
    static void RegisterFrames();

    explicit TFrameInputItemList(QWidget* owner);

    // Rebuilds every frame from the items: entered values and "設定" changes are gone.
    void BuildFrames(TInputItemList& items);
    // Runs every item's entry check in pane order; throws TError with the first failure.
    void ValidateInputs() const;
    // One entered value per item under its tag name; the first item of a name wins.
    TInputDataMap CreateInputDataMap() const;

    int FrameCount() const { return static_cast<int>(FItems.size()); }

private:
    struct TEntry {
        TInputBase* Item;
        // An item that is deleted or replaced takes its frame along: an entry whose frame is
        // gone is never followed to its item.
        QPointer<QObject> Frame;
    };
    std::vector<const TInputBase*> LiveItems() const;

    QVBoxLayout* FLayout;
    std::vector<TEntry> FItems;
};
