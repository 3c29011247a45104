// The colours chosen before, found in logbook bytes: the palette of a
// logbook with repeated, missing and malformed code lines, byte for byte,
// whatever pieces the bytes come in; and the last eight different colours.
#include "colour/ColourHistory.h"
#include "colour/Palette.h"
#include "journal_messages.h"

#include <gtest/gtest.h>

namespace kav::test {
namespace {

// A logbook as years of use and a text editor leave it.
const std::string kLogbook = "\r\n" + kWelcomeBytes + "\r\n" + //
                             kCongratulationBytes + "\r\nFF8000\r\n" + kCongratulationBytes +
                             "\r\n0c0b0a\r\n" +                                      // lower case
                             kCongratulationBytes + "\r\nFF8000\r\n" +               // repeated
                             kCongratulationBytes + "\r\n\r\n" +                     // empty code box
                             kCongratulationBytes + "\r\n" + kCopiedBytes + "\r\n" + // code line missing
                             kCongratulationBytes + "\r\nFF800\r\n" +                // too short
                             kCongratulationBytes + "\r\nFF8000 \r\n" +              // trailing space
                             kCongratulationBytes + "\r\nGG0000\r\n" +               // not hex
                             "123456\r\n" +                                          // no congratulation
                             kCongratulationBytes + "x\r\nABCDEF\r\n" +              // not the line
                             kCongratulationBytes + "\r\n" + kCongratulationBytes +  // two in a row
                             "\r\n00FF00\n" +                                        // a lone LF
                             kCongratulationBytes + "\r123456\r" +                   // lone CRs
                             std::string(5000, 'x') + "\r\n" +                       // a long line
                             kCongratulationBytes + "\r\n0000FF";                    // no last line end

std::vector<Colour> coloursIn(const std::string& bytes, std::size_t piece) {
    SelectionScanner scanner;
    DistinctColours distinct;
    std::vector<Colour> codes;
    for (std::size_t at = 0; at < bytes.size(); at += piece)
        scanner.feed(std::string_view(bytes).substr(at, piece), codes);
    scanner.finish(codes);
    for (Colour c : codes)
        distinct.add(c);
    return distinct.colours();
}

TEST(ColourHistory, PaletteOfAWornLogbookInEveryFormatWhateverThePieces) {
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"gpl", "GIMP Palette\nName: Kavrilon\n255 128 0\tFF8000\n12 11 10\t0C0B0A\n0 255 0\t00FF00\n"
                "18 52 86\t123456\n0 0 255\t0000FF\n"},
        {"css", ":root {\n  --kavrilon-1: #FF8000;\n  --kavrilon-2: #0C0B0A;\n  --kavrilon-3: #00FF00;\n"
                "  --kavrilon-4: #123456;\n  --kavrilon-5: #0000FF;\n}\n"},
        {"hex", "FF8000\n0C0B0A\n00FF00\n123456\n0000FF\n"},
    };
    for (std::size_t piece :
         {std::size_t{1}, std::size_t{2}, std::size_t{7}, std::size_t{16}, std::size_t{77}, kLogbook.size()}) {
        const std::vector<Colour> colours = coloursIn(kLogbook, piece);
        for (const auto& [format, bytes] : expected) {
            const PaletteFormatRow* row = paletteFormatNamed(format);
            ASSERT_NE(row, nullptr) << format;
            EXPECT_EQ(row->write(colours), bytes) << format << " in pieces of " << piece;
        }
    }
}

TEST(ColourHistory, AnEmptyLogbookGivesAnEmptyPalette) {
    for (const PaletteFormatRow& row : paletteFormats())
        EXPECT_EQ(row.write(coloursIn("", 1)), row.write({})) << row.name;
    EXPECT_TRUE(coloursIn(kCongratulationBytes + "\r\n", 3).empty());
}

TEST(ColourHistory, DistinctKeepsEachColourOnceInTheOrderOfItsFirstChoice) {
    DistinctColours distinct;
    std::vector<Colour> expected;
    for (int round = 0; round < 2; ++round)
        for (Colour c = 0; c < 3000; ++c) {
            const Colour colour = (c * 40503u) & 0xFFFFFFu;
            distinct.add(colour);
            if (round == 0) expected.push_back(colour);
        }
    EXPECT_EQ(distinct.colours(), expected);
}

TEST(ColourHistory, RecentKeepsTheLastEightDifferentNewestFirst) {
    RecentColours recent;
    for (Colour c : {1u, 2u, 3u, 1u, 4u, 5u, 6u, 7u, 8u, 9u, 10u, 2u, 9u})
        recent.add(c);
    EXPECT_EQ(recent.newestFirst(), (std::vector<Colour>{9, 2, 10, 8, 7, 6, 5, 4}));
}

} // namespace
} // namespace kav::test
