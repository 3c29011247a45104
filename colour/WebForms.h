#pragma once
// The other ways a web page can write a colour: "#FF8000", "#ff8000", the
// short "#F80", "rgb(255, 128, 0)" and "hsl(30, 100%, 50%)". The program's own
// code (HexRGB: six digits, no number sign) stays what the code box shows;
// these forms are offered beside it for copying and on the command line.

#include "model/Colour.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kav {

enum class WebForm { Hex, HexLower, Short, Rgb, Hsl };

// Every form, in the order menus and help texts list them.
inline constexpr std::array<WebForm, 5> kWebForms = {WebForm::Hex, WebForm::HexLower, WebForm::Short, WebForm::Rgb,
                                                     WebForm::Hsl};

// A colour value (red + 256 * green + 65536 * blue) in one form. Bits above
// the blue byte are ignored. The short form falls back to "#RRGGBB" where the
// colour has none; shortHex() tells whether it has one.
std::string webForm(Colour colour, WebForm form);

// "#F80" when each of the three pairs is one digit doubled (FF8800), else nothing.
std::optional<std::string> shortHex(Colour colour);

// Hue in degrees (0-359), saturation and lightness in percent, each rounded
// to the nearest whole number, halves upward, computed exactly in integers.
// A hue that rounds to 360 is 0; a grey has hue 0 and saturation 0.
struct Hsl {
    int hue = 0;
    int saturation = 0;
    int lightness = 0;
};
Hsl hslOf(Colour colour);

// The colour of a code as the code box holds it: exactly six hex digits,
// red first, either case. Anything else (an empty box) gives nothing.
std::optional<Colour> colourOfCode(std::string_view code);

// The form's name on the command line ("hex", "hexlower", "short", "rgb",
// "hsl") and back.
std::string_view webFormName(WebForm form);
std::optional<WebForm> webFormNamed(std::string_view name);

} // namespace kav
