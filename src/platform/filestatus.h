// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timevalue.h"

#include <QByteArray>

// What the file system says about one file or folder, read without following a symbolic
// link (a link is listed and renamed as itself, and a scan never walks into one).
struct FILESTATUS {
    bool isFolder = false;
    quint64 size = 0;
    TimeValue created = 0; // birth time where the file system records it, else 0
    TimeValue modified = 0;
    TimeValue accessed = 0;
    quint32 mode = 0; // file type and permission bits
};

bool ReadFileStatus(const QByteArray& nativePath, FILESTATUS& status);
// The status of `nativeName` inside the open folder `folderDescriptor`: the kernel then
// resolves one name instead of walking the whole path again for every item.
bool ReadFileStatusAt(int folderDescriptor, const QByteArray& nativeName, FILESTATUS& status);

// Whether the status read is that of a symbolic link itself.
[[nodiscard]] bool IsSymbolicLink(const FILESTATUS& status);

// Attribute bits of a file: read-only when the owner may not write, hidden for a name that
// begins with a dot, the directory bit for folders.
quint32 AttributesOf(const FILESTATUS& status, const QByteArray& nativeName);
