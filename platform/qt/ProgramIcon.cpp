#include "platform/qt/ProgramIcon.h"

namespace kav::qt {

QIcon programIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/kavrilon/icon-%1").arg(size), QSize(size, size));
    return icon;
}

} // namespace kav::qt
