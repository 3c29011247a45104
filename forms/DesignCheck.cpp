// Design and binding checks: plain walks over the tables, collecting one line
// per problem so a broken table can be fixed in one go.
#include "forms/DesignCheck.h"

#include "model/Window.h"

#include <algorithm>
#include <set>
#include <span>
#include <string_view>
#include <unordered_map>

namespace kav {
namespace {

bool isPaintLayer(Kind k) {
    return k == Kind::Line || k == Kind::Shape || k == Kind::Label || k == Kind::Frame || k == Kind::Image;
}

bool isWidgetLayer(Kind k) { return k == Kind::CommandButton || k == Kind::TextBox || k == Kind::ListBox; }

// Kinds that are not placed on the window and so have no size.
bool hasNoLayout(Kind k) { return k == Kind::Timer || k == Kind::MenuItem || k == Kind::CommonDialog; }

std::string quoted(std::string_view name) { return "'" + std::string(name) + "'"; }

constexpr std::string_view kPaintList = "stacking order of lines, shapes, labels, frames and images";
constexpr std::string_view kWidgetList = "stacking order of buttons, text boxes and list boxes";

class Checker {
public:
    explicit Checker(const FormDef& form) : form_(form) {
        for (const ControlDef& c : form.controls)
            byName_.emplace(c.name, &c);
    }

    std::vector<std::string> run() {
        checkNames();
        checkOrder(form_.paintOrder, kPaintList, isPaintLayer);
        checkOrder(form_.widgetOrder, kWidgetList, isWidgetLayer);
        checkOrder(form_.tabOrder, "tab order", isWidgetLayer);
        checkOrder(form_.noFocus, "list of controls without focus", isWidgetLayer);
        checkCoverage();
        checkFocusAtStart();
        checkParents();
        checkShortcuts();
        checkTimersAndSizes();
        checkSpokenNames();
        checkSurfaces();
        return std::move(problems_);
    }

private:
    void report(std::string text) { problems_.push_back(std::string(form_.name) + ": " + std::move(text)); }

    const ControlDef* find(std::string_view name) const {
        auto it = byName_.find(name);
        return it == byName_.end() ? nullptr : it->second;
    }

    void checkNames() {
        std::set<std::string_view> seen;
        for (const ControlDef& c : form_.controls) {
            if (c.name.empty())
                report("a control without a name");
            else if (!seen.insert(c.name).second)
                report("control " + quoted(c.name) + " is declared twice");
        }
    }

    template <class LayerFn>
    void checkOrder(std::span<const std::string_view> list, std::string_view what, LayerFn inLayer) {
        std::set<std::string_view> seen;
        for (std::string_view name : list) {
            const ControlDef* c = find(name);
            if (!c)
                report(quoted(name) + " in the " + std::string(what) + " is not a control");
            else if (!inLayer(c->kind))
                report(quoted(name) + " does not belong in the " + std::string(what));
            if (!seen.insert(name).second) report(quoted(name) + " stands twice in the " + std::string(what));
        }
    }

    static bool contains(std::span<const std::string_view> list, std::string_view name) {
        return std::find(list.begin(), list.end(), name) != list.end();
    }

    void checkCoverage() {
        for (const ControlDef& c : form_.controls) {
            if (isPaintLayer(c.kind) && !contains(form_.paintOrder, c.name))
                report(quoted(c.name) + " is missing from the " + std::string(kPaintList));
            if (!isWidgetLayer(c.kind)) continue;
            if (!contains(form_.widgetOrder, c.name))
                report(quoted(c.name) + " is missing from the " + std::string(kWidgetList));
            const bool tab = contains(form_.tabOrder, c.name);
            const bool noFocus = contains(form_.noFocus, c.name);
            if (!tab && !noFocus) report(quoted(c.name) + " is neither in the tab order nor without focus");
            if (tab && noFocus) report(quoted(c.name) + " is in the tab order but marked as never taking the focus");
        }
    }

    // Every text box and list box is named for a screen reader, by a label
    // that exists or by a name of its own; lamps are text boxes.
    void checkSpokenNames() {
        std::set<std::string_view> named;
        for (const SpokenName& n : form_.spokenNames) {
            const ControlDef* c = find(n.control);
            if (!c || (c->kind != Kind::TextBox && c->kind != Kind::ListBox))
                report("the spoken name for " + quoted(n.control) + " names no text box or list box");
            if (!named.insert(n.control).second) report(quoted(n.control) + " has two spoken names");
            const ControlDef* label = n.label.empty() ? nullptr : find(n.label);
            if (n.label.empty() == n.name.empty() || (!n.label.empty() && (!label || label->kind != Kind::Label)))
                report(quoted(n.control) + " needs either a label that exists or a spoken name of its own");
        }
        for (const ControlDef& c : form_.controls)
            if ((c.kind == Kind::TextBox || c.kind == Kind::ListBox) && named.count(c.name) == 0)
                report(quoted(c.name) + " has no spoken name");
        for (std::string_view name : form_.lamps) {
            const ControlDef* c = find(name);
            if (!c || c->kind != Kind::TextBox) report("the lamp " + quoted(name) + " is not a text box");
        }
    }

    // A line's surface is an opaque shape of the window, drawn below it.
    void checkSurfaces() {
        for (const ControlDef& c : form_.controls) {
            if (c.surface.empty()) continue;
            const ControlDef* s = find(c.surface);
            if (c.kind != Kind::Line || !s || s->kind != Kind::Shape || !s->opaque)
                report(quoted(c.name) + " is drawn on " + quoted(c.surface) + ", which is not an opaque shape");
            else if (!below(c.name, c.surface))
                report(quoted(c.name) + " lies under its surface " + quoted(c.surface));
        }
    }

    // Whether `lower` comes after `upper` in the paint order (topmost first).
    bool below(std::string_view upper, std::string_view lower) const {
        const auto at = [&](std::string_view n) {
            return std::find(form_.paintOrder.begin(), form_.paintOrder.end(), n);
        };
        return at(upper) < at(lower);
    }

    void checkFocusAtStart() {
        if (form_.focusAtStart.empty()) return;
        if (!contains(form_.tabOrder, form_.focusAtStart))
            report("the control focused at start, " + quoted(form_.focusAtStart) + ", is not in the tab order");
    }

    void checkParents() {
        std::set<std::string_view> menusSoFar;
        for (const ControlDef& c : form_.controls) {
            if (c.kind == Kind::MenuItem) {
                if (!c.parent.empty()) {
                    const ControlDef* p = find(c.parent);
                    if (!p || p->kind != Kind::MenuItem)
                        report("menu item " + quoted(c.name) + " hangs under " + quoted(c.parent) +
                               ", which is not a menu item");
                    else if (menusSoFar.count(c.parent) == 0)
                        report("menu item " + quoted(c.name) + " comes before its menu " + quoted(c.parent));
                    else if (p->caption == "-")
                        report("menu item " + quoted(c.name) + " hangs under the separator " + quoted(c.parent));
                }
                menusSoFar.insert(c.name);
            } else if (!c.parent.empty()) {
                const ControlDef* p = find(c.parent);
                if (!p || p->kind != Kind::Frame)
                    report(quoted(c.name) + " is placed in " + quoted(c.parent) + ", which is not a frame");
            }
        }
    }

    void checkShortcuts() {
        std::unordered_map<std::string_view, std::string_view> owner;
        for (const ControlDef& c : form_.controls) {
            if (c.shortcut.empty()) continue;
            if (c.kind != Kind::MenuItem) {
                report(quoted(c.name) + " has a shortcut key but is not a menu item");
                continue;
            }
            if (c.caption == "-") report("separator " + quoted(c.name) + " has a shortcut key");
            auto [it, fresh] = owner.emplace(c.shortcut, c.name);
            if (!fresh)
                report("shortcut " + std::string(c.shortcut) + " is given to both " + quoted(it->second) + " and " +
                       quoted(c.name));
        }
    }

    void checkTimersAndSizes() {
        for (const ControlDef& c : form_.controls) {
            if (c.kind == Kind::Timer) {
                if (c.interval <= 0)
                    report("timer " + quoted(c.name) + " has interval " + std::to_string(c.interval) +
                           " ms; it must be positive");
            } else if (c.kind == Kind::Line) {
                if (c.borderWidth < 1) report("line " + quoted(c.name) + " has no width");
            } else if (!hasNoLayout(c.kind) && (c.width <= 0 || c.height <= 0)) {
                report(quoted(c.name) + " has no size");
            }
        }
    }

    const FormDef& form_;
    std::unordered_map<std::string_view, const ControlDef*> byName_;
    std::vector<std::string> problems_;
};

// The names of the events in the order of their enumeration.
constexpr std::string_view kEventNames[] = {"Click", "Timer", "Load", "MouseDown"};

bool kindRaises(Kind k, Event e) {
    return ((k == Kind::CommandButton || k == Kind::MenuItem) && e == Event::Click) ||
           (k == Kind::Timer && e == Event::Timer);
}

} // namespace

std::vector<std::string> checkDesign(const FormDef& form) { return Checker(form).run(); }

std::vector<std::string> checkBindings(const Window& window) {
    std::vector<std::string> problems;
    const std::string prefix = std::string(window.name()) + ": handler ";
    for (const auto& [name, event] : window.boundEvents()) {
        const std::string handler = name + "_" + std::string(kEventNames[static_cast<std::size_t>(event)]);
        if (name == "Form") {
            if (event != Event::Load && event != Event::MouseDown)
                problems.push_back(prefix + handler + " is bound to an event the window does not raise");
            continue;
        }
        const ControlDef* def = nullptr;
        for (const ControlDef& c : window.def().controls)
            if (c.name == name) def = &c;
        if (!def)
            problems.push_back(prefix + handler + " names no control of the window");
        else if (!kindRaises(def->kind, event))
            problems.push_back(prefix + handler + " is bound to an event its control does not raise");
    }
    // The bindings are unordered; sort so the report reads the same each run.
    std::sort(problems.begin(), problems.end());
    return problems;
}

} // namespace kav
