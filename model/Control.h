#pragma once
// A control of a window with its run-time properties. Every kind shares one
// class: a handler writes `Text14.Visible = false` or `Shape12.BackColor =
// lampGreen` whatever the kind, and the design data says what it is.

#include "FormDef.h"
#include "LineStore.h"
#include "Property.h"

#include <cstddef>
#include <string>
#include <string_view>

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

    // List box: lines in insertion order, kept as the logbook file's bytes
    // (Windows-1252, so a character the code page lacks reads back as "?").
    void AddItem(const std::string& line);
    // Appends the lines of a file image with one change notice: loading a
    // logbook of a million lines must not redraw the list for each of them.
    void AddImage(std::string image, LineMarks marks);
    // Puts the lines of a file image in place of lines [first, end), with one
    // change notice; the lines before and after stay.
    void ReplaceLines(std::size_t first, std::size_t end, std::string image, LineMarks marks);
    std::size_t ListCount() const { return store_.count(); }
    const LineStore& store() const { return store_; }

    void propertyChanged(PropId id) override;

private:
    Window* window_;
    const ControlDef* def_;
    LineStore store_;
};

} // namespace kav
