#include <QFile>

#include "TBase64.h"
#include "TError.h"
#include "TImageFileMaker.h"
#include "TInputData.h"
#include "TInputImage.h"
#include "TPictureLoader.h"
#include "TTempDir.h"

TOutputData TInputDataImage::CreateOutputData() const {
    const auto* item = ItemAs<TInputImage>();
    if (!item)
        return {};
    // A name with a folder in it would put the picture outside the page's folder.
    TImageFileMaker::CheckOutputFileName(item->GetCaption(), FileName);
    const TTempDir scratch;
    const QString destination = scratch.GetPath() + FileName;
    if (item->ZoomOutImage) {
        const QImage bitmap =
            TPictureLoader::LoadShrunkOnWhite(Path, item->MaxImageHeight, item->MaxImageWidth);
        TImageFileMaker::SavePictureToFile(destination, bitmap);
    } else {
        // A failed copy shows up as the destination that cannot be read below.
        QFile::copy(Path, destination);
    }
    QFile stored(destination);
    if (!stored.open(QIODevice::ReadOnly)) {
        throw TError(
            QStringLiteral("画像ファイル %1 を読み込めません。%2").arg(Path, stored.errorString()));
    }
    return {FileName, FileName, QString::fromLatin1(TBase64::EncodeStream(stored))};
}
