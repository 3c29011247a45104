// A colour read off the screen: through the desktop portal, or by an X11
// pointer grab where only that can see the screen.
#include "platform/qt/ScreenPick.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <functional>

namespace kav::qt {

namespace {

const QString kPortal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kScreenshot = QStringLiteral("org.freedesktop.portal.Screenshot");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");

// How long the portal may take to say which version it has (starting it on
// demand can take a while).
constexpr int kVersionMs = 25000;

int component(double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); }

// The colour of a portal's answer, (ddd) with each part from 0 to 1; an
// invalid colour for anything else.
QColor portalColour(const QVariant& v) {
    if (!v.canConvert<QDBusArgument>()) return {};
    const QDBusArgument arg = v.value<QDBusArgument>();
    if (arg.currentSignature() != QLatin1String("(ddd)")) return {};
    double r = 0, g = 0, b = 0;
    arg.beginStructure();
    arg >> r >> g >> b;
    arg.endStructure();
    if (!std::isfinite(r) || !std::isfinite(g) || !std::isfinite(b)) return {};
    return {component(r), component(g), component(b)};
}

// A one-pixel window that holds the pointer and the keyboard: a click reads
// the pixel under the pointer, Escape gives up. X11 gives a grab only to a
// mapped window, so the grab is tried until the window is; it lies off the
// screen, where it covers no pixel that could be picked.
class PointerGrab final : public QWidget {
public:
    using Done = std::function<void(ScreenPick::Outcome, const QColor&)>;

    explicit PointerGrab(Done done) : done_(std::move(done)) {
        setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint | Qt::WindowStaysOnTopHint);
        setAttribute(Qt::WA_DeleteOnClose);
        setGeometry(QRect(QPoint(-100, -100), QSize(1, 1)));
        show();
        QGuiApplication::setOverrideCursor(Qt::CrossCursor);
        tryGrab(kGrabTries);
    }
    ~PointerGrab() override { QGuiApplication::restoreOverrideCursor(); }

protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        const QPoint p = e->globalPosition().toPoint();
        QScreen* screen = QGuiApplication::screenAt(p);
        QColor c;
        if (screen) {
            const QRect r = screen->geometry();
            c = screen->grabWindow(0, p.x() - r.x(), p.y() - r.y(), 1, 1).toImage().pixelColor(0, 0);
        }
        finish(c.isValid() ? ScreenPick::Outcome::Picked : ScreenPick::Outcome::Failed, c);
    }
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Escape) finish(ScreenPick::Outcome::Cancelled, {});
    }

private:
    static constexpr int kGrabTries = 100;

    void tryGrab(int triesLeft) {
        QWindow* w = windowHandle();
        if (w && w->setMouseGrabEnabled(true) && w->setKeyboardGrabEnabled(true)) return;
        if (triesLeft == 0) return finish(ScreenPick::Outcome::Failed, {});
        QTimer::singleShot(20, this, [this, triesLeft] { tryGrab(triesLeft - 1); });
    }
    void finish(ScreenPick::Outcome outcome, const QColor& c) {
        if (!done_) return;
        const Done done = std::exchange(done_, nullptr);
        close();
        done(outcome, c);
    }

    Done done_;
};

} // namespace

bool x11GrabReadsScreen() {
    return QGuiApplication::platformName() == QLatin1String("xcb") &&
           qEnvironmentVariable("XDG_SESSION_TYPE") != QLatin1String("wayland") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

ScreenPick::ScreenPick(QObject* parent, const QDBusConnection& bus) : QObject(parent), bus_(bus) {
    if (!bus_.isConnected()) {
        QTimer::singleShot(0, this, [this] { settle(false); });
        return;
    }
    // PickColor came with version 2 of the screenshot portal.
    QDBusMessage get = QDBusMessage::createMethodCall(
        kPortal, kPortalPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << kScreenshot << QStringLiteral("version");
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(get, kVersionMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *w;
        const QVariant version = reply.isError() ? QVariant() : reply.value().variant();
        settle(version.metaType() == QMetaType::fromType<uint>() && version.toUInt() >= 2);
    });
}

ScreenPick::~ScreenPick() {
    // A pick still open in the portal is withdrawn with its owner.
    if (!requestHandle_.isEmpty() && bus_.isConnected())
        bus_.send(QDBusMessage::createMethodCall(kPortal, requestHandle_, kRequest, QStringLiteral("Close")));
}

void ScreenPick::settle(bool portal) {
    path_ = portal ? Path::Portal : x11GrabReadsScreen() ? Path::X11Grab : Path::None;
    Q_EMIT decided(path_);
}

void ScreenPick::pick(QWidget* window) {
    if (picking_) return Q_EMIT finished(Outcome::Failed, {});
    switch (path_) {
    case Path::Portal: picking_ = true; return pickThroughPortal(window);
    case Path::X11Grab:
        picking_ = true;
        new PointerGrab([this](Outcome outcome, const QColor& c) { end(outcome, c); });
        return;
    case Path::Checking:
    case Path::None: Q_EMIT finished(Outcome::Failed, {});
    }
}

void ScreenPick::pickThroughPortal(QWidget* window) {
    static int serial = 0;
    const QString token = QStringLiteral("kavrilon%1_%2").arg(QCoreApplication::applicationPid()).arg(++serial);
    // The portal answers on a request object whose path it derives from our
    // unique name and the token; listening there before asking means no
    // answer can slip past.
    QString sender = bus_.baseService().mid(1);
    sender.replace(u'.', u'_');
    watchRequest(QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token));

    const QString parent = window && QGuiApplication::platformName() == QLatin1String("xcb")
                               ? QStringLiteral("x11:%1").arg(window->winId(), 0, 16)
                               : QString();
    QDBusMessage call = QDBusMessage::createMethodCall(kPortal, kPortalPath, kScreenshot, QStringLiteral("PickColor"));
    call << parent << QVariantMap{{QStringLiteral("handle_token"), token}};
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *w;
        if (reply.isError()) return end(Outcome::Failed);
        // An older portal may choose another path than the one we derived.
        if (reply.value().path() != requestHandle_) watchRequest(reply.value().path());
    });
}

void ScreenPick::end(Outcome outcome, const QColor& colour) {
    watchRequest({});
    picking_ = false;
    Q_EMIT finished(outcome, colour);
}

void ScreenPick::watchRequest(const QString& handle) {
    if (!requestHandle_.isEmpty())
        bus_.disconnect(QString(), requestHandle_, kRequest, QStringLiteral("Response"), this,
                        SLOT(onResponse(uint, QVariantMap)));
    requestHandle_ = handle;
    if (!handle.isEmpty())
        bus_.connect(QString(), requestHandle_, kRequest, QStringLiteral("Response"), this,
                     SLOT(onResponse(uint, QVariantMap)));
}

// Response 0 is a pick; 1 the user cancelled, 2 the pick ended otherwise (the
// portals answer Escape in their picker so).
void ScreenPick::onResponse(uint response, const QVariantMap& results) {
    if (response != 0) return end(Outcome::Cancelled);
    const QColor c = portalColour(results.value(QStringLiteral("color")));
    end(c.isValid() ? Outcome::Picked : Outcome::Failed, c);
}

} // namespace kav::qt
