// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fileentry.h"
#include "scansettings.h"

#include <vector>

#include <QByteArray>
#include <QList>

// A named path whose status cannot be read, with the system's error number.
struct PATHPROBLEM {
    QByteArray nativePath;
    int error = 0;
};

// Paths a user named one by one (on a command line, in a list of paths), sorted out: each
// file as its row, each folder to be listed as a folder is.
struct NAMEDPATHS {
    std::vector<FILEENTRY> entries; // every file named, once
    QList<QByteArray> folders;      // every folder named (links to folders too), once
    QList<PATHPROBLEM> problems;    // in the order named
};

// Reads the status of every named path once, resolving the names of one folder inside it,
// so that ten thousand files of one folder cost ten thousand status reads and no folder
// walk. Paths must be absolute; the same path named twice counts once. Only the metadata
// switches of `settings` apply to a named file; its rootPath is not used.
[[nodiscard]] NAMEDPATHS SortNamedPaths(const SCANSETTINGS& settings,
                                        const QList<QByteArray>& absolutePaths);
