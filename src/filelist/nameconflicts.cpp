// SPDX-License-Identifier: GPL-3.0-or-later
#include "nameconflicts.h"

#include "platform/cdirectoryreader.h"
#include "platform/fileoperations.h"
#include "platform/nativename.h"

#include <QHash>
#include <QSet>
#include <vector>

namespace {

QByteArray NewPathOf(const FILEENTRY& entry, const QByteArray& nativeNewLocation) {
    const QByteArray folder =
        nativeNewLocation.isEmpty() ? entry.NativeFolderPath() : nativeNewLocation;
    return JoinNativePath(folder, EncodeNewName(entry, entry.newName));
}

// On a file system that ignores letter case the entry itself answers to that name.
bool CaseOnly(const QByteArray& path, const QByteArray& newPath) {
    return path.size() == newPath.size() && path.compare(newPath, Qt::CaseInsensitive) == 0;
}

// The names in a target folder, read once per refresh: one directory read costs far less
// than a status read per row, each of which searches the folder again.
struct FOLDERNAMES {
    bool readable = false;
    QSet<QByteArray> names;
    QSet<QByteArray> folded; // the names with A-Z folded, to notice case-only twins
};

struct ROWTARGETS {
    std::vector<QByteArray> newPaths;    // per row; empty for a row that does not move
    QHash<QByteArray, bool> listed;      // path of every row -> it is renamed away
    QHash<QByteArray, int> targetCounts; // new path -> how many selected rows want it
    QHash<QByteArray, FOLDERNAMES> folders;
};

const FOLDERNAMES& NamesIn(ROWTARGETS& t, const QByteArray& folder) {
    const auto found = t.folders.constFind(folder);
    if (found != t.folders.constEnd())
        return found.value();
    FOLDERNAMES& names = t.folders[folder];
    CDirectoryReader reader;
    names.readable = reader.Open(folder.isEmpty() ? QByteArrayLiteral("/") : folder);
    for (QByteArray name; names.readable && reader.Next(name);) {
        names.folded.insert(name.toLower());
        names.names.insert(std::move(name));
    }
    return names;
}

// Whether something that is not listed has that path. A name the folder holds only in
// another letter case is left to the file system, which may or may not tell them apart.
bool ExistsUnlisted(ROWTARGETS& t, const QByteArray& newPath) {
    const qsizetype slash = newPath.lastIndexOf('/');
    const FOLDERNAMES& folder = NamesIn(t, newPath.left(qMax<qsizetype>(slash, 0)));
    const QByteArray name = newPath.mid(slash + 1);
    if (!folder.readable || folder.names.contains(name))
        return !folder.readable ? NativePathExists(newPath) : true;
    return folder.folded.contains(name.toLower()) && NativePathExists(newPath);
}

ROWTARGETS TargetsOf(const CFileList& list, const QByteArray& nativeNewLocation) {
    ROWTARGETS t;
    t.newPaths.resize(static_cast<size_t>(list.RowCount()));
    t.listed.reserve(list.RowCount());
    for (int row = 0; row < list.RowCount(); ++row) {
        const FILEENTRY& e = list.GetEntry(row);
        const QByteArray path = JoinNativePath(e.NativeFolderPath(), e.NativeName());
        const QByteArray newPath = NewPathOf(e, nativeNewLocation);
        const bool moves = list.IsSelected(row) && newPath != path;
        t.listed.insert(path, moves);
        if (!moves)
            continue;
        t.newPaths[static_cast<size_t>(row)] = newPath;
        ++t.targetCounts[newPath];
    }
    return t;
}

NameConflict ConflictOf(const CFileList& list, int row, ROWTARGETS& t) {
    const QByteArray& newPath = t.newPaths[static_cast<size_t>(row)];
    if (newPath.isEmpty())
        return NameConflict::None;
    const FILEENTRY& e = list.GetEntry(row);
    const NameConflict problem = NameProblem(EncodeNewName(e, e.newName));
    if (problem != NameConflict::None)
        return problem;
    if (t.targetCounts.value(newPath) > 1)
        return NameConflict::Duplicate;
    const auto listed = t.listed.constFind(newPath);
    if (listed != t.listed.constEnd())
        return listed.value() ? NameConflict::None : NameConflict::Exists;
    const QByteArray path = JoinNativePath(e.NativeFolderPath(), e.NativeName());
    return !CaseOnly(path, newPath) && ExistsUnlisted(t, newPath) ? NameConflict::Exists
                                                                  : NameConflict::None;
}

// Cheap and on the safe side: only a row whose new name is its name surely stays put.
bool AnyRowMoves(const CFileList& list, const QByteArray& nativeNewLocation) {
    if (!nativeNewLocation.isEmpty())
        return true;
    for (int row = list.NextSelected(-1); row >= 0; row = list.NextSelected(row)) {
        const FILEENTRY& e = list.GetEntry(row);
        if (e.newName != e.name)
            return true;
    }
    return false;
}

} // namespace

QByteArray EncodeNewName(const FILEENTRY& entry, const QString& newName) {
    return newName == entry.name ? entry.NativeName() : EncodeNativeName(newName);
}

NameConflict NameProblem(const QByteArray& nativeName) {
    if (nativeName.contains('\0') || nativeName.contains('/') || nativeName == "." ||
        nativeName == "..")
        return NameConflict::Invalid;
    return nativeName.size() > kMostNameBytes ? NameConflict::TooLong : NameConflict::None;
}

QString NameConflictKey(NameConflict conflict) {
    switch (conflict) {
    case NameConflict::None:
        break;
    case NameConflict::Duplicate:
        return QStringLiteral("duplicate");
    case NameConflict::Exists:
        return QStringLiteral("exists");
    case NameConflict::TooLong:
        return QStringLiteral("too-long");
    case NameConflict::Invalid:
        return QStringLiteral("invalid");
    }
    return QString();
}

void MarkNameConflicts(CFileList& list, const QByteArray& nativeNewLocation) {
    // With no row moving nothing can clash: the paths and their table are not built at all.
    if (!AnyRowMoves(list, nativeNewLocation)) {
        for (int row = 0; row < list.RowCount(); ++row)
            list.SetConflict(row, NameConflict::None);
        return;
    }
    ROWTARGETS targets = TargetsOf(list, nativeNewLocation);
    for (int row = 0; row < list.RowCount(); ++row)
        list.SetConflict(row, ConflictOf(list, row, targets));
}
