// SPDX-License-Identifier: GPL-3.0-or-later
#include "pathkind.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>

PathKind KindOfPath(const QByteArray& nativePath) {
    struct stat st {};
    if (nativePath.isEmpty() || ::stat(nativePath.constData(), &st) != 0)
        return PathKind::Missing;
    if (S_ISDIR(st.st_mode))
        return PathKind::Folder;
    return S_ISREG(st.st_mode) ? PathKind::File : PathKind::Other;
}

bool CanOpenFileForReading(const QByteArray& nativePath) {
    if (KindOfPath(nativePath) != PathKind::File)
        return false;
    // O_NONBLOCK: the path may have been swapped for a pipe since the check above.
    const int descriptor = ::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    struct stat st {};
    const bool regular = ::fstat(descriptor, &st) == 0 && S_ISREG(st.st_mode);
    ::close(descriptor);
    return regular;
}

QByteArray CurrentNativeFolder() {
    char buffer[PATH_MAX];
    if (::getcwd(buffer, sizeof buffer) == nullptr)
        return QByteArray();
    return QByteArray(buffer);
}
