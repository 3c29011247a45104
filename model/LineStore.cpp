// The list box's lines as file bytes, with the places lines start.
#include "model/LineStore.h"

#include "model/Cp1252.h"

#include <algorithm>
#include <cstring>

namespace kav {

namespace {

// Room for appended lines is taken in blocks of this size, or of one line
// when a line is larger, so a line never spans two blocks.
constexpr std::size_t kBlock = std::size_t{256} << 10;

// Where the line after the one starting at `begin` starts, in a chunk whose
// lines hold no LF but their last byte.
std::uint64_t nextLineStart(const char* base, std::uint64_t begin, std::uint64_t used) {
    const void* lf = std::memchr(base + begin, '\n', static_cast<std::size_t>(used - begin));
    return lf ? static_cast<std::uint64_t>(static_cast<const char*>(lf) - base) + 1 : used;
}

} // namespace

// A block of bytes: a loaded file image, never changed after it was added,
// or room that appended lines fill from the front. Bytes below `used` are
// never written again, which is what lets a snapshot share them.
struct LineStore::Chunk {
    std::shared_ptr<const std::string> image;
    std::unique_ptr<char[]> room;
    std::size_t capacity = 0;
    std::size_t used = 0;

    const char* data() const { return room ? room.get() : image->data(); }
};

LineStore::LineStore() = default;
LineStore::~LineStore() = default;
LineStore::LineStore(LineStore&&) noexcept = default;
LineStore& LineStore::operator=(LineStore&&) noexcept = default;

std::string_view LineStore::bytes(std::size_t i) const {
    const auto part = std::upper_bound(parts_.begin(), parts_.end(), i,
                                       [](std::size_t line, const Part& p) { return line < p.firstLine; }) -
                      1;
    const Chunk& chunk = *chunks_[static_cast<std::size_t>(part - parts_.begin())];
    const char* base = chunk.data();
    const std::size_t k = i - part->firstLine;
    const auto mark = std::upper_bound(part->marks.begin(), part->marks.end(), k,
                                       [](std::size_t line, const LineMark& m) { return line < m.line; }) -
                      1;
    std::uint64_t begin = mark->offset;
    for (std::size_t line = mark->line; line < k; ++line)
        begin = nextLineStart(base, begin, chunk.used);
    std::uint64_t next = 0;
    if (k + 1 == part->lines)
        next = chunk.used;
    else if (mark + 1 != part->marks.end() && (mark + 1)->line == k + 1)
        next = (mark + 1)->offset;
    else
        next = nextLineStart(base, begin, chunk.used);
    return {base + begin, static_cast<std::size_t>(next - 2 - begin)};
}

std::string LineStore::text(std::size_t i, std::size_t maxChars) const {
    std::string_view line = bytes(i);
    if (line.size() > maxChars) line = line.substr(0, maxChars);
    return cp1252::decode(line);
}

void LineStore::append(std::string_view utf8) { appendLine(utf8, /*encode=*/true); }

// Encoding never makes a line longer, so its size bounds the room. The lines
// kept around a replaced image are copied byte for byte, not decoded and
// encoded again, so every byte the file had stays what it was.
void LineStore::appendLine(std::string_view line, bool encode) {
    const std::size_t need = line.size() + 2;
    Chunk* tail = chunks_.empty() ? nullptr : chunks_.back().get();
    if (!tail || !tail->room || tail->capacity - tail->used < need) {
        auto fresh = std::make_shared<Chunk>();
        fresh->capacity = std::max(kBlock, need);
        fresh->room = std::make_unique_for_overwrite<char[]>(fresh->capacity);
        chunks_.push_back(std::move(fresh));
        parts_.push_back({count_, 0, {}});
        tail = chunks_.back().get();
    }
    Part& part = parts_.back();
    part.marks.push_back({part.lines, tail->used});
    char* out = tail->room.get() + tail->used;
    std::size_t n = encode ? cp1252::encodeInto(line, out) : line.copy(out, line.size());
    out[n++] = '\r';
    out[n++] = '\n';
    tail->used += n;
    ++part.lines;
    ++count_;
    size_ += n;
}

void LineStore::appendImage(std::string image, LineMarks marks) {
    if (image.empty() || marks.lines() == 0) return;
    auto chunk = std::make_shared<Chunk>();
    chunk->used = image.size();
    chunk->capacity = chunk->used;
    chunk->image = std::make_shared<const std::string>(std::move(image));
    parts_.push_back({count_, marks.lines(), marks.takeMarks()});
    count_ += marks.lines();
    size_ += chunk->used;
    chunks_.push_back(std::move(chunk));
}

void LineStore::replaceLines(std::size_t first, std::size_t end, std::string image, LineMarks marks) {
    LineStore fresh;
    for (std::size_t i = 0; i < first && i < count_; ++i)
        fresh.appendLine(bytes(i), /*encode=*/false);
    fresh.appendImage(std::move(image), std::move(marks));
    for (std::size_t i = end; i < count_; ++i)
        fresh.appendLine(bytes(i), /*encode=*/false);
    fresh.replacements_ = replacements_ + 1;
    *this = std::move(fresh);
}

std::uint64_t LineStore::offsetOf(std::size_t i) const {
    if (i >= count_) return size_;
    const auto part = std::upper_bound(parts_.begin(), parts_.end(), i,
                                       [](std::size_t line, const Part& p) { return line < p.firstLine; }) -
                      1;
    const auto index = static_cast<std::size_t>(part - parts_.begin());
    std::uint64_t before = 0;
    for (std::size_t c = 0; c < index; ++c)
        before += chunks_[c]->used;
    const Chunk& chunk = *chunks_[index];
    const std::string_view line = bytes(i);
    return before + static_cast<std::uint64_t>(line.data() - chunk.data());
}

SharedBytes LineStore::snapshot() const {
    SharedBytes bytes;
    for (const auto& chunk : chunks_)
        bytes.append(chunk, std::string_view(chunk->data(), chunk->used));
    return bytes;
}

} // namespace kav
