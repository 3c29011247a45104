// Splitting the logbook file into lines. The
// searches for line ends look at many bytes at a time, because a start-up may
// load a logbook of a million lines.
#include "logbook/LogbookFormat.h"

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Finds the lines of a file in which every line ends in CR LF, but perhaps
// the last, which may have no line end at all, and tells `marks` where each
// line after the first starts. Returns false at the first lone CR or LF.
// Sixteen bytes are looked at with one comparison for each of the two
// line-end bytes, since a grown logbook holds tens of millions of bytes and
// this pass is most of what its loading costs.
bool findCrLfLines(const unsigned char* p, std::size_t n, LineMarks& marks) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i + 16 <= n; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const auto crBits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, cr)));
        const auto lfBits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, lf)));
        if ((crBits | lfBits) == 0) continue;
        // Inside the block every CR has an LF right after it and every LF a
        // CR right before it; a pair may also straddle the block's edges.
        if (((crBits << 1) & 0xFFFFu) != (lfBits & ~1u)) return false;
        if ((lfBits & 1u) != 0 && (i == 0 || p[i - 1] != '\r')) return false;
        if ((crBits & 0x8000u) != 0 && (i + 16 >= n || p[i + 16] != '\n')) return false;
        for (unsigned bits = lfBits; bits != 0; bits &= bits - 1) {
            const std::size_t next = i + static_cast<std::size_t>(std::countr_zero(bits)) + 1;
            if (next < n) marks.lineStartsAt(next);
        }
    }
#endif
    for (; i < n; ++i) {
        if (p[i] == '\n') {
            if (i == 0 || p[i - 1] != '\r') return false;
            if (i + 1 < n) marks.lineStartsAt(i + 1);
        } else if (p[i] == '\r') {
            if (i + 1 == n || p[i + 1] != '\n') return false;
        }
    }
    return true;
}

} // namespace

LineImage indexLines(std::string fileBytes) {
    LineImage image;
    const std::size_t n = fileBytes.size();
    if (n == 0) return image;
    image.marks.lineStartsAt(0);
    if (findCrLfLines(reinterpret_cast<const unsigned char*>(fileBytes.data()), n, image.marks)) {
        // A last line without a line end gets one in place.
        if (fileBytes.back() != '\n') fileBytes.append("\r\n");
        image.bytes = std::move(fileBytes);
        return image;
    }

    // Lone CR or LF: the lines are copied with CR LF after each.
    image.marks.clear();
    image.bytes.reserve(n + n / 8 + 2);
    std::string_view rest(fileBytes);
    while (!rest.empty()) {
        image.marks.lineStartsAt(image.bytes.size());
        image.bytes.append(takeLine(rest));
        image.bytes.append("\r\n");
    }
    return image;
}

} // namespace kav::logbook
