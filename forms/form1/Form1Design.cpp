// The design values of the About window: a captionless frame holding the
// title, contact and address lines with their pictures, the homepage box and
// its copy button, the Exit button and the date label; the e-mail box and its
// copy button lie on the window itself, over the frame.
#include "forms/form1/Form1.h"

#include <string_view>

namespace kav {
namespace {

// clang-format off
const ControlDef kControls[] = {
    {.name = "Frame1", .kind = Kind::Frame, .backColor = kSysButtonFace, .left = 120, .top = 120, .width = 8055, .height = 4215},

    // In the frame; positions are relative to the frame's inner top left corner.
    {.name = "Label1", .kind = Kind::Label, .caption = "Kavrilon  Av:   Vendel Hagmark  ", .backColor = kSysButtonFace, .left = 120, .top = 600, .width = 7335, .height = 615, .font = {.points = 13.5, .bold = true}, .parent = "Frame1"},
    {.name = "Image4", .kind = Kind::Image, .left = 4920, .top = 240, .width = 2940, .height = 345, .parent = "Frame1", .picture = "about-image4"},
    {.name = "Label6", .kind = Kind::Label, .caption = "Storgatan 12, 123 45 Skarnvik   Tel: 012-345 67 89", .backColor = kSysButtonFace, .left = 2160, .top = 1320, .width = 5175, .height = 255, .font = {.points = 8.25, .bold = true}, .parent = "Frame1"},
    {.name = "Image1", .kind = Kind::Image, .left = 480, .top = 1320, .width = 1560, .height = 1005, .parent = "Frame1", .picture = "about-image1"},
    {.name = "Label2", .kind = Kind::Label, .caption = "Ta fram färg koder till hemsidan..", .backColor = kSysButtonFace, .left = 2160, .top = 1680, .width = 5295, .height = 375, .font = {.points = 9.75, .bold = true}, .parent = "Frame1"},
    {.name = "Image3", .kind = Kind::Image, .left = 3720, .top = 1800, .width = 15, .height = 15, .parent = "Frame1", .picture = "about-image3"},
    // Lies outside the frame and is never seen.
    {.name = "Image2", .kind = Kind::Image, .left = -600, .top = -5160, .width = 15, .height = 15, .parent = "Frame1", .picture = "about-image2"},
    {.name = "Label5", .kind = Kind::Label, .caption = "E -post:", .backColor = kSysButtonFace, .left = 3240, .top = 2240, .width = 975, .height = 375, .font = {.points = 8.25, .bold = true}, .parent = "Frame1"},

    // On the window, over the frame: the e-mail box and its copy button.
    {.name = "Text2", .kind = Kind::TextBox, .caption = "info@kavrilon.example", .left = 4080, .top = 2280, .width = 3735, .height = 285},
    {.name = "Command3", .kind = Kind::CommandButton, .caption = "&Kopiera adressen..", .tooltip = "CTRL + V", .left = 4080, .top = 2640, .width = 1935, .height = 255},

    // In the frame again: the homepage box, its copy button, Exit and the date.
    {.name = "Label4", .kind = Kind::Label, .caption = "Hemsida:", .backColor = kSysButtonFace, .left = 600, .top = 3090, .width = 855, .height = 375, .font = {.points = 8.25, .bold = true}, .parent = "Frame1"},
    {.name = "Text1", .kind = Kind::TextBox, .caption = "https://kavrilon.example/", .left = 1440, .top = 3000, .width = 3735, .height = 285, .parent = "Frame1"},
    {.name = "Command2", .kind = Kind::CommandButton, .caption = "&Kopiera adressen..", .tooltip = "CTRL + V", .left = 1440, .top = 3360, .width = 1935, .height = 255, .parent = "Frame1"},
    {.name = "Command1", .kind = Kind::CommandButton, .caption = "&Exit", .left = 6360, .top = 3360, .width = 1335, .height = 255, .font = {.points = 8.25, .bold = true}, .parent = "Frame1"},
    {.name = "Label3", .kind = Kind::Label, .caption = "##:##:##", .backColor = kSysButtonFace, .left = 4200, .top = 3600, .width = 1335, .height = 375, .parent = "Frame1"},

    // Keeps the date label fresh from the window's creation on.
    {.name = "Timer1", .kind = Kind::Timer, .interval = 10, .refreshesView = true, .parent = "Frame1"},
};
// clang-format on

// Labels and pictures in the order of the control table, topmost first, with
// the frame that holds them lowest. Only the 1 by 1 pixel Image3 overlaps
// anything (Label2), so the order among them barely shows.
constexpr std::string_view kPaintOrder[] = {
    "Label1", "Image4", "Label6", "Image1", "Label2", "Image3", "Image2", "Label5", "Label4", "Label3", "Frame1",
};

// No two of these overlap, so their stacking order is not visible either.
constexpr std::string_view kWidgetOrder[] = {"Text2", "Command3", "Text1", "Command2", "Command1"};

// Tab follows the reading order of the window, top to bottom: the e-mail box
// and its copy button, then the homepage box and its copy button, and Exit
// last, so that Tab from an address box lands on the button that copies it.
constexpr std::string_view kTabOrder[] = {"Text2", "Command3", "Text1", "Command2", "Command1"};

// Each address box is named by the label beside it.
constexpr SpokenName kSpokenNames[] = {
    {.control = "Text2", .label = "Label5"},
    {.control = "Text1", .label = "Label4"},
};

const FormDef kForm{
    .name = "Form1",
    .caption = "::: About..",
    .frame = FrameStyle::FixedToolWindow,
    .clientWidth = 8385,
    .clientHeight = 4560,
    .left = -1,
    .top = -1,
    .backColor = kSysButtonFace,
    .showInTaskbar = false,
    .controls = kControls,
    .paintOrder = kPaintOrder,
    .widgetOrder = kWidgetOrder,
    .tabOrder = kTabOrder,
    .spokenNames = kSpokenNames,
};

} // namespace

const FormDef& Form1Design() { return kForm; }

} // namespace kav
