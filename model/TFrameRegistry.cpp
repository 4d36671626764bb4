#include <map>
#include <stdexcept>
#include <string>

#include "TFrameInputBase.h"

namespace {
std::map<int, TFrameConstructor>& Constructors() {
    static std::map<int, TFrameConstructor> constructors;
    return constructors;
}
}  // namespace

void TFrameRegistry::Register(int inputType, TFrameConstructor constructor) {
    Constructors()[inputType] = std::move(constructor);
}

TFrameInputBase* TFrameRegistry::Create(int inputType, QObject* owner, const TInputBase& item) {
    const auto it = Constructors().find(inputType);
    if (it == Constructors().end()) {
        throw std::logic_error("no input frame registered for kind " + std::to_string(inputType));
    }
    return it->second(owner, item);
}
