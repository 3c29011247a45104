#pragma once
// Colours as the design stores them: 0x00BBGGRR with red in the low byte, or
// 0x800000nn for entry nn of the desktop's colour scheme, and the fixed
// 16-colour palette that lamps and shapes are painted from.

#include <array>
#include <cstdint>

namespace kav {

using Colour = std::uint32_t;

// "Use the default colour of the control's kind" (text boxes white, shapes white).
inline constexpr Colour kDefaultColour = 0xFFFFFFFFu;

// System colours used by the design data.
inline constexpr Colour kSysDesktop = 0x80000001u;      // desktop background
inline constexpr Colour kSysAppWorkspace = 0x8000000Cu; // application workspace grey
inline constexpr Colour kSysButtonFace = 0x8000000Fu;   // button face

constexpr bool isSystemColour(Colour c) { return (c & 0xFF000000u) == 0x80000000u; }

// The 16-colour palette, index 0-15, as 0x00BBGGRR values.
inline constexpr std::array<Colour, 16> kPalette = {
    0x000000u, // 0 black
    0x800000u, // 1 blue
    0x008000u, // 2 green
    0x808000u, // 3 cyan
    0x000080u, // 4 red
    0x800080u, // 5 magenta
    0x008080u, // 6 brown (dark yellow)
    0xC0C0C0u, // 7 light grey
    0x808080u, // 8 grey
    0xFF0000u, // 9 light blue
    0x00FF00u, // 10 light green
    0xFFFF00u, // 11 light cyan
    0x0000FFu, // 12 light red
    0xFF00FFu, // 13 light magenta
    0x00FFFFu, // 14 light yellow
    0xFFFFFFu, // 15 bright white
};

constexpr Colour palette(int index) { return kPalette.at(static_cast<std::size_t>(index)); }

// The palette entries by what they mean on the panel. Handlers and the design
// tables use these names; the index of each lives only here.
inline constexpr Colour lampGreen = kPalette[10];  // on, reached, running
inline constexpr Colour lampRed = kPalette[12];    // paused, alarm, cylinder moved by hand
inline constexpr Colour lampYellow = kPalette[14]; // off, not reached, idle
inline constexpr Colour lampWhite = kPalette[15];  // a cylinder barrel at rest, a piston rod end
inline constexpr Colour legendGrey = kPalette[8];  // the legend labels of the lower panel

constexpr int redOf(Colour c) { return static_cast<int>(c & 0xFFu); }
constexpr int greenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFFu); }
constexpr int blueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFFu); }

} // namespace kav
