#pragma once
// What every input frame offers to the core. The windows register one frame constructor per
// item kind at start-up; the core creates frames only through that registry, so it never
// needs a widget (tests register small fake frames).

#include <QString>
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
    // The component name the pane gives the frame ("Frame" + index).
    virtual void SetFrameName(const QString& name) = 0;
};

using TFrameConstructor = std::function<TFrameInputBase*(QObject* owner, const TInputBase& item)>;

class TFrameRegistry {
public:
    static void Register(int inputType, TFrameConstructor constructor);
    // Throws std::logic_error when no frame is registered for the kind.
    static TFrameInputBase* Create(int inputType, QObject* owner, const TInputBase& item);
};
