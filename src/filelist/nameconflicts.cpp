// SPDX-License-Identifier: GPL-3.0-or-later
#include "nameconflicts.h"

#include "namedigest.h"
#include "platform/fileoperations.h"
#include "platform/nativename.h"
#include "platform/workshares.h"

#include <QHash>

#include <algorithm>
#include <vector>

namespace {

// A name in one folder as this marking sees it.
enum class Listed : qint8 { No, Stays, MovesAway };

// One name in one folder that a row has or wants. All of them share one open-addressed
// block keyed by (folder id, name), so a lookup is about one miss of the processor's
// caches, and no key is built: a slot names the row whose text it is.
struct NAMESLOT {
    quint32 hashHigh = 0;
    qint32 key = -1;         // row * 2, plus 1 when it is what the row wants; -1: free
    qint32 firstTarget = -1; // the first row that wants it
    quint32 folder : 30 = 0;
    quint32 listed : 2 = quint32(Listed::No);
};

// What one row wants; only a row that moves has a folder.
struct ROWTARGET {
    QStringView newName; // the entry's text, which the marking does not change
    NAMEDIGEST digest;
    quint64 ownHash = 0; // of the listed name, when the row wants one or is in a folder
                         // some row moves into
    const ENTRYFOLDER* record = nullptr; // the entry's folder; none when it has no path
    qint32 ownFolder = -1;               // -1: the entry has no folder
    qint32 folder = -1;                  // the folder id it moves into; -1: it stays put
    bool wants = false;                  // selected, and its new name or place may differ
    bool sameName = false;               // its new name encodes to its name's bytes
    bool ownHashed = false;
    bool duplicate = false;
    Listed listed = Listed::No; // what the listed row of the new name does
};

// A worker is worth its start-up only for a few thousand rows.
constexpr int kRowsPerWorker = 4096;

// Calls work(first, last) for shares of [0, count) on as many threads as pay off.
template <typename Work> void SplitRows(int count, Work work) {
    const int workers = std::clamp(count / kRowsPerWorker + 1, 1, std::min(ProcessorCount(), 16));
    RunRangeShares(size_t(count), workers,
                   [&](size_t first, size_t last) { work(int(first), int(last)); });
}

// Folders get small ids, found by the record the entries of one folder share.
class CFolderIds {
public:
    int IdOf(const QByteArray& path) {
        const auto found = m_ids.constFind(path);
        if (found != m_ids.constEnd())
            return found.value();
        m_paths.push_back(path);
        m_ids.insert(path, int(m_paths.size() - 1));
        return int(m_paths.size() - 1);
    }
    // Rows sorted by name come from folder after folder: the record is looked up first,
    // which spares hashing its path.
    int IdOfFolder(const ENTRYFOLDER& folder) {
        if (&folder != m_lastFolder) {
            m_lastFolder = &folder;
            const auto found = m_byRecord.constFind(&folder);
            m_lastId = found != m_byRecord.constEnd() ? found.value() : IdOf(folder.nativePath);
            m_byRecord.insert(&folder, m_lastId);
        }
        return m_lastId;
    }
    [[nodiscard]] const QByteArray& PathOf(int id) const { return m_paths[size_t(id)]; }
    [[nodiscard]] int Count() const { return int(m_paths.size()); }

private:
    QHash<QByteArray, int> m_ids;
    QHash<const ENTRYFOLDER*, int> m_byRecord;
    std::vector<QByteArray> m_paths;
    const ENTRYFOLDER* m_lastFolder = nullptr;
    int m_lastId = -1;
};

// A folder given with trailing slashes names the same folder as without.
QByteArray FolderKey(const QByteArray& folder) {
    qsizetype end = folder.size();
    while (end > 1 && folder.at(end - 1) == '/')
        --end;
    return folder.left(end);
}

class CMarking {
public:
    CMarking(const CFileList& list, CFolderNameCache& cache) : m_list(list), m_cache(cache) {}

    void Fill(const QByteArray& location);
    [[nodiscard]] NameConflict ConflictOf(int row);

private:
    [[nodiscard]] QStringView TextOf(qint32 key) const {
        return key & 1 ? m_rows[size_t(key >> 1)].newName : m_list.GetEntry(key >> 1).name;
    }
    // The slot of (folder, the text of `key`), taken for `key` when it is new.
    int SlotOf(quint64 hash, qint32 folder, qint32 key);
    void Digest(int row, bool elsewhere);
    void Target(int row, const QByteArray& location, int locationId);
    void Enter(int row);
    void Prefetch(int row) const;
    // Only the listed names of folders some row moves into can stand in a row's way.
    [[nodiscard]] bool InTargetFolder(const ROWTARGET& target) const {
        return target.ownFolder >= 0 && size_t(target.ownFolder) < m_targetFolders.size() &&
               m_targetFolders[size_t(target.ownFolder)];
    }
    void ReadTargetFolders(CFolderNameCache& cache) const;
    [[nodiscard]] bool ExistsUnlisted(const ROWTARGET& target);
    [[nodiscard]] bool CaseOnly(const FILEENTRY& entry, const ROWTARGET& target) const;

    const CFileList& m_list;
    CFolderNameCache& m_cache;
    CFolderIds m_folders;
    std::vector<ROWTARGET> m_rows;
    std::vector<NAMESLOT> m_slots;
    std::vector<const FOLDERNAMES*> m_onDisk; // by folder id, read when first needed
    std::vector<char> m_targetFolders;        // by folder id: some row moves into it
    size_t m_mask = 0;
};

int CMarking::SlotOf(quint64 hash, qint32 folder, qint32 key) {
    const auto high = quint32(hash >> 32);
    for (size_t at = size_t(hash) & m_mask;; at = (at + 1) & m_mask) {
        NAMESLOT& slot = m_slots[at];
        if (slot.key < 0) {
            slot.hashHigh = high;
            slot.key = key;
            slot.folder = quint32(folder);
            return int(at);
        }
        if (slot.hashHigh == high && slot.folder == quint32(folder) &&
            SameNativeName(TextOf(slot.key), TextOf(key)))
            return int(at);
    }
}

// What can be read from the row alone, on any thread: its folder's record, the digest of
// what it wants, and whether that is its own name.
void CMarking::Digest(int row, bool elsewhere) {
    const FILEENTRY& e = m_list.GetEntry(row);
    ROWTARGET& target = m_rows[size_t(row)];
    target.record = e.NativeFolderPath().isEmpty() ? nullptr : &e.Folder();
    target.newName = e.newName;
    // A selected row that keeps its name in its own folder does not move.
    target.wants = m_list.IsSelected(row) && (elsewhere || !e.newName.isSharedWith(e.name));
    if (!target.wants)
        return;
    target.digest = DigestNativeName(e.newName);
    // The name is read here anyway while its text is at hand; equal bytes hash alike.
    target.ownHash = DigestNativeName(e.name).foldedHash;
    target.ownHashed = true;
    target.sameName =
        target.ownHash == target.digest.foldedHash && SameNativeName(e.newName, e.name);
}

// Where the row is and goes, on the marking's thread: folders get their ids here.
void CMarking::Target(int row, const QByteArray& location, int locationId) {
    ROWTARGET& target = m_rows[size_t(row)];
    target.ownFolder = target.record ? m_folders.IdOfFolder(*target.record) : -1;
    const int folder = location.isEmpty() ? target.ownFolder : locationId;
    if (!target.wants || folder < 0 || (folder == target.ownFolder && target.sameName))
        return;
    target.folder = folder;
    if (size_t(folder) >= m_targetFolders.size())
        m_targetFolders.resize(size_t(folder) + 1, 0);
    m_targetFolders[size_t(folder)] = 1;
}

void CMarking::Prefetch(int row) const {
    const ROWTARGET& target = m_rows[size_t(row)];
    if (InTargetFolder(target))
        __builtin_prefetch(&m_slots[size_t(target.ownHash) & m_mask], 1);
    if (target.folder >= 0)
        __builtin_prefetch(&m_slots[size_t(target.digest.foldedHash) & m_mask], 1);
}

void CMarking::Enter(int row) {
    ROWTARGET& target = m_rows[size_t(row)];
    if (target.ownFolder >= 0 && InTargetFolder(target)) {
        m_slots[size_t(SlotOf(target.ownHash, target.ownFolder, row * 2))].listed =
            quint32(target.folder >= 0 ? Listed::MovesAway : Listed::Stays);
    }
    if (target.folder < 0)
        return;
    NAMESLOT& slot = m_slots[size_t(SlotOf(target.digest.foldedHash, target.folder, row * 2 + 1))];
    if (slot.firstTarget < 0) {
        slot.firstTarget = row;
        return;
    }
    target.duplicate = true;
    m_rows[size_t(slot.firstTarget)].duplicate = true;
}

// Every listed and every wanted name goes into one table; what is listed under a wanted
// name is known once every row is in. The table is far larger than the processor's caches,
// so the slots a few rows ahead are fetched while this row's are looked at.
void CMarking::Fill(const QByteArray& location) {
    const int count = m_list.RowCount();
    m_rows.resize(size_t(count));
    const int locationId = location.isEmpty() ? -1 : m_folders.IdOf(location);
    const bool elsewhere = !location.isEmpty();
    // The texts are read on every core; only the ids and the table need one thread.
    SplitRows(count, [&](int first, int last) {
        for (int row = first; row < last; ++row)
            Digest(row, elsewhere);
    });
    size_t names = 0;
    for (int row = 0; row < count; ++row) {
        Target(row, location, locationId);
        names += m_rows[size_t(row)].folder >= 0;
    }
    // The names of rows that stay in a folder others move into are still to be hashed;
    // when every row moves, none is.
    bool unhashed = false;
    for (const ROWTARGET& target : m_rows) {
        const bool entered = InTargetFolder(target);
        names += entered;
        unhashed |= entered && !target.ownHashed;
    }
    if (unhashed) {
        SplitRows(count, [&](int first, int last) {
            for (int row = first; row < last; ++row) {
                ROWTARGET& target = m_rows[size_t(row)];
                if (!target.ownHashed && InTargetFolder(target))
                    target.ownHash = DigestNativeName(m_list.GetEntry(row).name).foldedHash;
            }
        });
    }
    size_t capacity = 16;
    while (capacity < names * 2)
        capacity *= 2;
    m_slots.assign(capacity, NAMESLOT());
    m_mask = capacity - 1;
    constexpr int kAhead = 8;
    for (int row = 0; row < std::min(count, kAhead); ++row)
        Prefetch(row);
    for (int row = 0; row < count; ++row) {
        if (row + kAhead < count)
            Prefetch(row + kAhead);
        Enter(row);
    }
    // In the order of the slots, not of the rows: one sweep instead of a miss per row.
    for (const NAMESLOT& slot : m_slots) {
        if (slot.firstTarget >= 0)
            m_rows[size_t(slot.firstTarget)].listed = Listed(slot.listed);
    }
    m_onDisk.assign(size_t(m_folders.Count()), nullptr);
    ReadTargetFolders(m_cache);
}

// The folders whose unlisted names some row must be checked against, read at once.
void CMarking::ReadTargetFolders(CFolderNameCache& cache) const {
    std::vector<char> needed(size_t(m_folders.Count()), 0);
    for (const ROWTARGET& target : m_rows) {
        if (target.folder >= 0 && !target.duplicate && target.listed == Listed::No &&
            !target.digest.invalid && target.digest.size <= kMostNameBytes)
            needed[size_t(target.folder)] = 1;
    }
    std::vector<QByteArray> folders;
    for (size_t id = 0; id < needed.size(); ++id) {
        if (needed[id])
            folders.push_back(m_folders.PathOf(int(id)));
    }
    cache.ReadAll(folders, ProcessorCount());
}

// Whether something that is not listed has that name in that folder. A name the folder
// holds only in another letter case is left to the file system, which may or may not tell
// them apart.
bool CMarking::ExistsUnlisted(const ROWTARGET& target) {
    const FOLDERNAMES*& onDisk = m_onDisk[size_t(target.folder)];
    const QByteArray& folder = m_folders.PathOf(target.folder);
    if (!onDisk)
        onDisk = &m_cache.NamesIn(folder);
    // Most new names are not there in any letter case: their hash tells.
    if (onDisk->readable && !onDisk->MayHold(target.digest.foldedHash))
        return false;
    const QByteArray name = EncodeNativeName(target.newName);
    if (onDisk->readable && onDisk->Holds(name, target.digest.foldedHash))
        return true;
    return NativePathExists(JoinNativePath(folder, name));
}

// On a file system that ignores letter case the entry itself answers to that name.
bool CMarking::CaseOnly(const FILEENTRY& entry, const ROWTARGET& target) const {
    const QByteArray name = entry.NativeName();
    const QByteArray newName = EncodeNativeName(target.newName);
    const QByteArray& folder = m_folders.PathOf(target.folder);
    if (entry.NativeFolderPath() == folder)
        return name.size() == newName.size() && name.compare(newName, Qt::CaseInsensitive) == 0;
    const QByteArray path = JoinNativePath(entry.NativeFolderPath(), name);
    const QByteArray newPath = JoinNativePath(folder, newName);
    return path.size() == newPath.size() && path.compare(newPath, Qt::CaseInsensitive) == 0;
}

NameConflict CMarking::ConflictOf(int row) {
    const ROWTARGET& target = m_rows[size_t(row)];
    if (target.folder < 0)
        return NameConflict::None;
    if (target.digest.invalid)
        return NameConflict::Invalid;
    if (target.digest.size > kMostNameBytes)
        return NameConflict::TooLong;
    if (target.duplicate)
        return NameConflict::Duplicate;
    if (target.listed != Listed::No)
        return target.listed == Listed::MovesAway ? NameConflict::None : NameConflict::Exists;
    // The disk is asked first: it nearly always answers from the cache that nothing is there.
    return ExistsUnlisted(target) && !CaseOnly(m_list.GetEntry(row), target) ? NameConflict::Exists
                                                                             : NameConflict::None;
}

// Cheap and on the safe side: only a row whose new name is its name surely stays put.
bool AnyRowMoves(const CFileList& list, const QByteArray& nativeNewLocation) {
    if (!nativeNewLocation.isEmpty())
        return true;
    for (int row = list.NextSelected(-1); row >= 0; row = list.NextSelected(row)) {
        const FILEENTRY& e = list.GetEntry(row);
        // A new name that shares the name's text is told without reading either.
        if (!e.newName.isSharedWith(e.name) && e.newName != e.name)
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
    CMarking marking(list, folderNames);
    marking.Fill(FolderKey(nativeNewLocation));
    // Worked out first and written after, so that the marking reads a list nobody writes.
    std::vector<NameConflict> conflicts(static_cast<size_t>(list.RowCount()));
    for (int row = 0; row < list.RowCount(); ++row)
        conflicts[static_cast<size_t>(row)] = marking.ConflictOf(row);
    for (int row = 0; row < list.RowCount(); ++row)
        list.SetConflict(row, conflicts[static_cast<size_t>(row)]);
}

void MarkNameConflicts(CFileList& list, const QByteArray& nativeNewLocation) {
    CFolderNameCache folderNames;
    MarkNameConflicts(list, nativeNewLocation, folderNames);
}
