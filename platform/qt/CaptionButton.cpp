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
    opt.state |= b.isDown() || b.isChecked() ? QStyle::State_Sunken : QStyle::State_Raised;
    return opt;
}

} // namespace

QRect CaptionButton::captionBox() const {
    const QStyleOptionButton opt = optionOf(*this);
    // A style that pads its buttons (Adwaita) would squeeze the small
    // captions; the caption may use all of the button within its frame.
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, this);
    const QRect inner = rect().marginsRemoved(QMargins(frame, frame, frame, frame));
    QRect box = style()->subElementRect(QStyle::SE_PushButtonContents, &opt, this).united(inner);
    // A line of the caption may reach into the frame of a button of the
    // design's 17 pixels: its ink lies well inside the line's height.
    const FittedText oneLine{font(), Qt::AlignCenter | Qt::TextSingleLine};
    const int lack = std::min(fittedSize(text(), oneLine, size()).height(), height()) - box.height();
    if (lack > 0) box.adjust(0, -(lack / 2), 0, lack - lack / 2);
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
    // The style draws a button without text; the fitted caption goes on top.
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
