// SPDX-License-Identifier: GPL-3.0-or-later
#include "cpreviewrun.h"

#include "cscanprogress.h"

#include "engine/cpreviewrefresh.h"
#include "filelist/cfolderscan.h"
#include "filelist/cfolderscanner.h"
#include "filelist/csortorder.h"
#include "filelist/textrules.h"
#include "platform/cdirectoryreader.h"
#include "platform/filestatus.h"

#include <chrono>
#include <thread>

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(20);

} // namespace

CPreviewRun::CPreviewRun(const QVNREQUEST& request, QByteArray nativeFolder, bool showProgress)
    : m_request(request), m_folder(std::move(nativeFolder)), m_showProgress(showProgress) {}

bool CPreviewRun::Run(CFileList& list, PREVIEWREPORT& report) {
    if (!CheckFolder())
        return false;
    Scan(list);
    Sort(list);
    list.SelectAll();
    Refresh(list, report);
    return true;
}

bool CPreviewRun::CheckFolder() {
    FILESTATUS status;
    CDirectoryReader reader;
    const QString shown = DecodeNativeName(m_folder);
    if (!ReadFileStatus(m_folder, status)) {
        m_error = QStringLiteral("folder not found: ") + shown;
        return false;
    }
    if (!status.isFolder) {
        m_error = QStringLiteral("not a folder: ") + shown;
        return false;
    }
    if (!reader.Open(m_folder)) {
        m_error = QStringLiteral("folder cannot be listed: ") + shown;
        return false;
    }
    return true;
}

SCANSETTINGS CPreviewRun::ScanSettings() const {
    const SELECTIONCRITERIA& selections = m_request.criteria.selections;
    const PREFERENCES& preferences = m_request.preferences;
    SCANSETTINGS settings;
    settings.rootPath = m_folder;
    settings.filter = selections.filter;
    settings.filterMatchCase = selections.filterMatchCase;
    settings.files = selections.files;
    settings.folders = selections.folders;
    settings.subfolders = selections.subfolders;
    settings.hidden = selections.hidden;
    settings.minNameLength = ToInt32(selections.minNameLength);
    settings.minPathLength = ToInt32(selections.minPathLength);
    settings.maxNameLength = ToInt32(selections.maxNameLength);
    settings.maxPathLength = ToInt32(selections.maxPathLength);
    settings.displayIcons = preferences.displayIcons != 0;
    settings.extractExif = preferences.extractExifData != 0;
    settings.extractId3 = preferences.extractId3Data != 0;
    return settings;
}

// The threaded scan rather than a plain listing, so that a long scan can show how far it
// has come while this thread waits.
void CPreviewRun::Scan(CFileList& list) const {
    CFolderScan scan;
    CScanProgress progress(m_showProgress);
    scan.StartScan(ScanSettings());
    QString folder = DecodeNativeName(m_folder);
    for (;;) {
        SCANEVENTS events = scan.TakeEvents();
        if (!events.foldersStarted.isEmpty())
            folder = events.foldersStarted.last();
        list.AppendRows(std::move(events.entries));
        progress.Update(folder, list.RowCount());
        if (events.finished)
            break;
        std::this_thread::sleep_for(kPollInterval);
    }
    scan.StopScan();
    progress.Finish();
}

void CPreviewRun::Sort(CFileList& list) const {
    const PREFERENCES& preferences = m_request.preferences;
    CSortOrder order;
    SORTSTATE& state = order.State();
    state.logical = preferences.logicalSorting != 0;
    state.groupAffected = preferences.groupAffectedFiles != 0;
    state.filesAndFoldersTogether = preferences.sortFilesAndFoldersTogether != 0;
    if (m_request.sortGiven)
        order.SortByColumn(m_request.sortColumn, m_request.sortAscending);
    else
        order.SortByColumn(preferences.sortColumn, preferences.sortDir != 0);
    list.SortRowsBy(
        [&order](const FILEENTRY& a, const FILEENTRY& b) { return order.Compare(a, b); });
}

void CPreviewRun::Refresh(CFileList& list, PREVIEWREPORT& report) const {
    const PREFERENCES& preferences = m_request.preferences;
    NAMEOPTIONS options;
    options.ignoreFileExtensions = preferences.ignoreFileExtensions != 0;
    options.ignoreFolderExtensions = preferences.ignoreFolderExtensions != 0;
    options.extractExif = preferences.extractExifData != 0;
    options.extractId3 = preferences.extractId3Data != 0;
    options.sizeDisplayMode = preferences.displayFilesizesAs;
    options.translations = &m_request.translations;
    options.debugRow = m_request.debugRow;
    const REFRESHRESULT result =
        CPreviewRefresh().Run(list, m_request.criteria, m_request.changes, options);
    if (result.patternInvalid)
        report.messages.append(QStringLiteral("Regular Expression is invalid"));
    report.traced = result.traced;
    report.trace = result.trace;
}
