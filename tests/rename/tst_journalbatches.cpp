// SPDX-License-Identifier: GPL-3.0-or-later
#include "renametestkit.h"

#include "rename/crenamerun.h"
#include "rename/cundojournal.h"
#include "rename/journalundo.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kBatch = CUndoJournal::kBatchEntries;

// How the files of a run are laid out and renamed.
enum class Shape {
    Flat,    // f0000 ... -> f0000-new ...: every intent as written ahead
    Shift,   // n0001 -> n0002, n0002 -> n0003, ...: each pair parks the next one first
    Folders, // folders of files, all renamed: the paths inside a renamed folder change
};

QByteArray Numbered(const char* prefix, int n) {
    return prefix + QByteArray::number(n).rightJustified(4, '0');
}

struct BATCHRUN : JOURNALLEDRUN {
    BATCHRUN() { policy = JournalPolicy::Refuse; }

    void Make(Shape shape, int files) {
        for (int i = 0; i < files; ++i) {
            const qint64 time = 1'000'000'000 + i;
            if (shape == Shape::Flat)
                MakeFile(root + '/' + Numbered("f", i), time, 0640);
            else if (shape == Shape::Shift)
                MakeFile(root + '/' + Numbered("n", i + 1), time, 0604);
            else {
                const QByteArray folder = root + '/' + Numbered("d", i / 30);
                if (i % 30 == 0)
                    MakeFolder(folder, 0750);
                MakeFile(folder + '/' + Numbered("f", i), time, 0660);
            }
        }
        ListFolder(list, root, shape == Shape::Folders);
        criteria.selections.subfolders = shape == Shape::Folders;
        for (int row = 0; row < list.RowCount(); ++row) {
            const QString name = list.GetEntry(row).name;
            list.SetNewName(row, shape == Shape::Shift
                                     ? u"n"_s + QString::number(name.mid(1).toInt() + 1)
                                                    .rightJustified(4, QLatin1Char('0'))
                                     : name + u"-new"_s);
        }
        start = SnapshotTree(root);
    }
};

} // namespace

class TstJournalBatches : public QObject {
    Q_OBJECT

private slots:
    // Killed after `killAfter` entries: in the middle of a batch (its intents on disk,
    // some of its moves made, their outcomes lost with the process) or just between two
    // batches. Undo must find out from the disk which moves happened.
    void killedRunIsUndone_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("killAfter"); // 0: the run completes
        const int files = 2 * kBatch + 88;
        for (const int kill :
             {1, 100, kBatch - 1, kBatch, kBatch + 1, 300, 2 * kBatch, files - 1, 0}) {
            QTest::addRow("flat, killed after %d", kill) << int(Shape::Flat) << files << kill;
            QTest::addRow("shifted names, killed after %d", kill)
                << int(Shape::Shift) << files << kill;
        }
        for (const int kill : {1, 29, 31, kBatch + 3, 0})
            QTest::addRow("folders, killed after %d", kill) << int(Shape::Folders) << 330 << kill;
    }
    void killedRunIsUndone() {
        QFETCH(int, shape);
        QFETCH(int, files);
        QFETCH(int, killAfter);
        BATCHRUN run;
        run.Make(Shape(shape), files);
        if (killAfter > 0) {
            QVERIFY(run.RunKilledAfter(killAfter));
            QVERIFY(run.start != SnapshotTree(run.root));
        } else {
            QCOMPARE(run.Run().renamed, run.list.RowCount());
        }
        if (Shape(shape) == Shape::Flat && killAfter > 0) {
            // Every intent of the batch under way was on disk before its first move; the
            // next batch's may be too, written while this one's moves were made.
            const int batches = (killAfter + kBatch - 1) / kBatch;
            const int records = int(run.Journal().records.size());
            QVERIFY2(records == qMin(batches * kBatch, files) ||
                         records == qMin((batches + 1) * kBatch, files),
                     qPrintable(QString::number(records)));
        }
        const JOURNALUNDORESULT undo = run.Undo();
        QVERIFY(undo.Complete());
        QCOMPARE(run.prompts.statuses.last(), u"Previous changes successfully reversed."_s);
        QCOMPARE(TreeDifference(run.start, SnapshotTree(run.root)), QString());
    }

    // One sync for the first line, one per batch of intents, one at the end: never one per
    // entry, also when pairs make room for each other through temporary names.
    void syncsPerRun_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<int>("sync");
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("syncs");
        const int batch = int(CUndoJournal::Sync::Batch);
        QTest::newRow("3 files") << int(Shape::Flat) << batch << 3 << 1 + 1 + 1;
        QTest::newRow("one whole batch") << int(Shape::Flat) << batch << kBatch << 1 + 1 + 1;
        QTest::newRow("one more") << int(Shape::Flat) << batch << kBatch + 1 << 1 + 2 + 1;
        QTest::newRow("three batches") << int(Shape::Flat) << batch << 600 << 1 + 3 + 1;
        QTest::newRow("shifted names") << int(Shape::Shift) << batch << 300 << 1 + 2 + 1;
        QTest::newRow("every line to disk")
            << int(Shape::Flat) << int(CUndoJournal::Sync::Disk) << 3 << 1 + 3 + 3 + 1;
        QTest::newRow("kernel only")
            << int(Shape::Flat) << int(CUndoJournal::Sync::Kernel) << 300 << 1;
    }
    void syncsPerRun() {
        QFETCH(int, shape);
        QFETCH(int, sync);
        QFETCH(int, files);
        QFETCH(int, syncs);
        BATCHRUN run;
        run.sync = CUndoJournal::Sync(sync);
        run.Make(Shape(shape), files);
        const quint64 before = CAppendFile::SyncCount();
        QCOMPARE(run.Run().renamed, files);
        QCOMPARE(int(CAppendFile::SyncCount() - before), syncs);
        const JOURNAL journal = run.Journal();
        QVERIFY(journal.ended);
        for (const JOURNALRECORD& record : journal.records) {
            if (record.state != JOURNALRECORD::State::Failed)
                QCOMPARE(record.state, JOURNALRECORD::State::Done);
        }
    }

    // The sources' status is read ahead of the moves, on another thread and in any order
    // relative to them: every intent must still describe the file that its move then took,
    // also for a pair moved twice (parked, then renamed) or left as it is.
    void intentsDescribeTheMovedFiles_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<int>("files");
        QTest::addColumn<bool>("reverse");
        QTest::addColumn<bool>("someUnchanged");
        QTest::newRow("flat, many batches") << int(Shape::Flat) << 5 * kBatch + 9 << false << false;
        QTest::newRow("flat, reversed") << int(Shape::Flat) << 4 * kBatch + 3 << true << false;
        QTest::newRow("flat, every seventh unchanged")
            << int(Shape::Flat) << 3 * kBatch + 50 << false << true;
        QTest::newRow("shifted names") << int(Shape::Shift) << 4 * kBatch + 1 << false << false;
        QTest::newRow("shifted names, reversed")
            << int(Shape::Shift) << 3 * kBatch + 7 << true << false;
    }
    void intentsDescribeTheMovedFiles() {
        QFETCH(int, shape);
        QFETCH(int, files);
        QFETCH(bool, reverse);
        QFETCH(bool, someUnchanged);
        BATCHRUN run;
        run.Make(Shape(shape), files);
        run.preferences.reverseOrder = reverse;
        int unchanged = 0;
        for (int row = 0; someUnchanged && row < run.list.RowCount(); row += 7, ++unchanged)
            run.list.SetNewName(row, run.list.GetEntry(row).name);
        // Where each file is, by its path, followed through the moves in journal order.
        QHash<QByteArray, FILEIDENTITY> at;
        for (int row = 0; row < run.list.RowCount(); ++row) {
            const QByteArray path = run.root + '/' + run.list.GetEntry(row).NativeName();
            QVERIFY(ReadFileIdentity(path, at[path]));
        }
        const RENAMERESULT result = run.Run();
        QCOMPARE(result.renamed, files - unchanged);
        QCOMPARE(result.processed, files);
        const JOURNAL journal = run.Journal();
        QVERIFY(journal.ended);
        int moves = 0;
        for (const JOURNALRECORD& record : journal.records) {
            if (record.state == JOURNALRECORD::State::Failed)
                continue;
            QCOMPARE(record.state, JOURNALRECORD::State::Done);
            QVERIFY2(at.contains(record.oldPath), record.oldPath.constData());
            const FILEIDENTITY file = at.value(record.oldPath);
            QVERIFY(record.beforeKnown);
            QCOMPARE(record.before.inode, file.inode);
            QCOMPARE(record.before.device, file.device);
            QCOMPARE(record.before.mode, file.mode);
            QCOMPARE(record.after.inode, file.inode);
            if (record.newPath.isEmpty())
                continue;
            ++moves;
            at.remove(record.oldPath);
            at.insert(record.newPath, file);
        }
        QVERIFY(moves >= files - unchanged);
        // The map followed the journal to where the files really are.
        for (auto it = at.constBegin(); it != at.constEnd(); ++it) {
            FILEIDENTITY now;
            QVERIFY2(ReadFileIdentity(it.key(), now), it.key().constData());
            QCOMPARE(now.inode, it.value().inode);
        }
    }

    // A journal as builds before the batches wrote it: each intent followed by its
    // outcome, one line at a time.
    void journalOfEarlierBuildsIsUndone_data() {
        QTest::addColumn<QByteArray>("end"); // how the run ended
        QTest::newRow("ended") << QByteArray("ended");
        QTest::newRow("killed before the last confirmation") << QByteArray("unconfirmed");
        QTest::newRow("killed before the last move") << QByteArray("unmoved");
    }
    void journalOfEarlierBuildsIsUndone() {
        QFETCH(QByteArray, end);
        BATCHRUN run;
        const int files = kBatch + 44;
        run.Make(Shape::Flat, files);
        QByteArray lines = "QVNJOURNAL 1\n";
        for (int i = 0; i < files; ++i) {
            const QByteArray from = run.root + '/' + Numbered("f", i);
            const QByteArray to = from + "-old";
            FILEIDENTITY id;
            QVERIFY(ReadFileIdentity(from, id));
            const bool unchanged = i == 7;
            lines += "I " + QByteArray::number(i) + ' ' + IdentityLine(id) + ' ' + from.toHex() +
                     ' ' + (unchanged ? QByteArray("-") : to.toHex()) + '\n';
            const bool last = i == files - 1;
            if (last && end == "unmoved")
                break;
            if (!unchanged)
                QVERIFY(MoveNoReplace(from, to).ok);
            if (last && end == "unconfirmed")
                break;
            lines += "D " + QByteArray::number(i) + ' ' + QByteArray::number(id.device) + ' ' +
                     QByteArray::number(id.inode) + '\n';
        }
        if (end == "ended")
            lines += "E\n";
        QDir().mkpath(run.journals);
        QFile file(run.journals + u"/run-000000000000001.qvj"_s);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(lines);
        file.close();
        const JOURNALUNDORESULT undo = run.Undo();
        QVERIFY(undo.Complete());
        QCOMPARE(undo.movedBack, end == "unmoved" ? files - 2 : files - 1);
        QCOMPARE(TreeDifference(run.start, SnapshotTree(run.root)), QString());
    }
};

QTEST_GUILESS_MAIN(TstJournalBatches)
#include "tst_journalbatches.moc"
