#pragma once
// Date/time item: the format pattern of the output and which pickers are used
// (Kind 0 date, 1 time of day, 2 date and time).

#include "TInputBase.h"

class TInputDateTime : public TInputBase {
public:
    static constexpr int32_t KindDate = 0;
    static constexpr int32_t KindTime = 1;
    static constexpr int32_t KindDateAndTime = 2;

    TInputDateTime() : TInputBase(KindDateTime) {}
    TInputDateTime(const TInputDateTime&) = default;

    void SaveToIni(TMemIniFile& ini, const QString& section) const override;
    void LoadFromIni(const TMemIniFile& ini, const QString& section) override;
    std::unique_ptr<TInputBase> Clone() const override {
        return std::make_unique<TInputDateTime>(*this);
    }

    int32_t GetKind() const { return FKind; }
    // Anything but 0, 1 or 2 stores 0.
    void SetKind(int32_t kind) { FKind = (kind == 1 || kind == 2) ? kind : 0; }

    QString Format;

private:
    int32_t FKind = KindDate;
};
