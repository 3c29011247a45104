// Colour value to colour code.
#include "colour/HexRGB.h"

namespace kav {

std::string HexRGB(std::int32_t colour) {
    // Each component is the value modulo 256, then the quotient carries on,
    // rounding toward zero. A negative value (a system colour reference, which
    // the colour dialog never returns) is taken by its magnitude so the result
    // is still six hex digits.
    std::int64_t value = colour;
    if (value < 0) value = -value;
    std::string out;
    for (int i = 0; i < 3; ++i, value /= 256) {
        const auto c = static_cast<unsigned>(value % 256);
        out += "0123456789ABCDEF"[c >> 4];
        out += "0123456789ABCDEF"[c & 0xFu];
    }
    return out;
}

} // namespace kav
