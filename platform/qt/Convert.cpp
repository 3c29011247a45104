// Colour and font conversions for the renderer.
#include "platform/qt/Convert.h"

#include <QApplication>
#include <QPalette>

namespace kav::qt {

QColor toQColor(Colour c, QColor fallback) {
    if (c == kDefaultColour) return fallback;
    if (isSystemColour(c)) {
        switch (c & 0xFFu) {
        case 0x01: return QColor(0x3A, 0x6E, 0xA5); // desktop background
        case 0x0C: return QColor(0xAB, 0xAB, 0xAB); // application workspace grey
        case 0x0F: return QApplication::palette().color(QPalette::Button);
        default: return QApplication::palette().color(QPalette::Window);
        }
    }
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

QFont toQFont(const FontDef& f) {
    // The design's faces are narrow sans-serif ones laid out for their metrics;
    // a metric-compatible face keeps every caption inside its control.
    QFont font;
    QStringList families;
    if (!f.face.empty()) families << qs(f.face);
    families << QStringLiteral("Liberation Sans") << QStringLiteral("Arimo") << QStringLiteral("DejaVu Sans Condensed")
             << QStringLiteral("DejaVu Sans") << QStringLiteral("Sans Serif");
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(f.points > 0 ? f.points : 8.25);
    font.setWeight(f.bold ? QFont::Bold : QFont::Normal);
    return font;
}

} // namespace kav::qt
