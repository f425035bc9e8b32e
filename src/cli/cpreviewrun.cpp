// SPDX-License-Identifier: GPL-3.0-or-later
#include "cpreviewrun.h"

#include "cscanprogress.h"
#include "inputchecks.h"

#include "filelist/cfolderscan.h"
#include "filelist/cfolderscanner.h"

#include <chrono>
#include <thread>

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(20);

} // namespace

CPreviewRun::CPreviewRun(const QVNREQUEST& request, QByteArray nativeFolder, bool showProgress)
    : m_request(request), m_folder(std::move(nativeFolder)), m_showProgress(showProgress) {}

bool CPreviewRun::Run(CProgramState& state) {
    if (!CheckFolder())
        return false;
    Scan(state);
    Sort(state);
    state.list.SelectAll();
    state.debugRow = m_request.debugRow;
    state.RefreshPreview();
    return true;
}

bool CPreviewRun::CheckFolder() {
    m_error = FolderListProblem(m_folder);
    return m_error.isEmpty();
}

// The threaded scan rather than a plain listing, so that a long scan can show how far it
// has come while this thread waits.
void CPreviewRun::Scan(CProgramState& state) const {
    CFileList& list = state.list;
    CFolderScan scan;
    CScanProgress progress(m_showProgress);
    scan.StartScan(state.ScanSettings(m_folder));
    QString folder = DecodeNativeName(m_folder);
    SCANSKIPS skips;
    for (;;) {
        SCANEVENTS events = scan.TakeEvents();
        if (!events.foldersStarted.isEmpty())
            folder = events.foldersStarted.last();
        list.AppendRows(std::move(events.entries));
        progress.Update(folder, list.RowCount());
        if (events.finished) {
            skips = std::move(events.skips);
            break;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    scan.StopScan();
    progress.Finish();
    if (skips.count > 0)
        state.Prompts().SetStatus(StatusPane::Message, ScanSkipsText(skips));
}

void CPreviewRun::Sort(CProgramState& state) const {
    if (m_request.sortGiven) {
        state.sortOrder.State().column = -1;
        state.sortOrder.SortByColumn(m_request.sortColumn, m_request.sortAscending);
    }
    state.SortList();
}
