// Window construction from design data, lookup by name, and event dispatch.
#include "Window.h"

#include <algorithm>
#include <stdexcept>

namespace kav {

Window::Window(const FormDef& def)
    : Caption(*this, PropId::Caption, std::string(def.caption)), BackColor(*this, PropId::BackColor, def.backColor),
      Height(*this, PropId::Height, static_cast<double>(def.clientHeight)), WindowState(*this, PropId::WindowState, 0),
      Visible(*this, PropId::Visible, false), def_(&def) {
    for (const ControlDef& c : def.controls) {
        controls_.emplace_back(*this, c);
        byName_.emplace(c.name, &controls_.back());
    }
}

Control& Window::ctl(std::string_view name) {
    if (Control* c = find(name)) return *c;
    throw std::out_of_range("no control " + std::string(name) + " on " + std::string(this->name()));
}

const Control& Window::ctl(std::string_view name) const { return const_cast<Window*>(this)->ctl(name); }

Control* Window::find(std::string_view name) {
    auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}

bool Window::setHeightWithinLimits(double twips) {
    // A minimised or maximised window takes no height of its own: resizing it
    // would make the window manager restore it, so the step is refused.
    if (WindowState != 0) return false;
    if (twips < minHeight || twips > maxHeight) return false;
    Height = twips;
    return true;
}

void Window::bind(std::string_view control, Event event, Handler handler) {
    handlers_[{std::string(control), event}] = std::make_shared<const Handler>(std::move(handler));
}

std::vector<std::pair<std::string, Event>> Window::boundEvents() const {
    std::vector<std::pair<std::string, Event>> out;
    for (const auto& [bound, handler] : handlers_)
        out.push_back(bound);
    return out;
}

bool Window::raise(std::string_view control, Event event, const EventArgs& args) {
    if (event == Event::Click) {
        if (Control* c = find(control); c && c->kind() == Kind::CommandButton && !(c->Visible && c->Enabled))
            return false;
    }
    auto it = handlers_.find({std::string(control), event});
    if (it == handlers_.end()) return false;
    // Hold the handler: a handler may rebind or the table may grow meanwhile.
    const std::shared_ptr<const Handler> h = it->second;
    (*h)(args);
    return true;
}

void Window::PopupMenu(std::string_view menuName) {
    for (std::size_t i = 0; i < observers_.size(); ++i)
        observers_[i]->menuPoppedUp(*this, menuName);
}

void Window::addObserver(WindowObserver* observer) { observers_.push_back(observer); }

void Window::removeObserver(WindowObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

// A control tells its window, which stands above it, of its changes.
void Control::propertyChanged(PropId id) { window_->controlChanged(*this, id); }

void Window::controlChanged(Control& control, PropId id) {
    // Index loop: an observer may add or remove observers while it is told.
    for (std::size_t i = 0; i < observers_.size(); ++i)
        observers_[i]->controlChanged(control, id);
}

void Window::propertyChanged(PropId id) {
    for (std::size_t i = 0; i < observers_.size(); ++i)
        observers_[i]->windowChanged(*this, id);
}

} // namespace kav
