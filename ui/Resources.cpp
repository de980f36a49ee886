#include "ui/Resources.h"

#include <QFile>

namespace mctf {

QString ArtForScale(const char* resource, qreal devicePixelRatio) {
    QString path = QString::fromLatin1(resource);
    if (devicePixelRatio <= 1.0) return path;
    qsizetype dot = path.lastIndexOf('.');
    QString sharp = path.left(dot) + "@2x" + path.mid(dot);
    return QFile::exists(sharp) ? sharp : path;
}

}  // namespace mctf
