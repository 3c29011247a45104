#pragma once
// Reading and writing test files byte for byte, listing a folder, and the
// lines and entries a file's bytes give the list, for the logbook tests and
// the fuzz target.

#include "logbook/LogbookFormat.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kav::test {

inline std::optional<std::string> readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The names in a folder, sorted.
inline std::vector<std::string> folderNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The lines of a file found one byte at a time: CR LF, CR or LF ends a line,
// and a last line without an end counts.
inline std::vector<std::string_view> plainLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        lines.push_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

// The entries the list shows for a logbook file of `bytes`, as a load gives
// them to it, decoded to UTF-8.
inline std::vector<std::string> entriesOf(const std::string& bytes) {
    logbook::LineImage image = logbook::indexLines(bytes);
    LineStore store;
    if (!image.bytes.empty()) store.appendImage(std::move(image.bytes), std::move(image.marks));
    std::vector<std::string> entries;
    for (std::size_t i = 0; i < store.count(); ++i)
        entries.push_back(store.text(i));
    return entries;
}

} // namespace kav::test
