#pragma once
// Plain values that several layers hand to one another, kept at the bottom so
// that none of them needs a higher layer's header for a type.

#include <string_view>

namespace kav {

// One item of the launcher menu as the platform carries it out: its name,
// which is also the key of the program that stands in for it on this
// desktop, and the web page it opens, empty for an item that opens none.
struct LaunchItem {
    std::string_view name;
    std::string_view address = {};
};

} // namespace kav
