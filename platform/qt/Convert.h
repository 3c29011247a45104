#pragma once
// Conversions done once, at the renderer: twips to logical pixels, design
// colours to QColor and back, the text colour that goes with a background,
// and design fonts to QFont.

#include "model/Colour.h"
#include "model/FormDef.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <string_view>

namespace kav::qt {

inline constexpr double kTwipsPerPixel = 15.0;

inline int px(double twips) { return static_cast<int>(twips / kTwipsPerPixel + (twips >= 0 ? 0.5 : -0.5)); }
inline double twips(int pixels) { return pixels * kTwipsPerPixel; }

// The rectangle of a control in client pixels; `dx`, `dy` shift children of a frame.
inline QRect rectOf(const ControlDef& d, int dx = 0, int dy = 0) {
    return QRect(px(d.left) + dx, px(d.top) + dy, px(d.width), px(d.height));
}

// `fallback` stands for kDefaultColour; system colours are the desktop
// palette's at the call. Red is a design colour's low byte, unlike in QRgb.
QColor toQColor(Colour c, QColor fallback = Qt::white);
// A colour the user chose, as a colour value (red + 256 * green + 65536 * blue).
inline Colour fromQColor(const QColor& c) {
    return static_cast<Colour>(c.red()) + 256u * static_cast<Colour>(c.green()) +
           65536u * static_cast<Colour>(c.blue());
}

// The text colour on a design background: the design's black on a fixed
// one; on a system one the palette's matching text colour, or black or white
// where that would be hard to read.
QColor textColourOn(Colour back);

// The face every control uses: the design's MS Sans Serif and Arial both map
// to this metric-compatible free face, sized in pixels at the design's 96 dpi.
inline constexpr const char* kControlFace = "Liberation Sans";

QFont toQFont(const FontDef& f);

inline QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

} // namespace kav::qt
