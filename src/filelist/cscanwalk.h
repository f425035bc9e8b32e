// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cfolderscanner.h"
#include "scanjobs.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

// One scan shared out over threads. The calling thread hands the results on in walk
// order, doing the job it needs next itself whenever no other thread has started it (so
// one worker is a plain walk); helper threads take the newest waiting job, which keeps
// them just ahead of it, and are started only as jobs wait for them.
class CScanWalk {
public:
    CScanWalk(const CFolderScanner& scanner, int workers);
    ~CScanWalk();
    CScanWalk(const CScanWalk&) = delete;
    CScanWalk& operator=(const CScanWalk&) = delete;

    void Run(const QByteArray& rootPath, const CFolderScanner::EntrySink& onEntry,
             const CFolderScanner::FolderSink& onFolder, SCANSKIPS& skips);

private:
    // A folder's own job when `slice` is null, else that slice's.
    struct SCANTASK {
        SCANFOLDERJOB* folder = nullptr;
        SCANSLICEJOB* slice = nullptr;
        bool operator==(const SCANTASK&) const = default;
    };

    void Emit(SCANFOLDERJOB& folder);
    void EmitSlice(SCANSLICEJOB& slice);
    // Returns once the task is done, or false at once when the scan is aborted.
    [[nodiscard]] bool Await(const SCANTASK& task);
    void Help();
    // Runs a task taken off the stack with the lock released, then publishes its result.
    void Perform(std::unique_lock<std::mutex>& lock, const SCANTASK& task,
                 SCANWORKSPACE& workspace);
    std::vector<SCANTASK> Execute(const SCANTASK& task, SCANWORKSPACE& workspace);
    std::vector<SCANTASK> SliceFolder(SCANFOLDERJOB& folder);
    std::vector<SCANTASK> FinishSlice(SCANFOLDERJOB& folder, SCANSLICEJOB& slice);
    [[nodiscard]] bool TakeFromStack(const SCANTASK& task);
    static ScanJobState& StateOf(const SCANTASK& task);
    void AddHelpers();
    void StopHelpers();

    const CFolderScanner& m_scanner;
    int m_workers;
    const CFolderScanner::EntrySink* m_onEntry = nullptr;
    const CFolderScanner::FolderSink* m_onFolder = nullptr;
    SCANSKIPS* m_skips = nullptr;
    SCANWORKSPACE m_workspace; // the calling thread's

    std::mutex m_mutex;
    std::condition_variable m_workWaiting; // helpers wait for jobs
    std::condition_variable m_taskDone;    // the calling thread waits for a helper's job
    std::vector<SCANTASK> m_stack;         // queued jobs, the newest last
    bool m_stopping = false;
    std::vector<std::thread> m_helpers;
};
