// Finding the codes of colour choices in logbook bytes. A palette of a logbook
// grown over years reads tens of megabytes, so the line ends are found many
// bytes at a time and a line is looked at only when its length is that of
// the congratulation line or of a code.
#include "colour/ColourHistory.h"

#include "colour/WebForms.h"
#include "model/Cp1252.h"

#include <algorithm>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kav {

namespace {

// A line longer than this is neither a code nor the congratulation line, so
// the start of such a line is not kept while its end is awaited.
constexpr std::size_t kLongestWanted = 128;

constexpr std::size_t kCodeLength = 6;

// Where a colour's search in the hash set starts: Fibonacci hashing.
std::size_t slotOf(Colour c, std::size_t mask) { return static_cast<std::size_t>(c * 2654435761u) & mask; }

} // namespace

SelectionScanner::SelectionScanner() : message_(cp1252::encode(kNewCodeMessage)) {}

void SelectionScanner::line(std::string_view text, std::vector<Colour>& codes) {
    if (afterMessage_) {
        afterMessage_ = false;
        if (text.size() == kCodeLength)
            if (const std::optional<Colour> c = colourOfCode(text)) codes.push_back(*c);
    }
    // The congratulation line may itself stand where a code was awaited; its
    // own code then follows it.
    if (text.size() == message_.size() && text == message_) afterMessage_ = true;
}

// A line ends at `end` (a CR or LF) and started at `begin`, or in the carry
// when `begin` is null.
void SelectionScanner::lineEnd(const char* begin, const char* end, std::vector<Colour>& codes) {
    if (begin)
        line(std::string_view(begin, static_cast<std::size_t>(end - begin)), codes);
    else
        line(carryTooLong_ ? std::string_view() : std::string_view(carry_), codes);
    carry_.clear();
    carryTooLong_ = false;
    inLine_ = false;
}

void SelectionScanner::feed(std::string_view bytes, std::vector<Colour>& codes) {
    const char* p = bytes.data();
    const std::size_t n = bytes.size();
    if (n == 0) return;
    // The line under way starts in the carry until the first line end, or
    // after the LF that finishes a CR LF pair begun in the last bytes.
    const char* lineStart = inLine_ ? nullptr : p + (crLast_ && p[0] == '\n' ? 1 : 0);
    // Byte k ends a line: a CR, or an LF that is not the second byte of a
    // CR LF pair. The next line starts after the whole pair.
    auto endAt = [&](std::size_t k) {
        if (!lineStart) {
            keep(p, k);
            lineEnd(nullptr, nullptr, codes);
        } else if (afterMessage_ || static_cast<std::size_t>(p + k - lineStart) == message_.size()) {
            lineEnd(lineStart, p + k, codes);
        }
        lineStart = p + k + (p[k] == '\r' && k + 1 < n && p[k + 1] == '\n' ? 2 : 1);
    };
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixty-four bytes at a time, one bit a byte: most lines are shorter, so
    // a block holds a line end or two and the loop turns once per line.
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    auto bits = [](__m128i block, __m128i byte) {
        return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, byte))));
    };
    for (; i + 64 <= n; i += 64) {
        std::uint64_t crBits = 0, lfBits = 0;
        for (std::size_t q = 0; q < 4; ++q) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 16 * q));
            crBits |= bits(block, cr) << (16 * q);
            lfBits |= bits(block, lf) << (16 * q);
        }
        if ((crBits | lfBits) == 0) continue;
        const std::uint64_t crBefore = (crBits << 1) | static_cast<std::uint64_t>(i > 0 ? p[i - 1] == '\r' : crLast_);
        for (std::uint64_t ends = crBits | (lfBits & ~crBefore); ends != 0; ends &= ends - 1)
            endAt(i + static_cast<std::size_t>(std::countr_zero(ends)));
    }
#endif
    for (; i < n; ++i)
        if (p[i] == '\r' || (p[i] == '\n' && !(i > 0 ? p[i - 1] == '\r' : crLast_))) endAt(i);
    crLast_ = p[n - 1] == '\r';
    // What follows the last line end is the start of a line still under way.
    const char* rest = lineStart ? lineStart : p;
    if (rest >= p + n) return;
    inLine_ = true;
    keep(rest, static_cast<std::size_t>(p + n - rest));
}

void SelectionScanner::keep(const char* begin, std::size_t size) {
    if (carryTooLong_ || carry_.size() + size > kLongestWanted) {
        carryTooLong_ = true;
        carry_.clear();
    } else {
        carry_.append(begin, size);
    }
}

void SelectionScanner::finish(std::vector<Colour>& codes) {
    if (inLine_) lineEnd(nullptr, nullptr, codes);
}

DistinctColours::DistinctColours() : seen_(64, kFree) {}

void DistinctColours::add(Colour c) {
    c &= 0xFFFFFFu;
    // Open addressing in a table at most half full; a user chooses hundreds
    // of colours, not millions, so it stays small and in the cache.
    const std::size_t mask = seen_.size() - 1;
    for (std::size_t i = slotOf(c, mask);; i = (i + 1) & mask) {
        if (seen_[i] == c) return;
        if (seen_[i] == kFree) {
            seen_[i] = c;
            break;
        }
    }
    colours_.push_back(c);
    if (2 * colours_.size() > seen_.size()) {
        seen_.assign(2 * seen_.size(), kFree);
        const std::size_t bigger = seen_.size() - 1;
        for (Colour old : colours_) {
            std::size_t i = slotOf(old, bigger);
            while (seen_[i] != kFree)
                i = (i + 1) & bigger;
            seen_[i] = old;
        }
    }
}

void RecentColours::add(Colour c) {
    const auto old = std::find(colours_.begin(), colours_.end(), c);
    if (old != colours_.end()) colours_.erase(old);
    colours_.insert(colours_.begin(), c);
    // A colour pushed out returns only when chosen again, which puts it first.
    if (colours_.size() > kKept) colours_.pop_back();
}

const std::vector<Colour>& RecentSelections::of(const LineStore& lines) {
    if (lines.byteSize() > scanned_) {
        // Every line of the store ends in CR LF, so the bytes seen so far end
        // where a line does and the scanner needs no finish.
        const SharedBytes bytes = lines.snapshot();
        std::uint64_t skip = scanned_;
        for (std::string_view view : bytes.views()) {
            if (skip >= view.size()) {
                skip -= view.size();
                continue;
            }
            view.remove_prefix(static_cast<std::size_t>(skip));
            skip = 0;
            scanner_.feed(view, found_);
        }
        scanned_ = lines.byteSize();
        for (Colour c : found_)
            recent_.add(c);
        found_.clear();
    }
    return recent_.newestFirst();
}

} // namespace kav
