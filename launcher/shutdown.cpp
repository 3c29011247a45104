// TODO-STUB: handlers of this file are not written yet.
#include "forms/frmMain.h"

namespace kav {

void frmMain::win_Click() {}

} // namespace kav
