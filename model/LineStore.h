#pragma once
// The lines of a list box, kept the way the logbook file holds them: the
// Windows-1252 bytes of every line followed by CR LF, in buffers that are only
// ever appended to, and the offset where each line starts. Appending a line
// encodes that line alone, a loaded file becomes one buffer just as it was
// read, a line is decoded only when someone asks for its text, and a snapshot
// of all bytes so far costs a few shared pointers whatever the size.
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

class LineStore {
public:
    static constexpr std::size_t kWhole = static_cast<std::size_t>(-1);

    LineStore();
    ~LineStore();
    LineStore(const LineStore&) = delete;
    LineStore& operator=(const LineStore&) = delete;

    std::size_t count() const { return starts_.size(); }
    // Line i's bytes without its CR LF. i must be below count().
    std::string_view bytes(std::size_t i) const;
    // Line i as UTF-8, or its first `maxChars` characters (one per byte).
    std::string text(std::size_t i, std::size_t maxChars = kWhole) const;

    // Appends one line given as UTF-8.
    void append(std::string_view utf8);
    // Appends the lines of a file image: `image` holds every line's bytes
    // followed by CR LF, and `starts` the offset of each line in it, rising
    // from 0. Neither is copied.
    void appendImage(std::string image, std::vector<std::uint64_t> starts);

    // The bytes of the file that holds exactly these lines.
    std::uint64_t byteSize() const { return size_; }
    SharedBytes snapshot() const;

private:
    struct Chunk;
    const Chunk& chunkHolding(std::uint64_t offset, std::uint64_t& chunkBegin) const;

    std::vector<std::shared_ptr<Chunk>> chunks_;
    std::vector<std::uint64_t> chunkBegins_; // where each chunk's bytes begin in the file
    std::vector<std::uint64_t> starts_;      // where each line begins in the file
    std::uint64_t size_ = 0;
};

} // namespace kav
