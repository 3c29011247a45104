// The shared set-up of the program on the fake platform and virtual clock.
#include "ProgramFixture.h"

#include <atomic>
#include <csignal>
#include <fstream>
#include <iterator>

#include <sys/resource.h>

namespace kav::test {

namespace {

std::atomic<std::size_t> replacements{0};

void countStep(logbook::WriteStep step) {
    if (step == logbook::WriteStep::BeforeTemporary) ++replacements;
    if (FakeWorld::atWriteStep) FakeWorld::atWriteStep(step);
}

} // namespace

FakeWorld::FakeWorld() : savesBefore_(replacements) { logbook::setWriteStepHook(countStep); }

void FakeWorld::clearCalls() {
    fake.calls.clear();
    savesBefore_ = saves() + savesBefore_;
}

logbook::Logbook::Notice FakeWorld::notice() {
    return [this](const std::string&) { fake.calls.emplace_back("logbookHeld()"); };
}

logbook::MediaEnvironment FakeWorld::mediaEnvironment() const {
    return {{media.path()}, {}, [](const std::filesystem::path&) { return true; }};
}

void FakeWorld::nextBook() {
    book_.reset();
    book_.emplace(logbookFile, notice(), mediaEnvironment());
}

std::size_t FakeWorld::saves() const {
    book.finishWrites();
    return replacements - savesBefore_;
}

void FakeWorld::failWrites(bool fail) const {
    book.finishWrites();
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = fail ? 0 : limit.rlim_max;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

frmMain& ProgramFixture::start() {
    program.start();
    return program.main();
}

frmMain& ProgramFixture::startAndSettle() {
    start();
    advance(1000);
    return main();
}

void ProgramFixture::nextRun() {
    alone_.reset();
    run_.reset();
    nextBook();
    run_.emplace(fake, book, clock);
}

void ProgramFixture::advanceTo(std::int64_t ms) {
    ASSERT_GE(ms, clock.nowMs());
    advance(ms - clock.nowMs());
}

std::vector<std::string> ProgramFixture::linesSince(std::size_t mark) { return linesOf(main().List1, mark); }

std::string ProgramFixture::lastLine(const Control& list) {
    return list.ListCount() == 0 ? std::string("<empty list>") : list.store().text(list.ListCount() - 1);
}

std::vector<std::string> ProgramFixture::linesOf(const Control& list, std::size_t from) {
    std::vector<std::string> lines;
    for (std::size_t i = from; i < list.ListCount(); ++i)
        lines.push_back(list.store().text(i));
    return lines;
}

std::optional<std::string> FakeWorld::logbookBytes() const {
    book.finishWrites();
    std::ifstream in(logbookFile, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void FakeWorld::writeLogbook(const std::string& bytes) const {
    std::ofstream out(logbookFile, std::ios::binary | std::ios::trunc);
    out << bytes;
}

frmMain& ProgramFixture::form() {
    if (!alone_) alone_ = std::make_unique<frmMain>(program, fake, book);
    return *alone_;
}

} // namespace kav::test
