// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "filelist/cfilelist.h"

#include <QByteArray>
#include <QString>
#include <vector>

// One unit of work of a rename run. The folders end in the separator. Next to the texts
// the pair keeps the exact bytes on disk: the name as listed, and the new name encoded back
// to bytes (undecodable bytes of the old name that the criteria kept come back as they
// were; the listed bytes when the name stays the same).
struct RENAMEPAIR {
    int item = 0;
    QString folder;
    QString name;
    QString newFolder;
    QString newName;
    TimeValue dateTaken = 0;
    QByteArray nativeFolder;
    QByteArray nativeName;
    QByteArray nativeNewFolder;
    QByteArray nativeNewName;
    bool isFolder = false;

    // Worked out for the whole run before anything moves (see renameplan.h).
    bool replace = false; // an existing file at the new path is given up on request
    int blocker = -1;     // the pair that still has the new path and moves away, or -1
    int plannedError = 0; // the error this pair fails with without being tried, or 0

    QString OldPath() const { return folder + name; }
    QString NewPath() const { return newFolder + newName; }
    QByteArray NativeOldPath() const { return nativeFolder + nativeName; }
    QByteArray NativeNewPath() const { return nativeNewFolder + nativeNewName; }
    // Whether the native old and new paths are the same, without joining them.
    bool KeepsPath() const;
};

// A folder path with the separator at its end.
QString WithSeparator(const QString& folder);
QByteArray WithSeparator(const QByteArray& folder);

// The bytes on disk of a new name.
QByteArray NativeNewName(const FILEENTRY& entry, const QString& newName);

// One pair per selected row, top to bottom. An empty `newLocation` keeps every entry in
// its folder; otherwise every entry goes into that folder. A relative folder or new
// location is taken from the current folder, so that every path of the run, and of what
// it records for undo, is absolute.
std::vector<RENAMEPAIR> BuildRenameList(const CFileList& list, const QString& newLocation);

// After a folder was renamed from `oldPath` to `newPath`: every pair whose folder lies
// inside it, at any depth, now lies inside the new path.
void RewriteFolder(RENAMEPAIR& pair, const RENAMEPAIR& renamed);
