// Colour value to colour code.
#include "colour/HexRGB.h"

namespace kav {

namespace {
constexpr char kDigits[] = "0123456789ABCDEF";

// Writes one component, zero-filled to two digits.
void appendComponent(std::string& out, std::int64_t component) {
    const auto c = static_cast<unsigned>(component);
    out += kDigits[(c >> 4) & 0xFu];
    out += kDigits[c & 0xFu];
}
} // namespace

std::string HexRGB(std::int32_t colour) {
    // Modulo and division as the conversion has always been described: the
    // quotient rounds toward zero. A negative value (a system colour
    // reference, which the colour dialog never returns) is taken by its
    // magnitude so the result is still six hex digits.
    std::int64_t value = colour;
    if (value < 0) value = -value;
    std::string out;
    out.reserve(6);
    appendComponent(out, value % 256);
    value /= 256;
    appendComponent(out, value % 256);
    value /= 256;
    appendComponent(out, value % 256);
    return out;
}

} // namespace kav
