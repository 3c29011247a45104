// Pieces of shared, unchanging bytes.
#include "model/SharedBytes.h"

namespace kav {

void SharedBytes::append(std::shared_ptr<const void> owner, std::string_view view) {
    if (view.empty()) return;
    owners_.push_back(std::move(owner));
    views_.push_back(view);
}

} // namespace kav
