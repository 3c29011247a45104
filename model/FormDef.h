#pragma once
// The design values of a window as plain data: its controls, the menu tree,
// and the stacking and tab orders. The tables themselves live in forms/.

#include "Colour.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace kav {

enum class Kind : std::uint8_t {
    CommandButton,
    TextBox,
    Label,
    ListBox,
    Timer,
    Line,
    Shape,
    MenuItem,
    Frame,
    Image,
    CommonDialog,
};

enum class ShapeKind : std::uint8_t { Rectangle, Circle, RoundedRectangle };

enum class FrameStyle : std::uint8_t { Sizable, FixedToolWindow, SizableToolWindow };

// A font; points 0 means the window's default (8.25 pt). An empty face means
// the desktop's sans-serif face.
struct FontDef {
    double points = 0.0;
    bool bold = false;
    std::string_view face = {};
};

struct ControlDef {
    std::string_view name;
    Kind kind = Kind::Label;
    // Caption of buttons, labels and menu items; Text of text boxes. A menu
    // item whose caption is "-" is a separator.
    std::string_view caption = {};
    std::string_view tooltip = {};
    bool visible = true;
    bool enabled = true;
    Colour backColor = kDefaultColour;
    // Left, top, width, height in twips (not for lines). Children of a frame
    // are placed relative to the frame's inner top left corner.
    int left = 0, top = 0, width = 0, height = 0;
    // Lines: end points in twips and the width in pixels.
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int borderWidth = 1;
    // Lines: the opaque shape the line is drawn across, if it crosses one.
    // Where it lies on that shape it takes the colour meant for the shape's
    // surface, elsewhere the one meant for the window's background; so a rod
    // on a white barrel stays black under a dark theme.
    std::string_view surface = {};
    // Shapes.
    ShapeKind shape = ShapeKind::Rectangle;
    bool opaque = false;
    FontDef font = {};
    // Timers: interval in milliseconds; `enabled` is Enabled at load.
    int interval = 0;
    // Timers whose tick only refreshes what the window shows: their tick is
    // held while the window is hidden, so a hidden window costs no wake-ups.
    bool refreshesView = false;
    // Menu items: the name of the menu that holds the item, empty on the menu
    // bar. Controls of Form1: "Frame1" for those placed in the frame.
    std::string_view parent = {};
    // Menu items: "Ctrl+C", "F1", ... or empty.
    std::string_view shortcut = {};
    // Control-array index, -1 for a control that is no array member.
    int index = -1;
    // Text boxes: locked against typing (the program still writes the text).
    bool locked = false;
    // Images: the name of the picture resource.
    std::string_view picture = {};
    // Menu items of the launcher: they start another program, and nothing
    // else; `address` is the web page the item opens, where it opens one.
    bool launches = false;
    std::string_view address = {};
};

// How a screen reader names a text box or list box: by the caption of the
// label beside it (`label`), or else by a spoken name of its own (`name`).
struct SpokenName {
    std::string_view control;
    std::string_view label = {};
    std::string_view name = {};
};

struct FormDef {
    std::string_view name;
    std::string_view caption;
    FrameStyle frame = FrameStyle::Sizable;
    // Client area in twips.
    int clientWidth = 0;
    int clientHeight = 0;
    // Position of the client area's top left corner in twips; negative means
    // centred on the screen.
    int left = -1;
    int top = -1;
    Colour backColor = kSysButtonFace;
    bool showInTaskbar = true;
    std::string_view icon = {};    // resource name, empty for none
    std::string_view picture = {}; // background picture drawn at the top left, filling the client area
    // Every control of the window, menu items in menu order (a menu's items
    // follow it).
    std::span<const ControlDef> controls = {};
    // Lines, shapes, labels, frames and images, topmost first.
    std::span<const std::string_view> paintOrder = {};
    // Buttons, text boxes and the list box, topmost first.
    std::span<const std::string_view> widgetOrder = {};
    // Tab order of buttons, text boxes and the list box.
    std::span<const std::string_view> tabOrder = {};
    // Controls that never take the keyboard focus.
    std::span<const std::string_view> noFocus = {};
    std::string_view focusAtStart = {};
    // A spoken name for every text box and list box.
    std::span<const SpokenName> spokenNames = {};
    // Text boxes that are lamps: empty, they show a state only by their colour.
    std::span<const std::string_view> lamps = {};
};

} // namespace kav
