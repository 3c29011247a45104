// The code box's context menu and tooltip: the code in every web form, the
// colours chosen before, and the code's contrast. A choice only puts a text
// on the clipboard; the copy commands keep their captions, lamps and journal
// line to themselves.
#include "colour/ColourHistory.h"
#include "colour/Contrast.h"
#include "colour/HexRGB.h"
#include "colour/WebForms.h"
#include "forms/frmMain.h"

#include <cstdint>

namespace kav {

namespace {

constexpr std::string_view kHistoryMenu = "Tidigare färger";

} // namespace

std::vector<CopyOffer> frmMain::copyOffers(std::string_view control) const {
    if (control != txtColor.name()) return {};
    // The forms come from the code the box shows, as every copy does.
    const std::optional<Colour> colour = colourOfCode(txtColor.Text.get());
    std::vector<CopyOffer> offers;
    for (const WebFormRow& form : webForms()) {
        CopyOffer o;
        // A form without a text for this colour (a short form) is greyed.
        const std::optional<std::string> text = colour ? form.write(*colour) : std::nullopt;
        o.enabled = text.has_value();
        if (text) o.text = *text;
        o.caption = "Kopiera som " + (text ? *text : std::string(form.caption));
        offers.push_back(std::move(o));
    }

    // The codes of the last colour choices that List1 holds, newest first,
    // each as the code box shows a code. The list is read, never the file.
    const std::vector<Colour>& recent = recentSelections_.of(List1.store());
    for (Colour c : recent) {
        CopyOffer o;
        o.text = HexRGB(static_cast<std::int32_t>(c));
        o.caption = o.text;
        o.submenu = kHistoryMenu;
        offers.push_back(std::move(o));
    }
    if (recent.empty()) {
        CopyOffer o;
        o.caption = "Inga färger valda ännu";
        o.enabled = false;
        o.submenu = kHistoryMenu;
        offers.push_back(std::move(o));
    }

    if (colour) {
        for (std::string line : {contrastLine(*colour), normalTextLine(*colour)}) {
            CopyOffer o;
            o.caption = std::move(line);
            o.enabled = false;
            o.note = true;
            offers.push_back(std::move(o));
        }
    }
    return offers;
}

void frmMain::takeCopyOffer(std::string_view control, std::size_t index) {
    const std::vector<CopyOffer> offers = copyOffers(control);
    if (index < offers.size() && offers[index].enabled) platform().clipboardSetText(offers[index].text);
}

} // namespace kav
