#pragma once
// An input frame without a window: a plain QObject child of its owner that holds its copy of
// the item and the values a test sets, and makes entered values from them like a real frame.

#include <QDateTime>
#include <QObject>

#include "TFrameInputBase.h"
#include "TInputBase.h"

namespace testsupport {

class TFakeFrame : public QObject, public TFrameInputBase {
public:
    TFakeFrame(QObject* owner, const TInputBase& item) : QObject(owner), FItem(item.Clone()) {
        ++Alive;
    }
    ~TFakeFrame() override { --Alive; }

    std::unique_ptr<TInputData> CreateInputData() override;
    void SetInputItem(const TInputBase& item) override { FItem = item.Clone(); }
    const TInputBase* GetInputItem() const override { return FItem.get(); }
    void ApplyInputItem() override {}
    QObject* GetFrameObject() override { return this; }

    QString Text;      // one-line and multi-line frames; the picture path
    QString FileName;  // picture frames
    QDateTime Picker;  // date/time frames
    QDateTime Picker2;
    int ItemIndex = -1;  // pull-down frames
    static int Alive;

private:
    std::unique_ptr<TInputBase> FItem;
};

// Makes the core build TFakeFrame for every kind of item.
void RegisterFakeFrames();

}  // namespace testsupport
