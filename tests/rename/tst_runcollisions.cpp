// SPDX-License-Identifier: GPL-3.0-or-later
#include "renametestkit.h"

#include "filelist/nameconflicts.h"
#include "rename/crenamerun.h"
#include "rename/cundojournal.h"
#include "rename/journalundo.h"
#include "rename/undorename.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

enum Option { Overwrite = 1, PreventDuplicates = 2, ReverseOrder = 4 };

// A flat folder whose files hold their own names, renamed with an undo journal.
struct RUN : JOURNALLEDRUN {
    RUN() {
        sync = CUndoJournal::Sync::Kernel;
        policy = JournalPolicy::Refuse;
    }

    void Files(const QByteArrayList& names) {
        qint64 time = 1'000'000'000;
        for (const QByteArray& name : names)
            MakeFile(root + '/' + name, time += 3600, 0640, name);
        Relist();
        start = SnapshotTree(root);
    }
    void Relist() { ListFolder(list, root); }
    void Options(int options) {
        preferences.overwriteTargetFiles = options & Overwrite;
        preferences.preventDuplicates = options & PreventDuplicates;
        preferences.reverseOrder = options & ReverseOrder;
    }
    // "old>new" for each renamed file; "old>" leaves a row out of the selection.
    void Renames(const QByteArrayList& renames) {
        for (const QByteArray& rename : renames) {
            const qsizetype arrow = rename.indexOf('>');
            const int row = RowOf(list, rename.left(arrow), root);
            QVERIFY(row >= 0);
            if (arrow == rename.size() - 1)
                list.SetSelected(row, false);
            else
                list.SetNewName(row, QString::fromUtf8(rename.mid(arrow + 1)));
        }
    }

    // "name=contents" of every file, the whole tree.
    QByteArrayList Files() const {
        QByteArrayList files;
        const TREE tree = SnapshotTree(root);
        for (auto it = tree.begin(); it != tree.end(); ++it)
            files << it.key() + '=' + it->contents;
        return files;
    }
};

// The start with some files given up: what an undo gives back after a run that replaced
// them on request.
TREE Without(TREE tree, const QByteArrayList& names) {
    for (const QByteArray& name : names)
        tree.remove(name);
    return tree;
}

} // namespace

class TstRunCollisions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        qputenv("TZ", "UTC");
        tzset();
    }

    // a.txt wants the name of a file outside the run, b.txt and c.txt want the same name.
    void collisions_data() {
        QTest::addColumn<int>("options");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QByteArrayList>("after");
        QTest::addColumn<QByteArrayList>("replaced");
        QTest::newRow("neither") << 0 << 2
                                 << QByteArrayList{"a.txt=a.txt", "c.txt=c.txt",
                                                   "keep.txt=keep.txt", "x.txt=b.txt"}
                                 << QByteArrayList{};
        QTest::newRow("prevent duplicates")
            << int(PreventDuplicates) << 0
            << QByteArrayList{"keep.txt=keep.txt", "keep_1.txt=a.txt", "x.txt=b.txt",
                              "x_1.txt=c.txt"}
            << QByteArrayList{};
        QTest::newRow("overwrite")
            << int(Overwrite) << 1 << QByteArrayList{"c.txt=c.txt", "keep.txt=a.txt", "x.txt=b.txt"}
            << QByteArrayList{"keep.txt"};
        QTest::newRow("overwrite and prevent duplicates")
            << (Overwrite | PreventDuplicates) << 0
            << QByteArrayList{"keep.txt=a.txt", "x.txt=b.txt", "x_1.txt=c.txt"}
            << QByteArrayList{"keep.txt"};
    }
    void collisions() {
        QFETCH(int, options);
        QFETCH(int, questions);
        QFETCH(QByteArrayList, after);
        QFETCH(QByteArrayList, replaced);
        RUN run;
        run.Files({"a.txt", "b.txt", "c.txt", "keep.txt"});
        run.Renames({"a.txt>keep.txt", "b.txt>x.txt", "c.txt>x.txt", "keep.txt>"});
        run.Options(options);
        const RENAMERESULT result = run.Run();
        QCOMPARE(result.outcome, RunOutcome::Completed);
        QCOMPARE(run.prompts.asked.size(), questions);
        for (const QString& question : std::as_const(run.prompts.asked))
            QVERIFY2(question.contains(u"' already exists."_s), qPrintable(question));
        QCOMPARE(run.Files(), after);
        QVERIFY(run.Undo().Complete());
        QCOMPARE(TreeDifference(Without(run.start, replaced), SnapshotTree(run.root)), QString());
    }

    // A run planned from the names its preview read still never replaces a file that
    // appeared at a new name since: the move refuses it, and the entry takes the next free
    // suffix or fails.
    void fileAppearedSinceThePreview_data() {
        QTest::addColumn<int>("options");
        QTest::addColumn<int>("renamed");
        QTest::addColumn<QByteArray>("movedTo");
        QTest::newRow("neither") << 0 << 19 << QByteArray("f18.txt");
        QTest::newRow("prevent duplicates")
            << int(PreventDuplicates) << 20 << QByteArray("n18_1.txt");
    }
    void fileAppearedSinceThePreview() {
        QFETCH(int, options);
        QFETCH(int, renamed);
        QFETCH(QByteArray, movedTo);
        RUN run;
        QByteArrayList files;
        QByteArrayList renames;
        for (int i = 0; i < 20; ++i) {
            const QByteArray n = QByteArray::number(i).rightJustified(2, '0');
            files << "f" + n + ".txt";
            renames << "f" + n + ".txt>n" + n + ".txt";
        }
        run.Files(files);
        run.Renames(renames);
        run.Options(options);
        CFolderNameCache names;
        MarkNameConflicts(run.list, QByteArray(), names);
        MakeFile(run.root + "/n18.txt", 1'000'000'000, 0640, "stranger");
        run.folderNames = &names;
        const RENAMERESULT result = run.Run();
        QCOMPARE(result.renamed, renamed);
        QCOMPARE(ReadContents(run.root + "/n18.txt"), QByteArray("stranger"));
        QCOMPARE(ReadContents(run.root + '/' + movedTo), QByteArray("f18.txt"));
    }

    // Names that move on inside one run, also killed half-way and undone from the journal.
    void cycles_data() {
        QTest::addColumn<QByteArrayList>("renames");
        QTest::addColumn<int>("options");
        QTest::addColumn<QByteArrayList>("after");
        QTest::addColumn<int>("killAfter");
        const QByteArrayList swapped{"a.txt=b.txt", "b.txt=a.txt", "c.txt=c.txt"};
        const QByteArrayList cycled{"a.txt=c.txt", "b.txt=a.txt", "c.txt=b.txt"};
        const QByteArrayList swap{"a.txt>b.txt", "b.txt>a.txt"};
        const QByteArrayList cycle{"a.txt>b.txt", "b.txt>c.txt", "c.txt>a.txt"};
        const QByteArrayList chain{"b.txt>d.txt", "c.txt>b.txt"};
        for (int kill : {0, 1, 2}) {
            const QByteArray k = kill ? " killed after " + QByteArray::number(kill) : "";
            QTest::addRow("swap%s", k.constData()) << swap << 0 << swapped << kill;
            QTest::addRow("swap, overwrite%s", k.constData())
                << swap << int(Overwrite) << swapped << kill;
            QTest::addRow("cycle%s", k.constData()) << cycle << 0 << cycled << kill;
            QTest::addRow("cycle, reverse, duplicates prevented%s", k.constData())
                << cycle << (ReverseOrder | PreventDuplicates) << cycled << kill;
            QTest::addRow("chain%s", k.constData())
                << chain << int(Overwrite)
                << QByteArrayList{"a.txt=a.txt", "b.txt=c.txt", "d.txt=b.txt"} << kill;
        }
    }
    void cycles() {
        QFETCH(QByteArrayList, renames);
        QFETCH(int, options);
        QFETCH(QByteArrayList, after);
        QFETCH(int, killAfter);
        RUN run;
        run.Files({"a.txt", "b.txt", "c.txt"});
        run.Renames(renames);
        run.Options(options);
        if (killAfter > 0) {
            QVERIFY(run.RunKilledAfter(killAfter));
        } else {
            const RENAMERESULT result = run.Run();
            QCOMPARE(result.outcome, RunOutcome::Completed);
            QCOMPARE(result.renamed, int(renames.size()));
            QVERIFY(run.prompts.asked.isEmpty());
            QCOMPARE(run.Files(), after);
        }
        const JOURNALUNDORESULT undo = run.Undo();
        QVERIFY(undo.Complete());
        QCOMPARE(run.prompts.statuses.last(), u"Previous changes successfully reversed."_s);
        QCOMPARE(TreeDifference(run.start, SnapshotTree(run.root)), QString());
    }

    // Two folders swap names and the files inside them are renamed in the same run, with
    // the folders first or last: each file's move must reach the file the listing saw, not
    // whatever folder has its old folder's name by then.
    void foldersSwappedWithTheirFiles_data() {
        QTest::addColumn<int>("options");
        QTest::newRow("files after their folders") << 0;
        QTest::newRow("files before their folders") << int(ReverseOrder);
    }
    void foldersSwappedWithTheirFiles() {
        QFETCH(int, options);
        RUN run;
        for (const QByteArray folder : {"d1", "d2"}) {
            MakeFolder(run.root + '/' + folder);
            for (const QByteArray file : {"x.txt", "y.txt"})
                MakeFile(run.root + '/' + folder + '/' + file, 1'000'000'000, 0640,
                         folder + '/' + file);
        }
        ListFolder(run.list, run.root, true);
        run.criteria.selections.subfolders = true;
        run.start = SnapshotTree(run.root);
        run.Renames(
            {"d1>d2", "d2>d1", "d1/x.txt>x1.txt", "d2/x.txt>x2.txt", "d1/y.txt>", "d2/y.txt>"});
        run.Options(options);
        const RENAMERESULT result = run.Run();
        QCOMPARE(result.outcome, RunOutcome::Completed);
        QCOMPARE(result.renamed, 4);
        QCOMPARE(run.Files(), (QByteArrayList{"d1=", "d1/x2.txt=d2/x.txt", "d1/y.txt=d2/y.txt",
                                              "d2=", "d2/x1.txt=d1/x.txt", "d2/y.txt=d1/y.txt"}));
        const JOURNALUNDORESULT undo = run.Undo();
        QVERIFY(undo.Complete());
        QCOMPARE(TreeDifference(run.start, SnapshotTree(run.root)), QString());
    }

    // The history undoes a swap as well as the journal does, and so does the window's undo
    // without a journal.
    void swapUndoneFromTheHistory() {
        RUN run;
        run.Files({"a.txt", "b.txt", "c.txt"});
        run.journals.clear();
        run.Renames({"a.txt>b.txt", "b.txt>c.txt", "c.txt>a.txt"});
        QCOMPARE(run.Run().renamed, 3);
        run.prompts.answers = {PromptAnswer::Yes};
        QVERIFY(OnUndoRename(run.history, run.prompts, UNDOOPTIONS()));
        QCOMPARE(run.prompts.statuses.last(), u"Previous changes successfully reversed."_s);
        QCOMPARE(TreeDifference(run.start, SnapshotTree(run.root)), QString());
    }

    void lastDuplicateSuffix_data() {
        QTest::addColumn<int>("taken");
        QTest::addColumn<QByteArray>("landsAt");
        QTest::newRow("_1 to _98 taken") << 98 << QByteArray("b_99.txt");
        QTest::newRow("_1 to _99 taken") << 99 << QByteArray();
    }
    void lastDuplicateSuffix() {
        QFETCH(int, taken);
        QFETCH(QByteArray, landsAt);
        RUN run;
        QByteArrayList names{"a.txt", "b.txt"};
        for (int n = 1; n <= taken; ++n)
            names << "b_" + QByteArray::number(n) + ".txt";
        run.Files(names);
        run.Renames({"a.txt>b.txt"});
        run.Options(PreventDuplicates);
        const RENAMERESULT result = run.Run();
        QCOMPARE(result.renamed, landsAt.isEmpty() ? 0 : 1);
        if (landsAt.isEmpty()) {
            QCOMPARE(run.prompts.asked.size(), 1);
            QVERIFY(run.prompts.asked[0].contains(u"b_99.txt' already exists."_s));
            QCOMPARE(TreeDifference(run.start, SnapshotTree(run.root)), QString());
        } else {
            QCOMPARE(ReadContents(run.root + '/' + landsAt), QByteArray("a.txt"));
        }
    }

    // Files already in the new location, which the listing does not show: a few moves
    // there are checked one path at a time, many by one read of the folder's names.
    void existingFilesInTheNewLocation_data() {
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("options");
        for (const int files : {5, 60}) {
            QTest::addRow("%d files", files) << files << 0;
            QTest::addRow("%d files, duplicates prevented", files)
                << files << int(PreventDuplicates);
        }
    }
    void existingFilesInTheNewLocation() {
        QFETCH(int, files);
        QFETCH(int, options);
        RUN run;
        QByteArrayList names;
        for (int i = 0; i < files; ++i)
            names << "f" + QByteArray::number(100 + i);
        run.Files(names);
        const QByteArray there = QFile::encodeName(run.dir.path()) + "/there";
        MakeFolder(there);
        const QByteArrayList taken{"f101", "f103", "f" + QByteArray::number(99 + files)};
        for (const QByteArray& name : taken)
            MakeFile(there + '/' + name, 1'000'000'000, 0644, "theirs");
        run.criteria.newLocation.path = QFile::decodeName(there);
        run.Options(options);
        run.prompts.answers = QList<PromptAnswer>(3, PromptAnswer::Yes);
        const RENAMERESULT result = run.Run();
        const int clashes = options & PreventDuplicates ? 0 : int(taken.size());
        QCOMPARE(result.renamed, files - clashes);
        QCOMPARE(run.prompts.asked.size(), clashes);
        for (const QByteArray& name : taken) {
            QCOMPARE(ReadContents(there + '/' + name), QByteArray("theirs"));
            QCOMPARE(ReadContents(there + '/' + name + "_1"),
                     clashes ? QByteArray() : QByteArray(name));
            QCOMPARE(Exists(run.root + '/' + name), clashes != 0);
        }
        QCOMPARE(ReadContents(there + "/f102"), QByteArray("f102"));
        // Known before the run: no move was tried and found the place taken.
        JOURNAL journal;
        QVERIFY(ReadJournal(JournalPaths(run.journals).value(0), journal));
        QCOMPARE(int(journal.records.size()), files - clashes);
    }

    // A run that changes nothing leaves no journal and keeps the undo of the run before.
    void runThatChangesNothing() {
        RUN run;
        run.Files({"a.txt", "b.txt"});
        run.Renames({"a.txt>x.txt"});
        QCOMPARE(run.Run().renamed, 1);
        const QStringList journals = JournalPaths(run.journals);
        const int records = run.history.HistoryCount();
        run.Relist();
        const RENAMERESULT nothing = run.Run();
        QCOMPARE(nothing.renamed, 0);
        QCOMPARE(nothing.outcome, RunOutcome::Completed);
        QCOMPARE(JournalPaths(run.journals), journals);
        QCOMPARE(run.history.HistoryCount(), records);
        QVERIFY(run.Undo().Complete());
        QCOMPARE(TreeDifference(run.start, SnapshotTree(run.root)), QString());
    }

    // Each undo takes back the newest run not undone yet; an entry that is not where its
    // run left it is named, and the undo says it is not complete.
    void undoSeveralLevels() {
        RUN run;
        run.Files({"a.txt", "b.txt"});
        run.Renames({"a.txt>x.txt", "b.txt>y.txt"});
        QCOMPARE(run.Run().renamed, 2);
        const TREE afterFirst = SnapshotTree(run.root);
        run.Relist();
        run.Renames({"x.txt>z.txt"});
        QCOMPARE(run.Run().renamed, 1);

        QVERIFY(run.Undo().Complete());
        QCOMPARE(TreeDifference(afterFirst, SnapshotTree(run.root)), QString());
        // Someone removed y.txt and put another file at x.txt meanwhile.
        // (Made while x.txt still exists, so that it cannot get its inode number.)
        MakeFile(run.root + "/impostor", 1'000'000'000, 0644, "someone else's");
        QVERIFY(DeleteFileAt(run.root + "/y.txt").ok);
        QVERIFY(DeleteFileAt(run.root + "/x.txt").ok);
        QVERIFY(MoveNoReplace(run.root + "/impostor", run.root + "/x.txt").ok);
        const JOURNALUNDORESULT second = run.Undo();
        QCOMPARE(second.outcome, JOURNALUNDORESULT::Outcome::Reversed);
        QVERIFY(!second.Complete());
        QCOMPARE(int(second.misses.size()), 2);
        QCOMPARE(second.misses[0].reason, UNDOMISS::Reason::Missing);
        QCOMPARE(second.misses[0].newPath, run.root + "/y.txt");
        QCOMPARE(second.misses[1].reason, UNDOMISS::Reason::Replaced);
        QVERIFY(UndoMissText(second.misses[0]).contains(u"is missing"_s));
        QVERIFY(UndoMissText(second.misses[1]).contains(u"something else is at its new path"_s));
        QCOMPARE(run.prompts.statuses.last(),
                 u"0 item(s) reversed, 2 item(s) could not be reversed."_s);
        QCOMPARE(run.Files(), (QByteArrayList{"x.txt=someone else's"}));
        QCOMPARE(run.Undo().outcome, JOURNALUNDORESULT::Outcome::NothingToUndo);
    }

    void unwritableJournal_data() {
        QTest::addColumn<int>("policy");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<bool>("renamed");
        QTest::newRow("refused") << int(JournalPolicy::Refuse) << u""_s << false;
        QTest::newRow("asked, no") << int(JournalPolicy::Ask) << u"n"_s << false;
        QTest::newRow("asked, yes") << int(JournalPolicy::Ask) << u"y"_s << true;
        QTest::newRow("without") << int(JournalPolicy::Without) << u""_s << true;
    }
    void unwritableJournal() {
        QFETCH(int, policy);
        QFETCH(QString, answers);
        QFETCH(bool, renamed);
        RUN run;
        run.Files({"a.txt"});
        // A file where the journal's folder would be: not even root can write there.
        MakeFile(QFile::encodeName(run.journals), 1'000'000'000);
        run.journals += u"/journal"_s;
        run.Renames({"a.txt>b.txt"});
        run.policy = JournalPolicy(policy);
        for (QChar c : answers)
            run.prompts.answers << (c == u'y' ? PromptAnswer::Yes : PromptAnswer::No);
        run.history.AddHistory(RENAMEHISTORY());
        const RENAMERESULT result = run.Run();
        QVERIFY(result.journalProblem.contains(run.journals));
        QCOMPARE(result.refusal, renamed ? RunRefusal::None : RunRefusal::NoJournal);
        QCOMPARE(run.prompts.asked.size(), answers.size());
        if (!answers.isEmpty())
            QCOMPARE(run.prompts.asked[0], u"The undo journal cannot be written ("_s +
                                               result.journalProblem +
                                               u"). Rename without crash-safe undo?"_s);
        QCOMPARE(Exists(run.root + "/b.txt"), renamed);
        if (!renamed) {
            QCOMPARE(TreeDifference(run.start, SnapshotTree(run.root)), QString());
            QCOMPARE(run.history.HistoryCount(), 1); // the undo of the run before stays
        }
    }
};

QTEST_GUILESS_MAIN(TstRunCollisions)
#include "tst_runcollisions.moc"
