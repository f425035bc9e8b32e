// SPDX-License-Identifier: GPL-3.0-or-later
#include "undorename.h"

#include "cactivitylog.h"
#include "cundojournal.h"

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

// The owner may set the times of a file it may not write, so unlike a system where
// read-only blocks a time change, nothing needs to be lent here.
void UndoRecord(const RENAMEHISTORY& record, CActivityLog& log) {
    if (!record.nativeNewPath.isEmpty()) {
        MoveNoReplace(record.nativeNewPath, record.nativeOldPath);
        log.WriteLogLine(UndoLogText(record.nativeNewPath, record.nativeOldPath));
    }
    WriteFileTimes(record.nativeOldPath, record.accessed, record.modified);
    RestoreAttributes(record);
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
    CActivityLog log;
    if (options.logActivity)
        log.OpenLog(options.logPath);
    const std::vector<RENAMEHISTORY>& records = history.Records();
    const auto total = static_cast<qint64>(records.size());
    qint64 done = 0;
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        UndoRecord(*it, log);
        prompts.KeepResponsive(++done, total);
    }
    log.CloseLog();
    if (!history.JournalPath().isEmpty())
        MarkJournalUndone(history.JournalPath());
    history.ClearHistory();
    if (options.rescan)
        options.rescan();
    prompts.SetStatus(StatusPane::Message, UndoDoneText());
    return true;
}
