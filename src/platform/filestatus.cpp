// SPDX-License-Identifier: GPL-3.0-or-later
#include "filestatus.h"

#include "attributes.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace {

bool StatusAt(int folderDescriptor, const char* path, FILESTATUS& status) {
    struct statx sx {};
    const unsigned mask =
        STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_ATIME | STATX_MTIME | STATX_BTIME;
    if (statx(folderDescriptor, path, AT_SYMLINK_NOFOLLOW | AT_STATX_SYNC_AS_STAT, mask, &sx) != 0)
        return false;
    status.isFolder = S_ISDIR(sx.stx_mode);
    status.size = status.isFolder ? 0 : sx.stx_size;
    status.mode = sx.stx_mode;
    status.modified = TimeValueFromFileTime(sx.stx_mtime.tv_sec);
    status.accessed = TimeValueFromFileTime(sx.stx_atime.tv_sec);
    status.created = (sx.stx_mask & STATX_BTIME) ? TimeValueFromFileTime(sx.stx_btime.tv_sec) : 0;
    return true;
}

} // namespace

bool ReadFileStatus(const QByteArray& nativePath, FILESTATUS& status) {
    return StatusAt(AT_FDCWD, nativePath.constData(), status);
}

bool ReadFileStatusAt(int folderDescriptor, const QByteArray& nativeName, FILESTATUS& status) {
    // A name holds no slash, so it can never leave the folder; an empty name would mean
    // the folder itself.
    if (folderDescriptor < 0 || nativeName.isEmpty() || nativeName.contains('/'))
        return false;
    return StatusAt(folderDescriptor, nativeName.constData(), status);
}

bool IsSymbolicLink(const FILESTATUS& status) {
    return S_ISLNK(status.mode);
}

quint32 AttributesOf(const FILESTATUS& status, const QByteArray& nativeName) {
    quint32 attributes = 0;
    if (!(status.mode & S_IWUSR))
        attributes |= AttrReadOnly;
    if (nativeName.startsWith('.'))
        attributes |= AttrHidden;
    if (status.isFolder)
        attributes |= AttrDirectory;
    return attributes;
}
