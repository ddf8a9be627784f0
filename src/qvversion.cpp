#include "qvversion.h"

QString Qvplot2DVersion() {
    return QStringLiteral(QVPLOT2D_VERSION_STRING);
}
