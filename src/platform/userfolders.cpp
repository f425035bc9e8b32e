// SPDX-License-Identifier: GPL-3.0-or-later
#include "userfolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <climits>
#include <unistd.h>

namespace {

QString ProgramFolder(QStandardPaths::StandardLocation base) {
    return QDir(QStandardPaths::writableLocation(base))
        .filePath(QStringLiteral("Tarnwick/Quorvin"));
}

} // namespace

QString ExecutableFolder() {
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return QString();
    return QFileInfo(QFile::decodeName(QByteArray(buffer, length))).absolutePath();
}

QString UserConfigFolder() {
    return ProgramFolder(QStandardPaths::GenericConfigLocation);
}

QString UserDataFolder() {
    return ProgramFolder(QStandardPaths::GenericDataLocation);
}

bool IsWritableFile(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    return access(native.constData(), F_OK) == 0 && access(native.constData(), W_OK) == 0;
}

bool PathExists(const QString& path) {
    return !path.isEmpty() && access(QFile::encodeName(path).constData(), F_OK) == 0;
}

bool EnsureFolder(const QString& path) {
    return QDir().mkpath(path);
}
