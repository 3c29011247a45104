// The screen pick through the desktop portal.
#include "platform/qt/PortalColourPick.h"

#include <QColorDialog>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace kav::qt {

namespace {

const QString kPortal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kScreenshot = QStringLiteral("org.freedesktop.portal.Screenshot");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");

// How long the bus may take to answer the opening of its handshake, and the
// portal to say which version it has (starting it on demand can take a while).
constexpr int kProbeMs = 1000;
constexpr int kVersionMs = 5000;

// The first unix socket of a D-Bus address list, as a socket address: a path
// (unix:path=...) or a name in the abstract namespace (unix:abstract=...).
bool socketAddressOf(const QString& address, sockaddr_un& out, socklen_t& len) {
    for (const QString& entry : address.split(u';', Qt::SkipEmptyParts)) {
        if (!entry.startsWith(QLatin1String("unix:"))) continue;
        for (const QString& kv : entry.mid(5).split(u',')) {
            const bool path = kv.startsWith(QLatin1String("path="));
            const bool abstract = kv.startsWith(QLatin1String("abstract="));
            if (!path && !abstract) continue;
            // Values may be %-escaped.
            const QByteArray name = QByteArray::fromPercentEncoding(kv.mid(kv.indexOf(u'=') + 1).toUtf8());
            const std::size_t offset = abstract ? 1 : 0;
            if (name.isEmpty() || static_cast<std::size_t>(name.size()) + offset >= sizeof out.sun_path) continue;
            std::memset(&out, 0, sizeof out);
            out.sun_family = AF_UNIX;
            std::memcpy(out.sun_path + offset, name.constData(), static_cast<std::size_t>(name.size()));
            len = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset +
                                         static_cast<std::size_t>(name.size()) + (abstract ? 0 : 1));
            return true;
        }
    }
    return false;
}

int component(double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); }

// The bus's Hello call in the D-Bus wire format (little endian, serial 1, no
// body): the first message every client sends after authenticating.
QByteArray helloMessage() {
    QByteArray m("l\x01\x00\x01", 4);
    auto pad = [&m](int to) {
        while (m.size() % to)
            m.append('\0');
    };
    auto u32 = [&m](quint32 v) {
        for (int i = 0; i < 4; ++i)
            m.append(static_cast<char>((v >> (8 * i)) & 0xFFu));
    };
    auto field = [&](char code, char type, const QByteArray& value) {
        pad(8);
        m.append(code);
        m.append('\x01');
        m.append(type);
        m.append('\0');
        u32(static_cast<quint32>(value.size()));
        m.append(value);
        m.append('\0');
    };
    u32(0); // body length
    u32(1); // serial
    const int arrayLengthAt = static_cast<int>(m.size());
    u32(0);
    field(1, 'o', "/org/freedesktop/DBus");
    field(2, 's', "org.freedesktop.DBus");
    field(3, 's', "Hello");
    field(6, 's', "org.freedesktop.DBus");
    const quint32 fieldsLength = static_cast<quint32>(m.size() - 16);
    for (int i = 0; i < 4; ++i)
        m[arrayLengthAt + i] = static_cast<char>((fieldsLength >> (8 * i)) & 0xFFu);
    pad(8);
    return m;
}

} // namespace

PortalColourPick::PortalColourPick(QColorDialog& dialog, QString busAddress)
    : QObject(&dialog), dialog_(&dialog), address_(std::move(busAddress)) {
    const QString caption = QColorDialog::tr("&Pick Screen Color");
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->text() == caption) button_ = b;
    if (!button_ || address_.isEmpty()) {
        path_ = Path::Toolkit;
        return;
    }
    QTimer::singleShot(0, this, &PortalColourPick::startProbe);
}

PortalColourPick::~PortalColourPick() {
    if (probeFd_ >= 0) ::close(probeFd_);
    // A pick still open in the portal is withdrawn with the dialog.
    if (!requestHandle_.isEmpty() && bus_.isConnected())
        bus_.send(QDBusMessage::createMethodCall(kPortal, requestHandle_, kRequest, QStringLiteral("Close")));
}

QString PortalColourPick::sessionBusAddress() {
    QString env = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (!env.isEmpty()) return env;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty()) return {};
    const QString socket = runtime + QStringLiteral("/bus");
    return QFileInfo::exists(socket) ? QStringLiteral("unix:path=") + socket : QString();
}

// The bus is alive when it answers the authentication and a Hello within a
// short time; a bus that accepts and never answers would otherwise hold the
// D-Bus library, and the window with it, for its default time-out of 25 s.
void PortalColourPick::startProbe() {
    sockaddr_un sa{};
    socklen_t len = 0;
    if (!socketAddressOf(address_, sa, len)) return finishProbe(false);
    probeFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (probeFd_ < 0) return finishProbe(false);
    if (::connect(probeFd_, reinterpret_cast<const sockaddr*>(&sa), len) != 0) return finishProbe(false);
    const QByteArray auth = QByteArray(1, '\0') + "AUTH EXTERNAL " + QByteArray::number(::getuid()).toHex() + "\r\n";
    if (::send(probeFd_, auth.constData(), static_cast<std::size_t>(auth.size()), MSG_NOSIGNAL) != auth.size())
        return finishProbe(false);
    probeNotifier_ = new QSocketNotifier(probeFd_, QSocketNotifier::Read, this);
    connect(probeNotifier_, &QSocketNotifier::activated, this, &PortalColourPick::probeReadable);
    probeTimer_ = new QTimer(this);
    probeTimer_->setSingleShot(true);
    connect(probeTimer_, &QTimer::timeout, this, [this] { finishProbe(false); });
    probeTimer_->start(kProbeMs);
}

void PortalColourPick::probeReadable() {
    char buf[512];
    const ssize_t n = ::recv(probeFd_, buf, sizeof buf, 0);
    if (n <= 0) return finishProbe(false);
    probeReply_.append(buf, n);
    const qsizetype lineEnd = probeReply_.indexOf("\r\n");
    if (lineEnd < 0) return;
    if (!probeReply_.startsWith("OK ")) return finishProbe(false);
    if (!helloSent_) {
        helloSent_ = true;
        const QByteArray hello = "BEGIN\r\n" + helloMessage();
        if (::send(probeFd_, hello.constData(), static_cast<std::size_t>(hello.size()), MSG_NOSIGNAL) != hello.size())
            return finishProbe(false);
    }
    // Anything after the authentication line is the bus answering the Hello.
    if (probeReply_.size() > lineEnd + 2) finishProbe(true);
}

void PortalColourPick::finishProbe(bool alive) {
    delete probeNotifier_;
    probeNotifier_ = nullptr;
    delete probeTimer_;
    probeTimer_ = nullptr;
    if (probeFd_ >= 0) ::close(probeFd_);
    probeFd_ = -1;
    if (!alive) {
        path_ = Path::Toolkit;
        return;
    }
    // One connection per bus for the program's life, shared by every dialog.
    bus_ = QDBusConnection::connectToBus(address_, QStringLiteral("kavrilon-portal ") + address_);
    if (!bus_.isConnected()) {
        path_ = Path::Toolkit;
        return;
    }
    askVersion();
}

// PickColor came with version 2 of the screenshot portal.
void PortalColourPick::askVersion() {
    QDBusMessage get = QDBusMessage::createMethodCall(
        kPortal, kPortalPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << kScreenshot << QStringLiteral("version");
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(get, kVersionMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *w;
        const bool picks = !reply.isError() && reply.value().variant().toUInt() >= 2;
        path_ = picks ? Path::Portal : Path::Toolkit;
        if (picks) takeOverButton();
    });
}

void PortalColourPick::takeOverButton() {
    if (!button_) return;
    // Qt's own grab is connected to the button's click; the portal replaces it.
    QObject::disconnect(button_, &QAbstractButton::clicked, nullptr, nullptr);
    connect(button_, &QAbstractButton::clicked, this, &PortalColourPick::pick);
}

void PortalColourPick::pick() {
    if (!dialog_ || !requestHandle_.isEmpty()) return;
    static int serial = 0;
    const QString token = QStringLiteral("kavrilon%1_%2").arg(QCoreApplication::applicationPid()).arg(++serial);
    // The portal answers on a request object whose path it derives from our
    // unique name and the token; listening there before asking means no
    // answer can slip past.
    QString sender = bus_.baseService().mid(1);
    sender.replace(u'.', u'_');
    watchRequest(QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token));

    const QString parent = QGuiApplication::platformName() == QLatin1String("xcb")
                               ? QStringLiteral("x11:%1").arg(dialog_->winId(), 0, 16)
                               : QString();
    QDBusMessage call = QDBusMessage::createMethodCall(kPortal, kPortalPath, kScreenshot, QStringLiteral("PickColor"));
    call << parent << QVariantMap{{QStringLiteral("handle_token"), token}};
    if (button_) button_->setEnabled(false);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *w;
        if (reply.isError()) return endRequest();
        // An older portal may choose another path than the one we derived.
        if (reply.value().path() != requestHandle_) watchRequest(reply.value().path());
    });
}

void PortalColourPick::watchRequest(const QString& handle) {
    if (!requestHandle_.isEmpty())
        bus_.disconnect(QString(), requestHandle_, kRequest, QStringLiteral("Response"), this,
                        SLOT(onResponse(uint, QVariantMap)));
    requestHandle_ = handle;
    bus_.connect(QString(), requestHandle_, kRequest, QStringLiteral("Response"), this,
                 SLOT(onResponse(uint, QVariantMap)));
}

void PortalColourPick::endRequest() {
    if (!requestHandle_.isEmpty())
        bus_.disconnect(QString(), requestHandle_, kRequest, QStringLiteral("Response"), this,
                        SLOT(onResponse(uint, QVariantMap)));
    requestHandle_.clear();
    if (button_) button_->setEnabled(true);
}

// Response 0 is a pick; 1 the user cancelled, 2 the portal gave up.
void PortalColourPick::onResponse(uint response, const QVariantMap& results) {
    endRequest();
    if (response != 0 || !dialog_) return;
    const QVariant v = results.value(QStringLiteral("color"));
    if (!v.canConvert<QDBusArgument>()) return;
    double r = 0, g = 0, b = 0;
    const QDBusArgument arg = v.value<QDBusArgument>();
    arg.beginStructure();
    arg >> r >> g >> b;
    arg.endStructure();
    dialog_->setCurrentColor(QColor(component(r), component(g), component(b)));
}

} // namespace kav::qt
