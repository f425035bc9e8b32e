// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cfilelist.h"
#include "scansettings.h"
#include "scanskips.h"

#include <QStringList>

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// What the worker has produced since the owner last looked.
struct SCANEVENTS {
    std::vector<FILEENTRY> entries;
    QStringList foldersStarted; // "Scanning Folder ..." progress, in order
    bool finished = false;      // the worker has ended (normally or stopped)
    SCANSKIPS skips;            // what the scan left out; set with `finished`
};

// A listing on a worker thread. The worker collects entries in batches; the owner's
// thread takes them (TakeEvents) when told that there is something new, and inserts
// them into its list, so rows are only ever touched on the owner's thread.
class CFolderScan {
public:
    // Called on the worker thread when events wait to be taken, once until the owner takes
    // them; the owner typically posts a call to its own thread from it. Never call back
    // into the scan from it.
    using Notify = std::function<void()>;

    CFolderScan() = default;
    ~CFolderScan();
    CFolderScan(const CFolderScan&) = delete;
    CFolderScan& operator=(const CFolderScan&) = delete;

    void SetNotify(Notify notify) { m_notify = std::move(notify); }

    // Refuses (false) while a worker object still exists: StopScan first.
    bool StartScan(const SCANSETTINGS& settings);
    // Sets the abort flag and waits for the worker; true when no worker is left.
    bool StopScan();
    bool IsScanning() const { return m_worker.joinable() && !m_finished.load(); }
    SCANEVENTS TakeEvents();

private:
    void Run(SCANSETTINGS settings);
    void Publish(bool force);

    std::thread m_worker;
    std::atomic<bool> m_abort{false};
    std::atomic<bool> m_finished{false};
    std::mutex m_mutex;
    SCANEVENTS m_pending;           // guarded by m_mutex
    bool m_notified = false;        // guarded by m_mutex: told, not yet taken
    std::vector<FILEENTRY> m_batch; // worker only
    Notify m_notify;
};

// The entries of a listing on the calling thread, in the order found.
std::vector<FILEENTRY> ScanFolderEntries(const SCANSETTINGS& settings, SCANSKIPS* skips = nullptr);
// Lists a folder on the calling thread and appends its entries to the list (cleared first
// when asked), with one insertion notice. No sort. Returns what the scan left out.
SCANSKIPS ListFolder(CFileList& list, const SCANSETTINGS& settings, bool clear);
