// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>

namespace {

struct QVNRUN {
    int exitCode = -1;
    QString out;
    QString err;
};

QProcessEnvironment Environment(const QString& dataHome) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TZ"), QStringLiteral("Europe/Berlin"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dataHome + QStringLiteral("/config"));
    return environment;
}

QVNRUN RunQvn(const QStringList& arguments, const QString& dataHome,
              const QByteArray& input = QByteArray(), const QString& workingFolder = QString()) {
    QProcess process;
    process.setProcessEnvironment(Environment(dataHome));
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    process.start(QStringLiteral(QVN_PATH), arguments);
    process.write(input);
    process.closeWriteChannel();
    QVNRUN run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// Every name under a folder with its size, modification time and permissions.
QStringList Snapshot(const QString& root) {
    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat st {};
        if (lstat(QFile::encodeName(path).constData(), &st) != 0)
            continue;
        lines << QStringLiteral("%1 %2 %3 %4")
                     .arg(path.mid(root.size()))
                     .arg(S_ISDIR(st.st_mode) ? 0 : qint64(st.st_size))
                     .arg(qint64(st.st_mtim.tv_sec))
                     .arg(st.st_mode, 0, 8);
    }
    lines.sort();
    return lines;
}

bool MakeFile(const QString& path, const QByteArray& contents, int mode = 0644) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        return false;
    file.close();
    return chmod(QFile::encodeName(path).constData(), mode_t(mode)) == 0;
}

QString S(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

class TestQvnRename : public QObject {
    Q_OBJECT

private:
    QScopedPointer<QTemporaryDir> m_dir;
    QString m_tree;
    QString m_data;

private slots:
    void init() {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        m_tree = m_dir->filePath(S("tree"));
        m_data = m_dir->filePath(S("data"));
        QVERIFY(QDir().mkpath(m_tree + S("/sub")));
        QVERIFY(MakeFile(m_tree + S("/a.txt"), "alpha", 0640));
        QVERIFY(MakeFile(m_tree + S("/b.jpg"), "bravo", 0444));
        QVERIFY(MakeFile(m_tree + S("/sub/c.txt"), "charlie"));
    }

    void renameAndUndoRestoreTheTree() {
        const QStringList before = Snapshot(m_tree);
        QVNRUN run = RunQvn({S("--rename"), S("--yes"), S("-s"), S("Additions/Prefix=new "),
                             S("-s"), S("Selections/Subfolders=1"), m_tree},
                            m_data);
        QCOMPARE(run.exitCode, 0);
        QVERIFY(QFile::exists(m_tree + S("/new a.txt")));
        QVERIFY(QFile::exists(m_tree + S("/new sub/new c.txt")));
        QVERIFY(run.err.contains(S("item(s) successfully processed.")));
        run = RunQvn({S("--undo"), S("--yes")}, m_data);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(Snapshot(m_tree), before);
        run = RunQvn({S("--undo"), S("--yes")}, m_data);
        QCOMPARE(run.exitCode, 1); // nothing left to undo
    }

    void withoutTerminalEveryQuestionIsNo() {
        const QStringList before = Snapshot(m_tree);
        const QVNRUN run =
            RunQvn({S("--rename"), S("-s"), S("Additions/Prefix=x"), m_tree}, m_data, "y\n");
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(Snapshot(m_tree), before);
        QVERIFY(run.err.contains(S("Continue? [y/N] n")));
    }

    void invalidNamesAreRefused() {
        const QStringList before = Snapshot(m_tree);
        const QVNRUN run =
            RunQvn({S("--rename"), S("--yes"), S("-s"), S("Additions/Suffix=:x"), m_tree}, m_data);
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains(S("One or more filenames contains an invalid character.")));
        QCOMPARE(Snapshot(m_tree), before);
    }

    void undoDeclinedChangesNothing() {
        QCOMPARE(
            RunQvn({S("--rename"), S("--yes"), S("-s"), S("Additions/Prefix=x"), m_tree}, m_data)
                .exitCode,
            0);
        const QStringList renamed = Snapshot(m_tree);
        const QVNRUN run = RunQvn({S("--undo")}, m_data);
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains(S("Would you like to reverse all your last changes?")));
        QCOMPARE(Snapshot(m_tree), renamed);
    }

    void undoScriptPutsNamesBack() {
        const QStringList before = Snapshot(m_tree);
        const QString script = m_dir->filePath(S("undo.sh"));
        QCOMPARE(RunQvn({S("--rename"), S("--yes"), S("--undo-script"), script, S("-s"),
                         S("Auto-Number/Mode=1"), m_tree},
                        m_data)
                     .exitCode,
                 0);
        QVERIFY(QFile::exists(m_tree + S("/2a.txt"))); // the folder sub comes first and takes 1
        QCOMPARE(QProcess::execute(S("/bin/sh"), {script}), 0);
        QCOMPARE(Snapshot(m_tree), before);
    }

    void undoScriptNeedsRename() {
        const QVNRUN run = RunQvn({S("--undo-script"), S("x.sh"), m_tree}, m_data);
        QCOMPARE(run.exitCode, 2);
    }

    // The folder named relative to where qvn started; the undo runs from elsewhere.
    void relativeFolderIsUndoneFromAnywhere() {
        const QStringList before = Snapshot(m_tree);
        const QString script = m_dir->filePath(S("undo.sh"));
        QVNRUN run = RunQvn({S("--rename"), S("--yes"), S("-s"), S("Additions/Prefix=X"),
                             S("--undo-script"), script, S("tree")},
                            m_data, QByteArray(), m_dir->path());
        QCOMPARE(run.exitCode, 0);
        QVERIFY(QFile::exists(m_tree + S("/Xa.txt")));
        QFile file(script);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains(QFile::encodeName(m_tree + S("/Xa.txt"))));
        run = RunQvn({S("--undo"), S("--yes")}, m_data, QByteArray(), S("/"));
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.err.contains(S("Previous changes successfully reversed.")));
        QCOMPARE(Snapshot(m_tree), before);
    }

    void unwritableJournalStopsTheRun() {
        const QStringList before = Snapshot(m_tree);
        const QString blocked = m_dir->filePath(S("blocked"));
        QVERIFY(MakeFile(blocked, "a file where the journal's folder would be"));
        const QStringList rename{S("--rename"), S("--yes"), S("-s"), S("Additions/Prefix=X"),
                                 m_tree};
        QVNRUN run = RunQvn(rename, blocked);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(S("qvn: the undo journal cannot be written (")),
                 qPrintable(run.err));
        QCOMPARE(Snapshot(m_tree), before);
        run = RunQvn(QStringList(rename) << S("--no-journal"), blocked);
        QCOMPARE(run.exitCode, 0);
        QVERIFY(QFile::exists(m_tree + S("/Xa.txt")));
    }

    // Each --undo takes back one more run; one that cannot put everything back says what
    // stayed and exits with 1.
    void undoSeveralRuns() {
        const QStringList before = Snapshot(m_tree);
        QCOMPARE(
            RunQvn({S("--rename"), S("--yes"), S("-s"), S("Additions/Prefix=1"), m_tree}, m_data)
                .exitCode,
            0);
        const QStringList first = Snapshot(m_tree);
        QCOMPARE(
            RunQvn({S("--rename"), S("--yes"), S("-s"), S("Additions/Prefix=2"), m_tree}, m_data)
                .exitCode,
            0);
        // A run that renames nothing does not count.
        QCOMPARE(RunQvn({S("--rename"), S("--yes"), m_tree}, m_data).exitCode, 0);
        QCOMPARE(RunQvn({S("--undo"), S("--yes")}, m_data).exitCode, 0);
        QCOMPARE(Snapshot(m_tree), first);
        QVERIFY(QFile::remove(m_tree + S("/1b.jpg")));
        const QVNRUN undo = RunQvn({S("--undo"), S("--yes")}, m_data);
        QCOMPARE(undo.exitCode, 1);
        QVERIFY2(undo.err.contains(S("/1b.jpg' is missing")), qPrintable(undo.err));
        QVERIFY2(undo.err.contains(S(" item(s) reversed, 1 item(s) could not be reversed.")),
                 qPrintable(undo.err));
        QVERIFY(!undo.err.contains(S("Previous changes successfully reversed.")));
        QStringList expected = before.filter(S("/a.txt "));
        QCOMPARE(Snapshot(m_tree).filter(S("/a.txt ")), expected);
        QCOMPARE(RunQvn({S("--undo"), S("--yes")}, m_data).exitCode, 1); // nothing left
    }

    void conflictColumn_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        QTest::newRow("tsv") << S("tsv") << S("a.txt\tsame.txt\tduplicate\n");
        QTest::newRow("json") << S("json") << S("\"conflict\": \"duplicate\"");
        QTest::newRow("table") << S("table") << S("duplicate");
    }
    void conflictColumn() {
        QFETCH(QString, format);
        QFETCH(QString, expected);
        QVERIFY(MakeFile(m_tree + S("/b.txt"), "bravo"));
        const QVNRUN run =
            RunQvn({S("-s"), S("Filename/Mode=2"), S("-s"), S("Filename/Fixed=same"),
                    S("--columns"), S("name,newName,conflict"), S("--format"), format, m_tree},
                   m_data);
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.contains(expected), qPrintable(run.out));
        QVERIFY(!RunQvn({S("--help")}, m_data).out.isEmpty());
        QVERIFY(RunQvn({S("--help")}, m_data).out.contains(S("--no-journal")));
    }

    // A run killed in the middle leaves a journal from which --undo puts everything back.
    void killedRunIsUndone() {
        QTemporaryDir big;
        const QString root = big.filePath(S("many"));
        QVERIFY(QDir().mkpath(root));
        for (int i = 0; i < 3000; ++i)
            QVERIFY(MakeFile(root + QStringLiteral("/file %1.txt").arg(i), QByteArray::number(i)));
        const QStringList before = Snapshot(root);

        QProcess process;
        process.setProcessEnvironment(Environment(m_data));
        process.start(S(QVN_PATH),
                      {S("--rename"), S("--yes"), S("-s"), S("Additions/Prefix=renamed "), root});
        QVERIFY(process.waitForStarted());
        // Kill it once the run has renamed something but (very likely) not everything.
        bool renamedSome = false;
        for (int i = 0; i < 2000 && !renamedSome; ++i) {
            QTest::qWait(5);
            renamedSome = QFile::exists(root + S("/renamed file 0.txt")) ||
                          !QDir(root).entryList({S("renamed *")}).isEmpty();
        }
        QVERIFY(renamedSome);
        ::kill(pid_t(process.processId()), SIGKILL);
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::CrashExit);

        const QVNRUN undo = RunQvn({S("--undo"), S("--yes")}, m_data);
        QCOMPARE(undo.exitCode, 0);
        QCOMPARE(Snapshot(root), before);
    }
};

QTEST_GUILESS_MAIN(TestQvnRename)
#include "tst_qvnrename.moc"
