// SPDX-License-Identifier: GPL-3.0-or-later
#include "cfoldernamecache.h"

#include "namedigest.h"
#include "platform/cdirectoryreader.h"

const FOLDERNAMES& CFolderNameCache::NamesIn(const QByteArray& folder) {
    const auto found = m_folders.constFind(folder);
    if (found != m_folders.constEnd())
        return *found.value();
    std::shared_ptr<FOLDERNAMES>& names = m_folders[folder];
    names = std::make_shared<FOLDERNAMES>();
    CDirectoryReader reader;
    names->readable = reader.Open(folder.isEmpty() ? QByteArrayLiteral("/") : folder);
    for (QByteArray name; names->readable && reader.Next(name);) {
        names->foldedHashes.insert(FoldedNameHash(name));
        names->names.insert(std::move(name));
    }
    return *names;
}
