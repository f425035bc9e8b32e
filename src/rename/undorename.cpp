// SPDX-License-Identifier: GPL-3.0-or-later
#include "undorename.h"

#include "cactivitylog.h"
#include "cundojournal.h"
#include "journalundo.h"

#include "platform/attributes.h"
#include "platform/filechanges.h"
#include "platform/fileoperations.h"

namespace {

void RestoreAttributes(const RENAMEHISTORY& record) {
    if (record.permissionsKnown)
        WritePermissions(record.nativeOldPath, record.permissions);
    else if (record.attributes != kInvalidAttributes)
        WriteReadOnly(record.nativeOldPath, record.attributes & AttrReadOnly);
}

constexpr int kMissesShown = 20;

void RestoreTimes(const RENAMEHISTORY& record) {
    WriteFileTimes(record.nativeOldPath, record.accessed, record.modified);
    RestoreAttributes(record);
}

// The owner may set the times of a file it may not write, so unlike a system where
// read-only blocks a time change, nothing needs to be lent here. Times go back only onto
// the entry itself: an entry that did not come back leaves whatever is at its old path.
void UndoRecord(const RENAMEHISTORY& record, CActivityLog& log, JOURNALUNDORESULT& result) {
    if (record.nativeNewPath.isEmpty()) {
        RestoreTimes(record);
        return;
    }
    UNDOMISS miss;
    miss.oldPath = record.nativeOldPath;
    miss.newPath = record.nativeNewPath;
    if (!NativePathExists(record.nativeNewPath)) {
        miss.reason = UNDOMISS::Reason::Missing;
        result.misses.push_back(miss);
        return;
    }
    const FILEOPRESULT moved = MoveNoReplace(record.nativeNewPath, record.nativeOldPath);
    log.WriteLogLine(UndoLogText(record.nativeNewPath, record.nativeOldPath));
    if (!moved.ok) {
        miss.reason =
            moved.AlreadyExists() ? UNDOMISS::Reason::OldPathTaken : UNDOMISS::Reason::MoveFailed;
        miss.errorText = moved.errorText;
        result.misses.push_back(miss);
        return;
    }
    ++result.movedBack;
    RestoreTimes(record);
}

JOURNALUNDORESULT UndoFromMemory(const CRenameHistory& history, IPrompts& prompts,
                                 const UNDOOPTIONS& options) {
    JOURNALUNDORESULT result;
    CActivityLog log;
    if (options.logActivity)
        log.OpenLog(options.logPath);
    const std::vector<RENAMEHISTORY>& records = history.Records();
    const auto total = static_cast<qint64>(records.size());
    qint64 done = 0;
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        UndoRecord(*it, log, result);
        prompts.KeepResponsive(++done, total);
    }
    log.CloseLog();
    if (!history.JournalPath().isEmpty())
        MarkJournalUndone(history.JournalPath());
    result.outcome = JOURNALUNDORESULT::Outcome::Reversed;
    return result;
}

// The journal of the run checks that each entry is still the one the run left there.
bool JournalStillOpen(const QString& path) {
    JOURNAL journal;
    return !path.isEmpty() && ReadJournal(path, journal) && !journal.undone;
}

void ReportMisses(const JOURNALUNDORESULT& result, IPrompts& prompts) {
    QStringList lines;
    for (const UNDOMISS& miss : result.misses) {
        if (lines.size() == kMissesShown)
            break;
        lines << UndoMissText(miss);
    }
    const int more = int(result.misses.size()) - int(lines.size());
    if (more > 0)
        lines << QStringLiteral("(%1 more)").arg(more);
    prompts.Ask(UndoIncompleteText(result.movedBack, int(result.misses.size())) +
                    QStringLiteral("\n\n") + lines.join(QLatin1Char('\n')),
                PromptButtons::Ok, PromptIcon::Warning);
}

} // namespace

QString UndoQuestion() {
    return QStringLiteral("Would you like to reverse all your last changes?");
}

QString UndoDoneText() {
    return QStringLiteral("Previous changes successfully reversed.");
}

bool OnUndoRename(CRenameHistory& history, IPrompts& prompts, const UNDOOPTIONS& options) {
    if (prompts.Ask(UndoQuestion(), PromptButtons::YesNo, PromptIcon::None) != PromptAnswer::Yes)
        return false;
    JOURNALUNDORESULT result;
    if (JournalStillOpen(history.JournalPath())) {
        JOURNALUNDOOPTIONS journalOptions;
        journalOptions.logActivity = options.logActivity;
        journalOptions.logPath = options.logPath;
        result = UndoJournalFile(history.JournalPath(), prompts, journalOptions);
    } else {
        result = UndoFromMemory(history, prompts, options);
    }
    history.ClearHistory();
    if (options.rescan)
        options.rescan();
    if (result.misses.empty()) {
        prompts.SetStatus(StatusPane::Message, UndoDoneText());
        return true;
    }
    prompts.SetStatus(StatusPane::Message,
                      UndoIncompleteText(result.movedBack, int(result.misses.size())));
    ReportMisses(result, prompts);
    return true;
}
