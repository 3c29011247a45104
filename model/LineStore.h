#pragma once
// The lines of a list box, kept the way the logbook file holds them: the
// Windows-1252 bytes of every line followed by CR LF, in buffers that are only
// ever appended to. Appending a line encodes that line alone, a loaded file
// becomes one buffer just as it was read, a line is decoded only when someone
// asks for its text, and a snapshot of all bytes so far costs a few shared
// pointers whatever the size.
//
// Where lines start is known for every appended line, and for a loaded file
// at marks: every 16th line, and sooner after a few kilobytes, so finding a
// line means a short search from the mark before it. A million loaded lines
// need no index of a million entries, which would cost more to build than the
// search for their line ends.
//
// One thread changes the store. A snapshot may be read on another thread
// while the store grows: bytes once written are never written again.

#include "model/SharedBytes.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kav {

// A line of a file image that the store can find without a search: its
// number and where its bytes start, both counted from the image's beginning.
struct LineMark {
    std::size_t line = 0;
    std::uint64_t offset = 0;
};

// Collects the marks of a file image while its lines are found, in order.
class LineMarks {
public:
    static constexpr std::size_t kLines = 16;
    static constexpr std::uint64_t kBytes = 4096;

    // Called for every line of the image, in order, with where it starts.
    void lineStartsAt(std::uint64_t offset) {
        if (lines_ == 0 || lines_ - marks_.back().line >= kLines || offset - marks_.back().offset >= kBytes)
            marks_.push_back({lines_, offset});
        ++lines_;
    }
    std::size_t lines() const { return lines_; }
    std::vector<LineMark> takeMarks() { return std::move(marks_); }
    void clear() {
        marks_.clear();
        lines_ = 0;
    }

private:
    std::vector<LineMark> marks_;
    std::size_t lines_ = 0;
};

class LineStore {
public:
    static constexpr std::size_t kWhole = static_cast<std::size_t>(-1);

    LineStore();
    ~LineStore();
    LineStore(const LineStore&) = delete;
    LineStore& operator=(const LineStore&) = delete;
    LineStore(LineStore&&) noexcept;
    LineStore& operator=(LineStore&&) noexcept;

    std::size_t count() const { return count_; }
    // Line i's bytes without its CR LF. i must be below count().
    std::string_view bytes(std::size_t i) const;
    // Line i as UTF-8, or its first `maxChars` characters (one per byte).
    std::string text(std::size_t i, std::size_t maxChars = kWhole) const;

    // Appends one line given as UTF-8.
    void append(std::string_view utf8);
    // Appends the lines of a file image: `image` holds every line's bytes
    // followed by CR LF, no line holds a CR or LF of its own, and `marks`
    // were collected from the image's lines. The image is kept as it is, not
    // copied.
    void appendImage(std::string image, LineMarks marks);
    // Puts the lines of a file image (as appendImage takes it) in place of
    // lines [first, end): the lines before and after keep their bytes. A
    // snapshot taken before still holds the lines it saw.
    void replaceLines(std::size_t first, std::size_t end, std::string image, LineMarks marks);
    // Counts the replacements, so a viewer that follows appends can tell
    // when its rows were replaced instead.
    std::size_t replacements() const { return replacements_; }

    // Where line i starts in the bytes of a snapshot; count() gives the end.
    std::uint64_t offsetOf(std::size_t i) const;
    // The bytes of the file that holds exactly these lines.
    std::uint64_t byteSize() const { return size_; }
    SharedBytes snapshot() const;

private:
    struct Chunk;
    // The lines one chunk holds; line numbers and offsets in `marks` count
    // from the chunk's own beginning. An appended line is always a mark.
    struct Part {
        std::size_t firstLine = 0;
        std::size_t lines = 0;
        std::vector<LineMark> marks;
    };

    // Appends a line given as UTF-8 to encode, or as the file's bytes.
    void appendLine(std::string_view line, bool encode);

    std::vector<std::shared_ptr<Chunk>> chunks_;
    std::vector<Part> parts_; // one for each chunk
    std::size_t count_ = 0;
    std::uint64_t size_ = 0;
    std::size_t replacements_ = 0;
};

} // namespace kav
