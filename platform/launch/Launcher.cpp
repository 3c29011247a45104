#include "platform/launch/Launcher.h"

#include "platform/launch/StandIns.h"
#include "logbook/AtomicFile.h"
#include "platform/posix/PrivateFolder.h"
#include "platform/posix/ProgramFolder.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <set>
#include <sstream>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kav {

namespace fs = std::filesystem;

namespace {

// The entries of a ':'-separated list, empty ones left out.
std::vector<std::string> split(const std::string& list) {
    std::vector<std::string> parts;
    std::istringstream in(list);
    for (std::string part; std::getline(in, part, ':');)
        if (!part.empty()) parts.push_back(part);
    return parts;
}

// A regular file (after following links) that this user may execute.
bool isExecutableFile(const fs::path& p) {
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    return ::access(p.c_str(), X_OK) == 0;
}

void replaceAll(std::string& s, std::string_view token, const std::string& value) {
    for (std::size_t pos = s.find(token); pos != std::string::npos; pos = s.find(token, pos + value.size()))
        s.replace(pos, token.size(), value);
}

std::string trim(std::string_view s) {
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string_view::npos) return {};
    const auto e = s.find_last_not_of(" \t\r");
    return std::string(s.substr(b, e - b + 1));
}

// The Exec line and the Terminal flag of a desktop entry's main group.
struct DesktopEntry {
    std::string exec;
    bool terminal = false;
};

std::optional<DesktopEntry> readDesktopEntry(const fs::path& file) {
    std::ifstream in(file);
    if (!in) return std::nullopt;
    DesktopEntry entry;
    bool inMain = false;
    for (std::string line; std::getline(in, line);) {
        line = trim(line);
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[') {
            inMain = line == "[Desktop Entry]";
            continue;
        }
        if (!inMain) continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = trim(std::string_view(line).substr(0, eq));
        const std::string value = trim(std::string_view(line).substr(eq + 1));
        if (key == "Exec") entry.exec = value;
        if (key == "Terminal") entry.terminal = value == "true";
    }
    if (entry.exec.empty()) return std::nullopt;
    return entry;
}

// Splits an Exec value into its words: first the string escapes (\s \n \t
// \r \\), then the Exec quoting, where a word in double quotes may hold
// spaces and \" \` \$ \\ stand for the character itself.
std::vector<std::string> execWords(std::string_view value) {
    std::string v;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::size_t escape = value[i] == '\\' && i + 1 < value.size()
                                       ? std::string_view("sntr\\").find(value[i + 1])
                                       : std::string_view::npos;
        v += escape == std::string_view::npos ? value[i] : " \n\t\r\\"[escape];
        if (escape != std::string_view::npos) ++i;
    }
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    bool started = false;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const char c = v[i];
        if (quoted) {
            if (c == '\\' && i + 1 < v.size() && std::string_view("\"`$\\").find(v[i + 1]) != std::string_view::npos) {
                word += v[++i];
            } else if (c == '"') {
                quoted = false;
            } else {
                word += c;
            }
        } else if (c == ' ' || c == '\t') {
            if (started) words.push_back(std::move(word));
            word.clear();
            started = false;
        } else if (c == '"') {
            quoted = started = true;
        } else {
            word += c;
            started = true;
        }
    }
    if (started) words.push_back(std::move(word));
    return words;
}

// The program and arguments an Exec line stands for, opening `files`: %f
// and %F give the paths, %u and %U their file URLs, %% a percent sign; the
// other field codes are left out. A line without a file field gets the files
// at its end.
std::vector<std::string> expandExec(const std::vector<std::string>& words, const std::vector<std::string>& files) {
    std::vector<std::string> out;
    bool filesPlaced = false;
    for (const std::string& w : words) {
        if (w == "%f" || w == "%F" || w == "%u" || w == "%U") {
            for (const auto& f : files)
                out.push_back(
                    w == "%f" || w == "%F"
                        ? f
                        : QUrl::fromLocalFile(QString::fromStdString(f)).toString(QUrl::FullyEncoded).toStdString());
            filesPlaced = true;
            continue;
        }
        std::string a;
        for (std::size_t i = 0; i < w.size(); ++i) {
            if (w[i] != '%' || i + 1 >= w.size()) {
                a += w[i];
                continue;
            }
            if (w[++i] == '%') a += '%';
        }
        if (!a.empty()) out.push_back(std::move(a));
    }
    if (!filesPlaced) out.insert(out.end(), files.begin(), files.end());
    return out;
}

// The web address a Windows command line ends with, or nothing.
std::optional<std::string> webAddress(std::string_view commandLine) {
    const auto space = commandLine.rfind(' ');
    const std::string_view last = space == std::string_view::npos ? commandLine : commandLine.substr(space + 1);
    if (!last.starts_with("https://") && !last.starts_with("http://")) return std::nullopt;
    return std::string(last);
}

QStringList toQStringList(const std::vector<std::string>& args) {
    QStringList list;
    for (const auto& a : args)
        list.push_back(QString::fromStdString(a));
    return list;
}

// What keepForLaunchedPrograms was told, in the order it was told.
std::vector<std::pair<std::string, std::optional<std::string>>> userValues;

// The environment of a started program: this process's, with the user's
// own values put back.
QProcessEnvironment launchedEnvironment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : userValues) {
        if (value)
            env.insert(QString::fromStdString(name), QString::fromStdString(*value));
        else
            env.remove(QString::fromStdString(name));
    }
    return env;
}

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

} // namespace

void keepForLaunchedPrograms(const std::string& name, std::optional<std::string> userValue) {
    userValues.emplace_back(name, std::move(userValue));
}

std::optional<std::string> DesktopAnswers::ask(const std::string& program, const std::vector<std::string>& args) const {
    return asker_ ? asker_(program, args) : std::nullopt;
}

std::optional<std::string> DesktopAnswers::askOnce(const std::string& program, const std::vector<std::string>& args) {
    const auto [it, fresh] = kept_.try_emplace(std::pair(program, args));
    if (fresh) it->second = ask(program, args);
    return it->second;
}

std::optional<std::string> DesktopAnswers::run(const std::string& program, const std::vector<std::string>& args) {
    QProcess p;
    p.setProcessEnvironment(launchedEnvironment());
    p.setStandardInputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(QString::fromStdString(program), toQStringList(args));
    if (!p.waitForFinished(3000)) {
        p.kill();
        p.waitForFinished(1000);
        return std::nullopt;
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return std::nullopt;
    return p.readAllStandardOutput().toStdString();
}

LaunchEnvironment LaunchEnvironment::fromSystem() {
    LaunchEnvironment env;
    env.path = posix::envOr("PATH", "/usr/local/bin:/usr/bin:/bin");
    env.currentDesktop = posix::envOr("XDG_CURRENT_DESKTOP");
    env.home = posix::envOr("HOME");
    if (env.home.empty()) env.home = posix::homeFromPasswordDatabase(::getuid());
    env.docDir = posix::envOr("KAVRILON_DOC_DIR");
    env.runtimeDir = posix::envOr("XDG_RUNTIME_DIR");
    std::string dataHome = posix::envOr("XDG_DATA_HOME");
    if (dataHome.empty() && !env.home.empty()) dataHome = env.home + "/.local/share";
    if (!dataHome.empty()) env.applicationDirs.push_back(fs::path(dataHome) / "applications");
    std::string dataDirs = posix::envOr("XDG_DATA_DIRS");
    if (dataDirs.empty()) dataDirs = "/usr/local/share:/usr/share";
    for (const auto& d : split(dataDirs))
        if (d.front() == '/') env.applicationDirs.push_back(fs::path(d) / "applications");
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

Launcher::Launcher(LaunchEnvironment env, Starter starter, std::shared_ptr<DesktopAnswers> answers)
    : env_(std::move(env)), starter_(std::move(starter)),
      answers_(answers ? std::move(answers) : std::make_shared<DesktopAnswers>()) {}

std::optional<fs::path> Launcher::findProgram(const std::string& name, bool game) const {
    if (name.empty()) return std::nullopt;
    if (name.find('/') != std::string::npos)
        return name.front() == '/' && isExecutableFile(name) ? std::optional(fs::path(name)) : std::nullopt;
    // Only absolute folders are searched: an empty entry, "." or "bin" would
    // resolve against the working directory (the program folder), where
    // anyone who can write there could plant a program of a wanted name.
    std::vector<fs::path> dirs;
    for (const auto& d : split(env_.path))
        if (d.front() == '/') dirs.emplace_back(d);
    if (game) dirs.insert(dirs.end(), env_.gameDirs.begin(), env_.gameDirs.end());
    for (const auto& d : dirs)
        if (isExecutableFile(d / name)) return d / name;
    return std::nullopt;
}

std::optional<std::vector<std::string>> Launcher::expandArgs(const std::vector<std::string>& argv,
                                                             std::string_view commandLine) const {
    // A placeholder's value, or nothing when the candidate cannot start.
    const auto value = [&](std::string_view token) -> std::optional<std::string> {
        if (token == kHomePlaceholder) return env_.home.empty() ? std::nullopt : std::optional(env_.home);
        if (token == kAddressPlaceholder) return webAddress(commandLine);
        if (token == kWorkDirPlaceholder) {
            if (env_.withoutWorkingDirectory) return std::nullopt;
            std::error_code ec;
            const fs::path wd =
                env_.workingDirectory.empty() ? fs::current_path(ec) : fs::absolute(env_.workingDirectory, ec);
            return ec ? std::nullopt : std::optional(wd.string());
        }
        auto page = env_.docPage();
        if (!page) page = env_.pageFromBuiltIn();
        if (!page) return std::nullopt;
        return QUrl::fromLocalFile(QString::fromStdString(page->string())).toString(QUrl::FullyEncoded).toStdString();
    };
    std::vector<std::string> args;
    for (std::size_t i = 1; i < argv.size(); ++i) {
        std::string a = argv[i];
        for (std::string_view token :
             {kHomePlaceholder, kWorkDirPlaceholder, kDocPagePlaceholder, kAddressPlaceholder}) {
            if (a.find(token) == std::string::npos) continue;
            const auto v = value(token);
            if (!v) return std::nullopt;
            replaceAll(a, token, *v);
        }
        args.push_back(std::move(a));
    }
    return args;
}

namespace {

const StandIn* rowOf(const LaunchItem& item) {
    const auto& rows = standIns();
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const StandIn& r) { return r.item == item.name; });
    return row == rows.end() ? nullptr : &*row;
}

// The order of trying a row's candidates: this desktop's own (in the order
// the desktop names itself), then the ones for any desktop, then the ones of
// other desktops. A default application of the user's choice comes before
// all of them.
std::vector<const LaunchCandidate*> tryingOrder(const StandIn& row, const std::string& currentDesktop) {
    std::vector<const LaunchCandidate*> order;
    auto taken = [&](const LaunchCandidate* c) { return std::find(order.begin(), order.end(), c) != order.end(); };
    for (const auto& c : row.candidates)
        if (!c.argv.empty() && c.argv.front().starts_with(kDefaultApp)) order.push_back(&c);
    for (const auto& name : split(currentDesktop))
        for (const auto& c : row.candidates)
            if (!c.desktop.empty() && ::strcasecmp(c.desktop.c_str(), name.c_str()) == 0 && !taken(&c))
                order.push_back(&c);
    for (const auto& c : row.candidates)
        if (c.desktop.empty() && !taken(&c)) order.push_back(&c);
    for (const auto& c : row.candidates)
        if (!taken(&c)) order.push_back(&c);
    return order;
}

} // namespace

std::optional<std::string> Launcher::missingProgram(const LaunchItem& item) const {
    const StandIn* row = rowOf(item);
    if (!row || !resolveAll(item).empty()) return std::nullopt;
    for (const LaunchCandidate* c : tryingOrder(*row, env_.currentDesktop))
        if (!c->argv.empty() && !c->argv.front().starts_with(kDefaultApp)) return c->argv.front();
    return std::nullopt;
}

std::vector<LaunchCommand> Launcher::resolveAll(const LaunchItem& item) const {
    const StandIn* row = rowOf(item);
    if (!row) return {};
    const std::vector<const LaunchCandidate*> order = tryingOrder(*row, env_.currentDesktop);

    std::vector<LaunchCommand> found;
    for (const LaunchCandidate* c : order) {
        if (c->argv.empty()) continue;
        auto args = expandArgs(c->argv, item.commandLine);
        if (!args) continue;
        if (c->argv.front().starts_with(kDefaultApp)) {
            if (auto cmd = defaultApp(std::string_view(c->argv.front()).substr(kDefaultApp.size()), *args))
                found.push_back(std::move(*cmd));
            continue;
        }
        const auto program = findProgram(c->argv.front(), row->game);
        if (!program) continue;
        if (!c->pageChoices.empty())
            if (auto page = choosePage(program->string(), c->pageChoices)) args->push_back(std::move(*page));
        found.push_back({program->string(), std::move(*args)});
    }
    return found;
}

std::optional<std::string> Launcher::choosePage(const std::string& program,
                                                const std::vector<std::string>& choices) const {
    // One page a line, perhaps indented or described; a heading ends with ':'.
    std::set<std::string> listed;
    if (const auto list = answers_->askOnce(program, {"--list"})) {
        std::istringstream lines(*list);
        for (std::string line; std::getline(lines, line);) {
            line = trim(line);
            if (line.empty() || line.back() == ':') continue;
            listed.insert(line.substr(0, line.find_first_of(" \t")));
        }
    }
    if (listed.empty()) return choices.front();
    for (const auto& c : choices)
        if (listed.count(c)) return c;
    return std::nullopt;
}

std::optional<LaunchCommand> Launcher::defaultApp(std::string_view mimeType,
                                                  const std::vector<std::string>& files) const {
    const auto xdgMime = findProgram("xdg-mime", false);
    if (!xdgMime) return std::nullopt;
    // The user may choose another default at any time: asked afresh.
    const auto answer = answers_->ask(xdgMime->string(), {"query", "default", std::string(mimeType)});
    if (!answer) return std::nullopt;
    const std::string id = trim(answer->substr(0, answer->find('\n')));
    if (id.empty() || id.find('/') != std::string::npos || !id.ends_with(".desktop")) return std::nullopt;
    for (const auto& dir : env_.applicationDirs) {
        const auto entry = readDesktopEntry(dir / id);
        if (!entry) continue;
        // An editor that needs a terminal cannot open a window of its own.
        if (entry->terminal) return std::nullopt;
        const auto words = expandExec(execWords(entry->exec), files);
        if (words.empty()) return std::nullopt;
        const auto program = findProgram(words.front(), false);
        if (!program) return std::nullopt;
        return LaunchCommand{program->string(), {words.begin() + 1, words.end()}};
    }
    return std::nullopt;
}

std::optional<LaunchCommand> Launcher::resolve(const LaunchItem& item) const {
    auto all = resolveAll(item);
    return all.empty() ? std::nullopt : std::optional(std::move(all.front()));
}

bool Launcher::launch(const LaunchItem& item) const {
    if (!starter_) return false;
    for (const auto& cmd : resolveAll(item))
        if (starter_(cmd.program, cmd.args)) return true;
    return false;
}

bool Launcher::startDetached(const std::string& program, const std::vector<std::string>& args) {
    QProcess p;
    p.setProgram(QString::fromStdString(program));
    p.setArguments(toQStringList(args));
    p.setProcessEnvironment(launchedEnvironment());
    return p.startDetached();
}

} // namespace kav
