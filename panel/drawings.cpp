// TODO-STUB: the step lists shared by the panel's handlers.
#include "forms/frmMain.h"

namespace kav {

void frmMain::pistonFrontDrawing() {}
void frmMain::pistonHomeDrawing() {}
void frmMain::cylinderFrontDrawingLeft() {}
void frmMain::cylinderHomeDrawingLeft() {}
void frmMain::cylinderFrontDrawingRight() {}
void frmMain::cylinderHomeDrawingRight() {}
void frmMain::lockEngagedDrawing() {}
void frmMain::lockReleasedDrawing() {}
void frmMain::growStep() {}
void frmMain::shrinkStep() {}

} // namespace kav
