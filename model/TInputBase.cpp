#include "TInputBase.h"

#include "TEntryCheck.h"
#include "TInputData.h"
#include "TMemIniFile.h"

TInputBase::TInputBase(const TInputBase& other)
    : FName(other.FName), FCaption(other.FCaption), FInputType(other.FInputType) {}

TInputBase::~TInputBase() {
    ReleaseFrame();
}

void TInputBase::SaveToIni(TMemIniFile& ini, const QString& section) const {
    ini.WriteString(section, QStringLiteral("Name"), FName);
    ini.WriteString(section, QStringLiteral("Caption"), FCaption);
    ini.WriteInteger(section, QStringLiteral("InputType"), FInputType);
}

void TInputBase::LoadFromIni(const TMemIniFile& ini, const QString& section) {
    FName = ini.ReadString(section, QStringLiteral("Name"), QString());
    FCaption = ini.ReadString(section, QStringLiteral("Caption"), QString());
}

std::unique_ptr<TInputData> TInputBase::CreateInputData() const {
    TFrameInputBase* frame = GetFrameInterface();
    return frame ? frame->CreateInputData() : nullptr;
}

void TInputBase::CheckInput() const {
    const std::unique_ptr<TInputData> entered = CreateInputData();
    if (entered)
        CheckEntry(*this, *entered);
}

TFrameInputBase* TInputBase::CreateFrame(QObject* owner, const QString& name) {
    ReleaseFrame();
    TFrameInputBase* frame = TFrameRegistry::Create(FInputType, owner, *this);
    FFrame = frame;
    FFrameObject = frame->GetFrameObject();
    FFrameObject->setObjectName(name);
    return frame;
}

void TInputBase::ReleaseFrame() {
    QObject* frame = FFrameObject.data();
    FFrameObject.clear();
    FFrame = nullptr;
    // Deleting a child takes it out of its parent's list, so the parent never deletes it again.
    delete frame;
}

QString GetInputTypeName(int32_t inputType) {
    switch (inputType) {
        case TInputBase::KindEdit:
            return QStringLiteral("一行入力欄");
        case TInputBase::KindMemo:
            return QStringLiteral("複数行入力欄");
        case TInputBase::KindDateTime:
            return QStringLiteral("日時選択欄");
        case TInputBase::KindComboBox:
            return QStringLiteral("プルダウンメニュー");
        case TInputBase::KindImage:
            return QStringLiteral("画像");
        default:
            return QString();
    }
}

QString GetInputTypeName(const TInputBase& item) {
    return GetInputTypeName(item.GetInputType());
}
