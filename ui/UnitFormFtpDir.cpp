#include "UnitFormFtpDir.h"

#include "TApplication.h"
#include "TCursorHourGlass.h"
#include "TDialogRunner.h"
#include "TFileUtility.h"
#include "TFormUtils.h"
#include "TGuarded.h"
#include "TInputBox.h"
#include "TMessageBox.h"
#include "TTempFile.h"
#include "ui_UnitFormFtpDir.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>

namespace {

TFtpSessionDialogue::TAnswer FromBox(TMessageBox::TAnswer answer) {
    switch (answer) {
        case TMessageBox::TAnswer::Yes:
            return TFtpSessionDialogue::TAnswer::Yes;
        case TMessageBox::TAnswer::No:
            return TFtpSessionDialogue::TAnswer::No;
        case TMessageBox::TAnswer::Ok:
        case TMessageBox::TAnswer::Cancel:
            break;
    }
    return TFtpSessionDialogue::TAnswer::Cancel;
}

// "63.0 MB" and the like.
QString SizeText(qint64 bytes) {
    return QLocale(QLocale::Japanese)
        .formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

// "1.5 MB/秒" and the like, from bytes and milliseconds; empty before any time has passed.
QString RateText(qint64 bytes, qint64 elapsedMs) {
    if (elapsedMs <= 0)
        return {};
    return SizeText(bytes * 1000 / elapsedMs) + QStringLiteral("/秒");
}

constexpr int ProgressSteps = 1000;
// The columns' widths at least; wider where the header or an entry needs it.
constexpr int ColumnWidths[] = {150, 120, 60, 80};

}  // namespace

TFormFtpDir::TFormFtpDir(QWidget* owner)
    : QDialog(owner),
      ui(std::make_unique<Ui::TFormFtpDir>()),
      FLabelProgress(new QLabel(this)),
      FProgressBar(new QProgressBar(this)),
      FSession(*this) {
    ui->setupUi(this);
    ui->ActionDirMoveUp->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
    ui->BtnDirMoveUp->setDefaultAction(ui->ActionDirMoveUp);
    ui->BtnDirMoveUp->setAccessibleName(ui->ActionDirMoveUp->text());
    TFormUtils::BindCommands(
        this, {{ui->BtnDirHtml, ui->ActionDirHtml, [this] { ActionDirHtmlExecute(); }},
               {ui->BtnDirImage, ui->ActionDirImage, [this] { ActionDirImageExecute(); }}});
    connect(ui->ActionDirMoveUp, &QAction::triggered, this,
            Guarded(this, &TFormFtpDir::ActionDirMoveUpExecute));
    ui->BtnDirHtml->setStatusTip(ui->ActionDirHtml->statusTip());
    ui->BtnDirImage->setStatusTip(ui->ActionDirImage->statusTip());

    QTreeWidget* list = ui->ListView1;
    for (int column = 0; column < list->columnCount(); ++column)
        list->setColumnWidth(column, ColumnWidths[column]);
    list->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    list->header()->setSectionsClickable(true);
    list->header()->setSortIndicatorShown(true);
    list->header()->setSortIndicator(FSession.SortKey(), Qt::AscendingOrder);
    ui->Splitter1->setStretchFactor(0, 1);
    ui->Splitter1->setStretchFactor(1, 0);
    ui->Splitter1->setSizes({1000, 57});

    FLabelProgress->setObjectName(QStringLiteral("LabelProgress"));
    FProgressBar->setObjectName(QStringLiteral("ProgressBarUpload"));
    FProgressBar->setRange(0, ProgressSteps);
    FProgressBar->setMaximumWidth(100);
    FProgressBar->setTextVisible(false);
    // A long file name must not widen the window.
    FLabelProgress->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    ui->StatusBar1->addWidget(FLabelProgress, 1);
    ui->StatusBar1->addPermanentWidget(FProgressBar);
    FLabelProgress->hide();
    FProgressBar->hide();

    connect(list->header(), &QHeaderView::sectionClicked, this,
            Guarded(this, &TFormFtpDir::ListView1ColumnClick));
    connect(list, &QTreeWidget::doubleClicked, this,
            Guarded(this, &TFormFtpDir::ListView1DblClick));
    connect(ui->ComboBoxDir, &QComboBox::activated, this,
            Guarded(this, &TFormFtpDir::ComboBoxDirChange));
    connect(ui->BtnClose, &QPushButton::clicked, this, &TFormFtpDir::reject);
}

TFormFtpDir::~TFormFtpDir() = default;

void TFormFtpDir::UploadPage(QWidget* owner, TFtpConfig& config, const QString& html,
                             int codePage) {
    const TTempFile page;
    TFileUtility::SaveTextToFile(page.GetFileName(), html, codePage);
    TFormFtpDir browser(owner);
    browser.SetFtpConfig(config);
    browser.AddUploadFile(config.DirHtml, page.GetFileName(), QString());
    browser.SetDirButtonsVisible(false);
    TDialogRunner::ShowModal(browser);
}

void TFormFtpDir::UploadPictures(QWidget* owner, TFtpConfig& config, const QStringList& pictures) {
    TFormFtpDir browser(owner);
    browser.SetFtpConfig(config);
    for (const QString& picture : pictures)
        browser.AddUploadFile(config.DirImage, picture, QFileInfo(picture).fileName());
    browser.SetDirButtonsVisible(false);
    TDialogRunner::ShowModal(browser);
}

void TFormFtpDir::SetFtpConfig(TFtpConfig& config) {
    FConfig = &config;
    FSession.SetFtpConfig(config);
}

void TFormFtpDir::AddUploadFile(const QString& remoteDir, const QString& localFile,
                                const QString& remoteName) {
    FSession.AddUploadFile(remoteDir, localFile, remoteName);
}

void TFormFtpDir::SetDirButtonsVisible(bool visible) {
    FDirButtonsVisible = visible;
    ui->BtnDirHtml->setVisible(visible);
    ui->BtnDirImage->setVisible(visible);
    ui->ActionDirHtml->setEnabled(visible && FSession.IsConnected());
    ui->ActionDirImage->setEnabled(visible && FSession.IsConnected());
}

void TFormFtpDir::reject() {
    if (FSession.IsBusy()) {
        FSession.RequestStop();
        FCloseRequested = true;
        return;
    }
    QDialog::reject();
}

// The connection is made once, after the window has appeared, so that the person sees the
// window (and its log) while connecting and uploading.
void TFormFtpDir::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (FConnectScheduled)
        return;
    FConnectScheduled = true;
    QTimer::singleShot(0, this, &TFormFtpDir::ConnectOnIdle);
}

// A dialog has no main window to show the hints of its commands: the status bar shows them.
bool TFormFtpDir::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        ui->StatusBar1->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QDialog::event(event);
}

void TFormFtpDir::ConnectOnIdle() {
    {
        const TCursorHourGlass cursor;
        // The error of the final listing is shown here, so that the window still ends the
        // progress display and closes when asked to.
        try {
            FSession.ConnectOnIdle();
        } catch (...) {
            TApplication::ShowCurrentException();
        }
        EndProgress();
    }
    if (FCloseRequested)
        QDialog::reject();
}

void TFormFtpDir::ListView1ColumnClick(int column) {
    FSession.SetSortKey(column);
    ui->ListView1->header()->setSortIndicator(column, Qt::AscendingOrder);
}

void TFormFtpDir::ListView1DblClick() {
    FSession.EnterFolder(TFormUtils::SelectedRow(ui->ListView1));
}

void TFormFtpDir::ComboBoxDirChange(int index) {
    // While the queue runs the session ignores the choice; the box goes back to its folder.
    if (FSession.IsBusy())
        SelectCurrentFolder();
    else
        FSession.ChooseHistory(index);
}

void TFormFtpDir::ActionDirMoveUpExecute() {
    FSession.MoveUp();
}

void TFormFtpDir::ActionDirHtmlExecute() {
    FSession.SetHtmlFolder();
    CopyFoldersBack();
}

void TFormFtpDir::ActionDirImageExecute() {
    FSession.SetImageFolder();
    CopyFoldersBack();
}

void TFormFtpDir::CopyFoldersBack() {
    if (!FConfig)
        return;
    FConfig->DirHtml = FSession.FtpConfig().DirHtml;
    FConfig->DirImage = FSession.FtpConfig().DirImage;
}

void TFormFtpDir::SelectCurrentFolder() {
    const QSignalBlocker blocker(ui->ComboBoxDir);
    ui->ComboBoxDir->setCurrentIndex(ui->ComboBoxDir->count() - 1);
}

void TFormFtpDir::EndProgress() {
    FLabelProgress->hide();
    FProgressBar->hide();
}

std::optional<QString> TFormFtpDir::AskFileName(const QString& caption, const QString& prompt) {
    return TInputBox::GetText(this, caption, prompt);
}

TFtpSessionDialogue::TAnswer TFormFtpDir::AskOverwrite(const QString& text) {
    return FromBox(TMessageBox::Confirm(this, text));
}

TFtpSessionDialogue::TAnswer TFormFtpDir::AskContinueAfterError(const QString& text) {
    return FromBox(TMessageBox::WarningYesNoCancel(this, text));
}

TFtpSessionDialogue::TAnswer TFormFtpDir::AskSetFolder(const QString& text) {
    return FromBox(TMessageBox::Confirm(this, text));
}

void TFormFtpDir::WarnConnection(const QString& text) {
    TMessageBox::Warning(this, text);
}

void TFormFtpDir::Log(const QString& line) {
    ui->MemoLog->appendPlainText(line);
}

void TFormFtpDir::ProcessEvents() {
    QCoreApplication::processEvents();
}

void TFormFtpDir::Progress(const QString& remoteName, qint64 sent, qint64 total) {
    if (!FProgressClock.isValid())
        FProgressClock.start();
    FProgressBar->setValue(total > 0 ? int(sent * ProgressSteps / total) : ProgressSteps);
    // The name last: a long one is cut off, the numbers stay readable.
    FLabelProgress->setText(QStringLiteral("送信中 %1 / %2 %3 %4")
                                .arg(SizeText(sent), SizeText(total),
                                     RateText(sent, FProgressClock.elapsed()), remoteName));
    FLabelProgress->show();
    FProgressBar->show();
    if (sent >= total)
        FProgressClock.invalidate();
    QCoreApplication::processEvents();
}

void TFormFtpDir::ShowDirectory(const std::vector<TFtpItem>& items, const QString&) {
    DisplayItems(items);
    // The session's history already holds the folder listed, last.
    const QSignalBlocker blocker(ui->ComboBoxDir);
    ui->ComboBoxDir->clear();
    ui->ComboBoxDir->addItems(FSession.History());
    SelectCurrentFolder();
}

// One row per entry in order, repainted once.
void TFormFtpDir::DisplayItems(const std::vector<TFtpItem>& items) {
    QTreeWidget* list = ui->ListView1;
    const TFormUtils::TUpdatesSuspended suspended(list);
    list->clear();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(qsizetype(items.size()));
    for (const TFtpItem& item : items) {
        auto* row = new QTreeWidgetItem(DisplayItemTexts(item));
        row->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        rows << row;
    }
    list->addTopLevelItems(rows);
    TFormUtils::AutoSizeColumns(list);
    for (int column = 0; column < list->columnCount(); ++column)
        list->setColumnWidth(column, std::max(ColumnWidths[column], list->columnWidth(column)));
}

void TFormFtpDir::EnableCommands() {
    ui->ActionDirMoveUp->setEnabled(true);
    ui->ActionDirHtml->setEnabled(FDirButtonsVisible);
    ui->ActionDirImage->setEnabled(FDirButtonsVisible);
}
