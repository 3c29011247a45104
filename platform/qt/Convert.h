#pragma once
// Conversions done once, at the renderer: twips to logical pixels (15 twips a
// pixel), design colours to QColor (red is the low byte of a design colour,
// the other way round from QRgb), and design fonts to QFont.

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

// `fallback` is used for kDefaultColour (white for text boxes and shapes).
QColor toQColor(Colour c, QColor fallback = Qt::white);

QFont toQFont(const FontDef& f);

inline QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

} // namespace kav::qt
