// The code box's context menu and tooltip: the code in every web form, the
// colours chosen before, the nearest named colour and the code's contrast. A choice only puts a text
// on the clipboard; the copy commands keep their captions, lamps and journal
// line to themselves.
#include "colour/ColourHistory.h"
#include "colour/Contrast.h"
#include "colour/HexRGB.h"
#include "colour/NamedColours.h"
#include "colour/WebForms.h"
#include "forms/main/frmMain.h"

#include <cstdint>

namespace kav {

constexpr std::string_view kHistoryMenu = "Tidigare färger";

std::vector<CopyOffer> frmMain::copyOffers(std::string_view control) const {
    if (control != txtColor.name()) return {};
    // The forms come from the code the box shows, as every copy does.
    const std::optional<Colour> colour = colourOfCode(txtColor.Text.get());
    std::vector<CopyOffer> offers;
    for (const WebFormRow& form : webForms()) {
        // A form without a text for this colour (a short form) is greyed.
        const std::optional<std::string> text = colour ? form.write(*colour) : std::nullopt;
        offers.push_back({.caption = "Kopiera som " + (text ? *text : std::string(form.caption)),
                          .text = text.value_or(std::string()),
                          .enabled = text.has_value()});
    }

    // The codes of the last colour choices that List1 holds, newest first,
    // each as the code box shows a code. The list is read, never the file.
    const std::vector<Colour>& recent = recentSelections_.of(List1.store());
    for (Colour c : recent) {
        const std::string code = HexRGB(static_cast<std::int32_t>(c));
        offers.push_back({.caption = code, .text = code, .submenu = std::string(kHistoryMenu)});
    }
    if (recent.empty())
        offers.push_back({.caption = "Inga färger valda ännu", .enabled = false, .submenu = std::string(kHistoryMenu)});

    if (colour) {
        // Plain items, in the menu's own text colour: a verdict on
        // readability must itself be readable, which a greyed item is not.
        // First, for web authors who think in names: "närmast: darkorange",
        // or "exakt: orange" when the code is that name's colour.
        const NearestName name = nearestName(*colour);
        const std::string nameLine = (name.exact ? "exakt: " : "närmast: ") + std::string(name.name);
        for (std::string line : {nameLine, contrastLine(*colour), normalTextLine(*colour)})
            offers.push_back({.caption = std::move(line), .note = true});
    }
    return offers;
}

void frmMain::takeCopyOffer(std::string_view control, std::size_t index) {
    const std::vector<CopyOffer> offers = copyOffers(control);
    if (index < offers.size() && offers[index].enabled && !offers[index].note)
        platform().clipboardSetText(offers[index].text);
}

} // namespace kav
