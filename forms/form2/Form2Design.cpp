// The design values of the process-picture window "PLC - system": a picture
// of the plant filling the client area and one Exit button.
#include "forms/form2/Form2.h"

#include <string_view>

namespace kav {
namespace {

// clang-format off
const ControlDef kControls[] = {
    {.name = "Command1", .kind = Kind::CommandButton, .caption = "&Exit", .left = 5040, .top = 4680, .width = 1575, .height = 615, .font = {.points = 9.75, .bold = true, .face = "Arial"}},
};
// clang-format on

constexpr std::string_view kWidgets[] = {"Command1"};

const FormDef kForm{
    .name = "Form2",
    .caption = "PLC - system",
    .frame = FrameStyle::SizableToolWindow,
    .clientWidth = 6960,
    .clientHeight = 5535,
    .left = -1,
    .top = -1,
    .backColor = kSysButtonFace,
    .showInTaskbar = false,
    .picture = "plc-plant",
    .controls = kControls,
    .widgetOrder = kWidgets,
    .tabOrder = kWidgets,
};

} // namespace

const FormDef& Form2Design() { return kForm; }

} // namespace kav
