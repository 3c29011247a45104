// Table-driven Windows-1252 conversion. Both directions pass over ASCII eight
// bytes at a time and only look closer at the other bytes, since the logbook
// is mostly ASCII with a few Swedish letters.
#include "model/Cp1252.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace kav::cp1252 {

namespace {

// The characters of the bytes 0x80 to 0x9F. The rest of the code page is the
// same as the first 256 Unicode characters.
constexpr std::array<char32_t, 32> kC1Range = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

struct Utf8Char {
    std::array<char, 3> bytes{};
    std::uint8_t size = 0;
};

constexpr char32_t toCodePoint(unsigned byte) {
    return byte >= 0x80 && byte < 0xA0 ? kC1Range[byte - 0x80] : static_cast<char32_t>(byte);
}

constexpr std::array<Utf8Char, 256> makeDecodeTable() {
    std::array<Utf8Char, 256> table{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        char32_t cp = toCodePoint(byte);
        Utf8Char& u = table[byte];
        u.size = cp < 0x80 ? 1 : cp < 0x800 ? 2 : 3;
        // Six bits to each continuation byte from the last; the lead byte
        // takes the rest with the mark of the length (none for ASCII).
        for (unsigned k = u.size - 1u; k > 0; --k, cp >>= 6)
            u.bytes[k] = static_cast<char>(0x80 | (cp & 0x3F));
        u.bytes[0] = static_cast<char>(cp | (u.size == 1 ? 0x00 : u.size == 2 ? 0xC0 : 0xE0));
    }
    return table;
}

constexpr std::array<Utf8Char, 256> kDecode = makeDecodeTable();

// The byte of a character from U+0080 on, or "?" when the code page lacks it.
// Characters past U+00FF are rare in a logbook, so a plain search serves.
char fromCodePoint(char32_t cp) {
    if (cp >= 0xA0 && cp <= 0xFF) return static_cast<char>(cp);
    for (unsigned i = 0; i < kC1Range.size(); ++i)
        if (kC1Range[i] == cp) return static_cast<char>(0x80 + i);
    return '?';
}

constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

// Index of the first byte (in memory order) whose high bit is set in `marks`,
// which holds only high bits and is not zero.
inline std::size_t firstMarkedByte(std::uint64_t marks) {
    if constexpr (std::endian::native == std::endian::little)
        return static_cast<std::size_t>(std::countr_zero(marks)) / 8;
    else
        return static_cast<std::size_t>(std::countl_zero(marks)) / 8;
}

inline void putUtf8(const Utf8Char& u, char* out, std::size_t& o) {
    std::memcpy(out + o, u.bytes.data(), 3);
    o += u.size;
}

// Stores the eight bytes at `in` to `out` and returns how many of them, from
// the first, are ASCII: 8 when all are.
std::size_t copyAsciiRun(const unsigned char* in, char* out) {
    std::uint64_t word;
    std::memcpy(&word, in, sizeof word);
    std::memcpy(out, &word, sizeof word);
    const std::uint64_t high = word & kHighBits;
    return high ? firstMarkedByte(high) : 8;
}

} // namespace

// Both conversions read eight bytes at a time and store all eight, then keep
// only the ASCII bytes in front of the first other byte; the rest of the store
// is overwritten later. The stores stay inside the room the callers give:
// before input byte i at most 3i bytes (decoding) or i bytes (encoding) are
// written, and a word is only read while eight input bytes remain. Likewise a
// decoded character always stores three bytes and counts its real size.

std::size_t decodeInto(std::string_view bytes, char* out) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    std::size_t o = 0;
    while (i + 8 <= n) {
        const std::size_t ascii = copyAsciiRun(p + i, out + o);
        i += ascii;
        o += ascii;
        if (ascii < 8) putUtf8(kDecode[p[i++]], out, o);
    }
    for (; i < n; ++i)
        putUtf8(kDecode[p[i]], out, o);
    return o;
}

std::size_t encodeInto(std::string_view text, char* out) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    std::size_t o = 0;
    while (i < n) {
        if (i + 8 <= n) {
            const std::size_t ascii = copyAsciiRun(p + i, out + o);
            i += ascii;
            o += ascii;
            if (ascii == 8) continue;
        } else if (p[i] < 0x80) {
            out[o++] = static_cast<char>(p[i++]);
            continue;
        }

        // A lead byte gives the number of continuation bytes and the range the
        // first of them must fall in, which rules out overlong forms,
        // surrogates and values past U+10FFFF. An incomplete sequence is
        // replaced as far as it was valid (one "?"), and reading goes on at
        // the byte that broke it.
        const unsigned lead = p[i];
        const unsigned need = lead < 0xC2 || lead > 0xF4 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        if (need == 0) {
            out[o++] = '?';
            ++i;
            continue;
        }
        char32_t cp = lead & (0x3Fu >> need);
        unsigned lo = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
        unsigned hi = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
        std::size_t j = i + 1;
        bool complete = true;
        for (unsigned k = 0; k < need; ++k, ++j) {
            if (j >= n || p[j] < lo || p[j] > hi) {
                complete = false;
                break;
            }
            cp = (cp << 6) | (p[j] & 0x3F);
            lo = 0x80;
            hi = 0xBF;
        }
        out[o++] = complete ? fromCodePoint(cp) : '?';
        i = j;
    }
    return o;
}

std::string decode(std::string_view bytes) {
    std::string out(bytes.size() * 3, '\0');
    out.resize(decodeInto(bytes, out.data()));
    return out;
}

std::string encode(std::string_view text) {
    std::string out(text.size(), '\0');
    out.resize(encodeInto(text, out.data()));
    return out;
}

} // namespace kav::cp1252
