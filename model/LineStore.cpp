// The list box's lines as file bytes and a line index.
#include "model/LineStore.h"

#include "model/Cp1252.h"

#include <algorithm>

namespace kav {

namespace {

// Room for appended lines is taken in blocks of this size, or of one line
// when a line is larger, so a line never spans two blocks.
constexpr std::size_t kBlock = std::size_t{256} << 10;

} // namespace

// A block of bytes: a loaded file image, never changed after it was added,
// or room that appended lines fill from the front. Bytes below `used` are
// never written again, which is what lets a snapshot share them.
struct LineStore::Chunk {
    std::string image;
    std::unique_ptr<char[]> room;
    std::size_t capacity = 0;
    std::size_t used = 0;

    const char* data() const { return room ? room.get() : image.data(); }
};

LineStore::LineStore() = default;
LineStore::~LineStore() = default;

const LineStore::Chunk& LineStore::chunkHolding(std::uint64_t offset, std::uint64_t& chunkBegin) const {
    const auto it = std::upper_bound(chunkBegins_.begin(), chunkBegins_.end(), offset);
    const auto index = static_cast<std::size_t>(it - chunkBegins_.begin()) - 1;
    chunkBegin = chunkBegins_[index];
    return *chunks_[index];
}

std::string_view LineStore::bytes(std::size_t i) const {
    const std::uint64_t begin = starts_[i];
    const std::uint64_t end = (i + 1 < starts_.size() ? starts_[i + 1] : size_) - 2;
    std::uint64_t chunkBegin = 0;
    const Chunk& chunk = chunkHolding(begin, chunkBegin);
    return {chunk.data() + (begin - chunkBegin), static_cast<std::size_t>(end - begin)};
}

std::string LineStore::text(std::size_t i, std::size_t maxChars) const {
    std::string_view line = bytes(i);
    if (line.size() > maxChars) line = line.substr(0, maxChars);
    return cp1252::decode(line);
}

void LineStore::append(std::string_view utf8) {
    // Encoding never makes a line longer, so its UTF-8 size bounds the room.
    const std::size_t need = utf8.size() + 2;
    Chunk* tail = chunks_.empty() ? nullptr : chunks_.back().get();
    if (!tail || !tail->room || tail->capacity - tail->used < need) {
        auto fresh = std::make_shared<Chunk>();
        fresh->capacity = std::max(kBlock, need);
        fresh->room = std::make_unique_for_overwrite<char[]>(fresh->capacity);
        chunks_.push_back(std::move(fresh));
        chunkBegins_.push_back(size_);
        tail = chunks_.back().get();
    }
    char* out = tail->room.get() + tail->used;
    std::size_t n = cp1252::encodeInto(utf8, out);
    out[n++] = '\r';
    out[n++] = '\n';
    tail->used += n;
    starts_.push_back(size_);
    size_ += n;
}

void LineStore::appendImage(std::string image, std::vector<std::uint64_t> starts) {
    if (image.empty()) return;
    auto chunk = std::make_shared<Chunk>();
    chunk->used = image.size();
    chunk->capacity = image.size();
    chunk->image = std::move(image);
    if (starts_.empty()) {
        // A load into an empty list, as at start-up: the index becomes the
        // list's own.
        starts_ = std::move(starts);
    } else {
        starts_.reserve(starts_.size() + starts.size());
        for (std::uint64_t s : starts)
            starts_.push_back(size_ + s);
    }
    chunkBegins_.push_back(size_);
    size_ += chunk->used;
    chunks_.push_back(std::move(chunk));
}

SharedBytes LineStore::snapshot() const {
    SharedBytes bytes;
    for (const auto& chunk : chunks_)
        bytes.append(chunk, std::string_view(chunk->data(), chunk->used));
    return bytes;
}

} // namespace kav
