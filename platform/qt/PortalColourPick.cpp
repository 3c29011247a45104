// The colour dialog, and its screen pick through the desktop portal.
#include "platform/qt/PortalColourPick.h"

#include "platform/dbus/BusProbe.h"
#include "platform/qt/ColourDialog.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>

namespace kav::qt {

namespace {

const QString kPortal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kScreenshot = QStringLiteral("org.freedesktop.portal.Screenshot");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");

// How long the bus may take to answer the opening of its handshake, and the
// portal to say which version it has (starting it on demand can take a while).
constexpr std::chrono::milliseconds kProbeTime{1000};
constexpr int kVersionMs = 5000;

int component(double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); }

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
    // A bus that accepts and never answers would otherwise hold the D-Bus
    // library, and the window with it, for its default time-out of 25 s.
    dbus::probe(address_.toStdString(), kProbeTime, this, [this](bool alive) { finishProbe(alive); });
}

PortalColourPick::~PortalColourPick() {
    // A pick still open in the portal is withdrawn with the dialog.
    if (!requestHandle_.isEmpty() && bus_.isConnected())
        bus_.send(QDBusMessage::createMethodCall(kPortal, requestHandle_, kRequest, QStringLiteral("Close")));
}

void PortalColourPick::finishProbe(bool alive) {
    // One connection per bus for the program's life, shared by every dialog.
    const auto bus = alive ? dbus::connect(address_, QStringLiteral("kavrilon-portal ") + address_) : std::nullopt;
    if (!bus) {
        path_ = Path::Toolkit;
        return;
    }
    bus_ = *bus;
    // PickColor came with version 2 of the screenshot portal.
    QDBusMessage get = QDBusMessage::createMethodCall(
        kPortal, kPortalPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << kScreenshot << QStringLiteral("version");
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(get, kVersionMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *w;
        const bool picks = !reply.isError() && reply.value().variant().toUInt() >= 2;
        path_ = picks ? Path::Portal : Path::Toolkit;
        if (!picks || !button_) return;
        // Qt's own grab is connected to the button's click; the portal replaces it.
        QObject::disconnect(button_, &QAbstractButton::clicked, nullptr, nullptr);
        connect(button_, &QAbstractButton::clicked, this, &PortalColourPick::pick);
    });
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
        if (reply.isError()) return watchRequest({});
        // An older portal may choose another path than the one we derived.
        if (reply.value().path() != requestHandle_) watchRequest(reply.value().path());
    });
}

void PortalColourPick::watchRequest(const QString& handle) {
    if (!requestHandle_.isEmpty())
        bus_.disconnect(QString(), requestHandle_, kRequest, QStringLiteral("Response"), this,
                        SLOT(onResponse(uint, QVariantMap)));
    requestHandle_ = handle;
    if (!handle.isEmpty())
        bus_.connect(QString(), requestHandle_, kRequest, QStringLiteral("Response"), this,
                     SLOT(onResponse(uint, QVariantMap)));
    else if (button_)
        button_->setEnabled(true);
}

// Response 0 is a pick; 1 the user cancelled, 2 the portal gave up.
void PortalColourPick::onResponse(uint response, const QVariantMap& results) {
    watchRequest({});
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

std::optional<QColor> runColourDialog(const QColor& initial, QWidget* parent) {
    // A colour dialog built while native dialogs are allowed hands its colour
    // to the desktop theme's hidden dialog (under GNOME's it then opens at
    // black and answers white): none is made, and only then is it coloured.
    const bool nativeRefused = QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs);
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, true);
    QColorDialog dialog(parent);
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, nativeRefused);
    dialog.setOption(QColorDialog::DontUseNativeDialog, true);
    dialog.setCurrentColor(initial);
    if (parent) dialog.setWindowModality(Qt::WindowModal);
    new PortalColourPick(dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QColor c = dialog.selectedColor();
    return c.isValid() ? std::optional(c) : std::nullopt;
}

} // namespace kav::qt
