// Painting of a push button with a wrapped caption.
#include "platform/qt/CaptionButton.h"

#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

namespace kav::qt {

namespace {

QStyleOptionButton optionOf(const CaptionButton& b) {
    QStyleOptionButton opt;
    opt.initFrom(&b);
    opt.features = QStyleOptionButton::None;
    if (b.isDown() || b.isChecked())
        opt.state |= QStyle::State_Sunken;
    else
        opt.state |= QStyle::State_Raised;
    return opt;
}

} // namespace

QRect CaptionButton::captionBox() const {
    const QStyleOptionButton opt = optionOf(*this);
    QRect box = style()->subElementRect(QStyle::SE_PushButtonContents, &opt, this);
    if (opt.state & QStyle::State_Sunken)
        box.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &opt, this),
                      style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &opt, this));
    return box;
}

FittedText CaptionButton::fittedCaption() const {
    const QStyleOptionButton opt = optionOf(*this);
    // The style decides whether access keys are underlined all the time or
    // only while Alt is held, as it does for its own buttons.
    const int mnemonic =
        style()->styleHint(QStyle::SH_UnderlineShortcut, &opt, this) ? Qt::TextShowMnemonic : Qt::TextHideMnemonic;
    return fitText(text(), font(), captionBox().size(), Qt::AlignCenter, mnemonic);
}

void CaptionButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    // The style draws the bevel and the focus frame of a button without text;
    // the caption goes on top, wrapped to the button.
    QStyleOptionButton opt = optionOf(*this);
    p.drawControl(QStyle::CE_PushButton, opt);
    const FittedText fitted = fittedCaption();
    p.setFont(fitted.font);
    style()->drawItemText(&p, captionBox(), fitted.flags, opt.palette, isEnabled(), text(), QPalette::ButtonText);
}

void CaptionButton::mousePressEvent(QMouseEvent* event) {
    QPushButton::mousePressEvent(event);
    event->accept();
}

} // namespace kav::qt
