#pragma once
// The main window: the controls its handlers use as named members, so they
// read like the design ("Text14.Visible = false;"), and its event handlers and
// procedures, which live beside it in files named for what they do. Any other
// control is reached by name with ctl().

#include "colour/ColourHistory.h"
#include "forms/Platform.h"
#include "logbook/Logbook.h"
#include "model/Window.h"

#include <cstddef>
#include <string>

namespace kav {

class Program;

const FormDef& frmMainDesign();

class frmMain final : public Window {
public:
    frmMain(Program& program, Platform& platform, logbook::Logbook& book);

    Program& program() const { return *program_; }
    Platform& platform() const { return *platform_; }
    // The logbook file, shown in List1.
    logbook::Logbook& logbook() const { return *logbook_; }

    // The colour tool and the clipboard commands.
    Control& cmdColor{ctl("cmdColor")}; // opens the colour dialog
    Control& cmdCopy{ctl("cmdCopy")};   // copies the colour code
    Control& txtColor{ctl("txtColor")}; // the colour code box
    Control& Text1{ctl("Text1")};       // test box for pasting
    Control& Text7{ctl("Text7")};       // ready-to-paste lamp
    Control& Label3{ctl("Label3")};     // paste hint "CTRL + V"
    Control& Line1{ctl("Line1")};       // copy arrow, vertical stroke
    Control& Line2{ctl("Line2")};       // copy arrow, shaft
    Control& Line3{ctl("Line3")};       // copy arrow, lower barb
    Control& Line4{ctl("Line4")};       // copy arrow, upper barb
    Control& Command3{ctl("Command3")}; // clears the clipboard
    Control& kop{ctl("kop")};           // menu item: copy (Ctrl+C)

    // The logbook and the operation counter.
    Control& List1{ctl("List1")};   // the logbook list
    Control& Text8{ctl("Text8")};   // hidden staging box for journal lines
    Control& Text12{ctl("Text12")}; // hidden file name the delete command removes
    Control& Label5{ctl("Label5")}; // operation counter

    // The CD tray buttons.
    Control& Command8{ctl("Command8")}; // opens the tray
    Control& Command9{ctl("Command9")}; // closes the tray

    // Panel: run control and lamps.
    Control& Command18{ctl("Command18")}; // Snabbstart (quick start)
    Control& Command14{ctl("Command14")}; // Pausa
    Control& Command15{ctl("Command15")}; // Återstart; in Pausa's place
    Control& Text14{ctl("Text14")};       // production-start lamp, blinking face
    Control& Text15{ctl("Text15")};       // production-start lamp, steady face
    Control& Line21{ctl("Line21")};       // start contact, closing bridge
    Control& Line22{ctl("Line22")};       // start contact, open bar
    Control& Shape12{ctl("Shape12")};     // status light
    Control& Text4{ctl("Text4")};         // start-conditions lamp
    Control& Text9{ctl("Text9")};         // alarm lamp
    Control& Text13{ctl("Text13")};       // in-operation lamp
    Control& Text16{ctl("Text16")};       // PLC-contact lamp

    // Panel: the piston.
    Control& Command16{ctl("Command16")}; // Auto: piston home
    Control& Line28{ctl("Line28")};       // head at home
    Control& Line27{ctl("Line27")};       // head at the front
    Control& Line26{ctl("Line26")};       // rod at home
    Control& Line29{ctl("Line29")};       // rod out
    Control& Shape14{ctl("Shape14")};     // rod end at home
    Control& Shape15{ctl("Shape15")};     // rod end out
    Control& Text18{ctl("Text18")};       // home-position lamp
    Control& Text19{ctl("Text19")};       // front-position lamp
    Control& Text17{ctl("Text17")};       // colour-code-ready lamp

    // Panel: the left air cylinder.
    Control& Command10{ctl("Command10")}; // Auto
    Control& Shape2{ctl("Shape2")};       // barrel
    Control& Line6{ctl("Line6")};         // piston head, retracted
    Control& Line7{ctl("Line7")};         // piston head, extended
    Control& Line5{ctl("Line5")};         // rod, retracted
    Control& Line12{ctl("Line12")};       // rod, extended
    Control& Shape3{ctl("Shape3")};       // rod end, retracted
    Control& Shape6{ctl("Shape6")};       // rod end, extended
    Control& Text2{ctl("Text2")};         // upper end-position lamp
    Control& Text3{ctl("Text3")};         // lower end-position lamp

    // Panel: the right air cylinder, its controls in the roles and order of the left one's.
    Control& Command4{ctl("Command4")};
    Control& Shape1{ctl("Shape1")};
    Control& Line9{ctl("Line9")};
    Control& Line10{ctl("Line10")};
    Control& Line8{ctl("Line8")};
    Control& Line11{ctl("Line11")};
    Control& Shape4{ctl("Shape4")};
    Control& Shape5{ctl("Shape5")};
    Control& Text5{ctl("Text5")};
    Control& Text6{ctl("Text6")};

    // Panel: the console ramp and its lock.
    Control& Command12{ctl("Command12")}; // NER: lower and lock the console
    Control& Command13{ctl("Command13")}; // UPP: unlock and raise it; in NER's place
    Control& Line16{ctl("Line16")};       // lock rod, released
    Control& Line15{ctl("Line15")};       // lock piston head, released
    Control& Line14{ctl("Line14")};       // lock piston head, engaged
    Control& Line13{ctl("Line13")};       // lock rod, engaged
    Control& Shape9{ctl("Shape9")};       // bolt end, released
    Control& Shape10{ctl("Shape10")};     // bolt end, engaged
    Control& Text10{ctl("Text10")};       // lock sensor lamp, released side
    Control& Text11{ctl("Text11")};       // lock sensor lamp, engaged side

    // A cylinder or the console lock drawn in one of its two positions, the
    // changes in this order: a rod, a piston head and a rod end draw each, and
    // the lamp of the position reached is green. The drawing never sets a
    // barrel's colour, which only the Auto and Man commands change.
    struct PositionDrawing {
        Control &homeRod, &homeHead, &frontHead, &frontRod, &homeEnd, &frontEnd, &homeLamp, &frontLamp;
        void draw(bool front) const;
    };
    const PositionDrawing leftCylinder{Line5, Line6, Line7, Line12, Shape3, Shape6, Text2, Text3};
    const PositionDrawing rightCylinder{Line8, Line9, Line10, Line11, Shape4, Shape5, Text5, Text6};
    // Its engaged position is its front one.
    const PositionDrawing consoleLock{Line16, Line15, Line14, Line13, Shape9, Shape10, Text10, Text11};

    // Timers; a chain's timers enable one another.
    Control& Timer1{ctl("Timer1")};   // puts the copy captions back
    Control& Timer3{ctl("Timer3")};   // new-code chain: logs the code
    Control& Timer4{ctl("Timer4")};   // new-code chain: save
    Control& Timer5{ctl("Timer5")};   // new-code chain: message
    Control& Timer6{ctl("Timer6")};   // clipboard-cleared chain: message
    Control& Timer8{ctl("Timer8")};   // code-copied chain: message
    Control& Timer10{ctl("Timer10")}; // tray-opened chain: message
    Control& Timer12{ctl("Timer12")}; // tray-closed chain: message
    Control& Timer14{ctl("Timer14")}; // left cylinder's delayed return
    Control& Timer15{ctl("Timer15")}; // ramp: cylinders down
    Control& Timer16{ctl("Timer16")}; // ramp: console locked
    Control& Timer17{ctl("Timer17")}; // ramp: lock released
    Control& Timer18{ctl("Timer18")}; // ramp: cylinders up
    Control& Timer19{ctl("Timer19")}; // welcome chain: message
    Control& Timer21{ctl("Timer21")}; // blinks the production-start lamp
    Control& Timer22{ctl("Timer22")}; // piston's return
    Control& Timer23{ctl("Timer23")}; // start sequence: PLC contact
    Control& Timer24{ctl("Timer24")}; // start sequence: start conditions
    // Event handlers.
    void Form_Load();
    void Timer2_Timer();
    void Command1_Click();
    void Command7_Click();
    void Form_MouseDown(int Button, int Shift, double X, double Y);
    // Closing the main window by its frame ends the program.
    void requestClose() override;
    void Command2_Click();
    void ab_Click();
    void lcp_Click();
    void cmdColor_Click();
    // The code box's other web forms, the colours chosen before and the
    // code's contrast.
    std::vector<CopyOffer> copyOffers(std::string_view control) const override;
    void takeCopyOffer(std::string_view control, std::size_t index) override;
    void cmdCopy_Click();
    void kop_Click();
    void Command3_Click();
    void Timer1_Timer();
    void Timer3_Timer();
    void Command6_Click();
    void sp_Click();
    void loggbok_Click();
    void bra_Click();
    void ta_Click(int Index);
    void Timer21_Timer();
    void Timer23_Timer();
    void Timer24_Timer();
    void Command14_Click();
    void Command15_Click();
    void Command18_Click();
    void Command16_Click();
    void Command17_Click();
    void Timer22_Timer();
    void Command11_Click();
    void Command10_Click();
    void Timer14_Timer();
    void Command5_Click();
    void Command4_Click();
    void Command12_Click();
    void Command13_Click();
    void Timer15_Timer();
    void Timer16_Timer();
    void Timer17_Timer();
    void Timer18_Timer();
    void Command8_Click();
    void Command9_Click();
    void win_Click();

    // Step lists shared by several handlers.
    void journalLine(const std::string& message);
    // Binds the timers of the journal chains: a message timer writes its line
    // and hands on, a save timer writes the logbook to its file.
    void bindJournalChains();
    // The production-start lamp and the start contact.
    void productionLamp(bool steady);
    void runningLook();
    void startConditionsGiven();
    void pistonDrawing(bool out, bool codeLamp);
    void growStep();
    void shrinkStep();

private:
    Program* program_;
    Platform* platform_;
    logbook::Logbook* logbook_;
    // The colours chosen before, read from List1 as it grows.
    mutable RecentSelections recentSelections_;
};

} // namespace kav
