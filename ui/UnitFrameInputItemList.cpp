#include "UnitFrameInputItemList.h"

#include <QVBoxLayout>

#include "TInputItemList.h"
#include "UnitFrameInputComboBox.h"
#include "UnitFrameInputDateTime.h"
#include "UnitFrameInputEdit.h"
#include "UnitFrameInputImage.h"
#include "UnitFrameInputMemo.h"

namespace {

template <typename TFrame>
void Register(int inputType) {
    TFrameRegistry::Register(
        inputType, [](QObject* owner, const TInputBase& item) { return new TFrame(owner, item); });
}

}  // namespace

void TFrameInputItemList::RegisterFrames() {
    Register<TFrameInputEdit>(TInputBase::KindEdit);
    Register<TFrameInputMemo>(TInputBase::KindMemo);
    Register<TFrameInputDateTime>(TInputBase::KindDateTime);
    Register<TFrameInputComboBox>(TInputBase::KindComboBox);
    Register<TFrameInputImage>(TInputBase::KindImage);
}

TFrameInputItemList::TFrameInputItemList(QWidget* owner)
    : QWidget(owner), FLayout(new QVBoxLayout(this)) {
    setObjectName(QStringLiteral("FrameInputItemList"));
    FLayout->setContentsMargins(0, 0, 0, 0);
    FLayout->setSpacing(1);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    RegisterFrames();
}

void TFrameInputItemList::BuildFrames(TInputItemList& items) {
    FItems.clear();
    for (int i = 0; i < items.GetCount(); ++i)
        items.Get(i)->ReleaseFrame();
    for (int i = 0; i < items.GetCount(); ++i) {
        TInputBase* item = items.Get(i);
        auto* frame = qobject_cast<QWidget*>(
            item->CreateFrame(this, "Frame" + QString::number(i))->GetFrameObject());
        FLayout->addWidget(frame);
        // A child made while the pane is on screen starts hidden, and the layout would not
        // count it in the height below.
        frame->show();
        FItems.push_back({item, frame});
    }
    // Exactly as tall as its frames, so the scrolling box around it scrolls the rest.
    setFixedHeight(FLayout->sizeHint().height());
}

std::vector<const TInputBase*> TFrameInputItemList::LiveItems() const {
    std::vector<const TInputBase*> items;
    for (const TEntry& entry : FItems) {
        if (entry.Frame)
            items.push_back(entry.Item);
    }
    return items;
}

void TFrameInputItemList::ValidateInputs() const {
    for (const TInputBase* item : LiveItems())
        item->CheckInput();
}

TInputDataMap TFrameInputItemList::CreateInputDataMap() const {
    TInputDataMap map;
    for (const TInputBase* item : LiveItems())
        map.Insert(item->GetName(), item->CreateInputData());
    return map;
}
