// How much the Logbook's save and load cost over the plain file operations
// they stand on, for a full logbook of 32767 entries of 70 characters. The
// plain cases write the same bytes with one write(), fsync and rename (and once
// more with the folder fsync that a save adds), and read them with one read().
// At the end the ratios of the medians are printed; the aim is no more than
// 1.5 against the plain write and the plain read.
#include "forms/Platform.h"
#include "forms/Program.h"
#include "forms/main/frmMain.h"
#include "logbook/AtomicFile.h"
#include "logbook/Logbook.h"
#include "model/Cp1252.h"
#include "tests/support/VirtualClock.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A platform that does nothing: the logbook is the Logbook's.
class NoPlatform final : public kav::Platform {
public:
    bool clipboardClear() override { return false; }
    bool clipboardSetText(const std::string&) override { return false; }
    std::optional<kav::Colour> chooseColour(kav::Window&) override { return std::nullopt; }
    bool launch(const kav::LaunchItem&) override { return false; }
    void messageBox(kav::Window&, std::string_view, std::string_view) override {}
    void aboutBox(kav::Window&, std::string_view, std::string_view) override {}
    void shutdownDialog() override {}
    bool cdDoor(bool) override { return false; }
    std::string todayShortDate() override { return {}; }
    void endProgram() override {}
};

constexpr std::size_t kEntries = 32767;

// 70 characters each, mostly ASCII with the Swedish letters of the program's
// own messages, numbered so that no two entries are the same.
std::vector<std::string> makeEntries() {
    const std::string text = "Användaren har tryck på knappen:  Öppna CD rom - CD Släde ut. nr ";
    std::vector<std::string> entries;
    entries.reserve(kEntries);
    for (std::size_t i = 0; i < kEntries; ++i) {
        std::string number = std::to_string(i);
        entries.push_back(text + std::string(5 - number.size(), '0') + number);
    }
    return entries;
}

// A temporary folder on the same disk as the program would use, removed at exit.
struct Folder {
    std::string path;
    Folder() {
        const char* base = std::getenv("TMPDIR");
        std::string tmpl = std::string(base && *base ? base : "/tmp") + "/kavrilon-bench-XXXXXX";
        if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
        path = tmpl;
    }
    ~Folder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

// The file bytes of `entries`: each in Windows-1252 followed by CR LF.
std::string fileOf(const std::vector<std::string>& entries) {
    std::string bytes;
    for (const std::string& entry : entries)
        bytes += kav::cp1252::encode(entry) + "\r\n";
    return bytes;
}

struct Fixture {
    Folder folder;
    std::string path = kav::logbook::logbookPathIn(folder.path);
    NoPlatform platform;
    kav::logbook::Logbook book{path};
    kav::VirtualClock clock;
    kav::Program program{platform, book, clock};
    std::vector<std::string> entries = makeEntries();
    std::string bytes = fileOf(entries);
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_ListSave(benchmark::State& state) {
    Fixture& f = fixture();
    const kav::frmMain form(f.program, f.platform, f.book);
    for (const std::string& e : f.entries)
        f.book.append(e);
    // The write the save thread does is waited for, so that it is timed.
    for (auto _ : state) {
        f.book.save();
        f.book.finishWrites();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes.size()));
}

// One write(), fsync and rename; with `syncFolder` also the fsync of the
// folder after the rename that a save does to make the rename last.
void plainWrite(benchmark::State& state, bool syncFolder) {
    Fixture& f = fixture();
    const std::string temp = f.path + ".plain";
    for (auto _ : state) {
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, f.bytes.data(), f.bytes.size()) != static_cast<ssize_t>(f.bytes.size()) ||
            ::fsync(fd) != 0 || ::close(fd) != 0 || ::rename(temp.c_str(), f.path.c_str()) != 0)
            state.SkipWithError("plain write failed");
        if (syncFolder) {
            const int dir = ::open(f.folder.path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (dir < 0 || ::fsync(dir) != 0) state.SkipWithError("folder fsync failed");
            if (dir >= 0) ::close(dir);
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes.size()));
}

void BM_PlainWrite(benchmark::State& state) { plainWrite(state, false); }
void BM_PlainWriteSyncedFolder(benchmark::State& state) { plainWrite(state, true); }

void BM_ListLoad(benchmark::State& state) {
    Fixture& f = fixture();
    if (!kav::logbook::writeFileAtomic(f.path, f.bytes)) state.SkipWithError("could not write the logbook");
    for (auto _ : state) {
        state.PauseTiming();
        auto form = std::make_unique<kav::frmMain>(f.program, f.platform, f.book);
        state.ResumeTiming();
        f.book.load();
        state.PauseTiming();
        if (form->List1.ListCount() != kEntries) state.SkipWithError("wrong number of entries");
        form.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes.size()));
}

void plainRead(benchmark::State& state, bool split) {
    Fixture& f = fixture();
    if (!kav::logbook::writeFileAtomic(f.path, f.bytes)) state.SkipWithError("could not write the logbook");
    for (auto _ : state) {
        const int fd = ::open(f.path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat st {};
        if (fd < 0 || ::fstat(fd, &st) != 0) {
            state.SkipWithError("plain read failed");
            break;
        }
        std::string buffer(static_cast<std::size_t>(st.st_size), '\0');
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        ::close(fd);
        if (n != st.st_size) state.SkipWithError("short read");
        benchmark::DoNotOptimize(buffer.data());
        if (split) benchmark::DoNotOptimize(kav::logbook::indexLines(std::move(buffer)).marks.lines());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes.size()));
}

void BM_PlainRead(benchmark::State& state) { plainRead(state, false); }
// The read plus the one pass that finds the line ends.
void BM_PlainReadSplit(benchmark::State& state) { plainRead(state, true); }

constexpr int kRepetitions = 7;

BENCHMARK(BM_PlainWrite)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(kRepetitions);
BENCHMARK(BM_PlainWriteSyncedFolder)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(kRepetitions);
BENCHMARK(BM_ListSave)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(kRepetitions);
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(kRepetitions);
BENCHMARK(BM_PlainReadSplit)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(kRepetitions);
BENCHMARK(BM_ListLoad)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(kRepetitions);

// Prints as usual and keeps the median of each case for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians_[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatio(const char* what, const char* ours, const char* plain) const {
        const auto a = medians_.find(ours);
        const auto b = medians_.find(plain);
        if (a == medians_.end() || b == medians_.end() || b->second <= 0) return;
        std::printf("%-28s %8.3f ms / %8.3f ms = %.2fx (aim: at most 1.5x)\n", what, a->second, b->second,
                    a->second / b->second);
    }

private:
    std::map<std::string, double> medians_;
};

} // namespace

int main(int argc, char** argv) {
    // Keep freed memory in the process. Otherwise glibc hands the list's
    // 32767 small blocks back to the system after each load and the next load
    // pays for fresh pages, while the plain read's one big buffer stays mapped
    // after its first round (glibc raises its mmap threshold); both cases
    // should run on the same warm heap.
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nMedians of %d repetitions, %zu entries of 70 characters:\n", kRepetitions, kEntries);
    reporter.printRatio("Save / plain write", "BM_ListSave", "BM_PlainWrite");
    reporter.printRatio("  ... / plain + folder fsync", "BM_ListSave", "BM_PlainWriteSyncedFolder");
    reporter.printRatio("Load / plain read", "BM_ListLoad", "BM_PlainRead");
    reporter.printRatio("Load / read + split", "BM_ListLoad", "BM_PlainReadSplit");
    benchmark::Shutdown();
    return 0;
}
