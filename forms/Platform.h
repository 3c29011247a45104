#pragma once
// Every operating-system service the handlers use, behind one interface. The
// Qt/Linux implementation and the tests' recording fake both implement it.
// Results are returned so a caller may look at them; handlers ignore them
// unless the program's behaviour depends on the outcome. The logbook file is
// the Logbook's (logbook/Logbook.h), not the platform's.

#include "model/Colour.h"
#include "model/Types.h"

#include <optional>
#include <string>
#include <string_view>

namespace kav {

class Window;

class Platform {
public:
    virtual ~Platform() = default;

    // Clipboard: clear, and put a plain text (UTF-8) on it.
    virtual bool clipboardClear() = 0;
    virtual bool clipboardSetText(const std::string& text) = 0;

    // The colour dialog, modal to `owner`. Returns the chosen colour as a
    // colour value (red + 256 * green + 65536 * blue), or nothing when the
    // user cancelled or the dialog could not be shown.
    virtual std::optional<Colour> chooseColour(Window& owner) = 0;

    // Starts the program that stands in for a launcher item, without
    // waiting. False when nothing could be started.
    virtual bool launch(const LaunchItem& item) = 0;

    // Modal message box with an OK button and the information icon.
    virtual void messageBox(Window& owner, std::string_view text, std::string_view title) = 0;

    // Modal About box owned by `owner`, showing both texts and the program's icon.
    virtual void aboutBox(Window& owner, std::string_view appText, std::string_view otherText) = 0;

    // The shut-down dialog: nothing happens without the user's choice in it.
    virtual void shutdownDialog() = 0;

    // Opens or closes the CD tray. The drive's own requests return when the
    // tray has moved; where the desktop's disk service ejects a mounted disc,
    // opening returns at once and the service moves the tray meanwhile.
    virtual bool cdDoor(bool open) = 0;

    // Today's date, without the time of day, in the desktop's short format.
    virtual std::string todayShortDate() = 0;

    // Ends the program, whatever windows and dialogs are open.
    virtual void endProgram() = 0;
};

} // namespace kav
