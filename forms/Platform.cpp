// What every platform does alike: reading a file as the logbook list keeps it.
#include "forms/Platform.h"

namespace kav {

std::optional<logbook::LineImage> Platform::readLines(const std::string& path) {
    std::optional<std::string> bytes = readFile(path);
    if (!bytes) return std::nullopt;
    return logbook::indexLines(std::move(*bytes));
}

} // namespace kav
