#pragma once
// The program's icon for its windows and the About box.

#include <QIcon>

namespace kav::qt {

// The program's own picture in every size it ships, from its resources. The
// installed theme icon is left to the desktop: its scalable picture would
// load an SVG engine, which costs the start more than the whole window.
QIcon programIcon();

} // namespace kav::qt
