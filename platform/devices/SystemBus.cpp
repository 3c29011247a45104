#include "platform/devices/SystemBus.h"

#include <QProcess>
#include <QTimer>

namespace kav {

namespace {

const QString kGdbus = QStringLiteral("gdbus");

// One call under way, ended with its owner: it then calls nothing back.
class Call final : public QProcess {
public:
    Call(QObject* context, SystemBus::Reply done) : QProcess(context), done_(std::move(done)) {
        setStandardInputFile(QProcess::nullDevice());
        setStandardErrorFile(QProcess::nullDevice());
        connect(this, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
            end(status == QProcess::NormalExit && code == 0 ? std::optional(QString::fromUtf8(readAllStandardOutput()))
                                                            : std::nullopt);
        });
        connect(this, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart) end(std::nullopt);
        });
    }
    ~Call() override {
        disconnect();
        if (state() == QProcess::NotRunning) return;
        kill();
        waitForFinished();
    }

private:
    void end(const std::optional<QString>& reply) {
        deleteLater();
        if (const SystemBus::Reply done = std::exchange(done_, nullptr)) done(reply);
    }

    SystemBus::Reply done_;
};

} // namespace

QStringList SystemBus::arguments(const BusCall& call, bool interactive) const {
    QStringList args{QStringLiteral("call"),
                     address_.isEmpty() ? QStringLiteral("--system") : QStringLiteral("--address=") + address_,
                     QStringLiteral("--dest=") + call.service, QStringLiteral("--object-path=") + call.object,
                     QStringLiteral("--method=") + call.method};
    // The user may take a while over polkit's password; the call waits so
    // long that logind and polkit, not gdbus, decide when it ends.
    if (interactive) args << QStringLiteral("--interactive") << QStringLiteral("--timeout=3600");
    return args + call.args;
}

void SystemBus::call(const BusCall& call, std::chrono::milliseconds timeout, QObject* context, Reply done) const {
    auto* child = new Call(context, std::move(done));
    QTimer::singleShot(timeout, child, &QProcess::kill);
    child->start(kGdbus, arguments(call, false));
}

bool SystemBus::send(const BusCall& call) const {
    QProcess child;
    child.setProgram(kGdbus);
    child.setArguments(arguments(call, true));
    child.setStandardInputFile(QProcess::nullDevice());
    child.setStandardOutputFile(QProcess::nullDevice());
    child.setStandardErrorFile(QProcess::nullDevice());
    return child.startDetached();
}

} // namespace kav
