#pragma once
// WCAG 2 contrast of a colour against white and black, and the two lines the
// code box shows about it, in Swedish with a decimal comma.

#include "model/Colour.h"

#include <string>

namespace kav {

// (L1 + 0.05) / (L2 + 0.05) with the lighter colour's luminance on top: 1 for
// equal colours, 21 for black against white.
double contrastRatio(Colour a, Colour b);

// "Kontrast mot vitt 2,9:1 · mot svart 7,2:1": each ratio to one decimal,
// rounded down, so that no figure shows a threshold the ratio misses.
std::string contrastLine(Colour c);

// Which background normal text in the colour may stand on, judged on the
// exact ratios: "Normal text (4,5:1): läsbar mot svart", "mot vitt", or "mot
// vitt och svart". One of the two always reaches 4.5:1, since their product
// is 21.
std::string normalTextLine(Colour c);

} // namespace kav
