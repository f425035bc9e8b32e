// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cfilefilter.h"
#include "fileentry.h"
#include "scanjobs.h"
#include "scansettings.h"
#include "scanskips.h"

#include "platform/filestatus.h"
#include "platform/nativename.h"

#include <atomic>
#include <functional>

#include <QList>

// Walks a folder (and its subfolders when asked) and hands every admitted item over as a
// finished entry, on the calling thread and in the order of a depth-first walk: a
// folder's items in directory order, a subfolder's listing right after the subfolder's
// own entry. Large listings are read by several threads (SCANSETTINGS::workers); the
// order stays the same. The abort flag is polled after every item.
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

    // The steps of a scan, which the threads of a walk call; each changes only the job
    // and the workspace it is given.
    void OpenFolder(SCANFOLDERJOB& job) const;
    void ReadSlice(SCANFOLDERJOB& folder, SCANSLICEJOB& slice, SCANWORKSPACE& workspace) const;
    [[nodiscard]] bool Aborted() const {
        return m_abort && m_abort->load(std::memory_order_relaxed);
    }
    [[nodiscard]] int WorkerCount() const;

private:
    // Returns whether the item is a folder that the walk may enter.
    bool AdmitItem(const SCANFOLDERJOB& folder, const QByteArray& nativeName, SCANSLICEJOB& slice,
                   SCANWORKSPACE& workspace) const;
    FILEENTRY MakeEntry(const QSharedDataPointer<ENTRYFOLDER>& folder, const QByteArray& nativeName,
                        const QString& name, const FILESTATUS& status,
                        SCANWORKSPACE& workspace) const;
    QSharedDataPointer<ENTRYFOLDER> FolderRecord(const QByteArray& nativePath) const;
    bool PassesLengths(qsizetype nameLength, qsizetype pathLength) const;
    static QString TypeName(const QString& name, bool isFolder, SCANWORKSPACE& workspace);

    SCANSETTINGS m_settings;
    CFileFilter m_filter;
    qsizetype m_rootLength;
    const std::atomic<bool>* m_abort;
    SCANSKIPS m_skips;
};
