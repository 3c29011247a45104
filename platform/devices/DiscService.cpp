#include "platform/devices/DiscService.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QVariantMap>

#include <filesystem>

namespace kav {

DiscService::DiscService(QDBusConnection bus, std::chrono::milliseconds timeout)
    : bus_(std::move(bus)), timeoutMs_(static_cast<int>(timeout.count())) {}

bool DiscService::eject(const std::vector<std::string>& devices) {
    // One call to udisks2, waiting at most the timeout.
    const auto ask = [this](const QString& path, const char* interface, const char* method, const QVariantList& args) {
        QDBusMessage m = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.UDisks2"), path,
                                                        QLatin1String(interface), QLatin1String(method));
        m.setArguments(args);
        return bus_.call(m, QDBus::Block, timeoutMs_);
    };
    for (const std::string& device : devices) {
        // The service knows a drive by its real node, not the distribution's alias.
        std::error_code ec;
        const std::filesystem::path real = std::filesystem::canonical(device, ec);
        const QVariantMap devspec{{QStringLiteral("path"), QString::fromStdString(ec ? device : real.string())}};
        const QDBusReply<QList<QDBusObjectPath>> blocks =
            ask(QStringLiteral("/org/freedesktop/UDisks2/Manager"), "org.freedesktop.UDisks2.Manager", "ResolveDevice",
                {devspec, QVariantMap{}});
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
            ask(block, "org.freedesktop.DBus.Properties", "Get",
                {QStringLiteral("org.freedesktop.UDisks2.Block"), QStringLiteral("Drive")});
        if (!drive.isValid()) continue;
        const QString drivePath = drive.value().variant().value<QDBusObjectPath>().path();
        if (drivePath.isEmpty() || drivePath == QLatin1String("/")) continue;

        // A disc that is not mounted, or holds no file system, answers with
        // an error here; the eject is asked for all the same.
        ask(block, "org.freedesktop.UDisks2.Filesystem", "Unmount", {QVariantMap{}});
        return ask(drivePath, "org.freedesktop.UDisks2.Drive", "Eject", {QVariantMap{}}).type() ==
               QDBusMessage::ReplyMessage;
    }
    return false;
}

} // namespace kav
