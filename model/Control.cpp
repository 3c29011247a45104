// Control properties start from the design values and report changes to the
// window, which passes them on to whoever observes it.
#include "Control.h"

#include "Window.h"

namespace kav {

Control::Control(Window& window, const ControlDef& def)
    : Caption(*this, PropId::Caption, def.kind == Kind::TextBox ? std::string() : std::string(def.caption)),
      Text(*this, PropId::Text, def.kind == Kind::TextBox ? std::string(def.caption) : std::string()),
      Visible(*this, PropId::Visible, def.visible), Enabled(*this, PropId::Enabled, def.enabled),
      BackColor(*this, PropId::BackColor, def.backColor), window_(&window), def_(&def) {}

void Control::AddItem(const std::string& line) {
    lines_.push_back(line);
    propertyChanged(PropId::Lines);
}

void Control::AddItems(std::vector<std::string>&& lines) {
    if (lines.empty()) return;
    if (lines_.empty()) {
        lines_ = std::move(lines);
    } else {
        lines_.reserve(lines_.size() + lines.size());
        for (std::string& l : lines)
            lines_.push_back(std::move(l));
    }
    propertyChanged(PropId::Lines);
}

void Control::propertyChanged(PropId id) { window_->controlChanged(*this, id); }

} // namespace kav
