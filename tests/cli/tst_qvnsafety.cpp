// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

struct QVNRUN {
    int exitCode = -1; // -1: did not end in time
    QByteArray out;
    QByteArray err;
    qint64 milliseconds = 0;
};

QVNRUN RunQvn(const QStringList& arguments, const QString& dataHome,
              const QString& workingFolder = QString()) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"TZ"_s, u"Europe/Berlin"_s);
    environment.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
    environment.insert(u"XDG_DATA_HOME"_s, dataHome);
    environment.insert(u"XDG_CONFIG_HOME"_s, dataHome + u"/config"_s);
    process.setProcessEnvironment(environment);
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral(QVN_PATH), arguments);
    process.closeWriteChannel();
    QVNRUN run;
    // Generous: the point is that it ends at all, not how fast.
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.milliseconds = timer.elapsed();
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// Name bytes → contents of every file of a flat folder, exactly as on disk.
using TREE = QMap<QByteArray, QByteArray>;

TREE Snapshot(const QByteArray& folder) {
    TREE tree;
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return tree;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        QByteArray contents;
        const int fd = ::open((folder + '/' + name).constData(), O_RDONLY | O_NONBLOCK);
        char buffer[256];
        ssize_t n = 0;
        struct stat st {};
        if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
            while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
                contents.append(buffer, n);
        } else {
            contents = "<not a file>";
        }
        if (fd >= 0)
            ::close(fd);
        tree.insert(name, contents);
    }
    ::closedir(dir);
    return tree;
}

bool WriteBytes(const QByteArray& path, const QByteArray& contents) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const bool written =
        ::write(fd, contents.constData(), size_t(contents.size())) == ssize_t(contents.size());
    ::close(fd);
    return written;
}

QString FindFile(const QString& root, const QString& name) {
    QDirIterator it(root, {name}, QDir::Files, QDirIterator::Subdirectories);
    return it.hasNext() ? it.next() : QString();
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TstQvnSafety : public QObject {
    Q_OBJECT

private:
    QScopedPointer<QTemporaryDir> m_dir;
    QString m_tree;
    QByteArray m_nativeTree;
    QString m_data;

    void MakeTree(const TREE& files) {
        for (auto it = files.begin(); it != files.end(); ++it)
            QVERIFY(WriteBytes(m_nativeTree + '/' + it.key(), it.value()));
    }

private slots:
    void init() {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        m_tree = m_dir->filePath(u"tree"_s);
        m_nativeTree = QFile::encodeName(m_tree);
        m_data = m_dir->filePath(u"data"_s);
        QVERIFY(QDir().mkpath(m_tree));
    }

    // Qt cannot remove names that are not valid UTF-8; the test does.
    void cleanup() {
        for (const QByteArray& name : Snapshot(m_nativeTree).keys())
            ::unlink((m_nativeTree + '/' + name).constData());
    }

    void undecodableNamesKeepTheirBytes() {
        const TREE start{{"\xff.txt", "one"}, {"\xfe.txt", "two"}};
        MakeTree(start);
        const QVNRUN run =
            RunQvn({u"-s"_s, u"Additions/Prefix=P"_s, u"--rename"_s, u"--yes"_s, m_tree}, m_data);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(Snapshot(m_nativeTree), (TREE{{"P\xff.txt", "one"}, {"P\xfe.txt", "two"}}));
        QVERIFY(run.err.contains("2 renamed, 0 unchanged, 0 failed"));
        QCOMPARE(RunQvn({u"--undo"_s, u"--yes"_s}, m_data).exitCode, 0);
        QCOMPARE(Snapshot(m_nativeTree), start);
    }

    void undecodableNamesInEachFormat_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("tsv: the bytes") << u"tsv"_s << QByteArray("\xff.txt\tP\xff.txt\n");
        QTest::newRow("table: replacement shown")
            << u"table"_s << QByteArray("\xef\xbf\xbd.txt  P\xef\xbf\xbd.txt\n");
        QTest::newRow("json: replacement and hex")
            << u"json"_s << QByteArray("\"nameHex\": \"ff2e747874\"");
    }
    void undecodableNamesInEachFormat() {
        QFETCH(QString, format);
        QFETCH(QByteArray, expected);
        MakeTree({{"\xff.txt", "one"}});
        const QVNRUN run =
            RunQvn({u"-s"_s, u"Additions/Prefix=P"_s, u"--format"_s, format, m_tree}, m_data);
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.contains(expected), run.out.constData());
        if (format == u"json"_s) {
            QVERIFY(run.out.contains("\"newNameHex\": \"50ff2e747874\""));
            QVERIFY(run.out.contains("\"name\": \"\xef\xbf\xbd.txt\""));
        }
    }

    // A pipe or a device named as a file to read must end the run at once, never block
    // or fill the memory.
    void inputsThatAreNotRegularFiles_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        for (const QString& option : {u"-f"_s, u"--pairs"_s, u"--prefs"_s}) {
            QTest::addRow("%s fifo", qPrintable(option))
                << option << u"fifo"_s << u"is not a regular file"_s;
            QTest::addRow("%s device", qPrintable(option))
                << option << u"/dev/zero"_s << u"is not a regular file"_s;
            QTest::addRow("%s folder", qPrintable(option))
                << option << u"folder"_s << u"is a folder"_s;
            QTest::addRow("%s too large", qPrintable(option))
                << option << u"large"_s << u"is larger than"_s;
        }
    }
    void inputsThatAreNotRegularFiles() {
        QFETCH(QString, option);
        QFETCH(QString, kind);
        QFETCH(QString, message);
        MakeTree({{"a.txt", "alpha"}});
        const QByteArray dir = QFile::encodeName(m_dir->path());
        QCOMPARE(::mkfifo((dir + "/fifo").constData(), 0600), 0);
        QVERIFY(QDir().mkpath(m_dir->filePath(u"folder"_s)));
        const int fd = ::open((dir + "/large").constData(), O_WRONLY | O_CREAT, 0644);
        QVERIFY(fd >= 0);
        QCOMPARE(::ftruncate(fd, (qint64(256) << 20) + 1), 0); // sparse
        ::close(fd);
        const QString path = kind.startsWith(u'/') ? kind : m_dir->filePath(kind);
        const QVNRUN run = RunQvn(
            {option, path, u"--rename"_s, u"--yes"_s, u"-s"_s, u"Additions/Prefix=x"_s, m_tree},
            m_data);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(QString::fromUtf8(run.err).contains(message), run.err.constData());
        QCOMPARE(Snapshot(m_nativeTree), (TREE{{"a.txt", "alpha"}}));
    }

    void nulInAPairIsRefused() {
        MakeTree({{"a.txt", "alpha"}});
        const QString pairs = m_dir->filePath(u"pairs.txt"_s);
        QVERIFY(WriteBytes(QFile::encodeName(pairs), QByteArray("a.txt|N\0UL.txt\n", 15)));
        const QVNRUN preview = RunQvn(
            {u"--pairs"_s, pairs, u"--columns"_s, u"name,newName,invalid"_s, m_tree}, m_data);
        QCOMPARE(preview.out, QByteArray("name\tnewName\tinvalid\na.txt\tN\\x00UL.txt\t1\n"));
        const QVNRUN run = RunQvn({u"--pairs"_s, pairs, u"--rename"_s, u"--yes"_s, m_tree}, m_data);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(Snapshot(m_nativeTree), (TREE{{"a.txt", "alpha"}}));
    }

    void exitCodes_data() {
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("blocked");
        QTest::addColumn<bool>("changed");
        const QStringList prefix{u"--yes"_s, u"-s"_s, u"Additions/Prefix=X"_s};
        QTest::newRow("all renamed")
            << prefix << 0 << u"2 renamed, 0 unchanged, 0 failed"_s << false << true;
        QTest::newRow("one failed") << prefix + QStringList{u"-s"_s, u"Selections/Folders=0"_s} << 1
                                    << u"1 renamed, 0 unchanged, 1 failed"_s << true << true;
        // Without a terminal the question after the failure is answered No.
        QTest::newRow("stopped at a failure")
            << QStringList{u"-s"_s, u"Additions/Prefix=X"_s,
                           u"-s"_s, u"Selections/Folders=0"_s,
                           u"-p"_s, u"Display Warning Message=0"_s}
            << 1 << u"0 renamed, 0 unchanged, 1 failed, stopped"_s << true << false;
        QTest::newRow("invalid active pattern")
            << prefix + QStringList{u"-s"_s, u"Regular Expressions/Match=(a"_s, u"-s"_s,
                                    u"Regular Expressions/Replace=b"_s}
            << 2 << u"Regular Expression is invalid"_s << false << false;
        QTest::newRow("nothing listed")
            << prefix + QStringList{u"-s"_s, u"Selections/Filter=*.none"_s} << 0
            << u"Nothing to rename"_s << false << false;
        QTest::newRow("undo script nowhere")
            << prefix + QStringList{u"--undo-script"_s, u"/nonexistent-folder/undo.sh"_s} << 2
            << u"undo script cannot be written"_s << false << false;
    }
    void exitCodes() {
        QFETCH(QStringList, settings);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(bool, blocked);
        QFETCH(bool, changed);
        MakeTree({{"a.txt", "alpha"}, {"b.txt", "bravo"}});
        // In the way of a.txt's new name, and not itself listed when folders are left out.
        if (blocked)
            QVERIFY(QDir().mkpath(m_tree + u"/Xa.txt"_s));
        const TREE before = Snapshot(m_nativeTree);
        const QVNRUN run = RunQvn(settings + QStringList{u"--rename"_s, m_tree}, m_data);
        const bool treeChanged = Snapshot(m_nativeTree) != before;
        if (blocked)
            QVERIFY(QDir().rmdir(m_tree + u"/Xa.txt"_s));
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(QString::fromUtf8(run.err).contains(message), run.err.constData());
        QCOMPARE(treeChanged, changed);
    }

    void relativeFolderIsUndoneFromElsewhere() {
        MakeTree({{"d.txt", "delta"}});
        const QString script = m_dir->filePath(u"undo.sh"_s);
        const QVNRUN run = RunQvn({u"-s"_s, u"Additions/Prefix=X"_s, u"--undo-script"_s, script,
                                   u"--rename"_s, u"--yes"_s, u"tree"_s},
                                  m_data, m_dir->path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(Snapshot(m_nativeTree), (TREE{{"Xd.txt", "delta"}}));
        QVERIFY(ReadAll(script).contains("'" + m_nativeTree + "/Xd.txt'"));
        const QVNRUN undo = RunQvn({u"--undo"_s, u"--yes"_s}, m_data, u"/"_s);
        QCOMPARE(undo.exitCode, 0);
        QCOMPARE(Snapshot(m_nativeTree), (TREE{{"d.txt", "delta"}}));
    }

    void folderProblemsHaveTheirOwnMessage_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << u"missing"_s << u"folder not found: "_s;
        QTest::newRow("link loop") << u"loop"_s << u"symbolic link loop: "_s;
        QTest::newRow("too long") << QString(300, u'x') << u"path too long: "_s;
        QTest::newRow("a file named as a folder") << u"file.txt/"_s << u"not a folder: "_s;
    }
    void folderProblemsHaveTheirOwnMessage() {
        QFETCH(QString, folder);
        QFETCH(QString, message);
        QCOMPARE(::symlink("loop", QFile::encodeName(m_dir->filePath(u"loop"_s)).constData()), 0);
        QVERIFY(WriteBytes(QFile::encodeName(m_dir->filePath(u"file.txt"_s)), "x"));
        const QVNRUN run = RunQvn({m_dir->filePath(folder)}, m_data);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(QString::fromUtf8(run.err).startsWith(u"qvn: "_s + message), run.err.constData());
    }

    // No name may steer the terminal or split a line of the log.
    void controlCharactersAreEscaped() {
        MakeTree({{"e\x1b]0;owned\x07.txt", "echo"}, {"line\nbreak.txt", "lf"}});
        const QVNRUN tsv = RunQvn({u"--format"_s, u"tsv"_s, m_tree}, m_data);
        QCOMPARE(tsv.out, QByteArray("name\tnewName\n"
                                     "e\\x1b]0;owned\\x07.txt\te\\x1b]0;owned\\x07.txt\n"
                                     "line\\nbreak.txt\tline\\nbreak.txt\n"));
        const QVNRUN run = RunQvn({u"-p"_s, u"Log Activity=1"_s, u"-s"_s, u"Additions/Prefix=X"_s,
                                   u"--format"_s, u"table"_s, u"--rename"_s, u"--yes"_s, m_tree},
                                  m_data);
        QCOMPARE(run.exitCode, 0);
        QVERIFY(!run.out.contains('\x1b') && !run.err.contains('\x1b'));
        QVERIFY(run.out.contains("e\\x1b]0;owned\\x07.txt"));
        QVERIFY(run.out.contains("line\\nbreak.txt"));
        const QByteArray log = ReadAll(FindFile(m_data, u"Quorvin.log"_s));
        QCOMPARE(log.count('\n'), 2);
        QVERIFY(log.contains("/line\\nbreak.txt\" to \""));
        QVERIFY(log.contains("/Xe\\x1b]0;owned\\x07.txt\""));
        const QVNRUN missing = RunQvn({m_dir->filePath(u"gone\x1b[2J"_s)}, m_data);
        QVERIFY(missing.err.contains("gone\\x1b[2J\n"));
    }

    void undoScriptCountsFailedMoves() {
        MakeTree({{"a.txt", "alpha"}, {"b.txt", "bravo"}});
        const QString script = m_dir->filePath(u"undo.sh"_s);
        QCOMPARE(RunQvn({u"-s"_s, u"Additions/Prefix=X"_s, u"--undo-script"_s, script,
                         u"--rename"_s, u"--yes"_s, m_tree},
                        m_data)
                     .exitCode,
                 0);
        // Something new at one of the old names: that move must not happen, and must count.
        QVERIFY(WriteBytes(m_nativeTree + "/a.txt", "new"));
        QProcess shell;
        shell.start(u"/bin/sh"_s, {script});
        QVERIFY(shell.waitForFinished(60000));
        QCOMPARE(shell.exitCode(), 1);
        QVERIFY(!shell.readAllStandardOutput().contains("Operation complete!"));
        QCOMPARE(shell.readAllStandardError(), QByteArray("1 move(s) failed.\n"));
        QCOMPARE(Snapshot(m_nativeTree),
                 (TREE{{"a.txt", "new"}, {"Xa.txt", "alpha"}, {"b.txt", "bravo"}}));
    }
};

QTEST_GUILESS_MAIN(TstQvnSafety)
#include "tst_qvnsafety.moc"
