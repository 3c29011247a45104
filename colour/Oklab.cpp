// The OKLab conversions with CSS Color 4's matrices (sRGB to XYZ D65 to LMS
// to OKLab) and its gamut mapping.
#include "colour/Oklab.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace kav {

namespace {

using Matrix = std::array<std::array<double, 3>, 3>;
using Vector = std::array<double, 3>;

constexpr Matrix product(const Matrix& x, const Matrix& y) {
    Matrix m{};
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j)
            for (std::size_t k = 0; k < 3; ++k)
                m[i][j] += x[i][k] * y[k][j];
    return m;
}

constexpr Vector apply(const Matrix& m, const Vector& v) {
    return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2], m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

constexpr Matrix kLinearSrgbToXyz = {{{0.41239079926595934, 0.357584339383878, 0.1804807884018343},
                                      {0.21263900587151027, 0.715168678767756, 0.07219231536073371},
                                      {0.01933081871559182, 0.11919477979462598, 0.9505321522496607}}};
constexpr Matrix kXyzToLinearSrgb = {{{3.2409699419045226, -1.537383177570094, -0.4986107602930034},
                                      {-0.9692436362808796, 1.8759675015077202, 0.04155505740717559},
                                      {0.05563007969699366, -0.20397695888897652, 1.0569715142428786}}};
constexpr Matrix kXyzToLms = {{{0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
                               {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
                               {0.0481771893596242, 0.2642395317527308, 0.6335478284694309}}};
constexpr Matrix kLmsToXyz = {{{1.2268798758459243, -0.5578149944602171, 0.2813910456659647},
                               {-0.0405757452148008, 1.1122868032803170, -0.0717110580655164},
                               {-0.0763729366746601, -0.4214933324022432, 1.5869240198367816}}};
constexpr Matrix kLmsToOklab = {{{0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
                                 {1.9779985324311684, -2.4285922420485799, 0.4505937096174110},
                                 {0.0259040424655478, 0.7827717124575296, -0.8086757549230774}}};
constexpr Matrix kOklabToLms = {{{1.0, 0.3963377773761749, 0.2158037573099136},
                                 {1.0, -0.1055613458156586, -0.0638541728258133},
                                 {1.0, -0.0894841775298119, -1.2914855480194092}}};
constexpr Matrix kLinearSrgbToLms = product(kXyzToLms, kLinearSrgbToXyz);
constexpr Matrix kLmsToLinearSrgb = product(kXyzToLinearSrgb, kLmsToXyz);

// The sRGB transfer curve and its inverse, mirrored for negative values so
// that colours outside the gamut convert back and forth.
double linear(double c) {
    const double a = std::abs(c);
    return a <= 0.04045 ? c / 12.92 : std::copysign(std::pow((a + 0.055) / 1.055, 2.4), c);
}
double encoded(double c) {
    const double a = std::abs(c);
    return a <= 0.0031308 ? c * 12.92 : std::copysign(1.055 * std::pow(a, 1 / 2.4) - 0.055, c);
}

bool inGamut(const Srgb& c) {
    return c.r >= 0 && c.r <= 1 && c.g >= 0 && c.g <= 1 && c.b >= 0 && c.b <= 1;
}

Srgb clipped(const Srgb& c) {
    return {std::clamp(c.r, 0.0, 1.0), std::clamp(c.g, 0.0, 1.0), std::clamp(c.b, 0.0, 1.0)};
}

} // namespace

Oklab oklabOf(Colour colour) {
    return oklabOf(Srgb{redOf(colour) / 255.0, greenOf(colour) / 255.0, blueOf(colour) / 255.0});
}

Oklab oklabOf(const Srgb& rgb) {
    const Vector lms = apply(kLinearSrgbToLms, {linear(rgb.r), linear(rgb.g), linear(rgb.b)});
    const Vector lab = apply(kLmsToOklab, {std::cbrt(lms[0]), std::cbrt(lms[1]), std::cbrt(lms[2])});
    return {lab[0], lab[1], lab[2]};
}

Srgb srgbOf(const Oklab& lab) {
    const Vector lms = apply(kOklabToLms, {lab.l, lab.a, lab.b});
    const Vector rgb = apply(kLmsToLinearSrgb, {lms[0] * lms[0] * lms[0], lms[1] * lms[1] * lms[1], lms[2] * lms[2] * lms[2]});
    return {encoded(rgb[0]), encoded(rgb[1]), encoded(rgb[2])};
}

Oklch oklchOf(const Oklab& lab) {
    const double h = std::atan2(lab.b, lab.a) * 180 / std::numbers::pi;
    return {lab.l, std::hypot(lab.a, lab.b), h < 0 ? h + 360 : h};
}

Oklab oklabOf(const Oklch& lch) {
    const double h = lch.h * std::numbers::pi / 180;
    return {lch.l, lch.c * std::cos(h), lch.c * std::sin(h)};
}

double deltaEOK(const Oklab& x, const Oklab& y) {
    return std::sqrt((x.l - y.l) * (x.l - y.l) + (x.a - y.a) * (x.a - y.a) + (x.b - y.b) * (x.b - y.b));
}

Srgb mappedIntoSrgb(const Oklch& lch) {
    if (lch.l >= 1) return {1, 1, 1};
    if (lch.l <= 0) return {0, 0, 0};
    const Srgb origin = srgbOf(oklabOf(lch));
    if (inGamut(origin)) return origin;

    // A just noticeable difference in OKLab, and how close the search comes to it.
    constexpr double kJnd = 0.02;
    constexpr double kEpsilon = 0.0001;
    Oklch current = lch;
    Srgb clip = clipped(origin);
    if (deltaEOK(oklabOf(clip), oklabOf(current)) < kJnd) return clip;
    double low = 0, high = lch.c;
    bool lowInGamut = true;
    while (high - low > kEpsilon) {
        current.c = (low + high) / 2;
        const Oklab lab = oklabOf(current);
        const Srgb rgb = srgbOf(lab);
        if (lowInGamut && inGamut(rgb)) {
            low = current.c;
            continue;
        }
        clip = clipped(rgb);
        const double e = deltaEOK(oklabOf(clip), lab);
        if (e < kJnd) {
            if (kJnd - e < kEpsilon) break;
            lowInGamut = false;
            low = current.c;
        } else {
            high = current.c;
        }
    }
    return clip;
}

SrgbCell::SrgbCell(Colour colour) {
    const int channels[3] = {redOf(colour), greenOf(colour), blueOf(colour)};
    for (std::size_t i = 0; i < 3; ++i) {
        low_[i] = linear((channels[i] - 0.5) / 255) - 1e-12;
        high_[i] = linear((channels[i] + 0.5) / 255) + 1e-12;
    }
    // The cell is a box in linear sRGB, so in LMS it lies within the
    // bounds of its corners; the cube root keeps bounds in order, and each
    // OKLab coordinate's bounds follow from its row of the matrix.
    Vector lmsLow{1e300, 1e300, 1e300}, lmsHigh{-1e300, -1e300, -1e300};
    for (int corner = 0; corner < 8; ++corner) {
        const Vector lms = apply(kLinearSrgbToLms, {corner & 1 ? high_[0] : low_[0], corner & 2 ? high_[1] : low_[1],
                                                    corner & 4 ? high_[2] : low_[2]});
        for (std::size_t j = 0; j < 3; ++j) {
            lmsLow[j] = std::min(lmsLow[j], std::cbrt(lms[j]));
            lmsHigh[j] = std::max(lmsHigh[j], std::cbrt(lms[j]));
        }
    }
    Vector low{}, high{};
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j) {
            const double x = kLmsToOklab[i][j] * lmsLow[j], y = kLmsToOklab[i][j] * lmsHigh[j];
            low[i] += std::min(x, y) - 1e-12;
            high[i] += std::max(x, y) + 1e-12;
        }
    least_ = {low[0], low[1], low[2]};
    most_ = {high[0], high[1], high[2]};
}

bool SrgbCell::holds(const Oklab& lab) const {
    const Vector lms = apply(kOklabToLms, {lab.l, lab.a, lab.b});
    const Vector rgb = apply(kLmsToLinearSrgb, {lms[0] * lms[0] * lms[0], lms[1] * lms[1] * lms[1], lms[2] * lms[2] * lms[2]});
    for (std::size_t i = 0; i < 3; ++i)
        if (rgb[i] < low_[i] || rgb[i] > high_[i]) return false;
    return true;
}

Colour colourOf(const Srgb& rgb) {
    // A value whose exact half (144.5) the arithmetic missed by a last bit
    // (144.49999999999997) still rounds up.
    constexpr double kHalf = 0.5 + 1e-9;
    const auto byte = [](double c) { return static_cast<Colour>(std::floor(std::clamp(c, 0.0, 1.0) * 255 + kHalf)); };
    return byte(rgb.r) | byte(rgb.g) << 8 | byte(rgb.b) << 16;
}

} // namespace kav
