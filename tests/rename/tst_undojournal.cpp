// SPDX-License-Identifier: GPL-3.0-or-later
#include "renametestkit.h"

#include "rename/crenamerun.h"
#include "rename/cundojournal.h"
#include "rename/journalundo.h"
#include "rename/undorename.h"

#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

struct JOURNALRUN : JOURNALLEDRUN {
    // Files with times that have fractions of a second, which only the journal keeps.
    void Files(int count) {
        MakeFolder(root + "/sub", 0750);
        for (int i = 0; i < count; ++i) {
            const QByteArray path = root + (i % 3 == 0 ? "/sub/f" : "/f") + QByteArray::number(i);
            MakeFile(path, 1'000'000'000 + i, i % 2 ? 0604 : 0660);
            const timespec times[2] = {{1'000'000'000, 5}, {1'000'000'000 + i, 123'456'789}};
            utimensat(AT_FDCWD, path.constData(), times, AT_SYMLINK_NOFOLLOW);
        }
        ListFolder(list, root, true);
        for (int row = 0; row < list.RowCount(); ++row)
            list.SetNewName(row, list.GetEntry(row).name + u"-new"_s);
        criteria.selections.subfolders = true;
        start = SnapshotTree(root);
    }
};

void AppendRaw(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Append));
    file.write(bytes);
}

// A journal written by hand, for records no run of ours would write.
void WriteJournal(const QString& folder, const QByteArray& lines) {
    QDir().mkpath(folder);
    QFile file(folder + u"/run-000000000000001.qvj"_s);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("QVNJOURNAL 1\n" + lines + "E\n");
}

} // namespace

class TstUndoJournal : public QObject {
    Q_OBJECT
private slots:
    void completedRunIsReversedExactly() {
        JOURNALRUN run;
        run.Files(7);
        run.changes.attributeFlags = SetReadOnly;
        run.changes.modifiedMode = TimestampMode::Current;
        // The folder becomes read-only as soon as it is renamed; its contents go first.
        run.preferences.reverseOrder = true;
        QCOMPARE(run.Run().renamed, 8);
        const JOURNAL journal = run.Journal();
        QVERIFY(journal.ended);
        QCOMPARE(int(journal.records.size()), 8);
        QVERIFY(TreeDifference(run.start, SnapshotTree(run.root)) != QString());

        run.prompts.answers = {PromptAnswer::No};
        JOURNALUNDOOPTIONS ask;
        QCOMPARE(UndoLastJournal(run.journals, run.prompts, ask).outcome,
                 JOURNALUNDORESULT::Outcome::Declined);
        QCOMPARE(run.prompts.asked.last(), u"Would you like to reverse all your last changes?"_s);

        const JOURNALUNDORESULT result = run.Undo();
        QCOMPARE(result.outcome, JOURNALUNDORESULT::Outcome::Reversed);
        QCOMPARE(result.movedBack, 8);
        QCOMPARE(TreeDifference(run.start, SnapshotTree(run.root)), QString());
        QCOMPARE(run.prompts.statuses.last(), u"Previous changes successfully reversed."_s);
        QCOMPARE(run.Undo().outcome, JOURNALUNDORESULT::Outcome::NothingToUndo);
    }

    void undoFromTheHistoryMarksTheJournal() {
        JOURNALRUN run;
        run.Files(3);
        run.Run();
        run.prompts.answers = {PromptAnswer::Yes};
        QVERIFY(OnUndoRename(run.history, run.prompts, UNDOOPTIONS()));
        QVERIFY(run.Journal().undone);
        QCOMPARE(run.Undo().outcome, JOURNALUNDORESULT::Outcome::NothingToUndo);
    }

    void killedRunIsReversed_data() {
        QTest::addColumn<int>("entries");
        QTest::newRow("after the first entry") << 1;
        QTest::newRow("after the renamed folder") << 6;
        QTest::newRow("after all but one") << 8;
    }
    void killedRunIsReversed() {
        QFETCH(int, entries);
        JOURNALRUN run;
        run.Files(8);
        QVERIFY(run.RunKilledAfter(entries));
        const JOURNAL journal = run.Journal();
        QVERIFY(!journal.ended);
        // The intents go ahead of the moves, a batch at a time.
        QVERIFY(int(journal.records.size()) >= entries);
        QVERIFY(TreeDifference(run.start, SnapshotTree(run.root)) != QString());
        const JOURNALUNDORESULT result = run.Undo();
        QCOMPARE(result.movedBack, entries);
        QCOMPARE(TreeDifference(run.start, SnapshotTree(run.root)), QString());
    }

    // The journal line of an entry is on disk before its move; the confirming line may
    // never come.
    void interruptedBetweenRecordAndMove() {
        JOURNALRUN run;
        MakeFile(run.root + "/a", 1'000'000'000, 0640);
        MakeFile(run.root + "/b", 1'000'000'100, 0600);
        MakeFile(run.root + "/c", 1'000'000'200, 0644);
        MakeFile(run.root + "/taken", 1'000'000'300, 0644);
        run.start = SnapshotTree(run.root);
        CUndoJournal journal;
        QVERIFY(journal.Begin(run.journals));
        FILEIDENTITY id;
        // a: moved and confirmed.
        ReadFileIdentity(run.root + "/a", id);
        const int entry = journal.Intend(run.root + "/a", run.root + "/a2", &id);
        QVERIFY(journal.WriteAhead());
        QVERIFY(MoveNoReplace(run.root + "/a", run.root + "/a2").ok);
        journal.Done(entry, id);
        // b: moved, then killed before the confirmation.
        ReadFileIdentity(run.root + "/b", id);
        journal.Intend(run.root + "/b", run.root + "/b2", &id);
        QVERIFY(journal.WriteAhead());
        QVERIFY(MoveNoReplace(run.root + "/b", run.root + "/b2").ok);
        // c: recorded, killed before the move; its new name belongs to another file.
        ReadFileIdentity(run.root + "/c", id);
        journal.Intend(run.root + "/c", run.root + "/taken", &id);
        QVERIFY(journal.WriteAhead());
        AppendRaw(journal.Path(), "I 9 100644 1 2"); // a line cut short by the kill
        const JOURNALUNDORESULT result = run.Undo();
        QCOMPARE(result.movedBack, 2);
        // c never moved: it is where it was, nothing is left behind.
        QCOMPARE(result.skipped, 0);
        QVERIFY(result.Complete());
        QCOMPARE(TreeDifference(run.start, SnapshotTree(run.root)), QString());
    }

    void aFileThatIsNotOursStays() {
        JOURNALRUN run;
        MakeFile(run.root + "/a", 1'000'000'000);
        CUndoJournal journal;
        QVERIFY(journal.Begin(run.journals));
        FILEIDENTITY id;
        ReadFileIdentity(run.root + "/a", id);
        const int entry = journal.Intend(run.root + "/a", run.root + "/b", &id);
        QVERIFY(journal.WriteAhead());
        QVERIFY(MoveNoReplace(run.root + "/a", run.root + "/b").ok);
        journal.Done(entry, id);
        journal.End();
        // Made while b still exists, so that it cannot get b's inode number.
        MakeFile(run.root + "/impostor", 1'000'000'000, 0644, "someone else's file");
        QVERIFY(DeleteFileAt(run.root + "/b").ok);
        QVERIFY(MoveNoReplace(run.root + "/impostor", run.root + "/b").ok);
        const TREE before = SnapshotTree(run.root);
        const JOURNALUNDORESULT result = run.Undo();
        QCOMPARE(result.skipped, 1);
        QCOMPARE(result.movedBack, 0);
        QCOMPARE(TreeDifference(before, SnapshotTree(run.root)), QString());
    }

    void interruptedMoveToAnotherFileSystem() {
        JOURNALRUN run;
        QTemporaryDir shm(u"/dev/shm/qvn-test-XXXXXX"_s);
        const QByteArray other = QFile::encodeName(shm.path());
        if (!shm.isValid() || SameDevice(run.root, other))
            QSKIP("no second file system (/dev/shm) on another device");
        MakeFile(run.root + "/a", 1'000'000'000, 0640);
        run.start = SnapshotTree(run.root);
        CUndoJournal journal;
        QVERIFY(journal.Begin(run.journals));
        FILEIDENTITY id;
        ReadFileIdentity(run.root + "/a", id);
        journal.Intend(run.root + "/a", other + "/a", &id);
        QVERIFY(journal.WriteAhead());
        QVERIFY(MoveNoReplace(run.root + "/a", other + "/a").ok);
        QCOMPARE(run.Undo().movedBack, 1);
        QCOMPARE(TreeDifference(run.start, SnapshotTree(run.root)), QString());
        QVERIFY(SnapshotTree(other).isEmpty());
    }

    void namesThatAreNotUtf8Survive() {
        JOURNALRUN run;
        const QByteArray odd = "\xff\xfe'\n$(x) \x80.bin";
        MakeFile(run.root + '/' + odd, 1'000'000'000);
        ListFolder(run.list, run.root);
        run.list.SetNewName(0, u"even.bin"_s);
        run.start = SnapshotTree(run.root);
        QCOMPARE(run.Run().renamed, 1);
        QCOMPARE(run.Journal().records.front().oldPath, run.root + '/' + odd);
        QCOMPARE(run.Undo().movedBack, 1);
        QCOMPARE(TreeDifference(run.start, SnapshotTree(run.root)), QString());
        QVERIFY(Exists(run.root + '/' + odd));
    }

    void failedAttemptsAreNotUndone() {
        JOURNALRUN run;
        MakeFile(run.root + "/a.txt", 1'000'000'000);
        MakeFile(run.root + "/b.txt", 1'000'000'100);
        ListFolder(run.list, run.root);
        run.list.SetNewName(0, u"b.txt"_s);
        run.preferences.preventDuplicates = true;
        run.start = SnapshotTree(run.root);
        QCOMPARE(run.Run().renamed, 1);
        const JOURNAL journal = run.Journal();
        // The taken name is known before the run: b_1.txt is the only move, then b.txt
        // unchanged.
        QCOMPARE(int(journal.records.size()), 2);
        QCOMPARE(journal.records[0].state, JOURNALRECORD::State::Done);
        QCOMPARE(journal.records[0].newPath, run.root + "/b_1.txt");
        QVERIFY(journal.records[1].newPath.isEmpty());
        const JOURNALUNDORESULT result = run.Undo();
        QCOMPARE(result.movedBack, 1);
        QCOMPARE(result.restored, 2);
        QCOMPARE(TreeDifference(run.start, SnapshotTree(run.root)), QString());
    }

    void onlyTheLastRunsAreKept() {
        QTemporaryDir dir;
        const QString folder = dir.filePath(u"journal"_s);
        QStringList made;
        for (int i = 0; i < CUndoJournal::kRunsKept + 2; ++i) {
            CUndoJournal journal(CUndoJournal::Sync::Kernel);
            QVERIFY(journal.Begin(folder));
            made << journal.Path();
            journal.End();
        }
        QCOMPARE(JournalPaths(folder), made.mid(2));
    }

    // The file at the new path has the size and modification time the entry had; only
    // the identity the journal recorded may make it "ours".
    void onlyAKnownIdentityIsOurs_data() {
        QTest::addColumn<QByteArray>("identity"); // how the I line describes the entry
        QTest::addColumn<QByteArray>("outcome");  // the line after it, if any
        QTest::newRow("intended, nothing known") << QByteArray("none") << QByteArray();
        QTest::newRow("done, nothing known") << QByteArray("none") << QByteArray("D 0 0 0");
        QTest::newRow("intended, same device, another inode")
            << QByteArray("other inode") << QByteArray();
        QTest::newRow("done, another device, record never intended there")
            << QByteArray("other device") << QByteArray("D 0 1 1");
        QTest::newRow("done, another device, nothing confirmed")
            << QByteArray("other device") << QByteArray("D 0 0 0");
    }
    void onlyAKnownIdentityIsOurs() {
        QFETCH(QByteArray, identity);
        QFETCH(QByteArray, outcome);
        JOURNALRUN run;
        MakeFile(run.root + "/new", 1'000'000'000, 0644, "someone else's");
        FILEIDENTITY id;
        QVERIFY(ReadFileIdentity(run.root + "/new", id));
        if (identity == "none")
            id = FILEIDENTITY();
        else if (identity == "other inode")
            id.inode += 1;
        else
            id.device += 1;
        WriteJournal(run.journals, "I 0 " + IdentityLine(id) + ' ' + (run.root + "/old").toHex() +
                                       ' ' + (run.root + "/new").toHex() + '\n' +
                                       (outcome.isEmpty() ? QByteArray() : outcome + '\n'));
        const TREE before = SnapshotTree(run.root);
        const JOURNALUNDORESULT result = run.Undo();
        QCOMPARE(result.movedBack, 0);
        QCOMPARE(int(result.misses.size()), 1);
        QCOMPARE(result.misses[0].reason, UNDOMISS::Reason::Replaced);
        QCOMPARE(TreeDifference(before, SnapshotTree(run.root)), QString());
    }

    // An editor saves by writing a new file and renaming it over the old one: the entry
    // that the run left unchanged is gone, and its times and permissions must not be put
    // onto the new file.
    void unchangedEntryReplacedByAnAtomicSave() {
        JOURNALRUN run;
        MakeFile(run.root + "/notes", 1'000'000'000, 0640, "old");
        ListFolder(run.list, run.root);
        run.changes.modifiedMode = TimestampMode::Current;
        QCOMPARE(run.Run().processed, 1);
        MakeFile(run.root + "/notes.tmp", 1'500'000'000, 0604, "new");
        QVERIFY(MoveReplacingFile(run.root + "/notes.tmp", run.root + "/notes").ok);
        const TREE saved = SnapshotTree(run.root);
        const JOURNALUNDORESULT result = run.Undo();
        QCOMPARE(result.restored, 0);
        QCOMPARE(TreeDifference(saved, SnapshotTree(run.root)), QString());
    }

    // The records reach the disk: the first line at once, and then as the sync mode says.
    void journalIsSynchronised_data() {
        QTest::addColumn<int>("sync");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("syncs");
        QTest::newRow("every line") << int(CUndoJournal::Sync::Disk) << 3 << 1 + 3 + 1;
        QTest::newRow("batch, short run") << int(CUndoJournal::Sync::Batch) << 3 << 1 + 1;
        QTest::newRow("batch, one whole batch")
            << int(CUndoJournal::Sync::Batch) << CUndoJournal::kBatchEntries << 1 + 1;
        QTest::newRow("kernel only") << int(CUndoJournal::Sync::Kernel) << 3 << 1;
    }
    void journalIsSynchronised() {
        QFETCH(int, sync);
        QFETCH(int, lines);
        QFETCH(int, syncs);
        QTemporaryDir dir;
        CUndoJournal journal{CUndoJournal::Sync(sync)};
        const quint64 before = CAppendFile::SyncCount();
        QVERIFY(journal.Begin(dir.filePath(u"journal"_s)));
        for (int i = 0; i < lines; ++i)
            journal.Intend("/a", "/b", nullptr);
        journal.End();
        QCOMPARE(int(CAppendFile::SyncCount() - before), syncs);
    }

    void emptyFolderHasNothingToUndo() {
        QTemporaryDir dir;
        CScriptedPrompts prompts;
        QCOMPARE(UndoLastJournal(dir.path(), prompts, JOURNALUNDOOPTIONS()).outcome,
                 JOURNALUNDORESULT::Outcome::NothingToUndo);
        QVERIFY(prompts.asked.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstUndoJournal)
#include "tst_undojournal.moc"
