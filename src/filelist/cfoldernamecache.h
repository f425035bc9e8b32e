// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>

#include <memory>
#include <utility>
#include <vector>

// The names one folder holds on disk, each with its FoldedNameHash: most new names are not
// there in any letter case, and that is told from their text without building their bytes.
// The names lie in one block, so reading a folder allocates next to nothing per name.
struct FOLDERNAMES {
    bool readable = false;
    QByteArray names;                                  // each name followed by a NUL
    std::vector<std::pair<quint64, qsizetype>> hashes; // (hash, where its name starts), sorted

    // Whether a name with that hash may be there (in some letter case).
    [[nodiscard]] bool MayHold(quint64 foldedHash) const;
    // Whether exactly this name was there; the hash is FoldedNameHash(name).
    [[nodiscard]] bool Holds(const QByteArray& name, quint64 foldedHash) const;
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
    // Reads those of the folders not read yet, spread over up to `workers` threads: a
    // marking that needs many folders reads them at once.
    void ReadAll(const std::vector<QByteArray>& folders, int workers);
    void Clear() { m_folders.clear(); }

private:
    QHash<QByteArray, std::shared_ptr<FOLDERNAMES>> m_folders;
};
