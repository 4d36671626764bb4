#pragma once
// The HTML preview window: a generated page as source text, as the rendered page and as the
// list of its picture files; the page and each picture can be saved, and both uploaded.

#include <QDialog>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

struct TFtpConfig;
class TPreviewSchemeHandler;
namespace Ui {
class TFormHtmlPreview;
}

class TFormHtmlPreview : public QDialog {
    Q_OBJECT

public:
    static constexpr int HelpContext = 18;
    static QString PageSaveFilter();
    // The save filter that offers only the picture's own extension: ".jpgファイル(*.jpg)|*.jpg".
    static QString PictureSaveFilter(const QString& path);

    explicit TFormHtmlPreview(QWidget* owner);
    ~TFormHtmlPreview() override;

    // Shows the page text as source and renders it; `codePage` is what saving writes in.
    void SetHtml(const QString& text, uint16_t codePage);
    // Copies the list and shows a row (name, size) for every file that exists.
    void SetImageFiles(const QStringList& paths);
    // The project's own record; it outlives the window.
    void SetFtpConfig(TFtpConfig& config) { FFtpConfig = &config; }

    const QString& Html() const { return FHtml; }
    uint16_t CodePage() const { return FCodePage; }
    const QStringList& ImageFiles() const { return FImageFiles; }
    TFtpConfig* FtpConfig() const { return FFtpConfig; }

public Q_SLOTS:
    void ActionHtmlSaveToFileExecute();
    void ActionHtmlUploadFtpExecute();
    void ActionImagePreviewExecute();
    void ActionImageSaveExecute();
    void ActionImageFtpUploadExecute();

private:
    void ConnectCommands();
    void SetUpBrowser();
    // The path shown in the selected row of the picture list, or "" with no row selected.
    QString SelectedPicture() const;

    std::unique_ptr<Ui::TFormHtmlPreview> ui;
    TPreviewSchemeHandler* FSchemeHandler = nullptr;
    QString FHtml;
    uint16_t FCodePage = 65001;
    QStringList FImageFiles;
    TFtpConfig* FFtpConfig = nullptr;
};
