#pragma once
// Colours in OKLab and OKLCH, the perceptual spaces of CSS Color 4's
// oklab() and oklch(): the conversions to and from sRGB, and the gamut
// mapping that brings a colour outside sRGB into it by reducing its chroma.

#include "model/Colour.h"

namespace kav {

// sRGB with the transfer curve applied, 0 to 1 per channel inside the gamut.
struct Srgb {
    double r = 0, g = 0, b = 0;
};

// OKLab: lightness 0 (black) to 1 (white), and the two opponent axes.
struct Oklab {
    double l = 0, a = 0, b = 0;
};

// OKLCH: lightness, chroma (0 for a grey) and hue in degrees.
struct Oklch {
    double l = 0, c = 0, h = 0;
};

Oklab oklabOf(Colour colour);
Oklab oklabOf(const Srgb& rgb);
Srgb srgbOf(const Oklab& lab);
Oklch oklchOf(const Oklab& lab);
Oklab oklabOf(const Oklch& lch);

// The Euclidean distance in OKLab.
double deltaEOK(const Oklab& x, const Oklab& y);

// The colour in sRGB: as it is when inside the gamut; white from lightness 1
// up and black from 0 down; otherwise its chroma is reduced in OKLCH, by
// CSS Color 4's binary search, until clipping it to sRGB changes it by less
// than a just noticeable difference (0.02 in OKLab).
Srgb mappedIntoSrgb(const Oklch& lch);

// The colours that come out as one 8-bit colour without leaving sRGB by more
// than half a step of a channel: a fast test for the writers' search, in
// linear light, with no transfer curve to compute per colour.
class SrgbCell {
public:
    explicit SrgbCell(Colour colour);
    // Whether the colour lies in the cell (its edges widened by 1e-12, so
    // that the test never misses a colour that rounds into it).
    bool holds(const Oklab& lab) const;
    // A box in OKLab that holds the whole cell: the search skips at once
    // any colour outside it.
    const Oklab& least() const { return least_; }
    const Oklab& most() const { return most_; }

private:
    double low_[3] = {}, high_[3] = {};
    Oklab least_, most_;
};

// The 8-bit colour of an sRGB colour: each channel clamped to 0-1 and
// value * 255 rounded to the nearest whole number, halves upward.
Colour colourOf(const Srgb& rgb);

} // namespace kav
