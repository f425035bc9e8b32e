// SPDX-License-Identifier: GPL-3.0-or-later
#include "crenamerun.h"

#include "attributesandtimes.h"
#include "renameplan.h"
#include "renametexts.h"
#include "undorename.h"

#include "filelist/nameconflicts.h"
#include "platform/attributes.h"
#include "platform/filestatus.h"
#include "platform/nativename.h"

#include <QHash>

#include <algorithm>
#include <cerrno>

namespace {

constexpr int kMostTemporaryNames = 100;
// How far ahead of the moves the sources' status is read: the batch whose intents are
// written next needs it while this batch's moves are made.
constexpr size_t kReadAheadEntries = 3 * static_cast<size_t>(CUndoJournal::kBatchEntries);

// Clears a flag when it goes out of scope, whichever way the run ends.
struct RUNNING {
    bool& flag;
    explicit RUNNING(bool& running) : flag(running) { flag = true; }
    ~RUNNING() { flag = false; }
    RUNNING(const RUNNING&) = delete;
    RUNNING& operator=(const RUNNING&) = delete;
};

// A name beside the entry's own that no one else uses, for an entry that must make room
// for another one before it can take its own new name.
QByteArray TemporaryName(const QByteArray& name, int n) {
    const QByteArray suffix = ".qvnswap" + QByteArray::number(n);
    return name.left(kMostNameBytes - suffix.size()) + suffix;
}

FILEOPRESULT Refused(int error) {
    FILEOPRESULT result;
    result.error = error;
    result.errorText = ErrorText(error);
    return result;
}

} // namespace

CRenameRun::CRenameRun(CFileList& list, RenameCriteria& criteria, const CHANGESETTINGS& changes,
                       RENAMEPREFERENCES& preferences, CRenameHistory& history, IPrompts& prompts)
    : m_list(list), m_criteria(criteria), m_changes(changes), m_preferences(preferences),
      m_history(history), m_prompts(prompts) {}

void CRenameRun::SetJournalFolder(const QString& folder, CUndoJournal::Sync sync) {
    m_journalFolder = folder;
    m_journalSync = sync;
}

RENAMERESULT CRenameRun::OnRename() {
    RENAMERESULT result;
    // The window stays responsive during a run; a second run must not touch the first
    // one's history, work list or rows.
    if (m_running) {
        result.refusal = RunRefusal::Busy;
        return result;
    }
    const RUNNING running(m_running);
    if (!PassesChecks(result)) {
        if (m_journal)
            m_journal->Discard();
        return result;
    }
    // A run that changes nothing leaves the undo of the run before it as it was.
    CRenameHistory previous = m_history;
    m_history.ClearHistory();
    m_changedAnything = false;
    if (m_list.SelectedCount() == 0) {
        m_journal->Discard();
        m_history = std::move(previous);
        result.refusal = RunRefusal::NothingSelected;
        return result;
    }
    if (m_journal->IsOpen())
        m_history.SetJournalPath(m_journal->Path());
    Prepare();
    const bool completed = ProcessAll(result);
    Finish(completed, result, std::move(previous));
    return result;
}

// The journal exists before anything changes, so that no run goes without its undo unless
// the user agreed to that.
bool CRenameRun::JournalReady(RENAMERESULT& result) {
    m_journal = std::make_unique<CUndoJournal>(m_journalSync);
    if (m_journalFolder.isEmpty() || m_journal->Begin(m_journalFolder))
        return true;
    result.journalProblem = m_journal->Problem();
    if (m_journalPolicy == JournalPolicy::Without)
        return true;
    if (m_journalPolicy == JournalPolicy::Ask &&
        m_prompts.AskDefaultNo(JournalUnwritableText(result.journalProblem), PromptIcon::Warning) ==
            PromptAnswer::Yes)
        return true;
    Status(RenameCancelledStatus());
    result.refusal = RunRefusal::NoJournal;
    return false;
}

RENAMERESULT CRenameRun::OnEndLabelEdit(int item, const QString& text) {
    if (text.isEmpty() || text == m_list.GetEntry(item).name) {
        RENAMERESULT result;
        result.refusal = RunRefusal::NoEdit;
        return result;
    }
    m_list.SetNewName(item, text);
    m_list.SetSelected(item, true);
    const RENAMERESULT result = OnRename();
    m_list.ResetEntry(item);
    return result;
}

bool CRenameRun::PassesChecks(RENAMERESULT& result) {
    if (!NewLocationValid()) {
        result.refusal = RunRefusal::InvalidNewLocation;
        return false;
    }
    if (!DateWarningAccepted()) {
        result.refusal = RunRefusal::DateWarning;
        return false;
    }
    Status(QString());
    if (!NamesValid()) {
        result.refusal = RunRefusal::InvalidCharacters;
        return false;
    }
    // Asked before the confirmation, which is the last question before the run.
    return JournalReady(result) && Confirmed(result);
}

bool CRenameRun::NewLocationValid() {
    const QString& newLocation = m_criteria.newLocation.path;
    if (newLocation.isEmpty() || NativePathExists(EncodeNativeName(newLocation)))
        return true;
    m_prompts.Ask(NewLocationInvalidText(newLocation), PromptButtons::Ok, PromptIcon::Warning);
    Status(NewLocationInvalidStatus());
    return false;
}

bool CRenameRun::DateWarningAccepted() {
    if (m_criteria.autoDate.mode < AutoDateMode::Prefix)
        return true;
    const QString warning =
        DateWarningText(m_criteria.autoDate.type, m_changes, m_preferences.extractExifData);
    if (warning.isEmpty() ||
        m_prompts.Ask(warning, PromptButtons::YesNo, PromptIcon::Warning) == PromptAnswer::Yes)
        return true;
    Status(RenameCancelledStatus());
    return false;
}

bool CRenameRun::NamesValid() {
    if (!m_list.AnySelectedInvalid())
        return true;
    m_prompts.Ask(InvalidCharactersText(), PromptButtons::Ok, PromptIcon::Warning);
    return false;
}

bool CRenameRun::Confirmed(RENAMERESULT& result) {
    if (!ConfirmRename(m_list.SelectedCount()))
        return true;
    Status(RenameNotConfirmedStatus());
    result.refusal = RunRefusal::NotConfirmed;
    return false;
}

bool CRenameRun::ConfirmRename(int selectedCount) {
    if (!m_preferences.displayWarningMessage)
        return false;
    bool showAgain = true;
    if (!m_prompts.ConfirmRename(ConfirmRenameMessage(selectedCount, m_changes),
                                 ConfirmRenameText(), showAgain))
        return true;
    m_preferences.displayWarningMessage = showAgain;
    return false;
}

void CRenameRun::Prepare() {
    if (m_criteria.autoDate.type == AutoDateType::Current) {
        Status(RefreshingStatus());
        if (m_hooks.refreshPreview)
            m_hooks.refreshPreview();
    }
    Status(GeneratingListStatus());
    const QString& newLocation = m_criteria.newLocation.path;
    m_newLocation = newLocation.isEmpty() ? QString() : WithSeparator(newLocation);
    m_pairs = BuildRenameList(m_list, m_newLocation);
    m_order.resize(m_pairs.size());
    for (size_t i = 0; i < m_pairs.size(); ++i)
        m_order[i] = m_preferences.reverseOrder ? m_pairs.size() - 1 - i : i;
    Plan();
    Status(RenamingStatus());
    if (m_preferences.logActivity)
        m_log.OpenLog(m_logPath);
    // Flushed with each batch of the journal; the journal, not the log, is what undo reads.
    m_log.SetFlushEachLine(false);
}

void CRenameRun::Plan() {
    PLANOPTIONS options;
    options.overwriteTargetFiles = m_preferences.overwriteTargetFiles;
    options.preventDuplicates = m_preferences.preventDuplicates;
    options.copy = !m_newLocation.isEmpty() && m_preferences.newLocationCopyNotMove;
    options.folderNames = m_folderNames;
    m_planned = PlanTargets(m_pairs, m_order, options);
    m_states.assign(m_pairs.size(), PairState::Pending);
    m_befores.assign(m_pairs.size(), BEFORE());
    StartReadingAhead();
    m_ahead.assign(m_pairs.size(), AHEAD());
    m_aheadPairs.clear();
    m_aheadEnd = 0;
    m_nextPairs.clear();
    m_nextEnd = 0;
    m_parkedAt.clear();
    m_positionOf.resize(m_order.size());
    for (size_t position = 0; position < m_order.size(); ++position)
        m_positionOf[m_order[position]] = position;
}

// A renamed folder changes the paths of the pairs inside it as the run goes, so a run with
// folders reads each source when it gets to it.
void CRenameRun::StartReadingAhead() {
    m_readAhead.Reset(m_pairs.size());
    if (std::any_of(m_pairs.begin(), m_pairs.end(),
                    [](const RENAMEPAIR& pair) { return pair.isFolder; }))
        return;
    // The first batch is needed at once: the run reads it itself, the reader what follows.
    m_readAhead.Start(m_order, static_cast<size_t>(CUndoJournal::kBatchEntries), kReadAheadEntries,
                      [this](size_t index, CFolderHandles& folders) {
                          ReadBefore(index, m_pairs[index].NativeOldPath(), folders);
                      });
}

bool CRenameRun::ProcessAll(RENAMERESULT& result) {
    for (size_t position = 0; position < m_order.size(); ++position) {
        m_position = position;
        if (position % CUndoJournal::kBatchEntries == 0)
            m_readAhead.AllowBefore(position + kReadAheadEntries);
        if (m_journal->IsOpen() && position >= m_aheadEnd)
            NextBatch(position);
        if (position % CUndoJournal::kBatchEntries == 0)
            m_log.Flush();
        const Step step = ProcessPair(position, result);
        m_prompts.KeepResponsive(static_cast<qint64>(position + 1),
                                 static_cast<qint64>(m_order.size()));
        if (step == Step::Stop)
            return false;
    }
    return true;
}

CRenameRun::Step CRenameRun::ProcessPair(size_t position, RENAMERESULT& result) {
    RENAMEPAIR& pair = m_pairs[m_order[position]];
    m_states[m_order[position]] = PairState::Finished;
    const bool isFolder = pair.isFolder;
    if (pair.blocker >= 0 && pair.plannedError == 0)
        Park(static_cast<size_t>(pair.blocker), position);
    const BEFORE& before = BeforeOf(m_order[position]);
    if (pair.KeepsPath()) {
        Unchanged(pair, isFolder, before, result);
        return Step::Next;
    }
    QString failedPath;
    const FILEOPRESULT moved = pair.plannedError != 0
                                   ? Refused(pair.plannedError)
                                   : MoveResolvingDuplicates(pair, before, failedPath);
    const bool suffixed = pair.newName != m_list.GetEntry(pair.item).newName;
    if (moved.ok) {
        Succeeded(position, pair, isFolder, before, suffixed, result);
        return Step::Next;
    }
    const QString question =
        FailedEntryText(pair.OldPath(), failedPath.isEmpty() ? pair.NewPath() : failedPath, moved);
    if (m_prompts.Ask(question, PromptButtons::YesNo, PromptIcon::Warning) != PromptAnswer::Yes)
        return Step::Stop;
    ++result.ignored;
    return Step::Next;
}

// One look at the file gives both what undo needs and the attributes; it is the only
// status read of the entry in the run, made here or ahead on the reader's thread.
const CRenameRun::BEFORE& CRenameRun::BeforeOf(size_t index) {
    if (m_readAhead.ClaimOrAwait(index))
        ReadBefore(index, m_pairs[index].NativeOldPath(), m_folders);
    return m_befores[index];
}

const CRenameRun::BEFORE& CRenameRun::BeforeOf(size_t index, const QByteArray& oldPath) {
    if (m_readAhead.ClaimOrAwait(index))
        ReadBefore(index, oldPath, m_folders);
    return m_befores[index];
}

void CRenameRun::ReadBefore(size_t index, const QByteArray& oldPath, CFolderHandles& folders) {
    BEFORE& before = m_befores[index];
    const RENAMEPAIR& pair = m_pairs[index];
    const char* name = nullptr;
    const int folder = folders.FolderOf(oldPath, name);
    before.identityKnown = folder >= 0 ? ReadFileIdentityAt(folder, name, before.identity)
                                       : ReadFileIdentity(oldPath, before.identity);
    FILESTATUS status;
    status.mode = before.identity.mode;
    status.isFolder = before.identity.IsFolder();
    before.attributes =
        before.identityKnown ? AttributesOf(status, pair.nativeName) : kInvalidAttributes;
}

// Makes sure the intents of the batch starting at `position` are on the disk, and starts
// writing the batch after it, so that its sync waits for the disk while this batch's
// moves are made. Intents of the batch before that were not used are marked as never done.
void CRenameRun::NextBatch(size_t position) {
    CancelIntents(m_aheadPairs);
    if (m_nextEnd != 0 && position == m_aheadEnd) {
        m_journal->AwaitWriteAhead();
        m_aheadPairs.swap(m_nextPairs);
        m_aheadEnd = m_nextEnd;
    } else {
        CancelIntents(m_nextPairs);
        m_aheadEnd = IntendBatch(position, m_aheadPairs);
        m_journal->WriteAhead();
    }
    m_nextEnd = 0;
    if (m_aheadEnd < m_order.size()) {
        m_nextEnd = IntendBatch(m_aheadEnd, m_nextPairs);
        m_journal->WriteAheadInBackground();
    }
}

// Collects the intents of up to a batch of pairs from `first` on and returns the position
// past them. Each pair's intent is for the move it will make if all goes as planned, from
// the name it will have then: a pair that an earlier pair parks starts from its first
// temporary name.
size_t CRenameRun::IntendBatch(size_t first, std::vector<INTENTREF>& intents) {
    const size_t end =
        std::min(first + static_cast<size_t>(CUndoJournal::kBatchEntries), m_order.size());
    for (size_t position = first; position < end; ++position) {
        const size_t index = m_order[position];
        const RENAMEPAIR& pair = m_pairs[index];
        if (pair.plannedError != 0)
            continue;
        const auto blocker = static_cast<size_t>(pair.blocker);
        if (pair.blocker >= 0 && m_states[blocker] == PairState::Pending &&
            m_positionOf[blocker] > position && !m_parkedAt.contains(blocker)) {
            const RENAMEPAIR& other = m_pairs[blocker];
            const QByteArray temporary = other.nativeFolder + TemporaryName(other.nativeName, 1);
            IntendAhead(blocker, m_ahead[blocker].park, other.NativeOldPath(), temporary, intents);
            intents.back().park = true;
            m_parkedAt.insert(blocker, temporary);
        }
        const auto parked = m_parkedAt.constFind(index);
        const QByteArray oldPath =
            parked != m_parkedAt.constEnd() && m_states[index] == PairState::Pending
                ? parked.value()
                : pair.NativeOldPath();
        const QByteArray newPath = pair.NativeNewPath();
        IntendAhead(index, m_ahead[index].move, oldPath,
                    oldPath == newPath ? QByteArray() : newPath, intents);
    }
    return end;
}

int CRenameRun::IntendAhead(size_t index, INTENT& intent, const QByteArray& oldPath,
                            const QByteArray& newPath, std::vector<INTENTREF>& intents) {
    // A pair's intent from a temporary name comes after its park's, which read the pair.
    const BEFORE& before = BeforeOf(index, oldPath);
    intent.entry =
        m_journal->Intend(oldPath, newPath, before.identityKnown ? &before.identity : nullptr);
    intent.oldPath = oldPath;
    intent.newPath = newPath;
    intents.push_back({index, false});
    return intent.entry;
}

// The journal entry of a move about to be made: the intent written ahead for it, or, for
// a move the batch did not foresee (a temporary or suffixed name that was taken after all,
// a path inside a folder renamed in the same batch), an intent of its own, on the disk
// before the move. The moves after it then start a new batch, so that the journal keeps
// the intents in the order of the moves, which is the order undo relies on.
int CRenameRun::JournalEntry(size_t index, const QByteArray& oldPath, const QByteArray& newPath) {
    for (INTENT* intent : {&m_ahead[index].park, &m_ahead[index].move}) {
        if (intent->entry >= 0 && intent->oldPath == oldPath && intent->newPath == newPath) {
            // A park taken now decides the pair's name from here on, whatever its outcome.
            if (intent == &m_ahead[index].park)
                m_parkedAt.remove(index);
            const int entry = intent->entry;
            *intent = INTENT();
            return entry;
        }
    }
    CancelAhead();
    const BEFORE& before = BeforeOf(index);
    const int entry =
        m_journal->Intend(oldPath, newPath, before.identityKnown ? &before.identity : nullptr);
    m_journal->WriteAhead();
    m_aheadEnd = m_position + 1;
    return entry;
}

// Intents written ahead whose moves will not be made as written: marked as never done, so
// that undo does not look for them.
void CRenameRun::CancelAhead() {
    CancelIntents(m_aheadPairs);
    CancelIntents(m_nextPairs);
    m_nextEnd = 0;
}

void CRenameRun::CancelIntents(std::vector<INTENTREF>& intents) {
    for (const INTENTREF& ref : intents) {
        INTENT& intent = ref.park ? m_ahead[ref.index].park : m_ahead[ref.index].move;
        if (intent.entry < 0)
            continue;
        if (ref.park)
            m_parkedAt.remove(ref.index);
        m_journal->Failed(intent.entry, ECANCELED);
        intent = INTENT();
    }
    intents.clear();
}

void CRenameRun::Unchanged(const RENAMEPAIR& pair, bool isFolder, const BEFORE& before,
                           RENAMERESULT& result) {
    if (m_journal->IsOpen()) {
        const int entry =
            JournalEntry(static_cast<size_t>(&pair - m_pairs.data()), pair.NativeOldPath(), {});
        m_journal->Done(entry, before.identityKnown ? before.identity : FILEIDENTITY());
    }
    AddHistoryOf(pair, false, isFolder, before);
    if (m_changes.ChangesAnything())
        ApplyAttributesAndTimes(m_list, pair.item, pair.NativeNewPath(), before.attributes,
                                pair.dateTaken, m_changes, Now());
    ++result.processed;
}

// Moves the pair that still has another pair's new path out of its way, to a temporary
// name in its own folder; it takes its own new name when its turn comes. The move is
// journalled and recorded like any other, so that undo and a killed run put it back.
void CRenameRun::Park(size_t index, size_t position) {
    RENAMEPAIR& pair = m_pairs[index];
    if (m_states[index] != PairState::Pending)
        return;
    const BEFORE& before = BeforeOf(index);
    RENAMEPAIR parked = pair;
    parked.newFolder = pair.folder;
    parked.nativeNewFolder = pair.nativeFolder;
    for (int n = 1; n <= kMostTemporaryNames; ++n) {
        parked.nativeNewName = TemporaryName(pair.nativeName, n);
        parked.newName = DecodeNativeName(parked.nativeNewName);
        const FILEOPRESULT moved = Attempt(pair, parked.NativeNewPath(), false, before);
        if (!moved.ok && moved.AlreadyExists())
            continue;
        if (!moved.ok)
            return;
        m_states[index] = PairState::Parked;
        m_changedAnything = true;
        AddHistoryOf(parked, true, pair.isFolder, before);
        if (m_log.IsOpen())
            m_log.WriteLogLine(RenamedLogText(m_movedFrom, m_movedTo));
        if (pair.isFolder)
            RewriteLaterPairs(position, parked);
        pair.name = parked.newName;
        pair.nativeName = parked.nativeNewName;
        return;
    }
}

// The intent is on the disk before the move, so a run killed between the two can still be
// reversed: undo then finds out from the files at the old and new paths.
FILEOPRESULT CRenameRun::Attempt(const RENAMEPAIR& pair, const QByteArray& newPath, bool replace,
                                 const BEFORE& before) {
    const QByteArray oldPath = pair.NativeOldPath();
    const bool journalled = m_journal->IsOpen();
    const int entry =
        journalled ? JournalEntry(static_cast<size_t>(&pair - m_pairs.data()), oldPath, newPath)
                   : -1;
    // The reader's open folders would follow a moved folder where the paths do not.
    if (pair.isFolder || before.identity.IsFolder())
        m_readAhead.Stop();
    const FILEOPRESULT result = Move(oldPath, newPath, replace);
    // The open folders are known by their paths, which name another folder now.
    if (result.ok && (pair.isFolder || before.identity.IsFolder()))
        m_folders.Forget();
    if (journalled)
        Journalled(entry, result, newPath, before);
    if (result.ok) {
        m_movedFrom = oldPath;
        m_movedTo = newPath;
    }
    return result;
}

void CRenameRun::Journalled(int entry, const FILEOPRESULT& result, const QByteArray& newPath,
                            const BEFORE& before) {
    if (!result.ok) {
        m_journal->Failed(entry, result.error);
        return;
    }
    // A rename inside the entry's own folder keeps the file; only a copy, or a move into
    // the new location (perhaps on another file system), makes another one.
    FILEIDENTITY now;
    if (m_newLocation.isEmpty() && before.identityKnown)
        now = before.identity;
    else if (!ReadFileIdentity(newPath, now))
        now = FILEIDENTITY();
    m_journal->Done(entry, now);
}

FILEOPRESULT CRenameRun::MoveOrCopy(const QByteArray& oldPath, const QByteArray& newPath,
                                    bool isFolder) {
    // A name that differs only in letter case is the entry itself on a case-insensitive
    // file system: never replace it.
    const bool caseOnly =
        DecodeNativeName(oldPath).compare(DecodeNativeName(newPath), Qt::CaseInsensitive) == 0;
    return Move(oldPath, newPath, m_preferences.overwriteTargetFiles && !isFolder && !caseOnly);
}

FILEOPRESULT CRenameRun::Move(const QByteArray& oldPath, const QByteArray& newPath, bool replace) {
    if (!m_newLocation.isEmpty() && m_preferences.newLocationCopyNotMove)
        return CopyFileTo(oldPath, newPath, replace);
    if (replace)
        return MoveReplacingFile(oldPath, newPath);
    const char* fromName = nullptr;
    const char* toName = nullptr;
    const int fromFolder = m_folders.FolderOf(oldPath, fromName);
    const int toFolder = m_folders.FolderOf(newPath, toName);
    return MoveNoReplaceAt(fromFolder, fromName, toFolder, toName, oldPath, newPath);
}

// The plan chose a free path; one that was taken since (or that only the move could judge,
// a change of letter case) is resolved here as the plan would have, past every path the
// plan gave to another pair.
FILEOPRESULT CRenameRun::MoveResolvingDuplicates(RENAMEPAIR& pair, const BEFORE& before,
                                                 QString& failedPath) {
    FILEOPRESULT result = Attempt(pair, pair.NativeNewPath(), pair.replace, before);
    if (result.ok || !m_preferences.preventDuplicates || pair.replace)
        return result;
    const FILEENTRY& entry = m_list.GetEntry(pair.item);
    const QByteArray wanted = NativeNewName(entry, entry.newName);
    for (int n = 1; n <= kMostDuplicates && result.AlreadyExists(); ++n) {
        const QByteArray nativeCandidate = DuplicateCandidate(wanted, n);
        if (m_planned.contains(pair.nativeNewFolder + nativeCandidate))
            continue;
        const QString candidate = DuplicateCandidate(entry.newName, n);
        failedPath = pair.newFolder + candidate;
        result = Attempt(pair, pair.nativeNewFolder + nativeCandidate, false, before);
        if (result.ok) {
            pair.newName = candidate;
            pair.nativeNewName = nativeCandidate;
        }
    }
    return result;
}

void CRenameRun::Succeeded(size_t position, const RENAMEPAIR& pair, bool isFolder,
                           const BEFORE& before, bool suffixed, RENAMERESULT& result) {
    m_changedAnything = true;
    AddHistoryOf(pair, true, isFolder, before);
    if (m_log.IsOpen())
        m_log.WriteLogLine(RenamedLogText(m_movedFrom, m_movedTo));
    if (m_changes.ChangesAnything())
        ApplyAttributesAndTimes(m_list, pair.item, m_movedTo, before.attributes, pair.dateTaken,
                                m_changes, Now());
    ++result.processed;
    ++result.renamed;
    if (result.processed % 10 == 0)
        Status(ProcessedStatus(result.processed));
    if (m_newLocation.isEmpty()) {
        m_list.SetName(pair.item, pair.newName);
        if (suffixed)
            m_list.SetNewName(pair.item, pair.newName);
    }
    if (isFolder) {
        result.folderRenamed = true;
        RewriteLaterPairs(position, pair);
    }
}

void CRenameRun::RewriteLaterPairs(size_t position, const RENAMEPAIR& folder) {
    for (size_t later = position + 1; later < m_order.size(); ++later)
        RewriteFolder(m_pairs[m_order[later]], folder);
}

void CRenameRun::AddHistoryOf(const RENAMEPAIR& pair, bool changed, bool isFolder,
                              const BEFORE& before) {
    const FILEENTRY& entry = m_list.GetEntry(pair.item);
    RENAMEHISTORY record;
    record.oldPath = pair.OldPath();
    record.nativeOldPath = changed ? m_movedFrom : pair.NativeOldPath();
    if (changed) {
        record.newPath = pair.NewPath();
        record.nativeNewPath = m_movedTo;
    }
    record.attributes = before.attributes;
    record.isFolder = isFolder ? 1 : 0;
    record.created = entry.created;
    record.modified = entry.modified;
    record.accessed = entry.accessed;
    record.permissions = before.identityKnown ? (before.identity.mode & 07777) : entry.permissions;
    record.permissionsKnown = before.identityKnown;
    m_history.AddHistory(std::move(record));
}

void CRenameRun::Finish(bool completed, RENAMERESULT& result, CRenameHistory previous) {
    m_readAhead.Stop();
    m_log.CloseLog();
    m_folders.Forget();
    if (m_journal->IsOpen())
        CancelAhead();
    m_changedAnything = m_changedAnything || m_changes.ChangesAnything();
    if (m_changedAnything) {
        m_journal->End();
    } else {
        m_journal->Discard();
        m_history = std::move(previous);
    }
    m_pairs.clear();
    m_order.clear();
    m_states.clear();
    m_planned.clear();
    m_befores.clear();
    m_ahead.clear();
    m_positionOf.clear();
    m_parkedAt.clear();
    if (completed)
        Completed(result);
    else
        Stopped(result);
}

void CRenameRun::Completed(RENAMERESULT& result) {
    result.outcome = RunOutcome::Completed;
    result.completionText = CompletionText(result.processed, result.renamed);
    Status(result.completionText);
    if (m_preferences.displayConfirmationMessage) {
        bool showAgain = true;
        m_prompts.RenameComplete(result.completionText, showAgain);
        m_preferences.displayConfirmationMessage = showAgain;
    }
    if (m_preferences.retainAutonumber && m_hooks.nextNumber) {
        m_criteria.numbering.start = QString::number(m_hooks.nextNumber());
        result.numberingStartChanged = true;
    }
    if (result.folderRenamed && m_criteria.selections.subfolders && m_hooks.rescan)
        m_hooks.rescan();
}

void CRenameRun::Stopped(RENAMERESULT& result) {
    result.outcome = RunOutcome::Stopped;
    if (!m_changedAnything || m_history.HistoryCount() == 0)
        return;
    UNDOOPTIONS options;
    options.logActivity = m_preferences.logActivity;
    options.logPath = m_logPath;
    options.rescan = m_hooks.rescan;
    result.undone = OnUndoRename(m_history, m_prompts, options);
}

TimeValue CRenameRun::Now() const {
    return m_hooks.clock ? m_hooks.clock() : CurrentTimeValue();
}
