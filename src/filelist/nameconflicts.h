// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cfilelist.h"
#include "cfoldernamecache.h"

#include <QByteArray>
#include <QString>

// The most bytes one name may have on the file systems Linux uses.
constexpr qsizetype kMostNameBytes = 255;

// The bytes on disk of a new name: the listed bytes when the name stays the same (so an
// undecodable name that is not changed is not touched), else its UTF-8.
QByteArray EncodeNewName(const FILEENTRY& entry, const QString& newName);

// TooLong, Invalid or None: what is wrong with a name whatever else is in the folder.
NameConflict NameProblem(const QByteArray& nativeName);

// "", "duplicate", "exists", "too-long" or "invalid".
QString NameConflictKey(NameConflict conflict);

// Marks every row with what stands in the way of its new name, from one pass over the
// list: a selected row whose new path differs from its path conflicts when its name is
// too long or invalid, when another selected row has the same new path, or when an entry
// has that path that is not itself renamed away (a listed row, or anything on disk that
// is not listed). Every other row has no conflict. `nativeNewLocation` empty: every row
// stays in its folder; else every row goes there. The target folders' names come from the
// cache (read there when missing).
void MarkNameConflicts(CFileList& list, const QByteArray& nativeNewLocation,
                       CFolderNameCache& folderNames);
// The same with the target folders read afresh.
void MarkNameConflicts(CFileList& list, const QByteArray& nativeNewLocation);
