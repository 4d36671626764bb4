// The design tabs fill these hooks of the main window with their lists and FTP controls.

#include "UnitFormMain.h"

void TFormMain::RefreshInputList() {}

void TFormMain::RefreshTemplateList() {}

void TFormMain::LoadFtpControls() {}

void TFormMain::StoreFtpControls() {}
