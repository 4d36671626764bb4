// The input tab fills these hooks of the main window: the input pane and the preview command.

#include "UnitFormMain.h"

void TFormMain::CreateInputPane() {}

void TFormMain::BuildInputPane() {}

void TFormMain::ActionInputPreviewHtmlExecute() {}
