// The code box's context menu and tooltip: the code in every web form, each
// copied as it stands. Only the clipboard changes; the copy commands keep
// their captions, lamps and journal line to themselves.
#include "colour/WebForms.h"
#include "forms/frmMain.h"

namespace kav {

namespace {

// What each item is called while the box holds no code.
std::string_view placeholder(WebForm form) {
    switch (form) {
    case WebForm::Hex: return "#RRGGBB";
    case WebForm::HexLower: return "#rrggbb";
    case WebForm::Short: return "#RGB";
    case WebForm::Rgb: return "rgb(r, g, b)";
    case WebForm::Hsl: return "hsl(h, s%, l%)";
    }
    return {};
}

} // namespace

std::vector<CopyOffer> frmMain::copyOffers(std::string_view control) const {
    if (control != txtColor.name()) return {};
    // The forms come from the code the box shows, as every copy does.
    const std::optional<Colour> colour = colourOfCode(txtColor.Text.get());
    std::vector<CopyOffer> offers;
    for (WebForm form : kWebForms) {
        CopyOffer o;
        // The short form is offered only where the colour has one.
        const bool has = colour && (form != WebForm::Short || shortHex(*colour));
        o.enabled = has;
        if (has) o.text = webForm(*colour, form);
        o.caption = "Kopiera som " + (has ? o.text : std::string(placeholder(form)));
        offers.push_back(std::move(o));
    }
    return offers;
}

void frmMain::takeCopyOffer(std::string_view control, std::size_t index) {
    const std::vector<CopyOffer> offers = copyOffers(control);
    if (index < offers.size() && offers[index].enabled) platform().clipboardSetText(offers[index].text);
}

} // namespace kav
