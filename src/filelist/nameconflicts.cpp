// SPDX-License-Identifier: GPL-3.0-or-later
#include "nameconflicts.h"

#include "platform/fileoperations.h"
#include "platform/nativename.h"

#include <QHash>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// A name in one folder as this refresh sees it.
enum class Listed : qint8 { No, Stays, MovesAway };
struct NAMESLOT {
    int firstTarget = -1; // the first row that moves to it
    Listed listed = Listed::No;
};
using FOLDERSLOTS = QHash<QByteArray, NAMESLOT>;

// What one row wants; only a row that moves has a folder.
struct ROWTARGET {
    const QByteArray* folder = nullptr; // the folder it moves into (a key of `folders`)
    FOLDERSLOTS* folderNames = nullptr; // that folder's names
    QByteArray newName;                 // the bytes of the new name
    bool duplicate = false;             // another row moves to the same name
    Listed listed = Listed::No;         // what the listed row of that name does
};

// Rows are keyed by folder and name, never by a joined path: no path is built per row, and
// most rows share a folder, so the folder is looked up once per run of rows. Each name is
// looked up as few times as possible: with 100,000 rows nearly every lookup misses the
// processor's caches.
struct ROWTARGETS {
    QByteArray location; // where every row goes; empty: each stays in its folder
    std::vector<ROWTARGET> rows;
    QHash<QByteArray, FOLDERSLOTS*> folders;
    std::vector<std::unique_ptr<FOLDERSLOTS>> owned;
    QByteArray lastFolder;
    FOLDERSLOTS* lastSlots = nullptr;

    FOLDERSLOTS* SlotsOf(const QByteArray& folder) {
        if (lastSlots && lastFolder == folder)
            return lastSlots;
        FOLDERSLOTS*& names = folders[folder];
        if (!names) {
            owned.push_back(std::make_unique<FOLDERSLOTS>());
            names = owned.back().get();
        }
        lastFolder = folder;
        lastSlots = names;
        return names;
    }
};

// A folder given with trailing slashes names the same folder as without.
QByteArray FolderKey(const QByteArray& folder) {
    qsizetype end = folder.size();
    while (end > 1 && folder.at(end - 1) == '/')
        --end;
    return folder.left(end);
}

QByteArray NewPathOf(const ROWTARGET& target) {
    return JoinNativePath(*target.folder, target.newName);
}

// On a file system that ignores letter case the entry itself answers to that name.
bool CaseOnly(const FILEENTRY& entry, const ROWTARGET& target) {
    const QByteArray name = entry.NativeName();
    if (entry.NativeFolderPath() == *target.folder)
        return name.size() == target.newName.size() &&
               name.compare(target.newName, Qt::CaseInsensitive) == 0;
    const QByteArray path = JoinNativePath(entry.NativeFolderPath(), name);
    const QByteArray newPath = NewPathOf(target);
    return path.size() == newPath.size() && path.compare(newPath, Qt::CaseInsensitive) == 0;
}

bool HasUpper(const QByteArray& name) {
    return std::any_of(name.begin(), name.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

// Whether something that is not listed has that name in that folder. A name the folder
// holds only in another letter case is left to the file system, which may or may not tell
// them apart.
bool ExistsUnlisted(CFolderNameCache& cache, const ROWTARGET& target) {
    const FOLDERNAMES& folder = cache.NamesIn(*target.folder);
    if (!folder.readable)
        return NativePathExists(NewPathOf(target));
    // Most new names are not there in any letter case: one lookup tells.
    if (!folder.folded.contains(HasUpper(target.newName) ? target.newName.toLower()
                                                         : target.newName))
        return false;
    return folder.names.contains(target.newName) || NativePathExists(NewPathOf(target));
}

void FillTargets(const CFileList& list, ROWTARGETS& t) {
    t.rows.resize(static_cast<size_t>(list.RowCount()));
    const QByteArray& location = t.location;
    for (int row = 0; row < list.RowCount(); ++row) {
        const FILEENTRY& e = list.GetEntry(row);
        ROWTARGET& target = t.rows[static_cast<size_t>(row)];
        // A selected row that keeps its name in its own folder does not move: no texts.
        const QByteArray& ownFolder = e.NativeFolderPath();
        const QByteArray name = e.NativeName();
        const QByteArray& folder = location.isEmpty() ? ownFolder : location;
        if (list.IsSelected(row) && !folder.isEmpty() &&
            (!location.isEmpty() || e.newName != e.name)) {
            target.newName = e.newName == e.name ? name : EncodeNativeName(e.newName);
            if (folder != ownFolder || target.newName != name) {
                target.folderNames = t.SlotsOf(folder);
                target.folder = &folder;
            }
        }
        if (!ownFolder.isEmpty())
            (*t.SlotsOf(ownFolder))[name].listed =
                target.folder ? Listed::MovesAway : Listed::Stays;
    }
    // Every listed name is known now: one lookup per moving row finds both what is listed
    // under its new name and whether a row before it wanted that name too.
    for (size_t row = 0; row < t.rows.size(); ++row) {
        ROWTARGET& target = t.rows[row];
        if (!target.folder)
            continue;
        NAMESLOT& slot = (*target.folderNames)[target.newName];
        target.listed = slot.listed;
        if (slot.firstTarget < 0) {
            slot.firstTarget = int(row);
            continue;
        }
        target.duplicate = true;
        t.rows[size_t(slot.firstTarget)].duplicate = true;
    }
}

NameConflict ConflictOf(const FILEENTRY& entry, const ROWTARGET& target, CFolderNameCache& cache) {
    if (!target.folder)
        return NameConflict::None;
    const NameConflict problem = NameProblem(target.newName);
    if (problem != NameConflict::None)
        return problem;
    if (target.duplicate)
        return NameConflict::Duplicate;
    if (target.listed != Listed::No)
        return target.listed == Listed::MovesAway ? NameConflict::None : NameConflict::Exists;
    return !CaseOnly(entry, target) && ExistsUnlisted(cache, target) ? NameConflict::Exists
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

void MarkNameConflicts(CFileList& list, const QByteArray& nativeNewLocation,
                       CFolderNameCache& folderNames) {
    // With no row moving nothing can clash: the paths and their table are not built at all.
    if (!AnyRowMoves(list, nativeNewLocation)) {
        for (int row = 0; row < list.RowCount(); ++row)
            list.SetConflict(row, NameConflict::None);
        return;
    }
    ROWTARGETS targets;
    targets.location = FolderKey(nativeNewLocation);
    FillTargets(list, targets);
    for (int row = 0; row < list.RowCount(); ++row)
        list.SetConflict(row, ConflictOf(list.GetEntry(row), targets.rows[static_cast<size_t>(row)],
                                         folderNames));
}

void MarkNameConflicts(CFileList& list, const QByteArray& nativeNewLocation) {
    CFolderNameCache folderNames;
    MarkNameConflicts(list, nativeNewLocation, folderNames);
}
