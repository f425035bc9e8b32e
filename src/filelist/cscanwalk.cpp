// SPDX-License-Identifier: GPL-3.0-or-later
#include "cscanwalk.h"

#include "platform/pathchecks.h"

#include <algorithm>
#include <system_error>

namespace {

// Names a job reads: enough to outweigh taking the job, few enough that one large
// folder spreads over every thread.
constexpr qsizetype kSliceNames = 128;

} // namespace

CScanWalk::CScanWalk(const CFolderScanner& scanner, int workers)
    : m_scanner(scanner), m_workers(std::max(1, workers)) {}

CScanWalk::~CScanWalk() {
    StopHelpers();
}

void CScanWalk::Run(const QByteArray& rootPath, const CFolderScanner::EntrySink& onEntry,
                    const CFolderScanner::FolderSink& onFolder, SCANSKIPS& skips) {
    m_onEntry = &onEntry;
    m_onFolder = &onFolder;
    m_skips = &skips;
    SCANFOLDERJOB root(rootPath);
    {
        std::lock_guard lock(m_mutex);
        m_stack.push_back({&root, nullptr});
    }
    Emit(root);
    // Helpers may still be inside a job of this tree after an abort.
    StopHelpers();
}

void CScanWalk::Emit(SCANFOLDERJOB& folder) {
    if (m_scanner.Aborted() || !Await({&folder, nullptr}))
        return;
    if (!folder.opened) {
        if (!IsNotFoundError(folder.openError))
            AddScanSkip(*m_skips, DecodeNativeName(folder.nativePath), folder.openError);
        return;
    }
    if (*m_onFolder)
        (*m_onFolder)(folder.record.constData()->path);
    for (SCANSLICEJOB& slice : folder.slices) {
        if (!Await({&folder, &slice}))
            return;
        EmitSlice(slice);
        // After an abort, helpers may still be inside this slice's subfolders.
        if (m_scanner.Aborted())
            return;
        std::vector<FILEENTRY>().swap(slice.entries);
        std::vector<SCANMARK>().swap(slice.marks);
    }
}

void CScanWalk::EmitSlice(SCANSLICEJOB& slice) {
    auto mark = slice.marks.begin();
    for (size_t i = 0; i <= slice.entries.size(); ++i) {
        for (; mark != slice.marks.end() && mark->position == i; ++mark) {
            if (m_scanner.Aborted())
                return;
            if (mark->child) {
                Emit(*mark->child);
                if (m_scanner.Aborted())
                    return;
                mark->child.reset();
            } else {
                AddScanSkip(*m_skips, mark->skipPath, mark->skipError);
            }
        }
        if (i == slice.entries.size() || m_scanner.Aborted())
            return;
        (*m_onEntry)(std::move(slice.entries[i]));
    }
}

bool CScanWalk::Await(const SCANTASK& task) {
    std::unique_lock lock(m_mutex);
    while (StateOf(task) != ScanJobState::Done) {
        if (m_scanner.Aborted())
            return false;
        if (TakeFromStack(task)) {
            Perform(lock, task, m_workspace);
            AddHelpers();
        } else if (!m_stack.empty()) {
            // Another thread has the job; doing a later one meanwhile beats waiting.
            const SCANTASK other = m_stack.back();
            m_stack.pop_back();
            Perform(lock, other, m_workspace);
            AddHelpers();
        } else {
            m_taskDone.wait(lock);
        }
    }
    return true;
}

bool CScanWalk::TakeFromStack(const SCANTASK& task) {
    if (StateOf(task) != ScanJobState::Queued)
        return false;
    const auto found = std::find(m_stack.rbegin(), m_stack.rend(), task);
    m_stack.erase(std::next(found).base());
    return true;
}

void CScanWalk::Help() {
    SCANWORKSPACE workspace;
    std::unique_lock lock(m_mutex);
    while (true) {
        m_workWaiting.wait(lock, [this] { return m_stopping || !m_stack.empty(); });
        if (m_stopping)
            return;
        const SCANTASK task = m_stack.back();
        m_stack.pop_back();
        Perform(lock, task, workspace);
    }
}

void CScanWalk::Perform(std::unique_lock<std::mutex>& lock, const SCANTASK& task,
                        SCANWORKSPACE& workspace) {
    StateOf(task) = ScanJobState::Running;
    lock.unlock();
    std::vector<SCANTASK> next = Execute(task, workspace);
    lock.lock();
    // Pushed last to first, so that the first is taken first: helpers then follow the
    // order the results are handed on in.
    m_stack.insert(m_stack.end(), next.rbegin(), next.rend());
    StateOf(task) = ScanJobState::Done;
    if (!next.empty())
        m_workWaiting.notify_all();
    m_taskDone.notify_one();
}

std::vector<CScanWalk::SCANTASK> CScanWalk::Execute(const SCANTASK& task,
                                                    SCANWORKSPACE& workspace) {
    if (!task.slice) {
        m_scanner.OpenFolder(*task.folder);
        return SliceFolder(*task.folder);
    }
    m_scanner.ReadSlice(*task.folder, *task.slice, workspace);
    return FinishSlice(*task.folder, *task.slice);
}

std::vector<CScanWalk::SCANTASK> CScanWalk::SliceFolder(SCANFOLDERJOB& folder) {
    const qsizetype names = qsizetype(folder.names.size());
    std::vector<SCANTASK> tasks;
    if (!folder.opened || m_scanner.Aborted())
        return tasks;
    folder.slices.resize(size_t((names + kSliceNames - 1) / kSliceNames));
    folder.slicesLeft = folder.slices.size();
    if (folder.slices.empty())
        folder.reader.Close();
    for (size_t i = 0; i < folder.slices.size(); ++i) {
        SCANSLICEJOB& slice = folder.slices[i];
        slice.begin = qsizetype(i) * kSliceNames;
        slice.end = std::min(names, slice.begin + kSliceNames);
        tasks.push_back({&folder, &slice});
    }
    return tasks;
}

std::vector<CScanWalk::SCANTASK> CScanWalk::FinishSlice(SCANFOLDERJOB& folder,
                                                        SCANSLICEJOB& slice) {
    if (folder.slicesLeft.fetch_sub(1) == 1) {
        folder.reader.Close();
        folder.names = {};
    }
    std::vector<SCANTASK> tasks;
    for (const SCANMARK& mark : slice.marks) {
        if (mark.child)
            tasks.push_back({mark.child.get(), nullptr});
    }
    return tasks;
}

ScanJobState& CScanWalk::StateOf(const SCANTASK& task) {
    return task.slice ? task.slice->state : task.folder->state;
}

// A helper for every waiting job beyond the one this thread does next, up to the
// worker count: a small folder starts none.
void CScanWalk::AddHelpers() {
    while (m_helpers.size() + 1 < size_t(m_workers) && m_stack.size() > m_helpers.size() + 1) {
        try {
            m_helpers.emplace_back(&CScanWalk::Help, this);
        } catch (const std::system_error&) {
            // Out of threads: the walk finishes with those it has.
            m_workers = int(m_helpers.size()) + 1;
        }
    }
}

void CScanWalk::StopHelpers() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_workWaiting.notify_all();
    for (std::thread& helper : m_helpers)
        helper.join();
    m_helpers.clear();
}
