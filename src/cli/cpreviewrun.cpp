// SPDX-License-Identifier: GPL-3.0-or-later
#include "cpreviewrun.h"

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

CPreviewRun::CPreviewRun(const QVNREQUEST& request, QByteArray nativeFolder)
    : m_request(request), m_folder(std::move(nativeFolder)) {}

bool CPreviewRun::Run(CProgramState& state) {
    if (m_request.sortGiven) {
        state.sortOrder.State().column = -1;
        state.sortOrder.SortByColumn(m_request.sortColumn, m_request.sortAscending);
    }
    if (!List(state))
        return false;
    if (!state.SelectAll())
        return false;
    state.debugRow = m_request.debugRow;
    state.RefreshIfRequested();
    return true;
}

bool CPreviewRun::List(CProgramState& state) {
    CListingWake wake;
    state.SetListingNotify([&wake](quint64 generation) { wake.Notify(generation); });
    const bool started = state.StartListing(m_folder);
    while (started && state.TakeListingEvents(wake.Wait()) != ListingStep::Finished) {
    }
    if (started)
        state.FinishListing();
    state.SetListingNotify({});
    m_error = state.ListingError();
    return started;
}
