// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctargetfolders.h"

#include "platform/cdirectoryreader.h"
#include "platform/fileoperations.h"

bool CTargetFolders::Exists(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return NativePathExists(path);
    FOLDER& folder = m_folders[path.left(slash)];
    if (!folder.read && !folder.unreadable && ++folder.lookups > kLookupsBeforeReading)
        Read(path.left(slash), folder);
    if (!folder.read)
        return NativePathExists(path);
    const QByteArray name = path.mid(slash + 1);
    if (folder.names.contains(name))
        return true;
    // A name the folder holds only in another letter case is left to the file system,
    // which may or may not tell them apart.
    return folder.folded.contains(name.toLower()) && NativePathExists(path);
}

void CTargetFolders::Read(const QByteArray& folder, FOLDER& names) {
    CDirectoryReader reader;
    names.unreadable = !reader.Open(folder.isEmpty() ? QByteArrayLiteral("/") : folder);
    names.read = !names.unreadable;
    if (names.unreadable)
        return;
    for (QByteArray name; reader.Next(name);) {
        names.folded.insert(name.toLower());
        names.names.insert(std::move(name));
    }
}
