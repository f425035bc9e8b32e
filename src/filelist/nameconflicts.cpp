// SPDX-License-Identifier: GPL-3.0-or-later
#include "nameconflicts.h"

#include "platform/fileoperations.h"
#include "platform/nativename.h"

#include <QHash>
#include <vector>

namespace {

// On a file system that ignores letter case the entry itself answers to that name.
bool CaseOnly(const QByteArray& path, const QByteArray& newPath) {
    return path.size() == newPath.size() && path.compare(newPath, Qt::CaseInsensitive) == 0;
}

// What one row wants; the texts are made once per refresh and shared by the hashes.
struct ROWTARGET {
    QByteArray path;
    QByteArray newPath;                 // empty for a row that does not move
    QByteArray newName;                 // the bytes of the new name when the row moves
    const QByteArray* folder = nullptr; // the folder it moves into
};

struct ROWTARGETS {
    std::vector<ROWTARGET> rows;
    QHash<QByteArray, bool> listed;      // path of every row -> it is renamed away
    QHash<QByteArray, int> targetCounts; // new path -> how many selected rows want it
};

// Whether something that is not listed has that name in that folder. A name the folder
// holds only in another letter case is left to the file system, which may or may not tell
// them apart.
bool ExistsUnlisted(CFolderNameCache& cache, const ROWTARGET& target) {
    const FOLDERNAMES& folder = cache.NamesIn(*target.folder);
    if (!folder.readable)
        return NativePathExists(target.newPath);
    if (folder.names.contains(target.newName))
        return true;
    return folder.folded.contains(target.newName.toLower()) && NativePathExists(target.newPath);
}

ROWTARGETS TargetsOf(const CFileList& list, const QByteArray& nativeNewLocation) {
    ROWTARGETS t;
    t.rows.resize(static_cast<size_t>(list.RowCount()));
    t.listed.reserve(list.RowCount());
    t.targetCounts.reserve(list.SelectedCount());
    for (int row = 0; row < list.RowCount(); ++row) {
        const FILEENTRY& e = list.GetEntry(row);
        ROWTARGET& target = t.rows[static_cast<size_t>(row)];
        target.path = JoinNativePath(e.nativeFolderPath, e.nativeName);
        const bool selected = list.IsSelected(row);
        // A selected row that keeps its name in its own folder does not move: no texts.
        if (selected && (!nativeNewLocation.isEmpty() || e.newName != e.name)) {
            target.folder = nativeNewLocation.isEmpty() ? &e.nativeFolderPath : &nativeNewLocation;
            target.newName = EncodeNewName(e, e.newName);
            target.newPath = JoinNativePath(*target.folder, target.newName);
        }
        const bool moves = selected && target.newPath != target.path && !target.newPath.isEmpty();
        t.listed.insert(target.path, moves);
        if (!moves) {
            target.newPath.clear();
            continue;
        }
        ++t.targetCounts[target.newPath];
    }
    return t;
}

NameConflict ConflictOf(const ROWTARGET& target, const ROWTARGETS& t, CFolderNameCache& cache) {
    if (target.newPath.isEmpty())
        return NameConflict::None;
    const NameConflict problem = NameProblem(target.newName);
    if (problem != NameConflict::None)
        return problem;
    if (t.targetCounts.value(target.newPath) > 1)
        return NameConflict::Duplicate;
    const auto listed = t.listed.constFind(target.newPath);
    if (listed != t.listed.constEnd())
        return listed.value() ? NameConflict::None : NameConflict::Exists;
    return !CaseOnly(target.path, target.newPath) && ExistsUnlisted(cache, target)
               ? NameConflict::Exists
               : NameConflict::None;
}

} // namespace

QByteArray EncodeNewName(const FILEENTRY& entry, const QString& newName) {
    return newName == entry.name ? entry.nativeName : EncodeNativeName(newName);
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

void MarkNameConflicts(CFileList& list, const QByteArray& nativeNewLocation,
                       CFolderNameCache& folderNames) {
    const ROWTARGETS targets = TargetsOf(list, nativeNewLocation);
    for (int row = 0; row < list.RowCount(); ++row)
        list.SetConflict(row,
                         ConflictOf(targets.rows[static_cast<size_t>(row)], targets, folderNames));
}

void MarkNameConflicts(CFileList& list, const QByteArray& nativeNewLocation) {
    CFolderNameCache folderNames;
    MarkNameConflicts(list, nativeNewLocation, folderNames);
}
