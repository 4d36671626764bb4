#pragma once
// What every input frame offers to the core. The windows register one frame constructor per
// item kind at start-up; the core creates frames only through that registry, so it never
// needs a widget (tests register small fake frames).

#include <functional>
#include <memory>

class QObject;
class TInputBase;
class TInputData;

class TFrameInputBase {
public:
    virtual ~TFrameInputBase() = default;
    // A new entered value of the frame's kind, holding a copy of the frame's item.
    virtual std::unique_ptr<TInputData> CreateInputData() = 0;
    virtual void SetInputItem(const TInputBase& item) = 0;
    virtual const TInputBase* GetInputItem() const = 0;
    virtual void ApplyInputItem() = 0;
    // The frame itself as a QObject. Its parent (the pane) owns it; the item only keeps a
    // guarded pointer to it, so either may be destroyed first.
    virtual QObject* GetFrameObject() = 0;
};

// Builds a frame with `owner` as its parent; the frame clones `item` and never keeps it.
using TFrameConstructor = std::function<TFrameInputBase*(QObject* owner, const TInputBase& item)>;

class TFrameRegistry {
public:
    static void Register(int inputType, TFrameConstructor constructor);
    // Throws std::logic_error when no frame is registered for the kind.
    static TFrameInputBase* Create(int inputType, QObject* owner, const TInputBase& item);
};
