#pragma once
// One-line text item: blank value, HTML allowed or escaped, length limit, required, digits only.

#include "TInputBase.h"

class TInputEdit : public TInputBase {
public:
    TInputEdit() : TInputBase(KindEdit) {}
    TInputEdit(const TInputEdit&) = default;

    void SaveToIni(TMemIniFile& ini, const QString& section) const override;
    void LoadFromIni(const TMemIniFile& ini, const QString& section) override;
    std::unique_ptr<TInputBase> Clone() const override {
        return std::make_unique<TInputEdit>(*this);
    }

    QString BlankValue;
    bool AllowHtmlTag = false;
    int32_t MaxLength = 0;
    bool Required = false;
    bool NumbersOnly = false;
};
