#include "platform/qt/TextFit.h"

#include <QFontMetrics>

namespace kav::qt {

// Letters get no narrower than this share of their width; below it a text
// would be hard to read, and no caption of the program needs it.
constexpr int kNarrowestStretch = 80;
constexpr int kStretchStep = 2;

QSize fittedSize(const QString& text, const FittedText& fitted, QSize box) {
    // A tall box lets the measure show the whole height of a wrapped text.
    const QRect wide(0, 0, box.width(), std::max(box.height(), 1) * 64);
    return QFontMetrics(fitted.font).boundingRect(wide, fitted.flags, text).size();
}

FittedText fitText(const QString& text, const QFont& font, QSize box, int alignment, int textFlags) {
    FittedText tried{font, alignment | textFlags};
    const auto fits = [&](QSize need) { return need.width() <= box.width() && need.height() <= box.height(); };
    for (int stretch = 100; stretch >= kNarrowestStretch; stretch -= kStretchStep) {
        tried.font.setStretch(stretch);
        tried.flags = alignment | textFlags | Qt::TextSingleLine;
        if (fits(fittedSize(text, tried, box))) return tried;
        tried.flags = alignment | textFlags | Qt::TextWordWrap;
        if (fits(fittedSize(text, tried, box))) return tried;
    }
    return tried;
}

} // namespace kav::qt
