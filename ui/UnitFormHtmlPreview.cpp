#include "UnitFormHtmlPreview.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QHeaderView>
#include <QShortcut>
#include <QWebEnginePage>
#include <QWebEngineProfile>

#include "TAtomicFile.h"
#include "TCursorHourGlass.h"
#include "TDialogRunner.h"
#include "TError.h"
#include "TFileDialog.h"
#include "TFileUtility.h"
#include "TFormUtils.h"
#include "TGuarded.h"
#include "THelpViewer.h"
#include "TPreviewSchemeHandler.h"
#include "UnitFormFtpDir.h"
#include "UnitFormImagePreview.h"
#include "ui_UnitFormHtmlPreview.h"

namespace {

constexpr int PathRole = Qt::UserRole;

// ".jpg" for "a.jpg", spelled as in the path; "" without an extension.
QString DottedExtension(const QString& path) {
    const QString suffix = QFileInfo(path).suffix();
    return suffix.isEmpty() ? QString() : "." + suffix;
}

}  // namespace

QString TFormHtmlPreview::PageSaveFilter() {
    return QStringLiteral("HTMLファイル(*.html)|*.html;*.htm|すべてのファイル(*.*)|*.*");
}

QString TFormHtmlPreview::PictureSaveFilter(const QString& path) {
    const QString e = DottedExtension(path);
    return e + "ファイル(*" + e + ")|*" + e;
}

TFormHtmlPreview::TFormHtmlPreview(QWidget* owner)
    : QDialog(owner), ui(std::make_unique<Ui::TFormHtmlPreview>()) {
    ui->setupUi(this);
    ui->RichEditHtml->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    ui->ListViewImage->header()->setSectionsClickable(false);
    ui->ListViewImage->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    SetUpBrowser();
    ConnectCommands();
    ui->PageControlMain->setCurrentIndex(0);
}

TFormHtmlPreview::~TFormHtmlPreview() {
    // The web page lives inside the tabs and must be gone before its profile.
    delete ui->PageControlMain;
}

void TFormHtmlPreview::SetUpBrowser() {
    // A profile of its own per window: nothing is cached between previews, and the scheme
    // handler serves exactly this window's page.
    auto* profile = new QWebEngineProfile(this);
    FSchemeHandler = new TPreviewSchemeHandler(profile);
    profile->installUrlSchemeHandler(TPreviewSchemeHandler::Scheme(), FSchemeHandler);
    ui->WebBrowser1->setPage(new QWebEnginePage(profile, ui->WebBrowser1));
}

void TFormHtmlPreview::ConnectCommands() {
    connect(ui->ActionHtmlSaveToFile, &QAction::triggered, this,
            Guarded(this, &TFormHtmlPreview::ActionHtmlSaveToFileExecute));
    connect(ui->ActionHtmlUploadFtp, &QAction::triggered, this,
            Guarded(this, &TFormHtmlPreview::ActionHtmlUploadFtpExecute));
    connect(ui->ActionImagePreview, &QAction::triggered, this,
            Guarded(this, &TFormHtmlPreview::ActionImagePreviewExecute));
    connect(ui->ActionImageSave, &QAction::triggered, this,
            Guarded(this, &TFormHtmlPreview::ActionImageSaveExecute));
    connect(ui->ActionImageFtpUpload, &QAction::triggered, this,
            Guarded(this, &TFormHtmlPreview::ActionImageFtpUploadExecute));
    // The first two tabs carry the same page commands.
    const std::pair<QAbstractButton*, QAction*> buttons[] = {
        {ui->BtnHtmlSave1, ui->ActionHtmlSaveToFile},
        {ui->BtnHtmlSave2, ui->ActionHtmlSaveToFile},
        {ui->BtnHtmlUpload1, ui->ActionHtmlUploadFtp},
        {ui->BtnHtmlUpload2, ui->ActionHtmlUploadFtp},
        {ui->BtnImagePreview, ui->ActionImagePreview},
        {ui->BtnImageSave, ui->ActionImageSave},
        {ui->BtnImageUpload, ui->ActionImageFtpUpload},
    };
    for (const auto& [button, action] : buttons)
        connect(button, &QAbstractButton::clicked, action, &QAction::trigger);
    connect(ui->ListViewImage, &QTreeWidget::itemDoubleClicked, ui->ActionImagePreview,
            &QAction::trigger);
    const auto help = [] { THelpViewer::ShowTopic(HelpContext); };
    connect(ui->BtnHelp1, &QAbstractButton::clicked, this, help);
    connect(ui->BtnHelp2, &QAbstractButton::clicked, this, help);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, help);
}

void TFormHtmlPreview::SetHtml(const QString& text, uint16_t codePage) {
    FHtml = text;
    FCodePage = codePage;
    ui->RichEditHtml->setPlainText(text);
    FSchemeHandler->SetPage(text);
    ui->WebBrowser1->load(TPreviewSchemeHandler::PageUrl());
}

void TFormHtmlPreview::SetImageFiles(const QStringList& paths) {
    FImageFiles = paths;
    FSchemeHandler->SetPictures(paths);
    QTreeWidget* list = ui->ListViewImage;
    list->setUpdatesEnabled(false);
    list->clear();
    for (const QString& path : paths) {
        if (!QFileInfo(path).isFile())
            continue;
        auto* row = new QTreeWidgetItem(
            list, {QFileInfo(path).fileName(), QString::number(TFileUtility::GetFileSize(path))});
        row->setData(0, PathRole, path);
        row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    TFormUtils::AutoSizeColumns(list);
    list->setUpdatesEnabled(true);
}

QString TFormHtmlPreview::SelectedPicture() const {
    const QList<QTreeWidgetItem*> selected = ui->ListViewImage->selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->data(0, PathRole).toString();
}

void TFormHtmlPreview::ActionHtmlSaveToFileExecute() {
    const auto path = TFileDialog::GetSaveFileName(this, PageSaveFilter(), QStringLiteral(".html"));
    if (!path)
        return;
    TCursorHourGlass busy;
    TFileUtility::SaveTextToFile(*path, FHtml, FCodePage);
}

void TFormHtmlPreview::ActionHtmlUploadFtpExecute() {
    if (FFtpConfig)
        TFormFtpDir::UploadPage(this, *FFtpConfig, FHtml, FCodePage);
}

// Every picture of the page, also one whose file has gone: its upload then reports the error.
void TFormHtmlPreview::ActionImageFtpUploadExecute() {
    if (FFtpConfig)
        TFormFtpDir::UploadPictures(this, *FFtpConfig, FImageFiles);
}

void TFormHtmlPreview::ActionImagePreviewExecute() {
    const QString path = SelectedPicture();
    if (path.isEmpty())
        return;
    TFormImagePreview window(this);
    window.SetImageFile(path);
    TDialogRunner::ShowModal(window);
}

void TFormHtmlPreview::ActionImageSaveExecute() {
    const QString path = SelectedPicture();
    if (path.isEmpty())
        return;
    const auto target =
        TFileDialog::GetSaveFileName(this, PictureSaveFilter(path), DottedExtension(path));
    if (!target)
        return;
    TCursorHourGlass busy;
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly)) {
        throw TError(QStringLiteral("画像ファイル「%1」を読み込めません。%2")
                         .arg(path, source.errorString()));
    }
    TAtomicFile::Write(*target, source.readAll());
}
