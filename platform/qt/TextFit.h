#pragma once
// Fits a caption into the rectangle of its control: on one line when it
// fits, else wrapped at word boundaries, and when even that does not fit
// with letters made narrower step by step.

#include <QFont>
#include <QRect>
#include <QString>

namespace kav::qt {

struct FittedText {
    QFont font;
    // Qt::AlignmentFlag | Qt::TextFlag for QPainter::drawText.
    int flags = 0;
};

// `alignment` places the text in the box; `textFlags` adds flags such as
// Qt::TextShowMnemonic. When nothing fits, the narrowest wrapped try is returned.
FittedText fitText(const QString& text, const QFont& font, QSize box, int alignment, int textFlags = 0);

// The size the text takes when drawn as fitted, in a box of `box`.
QSize fittedSize(const QString& text, const FittedText& fitted, QSize box);

} // namespace kav::qt
