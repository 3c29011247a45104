// The recording fake of the platform.
#include "FakePlatform.h"

#include "model/Window.h"

namespace kav::test {

namespace {
std::string join(std::initializer_list<std::string_view> parts) {
    std::string s;
    bool first = true;
    for (auto p : parts) {
        if (!first) s += '|';
        s += p;
        first = false;
    }
    return s;
}
} // namespace

bool FakePlatform::clipboardClear() {
    calls.push_back("clipboardClear()");
    if (clipboardBusy) return false;
    clipboard.reset();
    return true;
}

bool FakePlatform::clipboardSetText(const std::string& text) {
    calls.push_back("clipboardSetText(" + text + ")");
    if (clipboardBusy) return false;
    clipboard = text;
    return true;
}

std::optional<Colour> FakePlatform::chooseColour(Window& owner) {
    calls.push_back("chooseColour(" + std::string(owner.name()) + ")");
    if (duringColourDialog) duringColourDialog();
    return colourAnswer;
}

bool FakePlatform::launch(const LaunchItem& item) {
    calls.push_back("launch(" + (item.address.empty() ? std::string(item.name) : join({item.name, item.address})) +
                    ")");
    return launchResult;
}

void FakePlatform::messageBox(Window& owner, std::string_view text, std::string_view title) {
    calls.push_back("messageBox(" + join({owner.name(), text, title}) + ")");
    if (duringModal) duringModal();
}

void FakePlatform::aboutBox(Window& owner, std::string_view appText, std::string_view otherText) {
    calls.push_back("aboutBox(" + join({owner.name(), appText, otherText}) + ")");
    if (duringModal) duringModal();
}

void FakePlatform::shutdownDialog() {
    calls.push_back("shutdownDialog()");
    if (duringModal) duringModal();
}

bool FakePlatform::cdDoor(bool open) {
    if (duringCdDoor) duringCdDoor();
    calls.push_back(open ? "cdDoor(open)" : "cdDoor(close)");
    return cdResult;
}

std::string FakePlatform::todayShortDate() { return today; }

void FakePlatform::endProgram() {
    calls.push_back("endProgram()");
    ended = true;
}

std::vector<std::string> FakePlatform::callsStartingWith(std::string_view prefix) const {
    std::vector<std::string> out;
    for (const auto& c : calls)
        if (std::string_view(c).substr(0, prefix.size()) == prefix) out.push_back(c);
    return out;
}

} // namespace kav::test
