// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cfilefilter.h"
#include "fileentry.h"
#include "scansettings.h"
#include "scanskips.h"

#include "platform/filestatus.h"
#include "platform/nativename.h"

#include <atomic>
#include <functional>
#include <utility>
#include <vector>

#include <QList>

// Walks a folder (and its subfolders when asked) on the calling thread and hands every
// admitted item over as a finished entry. The abort flag is polled after every item.
class CFolderScanner {
public:
    using EntrySink = std::function<void(FILEENTRY&& entry)>;
    using FolderSink = std::function<void(const QString& folderPath)>;
    // A named item that is a folder (a link to one included), by its path as named.
    using NamedFolderSink = std::function<void(const QByteArray& nativePath)>;
    // A named item whose status cannot be read, with the system's error number.
    using ProblemSink = std::function<void(const QByteArray& nativePath, int error)>;

    CFolderScanner(const SCANSETTINGS& settings, const std::atomic<bool>* abort = nullptr);

    void Scan(const EntrySink& onEntry, const FolderSink& onFolder);
    // Lists items of the root folder that a user named one by one, each as its own row
    // whatever the filter, hidden and length rules say, with one status read per name. A
    // named folder is handed to onFolder instead, for the caller to list as a folder.
    void ListNames(const QList<QByteArray>& nativeNames, const EntrySink& onEntry,
                   const NamedFolderSink& onFolder, const ProblemSink& onProblem);
    // What the scan could not read; complete once Scan has returned.
    const SCANSKIPS& Skips() const { return m_skips; }

private:
    struct LEVEL {
        int descriptor = -1; // the open folder, which item names are read relative to
        QSharedDataPointer<ENTRYFOLDER> folder; // shared by every entry of the folder
    };

    void ScanFolder(const QByteArray& nativePath, const EntrySink& onEntry,
                    const FolderSink& onFolder);
    // Returns whether the item is a folder that the walk may enter.
    bool AdmitItem(const LEVEL& level, const QByteArray& nativeName, const EntrySink& onEntry,
                   class CMetadataReader& metadata);
    FILEENTRY MakeEntry(const LEVEL& level, const QByteArray& nativeName, const QString& name,
                        const FILESTATUS& status, class CMetadataReader& metadata);
    LEVEL LevelOf(const QByteArray& nativePath) const;
    bool PassesLengths(qsizetype nameLength, qsizetype pathLength) const;
    QString TypeName(const QString& name, bool isFolder);
    bool Aborted() const { return m_abort && m_abort->load(std::memory_order_relaxed); }

    SCANSETTINGS m_settings;
    CFileFilter m_filter;
    qsizetype m_rootLength;
    const std::atomic<bool>* m_abort;
    // By extension as written; a tree holds few extensions, so a short list serves.
    std::vector<std::pair<QString, QString>> m_typeNames;
    SCANSKIPS m_skips;
};
