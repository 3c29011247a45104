#pragma once
// A recording stand-in for the platform: it remembers every call in order
// and answers with values a test sets.

#include "forms/Platform.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kav::test {

class FakePlatform : public Platform {
public:
    // Every call, in order, as "name(arg1|arg2)" lines.
    std::vector<std::string> calls;
    // What the clipboard holds; nothing after a clear.
    std::optional<std::string> clipboard;
    bool clipboardBusy = false;

    // The colour the dialog returns, or nothing for a cancel. Runs
    // `duringColourDialog` while the dialog is "open", if set.
    std::optional<Colour> colourAnswer;
    std::function<void()> duringColourDialog;

    bool launchResult = true;
    bool cdResult = true;
    std::function<void()> duringCdDoor; // runs while the tray "moves"
    std::string today = "2026-12-07";
    bool ended = false;
    std::function<void()> duringModal; // runs inside message, About and shut-down boxes

    bool clipboardClear() override;
    bool clipboardSetText(const std::string& text) override;
    std::optional<Colour> chooseColour(Window& owner) override;
    bool launch(const LaunchItem& item) override;
    void messageBox(Window& owner, std::string_view text, std::string_view title) override;
    void aboutBox(Window& owner, std::string_view appText, std::string_view otherText) override;
    void shutdownDialog() override;
    bool cdDoor(bool open) override;
    std::string todayShortDate() override;
    void endProgram() override;

    // Calls whose name starts with `prefix`.
    std::vector<std::string> callsStartingWith(std::string_view prefix) const;
};

} // namespace kav::test
