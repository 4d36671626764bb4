#pragma once
// Image item: the largest size a picture may have on the page, and whether a larger one is
// shrunk to fit (otherwise the file is copied unchanged).

#include "TInputBase.h"

class TInputImage : public TInputBase {
public:
    TInputImage() : TInputBase(KindImage) {}
    TInputImage(const TInputImage&) = default;

    void SaveToIni(TMemIniFile& ini, const QString& section) const override;
    void LoadFromIni(const TMemIniFile& ini, const QString& section) override;
    std::unique_ptr<TInputBase> Clone() const override {
        return std::make_unique<TInputImage>(*this);
    }

    int32_t MaxImageWidth = 100;
    int32_t MaxImageHeight = 100;
    bool ZoomOutImage = false;
};
