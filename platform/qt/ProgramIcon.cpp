#include "platform/qt/ProgramIcon.h"

namespace kav::qt {

QIcon programIcon() {
    QIcon icon;
    // The names carry their suffix: without one, Qt would load its whole MIME
    // database at start to learn that they are PNG images.
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/kavrilon/icon-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace kav::qt
