// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/cnativefile.h"

#include <QtTest>

#include <cstdio>

class TstCNativeFile : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_folder;

    QByteArray Write(const QByteArray& name, const QByteArray& bytes) {
        const QByteArray path = QFile::encodeName(m_folder.path()) + '/' + name;
        std::FILE* file = std::fopen(path.constData(), "wb");
        if (!file)
            return QByteArray();
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file);
        std::fclose(file);
        return path;
    }

private slots:
    void initTestCase() { QVERIFY(m_folder.isValid()); }

    void readsAtOffsets() {
        CNativeFile file;
        QVERIFY(file.Open(Write("a.bin", "0123456789")));
        QVERIFY(file.IsOpen());
        QCOMPARE(file.Size(), qint64(10));
        char buffer[16] = {};
        QCOMPARE(file.ReadAt(3, buffer, 4), qint64(4));
        QCOMPARE(QByteArray(buffer, 4), QByteArray("3456"));
        QCOMPARE(file.ReadAt(8, buffer, 16), qint64(2));
        QCOMPARE(QByteArray(buffer, 2), QByteArray("89"));
        QCOMPARE(file.ReadAt(10, buffer, 1), qint64(0));
        QCOMPARE(file.ReadAt(-1, buffer, 1), qint64(0));
        QCOMPARE(file.ReadAt(0, buffer, 0), qint64(0));
        file.Close();
        QVERIFY(!file.IsOpen());
        QCOMPARE(file.ReadAt(0, buffer, 1), qint64(0));
        QCOMPARE(file.Size(), qint64(0));
    }

    // Names on disk are bytes; one that is not UTF-8 opens all the same.
    void opensByExactBytes() {
        const QByteArray path = Write("caf\xe9.bin", "xyz");
        CNativeFile file;
        QVERIFY(file.Open(path));
        QCOMPARE(file.Size(), qint64(3));
        file.Close();
        QCOMPARE(std::remove(path.constData()), 0);
    }

    void refusesWhatIsNoRegularFile_data() {
        QTest::addColumn<QByteArray>("path");
        QTest::newRow("folder") << QFile::encodeName(QDir::tempPath());
        QTest::newRow("device") << QByteArray("/dev/null");
        QTest::newRow("missing") << QByteArray("/nonexistent/quorvin/x.jpg");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("inner zero byte") << QByteArray("/etc/hostname\0x", 15);
    }
    void refusesWhatIsNoRegularFile() {
        QFETCH(QByteArray, path);
        CNativeFile file;
        QVERIFY(!file.Open(path));
        QVERIFY(!file.IsOpen());
    }

    void reopenClosesThePrevious() {
        CNativeFile file;
        QVERIFY(file.Open(Write("b.bin", "first")));
        QVERIFY(!file.Open(QByteArray("/nonexistent")));
        QVERIFY(!file.IsOpen());
        QVERIFY(file.Open(Write("c.bin", "second!")));
        QCOMPARE(file.Size(), qint64(7));
    }
};

QTEST_GUILESS_MAIN(TstCNativeFile)
#include "tst_cnativefile.moc"
