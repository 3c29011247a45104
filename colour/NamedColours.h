#pragma once
// The 148 colours CSS names ("orange", "rebeccapurple"), and the name
// nearest to a colour.

#include "model/Colour.h"

#include <optional>
#include <string_view>

namespace kav {

// The colour of a name in lower case, or nothing when CSS has no such named
// colour ("transparent" and "currentcolor" are no named colours here).
std::optional<Colour> namedColour(std::string_view lowerCaseName);

struct NearestName {
    std::string_view name;
    bool exact = false; // the name's colour is the colour itself
};

// The name whose colour lies nearest to the colour in OKLab. Where several
// names share one colour, the first in alphabetical order: aqua (not cyan),
// fuchsia (not magenta), and the "gray" spellings (not "grey").
NearestName nearestName(Colour colour);

} // namespace kav
