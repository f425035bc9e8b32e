// SPDX-License-Identifier: GPL-3.0-or-later
#include "linktarget.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>

QByteArray FollowLinks(const QByteArray& nativePath) {
    struct stat status {};
    if (::lstat(nativePath.constData(), &status) != 0 || !S_ISLNK(status.st_mode))
        return nativePath;
    char* resolved = ::realpath(nativePath.constData(), nullptr);
    if (!resolved)
        return nativePath;
    QByteArray target(resolved);
    std::free(resolved);
    return target;
}

EntryKind KindOfEntry(const QByteArray& nativePath) {
    struct stat status {};
    if (::lstat(nativePath.constData(), &status) != 0)
        return EntryKind::Other;
    if (S_ISDIR(status.st_mode))
        return EntryKind::Folder;
    return S_ISREG(status.st_mode) ? EntryKind::File : EntryKind::Other;
}
