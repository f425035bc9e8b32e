// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopplaces.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// /proc/self/mounts escapes blanks, tabs, newlines and backslashes as three octal digits.
QByteArray UnescapeMountField(const QByteArray& field) {
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out.append(static_cast<char>(code));
                i += 3;
                continue;
            }
        }
        out.append(field[i]);
    }
    return out;
}

bool IsUserVolume(const QByteArray& mountPoint) {
    return mountPoint.startsWith("/media/") || mountPoint.startsWith("/run/media/") ||
           mountPoint.startsWith("/mnt/");
}

} // namespace

QList<QByteArray> MountedVolumePaths() {
    QList<QByteArray> volumes;
    QFile mounts(QStringLiteral("/proc/self/mounts"));
    if (!mounts.open(QIODevice::ReadOnly))
        return volumes;
    // A pseudo file has no size: read line by line until the end.
    while (!mounts.atEnd()) {
        const QList<QByteArray> fields = mounts.readLine().split(' ');
        if (fields.size() < 2)
            continue;
        const QByteArray mountPoint = UnescapeMountField(fields[1]);
        if (IsUserVolume(mountPoint) && !volumes.contains(mountPoint))
            volumes.append(mountPoint);
    }
    return volumes;
}

bool IsFolderPath(const QByteArray& nativePath) {
    struct stat status {};
    return !nativePath.isEmpty() && stat(nativePath.constData(), &status) == 0 &&
           S_ISDIR(status.st_mode);
}

quint32 CurrentUserId() {
    return static_cast<quint32>(getuid());
}
