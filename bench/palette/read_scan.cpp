// The baseline of the palette benchmark: a plain read of a file and a scan of
// its lines, as any tool that looks at every line of it must do at least.
// Reads in blocks of 1 MiB and counts the line feeds; prints the count.
#include <cstdio>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 64;
    }
    const int fd = ::open(argv[1], O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        std::perror(argv[1]);
        return 1;
    }
    constexpr std::size_t kBlock = std::size_t{1} << 20;
    const std::unique_ptr<char[]> block(new char[kBlock]);
    unsigned long lines = 0;
    for (;;) {
        const ssize_t n = ::read(fd, block.get(), kBlock);
        if (n <= 0) break;
        const char* p = block.get();
        const char* end = p + n;
        while ((p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p))))) {
            ++lines;
            ++p;
        }
    }
    ::close(fd);
    std::printf("%lu\n", lines);
    return 0;
}
