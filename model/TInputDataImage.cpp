#include "TError.h"
#include "TInputData.h"

// The picture conversion arrives with the picture codecs; until then it refuses clearly.
TOutputData TInputDataImage::CreateOutputData() const {
    throw TError(QStringLiteral("画像の変換はまだ使えません。"));
}
