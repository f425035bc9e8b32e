// SPDX-License-Identifier: GPL-3.0-or-later
#include "cmenuhandler.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Names that are not valid UTF-8 can only be made with the bytes themselves.
bool MakeFolder(const QByteArray& path) {
    return ::mkdir(path.constData(), 0755) == 0;
}

bool MakeFile(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    return fd >= 0 && ::close(fd) == 0;
}

} // namespace

class TestMenuHandler : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void targetFolder_data();
    void targetFolder();
    void fileInRoot();

private:
    QTemporaryDir m_dir;
    QByteArray m_root;
};

void TestMenuHandler::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_root = QFile::encodeName(m_dir.path());
    QVERIFY(MakeFolder(m_root + "/sub folder"));
    QVERIFY(MakeFile(m_root + "/sub folder/a b.txt"));
    QVERIFY(MakeFile(m_root + "/second.txt"));
    QVERIFY(MakeFolder(m_root + "/caf\xe9"));
    QVERIFY(MakeFile(m_root + "/caf\xe9/\xff.jpg"));
    QVERIFY(MakeFile(m_root + "/gone.txt"));
    QVERIFY(::unlink((m_root + "/gone.txt").constData()) == 0);
}

void TestMenuHandler::targetFolder_data() {
    QTest::addColumn<QList<QByteArray>>("selection");
    QTest::addColumn<bool>("starts");
    QTest::addColumn<QByteArray>("folder"); // "@" stands for the temporary folder

    QTest::newRow("file gives its folder")
        << QList<QByteArray>{"@/sub folder/a b.txt"} << true << QByteArray("@/sub folder");
    QTest::newRow("folder gives itself")
        << QList<QByteArray>{"@/sub folder"} << true << QByteArray("@/sub folder");
    QTest::newRow("folder URI with a trailing slash")
        << QList<QByteArray>{"file://@/sub%20folder/"} << true << QByteArray("@/sub folder");
    QTest::newRow("root folder") << QList<QByteArray>{"file:///"} << true << QByteArray("/");
    QTest::newRow("first of several counts")
        << QList<QByteArray>{"@/second.txt", "@/sub folder/a b.txt"} << true << QByteArray("@");
    QTest::newRow("deleted path starts nothing")
        << QList<QByteArray>{"@/gone.txt", "@/second.txt"} << false << QByteArray();
    QTest::newRow("no selection") << QList<QByteArray>{} << false << QByteArray();
    QTest::newRow("file URI with escapes") << QList<QByteArray>{"file://@/sub%20folder/a%20b.txt"}
                                           << true << QByteArray("@/sub folder");
    QTest::newRow("file URI of localhost")
        << QList<QByteArray>{"file://localhost@/second.txt"} << true << QByteArray("@");
    QTest::newRow("non-UTF-8 names through a URI")
        << QList<QByteArray>{"file://@/caf%E9/%FF.jpg"} << true << QByteArray("@/caf\xe9");
    QTest::newRow("non-UTF-8 names as a path")
        << QList<QByteArray>{"@/caf\xe9/\xff.jpg"} << true << QByteArray("@/caf\xe9");
    QTest::newRow("relative name from the working folder")
        << QList<QByteArray>{"second.txt"} << true << QByteArray("@");
    QTest::newRow("URI of another host")
        << QList<QByteArray>{"file://elsewhere@/second.txt"} << false << QByteArray();
    QTest::newRow("URI of another scheme")
        << QList<QByteArray>{"sftp://host@/second.txt"} << false << QByteArray();
    QTest::newRow("escaped NUL is refused")
        << QList<QByteArray>{"file://@/second.txt%00/x"} << false << QByteArray();
}

void TestMenuHandler::targetFolder() {
    QFETCH(QList<QByteArray>, selection);
    QFETCH(bool, starts);
    QFETCH(QByteArray, folder);
    for (QByteArray& item : selection)
        item.replace('@', m_root);

    const std::optional<QByteArray> target = CMenuHandler(m_root).TargetFolder(selection);
    QCOMPARE(target.has_value(), starts);
    if (starts)
        QCOMPARE(*target, folder.replace('@', m_root));
}

void TestMenuHandler::fileInRoot() {
    QCOMPARE(CMenuHandler::FolderOfFile("/vmlinuz"), QByteArray("/"));
    QCOMPARE(CMenuHandler::ProgramBeside("/qvnhere"), QByteArray("/quorvin"));
    QCOMPARE(CMenuHandler::ProgramBeside("/opt/q v/bin/qvnhere"),
             QByteArray("/opt/q v/bin/quorvin"));
    // A real file directly in "/" where the test may make one.
    const QByteArray rootFile = "/qvnhere-test-" + QByteArray::number(::getpid());
    if (!MakeFile(rootFile))
        QSKIP("cannot make a file in /");
    const std::optional<QByteArray> target = CMenuHandler("/tmp").TargetFolder({rootFile});
    ::unlink(rootFile.constData());
    QVERIFY(target.has_value());
    QCOMPARE(*target, QByteArray("/"));
}

QTEST_GUILESS_MAIN(TestMenuHandler)
#include "tst_menuhandler.moc"
