// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cactivitylog.h"
#include "crenamehistory.h"
#include "cstatusreadahead.h"
#include "cundojournal.h"
#include "iprompts.h"
#include "renamepair.h"

#include "engine/changesettings.h"
#include "engine/renamecriteria.h"
#include "filelist/cfilelist.h"
#include "filelist/cfoldernamecache.h"
#include "platform/cfolderhandles.h"
#include "platform/fileoperations.h"

#include <QHash>
#include <QSet>

#include <functional>
#include <memory>
#include <vector>

// The preferences a run reads; the caller fills them from its own record. The run writes
// back only the two "Display" flags, from the answers of its dialogs.
struct RENAMEPREFERENCES {
    bool overwriteTargetFiles = false;
    bool logActivity = false;
    bool newLocationCopyNotMove = false;
    bool preventDuplicates = false;
    bool reverseOrder = false;
    bool retainAutonumber = false;
    bool extractExifData = false;
    bool displayWarningMessage = true;
    bool displayConfirmationMessage = true;
};

// What the run asks of the program state around it; each may be left empty.
struct RENAMEHOOKS {
    std::function<void()> refreshPreview; // before the list of work, for the "Current" date
    std::function<qint64()> nextNumber;   // the next number stored by the last refresh
    std::function<void()> rescan;         // list the current folder anew and refresh
    std::function<TimeValue()> clock;     // the current time for the time changes
};

enum class RunOutcome { Completed, Stopped, Refused };
enum class RunRefusal {
    None,
    Busy, // a run is already in progress
    InvalidNewLocation,
    DateWarning,
    InvalidCharacters,
    NotConfirmed,
    NothingSelected,
    NoEdit,    // an in-place edit that changes nothing
    NoJournal, // the undo journal cannot be written (see journalProblem)
};

// What a run does when its undo journal cannot be written.
enum class JournalPolicy {
    Ask,     // ask whether to rename without it (default No)
    Refuse,  // do not start
    Without, // rename without it
};

struct RENAMERESULT {
    RunOutcome outcome = RunOutcome::Refused;
    RunRefusal refusal = RunRefusal::None;
    int processed = 0;
    int renamed = 0;
    int ignored = 0; // failed entries the user chose to skip
    bool folderRenamed = false;
    bool undone = false; // a stopped run that the user chose to reverse
    bool numberingStartChanged = false;
    QString completionText;
    QString journalProblem; // why the undo journal could not be written; empty when it could
};

// Turns the previewed new names of the selected rows into changes on disk: checks, asks,
// renames, moves or copies each entry, records it for undo (in memory and in the undo
// journal), logs it, applies the time and attribute changes, and reports.
class CRenameRun {
public:
    CRenameRun(CFileList& list, RenameCriteria& criteria, const CHANGESETTINGS& changes,
               RENAMEPREFERENCES& preferences, CRenameHistory& history, IPrompts& prompts);

    void SetLogPath(const QString& path) { m_logPath = path; }
    // Empty: no journal. Each run writes one journal file there.
    void SetJournalFolder(const QString& folder,
                          CUndoJournal::Sync sync = CUndoJournal::Sync::Batch);
    void SetJournalPolicy(JournalPolicy policy) { m_journalPolicy = policy; }
    // The target folders' names as the preview read them just before the run, for the
    // plan to use instead of reading the folders again; none: the plan reads them.
    void SetFolderNames(CFolderNameCache* names) { m_folderNames = names; }
    void SetHooks(RENAMEHOOKS hooks) { m_hooks = std::move(hooks); }

    RENAMERESULT OnRename();
    // The end of an in-place edit of a row's name: renames that row (and every other
    // selected row) through a whole run, then resets the row.
    RENAMERESULT OnEndLabelEdit(int item, const QString& text);

    // True when the user cancelled.
    bool ConfirmRename(int selectedCount);
    FILEOPRESULT MoveOrCopy(const QByteArray& oldPath, const QByteArray& newPath, bool isFolder);

private:
    enum class Step { Next, Stop };
    enum class PairState : quint8 { Pending, Parked, Finished };
    struct BEFORE {
        quint32 attributes = 0;
        FILEIDENTITY identity;
        bool identityKnown = false;
    };
    // A move whose intent went into the journal ahead of it.
    struct INTENT {
        int entry = -1; // -1: none, or already taken
        QByteArray oldPath;
        QByteArray newPath;
    };
    struct AHEAD {
        INTENT park; // to a temporary name, making room for another pair
        INTENT move;
    };
    // One intent of a batch: a pair's park (which may sit in an earlier batch than the
    // pair's own move) or its move.
    struct INTENTREF {
        size_t index = 0;
        bool park = false;
    };

    bool PassesChecks(RENAMERESULT& result);
    bool JournalReady(RENAMERESULT& result);
    bool NewLocationValid();
    bool DateWarningAccepted();
    bool NamesValid();
    bool Confirmed(RENAMERESULT& result);
    void Prepare();
    void Plan();
    bool ProcessAll(RENAMERESULT& result);
    Step ProcessPair(size_t position, RENAMERESULT& result);
    const BEFORE& BeforeOf(size_t index);
    // The same, given the pair's old path as it is now.
    const BEFORE& BeforeOf(size_t index, const QByteArray& oldPath);
    void ReadBefore(size_t index, const QByteArray& oldPath, CFolderHandles& folders);
    void StartReadingAhead();
    void NextBatch(size_t position);
    size_t IntendBatch(size_t first, std::vector<INTENTREF>& intents);
    int IntendAhead(size_t index, INTENT& intent, const QByteArray& oldPath,
                    const QByteArray& newPath, std::vector<INTENTREF>& intents);
    int JournalEntry(size_t index, const QByteArray& oldPath, const QByteArray& newPath);
    void CancelAhead();
    void CancelIntents(std::vector<INTENTREF>& intents);
    void Unchanged(const RENAMEPAIR& pair, bool isFolder, const BEFORE& before,
                   RENAMERESULT& result);
    FILEOPRESULT Attempt(const RENAMEPAIR& pair, const QByteArray& newPath, bool replace,
                         const BEFORE& before);
    void Journalled(int entry, const FILEOPRESULT& result, const QByteArray& newPath,
                    const BEFORE& before);
    FILEOPRESULT Move(const QByteArray& oldPath, const QByteArray& newPath, bool replace);
    FILEOPRESULT MoveResolvingDuplicates(RENAMEPAIR& pair, const BEFORE& before,
                                         QString& failedPath);
    void Park(size_t index, size_t position);
    void Succeeded(size_t position, const RENAMEPAIR& pair, bool isFolder, const BEFORE& before,
                   bool suffixed, RENAMERESULT& result);
    void RewriteLaterPairs(size_t position, const RENAMEPAIR& folder);
    void AddHistoryOf(const RENAMEPAIR& pair, bool changed, bool isFolder, const BEFORE& before);
    void Finish(bool completed, RENAMERESULT& result, CRenameHistory previous);
    void Completed(RENAMERESULT& result);
    void Stopped(RENAMERESULT& result);
    TimeValue Now() const;
    void Status(const QString& text) { m_prompts.SetStatus(StatusPane::Message, text); }

    CFileList& m_list;
    RenameCriteria& m_criteria;
    const CHANGESETTINGS& m_changes;
    RENAMEPREFERENCES& m_preferences;
    CRenameHistory& m_history;
    IPrompts& m_prompts;
    QString m_logPath;
    QString m_journalFolder;
    CUndoJournal::Sync m_journalSync = CUndoJournal::Sync::Batch;
    JournalPolicy m_journalPolicy = JournalPolicy::Ask;
    RENAMEHOOKS m_hooks;
    CFolderNameCache* m_folderNames = nullptr;
    bool m_running = false;

    // The state of the run in progress.
    QString m_newLocation;
    std::vector<RENAMEPAIR> m_pairs;
    std::vector<size_t> m_order; // indices into m_pairs in processing order
    std::vector<PairState> m_states;
    QSet<QByteArray> m_planned;           // every new path the plan gave out
    std::vector<BEFORE> m_befores;        // per pair, read once (see m_readAhead)
    std::vector<size_t> m_positionOf;     // per pair, its place in m_order
    std::vector<AHEAD> m_ahead;           // per pair
    std::vector<INTENTREF> m_aheadPairs;  // the intents of the batch in the journal
    size_t m_aheadEnd = 0;                // the first position past the batch
    std::vector<INTENTREF> m_nextPairs;   // the same for the batch after it, written meanwhile
    size_t m_nextEnd = 0;                 // the first position past that batch; 0: none
    QHash<size_t, QByteArray> m_parkedAt; // pairs with a live intent to park them, and where
    size_t m_position = 0;                // the position being processed
    QByteArray m_movedFrom;               // the paths of the last move made
    QByteArray m_movedTo;
    bool m_changedAnything = false;
    CActivityLog m_log;
    std::unique_ptr<CUndoJournal> m_journal;
    CFolderHandles m_folders; // of the sources and targets, for their status reads and moves
    // Fills m_befores; last, so that it stops before anything it reads goes.
    CStatusReadAhead m_readAhead;
};
