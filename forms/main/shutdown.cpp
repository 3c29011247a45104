// "Stäng av datorn": opens the shut-down dialog and nothing more. Whatever
// happens next is the user's choice in that dialog.
#include "forms/main/frmMain.h"

namespace kav {

void frmMain::win_Click() { platform().shutdownDialog(); }

} // namespace kav
