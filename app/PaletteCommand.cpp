// Reading the logbook for --palette. The file is read in blocks of a fixed
// size, small enough to stay in the processor's cache between the copy out
// of the kernel and the scan, so a logbook grown to a million lines costs no
// more memory than a small one and little more time than reading it.
#include "app/PaletteCommand.h"

#include "colour/ColourHistory.h"
#include "platform/posix/Fd.h"
#include "platform/posix/ProgramFolder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kav::app {

namespace {

constexpr std::size_t kBlock = std::size_t{128} << 10;

int fail(const std::string& message) {
    std::fprintf(stderr, "kavrilon: %s\n", message.c_str());
    return 1;
}

} // namespace

int printPalette(const char* argv0, const PaletteFormatRow& format) {
    // The folder a start would choose; it is not made or entered here.
    const std::string path =
        posix::logbookPathIn(posix::chooseProgramFolder(posix::programFolderInputsFromSystem(argv0)));
    if (path.empty()) return fail("ingen loggbok: det finns ingen hemmapp att ha den i");
    // Not blocking, so that a FIFO in the logbook's place cannot hold us.
    const posix::Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0) {
        if (errno == ENOENT) return fail("ingen loggbok i " + path + " ännu: välj en färg först");
        return fail("loggboken " + path + " kan inte läsas: " + std::strerror(errno));
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return fail("loggboken " + path + " är ingen vanlig fil");
    ::posix_fadvise(fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);

    SelectionScanner scanner;
    DistinctColours distinct;
    std::vector<Colour> codes;
    const std::unique_ptr<char[]> block(new char[kBlock]);
    for (;;) {
        const ssize_t n = ::read(fd.get(), block.get(), kBlock);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail("loggboken " + path + " kan inte läsas: " + std::strerror(errno));
        if (n == 0) break;
        scanner.feed(std::string_view(block.get(), static_cast<std::size_t>(n)), codes);
        for (Colour c : codes)
            distinct.add(c);
        codes.clear();
    }
    scanner.finish(codes);
    for (Colour c : codes)
        distinct.add(c);

    const std::string text = format.write(distinct.colours());
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
        return fail(std::string("paletten kunde inte skrivas: ") + std::strerror(errno));
    return 0;
}

} // namespace kav::app
