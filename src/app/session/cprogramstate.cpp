// SPDX-License-Identifier: GPL-3.0-or-later
#include "cprogramstate.h"

#include "cpromptsrelay.h"

#include "app/settings/favouritesfile.h"
#include "app/settings/preferencesfile.h"
#include "filelist/cfolderscan.h"
#include "filelist/cfolderscanner.h"
#include "filelist/nameconflicts.h"
#include "platform/cdirectoryreader.h"
#include "platform/fileoperations.h"
#include "platform/filestatus.h"
#include "platform/linktarget.h"
#include "platform/nativename.h"
#include "platform/pathchecks.h"
#include "platform/pathkind.h"
#include "platform/userfolders.h"
#include "rename/renamepairsfile.h"
#include "rename/translationtext.h"
#include "rename/undorename.h"
#include "rename/undoscript.h"

#include "filelist/textrules.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSettings>

namespace {

QString WithReason(const QString& text, int error) {
    return text + QStringLiteral(" (") + ErrorText(error) + QLatin1Char(')');
}

// What keeps a folder from being listed, in words; empty when nothing does.
QString FolderListProblem(const QByteArray& nativeFolder) {
    const FOLDERCHECK check = CheckFolder(nativeFolder);
    const QString shown = DecodeNativeName(nativeFolder);
    switch (check.problem) {
    case FolderProblem::None:
        return QString();
    case FolderProblem::Missing:
        return QStringLiteral("folder not found: ") + shown;
    case FolderProblem::NotFolder:
        return QStringLiteral("not a folder: ") + shown;
    case FolderProblem::TooLong:
        return WithReason(QStringLiteral("path too long: ") + shown, check.error);
    case FolderProblem::LinkLoop:
        return WithReason(QStringLiteral("symbolic link loop: ") + shown, check.error);
    case FolderProblem::Unreadable:
        break;
    }
    return WithReason(QStringLiteral("folder cannot be listed: ") + shown, check.error);
}

constexpr int kMaxRecentFavourites = 8;

QString FileNameOf(const QString& path) {
    return QFileInfo(path).fileName();
}

RENAMEPREFERENCES RenamePreferencesOf(const PREFERENCES& p) {
    RENAMEPREFERENCES r;
    r.overwriteTargetFiles = p.overwriteTargetFiles;
    r.logActivity = p.logActivity;
    r.newLocationCopyNotMove = p.newLocationCopyNotMove;
    r.preventDuplicates = p.preventDuplicates;
    r.reverseOrder = p.reverseOrder;
    r.retainAutonumber = p.retainAutonumber;
    r.extractExifData = p.extractExifData;
    r.displayWarningMessage = p.displayWarningMessage;
    r.displayConfirmationMessage = p.displayConfirmationMessage;
    return r;
}

FILEQUESTION FavouriteQuestion(const QString& initialPath) {
    FILEQUESTION q;
    q.filter = QStringLiteral("Quorvin Favourites (*.qvn)");
    q.defaultExtension = QStringLiteral("qvn");
    q.initialPath = initialPath;
    return q;
}

// What the state is busy with, as the end of a refusal text.
QString BusyText(Activity activity) {
    switch (activity) {
    case Activity::Listing:
        return QStringLiteral("a folder is being listed");
    case Activity::Renaming:
        return QStringLiteral("files are being renamed");
    case Activity::Undoing:
    case Activity::UndoingJournal:
        return QStringLiteral("changes are being reversed");
    case Activity::None:
        break;
    }
    return QString();
}

// What keeps a named path from being listed, in words.
QString PathProblemText(const PATHPROBLEM& problem) {
    const QString shown = DecodeNativeName(problem.nativePath);
    if (IsNotFoundError(problem.error))
        return QStringLiteral("not found: ") + shown;
    return WithReason(QStringLiteral("cannot be read: ") + shown, problem.error);
}

QList<QByteArray> AbsolutePaths(const QList<QByteArray>& nativePaths) {
    const QByteArray current = CurrentNativeFolder();
    QList<QByteArray> absolute;
    absolute.reserve(nativePaths.size());
    for (const QByteArray& path : nativePaths)
        absolute.append(AbsoluteNativePath(path, current));
    return absolute;
}

// Rows of several sources may name one file twice, through different paths of its folder;
// the first row of a file stays. Each folder is resolved once.
void KeepFirstOfEachFile(std::vector<FILEENTRY>& rows) {
    QHash<QByteArray, QByteArray> placeOf;
    QSet<QByteArray> seen;
    seen.reserve(qsizetype(rows.size()));
    std::erase_if(rows, [&](const FILEENTRY& entry) {
        auto place = placeOf.constFind(entry.NativeFolderPath());
        if (place == placeOf.constEnd()) {
            const QByteArray canonical = CanonicalNativePath(entry.NativeFolderPath());
            place = placeOf.insert(entry.NativeFolderPath(),
                                   canonical.isEmpty() ? entry.NativeFolderPath() : canonical);
        }
        const QByteArray path = JoinNativePath(*place, entry.NativeName());
        if (seen.contains(path))
            return true;
        seen.insert(path);
        return false;
    });
}

// Sets the busy activity for the life of one run or undo and clears it afterwards,
// whichever way the call ends.
class CBusyScope {
public:
    CBusyScope(std::function<void(Activity)> set, Activity activity) : m_set(std::move(set)) {
        m_set(activity);
    }
    ~CBusyScope() { m_set(Activity::None); }
    CBusyScope(const CBusyScope&) = delete;
    CBusyScope& operator=(const CBusyScope&) = delete;

private:
    std::function<void(Activity)> m_set;
};

} // namespace

CProgramState::CProgramState(IPrompts& prompts)
    : m_relay(std::make_unique<CPromptsRelay>(prompts)), m_prompts(*m_relay),
      m_journalFolder(DefaultJournalFolder()) {
    ApplyPreferences();
}

CProgramState::~CProgramState() {
    StopWorker();
    list.SetNotices(nullptr);
}

void CProgramState::SetListener(IStateListener* listener) {
    m_listener = listener;
    m_relay->SetListener(listener);
    list.SetNotices(listener);
}

void CProgramState::SetStatus(const QString& text) {
    m_prompts.SetStatus(StatusPane::Message, text);
}

// A refusal is always said, never a silent no-op.
bool CProgramState::Refused(const char* what) const {
    if (m_busy == Activity::None)
        return false;
    m_prompts.SetStatus(
        StatusPane::Message,
        QStringLiteral("%1 is not possible while %2").arg(QLatin1String(what), BusyText(m_busy)));
    return true;
}

void CProgramState::SetBusy(Activity activity) {
    if (m_busy == activity)
        return;
    m_busy = activity;
    m_relay->SetActivity(activity);
    if (m_listener)
        m_listener->BusyChanged(activity);
    // A refresh asked for during a run or an undo waited; it may run now.
    if (activity == Activity::None && m_refreshRequests.Pending() && m_listener)
        m_listener->RefreshRequested();
}

void CProgramState::ApplyPreferences() {
    SORTSTATE& sort = sortOrder.State();
    sort.logical = preferences.logicalSorting;
    sort.groupAffected = preferences.groupAffectedFiles;
    sort.filesAndFoldersTogether = preferences.sortFilesAndFoldersTogether;
    sort.column = -1;
    sortOrder.SortByColumn(preferences.sortColumn, preferences.sortDir);
}

NAMEOPTIONS CProgramState::NameOptions() const {
    NAMEOPTIONS options;
    options.ignoreFileExtensions = preferences.ignoreFileExtensions;
    options.ignoreFolderExtensions = preferences.ignoreFolderExtensions;
    options.extractExif = preferences.extractExifData;
    options.extractId3 = preferences.extractId3Data;
    options.sizeDisplayMode = preferences.displayFilesizesAs;
    options.renamePairs = &renamePairs;
    options.translations = &translations;
    options.debugRow = debugRow;
    return options;
}

SCANSETTINGS CProgramState::ScanSettings(const QByteArray& nativeFolder) const {
    const SELECTIONCRITERIA& s = criteria.selections;
    SCANSETTINGS settings;
    settings.rootPath = nativeFolder;
    settings.filterMatchCase = s.filterMatchCase;
    settings.files = s.files;
    settings.folders = s.folders;
    settings.subfolders = s.subfolders;
    settings.hidden = s.hidden;
    settings.displayIcons = preferences.displayIcons;
    settings.filter = s.filter;
    settings.minNameLength = ToInt32(s.minNameLength);
    settings.minPathLength = ToInt32(s.minPathLength);
    settings.maxNameLength = ToInt32(s.maxNameLength);
    settings.maxPathLength = ToInt32(s.maxPathLength);
    settings.extractExif = preferences.extractExifData;
    settings.extractId3 = preferences.extractId3Data;
    return settings;
}

void CProgramState::RequestRefresh() {
    // Parts still waiting belong to what is now out of date.
    m_pass.reset();
    if (m_refreshRequests.Post() && m_listener)
        m_listener->RefreshRequested();
}

bool CProgramState::RefreshIfRequested() {
    // The rows of a run or an undo must not change under it: the request keeps waiting.
    if (m_busy != Activity::None && m_busy != Activity::Listing)
        return false;
    if (!m_refreshRequests.Pending())
        return false;
    Refresh();
    return true;
}

void CProgramState::RefreshPreview() {
    if (m_busy != Activity::None && m_busy != Activity::Listing) {
        RequestRefresh();
        return;
    }
    Refresh();
}

// Each part takes a few milliseconds, so that a keystroke waits little for the one running.
constexpr int kRowsPerRefreshPart = 8192;

void CProgramState::Refresh() {
    m_refreshRequests.Take();
    m_pass = std::make_unique<CRefreshPass>(CurrentTimeValue, 0);
    RunRefreshPart([this] {
        m_pass->Start(list, criteria, changes, NameOptions());
        m_pass->RunNext(list, list.RowCount());
    });
}

bool CProgramState::StartRefreshIfRequested(int firstRow, int lastRow) {
    if (m_busy != Activity::None && m_busy != Activity::Listing)
        return false;
    if (!m_refreshRequests.Take())
        return false;
    m_pass = std::make_unique<CRefreshPass>(CurrentTimeValue, 0);
    RunRefreshPart([this, firstRow, lastRow] {
        m_pass->Start(list, criteria, changes, NameOptions());
        m_pass->RunRows(list, firstRow, lastRow);
    });
    return true;
}

bool CProgramState::ContinueRefresh() {
    if (!m_pass)
        return false;
    RunRefreshPart([this] { m_pass->RunNext(list, kRowsPerRefreshPart); });
    return m_pass != nullptr;
}

void CProgramState::SettleRefresh() {
    if (m_pass)
        RunRefreshPart([this] { m_pass->RunNext(list, list.RowCount()); });
}

void CProgramState::ForgetListing() {
    m_pass.reset();
    m_folderNames.Clear();
}

// One part is told as one change of rows. Conflicts need every new name, so they are
// marked with the last part.
void CProgramState::RunRefreshPart(const std::function<void()>& part) {
    list.BeginBatch();
    part();
    const bool finished = m_pass->Finished();
    if (finished && m_pass->Result().ran)
        MarkNameConflicts(list, EncodeNativeName(m_pass->Criteria().newLocation.path),
                          m_folderNames);
    list.EndBatch();
    if (finished)
        EndRefresh();
}

void CProgramState::EndRefresh() {
    const std::unique_ptr<CRefreshPass> pass = std::move(m_pass);
    const REFRESHRESULT& result = pass->Result();
    if (!result.ran)
        return;
    m_nextNumber = result.nextNumber;
    m_prompts.SetStatus(StatusPane::Pattern, result.patternInvalid
                                                 ? QStringLiteral("Regular Expression is invalid")
                                                 : QString());
    if (result.traced) {
        debugRow = -1;
        m_prompts.ShowText(QStringLiteral("Filename Generation Debug Results"), result.trace,
                           PromptIcon::Information);
    }
}

void CProgramState::SetListingNotify(ListingNotify notify) {
    m_listingNotify = std::move(notify);
}

bool CProgramState::StartListing(const QByteArray& nativeFolder) {
    m_listingError.clear();
    // A new listing supersedes a running one; a run or an undo is never interrupted.
    if (m_busy != Activity::Listing && Refused("Listing")) {
        m_listingError = QStringLiteral("busy: ") + BusyText(m_busy);
        return false;
    }
    StopWorker();
    // Undo records, the journal and the log keep the paths the listing gives; relative ones
    // would mean another file once the current folder changes.
    const QByteArray folder = AbsoluteNativePath(nativeFolder);
    if (!FolderListable(folder)) {
        SetBusy(Activity::None);
        return false;
    }
    m_listedFolder = folder;
    m_listedPaths.clear();
    m_skips = SCANSKIPS();
    m_scanningFolder = DecodeNativeName(folder);
    ForgetListing();
    list.Clear();
    SetBusy(Activity::Listing);
    const quint64 generation = ++m_generation;
    m_scan = std::make_unique<CFolderScan>();
    // The worker gets its own copy of the notify: the owner may change its own meanwhile.
    m_scan->SetNotify([notify = m_listingNotify, generation] {
        if (notify)
            notify(generation);
    });
    m_scan->StartScan(ScanSettings(folder));
    return true;
}

bool CProgramState::FolderListable(const QByteArray& nativeFolder) {
    m_listingError = FolderListProblem(nativeFolder);
    return m_listingError.isEmpty();
}

ListingStep CProgramState::TakeListingEvents(quint64 generation) {
    if (generation != m_generation || m_busy != Activity::Listing || !m_scan)
        return ListingStep::Stale;
    SCANEVENTS events = m_scan->TakeEvents();
    if (!events.foldersStarted.isEmpty()) {
        m_scanningFolder = events.foldersStarted.last();
        SetStatus(QStringLiteral("Scanning Folder ") + m_scanningFolder + QStringLiteral("..."));
    }
    list.AppendRows(std::move(events.entries));
    if (events.finished)
        m_skips = std::move(events.skips);
    m_relay->Progress(list.RowCount(), 0, m_scanningFolder);
    return events.finished ? ListingStep::Finished : ListingStep::Running;
}

void CProgramState::FinishListing() {
    if (m_busy != Activity::Listing)
        return;
    EndListing();
}

void CProgramState::StopListing() {
    if (m_busy != Activity::Listing)
        return;
    EndListing();
    SetStatus(QStringLiteral("Scan aborted - list may be incomplete"));
}

// Stops the worker (at once when it has not finished), keeps what it found, and ends the
// listing as a finished one ends.
void CProgramState::EndListing() {
    if (m_scan) {
        m_scan->StopScan();
        SCANEVENTS events = m_scan->TakeEvents();
        list.AppendRows(std::move(events.entries));
        if (events.finished)
            m_skips = std::move(events.skips);
        m_scan.reset();
    }
    ++m_generation;
    SettleRefresh();
    CompleteListing();
}

// What every listing does once its rows are in: a worker's, or one of named paths.
void CProgramState::CompleteListing() {
    Sort();
    if (preferences.autoSelectEntries)
        list.SelectAll();
    SetStatus(DecodeNativeName(m_listedFolder));
    ReportSkips();
    SetBusy(Activity::None);
    RequestRefresh();
}

// Ends a worker without keeping anything it found.
void CProgramState::StopWorker() {
    if (!m_scan)
        return;
    m_scan->StopScan();
    m_scan.reset();
    ++m_generation;
}

bool CProgramState::ListFolder(const QByteArray& nativeFolder) {
    if (Refused("Listing"))
        return false;
    m_listedPaths.clear();
    m_listedFolder = AbsoluteNativePath(nativeFolder);
    Relist();
    ReportSkips();
    RequestRefresh();
    return true;
}

bool CProgramState::ListPaths(const QList<QByteArray>& nativePaths) {
    m_listingError.clear();
    if (Refused("Listing")) {
        m_listingError = QStringLiteral("busy: ") + BusyText(m_busy);
        return false;
    }
    StopWorker();
    const QList<QByteArray> paths = AbsolutePaths(nativePaths);
    NAMEDPATHS named = SortNamedPaths(ScanSettings(QByteArray()), paths);
    if (!PathsListable(named))
        return false;
    m_listedFolder = !named.folders.isEmpty() ? named.folders.first()
                     : named.entries.empty()  ? CurrentNativeFolder()
                                              : named.entries.front().NativeFolderPath();
    m_listedPaths = paths;
    // Busy as a listing on the worker is, so that front ends take it as one.
    SetBusy(Activity::Listing);
    ForgetListing();
    list.Clear();
    m_skips = SCANSKIPS();
    list.AppendRows(RowsOfPaths(std::move(named)));
    CompleteListing();
    return true;
}

// Every path is checked before anything is listed: the first that cannot be is named.
bool CProgramState::PathsListable(const NAMEDPATHS& named) {
    if (!named.problems.isEmpty()) {
        m_listingError = PathProblemText(named.problems.first());
        return false;
    }
    for (const QByteArray& folder : named.folders) {
        if (!FolderListable(folder))
            return false;
    }
    return true;
}

// The named files, then each named folder's listing; a file that comes from more than
// one of them is one row.
std::vector<FILEENTRY> CProgramState::RowsOfPaths(NAMEDPATHS&& named) {
    const qsizetype sources = named.folders.size() + (named.entries.empty() ? 0 : 1);
    std::vector<FILEENTRY> rows = std::move(named.entries);
    for (const QByteArray& folder : std::as_const(named.folders)) {
        std::vector<FILEENTRY> found = ScanFolderEntries(ScanSettings(folder), &m_skips);
        rows.insert(rows.end(), std::make_move_iterator(found.begin()),
                    std::make_move_iterator(found.end()));
    }
    if (sources > 1)
        KeepFirstOfEachFile(rows);
    return rows;
}

// The listing a rename run or an undo asks for: on the calling thread, no status text.
void CProgramState::ReportSkips() {
    if (m_skips.count > 0)
        SetStatus(ScanSkipsText(m_skips));
}

void CProgramState::Relist() {
    ForgetListing();
    list.Clear();
    m_skips = SCANSKIPS();
    // Named files that were renamed away are no longer there; the rest are listed again.
    if (!m_listedPaths.isEmpty())
        list.AppendRows(RowsOfPaths(SortNamedPaths(ScanSettings(QByteArray()), m_listedPaths)));
    else
        list.AppendRows(ScanFolderEntries(ScanSettings(m_listedFolder), &m_skips));
    Sort();
    if (preferences.autoSelectEntries)
        list.SelectAll();
}

void CProgramState::Rescan() {
    Relist();
    Refresh();
}

bool CProgramState::AddDroppedPaths(const QList<QByteArray>& nativePaths, bool clearFirst) {
    if (Refused("Dropping"))
        return false;
    SettleRefresh();
    m_folderNames.Clear();
    if (clearFirst)
        list.Clear();
    // Each drop's rows go ahead of the earlier ones, all inserted at once.
    std::vector<FILEENTRY> rows;
    for (auto dropped = nativePaths.crbegin(); dropped != nativePaths.crend(); ++dropped) {
        std::vector<FILEENTRY> found = DroppedRows(FollowLinks(*dropped));
        rows.insert(rows.end(), std::make_move_iterator(found.begin()),
                    std::make_move_iterator(found.end()));
    }
    list.InsertRows(0, std::move(rows));
    return true;
}

// A dropped folder is listed; a dropped file is its own row, built from its status alone.
std::vector<FILEENTRY> CProgramState::DroppedRows(const QByteArray& nativePath) {
    const PathKind kind = KindOfPath(nativePath);
    if (kind == PathKind::Folder)
        return ScanFolderEntries(ScanSettings(nativePath));
    if (kind != PathKind::File)
        return {};
    return SortNamedPaths(ScanSettings(QByteArray()), {AbsoluteNativePath(nativePath)}).entries;
}

bool CProgramState::SortList() {
    if (Refused("Sorting"))
        return false;
    SettleRefresh();
    Sort();
    return true;
}

void CProgramState::Sort() {
    sortOrder.SortList(list);
}

bool CProgramState::SelectAll() {
    if (Refused("Selecting"))
        return false;
    SettleRefresh();
    list.SelectAll();
    RequestRefresh();
    return true;
}

bool CProgramState::DeselectAll() {
    if (Refused("Selecting"))
        return false;
    SettleRefresh();
    list.DeselectAll();
    RequestRefresh();
    return true;
}

bool CProgramState::DeleteRow(int row) {
    if (Refused("Deleting"))
        return false;
    SettleRefresh();
    list.DeleteRow(row);
    RequestRefresh();
    return true;
}

bool CProgramState::MoveRow(int from, int to) {
    if (Refused("Moving"))
        return false;
    SettleRefresh();
    to = std::clamp(to, 0, list.RowCount());
    list.MoveRow(from, to);
    list.DeleteRow(to <= from ? from + 1 : from);
    RequestRefresh();
    return true;
}

void CProgramState::SetRecentFavourites(const QStringList& recent) {
    m_recent = recent.mid(0, kMaxRecentFavourites);
}

void CProgramState::AddRecent(const QString& path) {
    m_recent.removeAll(path);
    m_recent.prepend(path);
    while (m_recent.size() > kMaxRecentFavourites)
        m_recent.removeLast();
}

FAVOURITELOAD CProgramState::LoadFavourite(const QString& path, bool navigate) {
    FAVOURITELOAD load;
    QString storedFolder;
    load.exists = ReadFavouriteFile(path, {criteria, changes, translations, storedFolder});
    if (load.exists) {
        AddRecent(path);
        m_prompts.SetStatus(StatusPane::Favourite, FileNameOf(path));
        m_currentFavourite = path;
    }
    if (navigate && preferences.storeFavouritePathnames)
        load.folderToSelect = storedFolder;
    return load;
}

bool CProgramState::SaveFavourite(const QString& path, const QString& selectedFolder) {
    QString folder = selectedFolder;
    const bool written = WriteFavouriteFile(path, {criteria, changes, translations, folder});
    AddRecent(m_currentFavourite.isEmpty() ? path : m_currentFavourite);
    m_prompts.SetStatus(StatusPane::Favourite, FileNameOf(path));
    return written;
}

FollowUp CProgramState::OpenFavourite() {
    FILEQUESTION question = FavouriteQuestion(m_currentFavourite);
    question.mustExist = true;
    const QString path = m_prompts.AskOpenFileName(question);
    if (path.isEmpty()) {
        SetStatus(QStringLiteral("Open Favourite was cancelled"));
        return FollowUp::Nothing;
    }
    LoadFavourite(path, true);
    SetStatus(QStringLiteral("Favourite ") + FileNameOf(path) + QStringLiteral(" opened"));
    return FollowUp::Rescan;
}

void CProgramState::SaveFavouriteCommand(const QString& selectedFolder) {
    if (m_currentFavourite.isEmpty()) {
        SaveFavouriteAs(selectedFolder);
        return;
    }
    SaveFavourite(m_currentFavourite, selectedFolder);
    SetStatus(QStringLiteral("Favourite ") + FileNameOf(m_currentFavourite) +
              QStringLiteral(" saved"));
}

void CProgramState::SaveFavouriteAs(const QString& selectedFolder) {
    FILEQUESTION question = FavouriteQuestion(m_currentFavourite);
    question.confirmOverwrite = true;
    const QString path = m_prompts.AskSaveFileName(question);
    if (path.isEmpty()) {
        SetStatus(QStringLiteral("New Favourite was cancelled"));
        return;
    }
    m_currentFavourite = path;
    SaveFavourite(path, selectedFolder);
    SetStatus(QStringLiteral("New Favourite ") + FileNameOf(path) + QStringLiteral(" saved"));
}

FollowUp CProgramState::RevertFavourite() {
    LoadFavourite(m_currentFavourite, true);
    SetStatus(QStringLiteral("Favourite reverted to saved state"));
    return FollowUp::Rescan;
}

FollowUp CProgramState::OpenRecentFavourite(const QString& path) {
    if (!PathExists(path)) {
        m_prompts.Ask(QStringLiteral("There was an error opening the recently-used Favourite"),
                      PromptButtons::Ok, PromptIcon::Warning);
        m_recent.removeAll(path);
        return FollowUp::Nothing;
    }
    LoadFavourite(path, true);
    SetStatus(QStringLiteral("Favourite ") + path.left(path.size() - 4) +
              QStringLiteral(" opened"));
    return FollowUp::Rescan;
}

FollowUp CProgramState::ImportRenamePairs() {
    FILEQUESTION question;
    question.filter =
        QStringLiteral("Text Files (*.txt);;Comma-Separated Files (*.csv);;All Files (*)");
    question.defaultExtension = QStringLiteral("qvn");
    question.initialPath = preferences.renamePairsPath;
    question.mustExist = true;
    const QString path = m_prompts.AskOpenFileName(question);
    if (path.isEmpty())
        return FollowUp::Nothing;
    ImportRenamePairsFrom(path);
    return FollowUp::Refresh;
}

bool CProgramState::ImportRenamePairsFrom(const QString& path) {
    SetStatus(RenamePairsImportingStatus(FileNameOf(path)));
    const bool loaded = LoadRenamePairs(path, renamePairs);
    if (!loaded)
        m_prompts.Ask(RenamePairsOpenError(path), PromptButtons::Ok, PromptIcon::Error);
    SetStatus(RenamePairsImportedStatus());
    return loaded;
}

FollowUp CProgramState::ClearImportedPairs() {
    renamePairs.clear();
    m_prompts.Ask(RenamePairsClearedMessage(), PromptButtons::Ok, PromptIcon::Information);
    return FollowUp::Refresh;
}

FollowUp CProgramState::SetTranslationsText(const QString& text) {
    translations = TranslationsFromEditText(text);
    QString caution;
    if (TranslationsCaution(translations, caution))
        m_prompts.Ask(caution, PromptButtons::Ok, PromptIcon::Warning);
    SetStatus(TranslationsStoredStatus());
    return FollowUp::Refresh;
}

bool CProgramState::ResetUserSettings() {
    const PromptAnswer answer =
        m_prompts.Ask(QStringLiteral("Reset Quorvin application registry for current user?"),
                      PromptButtons::YesNo, PromptIcon::Question);
    if (answer != PromptAnswer::Yes)
        return false;
    QSettings(QStringLiteral("Tarnwick"), QStringLiteral("Quorvin")).clear();
    return true;
}

QString CProgramState::LoadPreferences(const QString& preferencesPath, const QString& commandLine) {
    QString remaining = commandLine;
    if (!commandLine.isEmpty() &&
        commandLine.compare(QLatin1String("/RESET"), Qt::CaseInsensitive) == 0 &&
        ResetUserSettings())
        remaining.clear();
    ReadPreferencesFile(preferencesPath, preferences);
    ApplyPreferences();
    return remaining;
}

void CProgramState::SavePreferences(const QString& preferencesPath, const QString& selectedFolder) {
    SORTSTATE& sort = sortOrder.State();
    preferences.sortColumn = qMax(sort.column, 0);
    preferences.sortDir = sort.ascending;
    preferences.favouritePath = m_currentFavourite;
    EnsureFolder(QFileInfo(preferencesPath).absolutePath());
    WritePreferencesFile(preferencesPath, preferences);
    if (preferences.autoSaveFavouriteOnExit)
        SaveFavouriteCommand(selectedFolder);
}

// The log's path; with logging on, its folder is made first so that the log can open.
QString CProgramState::LogPath() const {
    const QString path = ActivityLogPath();
    if (preferences.logActivity)
        EnsureFolder(QFileInfo(path).absolutePath());
    return path;
}

RENAMERESULT CProgramState::Rename(const std::function<RENAMERESULT(CRenameRun&)>& start) {
    if (Refused("Renaming")) {
        RENAMERESULT refused;
        refused.refusal = RunRefusal::Busy;
        return refused;
    }
    SettleRefresh();
    if (!m_runReusesPreviewFolders)
        m_folderNames.Clear();
    const CBusyScope busy([this](Activity a) { SetBusy(a); }, Activity::Renaming);
    RENAMEPREFERENCES renamePreferences = RenamePreferencesOf(preferences);
    CRenameRun run(list, criteria, changes, renamePreferences, history, m_prompts);
    run.SetLogPath(LogPath());
    run.SetJournalFolder(m_journalFolder);
    run.SetJournalPolicy(m_journalPolicy);
    // Read now when they were not kept, so that the preview after the run reads them anew.
    run.SetFolderNames(&m_folderNames);
    RENAMEHOOKS hooks;
    // The run changes the disk under the names read before it.
    hooks.refreshPreview = [this] {
        m_folderNames.Clear();
        Refresh();
    };
    hooks.nextNumber = [this] { return m_nextNumber; };
    hooks.rescan = [this] { Rescan(); };
    run.SetHooks(hooks);
    const RENAMERESULT result = start(run);
    // The run changed the disk under the names read before it.
    m_folderNames.Clear();
    // The run answers for its two dialogs' boxes; nothing else of the preferences changes.
    preferences.displayWarningMessage = renamePreferences.displayWarningMessage;
    preferences.displayConfirmationMessage = renamePreferences.displayConfirmationMessage;
    return result;
}

RENAMERESULT CProgramState::OnRename() {
    return Rename([](CRenameRun& run) { return run.OnRename(); });
}

RENAMERESULT CProgramState::OnEndLabelEdit(int item, const QString& text) {
    return Rename([item, &text](CRenameRun& run) { return run.OnEndLabelEdit(item, text); });
}

bool CProgramState::OnUndoRename() {
    if (Refused("Undoing"))
        return false;
    SettleRefresh();
    m_folderNames.Clear();
    const CBusyScope busy([this](Activity a) { SetBusy(a); }, Activity::Undoing);
    UNDOOPTIONS options;
    options.logActivity = preferences.logActivity;
    options.logPath = LogPath();
    options.rescan = [this] { Rescan(); };
    const bool undone = ::OnUndoRename(history, m_prompts, options);
    m_folderNames.Clear();
    return undone;
}

void CProgramState::OnCreateUndoBatchfile() {
    ::OnCreateUndoBatchfile(history, m_prompts);
}

JOURNALUNDORESULT CProgramState::UndoLastJournalRun(bool assumeYes) {
    if (Refused("Undoing")) {
        JOURNALUNDORESULT refused;
        refused.outcome = JOURNALUNDORESULT::Outcome::Declined;
        return refused;
    }
    SettleRefresh();
    m_folderNames.Clear();
    const CBusyScope busy([this](Activity a) { SetBusy(a); }, Activity::UndoingJournal);
    JOURNALUNDOOPTIONS options;
    options.assumeYes = assumeYes;
    options.logActivity = preferences.logActivity;
    options.logPath = LogPath();
    const JOURNALUNDORESULT undone = UndoLastJournal(m_journalFolder, m_prompts, options);
    m_folderNames.Clear();
    return undone;
}
