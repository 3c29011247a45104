#pragma once
// The program's journal messages, as UTF-8 (in the list) and as the bytes the
// logbook file holds for them (Windows-1252: "ä" is 0xE4), for the tests of
// the colour tool, the journal chains and start-up.

#include "tests/support/ProgramFixture.h"

#include <string>

namespace kav::test {

inline const std::string kCongratulation =
    "Vendel Hagmarks loggbok, Special.  Gratulera !!   Din nya färg kod blev..  =";
inline const std::string kCongratulationBytes =
    "Vendel Hagmarks loggbok, Special.  Gratulera !!   Din nya f\xE4rg kod blev..  =";
inline const std::string kCopied = "Användaren har tryck på knappen eller menyn:  Kopiera till Klipp-Minnet";
inline const std::string kCopiedBytes = "Anv\xE4ndaren har tryck p\xE5 knappen eller menyn:  Kopiera till Klipp-Minnet";
inline const std::string kCleared = "Användaren har tryck på knappen  'Rensa klippminnet..";
inline const std::string kClearedBytes = "Anv\xE4ndaren har tryck p\xE5 knappen  'Rensa klippminnet..";
inline const std::string kWelcome = "Välkommen till Vendel Hagmarks loggbok  i Skarnvik";
inline const std::string kWelcomeBytes = "V\xE4lkommen till Vendel Hagmarks loggbok  i Skarnvik";

} // namespace kav::test
