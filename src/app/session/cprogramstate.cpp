// SPDX-License-Identifier: GPL-3.0-or-later
#include "cprogramstate.h"

#include "app/settings/favouritesfile.h"
#include "app/settings/preferencesfile.h"
#include "filelist/cfolderscan.h"
#include "filelist/nameconflicts.h"
#include "platform/pathchecks.h"
#include "platform/userfolders.h"
#include "rename/renamepairsfile.h"
#include "rename/translationtext.h"
#include "rename/undorename.h"
#include "rename/undoscript.h"

#include "filelist/textrules.h"

#include <QFileInfo>
#include <QSettings>

namespace {

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

} // namespace

CProgramState::CProgramState(IPrompts& prompts)
    : m_prompts(prompts), m_journalFolder(DefaultJournalFolder()) {
    ApplyPreferences();
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

void CProgramState::RefreshPreview() {
    const REFRESHRESULT result = CPreviewRefresh().Run(list, criteria, changes, NameOptions());
    if (!result.ran)
        return;
    m_nextNumber = result.nextNumber;
    MarkNameConflicts(list, criteria.newLocation.path.toUtf8());
    m_prompts.SetStatus(StatusPane::Pattern, result.patternInvalid
                                                 ? QStringLiteral("Regular Expression is invalid")
                                                 : QString());
    if (result.traced) {
        debugRow = -1;
        m_prompts.ShowText(QStringLiteral("Filename Generation Debug Results"), result.trace,
                           PromptIcon::Information);
    }
}

void CProgramState::ListFolder(const QByteArray& nativeFolder) {
    // Undo records, the journal and the log keep the paths the listing gives; relative ones
    // would mean another file once the current folder changes.
    const SCANSKIPS skips =
        ::ListFolder(list, ScanSettings(AbsoluteNativePath(nativeFolder)), true);
    if (skips.count > 0)
        SetStatus(ScanSkipsText(skips));
    SortList();
    if (preferences.autoSelectEntries)
        list.SelectAll();
}

void CProgramState::SortList() {
    list.SortRowsBy(
        [this](const FILEENTRY& a, const FILEENTRY& b) { return sortOrder.Compare(a, b); });
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
    RENAMEPREFERENCES renamePreferences = RenamePreferencesOf(preferences);
    CRenameRun run(list, criteria, changes, renamePreferences, history, m_prompts);
    run.SetLogPath(LogPath());
    run.SetJournalFolder(m_journalFolder);
    run.SetJournalPolicy(m_journalPolicy);
    RENAMEHOOKS hooks;
    hooks.refreshPreview = [this] { RefreshPreview(); };
    hooks.nextNumber = [this] { return m_nextNumber; };
    hooks.rescan = [this] {
        if (m_rescan)
            m_rescan();
    };
    run.SetHooks(hooks);
    const RENAMERESULT result = start(run);
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
    UNDOOPTIONS options;
    options.logActivity = preferences.logActivity;
    options.logPath = LogPath();
    options.rescan = [this] {
        if (m_rescan)
            m_rescan();
        RefreshPreview();
    };
    return ::OnUndoRename(history, m_prompts, options);
}

void CProgramState::OnCreateUndoBatchfile() {
    ::OnCreateUndoBatchfile(history, m_prompts);
}

JOURNALUNDORESULT CProgramState::UndoLastJournalRun(bool assumeYes) {
    JOURNALUNDOOPTIONS options;
    options.assumeYes = assumeYes;
    options.logActivity = preferences.logActivity;
    options.logPath = LogPath();
    return UndoLastJournal(m_journalFolder, m_prompts, options);
}
