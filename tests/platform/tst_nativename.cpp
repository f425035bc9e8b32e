// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/nativename.h"
#include "platform/pathchecks.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

class TstNativeName : public QObject {
    Q_OBJECT
private slots:
    // Every byte string comes back exactly; only invalid bytes become escapes.
    void decodeAndEncode_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << QByteArray("a.txt") << u"a.txt"_s;
        QTest::newRow("utf-8") << QByteArray("caf\xc3\xa9 \xe2\x82\xac") << u"café €"_s;
        QTest::newRow("four bytes") << QByteArray("\xf0\x9f\x98\x80") << u"😀"_s;
        QTest::newRow("lone ff") << QByteArray("\xff.txt") << u"\xdcff.txt"_s;
        QTest::newRow("latin-1 e acute") << QByteArray("caf\xe9") << u"caf\xdce9"_s;
        QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << u"\xdcc0\xdcaf"_s;
        QTest::newRow("encoded surrogate") << QByteArray("\xed\xb3\xbf") << u"\xdced\xdcb3\xdcbf"_s;
        QTest::newRow("truncated at end") << QByteArray("a\xe2\x82") << u"a\xdce2\xdc82"_s;
        QTest::newRow("beyond U+10FFFF")
            << QByteArray("\xf4\x90\x80\x80") << u"\xdcf4\xdc90\xdc80\xdc80"_s;
        QTest::newRow("control kept") << QByteArray("a\nb\x1b") << u"a\nb\x1b"_s;
    }
    void decodeAndEncode() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(DecodeNativeName(bytes), text);
        QCOMPARE(EncodeNativeName(text), bytes);
    }

    void textThatNoNameGivesIsEncodedSafely() {
        QCOMPARE(EncodeNativeName(u"a\xd800"_s), QByteArray("a\xef\xbf\xbd"));
        QCOMPARE(EncodeNativeName(u"\xdc7f"_s), QByteArray("\xef\xbf\xbd"));
    }

    void shownAndEscaped_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("escaped");
        QTest::newRow("plain") << u"a b.txt"_s << u"a b.txt"_s;
        QTest::newRow("undecodable") << u"\xdcff.txt"_s << u"\xfffd.txt"_s;
        QTest::newRow("pair kept") << u"😀"_s << u"😀"_s;
        QTest::newRow("line breaks") << u"a\nb\rc\td"_s << u"a\\nb\\rc\\td"_s;
        QTest::newRow("terminal title") << u"\x1b]0;owned\x07"_s << u"\\x1b]0;owned\\x07"_s;
        QTest::newRow("NUL and DEL") << QString(QChar(0)) + u"\x7f"_s << u"\\x00\\x7f"_s;
        QTest::newRow("C1 CSI") << u"\x9b"_s << u"\\x9b"_s;
    }
    void shownAndEscaped() {
        QFETCH(QString, text);
        QFETCH(QString, escaped);
        QCOMPARE(EscapeControlCharacters(text), escaped);
    }

    void logBytesAreEscaped() {
        QCOMPARE(EscapeControlBytes("Renamed \"a\nb\x1b[2J\xff\xc2\x9b\""),
                 QByteArray("Renamed \"a\\nb\\x1b[2J\xff\\x9b\""));
    }

    void absolutePath_data() {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("absolute");
        QTest::newRow("relative") << QByteArray("d") << QByteArray("/home/u/d");
        QTest::newRow("dot") << QByteArray(".") << QByteArray("/home/u");
        QTest::newRow("dots and slashes") << QByteArray("./a//b/./") << QByteArray("/home/u/a/b");
        QTest::newRow("parent of the current folder")
            << QByteArray("../x") << QByteArray("/home/x");
        QTest::newRow("above the root") << QByteArray("../../../x") << QByteArray("/x");
        QTest::newRow("parent of a given part kept")
            << QByteArray("a/../b") << QByteArray("/home/u/a/../b");
        QTest::newRow("absolute parent kept") << QByteArray("/tmp/../x") << QByteArray("/tmp/../x");
        QTest::newRow("parent of the root") << QByteArray("/..") << QByteArray("/");
        QTest::newRow("absolute") << QByteArray("/tmp//x/") << QByteArray("/tmp/x");
        QTest::newRow("root") << QByteArray("/") << QByteArray("/");
        QTest::newRow("bytes") << QByteArray("\xff") << QByteArray("/home/u/\xff");
    }
    void absolutePath() {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, absolute);
        QCOMPARE(AbsoluteNativePath(path, "/home/u"), absolute);
    }

    void inputFiles_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("problem");
        QTest::newRow("small file") << QByteArray("small") << int(InputFileProblem::None);
        QTest::newRow("over the limit") << QByteArray("big") << int(InputFileProblem::TooLarge);
        QTest::newRow("pipe") << QByteArray("fifo") << int(InputFileProblem::NotRegular);
        QTest::newRow("folder") << QByteArray("folder") << int(InputFileProblem::Folder);
        QTest::newRow("missing") << QByteArray("missing") << int(InputFileProblem::Missing);
        QTest::newRow("device") << QByteArray("/dev/zero") << int(InputFileProblem::NotRegular);
    }
    void inputFiles() {
        QFETCH(QByteArray, name);
        QFETCH(int, problem);
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path()) + '/';
        QFile small(dir.filePath(u"small"_s));
        QVERIFY(small.open(QIODevice::WriteOnly) && small.write("1234") == 4);
        small.close();
        QFile big(dir.filePath(u"big"_s));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.write("12345") == 5);
        big.close();
        QCOMPARE(mkfifo((root + "fifo").constData(), 0600), 0);
        QCOMPARE(mkdir((root + "folder").constData(), 0700), 0);
        const QByteArray path = name.startsWith('/') ? name : root + name;
        QCOMPARE(int(CheckInputFile(path, 4).problem), problem);
    }

    void writableFiles() {
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path()) + '/';
        QCOMPARE(mkfifo((root + "fifo").constData(), 0600), 0);
        QCOMPARE(WritableFileError(root + "new.sh"), 0);
        QVERIFY(!QFile::exists(dir.filePath(u"new.sh"_s)));
        QVERIFY(WritableFileError(root + "fifo") != 0);
        QVERIFY(WritableFileError(root) != 0);
        QVERIFY(WritableFileError(root + "missing/new.sh") != 0);
    }

    void folderChecks() {
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path()) + '/';
        QCOMPARE(symlink("loop", (root + "loop").constData()), 0);
        QFile file(dir.filePath(u"file"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QCOMPARE(CheckFolder(root).problem, FolderProblem::None);
        QCOMPARE(CheckFolder(root + "missing").problem, FolderProblem::Missing);
        QCOMPARE(CheckFolder(root + "file").problem, FolderProblem::NotFolder);
        QCOMPARE(CheckFolder(root + "loop").problem, FolderProblem::LinkLoop);
        QCOMPARE(CheckFolder(root + QByteArray(5000, 'x')).problem, FolderProblem::TooLong);
    }
};

QTEST_GUILESS_MAIN(TstNativeName)
#include "tst_nativename.moc"
