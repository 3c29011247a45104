#pragma once
// A control of a window with its run-time properties. Every kind shares one
// class: a handler writes `Text14.Visible = false` or `Shape12.BackColor =
// palette(10)` whatever the kind, and the design data says what it is.

#include "FormDef.h"
#include "Property.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kav {

class Window;

class Control final : public PropertyOwner {
public:
    Control(Window& window, const ControlDef& def);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const ControlDef& def() const { return *def_; }
    std::string_view name() const { return def_->name; }
    Kind kind() const { return def_->kind; }
    Window& window() const { return *window_; }

    Property<std::string> Caption;
    Property<std::string> Text;
    Property<bool> Visible;
    Property<bool> Enabled;
    Property<Colour> BackColor;

    // List box: lines in insertion order.
    void AddItem(const std::string& line);
    // Appends many lines at once with one change notice: loading a logbook of
    // tens of thousands of lines must not redraw the list for each of them.
    void AddItems(std::vector<std::string>&& lines);
    std::size_t ListCount() const { return lines_.size(); }
    const std::string& List(std::size_t i) const { return lines_.at(i); }
    const std::vector<std::string>& lines() const { return lines_; }
    void reserveLines(std::size_t n) { lines_.reserve(n); }

    void propertyChanged(PropId id) override;

private:
    Window* window_;
    const ControlDef* def_;
    std::vector<std::string> lines_;
};

} // namespace kav
