#include "platform/launch/Launcher.h"

#include "logbook/AtomicFile.h"
#include "platform/posix/PrivateFolder.h"
#include "platform/posix/ProgramFolder.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace kav {

namespace fs = std::filesystem;

namespace {

// The entries of a list, empty ones left out.
QStringList split(const std::string& list, char separator) {
    return QString::fromStdString(list).split(QChar::fromLatin1(separator), Qt::SkipEmptyParts);
}

QString fileUrl(const fs::path& file) {
    return QUrl::fromLocalFile(QString::fromStdString(file.string())).toString(QUrl::FullyEncoded);
}

// What keepForLaunchedPrograms was told, in the order it was told.
std::vector<std::pair<std::string, std::optional<std::string>>> userValues;

// Whether a file or folder belongs to root or this user and no one else may
// write it; a root-owned sticky folder such as /tmp counts, since its entries
// on the way are checked in turn.
bool nobodyElsesWrite(const struct stat& st) {
    if (st.st_uid != 0 && st.st_uid != ::geteuid()) return false;
    if ((st.st_mode & (S_IWGRP | S_IWOTH)) == 0) return true;
    return S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX) != 0 && st.st_uid == 0;
}

// The page at `p` without links, when it and every folder above it are
// nobody else's: a page another user could have put there is never shown.
std::optional<fs::path> trustedPage(const fs::path& p) {
    std::error_code ec;
    const fs::path file = fs::canonical(p, ec);
    if (ec) return std::nullopt;
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || !nobodyElsesWrite(st)) return std::nullopt;
    for (fs::path dir = file.parent_path();; dir = dir.parent_path()) {
        if (::stat(dir.c_str(), &st) != 0 || !nobodyElsesWrite(st)) return std::nullopt;
        if (dir == dir.root_path()) break;
    }
    return file;
}

const StandIn* rowOf(const LaunchItem& item) {
    const auto& rows = standIns();
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const StandIn& r) { return r.item == item.name; });
    return row == rows.end() ? nullptr : &*row;
}

// The order of trying a row's candidates: this desktop's own (in the order
// the desktop names itself), then the ones for any desktop, then the ones of
// other desktops.
std::vector<QStringList> tryingOrder(const StandIn& row, const std::string& currentDesktop) {
    std::vector<const LaunchCandidate*> order;
    const auto add = [&](auto&& wanted) {
        for (const auto& c : row.candidates)
            if (wanted(c) && std::find(order.begin(), order.end(), &c) == order.end()) order.push_back(&c);
    };
    for (const QString& name : split(currentDesktop, ':'))
        add([&](const LaunchCandidate& c) {
            return QLatin1String(c.desktop.data(), static_cast<qsizetype>(c.desktop.size()))
                       .compare(name, Qt::CaseInsensitive) == 0;
        });
    add([](const LaunchCandidate& c) { return c.desktop.empty(); });
    add([](const LaunchCandidate&) { return true; });
    std::vector<QStringList> commands;
    commands.reserve(order.size());
    for (const LaunchCandidate* c : order)
        commands.push_back(split(std::string(c->command), ' '));
    return commands;
}

} // namespace

void keepForLaunchedPrograms(const std::string& name, std::optional<std::string> userValue) {
    userValues.emplace_back(name, std::move(userValue));
}

LaunchEnvironment LaunchEnvironment::fromSystem() {
    LaunchEnvironment env;
    env.path = posix::envOr("PATH", "/usr/local/bin:/usr/bin:/bin");
    env.currentDesktop = posix::envOr("XDG_CURRENT_DESKTOP");
    env.home = posix::envOr("HOME");
    if (env.home.empty()) env.home = posix::homeFromPasswordDatabase(::getuid());
    env.docDir = posix::envOr("KAVRILON_DOC_DIR");
    env.runtimeDir = posix::envOr("XDG_RUNTIME_DIR");
    std::error_code ec;
    env.executableDir = fs::read_symlink("/proc/self/exe", ec).parent_path();
    return env;
}

std::optional<fs::path> LaunchEnvironment::docPage() const {
    std::vector<fs::path> places;
    if (!docDir.empty()) places.push_back(docDir / "index.html");
    if (!executableDir.empty()) {
        places.push_back(executableDir / ".." / "share" / "doc" / "kavrilon" / "index.html");
        places.push_back(executableDir / "doc" / "index.html");
    }
    for (const auto& p : places) {
        std::error_code ec;
        if (!fs::is_regular_file(p, ec)) continue;
        // An untrusted page is not taken, nor any later place.
        return trustedPage(p);
    }
    return std::nullopt;
}

std::optional<fs::path> LaunchEnvironment::pageFromBuiltIn() const {
    if (builtInPage.empty()) return std::nullopt;
    QFile page(QString::fromStdString(builtInPage));
    if (!page.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = page.readAll();
    // Another user's runtime folder, or one others may enter, is not used:
    // they could swap the page before the browser reads it.
    const std::optional<std::string> privateDir = posix::privateFolder(runtimeDir.string(), tmpDir.string());
    if (!privateDir) return std::nullopt;
    // The folder is the user's alone; someone else's, or a link, is not used.
    const fs::path dir = fs::path(*privateDir) / "kavrilon";
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return std::nullopt;
    struct stat st {};
    if (::lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) return std::nullopt;
    ::chmod(dir.c_str(), 0700);
    // Replaced whole, so a browser never reads half a page.
    const fs::path target = dir / "index.html";
    if (!logbook::writeFileAtomic(target.string(),
                                std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        return std::nullopt;
    return target;
}

Launcher::Launcher(LaunchEnvironment env, Starter starter) : env_(std::move(env)), starter_(std::move(starter)) {}

std::optional<std::string> Launcher::valueOf(std::string_view placeholder, const LaunchItem& item) const {
    const auto given = [](const auto& v) { return v.empty() ? std::nullopt : std::optional<std::string>(v); };
    if (placeholder == "{home}") return given(env_.home);
    if (placeholder == "{logbook}") return given(env_.logbook.string());
    if (placeholder == "{address}") return given(std::string(item.address));
    auto page = env_.docPage();
    if (!page) page = env_.pageFromBuiltIn();
    if (!page) return std::nullopt;
    return fileUrl(*page).toStdString();
}

std::vector<Launcher::Command> Launcher::installed(const LaunchItem& item) const {
    const StandIn* row = rowOf(item);
    if (!row) return {};
    // Only absolute folders are searched: an empty entry, "." or "bin" would
    // resolve against the working directory (the program folder), where
    // anyone who can write there could plant a program of a wanted name.
    QStringList dirs;
    for (const QString& d : split(env_.path, ':'))
        if (d.startsWith(u'/')) dirs.push_back(d);
    for (const fs::path& d : env_.gameDirs)
        dirs.push_back(QString::fromStdString(d.string()));
    // With no folder at all Qt would search PATH as it is.
    if (dirs.isEmpty()) return {};

    std::vector<Command> found;
    for (const QStringList& words : tryingOrder(*row, env_.currentDesktop)) {
        const QString program = QStandardPaths::findExecutable(words.front(), dirs);
        if (program.isEmpty()) continue;
        Command command{program.toStdString(), {}};
        for (qsizetype i = 1; i < words.size(); ++i) {
            const std::string word = words[i].toStdString();
            const auto value = word.starts_with('{') ? valueOf(word, item) : word;
            if (!value) break;
            command.args.push_back(*value);
        }
        if (command.args.size() + 1 == static_cast<std::size_t>(words.size())) found.push_back(std::move(command));
    }
    return found;
}

bool Launcher::launch(const LaunchItem& item) const {
    for (const Command& c : installed(item))
        if (starter_ && starter_(c.program, c.args)) return true;
    return false;
}

std::optional<std::string> Launcher::missingProgram(const LaunchItem& item) const {
    const StandIn* row = rowOf(item);
    if (!row || !installed(item).empty()) return std::nullopt;
    const std::vector<QStringList> order = tryingOrder(*row, env_.currentDesktop);
    if (order.empty()) return std::nullopt;
    return order.front().front().toStdString();
}

bool Launcher::startDetached(const std::string& program, const std::vector<std::string>& args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : userValues) {
        if (value)
            env.insert(QString::fromStdString(name), QString::fromStdString(*value));
        else
            env.remove(QString::fromStdString(name));
    }
    QStringList list;
    for (const auto& a : args)
        list.push_back(QString::fromStdString(a));
    QProcess p;
    p.setProgram(QString::fromStdString(program));
    p.setArguments(list);
    p.setProcessEnvironment(env);
    return p.startDetached();
}

} // namespace kav
