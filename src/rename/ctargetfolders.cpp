// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctargetfolders.h"

#include "filelist/namedigest.h"
#include "platform/cdirectoryreader.h"
#include "platform/fileoperations.h"

// The folder and the name are looked up in place: a plan asks once or more per entry.
bool CTargetFolders::Exists(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return NativePathExists(path);
    auto found = m_folders.find(QByteArray::fromRawData(path.constData(), slash));
    if (found == m_folders.end())
        found = m_folders.insert(path.left(slash), FOLDER());
    FOLDER& folder = found.value();
    if (!folder.read && !folder.unreadable && ++folder.lookups > kLookupsBeforeReading) {
        if (m_readBefore) {
            folder.read = true;
            folder.readBefore = &m_readBefore->NamesIn(found.key());
        } else {
            Read(found.key(), folder);
        }
    }
    if (!folder.read)
        return NativePathExists(path);
    const QByteArray name =
        QByteArray::fromRawData(path.constData() + slash + 1, path.size() - slash - 1);
    if (!folder.readBefore)
        return Holds(folder.names, folder.foldedHashes, name, path);
    const FOLDERNAMES& names = *folder.readBefore;
    if (!names.readable)
        return NativePathExists(path);
    const quint64 hash = FoldedNameHash(name);
    return names.Holds(name, hash) || (names.MayHold(hash) && NativePathExists(path));
}

bool CTargetFolders::Holds(const QSet<QByteArray>& names, const QSet<quint64>& foldedHashes,
                           const QByteArray& name, const QByteArray& path) {
    if (names.contains(name))
        return true;
    // A name the folder may hold only in another letter case (or whose hash merely
    // collides with one) is left to the file system, which may or may not tell them apart.
    return foldedHashes.contains(FoldedNameHash(name)) && NativePathExists(path);
}

void CTargetFolders::Read(const QByteArray& folder, FOLDER& names) {
    CDirectoryReader reader;
    names.unreadable = !reader.Open(folder.isEmpty() ? QByteArrayLiteral("/") : folder);
    names.read = !names.unreadable;
    if (names.unreadable)
        return;
    for (QByteArray name; reader.Next(name);) {
        names.foldedHashes.insert(FoldedNameHash(name));
        names.names.insert(std::move(name));
    }
}
