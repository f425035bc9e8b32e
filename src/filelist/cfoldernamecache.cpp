// SPDX-License-Identifier: GPL-3.0-or-later
#include "cfoldernamecache.h"

#include "namedigest.h"
#include "platform/cdirectoryreader.h"
#include "platform/workshares.h"

#include <algorithm>

namespace {

void ReadFolder(const QByteArray& folder, FOLDERNAMES& names) {
    CDirectoryReader reader;
    names.readable = reader.Open(folder.isEmpty() ? QByteArrayLiteral("/") : folder);
    for (QByteArray name; names.readable && reader.Next(name);) {
        names.hashes.emplace_back(FoldedNameHash(name), names.names.size());
        names.names.append(name).append('\0');
    }
    std::sort(names.hashes.begin(), names.hashes.end());
}

bool ByHash(const std::pair<quint64, qsizetype>& entry, quint64 hash) {
    return entry.first < hash;
}

} // namespace

bool FOLDERNAMES::MayHold(quint64 foldedHash) const {
    const auto found = std::lower_bound(hashes.begin(), hashes.end(), foldedHash, ByHash);
    return found != hashes.end() && found->first == foldedHash;
}

bool FOLDERNAMES::Holds(const QByteArray& name, quint64 foldedHash) const {
    for (auto it = std::lower_bound(hashes.begin(), hashes.end(), foldedHash, ByHash);
         it != hashes.end() && it->first == foldedHash; ++it) {
        if (QByteArrayView(names.constData() + it->second) == name)
            return true;
    }
    return false;
}

const FOLDERNAMES& CFolderNameCache::NamesIn(const QByteArray& folder) {
    const auto found = m_folders.constFind(folder);
    if (found != m_folders.constEnd())
        return *found.value();
    std::shared_ptr<FOLDERNAMES>& names = m_folders[folder];
    names = std::make_shared<FOLDERNAMES>();
    ReadFolder(folder, *names);
    return *names;
}

void CFolderNameCache::ReadAll(const std::vector<QByteArray>& folders, int workers) {
    std::vector<std::pair<const QByteArray*, FOLDERNAMES*>> missing;
    for (const QByteArray& folder : folders) {
        if (m_folders.contains(folder))
            continue;
        std::shared_ptr<FOLDERNAMES>& names = m_folders[folder];
        names = std::make_shared<FOLDERNAMES>();
        missing.emplace_back(&folder, names.get());
    }
    const size_t count = missing.size();
    const size_t threads = std::clamp(size_t(workers), size_t(1), std::max(count, size_t(1)));
    RunRangeShares(count, int(threads), [&](size_t first, size_t last) {
        for (size_t i = first; i < last; ++i)
            ReadFolder(*missing[i].first, *missing[i].second);
    });
}
