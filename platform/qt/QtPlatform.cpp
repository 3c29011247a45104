#include "platform/qt/QtPlatform.h"

#include "platform/devices/CdTray.h"
#include "platform/devices/DiscService.h"
#include "platform/devices/Media.h"
#include "platform/devices/ShutdownDialog.h"
#include "platform/launch/Launcher.h"
#include "platform/posix/HeldLogbook.h"
#include "platform/posix/LogbookFile.h"
#include "platform/posix/ProgramFolder.h"
#include "platform/posix/WriteQueue.h"
#include "platform/qt/ColourDialog.h"
#include "platform/qt/Convert.h"
#include "platform/qt/FormView.h"
#include "platform/qt/ProgramEnd.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string_view>

namespace kav::qt {

namespace {

constexpr const char* kHeldTitle = "Kavrilon - loggboken";

// F11's menu item, the program's homepage. When it opens nothing, the status
// line says so every time: no page, or nothing to show it with.
constexpr std::string_view kHomepageItem = "color";
constexpr const char* kNoHomepage =
    "Programmets hemsida kan inte öppnas: det finns ingen sida eller webbläsare att visa den med.";

// How long the disk service may take to answer before the tray goes on without it.
constexpr std::chrono::milliseconds kBusTimeout{2000};

// Once a session, when the session's lines cannot reach the logbook file for
// a reason that will not pass by itself: what stands in the way, where, and
// what mends it. On standard error, for a start from a terminal, and in a box
// that is not modal, so the panel's timers and the journal go on; as the
// program ends, on standard error alone, since no window can be made inside
// exit() once the display is gone. A full disk or a read-only medium is not
// told: those saves are tried again.
void tellLogbookHeld(bool& told, posix::LogbookFile::Hold why, const std::string& path, bool ending) {
    if (told) return;
    const std::string text = posix::heldNotice(why, path);
    if (text.empty()) return;
    told = true;
    std::fprintf(stderr, "kavrilon: %s\n", text.c_str());
    if (ending) return;
    auto* box = new QMessageBox(QMessageBox::Information, QString::fromUtf8(kHeldTitle), QString::fromStdString(text),
                                QMessageBox::Ok);
    // The command can be selected and copied into a terminal.
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->setObjectName(QStringLiteral("logbookHeld"));
    // Below the main window, or above it where there is no room below, so
    // the panel's buttons stay free while the box is read.
    QWidget* main = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!main && w != box && w->isVisible()) main = w;
    if (main) {
        box->adjustSize();
        const QRect frame = main->frameGeometry();
        const QRect screen = main->screen()->availableGeometry();
        // A window not yet shown is placed by its inside; its frame, which the
        // window manager adds, is taken to be the main window's.
        const int titleBar = main->geometry().top() - frame.top();
        QPoint at(frame.left(), frame.bottom() + 1 + titleBar);
        if (at.y() + box->height() > screen.bottom())
            at.setY(std::max(screen.top() + titleBar, frame.top() - box->height() - 1 - titleBar));
        at.setX(std::clamp(at.x(), screen.left(), std::max(screen.left(), screen.right() - box->width())));
        box->move(at);
    }
    box->show();
}

// The window whose menu holds `item`, and that item's action.
std::pair<FormView*, const QAction*> menuItem(std::string_view item) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* view = dynamic_cast<FormView*>(w))
            if (const QAction* action = view->actionFor(item)) return {view, action};
    return {nullptr, nullptr};
}

// Says in the main window's status line that the program a launcher item
// needs is not installed: "Kort-Kommandon: yelp är inte installerat."
void tellMissing(std::string_view item, const std::string& program) {
    const auto [view, action] = menuItem(item);
    if (!view) return;
    QString caption = action->text().remove(u'&').trimmed();
    while (caption.endsWith(u'.'))
        caption.chop(1);
    view->showStatus(caption + QStringLiteral(": ") + QString::fromStdString(program) +
                     QStringLiteral(" är inte installerat."));
}

} // namespace

struct QtPlatform::Services {
    // The system's services are asked by child processes: neither the start
    // nor a click waits on the system bus.
    DiscService discs{SystemBus(), kBusTimeout};
    CdTray tray{posixCdSystemCalls(), [this](const std::vector<std::string>& devices, std::function<void(bool)> then) {
                    discs.eject(devices, std::move(then));
                }};
    ShutdownDialog shutdown;
    // The colour the dialog opens with: the one chosen last.
    QColor lastColour = Qt::white;
    // What the start-up load found, which decides what later saves may replace.
    posix::LogbookFile logbook;
    // Whether the user has been told that the logbook is not saved.
    bool toldHeld = false;
    // The launcher items whose missing program the user has been told of.
    std::set<std::string> toldMissing;
    // Set as the program ends, when no window may be made any more.
    bool ending = false;
    // The logbook saves, through the guard above, off the window's thread.
    posix::WriteQueue writes{[this](const std::string& path, const SharedBytes& bytes, logbook::FileSpan fileLines) {
        return logbook.save(path, bytes.views(), fileLines);
    }};
};

QtPlatform::QtPlatform(std::filesystem::path programFolder, ViewOf viewOf,
                       std::unique_ptr<LogbookReadAhead> logbookReadAhead)
    : folder_(std::move(programFolder)), viewOf_(std::move(viewOf)), services_(std::make_unique<Services>()),
      readAhead_(std::move(logbookReadAhead)) {}

QtPlatform::~QtPlatform() = default;

QWidget* QtPlatform::ownerWidget(Window& window) const { return viewOf_ ? viewOf_(window) : nullptr; }

bool QtPlatform::clipboardClear() {
    QClipboard* cb = QGuiApplication::clipboard();
    if (cb) cb->clear(QClipboard::Clipboard);
    return cb != nullptr;
}

bool QtPlatform::clipboardSetText(const std::string& text) {
    QClipboard* cb = QGuiApplication::clipboard();
    if (cb) cb->setText(QString::fromStdString(text), QClipboard::Clipboard);
    return cb != nullptr;
}

std::optional<Colour> QtPlatform::chooseColour(Window& owner) {
    const std::optional<QColor> c = runColourDialog(services_->lastColour, ownerWidget(owner));
    if (!c) return std::nullopt;
    services_->lastColour = *c;
    return fromQColor(*c);
}

// The launcher reads the environment afresh on every use, so a program
// installed while Kavrilon runs is found. Without a program folder the
// logbook commands act on nothing, never on a file in the working folder.
bool QtPlatform::launch(const LaunchItem& item) {
    LaunchEnvironment env = LaunchEnvironment::fromSystem();
    env.logbook = posix::logbookPathIn(folder_);
    const Launcher launcher(std::move(env));
    if (launcher.launch(item)) return true;
    if (item.name == kHomepageItem) {
        if (const auto [view, action] = menuItem(kHomepageItem); view) view->showStatus(QString::fromUtf8(kNoHomepage));
        return false;
    }
    // Nothing installed stands in for the item: the status line says which
    // program is missing, the first time the item is chosen.
    if (const std::optional<std::string> missing = launcher.missingProgram(item);
        missing && services_->toldMissing.insert(std::string(item.name)).second)
        tellMissing(item.name, *missing);
    return false;
}

// The file commands act on the logbook as the saves asked so far left it: a
// delete after a save must not be undone by that save finishing later.
bool QtPlatform::shellCopy(std::string_view from, std::string_view to) {
    if (folder_.empty()) return false;
    finishWrites();
    return Media().copy(from, to);
}

bool QtPlatform::shellDelete(std::string_view path) {
    if (folder_.empty()) return false;
    finishWrites();
    return Media().remove(path);
}

void QtPlatform::messageBox(Window& owner, std::string_view text, std::string_view title) {
    QMessageBox box(QMessageBox::Information, qs(title), qs(text), QMessageBox::Ok, ownerWidget(owner));
    box.exec();
}

void QtPlatform::aboutBox(Window& owner, std::string_view appText, std::string_view otherText) {
    QMessageBox box(ownerWidget(owner));
    box.setWindowTitle(QStringLiteral("Om ") + qs(appText));
    box.setText(qs(appText));
    box.setInformativeText(qs(otherText));
    box.setIconPixmap(QApplication::windowIcon().pixmap(48, 48));
    box.setStandardButtons(QMessageBox::Ok);
    box.setWindowModality(Qt::WindowModal);
    // The window manager cuts a title longer than the box is wide: the box is
    // as wide as its title in bold, with room for the title bar's buttons.
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const QFontMetrics title(titleFont);
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(title.horizontalAdvance(box.windowTitle()) + 6 * title.height(), 0),
                      grid->rowCount(), 0, 1, grid->columnCount());
    box.exec();
}

void QtPlatform::shutdownDialog() { services_->shutdown.run(nullptr); }

bool QtPlatform::cdDoor(bool open) { return open ? services_->tray.open() : services_->tray.close(); }

std::string QtPlatform::todayShortDate() {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

// An empty path names no file: loading it finds nothing and saving it fails.
std::string QtPlatform::logbookPath() { return posix::logbookPathIn(folder_); }

std::optional<std::string> QtPlatform::readFile(const std::string& path) {
    finishWrites();
    return services_->logbook.load(path);
}

std::optional<logbook::LineImage> QtPlatform::readLines(const std::string& path) {
    if (readAhead_) {
        finishWrites();
        std::optional<LogbookReadAhead::Taken> taken = readAhead_->take(path);
        readAhead_.reset();
        if (taken) {
            services_->logbook.adopt(path, taken->stamp);
            return std::move(taken->image);
        }
    }
    return Platform::readLines(path);
}

logbook::FileChange QtPlatform::logbookChange(const std::string& path) {
    if (folder_.empty()) {
        tellLogbookHeld(services_->toldHeld, posix::LogbookFile::Hold::NoFolder, path, services_->ending);
        return logbook::FileChange::Held;
    }
    const logbook::FileChange change = services_->logbook.check(path);
    if (change == logbook::FileChange::Held)
        tellLogbookHeld(services_->toldHeld, services_->logbook.hold(), path, services_->ending);
    return change;
}

void QtPlatform::programEnding() { services_->ending = true; }

void QtPlatform::holdLogbookSaves() { services_->logbook.holdSaves(posix::LogbookFile::Hold::OtherCopy); }

bool QtPlatform::writeFileAtomic(const std::string& path, std::string_view bytes) {
    finishWrites();
    return services_->logbook.save(path, bytes);
}

void QtPlatform::writeFileAtomicLater(const std::string& path, SharedBytes bytes, logbook::FileSpan fileLines) {
    services_->writes.push(path, std::move(bytes), fileLines);
}

bool QtPlatform::finishWrites() { return services_->writes.finish(); }

void QtPlatform::endProgram() { ProgramEnd::endEventLoops(); }

} // namespace kav::qt
