#pragma once
// A window of the model: its controls built from the design data, its own
// properties (Caption, BackColor, Height, WindowState, Visible) and the one
// event dispatcher that clicks, keys, timers and tests all go through.

#include "Control.h"
#include "FormDef.h"
#include "Property.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kav {

enum class Event : std::uint8_t { Click, Timer, Load, MouseDown };

// Arguments of an event. Click of a control-array member carries its index;
// MouseDown carries the button (1 left, 2 right, 4 middle), the shift state
// and the position in twips.
struct EventArgs {
    int index = -1;
    int button = 0;
    int shift = 0;
    double x = 0.0;
    double y = 0.0;
};

// A text a control offers to copy: an item of its context menu and a line of
// its tooltip. A disabled offer is shown greyed.
struct CopyOffer {
    std::string caption = {};
    std::string text = {};
    bool enabled = true;
    // The submenu the item stands in, empty for the menu itself; items of a
    // submenu are not lines of the tooltip.
    std::string submenu = {};
    // A remark that copies nothing: a plain item after the others, which
    // also joins the control's accessible description.
    bool note = false;
};

class WindowObserver {
public:
    virtual void controlChanged(Control& control, PropId id) = 0;
    virtual void windowChanged(Window& window, PropId id) = 0;
    // The window asks for its top-level menu `menuName` as a context menu.
    virtual void menuPoppedUp(Window& /*window*/, std::string_view /*menuName*/) {}

protected:
    ~WindowObserver() = default;
};

class Window : public PropertyOwner {
public:
    explicit Window(const FormDef& def);
    virtual ~Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    const FormDef& def() const { return *def_; }
    std::string_view name() const { return def_->name; }

    // The control of that name; throws std::out_of_range for an unknown name.
    Control& ctl(std::string_view name);
    const Control& ctl(std::string_view name) const;
    Control* find(std::string_view name);
    const std::deque<Control>& controls() const { return controls_; }
    std::deque<Control>& controls() { return controls_; }

    Property<std::string> Caption;
    Property<Colour> BackColor;
    // Outer height in twips, frame and menu bar included; a floating value.
    Property<double> Height;
    // 0 normal, 1 minimised, 2 maximised.
    Property<int> WindowState;
    Property<bool> Visible;

    void Show() { Visible = true; }
    void Hide() { Visible = false; }
    // Shows a top-level menu's items as a context menu where the mouse is.
    void PopupMenu(std::string_view menuName);
    // The user closes the window by its frame; by default the window stays.
    virtual void requestClose() {}

    // The heights the window system lets this window take, in twips, kept up
    // to date by the renderer.
    double minHeight = 0.0;
    double maxHeight = 1.0e12;
    // Sets Height when the window is in its normal state and the value lies
    // within the limits, which the window system would refuse otherwise.
    bool setHeightWithinLimits(double twips);

    using Handler = std::function<void(const EventArgs&)>;
    // Binds a handler to (control, event); "Form" names the window itself.
    void bind(std::string_view control, Event event, Handler handler);
    // Every bound (control, event) pair, for checking the table.
    std::vector<std::pair<std::string, Event>> boundEvents() const;
    // Raises an event; a click on a hidden or disabled button does nothing.
    // Returns whether a handler ran.
    bool raise(std::string_view control, Event event, const EventArgs& args = {});

    // The texts `control` offers to copy, and the user's choice among them.
    virtual std::vector<CopyOffer> copyOffers(std::string_view /*control*/) const { return {}; }
    virtual void takeCopyOffer(std::string_view /*control*/, std::size_t /*index*/) {}

    void addObserver(WindowObserver* observer);
    void removeObserver(WindowObserver* observer);

    void controlChanged(Control& control, PropId id);
    void propertyChanged(PropId id) override;

private:
    const FormDef* def_;
    std::deque<Control> controls_;
    std::unordered_map<std::string_view, Control*> byName_;
    // Shared, so a raise holds its handler without copying it.
    std::map<std::pair<std::string, Event>, std::shared_ptr<const Handler>> handlers_;
    std::vector<WindowObserver*> observers_;
};

} // namespace kav
