// The Windows-1252 conversion between the logbook file and the program's
// UTF-8 text, and the splitting of the file into entries.
#include "model/Cp1252.h"
#include "tests/unit/logbook_test_files.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using kav::cp1252::decode;
using kav::cp1252::encode;
using kav::test::entriesOf;

std::string byteString(unsigned b) { return std::string(1, static_cast<char>(b)); }

// Characters in a UTF-8 text: every byte that is not a continuation byte.
std::size_t characterCount(const std::string& utf8) {
    std::size_t n = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

TEST(Cp1252Codec, EveryByteExceptLineEndsReadsBackAndSavesUnchanged) {
    std::string all;
    for (unsigned b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n') all += byteString(b);
    EXPECT_EQ(encode(decode(all)), all);

    // Each byte on its own is one character, and no two bytes share one, so
    // nothing a file holds is merged or lost on the way through the list.
    std::set<std::string> characters;
    for (unsigned b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        const std::string text = decode(byteString(b));
        EXPECT_EQ(characterCount(text), 1u);
        EXPECT_TRUE(characters.insert(text).second);
        EXPECT_EQ(encode(text), byteString(b));
    }
}

TEST(Cp1252Codec, BytesBecomeTheCharactersOfTheCodePage) {
    EXPECT_EQ(decode("V\xE4lkommen"), "Välkommen");
    EXPECT_EQ(decode("\xE5\xE4\xF6\xC5\xC4\xD6"), "åäöÅÄÖ");
    EXPECT_EQ(decode("\x80\x85\x96\x9F"), "€…–Ÿ");
    // The five bytes the code page leaves unassigned keep their number.
    EXPECT_EQ(decode("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(decode(std::string("a\0b", 3)), std::string("a\0b", 3));

    EXPECT_EQ(encode("Användaren har tryck på knappen:  Stäng CD rom - CD Släde in.."),
              "Anv\xE4ndaren har tryck p\xE5 knappen:  St\xE4ng CD rom - CD Sl\xE4"
              "de in..");
    EXPECT_EQ(encode("€ ™ œ"), "\x80 \x99 \x9C");
}

TEST(Cp1252Codec, CharacterOutsideTheCodePageIsWrittenAsQuestionMark) {
    EXPECT_EQ(encode("漢字"), "??");
    EXPECT_EQ(encode("a😀b"), "a?b");
    EXPECT_EQ(encode("Ā"), "?"); // U+0100, just past the Latin-1 range
    // U+0080 is a C1 control that the code page does not hold (0x80 is the
    // euro sign), unlike the five unassigned ones above.
    EXPECT_EQ(encode("\u0080"), "?");
    EXPECT_EQ(encode("ö€漢x"), "\xF6\x80?x");
}

TEST(Cp1252Codec, EachBadUtf8SequenceIsWrittenAsOneQuestionMark) {
    struct Case {
        std::string text;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"\x80", "?"},      // continuation byte without a lead
        {"\xBF\x80", "??"}, // two of them
        {"\xC3", "?"},      // cut off at the end
        {"\xC3"
         "A",
         "?A"}, // cut off before ASCII
        {"\xE2\x82"
         "A",
         "?A"},                                // three-byte form cut off after two
        {"\xF0\x9F\x98", "?"},                 // four-byte form cut off after three
        {"\xC0\xAF", "??"},                    // overlong '/': C0 is never a lead
        {"\xE0\x80\x80", "???"},               // overlong three-byte form
        {"\xED\xA0\x80", "???"},               // a surrogate
        {"\xF4\x90\x80\x80", "????"},          // past U+10FFFF
        {"\xFF\xFE", "??"},                    // bytes that never occur in UTF-8
        {"\xC3\xA4\xC3", "\xE4?"},             // a good character, then a cut one
        {"x\xE2\x82\xACy\xE2\x82", "x\x80y?"}, // euro sign, then a cut one
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.text));
        EXPECT_EQ(encode(c.text), c.bytes);
    }
}

// The conversions work on eight bytes at a time; a non-ASCII byte or a bad
// sequence at any place of a word must still be found.
TEST(Cp1252Codec, SpecialBytesAreFoundAtEveryPositionOfALongText) {
    for (unsigned b : {0x00u, 0x80u, 0x81u, 0xE4u, 0xFFu}) {
        for (std::size_t at = 0; at < 24; ++at) {
            SCOPED_TRACE(::testing::Message() << "byte " << b << " at " << at);
            std::string bytes(40, 'x');
            bytes[at] = static_cast<char>(b);
            const std::string text = decode(bytes);
            EXPECT_EQ(text, std::string(at, 'x') + decode(byteString(b)) + std::string(39 - at, 'x'));
            EXPECT_EQ(encode(text), bytes);

            std::string bad(40, 'y');
            bad[at] = '\xC3'; // a lead byte followed by ASCII
            EXPECT_EQ(encode(bad), std::string(at, 'y') + "?" + std::string(39 - at, 'y'));
        }
    }
}

TEST(LogbookFormat, CrLfLoneCrAndLoneLfEachEndALine) {
    struct Case {
        std::string bytes;
        std::vector<std::string> entries;
    };
    using V = std::vector<std::string>;
    const std::vector<Case> cases = {
        {"", V{}},
        {"\r\n", V{""}},
        {"a\r\n", V{"a"}},
        {"a", V{"a"}},
        {"a\r\nb", V{"a", "b"}},
        {"a\r\n\r\n", V{"a", ""}},
        {"a\rb\r", V{"a", "b"}},
        {"a\nb\n", V{"a", "b"}},
        {"a\n\rb", V{"a", "", "b"}},
        {"\r\r\n", V{"", ""}},
        {"\n\n\n", V{"", "", ""}},
        {"one\r\ntwo\nthree\rfour", V{"one", "two", "three", "four"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.bytes));
        EXPECT_EQ(entriesOf(c.bytes), c.entries);
    }
}

TEST(LogbookFormat, LineEndsAreFoundAtEveryPositionOfAWord) {
    for (const std::string end : {"\r\n", "\r", "\n"}) {
        for (std::size_t at = 0; at < 20; ++at) {
            SCOPED_TRACE(::testing::Message() << ::testing::PrintToString(end) << " at " << at);
            const std::string first(at, 'a');
            const std::string second(17, 'b');
            const std::string bytes = first + end + second + end;
            EXPECT_EQ(entriesOf(bytes), (std::vector<std::string>{first, second}));
        }
    }
}

} // namespace
