// Registration of the resources compiled from kavrilon.qrc.
#include "data/Resources.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE declares the resource's init function at the point of use,
// so it must be expanded outside any namespace.
void kavInitResources() { Q_INIT_RESOURCE(kavrilon); }
