#include "platform/qt/Convert.h"

#include "colour/Contrast.h"

#include <QApplication>
#include <QPalette>
#include <cmath>

namespace kav::qt {

namespace {

// The palette role that stands for a system colour of the design.
QPalette::ColorRole roleOf(Colour c) {
    switch (c & 0xFFu) {
    case 0x05: return QPalette::Base;       // window background (text boxes)
    case 0x08: return QPalette::Text;       // window text
    case 0x0C: return QPalette::Dark;       // application workspace
    case 0x0F: return QPalette::Button;     // button face
    case 0x12: return QPalette::ButtonText; // button text
    default: return QPalette::Window;
    }
}

// The text role that is meant to be read on a background role.
QPalette::ColorRole textRoleOn(QPalette::ColorRole back) {
    switch (back) {
    case QPalette::Base: return QPalette::Text;
    case QPalette::Button: return QPalette::ButtonText;
    default: return QPalette::WindowText;
    }
}

} // namespace

QColor toQColor(Colour c, QColor fallback) {
    if (c == kDefaultColour) return fallback;
    if (isSystemColour(c)) {
        // The desktop background has no palette role; its classic colour stays.
        if ((c & 0xFFu) == 0x01) return QColor(0x3A, 0x6E, 0xA5);
        return QApplication::palette().color(roleOf(c));
    }
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

QColor textColourOn(Colour back) {
    const QColor black(Qt::black);
    if (!isSystemColour(back)) return black;
    const QColor background = toQColor(back);
    const auto contrastOn = [&](const QColor& c) { return contrastRatio(fromQColor(c), fromQColor(background)); };
    const QColor text = QApplication::palette().color(textRoleOn(roleOf(back)));
    // A theme whose text and background roles do not go together (a dark
    // "Dark" under light text, say) must not make a caption unreadable.
    constexpr double kReadable = 4.5;
    if (contrastOn(text) >= kReadable) return text;
    const QColor white(Qt::white);
    return contrastOn(black) >= contrastOn(white) ? black : white;
}

QFont toQFont(const FontDef& f) {
    // In pixels, so every caption keeps the size of its control whatever the screen's dpi.
    QFont font(QString::fromLatin1(kControlFace));
    font.setFamilies({QString::fromLatin1(kControlFace), QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    constexpr double kDefaultPoints = 8.25;
    font.setPixelSize(static_cast<int>(std::lround((f.points > 0 ? f.points : kDefaultPoints) * 96.0 / 72.0)));
    font.setWeight(f.bold ? QFont::Bold : QFont::Normal);
    // Unhinted widths are the same on every screen, so what fits in one fits in all.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

} // namespace kav::qt
