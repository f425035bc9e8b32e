// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "filelist/cfoldernamecache.h"

#include <QByteArray>
#include <QHash>
#include <QSet>

// Whether something is at a path, for a plan that asks about many paths in the same few
// folders. A folder asked about often is read once, which costs far less than a status
// read per path (each searches the folder again); a folder asked about a few times is not
// read at all.
class CTargetFolders {
public:
    // `readBefore`: the folders as read for the preview just before, taken from there
    // instead of being read again (and read into it when missing); none: read here.
    explicit CTargetFolders(CFolderNameCache* readBefore = nullptr) : m_readBefore(readBefore) {}

    // Lookups in one folder answered by status reads before the folder is read whole.
    static constexpr int kLookupsBeforeReading = 16;

    [[nodiscard]] bool Exists(const QByteArray& path);

private:
    struct FOLDER {
        int lookups = 0;
        bool read = false;
        bool unreadable = false; // asked path by path
        QSet<QByteArray> names;
        QSet<quint64> foldedHashes; // of the names with A-Z folded, to notice case-only twins
        const FOLDERNAMES* readBefore = nullptr; // the preview's, instead of the two sets
    };

    void Read(const QByteArray& folder, FOLDER& names);
    [[nodiscard]] static bool Holds(const QSet<QByteArray>& names,
                                    const QSet<quint64>& foldedHashes, const QByteArray& name,
                                    const QByteArray& path);

    QHash<QByteArray, FOLDER> m_folders;
    CFolderNameCache* m_readBefore;
};
