// SPDX-License-Identifier: GPL-3.0-or-later
#include "cfolderscan.h"

#include "cfolderscanner.h"

namespace {

// Entries travel to the owner in batches of this size (and at every folder level).
constexpr size_t kBatchSize = 512;

} // namespace

CFolderScan::~CFolderScan() {
    StopScan();
}

bool CFolderScan::StartScan(const SCANSETTINGS& settings) {
    if (m_worker.joinable())
        return false;
    {
        std::lock_guard lock(m_mutex);
        m_pending = SCANEVENTS();
        m_notified = false;
    }
    m_abort = false;
    m_finished = false;
    m_worker = std::thread(&CFolderScan::Run, this, settings);
    return true;
}

bool CFolderScan::StopScan() {
    if (!m_worker.joinable())
        return true;
    m_abort = true;
    m_worker.join();
    return true;
}

SCANEVENTS CFolderScan::TakeEvents() {
    std::lock_guard lock(m_mutex);
    SCANEVENTS events = std::move(m_pending);
    m_pending = SCANEVENTS();
    m_notified = false;
    return events;
}

void CFolderScan::Run(SCANSETTINGS settings) {
    CFolderScanner scanner(settings, &m_abort);
    scanner.Scan(
        [this](FILEENTRY&& entry) {
            m_batch.push_back(std::move(entry));
            if (m_batch.size() >= kBatchSize)
                Publish(false);
        },
        [this](const QString& folderPath) {
            Publish(false);
            std::lock_guard lock(m_mutex);
            m_pending.foldersStarted.append(folderPath);
        });
    {
        std::lock_guard lock(m_mutex);
        m_pending.skips = scanner.Skips();
    }
    m_finished = true;
    Publish(true);
}

void CFolderScan::Publish(bool finished) {
    bool notify = false;
    {
        std::lock_guard lock(m_mutex);
        if (m_pending.entries.empty())
            m_pending.entries.swap(m_batch);
        for (FILEENTRY& entry : m_batch)
            m_pending.entries.push_back(std::move(entry));
        m_pending.finished = m_pending.finished || finished;
        // An owner already told takes these along with the rest; one wake-up per take.
        notify = !m_notified;
        m_notified = true;
    }
    m_batch.clear();
    if (notify && m_notify)
        m_notify();
}

std::vector<FILEENTRY> ScanFolderEntries(const SCANSETTINGS& settings, SCANSKIPS* skips) {
    std::vector<FILEENTRY> entries;
    CFolderScanner scanner(settings);
    scanner.Scan([&entries](FILEENTRY&& entry) { entries.push_back(std::move(entry)); }, {});
    if (skips)
        *skips = scanner.Skips();
    return entries;
}

SCANSKIPS ListFolder(CFileList& list, const SCANSETTINGS& settings, bool clear) {
    if (clear)
        list.Clear();
    SCANSKIPS skips;
    list.AppendRows(ScanFolderEntries(settings, &skips));
    return skips;
}
