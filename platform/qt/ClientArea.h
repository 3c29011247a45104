#pragma once
// The client area of a form: paints the window's picture, lines, shapes,
// labels, frames and images in design stacking order, and turns a mouse
// press anywhere but on a label into the window's MouseDown event.

#include "model/Window.h"
#include "platform/qt/TextFit.h"

#include <QPixmap>
#include <QWidget>
#include <unordered_map>
#include <vector>

namespace kav::qt {

class ClientArea final : public QWidget {
public:
    explicit ClientArea(Window& window, QWidget* parent = nullptr);

    // Offset of a control placed inside a frame, in pixels.
    QPoint originOf(const ControlDef& def) const;
    // The part of the canvas a drawn control paints on.
    QRect areaOf(const Control& c) const;
    // How a label's caption is drawn in its box.
    FittedText fittedLabel(const Control& label) const;

    // The labels, in design stacking order, bottom first.
    const std::vector<const Control*>& labels() const { return labels_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void paintControl(class QPainter& p, const Control& c) const;
    QColor ink() const;
    const QPixmap& picture(std::string_view name) const;

    Window& window_;
    // Paint-layer controls, bottom first.
    std::vector<const Control*> paintBottomUp_;
    std::vector<const Control*> labels_;
    mutable std::unordered_map<std::string_view, QPixmap> pictures_;
};

} // namespace kav::qt
