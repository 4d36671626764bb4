#include "UnitFormImagePreview.h"

#include <QFileInfo>
#include <QImageReader>
#include <QShortcut>

#include "TCursorHourGlass.h"
#include "TError.h"
#include "TFileDialog.h"
#include "TGuarded.h"
#include "THelpViewer.h"
#include "TImageFileMaker.h"
#include "TPictureLoader.h"
#include "ui_UnitFormImagePreview.h"

namespace {

// The loader reads JPEG, PNG, GIF and BMP by their contents; icons only the preview shows.
QImage LoadPicture(const QString& path) {
    if (QFileInfo(path).suffix().compare(QStringLiteral("ico"), Qt::CaseInsensitive) != 0)
        return TPictureLoader::Load(path);
    QImageReader reader(path, "ico");
    const QImage icon = reader.read();
    if (icon.isNull()) {
        throw TError(QStringLiteral("画像ファイル「%1」を読み込めません。%2")
                         .arg(path, reader.errorString()));
    }
    return icon;
}

// ".jpg" for "a.jpg"; "" without an extension.
QString DottedExtension(const QString& path) {
    const QString suffix = QFileInfo(path).suffix();
    return suffix.isEmpty() ? QString() : "." + suffix;
}

}  // namespace

QString TFormImagePreview::SaveFilter() {
    return QStringLiteral(
        "PNGファイル(*.png)|*.png|GIFファイル(*.gif)|*.gif|JPEGファイル(*.jpg;*.jpeg)|*.jpg;*.jpeg|"
        "ビットマップファイル(*.bmp)|*.bmp");
}

TFormImagePreview::TFormImagePreview(QWidget* owner)
    : QDialog(owner), ui(std::make_unique<Ui::TFormImagePreview>()) {
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ui->ToolBar1->addAction(ui->ActionShowRealSize);
    ui->ToolBar1->addAction(ui->ActionShowWindowSize);
    ui->ToolBar1->addSeparator();
    ui->ToolBar1->addAction(ui->ActionSaveToFile);
    connect(ui->ActionShowRealSize, &QAction::triggered, this,
            Guarded(this, &TFormImagePreview::ActionShowRealSizeExecute));
    connect(ui->ActionShowWindowSize, &QAction::triggered, this,
            Guarded(this, &TFormImagePreview::ActionShowWindowSizeExecute));
    connect(ui->ActionSaveToFile, &QAction::triggered, this,
            Guarded(this, &TFormImagePreview::ActionSaveToFileExecute));
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
            [] { THelpViewer::ShowTopic(HelpContext); });
    ActionShowRealSizeExecute();
}

TFormImagePreview::~TFormImagePreview() = default;

void TFormImagePreview::SetImageFile(const QString& path) {
    ui->Image1->SetPicture(LoadPicture(path));
    FPath = path;
}

void TFormImagePreview::ActionShowRealSizeExecute() {
    SetFitToWindow(false);
}

void TFormImagePreview::ActionShowWindowSizeExecute() {
    SetFitToWindow(true);
}

void TFormImagePreview::SetFitToWindow(bool fit) {
    ui->Image1->SetFitToWindow(fit);
    ui->ActionShowRealSize->setChecked(!fit);
    ui->ActionShowWindowSize->setChecked(fit);
}

void TFormImagePreview::ActionSaveToFileExecute() {
    const auto path = TFileDialog::GetSaveFileName(this, SaveFilter(), DottedExtension(FPath));
    if (!path)
        return;
    TCursorHourGlass busy;
    TImageFileMaker::SavePictureToFile(*path, ui->Image1->Picture());
}
