// SPDX-License-Identifier: GPL-3.0-or-later
#include "renametestkit.h"

#include "platform/fileoperations.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Mover = std::function<FILEOPRESULT(const QByteArray&, const QByteArray&)>;

QByteArray Native(const QTemporaryDir& dir) {
    return QFile::encodeName(dir.path());
}

// A folder on another file system than the test's temporary folder, or empty.
QByteArray OtherFileSystemFolder(const QByteArray& here, QTemporaryDir& other) {
    if (!other.isValid())
        return QByteArray();
    const QByteArray path = QFile::encodeName(other.path());
    return SameDevice(here, path) ? QByteArray() : path;
}

} // namespace

Q_DECLARE_METATYPE(Mover)

class TstFileOperations : public QObject {
    Q_OBJECT
private slots:
    void noReplaceMoves_data() {
        QTest::addColumn<Mover>("move");
        QTest::newRow("no-replace flag") << Mover(MoveNoReplace);
        QTest::newRow("link and unlink") << Mover(MoveNoReplaceByLink);
        QTest::newRow("check then rename") << Mover(MoveNoReplaceByCheck);
    }
    void noReplaceMoves() {
        QFETCH(Mover, move);
        QTemporaryDir dir;
        const QByteArray root = Native(dir);
        MakeFile(root + "/a", 1'000'000'000, 0640, "A");
        MakeFile(root + "/b", 1'000'000'000, 0644, "B");
        MakeFolder(root + "/d");
        MakeFolder(root + "/e");

        const FILEOPRESULT onFile = move(root + "/a", root + "/b");
        QVERIFY(!onFile.ok);
        QVERIFY(onFile.AlreadyExists());
        QCOMPARE(onFile.errorText, QStringLiteral("File exists (17)"));
        QCOMPARE(ReadContents(root + "/a"), QByteArray("A"));
        QCOMPARE(ReadContents(root + "/b"), QByteArray("B"));

        QVERIFY(move(root + "/d", root + "/e").AlreadyExists());
        QVERIFY(Exists(root + "/d"));

        QVERIFY(move(root + "/a", root + "/c").ok);
        QVERIFY(!Exists(root + "/a"));
        QCOMPARE(ReadContents(root + "/c"), QByteArray("A"));
        QVERIFY(move(root + "/d", root + "/f").ok);
        QVERIFY(Exists(root + "/f") && !Exists(root + "/d"));

        const FILEOPRESULT missing = move(root + "/gone", root + "/g");
        QCOMPARE(missing.error, ENOENT);
        QCOMPARE(missing.errorText, QStringLiteral("No such file or directory (2)"));
    }

    void dotNamesAreRefused_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("dot") << QByteArray(".");
        QTest::newRow("dot dot") << QByteArray("..");
    }
    void dotNamesAreRefused() {
        QFETCH(QByteArray, name);
        QTemporaryDir dir;
        const QByteArray root = Native(dir);
        MakeFile(root + "/a", 1'000'000'000);
        QCOMPARE(MoveNoReplace(root + "/a", root + '/' + name).error, EINVAL);
        QCOMPARE(MoveReplacingFile(root + "/a", root + '/' + name).error, EINVAL);
        QCOMPARE(CopyFileTo(root + "/a", root + '/' + name, true).error, EINVAL);
        QVERIFY(Exists(root + "/a"));
    }

    void hardLinksAreNotACaseOnlyRename() {
        QTemporaryDir dir;
        const QByteArray root = Native(dir);
        MakeFile(root + "/a.txt", 1'000'000'000);
        QCOMPARE(link((root + "/a.txt").constData(), (root + "/A.TXT").constData()), 0);
        QVERIFY(MoveNoReplace(root + "/a.txt", root + "/A.TXT").AlreadyExists());
        QVERIFY(Exists(root + "/a.txt") && Exists(root + "/A.TXT"));
    }

    void replacingMoveIsAtomicForFilesOnly() {
        QTemporaryDir dir;
        const QByteArray root = Native(dir);
        MakeFile(root + "/a", 1'000'000'000, 0644, "A");
        MakeFile(root + "/b", 1'000'000'000, 0644, "B");
        MakeFolder(root + "/d");
        MakeFolder(root + "/e");
        QVERIFY(MoveReplacingFile(root + "/a", root + "/b").ok);
        QCOMPARE(ReadContents(root + "/b"), QByteArray("A"));
        QVERIFY(!Exists(root + "/a"));
        // A folder target is never replaced, and a folder never replaces anything.
        QVERIFY(MoveReplacingFile(root + "/b", root + "/d").AlreadyExists());
        QVERIFY(MoveReplacingFile(root + "/d", root + "/e").AlreadyExists());
        QVERIFY(Exists(root + "/b") && Exists(root + "/d") && Exists(root + "/e"));
    }

    void copyKeepsPermissionsAndTimes() {
        QTemporaryDir dir;
        const QByteArray root = Native(dir);
        MakeFile(root + "/a", 1'000'000'123, 0751, "A");
        MakeFile(root + "/b", 1'000'000'000, 0644, "B");
        MakeFolder(root + "/d");
        QVERIFY(CopyFileTo(root + "/a", root + "/b", false).AlreadyExists());
        QCOMPARE(ReadContents(root + "/b"), QByteArray("B"));
        QVERIFY(CopyFileTo(root + "/a", root + "/c", false).ok);
        QVERIFY(CopyFileTo(root + "/a", root + "/b", true).ok);
        QCOMPARE(CopyFileTo(root + "/d", root + "/x", false).error, EISDIR);
        const TREE tree = SnapshotTree(root);
        for (const char* name : {"b", "c"}) {
            const TREENODE copy = tree.value(name);
            QCOMPARE(copy.contents, QByteArray("A"));
            QCOMPARE(copy.mode, 0751u);
            QCOMPARE(copy.modifiedSeconds, 1'000'000'123);
        }
        QVERIFY(Exists(root + "/a"));
        QCOMPARE(tree.size(), 4); // no temporary file is left behind
    }

    void deleteNeverRemovesAFolder() {
        QTemporaryDir dir;
        const QByteArray root = Native(dir);
        MakeFile(root + "/a", 1'000'000'000);
        MakeFolder(root + "/d");
        QCOMPARE(DeleteFileAt(root + "/d").error, EISDIR);
        QVERIFY(Exists(root + "/d"));
        QVERIFY(DeleteFileAt(root + "/a").ok);
        QVERIFY(!Exists(root + "/a"));
    }

    void moveToAnotherFileSystem() {
        QTemporaryDir dir;
        QTemporaryDir shm(QStringLiteral("/dev/shm/qvn-test-XXXXXX"));
        const QByteArray root = Native(dir);
        const QByteArray other = OtherFileSystemFolder(root, shm);
        if (other.isEmpty())
            QSKIP("no second file system (/dev/shm) on another device");
        MakeFile(root + "/a", 1'000'000'000, 0604, "A");
        MakeFile(root + "/b", 1'000'000'000, 0644, "B");
        MakeFile(other + "/b", 1'000'000'000, 0644, "other B");
        MakeFolder(root + "/d");
        const TREENODE before = SnapshotTree(root).value("a");

        QVERIFY(MoveNoReplace(root + "/a", other + "/a").ok);
        QVERIFY(!Exists(root + "/a"));
        QCOMPARE(SnapshotTree(other).value("a"), before);

        QVERIFY(MoveNoReplace(root + "/b", other + "/b").AlreadyExists());
        QCOMPARE(ReadContents(root + "/b"), QByteArray("B"));
        QCOMPARE(ReadContents(other + "/b"), QByteArray("other B"));

        const FILEOPRESULT folder = MoveNoReplace(root + "/d", other + "/d");
        QCOMPARE(folder.error, EXDEV);
        QCOMPARE(folder.errorText, QStringLiteral("Invalid cross-device link (18)"));
        QVERIFY(Exists(root + "/d") && !Exists(other + "/d"));

        QVERIFY(MoveReplacingFile(root + "/b", other + "/b").ok);
        QCOMPARE(ReadContents(other + "/b"), QByteArray("B"));
        QVERIFY(!Exists(root + "/b"));
        QCOMPARE(SnapshotTree(other).size(), 2);
    }

    void errorTextsAreEnglish() {
        QCOMPARE(ErrorText(EACCES), QStringLiteral("Permission denied (13)"));
        QCOMPARE(ErrorText(EEXIST), QStringLiteral("File exists (17)"));
    }

    void identityAndExactTimes() {
        QTemporaryDir dir;
        const QByteArray root = Native(dir);
        MakeFile(root + "/a", 1'000'000'000);
        FILEIDENTITY id;
        QVERIFY(ReadFileIdentity(root + "/a", id));
        FILEIDENTITY wanted = id;
        wanted.modifiedSeconds = 1'100'000'000;
        wanted.modifiedNanoseconds = 123'456'789;
        QVERIFY(WriteExactTimes(root + "/a", wanted));
        FILEIDENTITY after;
        QVERIFY(ReadFileIdentity(root + "/a", after));
        QVERIFY(after.SameFile(id));
        QCOMPARE(after.modifiedNanoseconds, 123'456'789);
        QVERIFY(after.SameContentStamp(wanted));
        QVERIFY(!after.SameContentStamp(id));
        QVERIFY(!ReadFileIdentity(root + "/missing", after));
    }
};

QTEST_GUILESS_MAIN(TstFileOperations)
#include "tst_fileoperations.moc"
