// SPDX-License-Identifier: GPL-3.0-or-later
#include "journalundo.h"

#include "cactivitylog.h"
#include "cundojournal.h"
#include "undorename.h"

#include "platform/filechanges.h"
#include "platform/nativename.h"

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

void Miss(UNDOMISS::Reason reason, const JOURNALRECORD& record, JOURNALUNDORESULT& result,
          const QString& errorText = QString()) {
    UNDOMISS miss;
    miss.reason = reason;
    miss.oldPath = record.oldPath;
    miss.newPath = record.newPath;
    miss.errorText = errorText;
    result.misses.push_back(miss);
    ++result.skipped;
}

// Where the records of a run sent things, to follow an entry back through the moves the
// run made before its own.
struct MOVES {
    const std::vector<JOURNALRECORD>* records = nullptr;
    QHash<QByteArray, size_t> byNewPath; // the last record that moves something there
    QHash<QByteArray, size_t> byOldPath; // the last record that moves something away
};

MOVES MovesOf(const JOURNAL& journal) {
    MOVES moves;
    moves.records = &journal.records;
    for (size_t i = 0; i < journal.records.size(); ++i) {
        const JOURNALRECORD& record = journal.records[i];
        if (record.state == JOURNALRECORD::State::Failed || record.newPath.isEmpty())
            continue;
        moves.byNewPath.insert(record.newPath, i);
        moves.byOldPath.insert(record.oldPath, i);
    }
    return moves;
}

bool IsAt(const QByteArray& path, const FILEIDENTITY& identity) {
    FILEIDENTITY then;
    return ReadFileIdentity(path, then) && then.SameFile(identity);
}

// Where the entry is when the record's move was never made. The intents of a run are
// written ahead of their moves, for the names the entries will have by then: a record may
// start from a temporary name that an earlier record was to give the entry, or from a
// path inside a folder that an earlier record moved. Those earlier moves are undone after
// this one, and put the entry back where the record starts.
bool StillBeforeMove(const JOURNALRECORD& record, const MOVES& moves, size_t before, int depth) {
    if (IsAt(record.oldPath, record.before))
        return true;
    if (depth == 0)
        return false;
    const auto parked = moves.byNewPath.constFind(record.oldPath);
    if (parked != moves.byNewPath.constEnd() && parked.value() < before) {
        const JOURNALRECORD& earlier = (*moves.records)[parked.value()];
        if (earlier.beforeKnown && earlier.before.SameFile(record.before) &&
            StillBeforeMove(earlier, moves, parked.value(), depth - 1))
            return true;
    }
    for (qsizetype slash = record.oldPath.lastIndexOf('/'); slash > 0;
         slash = record.oldPath.lastIndexOf('/', slash - 1)) {
        const auto folder = moves.byOldPath.constFind(record.oldPath.left(slash));
        if (folder == moves.byOldPath.constEnd() || folder.value() >= before)
            continue;
        const JOURNALRECORD& moved = (*moves.records)[folder.value()];
        if (IsAt(moved.newPath + record.oldPath.mid(slash), record.before))
            return true;
    }
    return false;
}

// A move that was recorded but never made has nothing to reverse: the entry is still
// where the record starts.
bool NeverMoved(const JOURNALRECORD& record, const MOVES& moves, size_t index) {
    constexpr int kMostEarlierMoves = 4;
    return record.state == JOURNALRECORD::State::Intended && record.beforeKnown &&
           StillBeforeMove(record, moves, index, kMostEarlierMoves);
}

void UndoMoved(const JOURNALRECORD& record, const MOVES& moves, size_t index, CActivityLog& log,
               JOURNALUNDORESULT& result) {
    FILEIDENTITY now;
    const bool present = ReadFileIdentity(record.newPath, now);
    if (!present || !IsOurs(record, now)) {
        if (!NeverMoved(record, moves, index))
            Miss(present ? UNDOMISS::Reason::Replaced : UNDOMISS::Reason::Missing, record, result);
        return;
    }
    const FILEOPRESULT moved = MoveNoReplace(record.newPath, record.oldPath);
    log.WriteLogLine(UndoLogText(record.newPath, record.oldPath));
    if (!moved.ok) {
        Miss(moved.AlreadyExists() ? UNDOMISS::Reason::OldPathTaken : UNDOMISS::Reason::MoveFailed,
             record, result, moved.errorText);
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

// The newest journal whose run was not undone yet.
QString NewestNotUndone(const QString& folder) {
    const QStringList paths = JournalPaths(folder);
    for (auto it = paths.rbegin(); it != paths.rend(); ++it) {
        JOURNAL journal;
        if (HasSomethingToUndo(*it, journal))
            return *it;
    }
    return QString();
}

QString Quoted(const QByteArray& path) {
    return QLatin1Char('\'') + DecodeNativeName(path) + QLatin1Char('\'');
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
    const QString path = NewestNotUndone(folder);
    if (path.isEmpty())
        return JOURNALUNDORESULT();
    if (!options.assumeYes &&
        prompts.Ask(UndoQuestion(), PromptButtons::YesNo, PromptIcon::None) != PromptAnswer::Yes) {
        JOURNALUNDORESULT result;
        result.outcome = JOURNALUNDORESULT::Outcome::Declined;
        return result;
    }
    return UndoJournalFile(path, prompts, options);
}

JOURNALUNDORESULT UndoJournalFile(const QString& path, IPrompts& prompts,
                                  const JOURNALUNDOOPTIONS& options) {
    JOURNALUNDORESULT result;
    JOURNAL journal;
    if (!HasSomethingToUndo(path, journal))
        return result;
    CActivityLog log;
    if (options.logActivity)
        log.OpenLog(options.logPath);
    const MOVES moves = MovesOf(journal);
    const auto total = static_cast<qint64>(journal.records.size());
    qint64 done = 0;
    for (size_t index = journal.records.size(); index-- > 0;) {
        const JOURNALRECORD& record = journal.records[index];
        const bool failed = record.state == JOURNALRECORD::State::Failed; // nothing was done
        if (!failed && record.newPath.isEmpty())
            UndoUnchanged(record, result);
        else if (!failed)
            UndoMoved(record, moves, index, log, result);
        prompts.KeepResponsive(++done, total);
    }
    log.CloseLog();
    MarkJournalUndone(path);
    result.outcome = JOURNALUNDORESULT::Outcome::Reversed;
    result.journalPath = path;
    prompts.SetStatus(StatusPane::Message,
                      result.misses.empty()
                          ? UndoDoneText()
                          : UndoIncompleteText(result.movedBack, int(result.misses.size())));
    return result;
}

QString UndoMissText(const UNDOMISS& miss) {
    switch (miss.reason) {
    case UNDOMISS::Reason::Missing:
        return Quoted(miss.newPath) + QStringLiteral(" is missing; ") + Quoted(miss.oldPath) +
               QStringLiteral(" was not restored.");
    case UNDOMISS::Reason::Replaced:
        return Quoted(miss.oldPath) +
               QStringLiteral(" was not restored: something else is at its new path ") +
               Quoted(miss.newPath) + QLatin1Char('.');
    case UNDOMISS::Reason::OldPathTaken:
        return Quoted(miss.newPath) +
               QStringLiteral(" was left where it is: something else is at ") +
               Quoted(miss.oldPath) + QLatin1Char('.');
    case UNDOMISS::Reason::MoveFailed:
        break;
    }
    return Quoted(miss.newPath) + QStringLiteral(" could not be moved back to ") +
           Quoted(miss.oldPath) + QStringLiteral(": ") + miss.errorText;
}

QString UndoIncompleteText(int movedBack, int missed) {
    return QStringLiteral("%1 item(s) reversed, %2 item(s) could not be reversed.")
        .arg(movedBack)
        .arg(missed);
}
