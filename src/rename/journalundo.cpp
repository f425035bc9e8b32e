// SPDX-License-Identifier: GPL-3.0-or-later
#include "journalundo.h"

#include "cactivitylog.h"
#include "cundojournal.h"
#include "undorename.h"

#include "platform/filechanges.h"

#include <QFile>
#include <QHash>

namespace {

using Fields = QList<QByteArray>;

bool ToInt64(const QByteArray& text, qint64& value, int base = 10) {
    bool ok = false;
    value = text.toLongLong(&ok, base);
    return ok;
}

bool ParsePath(const QByteArray& field, QByteArray& path) {
    if (field == "-") {
        path.clear();
        return true;
    }
    if (field.isEmpty() || field.size() % 2 != 0)
        return false;
    path = QByteArray::fromHex(field);
    return path.size() * 2 == field.size();
}

bool ParseIdentity(const Fields& f, FILEIDENTITY& id) {
    qint64 v[8];
    if (!ToInt64(f[2], v[0], 8))
        return false;
    for (int i = 1; i < 8; ++i) {
        if (!ToInt64(f[2 + i], v[i]))
            return false;
    }
    id.mode = static_cast<quint32>(v[0]);
    id.device = static_cast<quint64>(v[1]);
    id.inode = static_cast<quint64>(v[2]);
    id.size = static_cast<quint64>(v[3]);
    id.modifiedSeconds = v[4];
    id.modifiedNanoseconds = static_cast<qint32>(v[5]);
    id.accessedSeconds = v[6];
    id.accessedNanoseconds = static_cast<qint32>(v[7]);
    return true;
}

bool ParseIntent(const Fields& f, JOURNALRECORD& record) {
    qint64 entry = 0;
    if (f.size() != 12 || !ToInt64(f[1], entry) || !ParseIdentity(f, record.before))
        return false;
    record.entry = static_cast<int>(entry);
    record.beforeKnown = record.before.mode != 0;
    return ParsePath(f[10], record.oldPath) && !record.oldPath.isEmpty() &&
           ParsePath(f[11], record.newPath);
}

void ParseOutcome(const Fields& f, JOURNAL& journal, const QHash<int, size_t>& index) {
    qint64 entry = 0;
    if (f.size() < 2 || !ToInt64(f[1], entry) || !index.contains(static_cast<int>(entry)))
        return;
    JOURNALRECORD& record = journal.records[index.value(static_cast<int>(entry))];
    if (f[0] == "X" && f.size() == 3) {
        record.state = JOURNALRECORD::State::Failed;
        return;
    }
    qint64 device = 0;
    qint64 inode = 0;
    if (f[0] != "D" || f.size() != 4 || !ToInt64(f[2], device) || !ToInt64(f[3], inode))
        return;
    record.state = JOURNALRECORD::State::Done;
    record.after.device = static_cast<quint64>(device);
    record.after.inode = static_cast<quint64>(inode);
    record.afterKnown = device != 0 || inode != 0;
}

void ParseLine(const QByteArray& line, JOURNAL& journal, QHash<int, size_t>& index) {
    const Fields f = line.split(' ');
    if (f[0] == "I") {
        JOURNALRECORD record;
        if (!ParseIntent(f, record))
            return;
        index.insert(record.entry, journal.records.size());
        journal.records.push_back(record);
    } else if (f[0] == "D" || f[0] == "X") {
        ParseOutcome(f, journal, index);
    } else if (line == "E") {
        journal.ended = true;
    } else if (line == "U") {
        journal.undone = true;
    }
}

bool IsOurs(const JOURNALRECORD& record, const FILEIDENTITY& now) {
    if (record.afterKnown && now.SameFile(record.after))
        return true;
    if (!record.beforeKnown)
        return false;
    if (now.SameFile(record.before))
        return true;
    // An interrupted move to another file system leaves a copy with a new inode.
    return record.state == JOURNALRECORD::State::Intended && now.device != record.before.device &&
           now.SameContentStamp(record.before);
}

void RestoreTimesAndPermissions(const JOURNALRECORD& record) {
    WriteExactTimes(record.oldPath, record.before);
    WritePermissions(record.oldPath, record.before.mode & 07777);
}

void UndoUnchanged(const JOURNALRECORD& record, JOURNALUNDORESULT& result) {
    FILEIDENTITY now;
    if (!record.beforeKnown || !ReadFileIdentity(record.oldPath, now) ||
        !now.SameFile(record.before))
        return;
    RestoreTimesAndPermissions(record);
    ++result.restored;
}

void UndoMoved(const JOURNALRECORD& record, CActivityLog& log, JOURNALUNDORESULT& result) {
    FILEIDENTITY now;
    if (!ReadFileIdentity(record.newPath, now) || !IsOurs(record, now)) {
        ++result.skipped;
        return;
    }
    const FILEOPRESULT moved = MoveNoReplace(record.newPath, record.oldPath);
    log.WriteLogLine(UndoLogText(record.newPath, record.oldPath));
    if (!moved.ok) {
        ++result.skipped;
        return;
    }
    ++result.movedBack;
    if (record.beforeKnown) {
        RestoreTimesAndPermissions(record);
        ++result.restored;
    }
}

bool HasSomethingToUndo(const QString& path, JOURNAL& journal) {
    return !path.isEmpty() && ReadJournal(path, journal) && !journal.undone;
}

} // namespace

bool ReadJournal(const QString& path, JOURNAL& journal) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = file.readAll();
    if (!text.startsWith("QVNJOURNAL 1\n"))
        return false;
    journal = JOURNAL();
    QHash<int, size_t> index;
    // Only lines that end in a line feed were written whole.
    const qsizetype end = text.lastIndexOf('\n');
    for (const QByteArray& line : text.left(end).split('\n'))
        ParseLine(line, journal, index);
    return true;
}

JOURNALUNDORESULT UndoLastJournal(const QString& folder, IPrompts& prompts,
                                  const JOURNALUNDOOPTIONS& options) {
    JOURNALUNDORESULT result;
    const QStringList paths = JournalPaths(folder);
    const QString path = paths.isEmpty() ? QString() : paths.last();
    JOURNAL journal;
    if (!HasSomethingToUndo(path, journal))
        return result;
    if (!options.assumeYes &&
        prompts.Ask(UndoQuestion(), PromptButtons::YesNo, PromptIcon::None) != PromptAnswer::Yes) {
        result.outcome = JOURNALUNDORESULT::Outcome::Declined;
        return result;
    }
    CActivityLog log;
    if (options.logActivity)
        log.OpenLog(options.logPath);
    const auto total = static_cast<qint64>(journal.records.size());
    qint64 done = 0;
    for (auto it = journal.records.rbegin(); it != journal.records.rend(); ++it) {
        const bool failed = it->state == JOURNALRECORD::State::Failed; // nothing was done
        if (!failed && it->newPath.isEmpty())
            UndoUnchanged(*it, result);
        else if (!failed)
            UndoMoved(*it, log, result);
        prompts.KeepResponsive(++done, total);
    }
    log.CloseLog();
    MarkJournalUndone(path);
    result.outcome = JOURNALUNDORESULT::Outcome::Reversed;
    prompts.SetStatus(StatusPane::Message, UndoDoneText());
    return result;
}
