// Pieces of shared, unchanging bytes.
#include "model/SharedBytes.h"

namespace kav {

SharedBytes::SharedBytes(std::string bytes) {
    auto owned = std::make_shared<const std::string>(std::move(bytes));
    const std::string_view view(*owned);
    append(std::move(owned), view);
}

void SharedBytes::append(std::shared_ptr<const void> owner, std::string_view view) {
    if (view.empty()) return;
    owners_.push_back(std::move(owner));
    views_.push_back(view);
    size_ += view.size();
}

std::string SharedBytes::joined() const {
    std::string all;
    all.reserve(size_);
    for (std::string_view v : views_)
        all.append(v);
    return all;
}

} // namespace kav
