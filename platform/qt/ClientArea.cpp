#include "platform/qt/ClientArea.h"

#include "platform/qt/Convert.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace kav::qt {

ClientArea::ClientArea(Window& window, QWidget* parent) : QWidget(parent), window_(window) {
    const auto& order = window.def().paintOrder;
    for (auto it = order.rbegin(); it != order.rend(); ++it)
        if (const Control* c = window.find(*it)) paintBottomUp_.push_back(c);
    for (const Control* c : paintBottomUp_)
        if (c->kind() == Kind::Label) labels_.push_back(c);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

FittedText ClientArea::fittedLabel(const Control& label) const {
    const ControlDef& d = label.def();
    return fitText(qs(label.Caption.get()), toQFont(d.font), rectOf(d).size(), Qt::AlignLeft | Qt::AlignTop);
}

QPoint ClientArea::originOf(const ControlDef& def) const {
    if (def.parent.empty()) return {};
    const Control* frame = const_cast<Window&>(window_).find(def.parent);
    if (!frame || frame->kind() != Kind::Frame) return {};
    return QPoint(px(frame->def().left), px(frame->def().top));
}

const QPixmap& ClientArea::picture(std::string_view name) const {
    auto it = pictures_.find(name);
    if (it == pictures_.end()) it = pictures_.emplace(name, QPixmap(QStringLiteral(":/kavrilon/") + qs(name))).first;
    return it->second;
}

QRect ClientArea::areaOf(const Control& c) const {
    const ControlDef& d = c.def();
    const QPoint o = originOf(d);
    if (c.kind() != Kind::Line) return rectOf(d, o.x(), o.y());
    // A wide pen reaches half its width past the line's ends and sides.
    const int reach = std::max(1, d.borderWidth) / 2 + 1;
    return QRect(QPoint(px(d.x1), px(d.y1)) + o, QPoint(px(d.x2), px(d.y2)) + o)
        .normalized()
        .adjusted(-reach, -reach, reach, reach);
}

void ClientArea::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.setClipRegion(event->region());
    p.fillRect(rect(), toQColor(window_.BackColor, palette().color(QPalette::Window)));
    if (!window_.def().picture.empty()) p.drawPixmap(0, 0, picture(window_.def().picture));
    for (const Control* c : paintBottomUp_)
        if (c->Visible) paintControl(p, *c);
}

// Lines and shape borders are black on a fixed background; on one that
// follows the desktop's palette they take its text colour, so a dark theme
// does not hide them. A line drawn across a shape takes the shape's colour
// there instead (paintControl).
QColor ClientArea::ink() const { return textColourOn(window_.BackColor.get()); }

namespace {

// The outline a shape is drawn with: its box less the last pixel row and
// column, a circle as large as the box's shorter side at its centre, or the
// box with corners rounded by a quarter of that side.
QPainterPath outlineOf(const ControlDef& d, QPoint origin) {
    const QRect r = rectOf(d, origin.x(), origin.y()).adjusted(0, 0, -1, -1);
    const int side = std::min(r.width(), r.height());
    QPainterPath path;
    if (d.shape == ShapeKind::Rectangle)
        path.addRect(r);
    else if (d.shape == ShapeKind::Circle)
        path.addEllipse(QRect(0, 0, side, side).translated(r.center() - QPoint(side / 2, side / 2)));
    else
        path.addRoundedRect(r, side / 4.0, side / 4.0);
    return path;
}

} // namespace

void ClientArea::paintControl(QPainter& p, const Control& c) const {
    const ControlDef& d = c.def();
    const QPoint o = originOf(d);
    switch (c.kind()) {
    case Kind::Line: {
        const QLine line(QPoint(px(d.x1), px(d.y1)) + o, QPoint(px(d.x2), px(d.y2)) + o);
        const auto draw = [&](const QColor& colour) {
            QPen pen(colour, std::max(1, d.borderWidth));
            pen.setCapStyle(Qt::FlatCap);
            p.setPen(pen);
            p.drawLine(line);
        };
        const Control* surface = d.surface.empty() ? nullptr : window_.find(d.surface);
        if (!surface || !surface->Visible) {
            draw(ink());
            break;
        }
        // The part on the shape in the colour meant for the shape's fill,
        // the rest in the one meant for the window's background.
        const QPainterPath on = outlineOf(surface->def(), originOf(surface->def()));
        QPainterPath off;
        off.addRect(areaOf(c));
        off = off.subtracted(on);
        p.save();
        p.setClipPath(on, Qt::IntersectClip);
        draw(textColourOn(surface->BackColor.get()));
        p.restore();
        p.save();
        p.setClipPath(off, Qt::IntersectClip);
        draw(ink());
        p.restore();
        break;
    }
    case Kind::Shape: {
        p.setPen(QPen(ink(), 1));
        p.setBrush(d.opaque ? QBrush(toQColor(c.BackColor)) : Qt::NoBrush);
        if (d.shape == ShapeKind::Rectangle) {
            p.drawRect(rectOf(d, o.x(), o.y()).adjusted(0, 0, -1, -1));
            break;
        }
        p.setRenderHint(QPainter::Antialiasing, true);
        p.drawPath(outlineOf(d, o));
        p.setRenderHint(QPainter::Antialiasing, false);
        break;
    }
    case Kind::Label: {
        const QRect r = rectOf(d, o.x(), o.y());
        p.fillRect(r, toQColor(c.BackColor, palette().color(QPalette::Button)));
        p.setPen(textColourOn(c.BackColor == kDefaultColour ? kSysButtonFace : c.BackColor.get()));
        const FittedText fitted = fittedLabel(c);
        p.setFont(fitted.font);
        p.drawText(r, fitted.flags, qs(c.Caption.get()));
        break;
    }
    case Kind::Frame: {
        const QRect r = rectOf(d).adjusted(0, 4, -1, -1);
        p.setBrush(Qt::NoBrush);
        p.setPen(palette().color(QPalette::Dark));
        p.drawRect(r);
        p.setPen(palette().color(QPalette::Light));
        p.drawRect(r.translated(1, 1));
        break;
    }
    case Kind::Image: {
        // The picture is cut to the control's size, in logical pixels at any
        // scale.
        if (d.picture.empty()) break;
        const QRect r = rectOf(d, o.x(), o.y());
        p.save();
        p.setClipRect(r, Qt::IntersectClip);
        p.drawPixmap(r.topLeft(), picture(d.picture));
        p.restore();
        break;
    }
    default: break;
    }
}

void ClientArea::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (std::any_of(labels_.begin(), labels_.end(),
                    [&](const Control* l) { return l->Visible && areaOf(*l).contains(at); }))
        return;
    EventArgs a;
    switch (event->button()) {
    case Qt::LeftButton: a.button = 1; break;
    case Qt::RightButton: a.button = 2; break;
    case Qt::MiddleButton: a.button = 4; break;
    default: return;
    }
    const auto mods = event->modifiers();
    a.shift =
        (mods & Qt::ShiftModifier ? 1 : 0) | (mods & Qt::ControlModifier ? 2 : 0) | (mods & Qt::AltModifier ? 4 : 0);
    a.x = twips(at.x());
    a.y = twips(at.y());
    window_.raise("Form", Event::MouseDown, a);
}

} // namespace kav::qt
