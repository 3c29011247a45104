// Splitting the logbook file into lines and joining entries into a file. The
// search for line ends looks at eight bytes at a time, because a start-up may
// load a logbook of tens of thousands of lines.
#include "logbook/LogbookFormat.h"

#include "model/Cp1252.h"

#include <cstdint>
#include <cstring>

namespace kav::logbook {

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

// True when a byte of `word` is below 0x0E, which CR (0x0D) and LF (0x0A)
// are. Ordinary text has no such bytes, so most words are passed over with
// this one test.
constexpr bool hasControlByte(std::uint64_t word) { return ((word - kOnes * 0x0E) & ~word & kHighBits) != 0; }

// Position of the first CR or LF in p[0..n), or n.
std::size_t findLineEnd(const unsigned char* p, std::size_t n) {
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, p + i, sizeof word);
        if (!hasControlByte(word)) continue;
        for (std::size_t k = i; k < i + 8; ++k)
            if (p[k] == '\r' || p[k] == '\n') return k;
    }
    for (; i < n; ++i)
        if (p[i] == '\r' || p[i] == '\n') return i;
    return n;
}

// Splits off the first line of `rest` and returns it without its line end.
// `rest` must not be empty.
std::string_view takeLine(std::string_view& rest) {
    const std::size_t end = findLineEnd(reinterpret_cast<const unsigned char*>(rest.data()), rest.size());
    const std::string_view line = rest.substr(0, end);
    if (end == rest.size()) {
        rest = {};
    } else {
        const bool crLf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
        rest.remove_prefix(end + (crLf ? 2 : 1));
    }
    return line;
}

} // namespace

bool EntryReader::next(std::string& entry) {
    if (rest_.empty()) return false;
    const std::string_view line = takeLine(rest_);
    if (line.empty()) {
        entry.clear();
        return true;
    }
    const std::size_t room = line.size() * cp1252::kMaxDecodedSize;
    if (scratch_.size() < room) scratch_.resize(room);
    entry.assign(scratch_.data(), cp1252::decodeInto(line, scratch_.data()));
    return true;
}

std::size_t countEntries(std::string_view fileBytes) {
    std::size_t count = 0;
    while (!fileBytes.empty()) {
        takeLine(fileBytes);
        ++count;
    }
    return count;
}

std::vector<std::string> decodeEntries(std::string_view fileBytes) {
    std::vector<std::string> entries;
    entries.reserve(countEntries(fileBytes));
    EntryReader reader(fileBytes);
    std::string entry;
    while (reader.next(entry))
        entries.push_back(entry);
    return entries;
}

LineImage indexLines(std::string fileBytes) {
    LineImage image;
    const auto* p = reinterpret_cast<const unsigned char*>(fileBytes.data());
    const std::size_t n = fileBytes.size();
    std::size_t pos = 0;
    bool crLfOnly = true;
    bool endsWithLineEnd = true;
    while (pos < n) {
        const std::size_t end = pos + findLineEnd(p + pos, n - pos);
        image.starts.push_back(pos);
        if (end == n) {
            endsWithLineEnd = false;
            break;
        }
        if (p[end] != '\r' || end + 1 == n || p[end + 1] != '\n') {
            crLfOnly = false;
            break;
        }
        pos = end + 2;
    }
    if (crLfOnly) {
        // Only the last line may lack its line end; it gets one in place.
        if (!endsWithLineEnd) fileBytes.append("\r\n");
        image.bytes = std::move(fileBytes);
        return image;
    }

    // Lone CR or LF: the lines are copied with CR LF after each.
    image.starts.clear();
    image.bytes.reserve(n + n / 8 + 2);
    std::string_view rest(fileBytes);
    while (!rest.empty()) {
        image.starts.push_back(image.bytes.size());
        image.bytes.append(takeLine(rest));
        image.bytes.append("\r\n");
    }
    return image;
}

std::string encodeEntries(const std::vector<std::string>& entries) {
    // Encoding never makes an entry longer, so the sum of the entries' sizes
    // plus two bytes each is room enough; the unused tail is cut at the end.
    std::size_t room = 0;
    for (const std::string& entry : entries)
        room += entry.size() + 2;
    std::string bytes(room, '\0');
    char* out = bytes.data();
    std::size_t used = 0;
    for (const std::string& entry : entries) {
        used += cp1252::encodeInto(entry, out + used);
        out[used++] = '\r';
        out[used++] = '\n';
    }
    bytes.resize(used);
    return bytes;
}

} // namespace kav::logbook
