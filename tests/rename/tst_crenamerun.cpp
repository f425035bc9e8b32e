// SPDX-License-Identifier: GPL-3.0-or-later
#include "renametestkit.h"

#include "rename/crenamerun.h"
#include "rename/undorename.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

enum Option { Overwrite = 1, PreventDuplicates = 2, ReverseOrder = 4 };

// One run over the files of a flat folder, with everything a test needs around it.
struct RUN {
    QTemporaryDir dir;
    QByteArray root;
    CFileList list;
    RenameCriteria criteria;
    CHANGESETTINGS changes;
    RENAMEPREFERENCES preferences;
    CRenameHistory history;
    CScriptedPrompts prompts;
    TREE start;

    RUN() : root(QFile::encodeName(dir.path())) {
        preferences.displayWarningMessage = false;
        preferences.displayConfirmationMessage = false;
    }

    void Files(const QByteArrayList& names) {
        qint64 time = 1'000'000'000;
        for (const QByteArray& name : names)
            MakeFile(root + '/' + name, time += 3600, 0640, "file " + name);
    }

    void List(bool subfolders = false) {
        ListFolder(list, root, subfolders);
        criteria.selections.subfolders = subfolders;
        start = SnapshotTree(root);
    }

    RENAMERESULT Run() {
        CRenameRun run(list, criteria, changes, preferences, history, prompts);
        return run.OnRename();
    }

    bool Undo() {
        prompts.answers = {PromptAnswer::Yes};
        return OnUndoRename(history, prompts, UNDOOPTIONS());
    }

    QByteArrayList Names() const { return SnapshotTree(root).keys(); }
};

QMap<QByteArray, QString> Renames(const QByteArrayList& pairs) {
    QMap<QByteArray, QString> renames;
    for (const QByteArray& pair : pairs) {
        const qsizetype arrow = pair.indexOf('>');
        renames.insert(pair.left(arrow), QString::fromUtf8(pair.mid(arrow + 1)));
    }
    return renames;
}

QList<PromptAnswer> Answers(QStringView letters) {
    QList<PromptAnswer> answers;
    for (QChar c : letters)
        answers << (c == u'y' ? PromptAnswer::Yes : PromptAnswer::No);
    return answers;
}

// Every entry of the history is where its records lead (an entry that made room for
// another one has two), holding what the entry held before.
QString HistoryMismatch(const CRenameHistory& history, const TREE& start, const QByteArray& root) {
    const std::vector<RENAMEHISTORY>& records = history.Records();
    for (size_t i = 0; i < records.size(); ++i) {
        const RENAMEHISTORY& r = records[i];
        QByteArray now = r.nativeNewPath.isEmpty() ? r.nativeOldPath : r.nativeNewPath;
        for (size_t later = i + 1; later < records.size(); ++later) {
            if (records[later].nativeOldPath == now && !records[later].nativeNewPath.isEmpty())
                now = records[later].nativeNewPath;
        }
        const QByteArray relative = r.nativeOldPath.mid(root.size() + 1);
        if (start.value(relative).type == 'f' &&
            ReadContents(now) != start.value(relative).contents)
            return QString::fromUtf8(now) + QStringLiteral(" does not hold ") +
                   QString::fromUtf8(relative);
    }
    return QString();
}

// No file contents of the start are gone (a file may have moved, none may vanish).
QString LostFiles(const TREE& start, const TREE& now) {
    QList<QByteArray> contents;
    for (const TREENODE& node : now)
        contents << node.contents;
    for (auto it = start.begin(); it != start.end(); ++it) {
        if (it->type == 'f' && !contents.removeOne(it->contents))
            return QStringLiteral("lost: ") + QString::fromUtf8(it.key());
    }
    return QString();
}

} // namespace

class TstRenameRun : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }

    void faults_data() {
        QTest::addColumn<QByteArrayList>("files");
        QTest::addColumn<QByteArrayList>("renames");
        QTest::addColumn<int>("options");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("completion");
        QTest::addColumn<QByteArrayList>("after");
        QTest::addColumn<QString>("question");

        const int completed = int(RunOutcome::Completed);
        const int stopped = int(RunOutcome::Stopped);
        QTest::newRow("plain") << QByteArrayList{"a.txt", "c.txt"}
                               << QByteArrayList{"a.txt>b.txt", "c.txt>d.txt"} << 0 << u""_s
                               << completed << u"2 item(s) successfully processed."_s
                               << QByteArrayList{"b.txt", "d.txt"} << u""_s;
        QTest::newRow("target exists, ignored")
            << QByteArrayList{"a.txt", "b.txt"} << QByteArrayList{"a.txt>b.txt"} << 0 << u"y"_s
            << completed
            << u"1 item(s) processed, 0 item(s) renamed. 1 item(s) required no name change."_s
            << QByteArrayList{"a.txt", "b.txt"} << u"' already exists."_s;
        QTest::newRow("target exists, stopped")
            << QByteArrayList{"a.txt", "b.txt"} << QByteArrayList{"a.txt>b.txt"} << 0 << u"n"_s
            << stopped << u""_s << QByteArrayList{"a.txt", "b.txt"} << u"' already exists."_s;
        QTest::newRow("prevent duplicates")
            << QByteArrayList{"a.txt", "b.txt"} << QByteArrayList{"a.txt>b.txt"}
            << int(PreventDuplicates) << u""_s << completed
            << u"2 item(s) processed, 1 item(s) renamed. 1 item(s) required no name change."_s
            << QByteArrayList{"b.txt", "b_1.txt"} << u""_s;
        QTest::newRow("prevent duplicates, _1 taken")
            << QByteArrayList{"a.tar.gz", "x.tar.gz", "x.tar_1.gz"}
            << QByteArrayList{"a.tar.gz>x.tar.gz"} << int(PreventDuplicates) << u""_s << completed
            << u"3 item(s) processed, 1 item(s) renamed. 2 item(s) required no name change."_s
            << QByteArrayList{"x.tar.gz", "x.tar_1.gz", "x.tar_2.gz"} << u""_s;
        QTest::newRow("prevent duplicates, no dot")
            << QByteArrayList{"a", "readme"} << QByteArrayList{"a>readme"} << int(PreventDuplicates)
            << u""_s << completed
            << u"2 item(s) processed, 1 item(s) renamed. 1 item(s) required no name change."_s
            << QByteArrayList{"readme", "readme_1"} << u""_s;
        // Names that move on inside one run go through a temporary name (the contents are
        // checked against the history below).
        QTest::newRow("swap") << QByteArrayList{"a.txt", "b.txt"}
                              << QByteArrayList{"a.txt>b.txt", "b.txt>a.txt"} << 0 << u""_s
                              << completed << u"2 item(s) successfully processed."_s
                              << QByteArrayList{"a.txt", "b.txt"} << u""_s;
        QTest::newRow("swap, prevent duplicates")
            << QByteArrayList{"a.txt", "b.txt"} << QByteArrayList{"a.txt>b.txt", "b.txt>a.txt"}
            << int(PreventDuplicates) << u""_s << completed
            << u"2 item(s) successfully processed."_s << QByteArrayList{"a.txt", "b.txt"} << u""_s;
        QTest::newRow("chain, front to back")
            << QByteArrayList{"a.txt", "c.txt"} << QByteArrayList{"a.txt>c.txt", "c.txt>d.txt"} << 0
            << u""_s << completed << u"2 item(s) successfully processed."_s
            << QByteArrayList{"c.txt", "d.txt"} << u""_s;
        QTest::newRow("chain, reverse order")
            << QByteArrayList{"a.txt", "c.txt"} << QByteArrayList{"a.txt>c.txt", "c.txt>d.txt"}
            << int(ReverseOrder) << u""_s << completed << u"2 item(s) successfully processed."_s
            << QByteArrayList{"c.txt", "d.txt"} << u""_s;
        QTest::newRow("case only, overwrite on")
            << QByteArrayList{"a.TXT"} << QByteArrayList{"a.TXT>a.txt"} << int(Overwrite) << u""_s
            << completed << u"1 item(s) successfully processed."_s << QByteArrayList{"a.txt"}
            << u""_s;
        QTest::newRow("case only onto another file, overwrite on")
            << QByteArrayList{"A.txt", "a.txt"} << QByteArrayList{"A.txt>a.txt"} << int(Overwrite)
            << u"y"_s << completed
            << u"1 item(s) processed, 0 item(s) renamed. 1 item(s) required no name change."_s
            << QByteArrayList{"A.txt", "a.txt"} << u"' already exists."_s;
        QTest::newRow("dot") << QByteArrayList{"a.txt"} << QByteArrayList{"a.txt>."} << 0 << u"y"_s
                             << completed << u"0 item(s) successfully processed."_s
                             << QByteArrayList{"a.txt"} << u"\nError Code: Invalid argument (22)"_s;
        QTest::newRow("dot dot") << QByteArrayList{"a.txt"} << QByteArrayList{"a.txt>.."}
                                 << int(Overwrite) << u"y"_s << completed
                                 << u"0 item(s) successfully processed."_s
                                 << QByteArrayList{"a.txt"}
                                 << u"\nError Code: Invalid argument (22)"_s;
    }
    void faults() {
        QFETCH(QByteArrayList, files);
        QFETCH(QByteArrayList, renames);
        QFETCH(int, options);
        QFETCH(QString, answers);
        QFETCH(int, outcome);
        QFETCH(QString, completion);
        QFETCH(QByteArrayList, after);
        QFETCH(QString, question);
        RUN run;
        run.Files(files);
        run.List();
        Rename(run.list, Renames(renames));
        run.preferences.overwriteTargetFiles = options & Overwrite;
        run.preferences.preventDuplicates = options & PreventDuplicates;
        run.preferences.reverseOrder = options & ReverseOrder;
        run.prompts.answers = Answers(answers);

        const RENAMERESULT result = run.Run();
        QCOMPARE(int(result.outcome), outcome);
        QCOMPARE(result.completionText, completion);
        if (outcome == int(RunOutcome::Completed))
            QCOMPARE(run.prompts.statuses.last(), completion);
        QCOMPARE(run.Names(), after);
        QCOMPARE(run.prompts.asked.size(), answers.size());
        if (!question.isEmpty()) {
            QVERIFY(run.prompts.asked.first().contains(question));
            QVERIFY(run.prompts.asked.first().endsWith(
                QStringLiteral("\n\nIgnore this error and continue processing?")));
        }
        QCOMPARE(HistoryMismatch(run.history, run.start, run.root), QString());
        QCOMPARE(LostFiles(run.start, SnapshotTree(run.root)), QString());

        QVERIFY(run.Undo());
        QCOMPARE(TreeDifference(run.start, SnapshotTree(run.root)), QString());
        QCOMPARE(run.history.HistoryCount(), 0);
        QCOMPARE(run.prompts.statuses.last(),
                 QStringLiteral("Previous changes successfully reversed."));
    }

    void failureTexts() {
        RUN run;
        run.Files({"a.txt", "b.txt"});
        run.List();
        Rename(run.list, Renames(QByteArrayList{"a.txt>b.txt"}));
        run.prompts.answers = Answers(u"y");
        run.Run();
        const QString folder = QString::fromUtf8(run.root) + QLatin1Char('/');
        QCOMPARE(run.prompts.asked.value(0),
                 QStringLiteral("Item '") + folder +
                     QStringLiteral("a.txt' could not be renamed.\nTarget item '") + folder +
                     QStringLiteral(
                         "b.txt' already exists.\n\nIgnore this error and continue processing?"));
    }

    void overwriteReplacesFileTargetsOnly() {
        RUN run;
        run.Files({"a.txt", "b.txt", "c.txt"});
        MakeFolder(run.root + "/d");
        run.List();
        Rename(run.list, Renames(QByteArrayList{"a.txt>b.txt", "c.txt>d"}));
        run.preferences.overwriteTargetFiles = true;
        run.prompts.answers = Answers(u"y");
        const RENAMERESULT result = run.Run();
        QCOMPARE(result.renamed, 1);
        QCOMPARE(ReadContents(run.root + "/b.txt"), run.start.value("a.txt").contents);
        QVERIFY(run.prompts.asked.value(0).contains(QStringLiteral("/d' already exists.")));
        QCOMPARE(run.Names(), (QByteArrayList{"b.txt", "c.txt", "d"}));

        // The replaced file was given up on request; everything else comes back.
        QVERIFY(run.Undo());
        TREE expected = run.start;
        expected.remove("b.txt");
        QCOMPARE(TreeDifference(expected, SnapshotTree(run.root)), QString());
    }

    void sourceDeletedAfterListing() {
        RUN run;
        run.Files({"a.txt", "b.txt", "c.txt"});
        run.List();
        Rename(run.list, Renames(QByteArrayList{"a.txt>x.txt", "b.txt>y.txt", "c.txt>z.txt"}));
        QFile::remove(QFile::decodeName(run.root + "/b.txt"));
        run.start.remove("b.txt");
        run.prompts.answers = Answers(u"y");
        const RENAMERESULT result = run.Run();
        QCOMPARE(result.ignored, 1);
        QCOMPARE(result.completionText, QStringLiteral("2 item(s) successfully processed."));
        QVERIFY(run.prompts.asked.value(0).contains(
            QStringLiteral("\nError Code: No such file or directory (2)")));
        QCOMPARE(run.Names(), (QByteArrayList{"x.txt", "z.txt"}));
        QVERIFY(run.Undo());
        QCOMPARE(TreeDifference(run.start, SnapshotTree(run.root)), QString());
    }

    // A folder nobody may change. Root passes over permission bits, so as root the folder is
    // made immutable instead (where the file system allows that flag).
    void readOnlyFolder() {
        RUN run;
        MakeFolder(run.root + "/ro");
        MakeFile(run.root + "/ro/a.txt", 1'000'000'000);
        run.List(true);
        Rename(run.list, Renames(QByteArrayList{"a.txt>b.txt"}));
        const QString folder = QFile::decodeName(run.root + "/ro");
        const bool immutable = RunningAsRoot();
        if (immutable &&
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder}) != 0)
            QSKIP(
                "permission checks do not apply to root, and the folder cannot be made immutable");
        if (!immutable)
            chmod((run.root + "/ro").constData(), 0555);
        run.start = SnapshotTree(run.root);
        run.prompts.answers = Answers(u"n");
        const RENAMERESULT result = run.Run();
        if (immutable)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), folder});
        else
            chmod((run.root + "/ro").constData(), 0755);
        QCOMPARE(result.outcome, RunOutcome::Stopped);
        const QString question = run.prompts.asked.value(0);
        QVERIFY2(question.contains(immutable
                                       ? QStringLiteral("\nError Code: Operation not permitted (1)")
                                       : QStringLiteral("\nError Code: Permission denied (13)")),
                 qPrintable(question));
        if (!immutable)
            run.start["ro"].mode = 0755;
        QCOMPARE(TreeDifference(run.start, SnapshotTree(run.root)), QString());
    }

    void folderWithChildrenAtSeveralDepths_data() {
        QTest::addColumn<bool>("reverse");
        QTest::newRow("top to bottom") << false;
        QTest::newRow("bottom to top") << true;
    }
    void folderWithChildrenAtSeveralDepths() {
        QFETCH(bool, reverse);
        RUN run;
        for (const char* folder : {"/A", "/A/S", "/A/S/T", "/A2"})
            MakeFolder(run.root + folder);
        for (const char* file : {"/A/x.txt", "/A/S/y.txt", "/A/S/T/z.txt", "/A2/w.txt"})
            MakeFile(run.root + file, 1'000'000'000, 0600, QByteArray("file ") + file);
        run.List(true);
        Rename(run.list, Renames(QByteArrayList{"A>B", "S>S2", "T>T2", "x.txt>x2.txt",
                                                "y.txt>y2.txt", "z.txt>z2.txt", "w.txt>w2.txt"}));
        run.preferences.reverseOrder = reverse;
        int rescans = 0;
        CRenameRun renamer(run.list, run.criteria, run.changes, run.preferences, run.history,
                           run.prompts);
        renamer.SetHooks({nullptr, nullptr, [&rescans] { ++rescans; }, nullptr});
        const RENAMERESULT result = renamer.OnRename();
        QCOMPARE(result.completionText,
                 QStringLiteral(
                     "8 item(s) processed, 7 item(s) renamed. 1 item(s) required no name change."));
        QVERIFY(result.folderRenamed);
        QCOMPARE(rescans, 1);
        QCOMPARE(run.Names(), (QByteArrayList{"A2", "A2/w2.txt", "B", "B/S2", "B/S2/T2",
                                              "B/S2/T2/z2.txt", "B/S2/y2.txt", "B/x2.txt"}));
        QCOMPARE(LostFiles(run.start, SnapshotTree(run.root)), QString());
        QVERIFY(run.Undo());
        QCOMPARE(TreeDifference(run.start, SnapshotTree(run.root)), QString());
    }

    void newLocationOnAnotherFileSystem_data() {
        QTest::addColumn<bool>("copy");
        QTest::newRow("move") << false;
        QTest::newRow("copy") << true;
    }
    void newLocationOnAnotherFileSystem() {
        QFETCH(bool, copy);
        RUN run;
        QTemporaryDir shm(QStringLiteral("/dev/shm/qvn-test-XXXXXX"));
        const QByteArray other = QFile::encodeName(shm.path());
        if (!shm.isValid() || SameDevice(run.root, other))
            QSKIP("no second file system (/dev/shm) on another device");
        run.Files({"a.txt", "b.txt"});
        MakeFolder(run.root + "/d");
        run.List();
        Rename(run.list, Renames(QByteArrayList{"a.txt>a2.txt"}));
        run.criteria.newLocation.path = shm.path();
        run.preferences.newLocationCopyNotMove = copy;
        run.prompts.answers = Answers(u"y");
        const RENAMERESULT result = run.Run();
        QCOMPARE(result.renamed, 2);
        QCOMPARE(result.ignored, 1);
        QVERIFY(run.prompts.asked.value(0).contains(
            copy ? QStringLiteral("Is a directory (21)")
                 : QStringLiteral("Invalid cross-device link (18)")));
        QCOMPARE(SnapshotTree(other).keys(), (QByteArrayList{"a2.txt", "b.txt"}));
        QCOMPARE(SnapshotTree(other).value("a2.txt"), run.start.value("a.txt"));
        QCOMPARE(run.list.GetEntry(RowOf(run.list, "a.txt", run.root)).name,
                 QStringLiteral("a.txt"));
        QCOMPARE(run.Names(), copy ? run.start.keys() : QByteArrayList{"d"});

        QVERIFY(run.Undo());
        // A copy cannot be moved back over its original, which stays; a move comes back.
        QCOMPARE(TreeDifference(run.start, SnapshotTree(run.root)), QString());
        QCOMPARE(SnapshotTree(other).size(), copy ? 2 : 0);
    }

    void stoppedRunOffersUndo_data() {
        QTest::addColumn<QString>("answers");
        QTest::addColumn<bool>("undone");
        QTest::newRow("undo accepted") << u"ny"_s << true;
        QTest::newRow("undo declined") << u"nn"_s << false;
    }
    void stoppedRunOffersUndo() {
        QFETCH(QString, answers);
        QFETCH(bool, undone);
        RUN run;
        run.Files({"a.txt", "b.txt", "c.txt"});
        run.List();
        Rename(run.list, Renames(QByteArrayList{"a.txt>x.txt", "b.txt>c.txt"}));
        run.prompts.answers = Answers(answers);
        const RENAMERESULT result = run.Run();
        QCOMPARE(result.outcome, RunOutcome::Stopped);
        QCOMPARE(result.undone, undone);
        QCOMPARE(run.prompts.asked.value(1), UndoQuestion());
        QVERIFY(run.prompts.completions.isEmpty());
        if (undone)
            QCOMPARE(TreeDifference(run.start, SnapshotTree(run.root)), QString());
        else
            QCOMPARE(run.Names(), (QByteArrayList{"b.txt", "c.txt", "x.txt"}));
    }

    void stoppedAtFirstEntryAsksNothingMore() {
        RUN run;
        run.Files({"a.txt", "b.txt"});
        run.List();
        Rename(run.list, Renames(QByteArrayList{"a.txt>b.txt"}));
        run.prompts.answers = Answers(u"n");
        QCOMPARE(run.Run().outcome, RunOutcome::Stopped);
        QCOMPARE(run.prompts.asked.size(), 1);
    }

    void progressAndStatusTexts() {
        RUN run;
        QByteArrayList files;
        QByteArrayList renames;
        for (int i = 0; i < 23; ++i) {
            files << "f" + QByteArray::number(i);
            renames << "f" + QByteArray::number(i) + ">g" + QByteArray::number(i);
        }
        files << "same";
        run.Files(files);
        run.List();
        Rename(run.list, Renames(renames));
        run.preferences.displayConfirmationMessage = true;
        run.prompts.completeShowAgain = false;
        const RENAMERESULT result = run.Run();
        const QString done = QStringLiteral(
            "24 item(s) processed, 23 item(s) renamed. 1 item(s) required no name change.");
        // "same" sorts last, so the unchanged entry does not shift the tenth counts.
        QCOMPARE(
            run.prompts.statuses,
            (QStringList{QString(), QStringLiteral("Generating list of files for processing..."),
                         QStringLiteral("Renaming Files and Folders...Please Wait..."),
                         QStringLiteral("Processed 10 files..."),
                         QStringLiteral("Processed 20 files..."), done}));
        QCOMPARE(result.processed, 24);
        QCOMPARE(run.prompts.completions, QStringList{done});
        QVERIFY(!run.preferences.displayConfirmationMessage);
    }

    void refusals_data() {
        QTest::addColumn<int>("refusal");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("status");
        QTest::newRow("new location")
            << int(RunRefusal::InvalidNewLocation)
            << u"/nonexistent/qvn is not a valid Folder - please correct or clear."_s
            << u"New Location is invalid. Please correct or clear."_s;
        QTest::newRow("date warning")
            << int(RunRefusal::DateWarning)
            << u"Warning: You have used the NEW Modified Date in your filenames, but "
               "have not chosen to assign a new Modified date. Continue?"_s
            << u"Rename operation cancelled."_s;
        QTest::newRow("invalid characters") << int(RunRefusal::InvalidCharacters)
                                            << u"One or more filenames contains an invalid "
                                               u"character. The following characters are invalid "
                                               "in Windows filenames: /:*\\?\"<>|"_s
                                            << u""_s;
        QTest::newRow("not confirmed")
            << int(RunRefusal::NotConfirmed) << u""_s << u"Rename Operation Cancelled"_s;
    }
    void refusals() {
        QFETCH(int, refusal);
        QFETCH(QString, message);
        QFETCH(QString, status);
        RUN run;
        run.Files({"a.txt"});
        run.List();
        Rename(run.list, Renames(QByteArrayList{"a.txt>b.txt"}));
        run.history.AddHistory(RENAMEHISTORY());
        switch (RunRefusal(refusal)) {
        case RunRefusal::InvalidNewLocation:
            run.criteria.newLocation.path = QStringLiteral("/nonexistent/qvn");
            break;
        case RunRefusal::DateWarning:
            run.criteria.autoDate.mode = AutoDateMode::Suffix;
            run.criteria.autoDate.type = AutoDateType::ModifiedNew;
            run.prompts.answers = Answers(u"n");
            break;
        case RunRefusal::InvalidCharacters:
            Rename(run.list, Renames(QByteArrayList{"a.txt>b?.txt"}));
            break;
        default:
            run.preferences.displayWarningMessage = true;
            run.prompts.confirmRename = false;
            break;
        }
        const RENAMERESULT result = run.Run();
        QCOMPARE(int(result.refusal), refusal);
        QCOMPARE(result.outcome, RunOutcome::Refused);
        QCOMPARE(run.prompts.asked.value(0), message);
        QCOMPARE(run.prompts.statuses.last(), status);
        QCOMPARE(run.history.HistoryCount(), 1); // a refused run leaves the last history alone
        QCOMPARE(TreeDifference(run.start, SnapshotTree(run.root)), QString());
        QVERIFY(run.preferences.displayWarningMessage ==
                (RunRefusal(refusal) == RunRefusal::NotConfirmed));
    }

    void confirmationWritesShowAgainBack() {
        RUN run;
        run.Files({"a.txt"});
        run.List();
        run.preferences.displayWarningMessage = true;
        run.prompts.confirmShowAgain = false;
        run.changes.attributeFlags = SetReadOnly;
        QCOMPARE(run.Run().outcome, RunOutcome::Completed);
        QVERIFY(!run.preferences.displayWarningMessage);
        QCOMPARE(
            run.prompts.confirmMessages,
            QStringList{QStringLiteral(
                "1 files and/or folders are about to be processed!\n\nYou have also "
                "chosen to update attributes and/or the created/modified/last-accessed dates.")});
    }

    void nothingSelectedStopsSilently() {
        RUN run;
        run.Files({"a.txt"});
        run.List();
        run.list.DeselectAll();
        run.history.AddHistory(RENAMEHISTORY());
        const RENAMERESULT result = run.Run();
        QCOMPARE(result.refusal, RunRefusal::NothingSelected);
        // A run that changes nothing keeps the undo of the run before it.
        QCOMPARE(run.history.HistoryCount(), 1);
        QVERIFY(run.prompts.asked.isEmpty());
    }

    void currentDateRefreshesAndAutonumberIsRetained() {
        RUN run;
        run.Files({"a.txt"});
        run.List();
        run.criteria.autoDate.type = AutoDateType::Current;
        run.preferences.retainAutonumber = true;
        int refreshes = 0;
        CRenameRun renamer(run.list, run.criteria, run.changes, run.preferences, run.history,
                           run.prompts);
        renamer.SetHooks({[&] {
                              ++refreshes;
                              run.list.SetNewName(0, QStringLiteral("fresh.txt"));
                          },
                          [] { return qint64(42); }, nullptr, nullptr});
        const RENAMERESULT result = renamer.OnRename();
        QCOMPARE(refreshes, 1);
        QVERIFY(run.prompts.statuses.contains(
            QStringLiteral("Refreshing the list to update timestamp information...")));
        QCOMPARE(run.Names(), QByteArrayList{"fresh.txt"});
        QCOMPARE(run.criteria.numbering.start, QStringLiteral("42"));
        QVERIFY(result.numberingStartChanged);
    }

    void timesAndPermissionsAreRestoredExactly() {
        RUN run;
        MakeFile(run.root + "/a.txt", 1'000'000'000, 0664);
        MakeFile(run.root + "/b.txt", 1'000'003'600, 0640);
        run.List();
        Rename(run.list, Renames(QByteArrayList{"a.txt>c.txt"}));
        run.changes.attributeFlags = SetReadOnly;
        run.changes.modifiedMode = TimestampMode::Fixed;
        run.changes.modifiedFixed = 1'200'000'000;
        QCOMPARE(run.Run().processed, 2);
        const TREE after = SnapshotTree(run.root);
        QCOMPARE(after.value("c.txt").mode, 0444u);
        QCOMPARE(after.value("b.txt").mode, 0440u);
        QCOMPARE(after.value("c.txt").modifiedSeconds, 1'200'000'000);
        QCOMPARE(after.value("b.txt").modifiedSeconds, 1'200'000'000);
        QVERIFY(run.Undo());
        QCOMPARE(TreeDifference(run.start, SnapshotTree(run.root)), QString());
    }

    void listRowsFollowTheRun() {
        RUN run;
        run.Files({"a.txt", "b.txt"});
        run.List();
        Rename(run.list, Renames(QByteArrayList{"a.txt>b.txt"}));
        run.preferences.preventDuplicates = true;
        run.Run();
        const FILEENTRY& e = run.list.GetEntry(RowOf(run.list, "b_1.txt", run.root));
        QCOMPARE(e.name, QStringLiteral("b_1.txt"));
        QCOMPARE(e.newName, QStringLiteral("b_1.txt"));
    }

    void inPlaceEdit() {
        RUN run;
        run.Files({"a.txt", "b.txt"});
        run.List();
        run.list.DeselectAll();
        CRenameRun renamer(run.list, run.criteria, run.changes, run.preferences, run.history,
                           run.prompts);
        QCOMPARE(renamer.OnEndLabelEdit(0, QStringLiteral("a.txt")).refusal, RunRefusal::NoEdit);
        QCOMPARE(renamer.OnEndLabelEdit(0, QString()).refusal, RunRefusal::NoEdit);
        const RENAMERESULT result = renamer.OnEndLabelEdit(0, QStringLiteral("typed.txt"));
        QCOMPARE(result.completionText, QStringLiteral("1 item(s) successfully processed."));
        QCOMPARE(run.Names(), (QByteArrayList{"b.txt", "typed.txt"}));
        QCOMPARE(run.list.GetEntry(0).name, QStringLiteral("typed.txt"));
        QCOMPARE(run.list.GetEntry(0).newName, QStringLiteral("typed.txt"));
        QVERIFY(run.list.IsSelected(0));
        QVERIFY(!run.list.IsSelected(1));
    }

    void secondRunDuringARunIsRefused() {
        RUN run;
        run.Files({"a.txt", "b.txt"});
        run.List();
        Rename(run.list, Renames(QByteArrayList{"a.txt>x.txt", "b.txt>y.txt"}));
        struct REENTERING : CScriptedPrompts {
            CRenameRun* run = nullptr;
            QList<RunRefusal> refusals;
            void KeepResponsive(qint64, qint64) override { refusals << run->OnRename().refusal; }
        } prompts;
        CRenameRun renamer(run.list, run.criteria, run.changes, run.preferences, run.history,
                           prompts);
        prompts.run = &renamer;
        QCOMPARE(renamer.OnRename().renamed, 2);
        QCOMPARE(prompts.refusals, (QList<RunRefusal>{RunRefusal::Busy, RunRefusal::Busy}));
        QCOMPARE(run.history.HistoryCount(), 2);
    }
};

QTEST_GUILESS_MAIN(TstRenameRun)
#include "tst_crenamerun.moc"
