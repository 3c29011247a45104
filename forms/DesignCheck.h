#pragma once
// Consistency checks of a window's design table and of its bindings.
// Each returns a list of problems in plain words, empty when all is well; the
// program runs them at start and the tests run them on all three windows.

#include "model/FormDef.h"

#include <string>
#include <vector>

namespace kav {

class Window;

// Names unique and not empty; every name in the stacking, tab and no-focus
// lists is a control of the right layer and listed once; every drawn control
// is in its stacking list and every button, text box and list box either in
// the tab order or among those that never take the focus; menu items hang
// under a menu item declared before them, other children under a frame;
// shortcut keys unique; timers have a positive interval; placed controls a
// positive size.
std::vector<std::string> checkDesign(const FormDef& form);

// Every bound (control, event) pair names a control of the window, or the
// window itself as "Form", with an event that kind of control raises:
// Click for buttons and menu items, Timer for timers, Load and MouseDown for
// the window.
std::vector<std::string> checkBindings(const Window& window);

} // namespace kav
