#pragma once
// The main window: the controls its handlers and tests use as named members,
// so handlers read like the design ("Text14.Visible = false;"), and the
// declarations of its event handlers and procedures. The binding table that
// routes events to them is in frmMain.cpp; the handlers themselves live in
// the subsystem folders that own them. Any other control is reached by name
// with ctl().

#include "forms/Program.h"
#include "model/Window.h"

#include <cstddef>
#include <optional>
#include <string>

namespace kav {

const FormDef& frmMainDesign();

class frmMain final : public Window {
public:
    explicit frmMain(Program& program);

    Program& program() const { return *program_; }
    Platform& platform() const { return program_->platform(); }

    // Controls, menu items and timers.
    Control& cmdColor{ctl("cmdColor")};
    Control& cmdCopy{ctl("cmdCopy")};
    Control& txtColor{ctl("txtColor")};
    Control& Text1{ctl("Text1")};
    Control& Text7{ctl("Text7")};
    Control& Label3{ctl("Label3")};
    Control& Line1{ctl("Line1")};
    Control& Line2{ctl("Line2")};
    Control& Line3{ctl("Line3")};
    Control& Line4{ctl("Line4")};
    Control& Command3{ctl("Command3")};
    Control& List1{ctl("List1")};
    Control& Text8{ctl("Text8")};
    Control& Text12{ctl("Text12")};
    Control& Label5{ctl("Label5")};
    Control& Command8{ctl("Command8")};
    Control& Command9{ctl("Command9")};
    Control& Command18{ctl("Command18")};
    Control& Command14{ctl("Command14")};
    Control& Command15{ctl("Command15")};
    Control& Text14{ctl("Text14")};
    Control& Text15{ctl("Text15")};
    Control& Line21{ctl("Line21")};
    Control& Line22{ctl("Line22")};
    Control& Shape12{ctl("Shape12")};
    Control& Text4{ctl("Text4")};
    Control& Text9{ctl("Text9")};
    Control& Text13{ctl("Text13")};
    Control& Text16{ctl("Text16")};
    Control& Command16{ctl("Command16")};
    Control& Line28{ctl("Line28")};
    Control& Line27{ctl("Line27")};
    Control& Line26{ctl("Line26")};
    Control& Line29{ctl("Line29")};
    Control& Shape14{ctl("Shape14")};
    Control& Shape15{ctl("Shape15")};
    Control& Text18{ctl("Text18")};
    Control& Text19{ctl("Text19")};
    Control& Text17{ctl("Text17")};
    Control& Command10{ctl("Command10")};
    Control& Command11{ctl("Command11")};
    Control& Shape2{ctl("Shape2")};
    Control& Line6{ctl("Line6")};
    Control& Line7{ctl("Line7")};
    Control& Line5{ctl("Line5")};
    Control& Line12{ctl("Line12")};
    Control& Shape3{ctl("Shape3")};
    Control& Shape6{ctl("Shape6")};
    Control& Text2{ctl("Text2")};
    Control& Text3{ctl("Text3")};
    Control& Command4{ctl("Command4")};
    Control& Command5{ctl("Command5")};
    Control& Shape1{ctl("Shape1")};
    Control& Line9{ctl("Line9")};
    Control& Line10{ctl("Line10")};
    Control& Line8{ctl("Line8")};
    Control& Line11{ctl("Line11")};
    Control& Shape4{ctl("Shape4")};
    Control& Shape5{ctl("Shape5")};
    Control& Text5{ctl("Text5")};
    Control& Text6{ctl("Text6")};
    Control& Command12{ctl("Command12")};
    Control& Command13{ctl("Command13")};
    Control& Line16{ctl("Line16")};
    Control& Line15{ctl("Line15")};
    Control& Line14{ctl("Line14")};
    Control& Line13{ctl("Line13")};
    Control& Shape9{ctl("Shape9")};
    Control& Shape10{ctl("Shape10")};
    Control& Text10{ctl("Text10")};
    Control& Text11{ctl("Text11")};
    Control& kop{ctl("kop")};
    Control& Timer1{ctl("Timer1")};
    Control& Timer3{ctl("Timer3")};
    Control& Timer4{ctl("Timer4")};
    Control& Timer5{ctl("Timer5")};
    Control& Timer6{ctl("Timer6")};
    Control& Timer7{ctl("Timer7")};
    Control& Timer8{ctl("Timer8")};
    Control& Timer9{ctl("Timer9")};
    Control& Timer10{ctl("Timer10")};
    Control& Timer11{ctl("Timer11")};
    Control& Timer12{ctl("Timer12")};
    Control& Timer13{ctl("Timer13")};
    Control& Timer14{ctl("Timer14")};
    Control& Timer15{ctl("Timer15")};
    Control& Timer16{ctl("Timer16")};
    Control& Timer17{ctl("Timer17")};
    Control& Timer18{ctl("Timer18")};
    Control& Timer19{ctl("Timer19")};
    Control& Timer20{ctl("Timer20")};
    Control& Timer21{ctl("Timer21")};
    Control& Timer22{ctl("Timer22")};
    Control& Timer23{ctl("Timer23")};
    Control& Timer24{ctl("Timer24")};

    // Event handlers.
    void Form_Load();
    void Timer19_Timer();
    void Timer20_Timer();
    void Timer2_Timer();
    void Command1_Click();
    void col_Click();
    void Command7_Click();
    void Form_MouseDown(int Button, int Shift, double X, double Y);
    // Closing the main window by its frame ends the program.
    void requestClose() override;
    void Command2_Click();
    void om_Click();
    void ab_Click();
    void lcp_Click();
    void cmdColor_Click();
    // The code box's other web forms, copied without the copy commands'
    // captions, lamps and journal chain.
    std::vector<CopyOffer> copyOffers(std::string_view control) const override;
    void takeCopyOffer(std::string_view control, std::size_t index) override;
    void cmdCopy_Click();
    void kop_Click();
    void Command3_Click();
    void Timer1_Timer();
    void Timer5_Timer();
    void Timer3_Timer();
    void Timer4_Timer();
    void Timer6_Timer();
    void Timer7_Timer();
    void Timer8_Timer();
    void Timer9_Timer();
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
    void Timer10_Timer();
    void Timer11_Timer();
    void Timer12_Timer();
    void Timer13_Timer();
    void win_Click();
    // Every item of the launcher table: starts the item's program.
    void launcherItem_Click(const LaunchItem& item);

    // Procedures of the window.
    void List_Add(Control& list, const std::string& text);
    void List_Load(Control& list, const std::string& path);
    void List_Save(Control& list, const std::string& path);
    // Saves List1 when it holds lines no save has written; the closing save.
    void saveUnsavedLines();
    // A save of `list` to the logbook at `path`; the closing save writes
    // only unsaved lines and never brings back a deleted logbook.
    void saveLogbook(Control& list, const std::string& path, bool closing);
    bool readAgain(Control& list, const std::string& path);

    // Step lists shared by several handlers.
    void journalLine(const std::string& message);
    // One step of a journal chain: the message or save step of the chain
    // whose timer `timer` is.
    void journalChainStep(Control& timer);
    // The production-start lamp and the start contact: steady lamp and closed
    // contact while the panel runs, blinking lamp and open contact otherwise.
    void productionLampSteady();
    void productionLampBlinking();
    void runningLook();
    void startConditionsGiven();
    // The piston's two positions with their lamps; a colour selection and the
    // return timer also switch the colour-code-ready lamp.
    void pistonOut(bool codeReady);
    void pistonHome(bool codeDone);
    void cylinderFrontDrawingLeft();
    void cylinderHomeDrawingLeft();
    void cylinderFrontDrawingRight();
    void cylinderHomeDrawingRight();
    void lockEngagedDrawing();
    void lockReleasedDrawing();
    void growStep();
    void shrinkStep();

    // The full path of the logbook file.
    std::string logbookPath() const;

private:
    Program* program_;
    // The lines of List1 the logbook file holds, [fileFirst_, linesCovered_),
    // as the last load or successful save left them; how many lines the save
    // under way writes; and whether the logbook was too large to load (then
    // it is never saved over).
    std::size_t fileFirst_ = 0;
    std::size_t linesCovered_ = 0;
    std::optional<std::size_t> linesSaving_;
    bool logbookTooLarge_ = false;
};

} // namespace kav
