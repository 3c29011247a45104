// Finding and starting the Linux stand-in of a Windows command line.
#include "platform/launch/Launcher.h"

#include "launcher/LaunchTable.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kav {

namespace fs = std::filesystem;

namespace {

std::string envOr(const char* name, std::string fallback = {}) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::move(fallback);
}

std::vector<std::string> split(std::string_view s, char sep) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= s.size()) {
        std::size_t end = s.find(sep, start);
        if (end == std::string_view::npos) end = s.size();
        parts.emplace_back(s.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

bool sameDesktop(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// A regular file (after following links) that this user may execute.
bool isExecutableFile(const fs::path& p) {
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    return ::access(p.c_str(), X_OK) == 0;
}

bool replaceAll(std::string& s, std::string_view token, const std::string& value) {
    bool found = false;
    for (std::size_t pos = s.find(token); pos != std::string::npos; pos = s.find(token, pos + value.size())) {
        s.replace(pos, token.size(), value);
        found = true;
    }
    return found;
}

} // namespace

LaunchEnvironment LaunchEnvironment::fromSystem() {
    LaunchEnvironment env;
    env.path = envOr("PATH", "/usr/local/bin:/usr/bin:/bin");
    env.currentDesktop = envOr("XDG_CURRENT_DESKTOP");
    env.home = envOr("HOME");
    if (env.home.empty()) {
        if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) env.home = pw->pw_dir;
    }
    env.docDir = envOr("KAVRILON_DOC_DIR");
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) env.executableDir = exe.parent_path();
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
        if (fs::is_regular_file(p, ec)) return fs::absolute(p, ec).lexically_normal();
    }
    return std::nullopt;
}

Launcher::Launcher(LaunchEnvironment env, Starter starter) : env_(std::move(env)), starter_(std::move(starter)) {}

std::vector<std::string> Launcher::desktopNames() const {
    std::vector<std::string> names;
    for (auto& n : split(env_.currentDesktop, ':'))
        if (!n.empty()) names.push_back(std::move(n));
    return names;
}

std::optional<fs::path> Launcher::findProgram(const std::string& name, bool game) const {
    if (name.empty()) return std::nullopt;
    if (name.find('/') != std::string::npos) {
        if (isExecutableFile(name)) return fs::path(name);
        return std::nullopt;
    }
    std::vector<fs::path> dirs;
    for (const auto& d : split(env_.path, ':'))
        if (!d.empty()) dirs.emplace_back(d);
    if (game) dirs.insert(dirs.end(), env_.gameDirs.begin(), env_.gameDirs.end());
    for (const auto& d : dirs) {
        fs::path p = d / name;
        if (isExecutableFile(p)) {
            std::error_code ec;
            fs::path full = fs::absolute(p, ec);
            return ec ? p : full;
        }
    }
    return std::nullopt;
}

std::optional<std::vector<std::string>> Launcher::expandArgs(const std::vector<std::string>& argv) const {
    std::vector<std::string> args;
    for (std::size_t i = 1; i < argv.size(); ++i) {
        std::string a = argv[i];
        if (a.find(kHomePlaceholder) != std::string::npos) {
            if (env_.home.empty()) return std::nullopt;
            replaceAll(a, kHomePlaceholder, env_.home);
        }
        if (a.find(kWorkDirPlaceholder) != std::string::npos) {
            std::error_code ec;
            fs::path wd =
                env_.workingDirectory.empty() ? fs::current_path(ec) : fs::absolute(env_.workingDirectory, ec);
            if (ec) return std::nullopt;
            replaceAll(a, kWorkDirPlaceholder, wd.string());
        }
        if (a.find(kDocPagePlaceholder) != std::string::npos) {
            const auto page = env_.docPage();
            if (!page) return std::nullopt;
            const QString url =
                QUrl::fromLocalFile(QString::fromStdString(page->string())).toString(QUrl::FullyEncoded);
            replaceAll(a, kDocPagePlaceholder, url.toStdString());
        }
        args.push_back(std::move(a));
    }
    return args;
}

std::vector<LaunchCommand> Launcher::resolveAll(std::string_view commandLine) const {
    const LaunchRow* row = findLaunchRow(commandLine);
    if (!row) return {};

    // The order of trying: this desktop's own (in the order the desktop names
    // itself), then the ones for any desktop, then the ones of other desktops.
    std::vector<const LaunchCandidate*> order;
    auto taken = [&](const LaunchCandidate* c) { return std::find(order.begin(), order.end(), c) != order.end(); };
    for (const auto& name : desktopNames())
        for (const auto& c : row->candidates)
            if (!c.desktop.empty() && sameDesktop(c.desktop, name) && !taken(&c)) order.push_back(&c);
    for (const auto& c : row->candidates)
        if (c.desktop.empty()) order.push_back(&c);
    for (const auto& c : row->candidates)
        if (!taken(&c)) order.push_back(&c);

    std::vector<LaunchCommand> found;
    for (const LaunchCandidate* c : order) {
        if (c->argv.empty()) continue;
        const auto program = findProgram(c->argv.front(), row->game);
        if (!program) continue;
        auto args = expandArgs(c->argv);
        if (!args) continue;
        found.push_back({program->string(), std::move(*args)});
    }
    return found;
}

std::optional<LaunchCommand> Launcher::resolve(std::string_view commandLine) const {
    auto all = resolveAll(commandLine);
    if (all.empty()) return std::nullopt;
    return std::move(all.front());
}

bool Launcher::launch(std::string_view commandLine, int /*showCode*/) const {
    if (!starter_) return false;
    for (const auto& cmd : resolveAll(commandLine))
        if (starter_(cmd.program, cmd.args)) return true;
    return false;
}

bool Launcher::startDetached(const std::string& program, const std::vector<std::string>& args) {
    QStringList qargs;
    qargs.reserve(static_cast<qsizetype>(args.size()));
    for (const auto& a : args)
        qargs.push_back(QString::fromStdString(a));
    return QProcess::startDetached(QString::fromStdString(program), qargs);
}

} // namespace kav
