#pragma once
// The program's icon for its windows and the About box.

#include <QIcon>

namespace kav::qt {

// The program's own picture in every size it ships, from the resources built
// into the program. The desktop's menu and task bar find the installed theme
// icon through the desktop entry; looking it up here as well would cost the
// start more than the rest of the window (the theme's scalable picture loads
// an SVG engine).
QIcon programIcon();

} // namespace kav::qt
