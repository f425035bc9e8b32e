// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileoperations.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct DESCRIPTOR {
    int fd = -1;
    explicit DESCRIPTOR(int descriptor) : fd(descriptor) {}
    ~DESCRIPTOR() {
        if (fd >= 0)
            ::close(fd);
    }
    DESCRIPTOR(const DESCRIPTOR&) = delete;
    DESCRIPTOR& operator=(const DESCRIPTOR&) = delete;
};

FILEOPRESULT Success() {
    FILEOPRESULT result;
    result.ok = true;
    return result;
}

FILEOPRESULT Failure(int error) {
    FILEOPRESULT result;
    result.error = error;
    result.errorText = ErrorText(error);
    return result;
}

FILEOPRESULT FromCall(int rc) {
    return rc == 0 ? Success() : Failure(errno);
}

// "." and ".." name the folder itself or its parent, never an entry that can be renamed.
// Checked before every move: looks at the last part in place.
bool IsDotName(const QByteArray& path) {
    const char* name = path.constData() + path.lastIndexOf('/') + 1;
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

QByteArray FolderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// A file that is found under both names is one file on a case-insensitive file system.
// Hard links are excluded: renaming one link onto another does nothing at all.
bool IsCaseOnlySameFile(const QByteArray& from, const QByteArray& to) {
    struct stat a {};
    struct stat b {};
    if (lstat(from.constData(), &a) != 0 || lstat(to.constData(), &b) != 0)
        return false;
    if (a.st_dev != b.st_dev || a.st_ino != b.st_ino)
        return false;
    if (!S_ISDIR(a.st_mode) && a.st_nlink != 1)
        return false;
    return QString::fromUtf8(from).compare(QString::fromUtf8(to), Qt::CaseInsensitive) == 0;
}

int WriteAll(int fd, const char* data, ssize_t length) {
    while (length > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(length));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return errno;
        data += written;
        length -= written;
    }
    return 0;
}

int CopyContents(int in, int out) {
    QByteArray buffer(256 * 1024, Qt::Uninitialized);
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), static_cast<size_t>(buffer.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        if (got == 0)
            return 0;
        if (const int error = WriteAll(out, buffer.constData(), got))
            return error;
    }
}

// The copy is complete on disk, with the source's permissions and times, before anyone
// may rely on it.
FILEOPRESULT WriteCopy(int in, int out, const struct stat& source) {
    if (const int error = CopyContents(in, out))
        return Failure(error);
    if (fchmod(out, source.st_mode & 07777) != 0)
        return Failure(errno);
    const timespec times[2] = {source.st_atim, source.st_mtim};
    if (futimens(out, times) != 0 || fsync(out) != 0)
        return Failure(errno);
    return Success();
}

void SyncFolderOf(const QByteArray& path) {
    const DESCRIPTOR folder(::open(FolderOf(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.fd >= 0)
        fsync(folder.fd);
}

// Written as an anonymous file and linked under its name only when complete, so that no
// half-written file ever carries the target's name; linking never replaces.
FILEOPRESULT CopyToNewFile(int in, const struct stat& source, const QByteArray& to) {
    const DESCRIPTOR anonymous(
        ::open(FolderOf(to).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    if (anonymous.fd >= 0) {
        const FILEOPRESULT written = WriteCopy(in, anonymous.fd, source);
        if (!written.ok)
            return written;
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(anonymous.fd);
        if (linkat(AT_FDCWD, self.constData(), AT_FDCWD, to.constData(), AT_SYMLINK_FOLLOW) != 0)
            return Failure(errno);
        SyncFolderOf(to);
        return Success();
    }
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        return Failure(errno);
    const DESCRIPTOR named(::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (named.fd < 0)
        return Failure(errno);
    const FILEOPRESULT written = WriteCopy(in, named.fd, source);
    if (!written.ok)
        ::unlink(to.constData());
    else
        SyncFolderOf(to);
    return written;
}

// The target is replaced by one rename of a complete copy, never deleted first.
FILEOPRESULT CopyReplacingFile(int in, const struct stat& source, const QByteArray& to) {
    QByteArray temporary = FolderOf(to) + "/.qvn-copy-XXXXXX";
    const DESCRIPTOR out(mkostemp(temporary.data(), O_CLOEXEC));
    if (out.fd < 0)
        return Failure(errno);
    FILEOPRESULT result = WriteCopy(in, out.fd, source);
    if (result.ok)
        result = FromCall(::rename(temporary.constData(), to.constData()));
    if (!result.ok)
        ::unlink(temporary.constData());
    else
        SyncFolderOf(to);
    return result;
}

FILEOPRESULT CopyLinkAcross(const QByteArray& from, const QByteArray& to, const struct stat& st) {
    QByteArray target(static_cast<qsizetype>(st.st_size) + 1, Qt::Uninitialized);
    const ssize_t length =
        readlink(from.constData(), target.data(), static_cast<size_t>(target.size()));
    if (length < 0)
        return Failure(errno);
    target.truncate(length);
    if (symlink(target.constData(), to.constData()) != 0)
        return Failure(errno);
    const timespec times[2] = {st.st_atim, st.st_mtim};
    utimensat(AT_FDCWD, to.constData(), times, AT_SYMLINK_NOFOLLOW);
    return Success();
}

FILEOPRESULT CopyAcross(const QByteArray& from, const QByteArray& to, const struct stat& st,
                        bool replace) {
    if (S_ISLNK(st.st_mode))
        return CopyLinkAcross(from, to, st);
    const DESCRIPTOR in(::open(from.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (in.fd < 0)
        return Failure(errno);
    return replace ? CopyReplacingFile(in.fd, st, to) : CopyToNewFile(in.fd, st, to);
}

// The source is removed only once the copy is complete; if it cannot be removed, a copy
// that replaced nothing is taken back so that the entry exists once, under its old name.
FILEOPRESULT MoveAcross(const QByteArray& from, const QByteArray& to, bool replace) {
    struct stat st {};
    if (lstat(from.constData(), &st) != 0)
        return Failure(errno);
    if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode))
        return Failure(EXDEV);
    const FILEOPRESULT copied = CopyAcross(from, to, st, replace);
    if (!copied.ok)
        return copied;
    if (::unlink(from.constData()) == 0)
        return Success();
    const int error = errno;
    if (!replace)
        ::unlink(to.constData());
    return Failure(error);
}

FILEOPRESULT AfterRefusal(const QByteArray& from, const QByteArray& to, int error) {
    if ((error == EEXIST || error == ENOTEMPTY) && IsCaseOnlySameFile(from, to))
        return FromCall(::rename(from.constData(), to.constData()));
    if (error == EXDEV)
        return MoveAcross(from, to, false);
    return Failure(error);
}

} // namespace

bool FILEOPRESULT::AlreadyExists() const {
    return !ok && (error == EEXIST || error == ENOTEMPTY);
}

bool FILEIDENTITY::IsFolder() const {
    return S_ISDIR(mode);
}

bool FILEIDENTITY::SameFile(const FILEIDENTITY& other) const {
    return device == other.device && inode == other.inode;
}

bool FILEIDENTITY::SameContentStamp(const FILEIDENTITY& other) const {
    return (mode & S_IFMT) == (other.mode & S_IFMT) && size == other.size &&
           modifiedSeconds == other.modifiedSeconds &&
           modifiedNanoseconds == other.modifiedNanoseconds;
}

FILEOPRESULT MoveNoReplace(const QByteArray& from, const QByteArray& to) {
    if (IsDotName(from) || IsDotName(to))
        return Failure(EINVAL);
    if (renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return Success();
    const int error = errno;
    if (error == EINVAL || error == ENOSYS)
        return MoveNoReplaceByLink(from, to);
    return AfterRefusal(from, to, error);
}

FILEOPRESULT MoveNoReplaceAt(int fromFolder, const char* fromName, int toFolder, const char* toName,
                             const QByteArray& from, const QByteArray& to) {
    if (fromFolder < 0 || toFolder < 0)
        return MoveNoReplace(from, to);
    if (IsDotName(from) || IsDotName(to))
        return Failure(EINVAL);
    if (renameat2(fromFolder, fromName, toFolder, toName, RENAME_NOREPLACE) == 0)
        return Success();
    const int error = errno;
    if (error == EINVAL || error == ENOSYS)
        return MoveNoReplaceByLink(from, to);
    return AfterRefusal(from, to, error);
}

FILEOPRESULT MoveNoReplaceByLink(const QByteArray& from, const QByteArray& to) {
    if (IsDotName(from) || IsDotName(to))
        return Failure(EINVAL);
    struct stat st {};
    if (lstat(from.constData(), &st) != 0)
        return Failure(errno);
    if (S_ISDIR(st.st_mode))
        return MoveNoReplaceByCheck(from, to);
    if (link(from.constData(), to.constData()) == 0) {
        if (::unlink(from.constData()) == 0)
            return Success();
        const int error = errno;
        ::unlink(to.constData());
        return Failure(error);
    }
    const int error = errno;
    if (error == EPERM || error == EOPNOTSUPP || error == EMLINK)
        return MoveNoReplaceByCheck(from, to);
    return AfterRefusal(from, to, error);
}

FILEOPRESULT MoveNoReplaceByCheck(const QByteArray& from, const QByteArray& to) {
    if (IsDotName(from) || IsDotName(to))
        return Failure(EINVAL);
    if (NativePathExists(to))
        return AfterRefusal(from, to, EEXIST);
    if (::rename(from.constData(), to.constData()) == 0)
        return Success();
    return AfterRefusal(from, to, errno);
}

FILEOPRESULT MoveReplacingFile(const QByteArray& from, const QByteArray& to) {
    if (IsDotName(from) || IsDotName(to))
        return Failure(EINVAL);
    struct stat source {};
    if (lstat(from.constData(), &source) != 0)
        return Failure(errno);
    struct stat target {};
    const bool targetIsFolder = lstat(to.constData(), &target) == 0 && S_ISDIR(target.st_mode);
    if (S_ISDIR(source.st_mode) || targetIsFolder)
        return MoveNoReplace(from, to);
    if (::rename(from.constData(), to.constData()) == 0)
        return Success();
    if (errno == EXDEV)
        return MoveAcross(from, to, true);
    return Failure(errno);
}

FILEOPRESULT CopyFileTo(const QByteArray& from, const QByteArray& to, bool overwrite) {
    if (IsDotName(to))
        return Failure(EINVAL);
    struct stat st {};
    if (stat(from.constData(), &st) != 0)
        return Failure(errno);
    if (S_ISDIR(st.st_mode))
        return Failure(EISDIR);
    if (!S_ISREG(st.st_mode))
        return Failure(EINVAL);
    const DESCRIPTOR in(::open(from.constData(), O_RDONLY | O_CLOEXEC));
    if (in.fd < 0)
        return Failure(errno);
    return overwrite ? CopyReplacingFile(in.fd, st, to) : CopyToNewFile(in.fd, st, to);
}

FILEOPRESULT DeleteFileAt(const QByteArray& path) {
    struct stat st {};
    if (lstat(path.constData(), &st) != 0)
        return Failure(errno);
    if (S_ISDIR(st.st_mode))
        return Failure(EISDIR);
    return FromCall(::unlink(path.constData()));
}

bool NativePathExists(const QByteArray& path) {
    struct stat st {};
    return lstat(path.constData(), &st) == 0;
}

namespace {

bool IdentityAt(int folder, const char* path, FILEIDENTITY& identity) {
    struct stat st {};
    if (fstatat(folder, path, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    identity.device = st.st_dev;
    identity.inode = st.st_ino;
    identity.size = static_cast<quint64>(st.st_size);
    identity.mode = st.st_mode;
    identity.modifiedSeconds = st.st_mtim.tv_sec;
    identity.modifiedNanoseconds = static_cast<qint32>(st.st_mtim.tv_nsec);
    identity.accessedSeconds = st.st_atim.tv_sec;
    identity.accessedNanoseconds = static_cast<qint32>(st.st_atim.tv_nsec);
    return true;
}

} // namespace

bool ReadFileIdentity(const QByteArray& path, FILEIDENTITY& identity) {
    return IdentityAt(AT_FDCWD, path.constData(), identity);
}

bool ReadFileIdentityAt(int folder, const char* name, FILEIDENTITY& identity) {
    // A name with a slash could leave the folder, and an empty one would mean the folder.
    if (folder < 0 || !name || *name == 0 || std::strchr(name, '/'))
        return false;
    return IdentityAt(folder, name, identity);
}

bool WriteExactTimes(const QByteArray& path, const FILEIDENTITY& times) {
    timespec values[2]{};
    values[0].tv_sec = static_cast<time_t>(times.accessedSeconds);
    values[0].tv_nsec = times.accessedNanoseconds;
    values[1].tv_sec = static_cast<time_t>(times.modifiedSeconds);
    values[1].tv_nsec = times.modifiedNanoseconds;
    return utimensat(AT_FDCWD, path.constData(), values, AT_SYMLINK_NOFOLLOW) == 0;
}

bool MakeExecutable(const QByteArray& path) {
    struct stat st {};
    if (stat(path.constData(), &st) != 0)
        return false;
    const mode_t mode = st.st_mode & 07777;
    return chmod(path.constData(), mode | ((mode & 0444) >> 2)) == 0;
}

QString ErrorText(int error) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    if (cLocale == locale_t(nullptr))
        return QStringLiteral("Error (%1)").arg(error);
    return QStringLiteral("%1 (%2)").arg(QString::fromUtf8(strerror_l(error, cLocale))).arg(error);
}
