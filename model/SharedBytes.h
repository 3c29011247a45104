#pragma once
// Bytes that may be handed to another thread: a row of pieces, each a view of
// a buffer that nobody writes to again, kept alive by shared ownership. A save
// takes the logbook list's bytes this way without copying them, and the list
// goes on growing behind the pieces meanwhile.

#include <memory>
#include <string_view>
#include <vector>

namespace kav {

class SharedBytes {
public:
    // Adds a piece; `owner` keeps the bytes of `view` alive and unchanged.
    void append(std::shared_ptr<const void> owner, std::string_view view);

    const std::vector<std::string_view>& views() const { return views_; }

private:
    std::vector<std::shared_ptr<const void>> owners_;
    std::vector<std::string_view> views_;
};

} // namespace kav
