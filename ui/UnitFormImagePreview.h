#pragma once
// The picture window: one picture file, shown at its own size or fitted to the window, and
// saved under another name in the format its new extension names.

#include <QDialog>
#include <QImage>
#include <QString>
#include <memory>

namespace Ui {
class TFormImagePreview;
}

class TFormImagePreview : public QDialog {
    Q_OBJECT

public:
    // Help topic of the window.
    static constexpr int HelpContext = 25;
    // The formats the picture writer stores, as a file dialog filter.
    static QString SaveFilter();

    explicit TFormImagePreview(QWidget* owner);
    ~TFormImagePreview() override;

    // Loads the picture (icons through Qt's reader, everything else through the program's
    // loader) and remembers the path. Throws TError when it cannot be read.
    void SetImageFile(const QString& path);
    const QString& ImageFile() const { return FPath; }

public Q_SLOTS:
    void ActionShowRealSizeExecute();
    void ActionShowWindowSizeExecute();
    // Writes the shown picture in the format of the chosen name's extension; the writer's
    // errors reach the caller.
    void ActionSaveToFileExecute();

private:
    void SetFitToWindow(bool fit);

    std::unique_ptr<Ui::TFormImagePreview> ui;
    QString FPath;
};
