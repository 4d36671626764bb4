#pragma once
// The input frame of an image item: the picture's path, with a browse button at its right and
// a preview button at its left, and the file name the picture gets on the page.

#include <memory>

#include "TFrameInputItem.h"

class QAction;
namespace Ui {
class TFrameInputImage;
}

class TFrameInputImage : public TFrameInputItem {
    Q_OBJECT

public:
    // The pictures the loader reads, as a file dialog filter.
    static QString PictureFilter();

    TFrameInputImage(QObject* owner, const TInputBase& item);
    ~TFrameInputImage() override;

    std::unique_ptr<TInputData> CreateInputData() override;
    void ApplyInputItem() override {}

    QAction* BrowseAction() const { return FBrowse; }
    QAction* PreviewAction() const { return FPreview; }

public Q_SLOTS:
    // Browse: the picked path goes into the path box, and its file name into an empty file
    // name box.
    void EditPathRightButtonClick();
    // Preview: the picture window for an existing file; a picture that cannot be shown is
    // reported in a warning.
    void EditPathLeftButtonClick();

private:
    std::unique_ptr<Ui::TFrameInputImage> ui;
    QAction* FBrowse = nullptr;
    QAction* FPreview = nullptr;
};
