// Feeds arbitrary bytes to the logbook reader as a file and as list text, and
// checks that reading, writing and reading again agree. Run it for a bounded
// time, for example: logbook_reader_fuzz -max_total_time=60 corpus/
#include "model/Cp1252.h"
#include "logbook/LogbookFormat.h"
#include "model/LineStore.h"
#include "tests/unit/logbook_test_files.h"
#include "tests/support/Joined.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kav;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // Loaded into the list: one entry per line, each entry saves as the very
    // bytes of its line followed by CR LF, and loading what a save wrote
    // gives the same entries.
    const std::vector<std::string_view> lines = test::plainLines(bytes);
    logbook::LineImage image = logbook::indexLines(std::string(bytes));
    LineStore list;
    list.appendImage(std::move(image.bytes), std::move(image.marks));
    check(list.count() == lines.size());
    std::string saved;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        check(list.bytes(i) == lines[i]);
        check(cp1252::encode(list.text(i)) == lines[i]);
        saved.append(lines[i]).append("\r\n");
    }
    check(joined(list.snapshot()) == saved);
    logbook::LineImage again = logbook::indexLines(saved);
    check(again.bytes == saved);

    // As text of the list, which need not be valid UTF-8: encoding never
    // grows it, and what it gives is stable under another round.
    const std::string encoded = cp1252::encode(bytes);
    check(encoded.size() <= bytes.size());
    check(cp1252::encode(cp1252::decode(encoded)) == encoded);
    return 0;
}
