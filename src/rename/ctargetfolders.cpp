// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctargetfolders.h"

#include "filelist/namedigest.h"
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
    if (!folder.names && ++folder.lookups > kLookupsBeforeReading)
        folder.names = &Cache().NamesIn(found.key());
    // A folder that could not be read is asked path by path.
    if (!folder.names || !folder.names->readable)
        return NativePathExists(path);
    const QByteArray name =
        QByteArray::fromRawData(path.constData() + slash + 1, path.size() - slash - 1);
    const quint64 hash = FoldedNameHash(name);
    // A name the folder may hold only in another letter case (or whose hash merely
    // collides with one) is left to the file system, which may or may not tell them apart.
    return folder.names->Holds(name, hash) ||
           (folder.names->MayHold(hash) && NativePathExists(path));
}
