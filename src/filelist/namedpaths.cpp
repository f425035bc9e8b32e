// SPDX-License-Identifier: GPL-3.0-or-later
#include "namedpaths.h"

#include "cfolderscanner.h"

#include "platform/pathchecks.h"

#include <QHash>
#include <QSet>

namespace {

// The names of one folder, in the order first named.
struct NAMEGROUP {
    QByteArray folder;
    QList<QByteArray> names;
};

struct SPLITPATHS {
    QList<NAMEGROUP> groups;
    QList<QByteArray> folders; // paths without a name of their own ("/")
};

// Folders are told apart by where they lead, so that "a/1.jpg" and "link/../a/1.jpg" are one
// file; each folder is resolved once, however many names it holds.
class CFolderGroups {
public:
    explicit CFolderGroups(QList<NAMEGROUP>& groups) : m_groups(groups) {}

    void Add(const QByteArray& folder, const QByteArray& name) {
        auto index = m_groupOfFolder.constFind(folder);
        if (index == m_groupOfFolder.constEnd())
            index = m_groupOfFolder.insert(folder, GroupOfPlace(folder));
        if (m_seen.contains({*index, name}))
            return;
        m_seen.insert({*index, name});
        m_groups[*index].names.append(name);
    }

private:
    qsizetype GroupOfPlace(const QByteArray& folder) {
        QByteArray place = CanonicalNativePath(folder);
        if (place.isEmpty())
            place = folder;
        auto index = m_groupOfPlace.constFind(place);
        if (index == m_groupOfPlace.constEnd()) {
            index = m_groupOfPlace.insert(place, m_groups.size());
            m_groups.append({folder, {}});
        }
        return *index;
    }

    QList<NAMEGROUP>& m_groups;
    QHash<QByteArray, qsizetype> m_groupOfFolder;
    QHash<QByteArray, qsizetype> m_groupOfPlace;
    QSet<std::pair<qsizetype, QByteArray>> m_seen;
};

SPLITPATHS SplitByFolder(const QList<QByteArray>& absolutePaths) {
    SPLITPATHS split;
    CFolderGroups groups(split.groups);
    for (const QByteArray& path : absolutePaths) {
        const qsizetype slash = path.lastIndexOf('/');
        if (slash < 0 || slash == path.size() - 1) {
            if (!split.folders.contains(path))
                split.folders.append(path);
            continue;
        }
        groups.Add(slash == 0 ? QByteArrayLiteral("/") : path.left(slash), path.mid(slash + 1));
    }
    return split;
}

} // namespace

NAMEDPATHS SortNamedPaths(const SCANSETTINGS& settings, const QList<QByteArray>& absolutePaths) {
    NAMEDPATHS named;
    SPLITPATHS split = SplitByFolder(absolutePaths);
    named.folders = std::move(split.folders);
    for (const NAMEGROUP& group : std::as_const(split.groups)) {
        SCANSETTINGS folderSettings = settings;
        folderSettings.rootPath = group.folder;
        CFolderScanner scanner(folderSettings);
        scanner.ListNames(
            group.names, [&named](FILEENTRY&& entry) { named.entries.push_back(std::move(entry)); },
            [&named](const QByteArray& path) { named.folders.append(path); },
            [&named](const QByteArray& path, int error) {
                named.problems.append({path, error});
            });
    }
    return named;
}
