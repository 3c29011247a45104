#pragma once
// The Windows-1252 code page of the logbook file, converted to and from the
// UTF-8 text the program keeps in its controls. Decoding is lossless: every
// byte becomes one character, the five bytes the code page leaves unassigned
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 control characters of the same
// number, and encoding gives the same byte back. A character the code page
// cannot hold, and each bad sequence of invalid UTF-8, is written as "?".

#include <cstddef>
#include <string>
#include <string_view>

namespace kav::cp1252 {

// Writes the UTF-8 form of the Windows-1252 `bytes` to `out`, which has room
// for 3 * bytes.size() bytes (the most one byte takes), and returns the number
// written.
std::size_t decodeInto(std::string_view bytes, char* out);

// Writes the Windows-1252 form of the UTF-8 `text` to `out` and returns the
// number of bytes written. Never more than text.size() bytes: every character
// takes one byte, and every UTF-8 character or bad sequence is at least one.
std::size_t encodeInto(std::string_view text, char* out);

std::string decode(std::string_view bytes);
std::string encode(std::string_view text);

} // namespace kav::cp1252
