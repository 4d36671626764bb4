#include "TFakeFrame.h"

#include "TInputData.h"

namespace testsupport {

int TFakeFrame::Alive = 0;

std::unique_ptr<TInputData> TFakeFrame::CreateInputData() {
    const TInputBase* item = FItem.get();
    switch (item->GetInputType()) {
        case TInputBase::KindEdit:
            return std::make_unique<TInputDataEdit>(item, Text);
        case TInputBase::KindMemo:
            return std::make_unique<TInputDataMemo>(item, Text);
        case TInputBase::KindDateTime:
            return std::make_unique<TInputDataDateTime>(item, Picker, Picker2);
        case TInputBase::KindComboBox:
            return std::make_unique<TInputDataComboBox>(item, ItemIndex);
        default:
            return std::make_unique<TInputDataImage>(item, Text, FileName);
    }
}

void RegisterFakeFrames() {
    for (int kind = 0; kind < 5; ++kind) {
        TFrameRegistry::Register(kind, [](QObject* owner, const TInputBase& item) {
            return new TFakeFrame(owner, item);
        });
    }
}

}  // namespace testsupport
