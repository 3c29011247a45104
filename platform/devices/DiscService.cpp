#include "platform/devices/DiscService.h"

#include <filesystem>

namespace kav {

namespace {

// How long the disk service may take to unmount a disc, or the drive to eject it.
constexpr std::chrono::milliseconds kMoveTimeout{10000};

// A call to udisks2: `method` from "org.freedesktop." on; the arguments are
// most often the options, none given.
BusCall udisks(const QString& object, const char* method, QStringList args = {QStringLiteral("@a{sv} {}")}) {
    return {QStringLiteral("org.freedesktop.UDisks2"), object,
            QStringLiteral("org.freedesktop.") + QLatin1String(method), std::move(args)};
}

// The first quoted value of a reply as gdbus prints it, such as the path in
// "([objectpath '/org/freedesktop/UDisks2/block_devices/sr0'],)"; empty
// when there is none.
QString firstQuoted(const std::optional<QString>& reply) {
    const qsizetype from = reply ? reply->indexOf(u'\'') : -1;
    const qsizetype to = from < 0 ? -1 : reply->indexOf(u'\'', from + 1);
    return to < 0 ? QString() : reply->mid(from + 1, to - from - 1);
}

} // namespace

void DiscService::eject(std::vector<std::string> devices, const Done& done) {
    if (devices.empty()) return done(false);
    // The service knows a drive by its real node, not the distribution's alias.
    std::error_code ec;
    const std::filesystem::path real = std::filesystem::canonical(devices.front(), ec);
    const QString node = QString::fromStdString(ec ? devices.front() : real.string());
    devices.erase(devices.begin());
    const BusCall resolve = udisks(QStringLiteral("/org/freedesktop/UDisks2/Manager"), "UDisks2.Manager.ResolveDevice",
                                   {QStringLiteral("{'path': <'%1'>}").arg(node), QStringLiteral("@a{sv} {}")});
    bus_.call(resolve, timeout_, this, [this, devices, done](const std::optional<QString>& blocks) {
        // No service at all, or a mute bus: the other nodes would fare no better.
        if (!blocks) return done(false);
        const QString block = firstQuoted(blocks);
        if (block.isEmpty()) return eject(devices, done);
        const BusCall drive = udisks(block, "DBus.Properties.Get",
                                     {QStringLiteral("org.freedesktop.UDisks2.Block"), QStringLiteral("Drive")});
        bus_.call(drive, timeout_, this, [this, block, devices, done](const std::optional<QString>& reply) {
            const QString drivePath = firstQuoted(reply);
            if (drivePath.isEmpty() || drivePath == QLatin1String("/")) return eject(devices, done);
            // A disc that is not mounted, or holds no file system, answers
            // with an error here; the eject is asked for all the same.
            bus_.call(udisks(block, "UDisks2.Filesystem.Unmount"), kMoveTimeout, this,
                      [this, drivePath, done](const std::optional<QString>&) {
                          bus_.call(udisks(drivePath, "UDisks2.Drive.Eject"), kMoveTimeout, this,
                                    [done](const std::optional<QString>& r) { done(r.has_value()); });
                      });
        });
    });
}

} // namespace kav
