#pragma once
// The definition dialog that belongs to an item kind, for the design tab and the input frames.

#include <cstdint>
#include <memory>

class QWidget;
class TFormInputItemBase;

class TInputItemDialogs {
public:
    // The dialog of kind code 0..4 with empty controls; none for any other code.
    static std::unique_ptr<TFormInputItemBase> Create(int32_t inputType, QWidget* parent);
};
