#pragma once
// The platform on a Linux desktop: Qt's clipboard, colour dialog and message
// boxes, the About box, the launcher and drive mapping, the CD tray, the
// shut-down dialog and the logbook file in the program folder.

#include "forms/Platform.h"
#include "platform/qt/LogbookReadAhead.h"

#include <filesystem>
#include <functional>
#include <memory>

class QWidget;

namespace kav::qt {

class QtPlatform final : public Platform {
public:
    // The widget showing a window, which owns the dialogs opened for it.
    using ViewOf = std::function<QWidget*(const Window&)>;

    // An empty folder means the program has none, and no logbook file.
    // Without `viewOf` dialogs have no owner. The first load of the logbook
    // takes what `logbookReadAhead` read.
    explicit QtPlatform(std::filesystem::path programFolder, ViewOf viewOf = {},
                        std::unique_ptr<LogbookReadAhead> logbookReadAhead = nullptr);
    ~QtPlatform() override;

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
    std::optional<logbook::LineImage> readLines(const std::string& path) override;
    logbook::FileChange logbookChange(const std::string& path) override;
    bool writeFileAtomic(const std::string& path, std::string_view bytes) override;
    void writeFileAtomicLater(const std::string& path, SharedBytes bytes, logbook::FileSpan fileLines) override;
    bool finishWrites() override;
    void endProgram() override;

    // Holds every save of the logbook for this session: it runs without the
    // folder's lock, so another copy may be writing the same file.
    void holdLogbookSaves();
    // The program is ending, maybe inside exit() with its display gone: the
    // user is told why the logbook is not saved on standard error, never in
    // a window.
    void programEnding();

private:
    QWidget* ownerWidget(Window& window) const;

    std::filesystem::path folder_;
    ViewOf viewOf_;
    struct Services;
    std::unique_ptr<Services> services_;
    // Goes after the first load.
    std::unique_ptr<LogbookReadAhead> readAhead_;
};

} // namespace kav::qt
