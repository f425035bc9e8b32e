// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "filelist/cfoldernamecache.h"

#include <QByteArray>
#include <QHash>

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
        const FOLDERNAMES* names = nullptr; // once read
    };

    CFolderNameCache& Cache() { return m_readBefore ? *m_readBefore : m_readHere; }

    QHash<QByteArray, FOLDER> m_folders;
    CFolderNameCache* m_readBefore;
    CFolderNameCache m_readHere;
};
