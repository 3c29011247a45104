#pragma once
// The platform on a Linux desktop: Qt's clipboard, colour dialog and message
// boxes, the About box, the launcher, the CD tray and the shut-down dialog.

#include "forms/Platform.h"

#include <filesystem>
#include <functional>
#include <memory>

class QWidget;

namespace kav::qt {

class QtPlatform final : public Platform {
public:
    // The widget showing a window, which owns the dialogs opened for it.
    using ViewOf = std::function<QWidget*(const Window&)>;

    // An empty folder means the program has none. Without `viewOf` dialogs
    // have no owner.
    explicit QtPlatform(std::filesystem::path programFolder, ViewOf viewOf = {});
    ~QtPlatform() override;

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

private:
    QWidget* ownerWidget(Window& window) const;

    std::filesystem::path folder_;
    ViewOf viewOf_;
    struct Services;
    std::unique_ptr<Services> services_;
};

// Shows why the logbook's saves are held, in a box that is not modal, so the
// panel's timers and the journal go on; the Logbook's notice.
void showLogbookHeld(const std::string& text);

} // namespace kav::qt
