#include "logbook/HeldLogbook.h"


#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kav::logbook {

namespace {

std::string userName(uid_t uid) {
    if (const passwd* pw = ::getpwuid(uid); pw && pw->pw_name) return pw->pw_name;
    return std::to_string(uid);
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// A command that gives a file to the user running the program; root needs
// no sudo for it. A file its owner may not read or write gets those rights
// back in the same line.
std::string takeBack(const std::string& path, const struct stat& st) {
    const uid_t me = ::geteuid();
    std::string command = (me == 0 ? "" : "sudo ") + std::string("chown ") + userName(me) + ": " + shellQuoted(path);
    if ((st.st_mode & (S_IRUSR | S_IWUSR)) != (S_IRUSR | S_IWUSR)) command += " && chmod u+rw " + shellQuoted(path);
    return command;
}

std::string moveAside(const std::string& path) {
    return "mv " + shellQuoted(path) + " " + shellQuoted(path + ".gammal");
}

HeldAdvice othersFile(const std::string& path) {
    const std::string folder = folderOf(path);
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0 && st.st_uid != ::geteuid()) {
        // Giving someone's folder away would only move the problem to them.
        const std::string owner = userName(st.st_uid);
        return {"mappen " + folder + " tillhör " + owner, "Starta Kavrilon som " + owner + ", som äger mappen", ""};
    }
    if (::lstat(path.c_str(), &st) != 0) return {path + " tillhör en annan användare", "Starta Kavrilon igen", ""};
    return {path + " tillhör " + userName(st.st_uid), "Gör filen till din igen", takeBack(path, st)};
}

HeldAdvice otherCopy(const std::string& path) {
    const std::string folder = folderOf(path);
    const std::string lock = folder + "/" + kLockName;
    struct stat st {};
    if (::lstat(lock.c_str(), &st) == 0 && st.st_uid != ::geteuid())
        return {"låsfilen " + lock + " tillhör " + userName(st.st_uid), "Gör låsfilen till din igen",
                takeBack(lock, st)};
    return {"mappen " + folder + " används av ett annat Kavrilon", "Stäng det andra Kavrilon och starta det här igen",
            ""};
}

HeldAdvice unreadable(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return {path + " kunde inte läsas", "Starta Kavrilon igen", ""};
    if (S_ISLNK(st.st_mode))
        return {path + " är en länk som Kavrilon inte följer", "Ta bort länken, så skriver Kavrilon en ny fil",
                "rm " + shellQuoted(path)};
    if (!S_ISREG(st.st_mode)) return {path + " är ingen vanlig fil", "Flytta undan den", moveAside(path)};
    if (st.st_uid != ::geteuid())
        return {path + " tillhör " + userName(st.st_uid), "Gör filen till din igen", takeBack(path, st)};
    if ((st.st_mode & S_IRUSR) == 0)
        return {path + " får inte läsas", "Gör filen läsbar igen", "chmod u+rw " + shellQuoted(path)};
    // Readable and the user's own: it was too large to read.
    return {path + " är för stor för att läsas", "Flytta undan den, så börjar Kavrilon på en ny loggbok",
            moveAside(path)};
}

} // namespace

std::string shellQuoted(std::string_view text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

HeldAdvice adviceFor(LogbookFile::Hold why, const std::string& path) {
    switch (why) {
    case LogbookFile::Hold::None: return {};
    case LogbookFile::Hold::OthersFile: return othersFile(path);
    case LogbookFile::Hold::OtherCopy: return otherCopy(path);
    case LogbookFile::Hold::Unreadable: return unreadable(path);
    case LogbookFile::Hold::NoFolder:
        return {"programmet har ingen mapp att ha kavrilon.ini i (mappen kunde inte hittas, göras eller öppnas, "
                "eller så är dess sökväg för lång)",
                "Starta Kavrilon som den användare som äger hemmappen, eller från en mapp med kortare sökväg", ""};
    }
    return {};
}

std::string heldNotice(LogbookFile::Hold why, const std::string& path) {
    const HeldAdvice advice = adviceFor(why, path);
    if (advice.why.empty()) return {};
    return "Loggboken sparas inte: " + advice.why + ".\n" + advice.action +
           (advice.command.empty() ? "." : ":\n" + advice.command) +
           "\nDet som skrivs i loggboken under den här körningen finns bara kvar tills programmet stängs.";
}

} // namespace kav::logbook
