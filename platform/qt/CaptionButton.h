#pragma once
// A push button whose caption wraps at word boundaries when it is wider than
// the button, and narrows its letters when even that does not fit. The rest
// is the style's, as for any push button.

#include "platform/qt/TextFit.h"

#include <QPushButton>

namespace kav::qt {

class CaptionButton final : public QPushButton {
public:
    using QPushButton::QPushButton;

    // The rectangle the caption is drawn in, and how it is drawn there.
    QRect captionBox() const;
    FittedText fittedCaption() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    // A press on an enabled button stays with the button, whichever mouse
    // button it is: only the bare client area opens the window's menu.
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace kav::qt
