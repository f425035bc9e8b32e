// SPDX-License-Identifier: GPL-3.0-or-later
#include "cpreviewrun.h"

#include "platform/pathchecks.h"
#include "platform/pathkind.h"

#include <condition_variable>
#include <mutex>

namespace {

// qvn has no event loop: its thread sleeps until the listing's worker says that events
// wait. Notifies that come while the thread is awake are merged into one wake-up.
class CListingWake {
public:
    void Notify(quint64 generation) {
        {
            std::lock_guard lock(m_mutex);
            m_generation = generation;
            m_waiting = true;
        }
        m_wake.notify_one();
    }

    quint64 Wait() {
        std::unique_lock lock(m_mutex);
        m_wake.wait(lock, [this] { return m_waiting; });
        m_waiting = false;
        return m_generation;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    quint64 m_generation = 0;
    bool m_waiting = false;
};

} // namespace

CPreviewRun::CPreviewRun(const QVNREQUEST& request, QList<QByteArray> nativePaths, bool listGiven)
    : m_request(request), m_paths(std::move(nativePaths)), m_listGiven(listGiven) {}

bool CPreviewRun::Run(CProgramState& state) {
    if (m_request.sortGiven) {
        state.sortOrder.State().column = -1;
        state.sortOrder.SortByColumn(m_request.sortColumn, m_request.sortAscending);
    }
    const bool listed = ListsOneFolder() ? ListFolder(state) : state.ListPaths(m_paths);
    m_error = state.ListingError();
    if (!listed)
        return false;
    if (!state.SelectAll())
        return false;
    state.debugRow = m_request.debugRow;
    state.RefreshIfRequested();
    return true;
}

// Anything but one file: a folder, or what cannot be listed, which then gets the words of
// a folder that cannot be listed.
bool CPreviewRun::ListsOneFolder() const {
    if (m_paths.isEmpty())
        return !m_listGiven;
    return m_paths.size() == 1 && KindOfPath(m_paths.first()) != PathKind::File;
}

// The folder is listed on the state's worker, with the scan's progress.
bool CPreviewRun::ListFolder(CProgramState& state) {
    const QByteArray folder =
        AbsoluteNativePath(m_paths.isEmpty() ? QByteArrayLiteral(".") : m_paths.first());
    CListingWake wake;
    state.SetListingNotify([&wake](quint64 generation) { wake.Notify(generation); });
    const bool started = state.StartListing(folder);
    while (started && state.TakeListingEvents(wake.Wait()) != ListingStep::Finished) {
    }
    if (started)
        state.FinishListing();
    state.SetListingNotify({});
    return started;
}
