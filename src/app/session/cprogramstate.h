// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/settings/preferences.h"
#include "engine/changesettings.h"
#include "engine/cpreviewrefresh.h"
#include "engine/renamecriteria.h"
#include "engine/renamepairs.h"
#include "engine/translations.h"
#include "filelist/cfilelist.h"
#include "filelist/csortorder.h"
#include "filelist/scansettings.h"
#include "rename/crenamehistory.h"
#include "rename/crenamerun.h"
#include "rename/iprompts.h"
#include "rename/journalundo.h"

#include <functional>

#include <QStringList>

// What a command asks the front end to do next.
enum class FollowUp { Nothing, Refresh, Rescan };

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
class CProgramState {
public:
    explicit CProgramState(IPrompts& prompts);

    RenameCriteria criteria;
    CHANGESETTINGS changes;
    RENAMEPAIRMAP renamePairs;
    TRANSLATIONLIST translations;
    PREFERENCES preferences;
    CFileList list;
    CSortOrder sortOrder;
    qint32 debugRow = -1;

    IPrompts& Prompts() { return m_prompts; }

    // Preferences take effect: the sort state and the list's display settings follow them.
    void ApplyPreferences();
    NAMEOPTIONS NameOptions() const;
    SCANSETTINGS ScanSettings(const QByteArray& nativeFolder) const;

    // The refresh of every selected row; reports the pattern status and shows the trace
    // of the debug row (which is then cleared).
    void RefreshPreview();
    qint64 NextNumber() const { return m_nextNumber; }
    // Lists a folder on the calling thread, sorts it and selects every row when the
    // preferences say so.
    void ListFolder(const QByteArray& nativeFolder);
    void SortList();

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

    // Renaming and undo. The rescan is the front end's: it lists the current folder anew.
    CRenameHistory history;
    void SetRescan(std::function<void()> rescan) { m_rescan = std::move(rescan); }
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

private:
    RENAMERESULT Rename(const std::function<RENAMERESULT(CRenameRun&)>& start);
    void AddRecent(const QString& path);
    QString LogPath() const;
    void SetStatus(const QString& text) { m_prompts.SetStatus(StatusPane::Message, text); }

    IPrompts& m_prompts;
    QString m_currentFavourite;
    QStringList m_recent;
    qint64 m_nextNumber = 0;
    std::function<void()> m_rescan;
    QString m_journalFolder;
    JournalPolicy m_journalPolicy = JournalPolicy::Ask;
};
