// SPDX-License-Identifier: GPL-3.0-or-later
#include "filechanges.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace {

bool ReadMode(const QByteArray& path, mode_t& mode) {
    struct stat st {};
    if (lstat(path.constData(), &st) != 0)
        return false;
    mode = st.st_mode;
    return true;
}

timespec TimeOf(TimeValue value) {
    timespec ts{};
    if (value == 0)
        ts.tv_nsec = UTIME_OMIT;
    else
        ts.tv_sec = static_cast<time_t>(FileTimeFromTimeValue(value));
    return ts;
}

} // namespace

bool WriteReadOnly(const QByteArray& nativePath, bool readOnly) {
    mode_t mode = 0;
    if (!ReadMode(nativePath, mode) || S_ISLNK(mode))
        return false;
    const mode_t permissions = mode & 07777;
    const mode_t wanted = readOnly ? (permissions & ~mode_t(0222)) : (permissions | S_IWUSR);
    return wanted == permissions || chmod(nativePath.constData(), wanted) == 0;
}

bool WritePermissions(const QByteArray& nativePath, quint32 permissions) {
    mode_t mode = 0;
    if (!ReadMode(nativePath, mode) || S_ISLNK(mode))
        return false;
    return chmod(nativePath.constData(), static_cast<mode_t>(permissions & 07777)) == 0;
}

bool WriteFileTimes(const QByteArray& nativePath, TimeValue accessed, TimeValue modified) {
    const timespec times[2] = {TimeOf(accessed), TimeOf(modified)};
    return utimensat(AT_FDCWD, nativePath.constData(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

bool CanWriteCreationTime() {
    return false;
}
