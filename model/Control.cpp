// Control properties start from the design values and report changes to the
// window, which passes them on to whoever observes it.
#include "Control.h"

namespace kav {

Control::Control(Window& window, const ControlDef& def)
    : Caption(*this, PropId::Caption, def.kind == Kind::TextBox ? std::string() : std::string(def.caption)),
      Text(*this, PropId::Text, def.kind == Kind::TextBox ? std::string(def.caption) : std::string()),
      Visible(*this, PropId::Visible, def.visible), Enabled(*this, PropId::Enabled, def.enabled),
      BackColor(*this, PropId::BackColor, def.backColor), window_(&window), def_(&def) {}

void Control::AddItem(const std::string& line) {
    store_.append(line);
    propertyChanged(PropId::Lines);
}

void Control::AddImage(std::string image, LineMarks marks) {
    if (marks.lines() == 0) return;
    store_.appendImage(std::move(image), std::move(marks));
    propertyChanged(PropId::Lines);
}

void Control::ReplaceLines(std::size_t first, std::size_t end, std::string image, LineMarks marks) {
    store_.replaceLines(first, end, std::move(image), std::move(marks));
    propertyChanged(PropId::Lines);
}

} // namespace kav
