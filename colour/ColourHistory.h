#pragma once
// The colours chosen before, as the logbook keeps them: every colour choice
// writes the congratulation line and then the code as its own line. These
// classes find those codes in logbook bytes (Windows-1252, any line ends),
// fed in pieces of any size, and keep what the code box's menu and the
// palette want of them. A line after the congratulation that is not a code
// (an empty box, a line edited by hand) is passed over.

#include "model/Colour.h"
#include "model/LineStore.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kav {

// The journal line written before the code of every colour choice.
inline constexpr std::string_view kNewCodeMessage =
    "Vendel Hagmarks loggbok, Special.  Gratulera !!   Din nya färg kod blev..  =";

// Finds the codes of colour choices in a logbook's bytes. A CR LF, a lone CR
// and a lone LF each end a line, as when the logbook is loaded, and a last
// line without a line end counts too.
class SelectionScanner {
public:
    SelectionScanner();

    // Reads the next bytes of the file and appends the codes whose lines
    // end in them to `codes`, oldest first.
    void feed(std::string_view bytes, std::vector<Colour>& codes);
    // The end of the file: a last line without a line end is read.
    void finish(std::vector<Colour>& codes);

private:
    void line(std::string_view text, std::vector<Colour>& codes);
    void lineEnd(const char* begin, const char* end, std::vector<Colour>& codes);
    void keep(const char* begin, std::size_t size);

    std::string message_; // kNewCodeMessage in Windows-1252
    std::string carry_;   // the start of a line that has no end yet
    bool carryTooLong_ = false;
    bool inLine_ = false; // bytes seen since the last line end
    bool crLast_ = false; // the last byte fed was a CR
    bool afterMessage_ = false;
};

// Each colour once, in the order of its first choice: the palette.
class DistinctColours {
public:
    DistinctColours();
    void add(Colour c);
    const std::vector<Colour>& colours() const { return colours_; }

private:
    static constexpr Colour kFree = 0xFFFFFFFFu; // no colour value is this
    std::vector<Colour> seen_;                   // a hash set of the colours
    std::vector<Colour> colours_;
};

// The last kKept different colours chosen, newest first.
class RecentColours {
public:
    static constexpr std::size_t kKept = 8;
    void add(Colour c);
    const std::vector<Colour>& newestFirst() const { return colours_; }

private:
    std::vector<Colour> colours_;
};

// The recent colours of a list box that only grows, such as the logbook
// list: each call reads only the lines added since the last one.
class RecentSelections {
public:
    const std::vector<Colour>& of(const LineStore& lines);

private:
    SelectionScanner scanner_;
    RecentColours recent_;
    std::uint64_t scanned_ = 0;
    std::vector<Colour> found_;
};

} // namespace kav
