#pragma once
// A recording stand-in for the platform: it remembers every call in order,
// answers with values a test sets, and keeps the logbook in a real temporary
// folder, behind the real platform's guard, so file bytes can be checked.

#include "forms/Platform.h"
#include "platform/posix/LogbookFile.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kav::test {

class FakePlatform : public Platform {
public:
    // `folder` is the program folder; the logbook lives there as kavrilon.ini.
    explicit FakePlatform(std::filesystem::path folder);

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
    bool copyResult = true;
    // When set, the delete answers this instead of looking at the folder.
    std::optional<bool> deleteResult;
    bool cdResult = true;
    std::function<void()> duringCdDoor; // runs while the tray "moves"
    std::string today = "2026-12-07";
    bool ended = false;
    std::function<void()> duringModal; // runs inside message, About and shut-down boxes
    // When set, the saves the program hands off go here instead of being
    // written at once, and the wait for them asks `finishLater`.
    std::function<void(const std::string& path, SharedBytes bytes, logbook::FileSpan fileLines)> writeLater;
    std::function<bool()> finishLater;

    bool clipboardClear() override;
    bool clipboardSetText(const std::string& text) override;
    std::optional<Colour> chooseColour(Window& owner) override;
    bool launch(const LaunchItem& item) override;
    bool shellCopy(std::string_view from, std::string_view to) override;
    bool shellDelete(std::string_view path) override;
    void messageBox(Window& owner, std::string_view text, std::string_view title) override;
    void aboutBox(Window& owner, std::string_view appText, std::string_view otherText) override;
    void shutdownDialog() override;
    bool cdDoor(bool open) override;
    std::string todayShortDate() override;
    std::string logbookPath() override;
    std::optional<std::string> readFile(const std::string& path) override;
    logbook::FileChange logbookChange(const std::string& path) override;
    bool writeFileAtomic(const std::string& path, std::string_view bytes) override;
    void writeFileAtomicLater(const std::string& path, SharedBytes bytes, logbook::FileSpan fileLines) override;
    bool finishWrites() override;
    void endProgram() override;

    // Calls whose name starts with `prefix`.
    std::vector<std::string> callsStartingWith(std::string_view prefix) const;

    std::filesystem::path folder;
    bool failWrites = false; // a full disk or read-only folder
    // What the session loaded and saved, as the real platform keeps it.
    posix::LogbookFile guard;

private:
    bool lastLaterWriteOk_ = true;
};

} // namespace kav::test
