#pragma once
// The launcher menu as data: one row for each menu item that starts a fixed
// Windows command line and does nothing else. The main window binds every row
// to its one launch handler; what runs on Linux in place of each item is the
// platform's stand-in table, keyed by the same name.

#include "forms/Platform.h"

#include <span>
#include <string_view>

namespace kav {

std::span<const LaunchItem> launchItems();

// The row of the item of that name, or null when there is none.
const LaunchItem* findLaunchItem(std::string_view name);

} // namespace kav
