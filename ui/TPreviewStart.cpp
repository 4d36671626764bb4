#include "TPreviewStart.h"

#include <QtGlobal>

#include "TPreviewSchemeHandler.h"

void TPreviewStart::Prepare() {
    Q_INIT_RESOURCE(preview);
    TPreviewSchemeHandler::RegisterScheme();
}
