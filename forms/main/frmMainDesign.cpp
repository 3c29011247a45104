// The design values of the main window: every control with its kind, caption
// or text, tooltip, state at load, colour, geometry in twips and font; the menu
// tree in menu order; the 24 timers; and the stacking and tab orders. Handlers
// and the renderer read these through the Window built from this table.
#include "forms/main/frmMain.h"

#include <string_view>

namespace kav {
namespace {

// clang-format off
const ControlDef kControls[] = {
    // Colour tool and clipboard
    {.name = "cmdColor", .kind = Kind::CommandButton, .caption = "Välj färg..", .tooltip = "Välj färger eller blandar färger som man vill...", .enabled = false, .left = 2040, .top = 0, .width = 2535, .height = 1335, .font = {.points = 18.0, .bold = true}},
    {.name = "cmdCopy", .kind = Kind::CommandButton, .caption = "&Kopiera..", .tooltip = "Kopiera till klippminnet   CTRL + C", .enabled = false, .left = 4560, .top = 0, .width = 3105, .height = 1335, .font = {.points = 18.0, .bold = true}},
    {.name = "Label8", .kind = Kind::Label, .caption = "Kod", .backColor = kSysAppWorkspace, .left = 3600, .top = 2280, .width = 615, .height = 255, .font = {.points = 9.75, .bold = true}},
    {.name = "txtColor", .kind = Kind::TextBox, .left = 2160, .top = 2160, .width = 1215, .height = 405, .font = {.points = 13.5}, .locked = true},
    {.name = "Label2", .kind = Kind::Label, .caption = "Test:", .backColor = kSysAppWorkspace, .left = 1560, .top = 1840, .width = 615, .height = 255, .font = {.points = 9.75, .bold = true}},
    {.name = "Text1", .kind = Kind::TextBox, .left = 2160, .top = 1800, .width = 2295, .height = 285},
    {.name = "Label4", .kind = Kind::Label, .caption = "Klar för 'Klistra in'", .backColor = kSysAppWorkspace, .left = 5880, .top = 2300, .width = 2055, .height = 255, .font = {.points = 8.25, .bold = true}},
    {.name = "Text7", .kind = Kind::TextBox, .tooltip = "Grönt - filen är uppskickad.", .backColor = lampYellow, .left = 7440, .top = 2280, .width = 168, .height = 195},
    {.name = "Label3", .kind = Kind::Label, .caption = "CTRL + V", .visible = false, .backColor = kSysAppWorkspace, .left = 5160, .top = 2040, .width = 735, .height = 255},
    {.name = "Line1", .kind = Kind::Line, .visible = false, .x1 = 6120, .y1 = 1320, .x2 = 6120, .y2 = 1920, .borderWidth = 3},
    {.name = "Line2", .kind = Kind::Line, .visible = false, .x1 = 6120, .y1 = 1920, .x2 = 4560, .y2 = 1920, .borderWidth = 3},
    {.name = "Line3", .kind = Kind::Line, .visible = false, .x1 = 4920, .y1 = 2040, .x2 = 4560, .y2 = 1920, .borderWidth = 3},
    {.name = "Line4", .kind = Kind::Line, .visible = false, .x1 = 4920, .y1 = 1800, .x2 = 4560, .y2 = 1920, .borderWidth = 3},
    {.name = "Command3", .kind = Kind::CommandButton, .caption = "&Rensa klipp minnet..", .tooltip = "Rensa klipp minnet.", .left = 4560, .top = 3000, .width = 3015, .height = 255, .font = {.points = 8.25, .bold = true}},
    // Logbook and operation counter
    {.name = "List1", .kind = Kind::ListBox, .left = 1800, .top = 3720, .width = 7575, .height = 1620},
    {.name = "Text8", .kind = Kind::TextBox, .caption = "Text8", .visible = false, .left = 4560, .top = 1200, .width = 1215, .height = 375},
    {.name = "Text12", .kind = Kind::TextBox, .caption = "kavrilon.ini", .visible = false, .left = 4320, .top = 1560, .width = 1695, .height = 285},
    {.name = "Command6", .kind = Kind::CommandButton, .caption = "Logg..", .tooltip = "Loggboken varje färg kod skrivs ner här..", .left = 4200, .top = 2160, .width = 855, .height = 375},
    {.name = "Label5", .kind = Kind::Label, .caption = "Label5", .backColor = kSysAppWorkspace, .left = 2160, .top = 1440, .width = 2775, .height = 255},
    // Window buttons
    {.name = "Command1", .kind = Kind::CommandButton, .caption = "&Exit..", .tooltip = "Kopiera HEX talen till klippminnet - Stängs nu !!", .left = 8280, .top = 2760, .width = 1095, .height = 495, .font = {.points = 8.25, .bold = true}},
    {.name = "Command7", .kind = Kind::CommandButton, .caption = "&Minimera", .tooltip = "Minimera fönstret", .left = 3120, .top = 2640, .width = 975, .height = 255},
    {.name = "Command2", .kind = Kind::CommandButton, .caption = "Om...", .left = 2160, .top = 2640, .width = 975, .height = 255},
    // CD tray buttons
    {.name = "Command8", .kind = Kind::CommandButton, .caption = "&Open CD", .tooltip = "Öppna CD - Rom", .left = 600, .top = 840, .width = 1215, .height = 255, .font = {.points = 8.25, .bold = true}},
    {.name = "Command9", .kind = Kind::CommandButton, .caption = "&Close CD", .tooltip = "Stäng CD - Rom", .enabled = false, .left = 600, .top = 1200, .width = 1215, .height = 255, .font = {.points = 8.25, .bold = true}},
    // Process panel: run control and lamps
    {.name = "Command18", .kind = Kind::CommandButton, .caption = "&Snabbstart", .left = 8280, .top = 1320, .width = 1095, .height = 315},
    {.name = "Command14", .kind = Kind::CommandButton, .caption = "Pausa", .enabled = false, .left = 8280, .top = 2280, .width = 855, .height = 315},
    {.name = "Command15", .kind = Kind::CommandButton, .caption = "&Återstart", .visible = false, .left = 8280, .top = 2280, .width = 855, .height = 315},
    {.name = "Label12", .kind = Kind::Label, .caption = "Prod. Start:", .backColor = kSysAppWorkspace, .left = 8160, .top = 840, .width = 1080, .height = 255, .font = {.points = 8.25, .bold = true}},
    {.name = "Shape8", .kind = Kind::Shape, .left = 9240, .top = 600, .width = 615, .height = 615, .shape = ShapeKind::Rectangle},
    {.name = "Text14", .kind = Kind::TextBox, .visible = false, .backColor = lampGreen, .left = 9360, .top = 720, .width = 375, .height = 375},
    {.name = "Text15", .kind = Kind::TextBox, .visible = false, .backColor = lampGreen, .left = 9360, .top = 720, .width = 375, .height = 375},
    {.name = "Label13", .kind = Kind::Label, .caption = "V. 1010", .backColor = kSysAppWorkspace, .left = 8520, .top = 1920, .width = 615, .height = 255},
    {.name = "Shape11", .kind = Kind::Shape, .left = 9240, .top = 1800, .width = 615, .height = 495, .shape = ShapeKind::Rectangle},
    {.name = "Line20", .kind = Kind::Line, .x1 = 9555, .y1 = 1200, .x2 = 9555, .y2 = 1800, .borderWidth = 1},
    {.name = "Line21", .kind = Kind::Line, .visible = false, .x1 = 9555, .y1 = 1800, .x2 = 9555, .y2 = 2280, .borderWidth = 1},
    {.name = "Line22", .kind = Kind::Line, .x1 = 9240, .y1 = 2040, .x2 = 9840, .y2 = 2040, .borderWidth = 1},
    {.name = "Line23", .kind = Kind::Line, .x1 = 9555, .y1 = 2280, .x2 = 9555, .y2 = 2640, .borderWidth = 1},
    {.name = "Line24", .kind = Kind::Line, .x1 = 8040, .y1 = 2640, .x2 = 9565, .y2 = 2640, .borderWidth = 1},
    {.name = "Line25", .kind = Kind::Line, .x1 = 8040, .y1 = 2640, .x2 = 8040, .y2 = 0, .borderWidth = 1},
    {.name = "Shape12", .kind = Kind::Shape, .backColor = lampYellow, .left = 7800, .top = 1560, .width = 495, .height = 495, .shape = ShapeKind::Circle, .opaque = true},
    {.name = "Label1", .kind = Kind::Label, .caption = "Startvillkor", .backColor = kSysAppWorkspace, .left = 6410, .top = 1545, .width = 1215, .height = 255, .font = {.points = 8.25, .bold = true}},
    {.name = "Text4", .kind = Kind::TextBox, .backColor = lampYellow, .left = 7440, .top = 1560, .width = 168, .height = 195},
    {.name = "Label6", .kind = Kind::Label, .caption = "Alarm", .backColor = kSysAppWorkspace, .left = 6840, .top = 1920, .width = 735, .height = 255, .font = {.points = 8.25, .bold = true}},
    {.name = "Text9", .kind = Kind::TextBox, .backColor = lampYellow, .left = 7440, .top = 1920, .width = 168, .height = 195},
    {.name = "Label7", .kind = Kind::Label, .caption = "Idrift", .backColor = kSysAppWorkspace, .left = 6960, .top = 2650, .width = 735, .height = 255, .font = {.points = 8.25, .bold = true}},
    {.name = "Text13", .kind = Kind::TextBox, .tooltip = "Grönt - filen är uppskickad.", .backColor = lampYellow, .left = 7440, .top = 2640, .width = 168, .height = 195},
    {.name = "Label14", .kind = Kind::Label, .caption = "PLC - system kontakt", .backColor = kSysAppWorkspace, .left = 4440, .top = 2655, .width = 1815, .height = 255, .font = {.points = 8.25, .bold = true}},
    {.name = "Text16", .kind = Kind::TextBox, .backColor = lampYellow, .left = 6360, .top = 2640, .width = 168, .height = 195},
    // Process panel: piston
    {.name = "Command16", .kind = Kind::CommandButton, .caption = "&Auto", .tooltip = "Sätt cylinder/Kolv på Auto   (Hemläge)", .enabled = false, .left = 600, .top = 1560, .width = 615, .height = 255},
    {.name = "Command17", .kind = Kind::CommandButton, .caption = "&Man", .tooltip = "Kör kolven man. Fram", .left = 1200, .top = 1560, .width = 615, .height = 255},
    {.name = "Shape13", .kind = Kind::Shape, .left = 600, .top = 2280, .width = 855, .height = 255, .shape = ShapeKind::RoundedRectangle, .opaque = true},
    {.name = "Line28", .kind = Kind::Line, .x1 = 650, .y1 = 2235, .x2 = 650, .y2 = 2510, .borderWidth = 3, .surface = "Shape13"},
    {.name = "Line27", .kind = Kind::Line, .visible = false, .x1 = 1360, .y1 = 2280, .x2 = 1360, .y2 = 2510, .borderWidth = 3, .surface = "Shape13"},
    {.name = "Line26", .kind = Kind::Line, .x1 = 1560, .y1 = 2400, .x2 = 630, .y2 = 2400, .borderWidth = 3, .surface = "Shape13"},
    {.name = "Line29", .kind = Kind::Line, .visible = false, .x1 = 1910, .y1 = 2400, .x2 = 1355, .y2 = 2400, .borderWidth = 3, .surface = "Shape13"},
    {.name = "Shape14", .kind = Kind::Shape, .backColor = lampWhite, .left = 1500, .top = 2280, .width = 135, .height = 255, .shape = ShapeKind::Rectangle, .opaque = true},
    {.name = "Shape15", .kind = Kind::Shape, .visible = false, .backColor = lampWhite, .left = 1920, .top = 2280, .width = 135, .height = 255, .shape = ShapeKind::Rectangle, .opaque = true},
    {.name = "Text18", .kind = Kind::TextBox, .backColor = lampGreen, .left = 600, .top = 2100, .width = 168, .height = 195},
    {.name = "Text19", .kind = Kind::TextBox, .backColor = lampYellow, .left = 1285, .top = 2100, .width = 168, .height = 195},
    {.name = "Label15", .kind = Kind::Label, .caption = "Färgkod klar:", .backColor = kSysAppWorkspace, .left = 840, .top = 2680, .width = 1095, .height = 255},
    {.name = "Text17", .kind = Kind::TextBox, .backColor = lampYellow, .left = 1800, .top = 2670, .width = 168, .height = 210},
    // Process panel: cylinders
    {.name = "Command10", .kind = Kind::CommandButton, .caption = "&Auto", .enabled = false, .left = 600, .top = 240, .width = 615, .height = 255},
    {.name = "Command11", .kind = Kind::CommandButton, .caption = "&Man", .left = 1200, .top = 240, .width = 615, .height = 255},
    {.name = "Shape2", .kind = Kind::Shape, .left = 120, .top = 0, .width = 375, .height = 3135, .shape = ShapeKind::RoundedRectangle, .opaque = true},
    {.name = "Line6", .kind = Kind::Line, .x1 = 470, .y1 = 120, .x2 = 145, .y2 = 120, .borderWidth = 5, .surface = "Shape2"},
    {.name = "Line7", .kind = Kind::Line, .visible = false, .x1 = 485, .y1 = 3000, .x2 = 150, .y2 = 3000, .borderWidth = 5, .surface = "Shape2"},
    {.name = "Line5", .kind = Kind::Line, .x1 = 300, .y1 = 120, .x2 = 300, .y2 = 3360, .borderWidth = 5, .surface = "Shape2"},
    {.name = "Line12", .kind = Kind::Line, .visible = false, .x1 = 300, .y1 = 3000, .x2 = 300, .y2 = 6360, .borderWidth = 5, .surface = "Shape2"},
    {.name = "Shape3", .kind = Kind::Shape, .backColor = kSysDesktop, .left = 180, .top = 3120, .width = 255, .height = 375, .shape = ShapeKind::Circle, .opaque = true},
    {.name = "Shape6", .kind = Kind::Shape, .visible = false, .backColor = kSysDesktop, .left = 180, .top = 6240, .width = 255, .height = 375, .shape = ShapeKind::Circle, .opaque = true},
    {.name = "Text2", .kind = Kind::TextBox, .backColor = lampGreen, .left = 480, .top = 0, .width = 168, .height = 195},
    {.name = "Text3", .kind = Kind::TextBox, .backColor = lampYellow, .left = 480, .top = 2880, .width = 168, .height = 195},
    {.name = "Command4", .kind = Kind::CommandButton, .caption = "&Auto", .tooltip = "Sätt cylinder/Kolv på Auto   (Hemläge)", .enabled = false, .left = 8280, .top = 240, .width = 615, .height = 255},
    {.name = "Command5", .kind = Kind::CommandButton, .caption = "&Man", .tooltip = "Kör kolven man. Fram", .left = 8880, .top = 240, .width = 615, .height = 255},
    {.name = "Shape1", .kind = Kind::Shape, .left = 9960, .top = 0, .width = 375, .height = 3135, .shape = ShapeKind::RoundedRectangle, .opaque = true},
    {.name = "Line9", .kind = Kind::Line, .x1 = 10285, .y1 = 120, .x2 = 9960, .y2 = 120, .borderWidth = 5, .surface = "Shape1"},
    {.name = "Line10", .kind = Kind::Line, .visible = false, .x1 = 10300, .y1 = 3000, .x2 = 9950, .y2 = 3000, .borderWidth = 5, .surface = "Shape1"},
    {.name = "Line8", .kind = Kind::Line, .x1 = 10147, .y1 = 120, .x2 = 10147, .y2 = 3240, .borderWidth = 5, .surface = "Shape1"},
    {.name = "Line11", .kind = Kind::Line, .visible = false, .x1 = 10140, .y1 = 3000, .x2 = 10140, .y2 = 6355, .borderWidth = 5, .surface = "Shape1"},
    {.name = "Shape4", .kind = Kind::Shape, .backColor = kSysDesktop, .left = 10026, .top = 3120, .width = 255, .height = 375, .shape = ShapeKind::Circle, .opaque = true},
    {.name = "Shape5", .kind = Kind::Shape, .visible = false, .backColor = kSysDesktop, .left = 10020, .top = 6240, .width = 255, .height = 375, .shape = ShapeKind::Circle, .opaque = true},
    {.name = "Text5", .kind = Kind::TextBox, .backColor = lampGreen, .left = 9800, .top = 0, .width = 160, .height = 195},
    {.name = "Text6", .kind = Kind::TextBox, .backColor = lampYellow, .left = 9790, .top = 2880, .width = 175, .height = 195},
    // Process panel: console ramp and console lock
    {.name = "Command12", .kind = Kind::CommandButton, .caption = "&Ramp  = ' NER'", .left = 2160, .top = 3000, .width = 1935, .height = 255},
    {.name = "Command13", .kind = Kind::CommandButton, .caption = "&Ramp =  ' UPP'", .visible = false, .left = 2160, .top = 3000, .width = 1935, .height = 255},
    {.name = "Shape7", .kind = Kind::Shape, .left = 1200, .top = 6000, .width = 1935, .height = 255, .shape = ShapeKind::RoundedRectangle, .opaque = true},
    {.name = "Line16", .kind = Kind::Line, .x1 = 3000, .y1 = 6135, .x2 = 1080, .y2 = 6120, .borderWidth = 4, .surface = "Shape7"},
    {.name = "Line15", .kind = Kind::Line, .x1 = 3000, .y1 = 6225, .x2 = 3000, .y2 = 6000, .borderWidth = 4, .surface = "Shape7"},
    {.name = "Line14", .kind = Kind::Line, .visible = false, .x1 = 1320, .y1 = 6204, .x2 = 1320, .y2 = 6000, .borderWidth = 4, .surface = "Shape7"},
    {.name = "Line13", .kind = Kind::Line, .visible = false, .x1 = 1320, .y1 = 6120, .x2 = 135, .y2 = 6120, .borderWidth = 3, .surface = "Shape7"},
    {.name = "Shape9", .kind = Kind::Shape, .backColor = kSysDesktop, .left = 960, .top = 6000, .width = 135, .height = 255, .shape = ShapeKind::Rectangle, .opaque = true},
    {.name = "Shape10", .kind = Kind::Shape, .visible = false, .backColor = kSysDesktop, .left = 120, .top = 6000, .width = 135, .height = 255, .shape = ShapeKind::Rectangle, .opaque = true},
    {.name = "Text10", .kind = Kind::TextBox, .backColor = lampGreen, .left = 2880, .top = 5820, .width = 168, .height = 195},
    {.name = "Text11", .kind = Kind::TextBox, .backColor = lampYellow, .left = 1200, .top = 5820, .width = 168, .height = 195},
    // Process panel: legend of the lower panel (static)
    {.name = "Label11", .kind = Kind::Label, .caption = "Kolv", .backColor = legendGrey, .left = 2160, .top = 5400, .width = 615, .height = 375},
    {.name = "Label10", .kind = Kind::Label, .caption = "Givare", .backColor = legendGrey, .left = 4800, .top = 5520, .width = 2295, .height = 615},
    {.name = "Label9", .kind = Kind::Label, .caption = "Luftcylinder", .backColor = legendGrey, .left = 3960, .top = 5880, .width = 2295, .height = 615},
    {.name = "Line19", .kind = Kind::Line, .x1 = 2280, .y1 = 5640, .x2 = 1680, .y2 = 6120, .borderWidth = 1},
    {.name = "Line18", .kind = Kind::Line, .x1 = 4680, .y1 = 5640, .x2 = 3000, .y2 = 5880, .borderWidth = 1},
    {.name = "Line17", .kind = Kind::Line, .x1 = 3120, .y1 = 6120, .x2 = 3840, .y2 = 6000, .borderWidth = 1},

    // Menu bar. Each item follows the menu that holds it; `parent` names that
    // menu, empty for the five entries of the bar. "-" is a separator. An item
    // that `launches` starts the program standing in for it on this desktop.
    {.name = "ar", .kind = Kind::MenuItem, .caption = "&Arkiv.."},
    {.name = "kop", .kind = Kind::MenuItem, .caption = "&Kopiera till klippminnet..", .parent = "ar", .shortcut = "Ctrl+C"},
    {.name = "s", .kind = Kind::MenuItem, .caption = "-", .parent = "ar", .index = 1},
    {.name = "bok", .kind = Kind::MenuItem, .caption = "&Logg boken  - TXT", .parent = "ar", .launches = true},
    {.name = "sp", .kind = Kind::MenuItem, .caption = "&Spara loggboken till  Diskett  A:\\", .parent = "ar", .shortcut = "Ctrl+A"},
    {.name = "loggbok", .kind = Kind::MenuItem, .caption = "&Bränn loggboken   E:\\", .parent = "ar", .shortcut = "Ctrl+E"},
    {.name = "bra", .kind = Kind::MenuItem, .caption = "&Bränn loggboken   D:\\", .parent = "ar", .shortcut = "Ctrl+D"},
    {.name = "ta", .kind = Kind::MenuItem, .caption = "&Ta bort loggboken..(Kavrilon.ini)", .parent = "ar", .index = 0},
    {.name = "lym", .kind = Kind::MenuItem, .caption = "Volymkontroll", .parent = "ar", .shortcut = "Ctrl+L", .launches = true},
    {.name = "spel", .kind = Kind::MenuItem, .caption = "Ljudinspelaren", .parent = "ar", .launches = true},
    {.name = "a", .kind = Kind::MenuItem, .caption = "-", .parent = "ar"},
    {.name = "win", .kind = Kind::MenuItem, .caption = "Stäng av datorn", .parent = "ar", .shortcut = "Ctrl+S"},
    {.name = "d", .kind = Kind::MenuItem, .caption = "-", .parent = "ar"},
    {.name = "col", .kind = Kind::MenuItem, .caption = "&Stäng  Kavrilon", .parent = "ar"},
    {.name = "lp", .kind = Kind::MenuItem, .caption = "&Hjälp.."},
    {.name = "hj", .kind = Kind::MenuItem, .caption = "&Hjälp och support", .parent = "lp", .shortcut = "F1", .launches = true},
    {.name = "tool", .kind = Kind::MenuItem, .caption = "&Admin- Tools..", .parent = "lp", .shortcut = "F2", .launches = true},
    {.name = "kor", .kind = Kind::MenuItem, .caption = "&Kort-Kommandon", .parent = "lp", .shortcut = "F4", .launches = true},
    {.name = "vol", .kind = Kind::MenuItem, .caption = "Volymkontroll - Hjälp", .parent = "lp", .launches = true},
    {.name = "ljud", .kind = Kind::MenuItem, .caption = "Ljud & Multimedia - Hälp", .parent = "lp", .launches = true},
    {.name = "natverk", .kind = Kind::MenuItem, .caption = "Windows Nätverk - Hjälp", .parent = "lp", .launches = true},
    {.name = "nat", .kind = Kind::MenuItem, .caption = "Nätverksanslutningar - Hjälp", .parent = "lp", .launches = true},
    {.name = "adress", .kind = Kind::MenuItem, .caption = "Adressbok - Hjälp", .parent = "lp", .launches = true},
    {.name = "panel", .kind = Kind::MenuItem, .caption = "Kontrollpanel - Hjälp", .parent = "lp", .launches = true},
    {.name = "skriv", .kind = Kind::MenuItem, .caption = "Skriv ut - Hjälp", .parent = "lp", .launches = true},
    {.name = "klipp", .kind = Kind::MenuItem, .caption = "Klippbokshanteraren - Hjälp", .parent = "lp", .launches = true},
    {.name = "losen", .kind = Kind::MenuItem, .caption = "Användarnamn & Lösenord", .parent = "lp", .launches = true},
    {.name = "fjarr", .kind = Kind::MenuItem, .caption = "Fjärrskrivbord - Hjälp", .parent = "lp", .launches = true},
    {.name = "alt", .kind = Kind::MenuItem, .caption = "Energialternativ - Hjälp", .parent = "lp", .launches = true},
    {.name = "play", .kind = Kind::MenuItem, .caption = "Media player - Hjälp", .parent = "lp", .launches = true},
    {.name = "behor", .kind = Kind::MenuItem, .caption = "Behörigheter - Hjälp", .parent = "lp", .launches = true},
    {.name = "kon", .kind = Kind::MenuItem, .caption = "&Kontrollpanelen", .parent = "lp", .shortcut = "F5", .launches = true},
    {.name = "tt", .kind = Kind::MenuItem, .caption = "-", .parent = "lp"},
    {.name = "screen", .kind = Kind::MenuItem, .caption = "&Bildskärm", .parent = "lp", .shortcut = "F6", .launches = true},
    {.name = "ener", .kind = Kind::MenuItem, .caption = "&Energialternativ", .parent = "lp", .shortcut = "F8", .launches = true},
    {.name = "mus", .kind = Kind::MenuItem, .caption = "&Musen", .parent = "lp", .shortcut = "F9", .launches = true},
    {.name = "sys", .kind = Kind::MenuItem, .caption = "&System", .parent = "lp", .launches = true},
    {.name = "rtob", .kind = Kind::MenuItem, .caption = "&Lägg till/Ta bort", .parent = "lp", .index = 1, .launches = true},
    {.name = "JOY", .kind = Kind::MenuItem, .caption = "&Joy - Stick", .parent = "lp", .launches = true},
    {.name = "alter", .kind = Kind::MenuItem, .caption = "&Internet Egenskaper", .parent = "lp", .launches = true},
    {.name = "ss", .kind = Kind::MenuItem, .caption = "&Spel..", .parent = "lp", .index = 0},
    {.name = "sol", .kind = Kind::MenuItem, .caption = "Harpan", .parent = "ss", .launches = true},
    {.name = "mine", .kind = Kind::MenuItem, .caption = "&MS- Röj", .parent = "ss", .launches = true},
    {.name = "lin", .kind = Kind::MenuItem, .caption = "-", .parent = "lp"},
    {.name = "om", .kind = Kind::MenuItem, .caption = "&Om..", .parent = "lp"},
    {.name = "up", .kind = Kind::MenuItem, .caption = "&Windows Update.."},
    {.name = "uppdate", .kind = Kind::MenuItem, .caption = "&Windows uppdate..", .parent = "up", .launches = true},
    {.name = "winxp", .kind = Kind::MenuItem, .caption = "Hämta program för Windows XP", .parent = "up", .launches = true, .address = "https://support.microsoft.com/sv-SE/windows/downloads"},
    {.name = "dows", .kind = Kind::MenuItem, .caption = "Hjälp och instruktioner för Windows", .parent = "up", .launches = true, .address = "https://support.microsoft.com/sv-SE/windows/help"},
    {.name = "win7", .kind = Kind::MenuItem, .caption = "Windows 7", .parent = "up", .launches = true, .address = "https://support.microsoft.com/sv-SE/windows7/products/home"},
    {.name = "bekant", .kind = Kind::MenuItem, .caption = "Bekanta dig med windows ", .parent = "up", .launches = true, .address = "https://support.microsoft.com/sv-SE/windows/explore/get-to-know"},
    {.name = "fdd", .kind = Kind::MenuItem, .caption = "-", .parent = "up"},
    {.name = "color", .kind = Kind::MenuItem, .caption = "&Kavrilon - Programmets Hemsida..", .parent = "up", .shortcut = "F11", .launches = true},
    {.name = "motor", .kind = Kind::MenuItem, .caption = "Min sökmotorsida", .parent = "up", .launches = true},
    {.name = "str", .kind = Kind::MenuItem, .caption = "-", .parent = "up"},
    {.name = "out", .kind = Kind::MenuItem, .caption = "Outlook Express - Hjälp", .parent = "up", .launches = true},
    {.name = "epost", .kind = Kind::MenuItem, .caption = "&OutlookExpress", .parent = "up", .shortcut = "F12", .launches = true},
    {.name = "abo", .kind = Kind::MenuItem, .caption = "&About.."},
    {.name = "ab", .kind = Kind::MenuItem, .caption = "&About..", .parent = "abo"},
    {.name = "l", .kind = Kind::MenuItem, .caption = "-", .parent = "abo"},
    {.name = "utfor", .kind = Kind::MenuItem, .caption = "Utforskaren", .parent = "abo", .launches = true},
    {.name = "info", .kind = Kind::MenuItem, .caption = "Systeminformation", .parent = "abo", .launches = true},
    {.name = "plc", .kind = Kind::MenuItem, .caption = "&PLC"},
    {.name = "lcp", .kind = Kind::MenuItem, .caption = "PLC - system", .parent = "plc"},

    // Timers: interval in milliseconds, `enabled` is Enabled at load. Only
    // Timer2 (operation counter), Timer21 (blinking lamp) and Timer23 (start
    // sequence) run from the window's creation.
    {.name = "Timer1", .kind = Kind::Timer, .enabled = false, .interval = 1800},
    {.name = "Timer2", .kind = Kind::Timer, .interval = 100},
    {.name = "Timer3", .kind = Kind::Timer, .enabled = false, .interval = 200},
    {.name = "Timer4", .kind = Kind::Timer, .enabled = false, .interval = 200},
    {.name = "Timer5", .kind = Kind::Timer, .enabled = false, .interval = 200},
    {.name = "Timer6", .kind = Kind::Timer, .enabled = false, .interval = 150},
    {.name = "Timer7", .kind = Kind::Timer, .enabled = false, .interval = 150},
    {.name = "Timer8", .kind = Kind::Timer, .enabled = false, .interval = 150},
    {.name = "Timer9", .kind = Kind::Timer, .enabled = false, .interval = 150},
    {.name = "Timer10", .kind = Kind::Timer, .enabled = false, .interval = 150},
    {.name = "Timer11", .kind = Kind::Timer, .enabled = false, .interval = 150},
    {.name = "Timer12", .kind = Kind::Timer, .enabled = false, .interval = 150},
    {.name = "Timer13", .kind = Kind::Timer, .enabled = false, .interval = 150},
    {.name = "Timer14", .kind = Kind::Timer, .enabled = false, .interval = 1900},
    {.name = "Timer15", .kind = Kind::Timer, .enabled = false, .interval = 120},
    {.name = "Timer16", .kind = Kind::Timer, .enabled = false, .interval = 1120},
    {.name = "Timer17", .kind = Kind::Timer, .enabled = false, .interval = 500},
    {.name = "Timer18", .kind = Kind::Timer, .enabled = false, .interval = 500},
    {.name = "Timer19", .kind = Kind::Timer, .enabled = false, .interval = 150},
    {.name = "Timer20", .kind = Kind::Timer, .enabled = false, .interval = 150},
    {.name = "Timer21", .kind = Kind::Timer, .interval = 900},
    {.name = "Timer22", .kind = Kind::Timer, .enabled = false, .interval = 4000},
    {.name = "Timer23", .kind = Kind::Timer, .interval = 4000},
    {.name = "Timer24", .kind = Kind::Timer, .enabled = false, .interval = 6000},

    // The system colour dialog component; invisible, no layout.
    {.name = "comColor", .kind = Kind::CommonDialog},
};

// Lines, shapes and labels, topmost first: piston heads and rods lie over
// their opaque barrels, rod ends over their rods.
constexpr std::string_view kPaintOrder[] = {
    "Line29", "Shape15", "Shape14", "Line28", "Line27", "Line26", "Shape13", "Label15", "Label14", "Label13",
    "Label12", "Shape12", "Line25", "Line24", "Line23", "Line22", "Line21", "Shape11", "Line20", "Shape8",
    "Line19", "Label11", "Line18", "Label10", "Line17", "Label9", "Label8", "Label7", "Shape10", "Shape9",
    "Line16", "Line15", "Line14", "Line13", "Shape7", "Shape6", "Line12", "Shape5", "Line11", "Label6",
    "Label5", "Label4", "Shape4", "Line10", "Line9", "Line8", "Line7", "Line6", "Shape3", "Line5", "Shape2",
    "Shape1", "Label3", "Line4", "Line3", "Line2", "Line1", "Label2", "Label1",
};

// Buttons, text boxes and the list box, topmost first. They always lie above
// everything in kPaintOrder.
constexpr std::string_view kWidgetOrder[] = {
    "Command18", "Command17", "Command16", "Text19", "Text18", "Text17", "Text16", "Command15", "Command14",
    "Text15", "Text14", "Text13", "Text12", "Command13", "Command12", "Text11", "Text10", "Command11",
    "Command10", "Text9", "Command9", "Command8", "Command7", "Command6", "Text8", "List1", "Command5",
    "Command4", "Text7", "Text6", "Text5", "Text3", "Text2", "Text1", "Command3", "Text4", "Command2",
    "Command1", "cmdCopy", "cmdColor", "txtColor",
};

// Tab order through the shown and enabled buttons, text boxes and list box.
// The lamps have no tab stop: they only show a state, and a screen reader
// finds them among the window's parts all the same.
constexpr std::string_view kTabOrder[] = {
    "txtColor", "cmdColor", "cmdCopy", "Command1", "Command2", "Command3", "Text1", "Command4", "Command5", "List1",
    "Text8", "Command6", "Command7", "Command8", "Command9", "Command10", "Command11", "Command12", "Command13",
    "Text12", "Command14", "Command15", "Command16", "Command17", "Command18",
};
// clang-format on

// The lamps are never focused.
constexpr std::string_view kNoFocus[] = {
    "Text2",  "Text3",  "Text4",  "Text5",  "Text6",  "Text7",  "Text9",  "Text10",
    "Text11", "Text13", "Text14", "Text15", "Text16", "Text17", "Text18", "Text19",
};

// The label beside each box names it; the lamps of the cylinders, the piston
// and the console lock have no label, so they carry a name of their own.
constexpr SpokenName kSpokenNames[] = {
    {.control = "txtColor", .label = "Label8"},
    {.control = "Text1", .label = "Label2"},
    {.control = "Text7", .label = "Label4"},
    {.control = "Text4", .label = "Label1"},
    {.control = "Text9", .label = "Label6"},
    {.control = "Text13", .label = "Label7"},
    {.control = "Text16", .label = "Label14"},
    {.control = "Text17", .label = "Label15"},
    {.control = "Text14", .label = "Label12"},
    {.control = "Text15", .label = "Label12"},
    {.control = "Text2", .name = "Vänster cylinder, övre ändläge"},
    {.control = "Text3", .name = "Vänster cylinder, nedre ändläge"},
    {.control = "Text5", .name = "Höger cylinder, övre ändläge"},
    {.control = "Text6", .name = "Höger cylinder, nedre ändläge"},
    {.control = "Text18", .name = "Kolv, hemläge"},
    {.control = "Text19", .name = "Kolv, framläge"},
    {.control = "Text10", .name = "Konsollås, frigjord"},
    {.control = "Text11", .name = "Konsollås, låst"},
    {.control = "List1", .name = "Loggbok"},
    {.control = "Text8", .name = "Loggrad"},
    {.control = "Text12", .name = "Loggbokens filnamn"},
};

// The small empty boxes that show a state by their colour alone.
constexpr std::string_view kLamps[] = {
    "Text2",  "Text3",  "Text4",  "Text5",  "Text6",  "Text7",  "Text9",  "Text10",
    "Text11", "Text13", "Text14", "Text15", "Text16", "Text17", "Text18", "Text19",
};

const FormDef kForm{
    .name = "frmMain",
    .caption = "Kavrilon  V.1.0     Av:  Vendel Hagmark    -   Skarnvik",
    .frame = FrameStyle::Sizable,
    .clientWidth = 10455,
    .clientHeight = 3300,
    .left = 2160,
    .top = 2115,
    .backColor = kSysAppWorkspace,
    .showInTaskbar = true,
    .icon = "kavrilon",
    .controls = kControls,
    .paintOrder = kPaintOrder,
    .widgetOrder = kWidgetOrder,
    .tabOrder = kTabOrder,
    .noFocus = kNoFocus,
    .focusAtStart = "txtColor",
    .spokenNames = kSpokenNames,
    .lamps = kLamps,
};

} // namespace

const FormDef& frmMainDesign() { return kForm; }

} // namespace kav
