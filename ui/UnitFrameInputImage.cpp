#include "UnitFrameInputImage.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>

#include "TDialogRunner.h"
#include "TError.h"
#include "TFileDialog.h"
#include "TGuarded.h"
#include "TInputData.h"
#include "TMessageBox.h"
#include "UnitFormImagePreview.h"
#include "ui_UnitFrameInputImage.h"

QString TFrameInputImage::PictureFilter() {
    return QStringLiteral(
        "画像ファイル(*.jpg;*.jpeg;*.png;*.gif;*.bmp)|*.jpg;*.jpeg;*.png;*.gif;*.bmp|"
        "JPEGファイル(*.jpg;*.jpeg)|*.jpg;*.jpeg|PNGファイル(*.png)|*.png|GIFファイル(*.gif)|*.gif|"
        "ビットマップファイル(*.bmp)|*.bmp|すべてのファイル(*.*)|*.*");
}

TFrameInputImage::TFrameInputImage(QObject* owner, const TInputBase& item)
    : TFrameInputItem(owner, item), ui(std::make_unique<Ui::TFrameInputImage>()) {
    ui->setupUi(this);
    FBrowse = ui->EditPath->addAction(QIcon(QStringLiteral(":/icons/frame-browse.svg")),
                                      QLineEdit::TrailingPosition);
    FBrowse->setText(QStringLiteral("参照"));
    FBrowse->setToolTip(QStringLiteral("画像ファイルを選ぶ"));
    FPreview = ui->EditPath->addAction(QIcon(QStringLiteral(":/icons/preview-show.svg")),
                                       QLineEdit::LeadingPosition);
    FPreview->setText(QStringLiteral("プレビュー"));
    FPreview->setToolTip(QStringLiteral("画像をプレビューする"));
    connect(FBrowse, &QAction::triggered, this,
            Guarded(this, &TFrameInputImage::EditPathRightButtonClick));
    connect(FPreview, &QAction::triggered, this,
            Guarded(this, &TFrameInputImage::EditPathLeftButtonClick));
    Finish(ui->GroupBox, ui->BtnConfig);
}

TFrameInputImage::~TFrameInputImage() = default;

std::unique_ptr<TInputData> TFrameInputImage::CreateInputData() {
    return std::make_unique<TInputDataImage>(GetInputItem(), ui->EditPath->text(),
                                             ui->EditFilename->text());
}

void TFrameInputImage::EditPathRightButtonClick() {
    const auto path =
        TFileDialog::GetOpenFileName(this, PictureFilter(), QString(), ui->EditPath->text());
    if (!path)
        return;
    ui->EditPath->setText(*path);
    if (ui->EditFilename->text().isEmpty())
        ui->EditFilename->setText(QFileInfo(*path).fileName());
}

void TFrameInputImage::EditPathLeftButtonClick() {
    const QString path = ui->EditPath->text();
    if (!QFileInfo(path).isFile())
        return;
    try {
        TFormImagePreview window(this);
        window.SetImageFile(path);
        TDialogRunner::ShowModal(window);
    } catch (const TError& e) {
        TMessageBox::Warning(this, e.Message());
    }
}
