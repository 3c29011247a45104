#pragma once
// The pieces of shared bytes as one string, for comparing a snapshot with a file.

#include "model/SharedBytes.h"

#include <string>
#include <string_view>

namespace kav {

inline std::string joined(const SharedBytes& bytes) {
    std::string all;
    for (const std::string_view piece : bytes.views())
        all.append(piece);
    return all;
}

} // namespace kav
