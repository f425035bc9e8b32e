// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
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
};

// The arguments of these cases are UTF-8; names that are not come through --from.
QVNRUN RunQvn(const QByteArrayList& arguments, const QString& workingFolder,
              const QString& dataHome, const QByteArray& input = QByteArray()) {
    QStringList textArguments;
    for (const QByteArray& argument : arguments)
        textArguments << QString::fromUtf8(argument);
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"TZ"_s, u"Europe/Berlin"_s);
    environment.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
    environment.insert(u"XDG_DATA_HOME"_s, dataHome);
    environment.insert(u"XDG_CONFIG_HOME"_s, dataHome + u"/config"_s);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workingFolder);
    process.start(QStringLiteral(QVN_PATH), textArguments);
    process.write(input);
    process.closeWriteChannel();
    QVNRUN run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// Relative path bytes → contents of every file below a folder (folders end in "/").
using TREE = QMap<QByteArray, QByteArray>;

void AddToSnapshot(const QByteArray& root, const QByteArray& relative, TREE& tree) {
    DIR* dir = ::opendir((root + relative).constData());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        const QByteArray path = relative + '/' + name;
        struct stat st {};
        if (::lstat((root + path).constData(), &st) != 0)
            continue;
        if (S_ISDIR(st.st_mode)) {
            tree.insert(path.mid(1) + '/', QByteArray());
            AddToSnapshot(root, path, tree);
            continue;
        }
        QByteArray contents;
        const int fd = ::open((root + path).constData(), O_RDONLY);
        char buffer[256];
        ssize_t n = 0;
        while (fd >= 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0)
            contents.append(buffer, n);
        if (fd >= 0)
            ::close(fd);
        tree.insert(path.mid(1), contents);
    }
    ::closedir(dir);
}

TREE Snapshot(const QByteArray& root) {
    TREE tree;
    AddToSnapshot(root, QByteArray(), tree);
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

// The tree every case starts from: two folders of pictures, a folder with a subfolder, a
// hidden file, a name with a carriage return and one that is not valid UTF-8.
const TREE kStart{
    {"a/", ""},           {"a/1.jpg", "one"},   {"a/2.jpg", "two"},    {"b/", ""},
    {"b/3.jpg", "three"}, {"b/.4.jpg", "four"}, {"b/n\xff.jpg", "ff"}, {"b/cr\r.jpg", "cr"},
    {"c/", ""},           {"c/x.txt", "ex"},    {"c/sub/", ""},        {"c/sub/y.txt", "why"}};

// The tree after a rename that prefixed P to the names given (a folder's files go along).
TREE Prefixed(const QByteArrayList& renamed) {
    TREE tree;
    for (auto it = kStart.begin(); it != kStart.end(); ++it) {
        QByteArray path = it.key();
        for (const QByteArray& name : renamed) {
            if (path == name || path.startsWith(name + '/')) {
                path.insert(name.lastIndexOf('/') + 1, 'P');
                break;
            }
        }
        tree.insert(path, it.value());
    }
    return tree;
}

} // namespace

class TstQvnPaths : public QObject {
    Q_OBJECT

private:
    QScopedPointer<QTemporaryDir> m_dir;
    QString m_tree;
    QByteArray m_nativeTree;
    QString m_data;

    void MakeTree() {
        for (auto it = kStart.begin(); it != kStart.end(); ++it) {
            const QByteArray path = m_nativeTree + '/' + it.key();
            if (path.endsWith('/'))
                QCOMPARE(::mkdir(path.constData(), 0755), 0);
            else
                QVERIFY(WriteBytes(path, it.value()));
        }
    }

    // The fields of every row, paths relative to the tree: rows ended by NUL with -0, else
    // tsv lines after the heading (where only a carriage return needs its escape undone).
    QByteArrayList Fields(const QByteArray& output, bool nulEnded) const {
        QByteArrayList rows = output.split(nulEnded ? '\0' : '\n');
        if (!nulEnded)
            rows.removeFirst();
        rows.removeAll(QByteArray());
        QByteArrayList fields;
        for (QByteArray row : std::as_const(rows)) {
            if (!nulEnded)
                row.replace("\\r", "\r");
            if (row.startsWith(m_nativeTree + '/'))
                row.remove(0, m_nativeTree.size() + 1);
            fields += row.split('\t');
        }
        return fields;
    }

private slots:
    void init() {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        m_tree = m_dir->filePath(u"tree"_s);
        m_nativeTree = QFile::encodeName(m_tree);
        m_data = m_dir->filePath(u"data"_s);
        QVERIFY(QDir().mkpath(m_tree));
        MakeTree();
    }

    // Qt cannot remove names that are not valid UTF-8; the test does.
    void cleanup() {
        for (const char* name : {"/b/n\xff.jpg", "/b/Pn\xff.jpg"})
            ::unlink((m_nativeTree + name).constData());
    }

    // Paths on the command line and in a --from list: which rows, in which order, and
    // what a rename and its undo do with exactly those.
    void namedPathsAreListedRenamedAndUndone_data() {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<QByteArray>("input");    // standard input
        QTest::addColumn<QByteArray>("listFile"); // written to list.txt beside the tree
        QTest::addColumn<QByteArrayList>("rows"); // path, new name, path, new name …

        QTest::newRow("files of two folders and a folder")
            << QByteArrayList{"a/1.jpg", "b/3.jpg", "c"} << QByteArray() << QByteArray()
            << QByteArrayList{"c/sub",   "Psub",   "a/1.jpg", "P1.jpg",
                              "b/3.jpg", "P3.jpg", "c/x.txt", "Px.txt"};
        QTest::newRow("a folder's subfolders as its settings say")
            << QByteArrayList{"-s", "Selections/Subfolders=1",
                              "-s", "Selections/Folders=0",
                              "c",  "a/2.jpg"}
            << QByteArray() << QByteArray()
            << QByteArrayList{"a/2.jpg", "P2.jpg", "c/x.txt", "Px.txt", "c/sub/y.txt", "Py.txt"};
        QTest::newRow("the same file thrice, once through its folder")
            << QByteArrayList{"a/1.jpg", "./a/../a/1.jpg", "a", "a/1.jpg"} << QByteArray()
            << QByteArray() << QByteArrayList{"a/1.jpg", "P1.jpg", "a/2.jpg", "P2.jpg"};
        QTest::newRow("a named file whatever filter and hidden say")
            << QByteArrayList{"-s", "Selections/Filter=*.txt", "b/.4.jpg", "c"} << QByteArray()
            << QByteArray() << QByteArrayList{"b/.4.jpg", "P.4.jpg", "c/x.txt", "Px.txt"};
        QTest::newRow("--from - NUL-separated, bytes that are not UTF-8")
            << QByteArrayList{"-0", "--from", "-"} << QByteArray("b/n\xff.jpg\0a/2.jpg\0", 18)
            << QByteArray() << QByteArrayList{"a/2.jpg", "P2.jpg", "b/n\xff.jpg", "Pn\xff.jpg"};
        QTest::newRow("--from - lines: CR is part of a name, empty lines skipped")
            << QByteArrayList{"--from", "-"} << QByteArray("\nb/cr\r.jpg\n\na/1.jpg")
            << QByteArray() << QByteArrayList{"a/1.jpg", "P1.jpg", "b/cr\r.jpg", "Pcr\r.jpg"};
        QTest::newRow("--from FILE lines with a path beside it")
            << QByteArrayList{"--from", "../list.txt", "b/3.jpg"} << QByteArray()
            << QByteArray("a/2.jpg\nTREE/c/x.txt\n")
            << QByteArrayList{"a/2.jpg", "P2.jpg", "b/3.jpg", "P3.jpg", "c/x.txt", "Px.txt"};
        QTest::newRow("one file through two paths of its folder")
            << QByteArrayList{"a/1.jpg", "b/../a/1.jpg"} << QByteArray() << QByteArray()
            << QByteArrayList{"a/1.jpg", "P1.jpg"};
    }
    void namedPathsAreListedRenamedAndUndone() {
        QFETCH(QByteArrayList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, listFile);
        QFETCH(QByteArrayList, rows);
        if (!listFile.isEmpty())
            QVERIFY(WriteBytes(QFile::encodeName(m_dir->filePath(u"list.txt"_s)),
                               QByteArray(listFile).replace("TREE", m_nativeTree)));
        const QByteArrayList options{"-s", "Additions/Prefix=P", "--columns", "path,newName"};

        const QVNRUN listed = RunQvn(options + arguments, m_tree, m_data, input);
        QCOMPARE(listed.exitCode, 0);
        QCOMPARE(Fields(listed.out, arguments.contains("-0")), rows);

        const QVNRUN renamed = RunQvn(options + arguments + QByteArrayList{"--rename", "--yes"},
                                      m_tree, m_data, input);
        QCOMPARE(renamed.exitCode, 0);
        QByteArrayList renamedPaths;
        for (qsizetype i = 0; i < rows.size(); i += 2)
            renamedPaths << rows[i];
        QCOMPARE(Snapshot(m_nativeTree), Prefixed(renamedPaths));

        const QVNRUN undone = RunQvn({"--undo", "--yes"}, u"/"_s, m_data);
        QCOMPARE(undone.exitCode, 0);
        QCOMPARE(Snapshot(m_nativeTree), kStart);
    }

    // Nothing is listed, let alone renamed, when one path cannot be: the reason names it.
    void aPathThatCannotBeListedStopsEverything_data() {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing among files")
            << QByteArrayList{"a/1.jpg", "missing.jpg", "b/3.jpg"} << QByteArray()
            << u"qvn: not found: %1/missing.jpg\n"_s;
        QTest::newRow("missing in a folder that is missing")
            << QByteArrayList{"c", "gone/x.txt"} << QByteArray()
            << u"qvn: not found: %1/gone/x.txt\n"_s;
        QTest::newRow("missing in the list")
            << QByteArrayList{"--from", "-", "c"} << QByteArray("a/1.jpg\nnone.jpg\n")
            << u"qvn: not found: %1/none.jpg\n"_s;
        QTest::newRow("a list file that is missing")
            << QByteArrayList{"--from", "nolist.txt", "a"} << QByteArray()
            << u"qvn: list of paths not found: nolist.txt\n"_s;
        QTest::newRow("a list file that is a folder")
            << QByteArrayList{"--from", "c"} << QByteArray()
            << u"qvn: list of paths is a folder: c\n"_s;
    }
    void aPathThatCannotBeListedStopsEverything() {
        QFETCH(QByteArrayList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(QString, message);
        const QVNRUN run =
            RunQvn(QByteArrayList{"-s", "Additions/Prefix=P", "--rename", "--yes"} + arguments,
                   m_tree, m_data, input);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
        QCOMPARE(QString::fromUtf8(run.err), message.arg(m_tree));
        QCOMPARE(Snapshot(m_nativeTree), kStart);
    }

    // Every ten entries the run's status says how far it got; off a status bar that is
    // noise: only how the run ended is said, once.
    void aRunSaysHowItEndedOnce() {
        QByteArray list;
        for (int i = 0; i < 25; ++i) {
            const QByteArray name = "many/" + QByteArray::number(i) + ".txt";
            if (i == 0)
                QCOMPARE(::mkdir((m_nativeTree + "/many").constData(), 0755), 0);
            QVERIFY(WriteBytes(m_nativeTree + '/' + name, name));
            list += name + '\n';
        }
        const QVNRUN run = RunQvn({"-s", "Additions/Prefix=P", "--from", "-", "--rename", "--yes"},
                                  m_tree, m_data, list);
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(!run.err.contains("Processed"), run.err.constData());
        QCOMPARE(run.err.count("25 item(s) successfully processed.\n"), 1);
        QVERIFY(run.err.endsWith("25 renamed, 0 unchanged, 0 failed\n"));
    }

    // A list that names nothing must never fall back to the current folder.
    void anEmptyListRenamesNothing() {
        const QVNRUN run = RunQvn({"-s", "Additions/Prefix=P", "--from", "-", "--rename", "--yes"},
                                  m_tree, m_data, QByteArray("\n\n"));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray("name\tnewName\n"));
        QVERIFY(run.err.contains("Nothing to rename"));
        QCOMPARE(Snapshot(m_nativeTree), kStart);
    }
};

QTEST_GUILESS_MAIN(TstQvnPaths)
#include "tst_qvnpaths.moc"
