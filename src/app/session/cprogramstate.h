// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "istatelistener.h"

#include "app/settings/preferences.h"
#include "engine/changesettings.h"
#include "engine/cpreviewrefresh.h"
#include "engine/renamecriteria.h"
#include "engine/renamepairs.h"
#include "engine/translations.h"
#include "filelist/cfilelist.h"
#include "filelist/cfoldernamecache.h"
#include "filelist/csortorder.h"
#include "filelist/namedpaths.h"
#include "filelist/scansettings.h"
#include "filelist/scanskips.h"
#include "rename/crenamehistory.h"
#include "rename/crenamerun.h"
#include "rename/iprompts.h"
#include "rename/journalundo.h"

#include <functional>
#include <memory>

#include <QList>
#include <QStringList>

class CFolderScan;
class CPromptsRelay;

// What a command asks the front end to do next.
enum class FollowUp { Nothing, Refresh, Rescan };

// What TakeListingEvents found.
enum class ListingStep : int {
    Stale,    // the events of a stopped or superseded listing: nothing was done
    Running,  // rows may have been added; more will come
    Finished, // the worker has ended: call FinishListing
};

// The result of loading a favourite.
struct FAVOURITELOAD {
    bool exists = false;
    QString folderToSelect; // the stored folder when the load may navigate there, else empty
};

// Everything the main window owns for the life of the program, without the window: the
// criteria, change settings, rename pairs, translations, preferences, the current and
// recent favourites, the file list with its sort order and the numbering carried between
// refreshes. Its operations ask and report through the prompts interface, so every front
// end runs the same program.
//
// A front end is told everything through one IStateListener (rows, status, progress,
// busy, refresh requests) and answers questions through IPrompts. While a listing, a
// rename run or an undo is in progress the state refuses to start another of these and
// refuses edits that change the rows, each time with a status text. All calls are made
// on one thread, the owner's; only the listing notify comes from the worker thread.
class CProgramState {
public:
    explicit CProgramState(IPrompts& prompts);
    ~CProgramState();
    CProgramState(const CProgramState&) = delete;
    CProgramState& operator=(const CProgramState&) = delete;

    RenameCriteria criteria;
    CHANGESETTINGS changes;
    RENAMEPAIRMAP renamePairs;
    TRANSLATIONLIST translations;
    PREFERENCES preferences;
    CFileList list;
    CSortOrder sortOrder;
    qint32 debugRow = -1;

    IPrompts& Prompts() { return m_prompts; }
    // One listener or none; it is told about the list's rows too.
    void SetListener(IStateListener* listener);
    // What keeps the state busy now (Activity::None when idle).
    Activity Busy() const { return m_busy; }

    // Preferences take effect: the sort state and the list's display settings follow them.
    void ApplyPreferences();
    NAMEOPTIONS NameOptions() const;
    SCANSETTINGS ScanSettings(const QByteArray& nativeFolder) const;

    // The refresh of every selected row, told as one change of the refreshed range; takes
    // the refresh requests still waiting, reports the pattern status and shows the trace
    // of the debug row (which is then cleared).
    void RefreshPreview();
    // Asks for a refresh; requests made while one waits are merged. The listener is told
    // (RefreshRequested) when the first one starts waiting.
    void RequestRefresh();
    // Runs the refresh when a request waits (false when none did). During a rename run or
    // an undo the request keeps waiting and is told again when the state is idle.
    bool RefreshIfRequested();
    qint64 NextNumber() const { return m_nextNumber; }

    // The refresh in parts, for a front end that paints between them. Like
    // RefreshIfRequested, but only the selected rows among firstRow to lastRow (the rows on
    // screen) are refreshed at once; the others wait for ContinueRefresh. The result when
    // all parts are done equals one full refresh. A new request, a full refresh or a
    // listing drops the parts still waiting; every other edit of the rows finishes them.
    bool StartRefreshIfRequested(int firstRow, int lastRow);
    // Refreshes the next part of the rows left waiting; after the last part the conflicts
    // are marked and the refresh reports as a full one does. True while parts remain.
    bool ContinueRefresh();
    [[nodiscard]] bool RefreshUnfinished() const { return m_pass != nullptr; }

    // Listing a folder. The listing runs on a worker thread; the notify below tells the
    // owner's thread that events wait, and TakeListingEvents brings them into the list.
    //
    // Called on the listing's worker thread (never on the owner's) with the generation
    // of its listing, whenever events wait to be taken. It must only hand the generation
    // over to the owner's thread (a queued call, or a wake-up of a waiting thread) and
    // never call into the state. Notifies may be merged: one TakeListingEvents takes
    // everything that waits, and a notify of an older generation may be dropped.
    using ListingNotify = std::function<void(quint64 generation)>;
    void SetListingNotify(ListingNotify notify);
    // Empties the list and starts listing the folder with the selection criteria; a
    // running listing is stopped first and its events dropped. False (with a status text)
    // while a rename run or an undo is in progress.
    bool StartListing(const QByteArray& nativeFolder);
    // On the owner's thread, after a notify: appends the rows found since the last call
    // (one insertion notice pair), shows "Scanning Folder …" and reports progress.
    [[nodiscard]] ListingStep TakeListingEvents(quint64 generation);
    // The end of a listing: the final sort, the automatic selection and a refresh request;
    // the status shows the listed folder.
    void FinishListing();
    // Stops a running listing (Escape): the rows found so far stay, sorted, and the status
    // says "Scan aborted - list may be incomplete". Later events of it are dropped.
    void StopListing();
    bool IsListing() const { return m_busy == Activity::Listing; }
    quint64 ListingGeneration() const { return m_generation; }
    // Why the last StartListing was refused ("folder not found: …" and the like).
    const QString& ListingError() const { return m_listingError; }
    // The folder of the last listing (the one a rename run or an undo lists anew).
    const QByteArray& ListedFolder() const { return m_listedFolder; }
    // Lists a folder on the calling thread and finishes it as FinishListing does.
    bool ListFolder(const QByteArray& nativeFolder);
    // Lists paths a user named, on the calling thread, and finishes as FinishListing does:
    // a folder as ListFolder lists it, a file as its own row whatever the selection
    // criteria say (its folder is its location). Relative paths are taken from the current
    // folder; a path named twice, or a file also found in a named folder, is one row. When
    // any path cannot be listed nothing changes and ListingError() says which and why.
    // ListedFolder() is then the first folder named, else the first file's folder.
    bool ListPaths(const QList<QByteArray>& nativePaths);
    // Files and folders dropped onto the list, listed on the calling thread: a symbolic
    // link stands for its target; a folder is listed, a file is listed alone as its own
    // row; anything else is ignored. The rows go to the top of the list, the last dropped
    // first, unsorted. False (status text) while busy.
    bool AddDroppedPaths(const QList<QByteArray>& nativePaths, bool clearFirst);

    // Edits of the rows; each is refused (false, with a status text) while busy.
    bool SortList();
    bool SelectAll();
    bool DeselectAll();
    bool DeleteRow(int row);
    // Moves a row before `to` (at the end when `to` is the row count).
    bool MoveRow(int from, int to);

    // Favourites.
    QString CurrentFavourite() const { return m_currentFavourite; }
    const QStringList& RecentFavourites() const { return m_recent; }
    void SetRecentFavourites(const QStringList& recent);
    FAVOURITELOAD LoadFavourite(const QString& path, bool navigate);
    bool SaveFavourite(const QString& path, const QString& selectedFolder);
    FollowUp OpenFavourite();
    void SaveFavouriteCommand(const QString& selectedFolder);
    void SaveFavouriteAs(const QString& selectedFolder);
    FollowUp RevertFavourite();
    FollowUp OpenRecentFavourite(const QString& path);

    // Rename pairs and translations.
    FollowUp ImportRenamePairs();
    bool ImportRenamePairsFrom(const QString& path);
    FollowUp ClearImportedPairs();
    FollowUp SetTranslationsText(const QString& text);

    // "/RESET": asks, then clears the per-user settings store. False when declined.
    bool ResetUserSettings();

    // Start-up: "/RESET" (the whole cleaned command line, any letter case) asks first and,
    // when answered Yes, is treated as an empty command line from then on; then the
    // preferences file is read and applied. Returns the command line that remains.
    QString LoadPreferences(const QString& preferencesPath, const QString& commandLine);
    // Closing: the preferences file is written, then the current favourite is saved when
    // "Auto Save Favourite On Exit" is on (with no current favourite, Save As asks).
    void SavePreferences(const QString& preferencesPath, const QString& selectedFolder);

    // Renaming and undo. A run or an undo that must list anew lists ListedFolder(). Each
    // is refused (RunRefusal::Busy, a status text) while another activity is in progress.
    CRenameHistory history;
    RENAMERESULT OnRename();
    RENAMERESULT OnEndLabelEdit(int item, const QString& text);
    bool OnUndoRename();
    void OnCreateUndoBatchfile();
    // Reverses the last run recorded in the undo journal (after a crash, or from qvn).
    JOURNALUNDORESULT UndoLastJournalRun(bool assumeYes);
    // Where runs keep their undo journals; empty: no journal.
    void SetJournalFolder(const QString& folder) { m_journalFolder = folder; }
    // What a run does when its journal cannot be written; the window asks (the default).
    void SetJournalPolicy(JournalPolicy policy) { m_journalPolicy = policy; }
    // A run that starts right after its preview, with nothing asked in between, may plan
    // from the target folders' names the preview read instead of reading them again.
    void SetRunReusesPreviewFolders(bool reuse) { m_runReusesPreviewFolders = reuse; }

private:
    RENAMERESULT Rename(const std::function<RENAMERESULT(CRenameRun&)>& start);
    bool Refused(const char* what) const;
    void SetBusy(Activity activity);
    void Refresh();
    void RunRefreshPart(const std::function<void()>& part);
    void EndRefresh();
    // Finishes the parts of a refresh still waiting before the rows change under them.
    void SettleRefresh();
    // Forgets the names read from disk and any waiting parts: the rows are listed anew.
    void ForgetListing();
    bool FolderListable(const QByteArray& nativeFolder);
    void EndListing();
    void CompleteListing();
    void StopWorker();
    void Relist();
    // The entries the last listing left out, as a status text.
    void ReportSkips();
    void Rescan();
    void Sort();
    std::vector<FILEENTRY> DroppedRows(const QByteArray& nativePath);
    [[nodiscard]] bool PathsListable(const NAMEDPATHS& named);
    std::vector<FILEENTRY> RowsOfPaths(NAMEDPATHS&& named);
    void AddRecent(const QString& path);
    QString LogPath() const;
    void SetStatus(const QString& text);

    // The core below is given the relay as its prompts: questions go on to the front
    // end's prompts, status texts and progress reach the listener as well.
    std::unique_ptr<CPromptsRelay> m_relay;
    IPrompts& m_prompts; // the relay
    IStateListener* m_listener = nullptr;
    Activity m_busy = Activity::None;
    CRefreshRequests m_refreshRequests;
    std::unique_ptr<CRefreshPass> m_pass; // the parts of a started refresh still waiting
    CFolderNameCache m_folderNames;       // the target folders' names, kept between refreshes
    std::unique_ptr<CFolderScan> m_scan;
    ListingNotify m_listingNotify;
    quint64 m_generation = 0;
    QByteArray m_listedFolder;
    QList<QByteArray> m_listedPaths; // the absolute paths named, when they were listed
    SCANSKIPS m_skips;
    QString m_scanningFolder;
    QString m_listingError;
    QString m_currentFavourite;
    QStringList m_recent;
    qint64 m_nextNumber = 0;
    QString m_journalFolder;
    JournalPolicy m_journalPolicy = JournalPolicy::Ask;
    bool m_runReusesPreviewFolders = false;
};
