// SPDX-License-Identifier: GPL-3.0-or-later
#include "renametestkit.h"

#include "platform/nativename.h"

#include "rename/cactivitylog.h"
#include "rename/crenamerun.h"
#include "rename/undorename.h"
#include "rename/undoscript.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QByteArray kScriptEnd("if [ \"$failed\" -eq 0 ]; then\n"
                            "    echo 'Operation complete!'\n"
                            "else\n"
                            "    echo \"$failed move(s) failed.\" >&2\n"
                            "    exit 1\n"
                            "fi\n");

struct HOSTILE {
    QByteArray oldName;
    QString newName;
};

// Names that a careless script or log would turn into commands, split lines or options.
// Old names may hold anything but "/" and NUL; new names anything but the nine characters.
QList<HOSTILE> HostileNames() {
    return {
        {"it's \"quoted\".txt", u"it's.txt"_s},
        {"$(touch pwned1).txt", u"$(touch pwned2).txt"_s},
        {"`touch pwned3`.txt", u"`touch pwned4`; touch pwned5.txt"_s},
        {"line\nbreak.txt", u"new\nline\r.txt"_s},
        {"-rf", u"--help"_s},
        {"\xff\xfe not utf-8 \xc3.bin", u"clean.bin"_s},
        {"back\\slash|pipe*star?.txt", u"plain.txt"_s},
        {"'; touch pwned6; '", u"${IFS}touch${IFS}pwned7"_s},
        {"sp ace", u" leading and trailing "_s},
    };
}

struct SETUP {
    QTemporaryDir dir;
    QByteArray root;
    CFileList list;
    RenameCriteria criteria;
    CHANGESETTINGS changes;
    RENAMEPREFERENCES preferences;
    CRenameHistory history;
    CScriptedPrompts prompts;
    TREE start;

    SETUP() : root(QFile::encodeName(dir.path()) + "/tree") {
        MakeFolder(root);
        preferences.displayWarningMessage = false;
        preferences.displayConfirmationMessage = false;
        qint64 time = 1'100'000'000;
        for (const HOSTILE& h : HostileNames())
            MakeFile(root + '/' + h.oldName, time += 60, 0640, "file " + h.oldName);
        ListFolder(list, root);
        for (const HOSTILE& h : HostileNames())
            list.SetNewName(RowOf(list, h.oldName, root), h.newName);
        start = SnapshotTree(root);
    }
    ~SETUP() { RemoveTree(root); }

    RENAMERESULT Run(const QString& logPath = QString()) {
        preferences.logActivity = !logPath.isEmpty();
        CRenameRun run(list, criteria, changes, preferences, history, prompts);
        run.SetLogPath(logPath);
        return run.OnRename();
    }

    // Whether any of the commands hidden in the names ran, anywhere in the test's folder.
    bool Pwned() const {
        for (const QByteArray& path : SnapshotTree(QFile::encodeName(dir.path())).keys()) {
            if (path.mid(path.lastIndexOf('/') + 1).startsWith("pwned"))
                return true;
        }
        return false;
    }
};

} // namespace

class TstUndoScript : public QObject {
    Q_OBJECT
private slots:
    void shellQuoting_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("quoted");
        QTest::newRow("plain") << QByteArray("/a/b c") << QByteArray("'/a/b c'");
        QTest::newRow("quote") << QByteArray("it's") << QByteArray("'it'\\''s'");
        QTest::newRow("only quotes") << QByteArray("''") << QByteArray("''\\'''\\'''");
        QTest::newRow("command") << QByteArray("$(x)`y`") << QByteArray("'$(x)`y`'");
        QTest::newRow("empty") << QByteArray() << QByteArray("''");
    }
    void shellQuoting() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, quoted);
        QCOMPARE(ShellQuoted(bytes), quoted);
    }

    void scriptText() {
        CRenameHistory history;
        RENAMEHISTORY one;
        one.nativeOldPath = "/photos/IMG_1.jpg";
        one.nativeNewPath = "/photos/Beach 01.jpg";
        RENAMEHISTORY unchanged;
        unchanged.nativeOldPath = "/photos/same.jpg";
        RENAMEHISTORY moved;
        moved.nativeOldPath = "/photos/IMG_2.jpg";
        moved.nativeNewPath = "/elsewhere/Beach 02.jpg";
        history.AddHistory(one);
        history.AddHistory(unchanged);
        history.AddHistory(moved);
        QCOMPARE(UndoScriptText(history),
                 QByteArray("#!/bin/sh\n"
                            "# Quorvin- UNDO Batch file\n"
                            "#\n"
                            "failed=0\n"
                            "mv -n -- '/elsewhere/Beach 02.jpg' '/elsewhere/IMG_2.jpg' && ! { [ -e "
                            "'/elsewhere/Beach 02.jpg' ] || [ -L '/elsewhere/Beach 02.jpg' ]; } || "
                            "failed=$((failed + 1))\n"
                            "mv -n -- '/photos/Beach 01.jpg' '/photos/IMG_1.jpg' && ! { [ -e "
                            "'/photos/Beach 01.jpg' ] || [ -L '/photos/Beach 01.jpg' ]; } || "
                            "failed=$((failed + 1))\n" +
                            kScriptEnd));
    }

    void onlyUnchangedEntriesGiveHeaderAndEchoOnly() {
        CRenameHistory history;
        RENAMEHISTORY unchanged;
        unchanged.nativeOldPath = "/photos/same.jpg";
        history.AddHistory(unchanged);
        QCOMPARE(UndoScriptText(history),
                 QByteArray("#!/bin/sh\n# Quorvin- UNDO Batch file\n#\nfailed=0\n" + kScriptEnd));
    }

    void commandAsksForAShellScript() {
        QTemporaryDir dir;
        CRenameHistory history;
        CScriptedPrompts prompts;
        OnCreateUndoBatchfile(history, prompts);
        QCOMPARE(prompts.statuses.last(), u"Batch File creation was cancelled"_s);
        QCOMPARE(prompts.lastQuestion.filter, u"Shell Scripts (*.sh)"_s);
        QCOMPARE(prompts.lastQuestion.defaultExtension, u"sh"_s);
        QVERIFY(prompts.lastQuestion.confirmOverwrite);

        prompts.saveFileName = dir.filePath(u"undo.sh"_s);
        QFile old(prompts.saveFileName);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(1000, 'x'));
        old.close();
        OnCreateUndoBatchfile(history, prompts);
        QCOMPARE(prompts.statuses.last(), u"Batch File created successfully."_s);
        QCOMPARE(ReadContents(QFile::encodeName(prompts.saveFileName)), UndoScriptText(history));
        QVERIFY(QFileInfo(prompts.saveFileName).isExecutable());

        prompts.saveFileName = dir.filePath(u"missing/undo.sh"_s);
        OnCreateUndoBatchfile(history, prompts);
        QCOMPARE(prompts.statuses.last(), u"Batch File could not be created."_s);
    }

    void hostileNamesAreRenamedLoggedAndUndone() {
        SETUP s;
        const QString logPath = s.dir.filePath(u"Quorvin.log"_s);
        const RENAMERESULT result = s.Run(logPath);
        QCOMPARE(result.completionText, u"9 item(s) successfully processed."_s);
        QByteArrayList expected;
        for (const HOSTILE& h : HostileNames()) {
            QVERIFY2(Exists(s.root + '/' + h.newName.toUtf8()), h.oldName.constData());
            QCOMPARE(ReadContents(s.root + '/' + h.newName.toUtf8()), "file " + h.oldName);
            expected << "Renamed \"" + s.root + '/' + h.oldName + "\" to \"" + s.root + '/' +
                            h.newName.toUtf8() + '"';
        }
        // One line per entry: line breaks and other control characters in names are escaped.
        const QByteArray log = ReadContents(QFile::encodeName(logPath));
        QCOMPARE(log.count('\n'), expected.size());
        for (const QByteArray& line : expected)
            QVERIFY2(log.contains(" - " + EscapeControlBytes(line) + '\n'), line.constData());
        QVERIFY(!s.Pwned());

        s.prompts.answers = {PromptAnswer::Yes};
        UNDOOPTIONS options;
        options.logActivity = true;
        options.logPath = logPath;
        QVERIFY(OnUndoRename(s.history, s.prompts, options));
        QCOMPARE(TreeDifference(s.start, SnapshotTree(s.root)), QString());
        const QByteArray undoLog = ReadContents(QFile::encodeName(logPath));
        const HOSTILE first = HostileNames().first();
        QVERIFY(undoLog.contains("UNDO! Renamed \"" + s.root + '/' + first.newName.toUtf8() +
                                 "\" back to \"" + s.root + '/' + first.oldName + "\"\n"));
        QVERIFY(!s.Pwned());
    }

    void scriptRunByTheShellPutsEverythingBack() {
        SETUP s;
        QCOMPARE(s.Run().renamed, 9);
        const QString script = s.dir.filePath(u"undo.sh"_s);
        QVERIFY(WriteUndoScript(script, s.history));
        QProcess shell;
        shell.setWorkingDirectory(s.dir.path());
        shell.start(u"/bin/sh"_s, {script});
        QVERIFY(shell.waitForFinished(20000));
        QCOMPARE(shell.exitCode(), 0);
        QCOMPARE(shell.readAllStandardOutput(), QByteArray("Operation complete!\n"));
        QCOMPARE(shell.readAllStandardError(), QByteArray());
        // mv keeps times and permissions, so the whole tree is as it was.
        QCOMPARE(TreeDifference(s.start, SnapshotTree(s.root)), QString());
        QVERIFY(!s.Pwned());
    }

    void scriptNeverReplacesAFile() {
        SETUP s;
        s.Run();
        const HOSTILE first = HostileNames().first();
        MakeFile(s.root + '/' + first.oldName, 1'000'000'000, 0600, "a newer file");
        const QString script = s.dir.filePath(u"undo.sh"_s);
        QVERIFY(WriteUndoScript(script, s.history));
        QProcess shell;
        shell.start(u"/bin/sh"_s, {script});
        QVERIFY(shell.waitForFinished(20000));
        QCOMPARE(ReadContents(s.root + '/' + first.oldName), QByteArray("a newer file"));
        QCOMPARE(ReadContents(s.root + '/' + first.newName.toUtf8()), "file " + first.oldName);
    }
};

QTEST_GUILESS_MAIN(TstUndoScript)
#include "tst_undoscript.moc"
