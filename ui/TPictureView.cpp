#include "TPictureView.h"

#include <QPainter>

namespace {

// Fits the picture into the area on its limiting side; the other side follows the ratio.
QSize ScaleToArea(QSize picture, QSize area) {
    const int w = picture.width();
    const int h = picture.height();
    if (w <= 0 || h <= 0)
        return picture;
    const long double ratio = static_cast<long double>(w) / h;
    const int cw = area.width();
    const int ch = area.height();
    int width = 0;
    int height = 0;
    if (w > h) {
        width = cw;
        height = static_cast<int>(cw / ratio);
        if (height > ch) {
            height = ch;
            width = static_cast<int>(ch * ratio);
        }
    } else {
        height = ch;
        width = static_cast<int>(ch * ratio);
        if (width > cw) {
            width = cw;
            height = static_cast<int>(cw / ratio);
        }
    }
    return {width, height};
}

}  // namespace

TPictureView::TPictureView(QWidget* parent) : QWidget(parent) {}

void TPictureView::SetPicture(const QImage& picture) {
    FPicture = picture;
    update();
}

void TPictureView::SetFitToWindow(bool fit) {
    FFitToWindow = fit;
    update();
}

QRect TPictureView::PlacePicture(QSize picture, QSize area, bool fitToWindow) {
    const bool fits = picture.width() <= area.width() && picture.height() <= area.height();
    const QSize shown = (fits && !fitToWindow) ? picture : ScaleToArea(picture, area);
    return {(area.width() - shown.width()) / 2, (area.height() - shown.height()) / 2, shown.width(),
            shown.height()};
}

void TPictureView::paintEvent(QPaintEvent*) {
    if (FPicture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(PictureRect(), FPicture);
}
