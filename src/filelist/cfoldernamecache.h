// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>

#include <memory>

// The names one folder holds on disk.
struct FOLDERNAMES {
    bool readable = false;
    QSet<QByteArray> names;
    // FoldedNameHash of each name: most new names are not there in any letter case, and
    // that is told from their text without building their bytes.
    QSet<quint64> foldedHashes;
};

// The names of the folders new names go to, each read once and kept until Clear. One
// directory read costs far less than a status read per row, and reading it again at every
// keystroke costs more than the rest of a refresh; the owner clears it whenever the disk
// may have changed under it (a listing, a rename run, an undo, a drop).
class CFolderNameCache {
public:
    // The names in the folder ("" stands for "/"), read at the first call. The reference
    // stays valid until Clear, whatever other folders are read meanwhile.
    const FOLDERNAMES& NamesIn(const QByteArray& folder);
    void Clear() { m_folders.clear(); }

private:
    QHash<QByteArray, std::shared_ptr<FOLDERNAMES>> m_folders;
};
