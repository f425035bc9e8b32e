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
              const QByteArray& input = QByteArray()) {
    QProcess process;
    process.setProcessEnvironment(Environment(dataHome));
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
