// SPDX-License-Identifier: GPL-3.0-or-later
#include "pathchecks.h"

#include <QList>

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray CurrentFolder() {
    QByteArray buffer(4096, '\0');
    for (;;) {
        if (getcwd(buffer.data(), static_cast<size_t>(buffer.size())))
            return QByteArray(buffer.constData());
        if (errno != ERANGE)
            return QByteArrayLiteral("/");
        buffer.resize(buffer.size() * 2);
    }
}

QByteArray ParentFolder(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

} // namespace

QByteArray AbsoluteNativePath(const QByteArray& nativePath) {
    if (nativePath.isEmpty() || nativePath.startsWith('/'))
        return AbsoluteNativePath(nativePath, QByteArrayLiteral("/"));
    return AbsoluteNativePath(nativePath, CurrentFolder());
}

QByteArray CanonicalNativePath(const QByteArray& nativePath) {
    char* resolved = realpath(nativePath.constData(), nullptr);
    if (!resolved)
        return QByteArray();
    QByteArray path(resolved);
    std::free(resolved);
    return path;
}

// The current folder comes from the system without symbolic links, so a ".." that climbs
// out of it is exact; a ".." after a part the caller gave stays, since that part could be a
// link to somewhere else.
QByteArray AbsoluteNativePath(const QByteArray& nativePath, const QByteArray& currentFolder) {
    if (nativePath.isEmpty())
        return QByteArray();
    QList<QByteArray> parts;
    qsizetype exactParts = 0;
    const auto append = [&parts](const QByteArray& path) {
        for (const QByteArray& part : path.split('/')) {
            if (!part.isEmpty() && part != ".")
                parts.append(part);
        }
    };
    if (!nativePath.startsWith('/')) {
        append(currentFolder);
        exactParts = parts.size();
    }
    for (const QByteArray& part : nativePath.split('/')) {
        if (part.isEmpty() || part == ".")
            continue;
        if (part == ".." && parts.isEmpty())
            continue; // the root is its own parent
        if (part == ".." && parts.size() <= exactParts && parts.last() != "..") {
            parts.removeLast();
            exactParts = parts.size();
            continue;
        }
        parts.append(part);
    }
    QByteArray result;
    for (const QByteArray& part : std::as_const(parts))
        result += '/' + part;
    return result.isEmpty() ? QByteArrayLiteral("/") : result;
}

namespace {

int FolderListError(const QByteArray& nativePath) {
    struct stat st {};
    if (stat(nativePath.constData(), &st) != 0)
        return errno;
    if (!S_ISDIR(st.st_mode))
        return ENOTDIR;
    DIR* dir = opendir(nativePath.constData());
    if (!dir)
        return errno;
    closedir(dir);
    return 0;
}

FolderProblem FolderProblemOf(int error) {
    switch (error) {
    case 0:
        return FolderProblem::None;
    case ENOENT:
        return FolderProblem::Missing;
    case ENOTDIR:
        return FolderProblem::NotFolder;
    case ENAMETOOLONG:
        return FolderProblem::TooLong;
    case ELOOP:
        return FolderProblem::LinkLoop;
    default:
        return FolderProblem::Unreadable;
    }
}

} // namespace

FOLDERCHECK CheckFolder(const QByteArray& nativePath) {
    FOLDERCHECK check;
    check.error = FolderListError(nativePath);
    check.problem = FolderProblemOf(check.error);
    return check;
}

INPUTFILECHECK CheckInputFile(const QByteArray& nativePath, qint64 maxBytes) {
    INPUTFILECHECK check;
    struct stat st {};
    if (stat(nativePath.constData(), &st) != 0) {
        check.error = errno;
        check.problem =
            check.error == ENOENT ? InputFileProblem::Missing : InputFileProblem::Unreadable;
    } else if (S_ISDIR(st.st_mode)) {
        check.problem = InputFileProblem::Folder;
    } else if (!S_ISREG(st.st_mode)) {
        check.problem = InputFileProblem::NotRegular;
    } else if (st.st_size > maxBytes) {
        check.problem = InputFileProblem::TooLarge;
    } else if (access(nativePath.constData(), R_OK) != 0) {
        check.error = errno;
        check.problem = InputFileProblem::Unreadable;
    }
    return check;
}

int WritableFileError(const QByteArray& nativePath) {
    struct stat st {};
    if (stat(nativePath.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return EISDIR;
        if (!S_ISREG(st.st_mode))
            return EINVAL;
        return access(nativePath.constData(), W_OK) == 0 ? 0 : errno;
    }
    if (errno != ENOENT)
        return errno;
    const QByteArray parent = ParentFolder(nativePath);
    if (stat(parent.constData(), &st) != 0)
        return errno;
    if (!S_ISDIR(st.st_mode))
        return ENOTDIR;
    return access(parent.constData(), W_OK | X_OK) == 0 ? 0 : errno;
}

int LastErrorNumber() {
    return errno;
}

bool IsNotFoundError(int error) {
    return error == ENOENT;
}
