#pragma once
// Multi-line text item: like the one-line item, with line breaks optionally turned into
// "<br />"; its blank value is kept in the file as Base64 so breaks and blanks survive.

#include "TInputBase.h"

class TInputMemo : public TInputBase {
public:
    TInputMemo() : TInputBase(KindMemo) {}
    TInputMemo(const TInputMemo&) = default;

    void SaveToIni(TMemIniFile& ini, const QString& section) const override;
    void LoadFromIni(const TMemIniFile& ini, const QString& section) override;
    std::unique_ptr<TInputBase> Clone() const override {
        return std::make_unique<TInputMemo>(*this);
    }

    QString BlankValue;
    bool AllowHtmlTag = false;
    int32_t MaxLength = 0;
    bool Required = false;
    bool ConvertBr = false;
};
