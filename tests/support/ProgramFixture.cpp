// The shared set-up of the program on the fake platform and virtual clock.
#include "ProgramFixture.h"

#include <fstream>
#include <iterator>

namespace kav::test {

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
    run_.emplace(fake, clock);
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
    std::ifstream in(logbookFile, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void FakeWorld::writeLogbook(const std::string& bytes) const {
    std::ofstream out(logbookFile, std::ios::binary | std::ios::trunc);
    out << bytes;
}

frmMain& ProgramFixture::form() {
    if (!alone_) alone_ = std::make_unique<frmMain>(program, program.platform());
    return *alone_;
}

} // namespace kav::test
