#pragma once
// The six-digit web colour code of a colour value: red, green, blue as two
// upper-case hex digits each, no number sign. The colour value keeps red in
// its low byte, so the bytes come out in the reverse of their stored order.

#include <cstdint>
#include <string>

namespace kav {

std::string HexRGB(std::int32_t colour);

} // namespace kav
