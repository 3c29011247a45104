#pragma once
// A dbus-daemon of a test's own, listening in a temporary folder, for tests
// of code that talks to a system service over D-Bus. Nothing on it reaches
// the machine's real buses.

#include "tests/support/TempDir.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>

namespace kav::test {

class PrivateBus {
public:
    // Listens at `listen` (D-Bus address form), or in the temporary folder.
    bool start(const QString& listen = {}) {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (program.isEmpty()) return false;
        daemon_.setProgram(program);
        daemon_.setArguments(
            {QStringLiteral("--session"), QStringLiteral("--print-address"), QStringLiteral("--nofork"),
             QStringLiteral("--address=") +
                 (listen.isEmpty() ? QStringLiteral("unix:dir=") + QString::fromStdString(dir_.path().string())
                                   : listen)});
        daemon_.setProcessChannelMode(QProcess::SeparateChannels);
        daemon_.setStandardErrorFile(QProcess::nullDevice());
        daemon_.start();
        if (!daemon_.waitForStarted(5000)) return false;
        while (!daemon_.canReadLine())
            if (!daemon_.waitForReadyRead(5000)) return false;
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
        return !address_.isEmpty();
    }
    ~PrivateBus() {
        if (daemon_.state() == QProcess::NotRunning) return;
        daemon_.terminate();
        if (!daemon_.waitForFinished(3000)) {
            daemon_.kill();
            daemon_.waitForFinished(3000);
        }
    }
    const QString& address() const { return address_; }

private:
    TempDir dir_;
    QProcess daemon_;
    QString address_;
};

} // namespace kav::test
