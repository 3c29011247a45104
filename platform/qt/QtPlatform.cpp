#include "platform/qt/QtPlatform.h"

#include "logbook/LogbookFile.h"
#include "platform/devices/CdTray.h"
#include "platform/devices/DiscService.h"
#include "platform/devices/ShutdownDialog.h"
#include "platform/launch/Launcher.h"
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
#include <set>
#include <string_view>

namespace kav::qt {

namespace {

// F11's menu item, the program's homepage. When it opens nothing, the status
// line says so every time: no page, or nothing to show it with.
constexpr std::string_view kHomepageItem = "color";
constexpr const char* kNoHomepage =
    "Programmets hemsida kan inte öppnas: det finns ingen sida eller webbläsare att visa den med.";

// How long the disk service may take to answer before the tray goes on without it.
constexpr std::chrono::milliseconds kBusTimeout{2000};

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
    CdTray tray{posixCdSystemCalls(), [this](const std::vector<std::string>& devices,
                                             const std::function<void(bool)>& then) { discs.eject(devices, then); }};
    ShutdownDialog shutdown;
    // The colour the dialog opens with: the one chosen last.
    QColor lastColour = Qt::white;
    // The launcher items whose missing program the user has been told of.
    std::set<std::string> toldMissing;
};

QtPlatform::QtPlatform(std::filesystem::path programFolder, ViewOf viewOf)
    : folder_(std::move(programFolder)), viewOf_(std::move(viewOf)), services_(std::make_unique<Services>()) {}

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
    env.logbook = logbook::logbookPathIn(folder_);
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

void QtPlatform::endProgram() { ProgramEnd::endEventLoops(); }

// Below the main window, or above it where there is no room below, so the
// panel's buttons stay free while the box is read.
void showLogbookHeld(const std::string& text) {
    auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Kavrilon - loggboken"),
                                QString::fromStdString(text), QMessageBox::Ok);
    // The command can be selected and copied into a terminal.
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->setObjectName(QStringLiteral("logbookHeld"));
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

} // namespace kav::qt
