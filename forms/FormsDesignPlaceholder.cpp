// PLACEHOLDER design data (names and kinds only); replaced by the full inventory.
#include "forms/Form1.h"
#include "forms/Form2.h"

namespace kav {
namespace {
const ControlDef kForm1Controls[] = {
    {.name = "Frame1", .kind = Kind::Frame},
    {.name = "Label1", .kind = Kind::Label},
    {.name = "Image4", .kind = Kind::Image},
    {.name = "Label6", .kind = Kind::Label},
    {.name = "Image1", .kind = Kind::Image},
    {.name = "Label2", .kind = Kind::Label},
    {.name = "Image3", .kind = Kind::Image},
    {.name = "Image2", .kind = Kind::Image},
    {.name = "Label5", .kind = Kind::Label},
    {.name = "Text2", .kind = Kind::TextBox},
    {.name = "Command3", .kind = Kind::CommandButton},
    {.name = "Label4", .kind = Kind::Label},
    {.name = "Text1", .kind = Kind::TextBox},
    {.name = "Command2", .kind = Kind::CommandButton},
    {.name = "Command1", .kind = Kind::CommandButton},
    {.name = "Label3", .kind = Kind::Label},
    {.name = "Timer1", .kind = Kind::Timer},
};
const ControlDef kForm2Controls[] = {
    {.name = "Command1", .kind = Kind::CommandButton},
};
const FormDef kForm1{.name = "Form1", .caption = "Form1", .controls = kForm1Controls};
const FormDef kForm2{.name = "Form2", .caption = "Form2", .controls = kForm2Controls};
} // namespace
const FormDef& Form1Design() { return kForm1; }
const FormDef& Form2Design() { return kForm2; }
} // namespace kav
