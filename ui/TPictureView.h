#pragma once
// The drawing area of the picture window: one picture centred, at its own size when it fits
// (unless fitting to the window is asked for), otherwise scaled with its proportions kept.

#include <QImage>
#include <QRect>
#include <QWidget>

class TPictureView : public QWidget {
    Q_OBJECT

public:
    explicit TPictureView(QWidget* parent = nullptr);

    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return FPicture; }
    void SetFitToWindow(bool fit);
    bool IsFitToWindow() const { return FFitToWindow; }

    // Where a picture of `picture` size is drawn in an area of `area` size. Scaling keeps
    // the ratio and truncates the scaled side; the result is centred by integer division.
    static QRect PlacePicture(QSize picture, QSize area, bool fitToWindow);
    // Where the current picture is drawn now.
    QRect PictureRect() const { return PlacePicture(FPicture.size(), size(), FFitToWindow); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage FPicture;
    bool FFitToWindow = false;
};
