#include "platform/devices/DiscService.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QVariantMap>

#include <filesystem>

namespace kav {

namespace {

const QString kService = QStringLiteral("org.freedesktop.UDisks2");
const QString kManagerPath = QStringLiteral("/org/freedesktop/UDisks2/Manager");

QDBusMessage call(const QString& path, const QString& interface, const QString& method, const QVariantList& args) {
    QDBusMessage m = QDBusMessage::createMethodCall(kService, path, interface, method);
    m.setArguments(args);
    return m;
}

} // namespace

DiscService::DiscService(QDBusConnection bus, std::chrono::milliseconds timeout)
    : bus_(std::move(bus)), timeoutMs_(static_cast<int>(timeout.count())) {}

bool DiscService::eject(const std::vector<std::string>& devices) {
    for (const std::string& device : devices) {
        // The service knows a drive by its real node, not the distribution's alias.
        std::error_code ec;
        const std::filesystem::path real = std::filesystem::canonical(device, ec);
        const QVariantMap devspec{{QStringLiteral("path"), QString::fromStdString(ec ? device : real.string())}};
        const QDBusReply<QList<QDBusObjectPath>> blocks =
            bus_.call(call(kManagerPath, QStringLiteral("org.freedesktop.UDisks2.Manager"),
                           QStringLiteral("ResolveDevice"), {devspec, QVariantMap{}}),
                      QDBus::Block, timeoutMs_);
        if (!blocks.isValid()) {
            // No service at all, or one too old to resolve a node: the
            // other nodes would fare no better.
            const QDBusError::ErrorType type = blocks.error().type();
            if (type == QDBusError::ServiceUnknown || type == QDBusError::NoReply || type == QDBusError::Timeout)
                return false;
            continue;
        }
        if (blocks.value().isEmpty()) continue;
        const QString block = blocks.value().front().path();

        const QDBusReply<QDBusVariant> drive =
            bus_.call(call(block, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                           {QStringLiteral("org.freedesktop.UDisks2.Block"), QStringLiteral("Drive")}),
                      QDBus::Block, timeoutMs_);
        if (!drive.isValid()) continue;
        const QString drivePath = drive.value().variant().value<QDBusObjectPath>().path();
        if (drivePath.isEmpty() || drivePath == QLatin1String("/")) continue;

        // A disc that is not mounted, or holds no file system, answers with
        // an error here; the eject is asked for all the same.
        bus_.call(call(block, QStringLiteral("org.freedesktop.UDisks2.Filesystem"), QStringLiteral("Unmount"),
                       {QVariantMap{}}),
                  QDBus::Block, timeoutMs_);
        const QDBusMessage ejected = bus_.call(
            call(drivePath, QStringLiteral("org.freedesktop.UDisks2.Drive"), QStringLiteral("Eject"), {QVariantMap{}}),
            QDBus::Block, timeoutMs_);
        return ejected.type() == QDBusMessage::ReplyMessage;
    }
    return false;
}

} // namespace kav
