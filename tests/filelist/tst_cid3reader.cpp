// SPDX-License-Identifier: GPL-3.0-or-later
#include "filelist/cid3reader.h"
#include "filelist/cmemorybytesource.h"
#include "testfiles.h"

#include <QtTest>

class TstCId3Reader : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_folder;
    int m_files = 0;

    QByteArray Write(const QByteArray& bytes) {
        return WriteTestFile(m_folder, QStringLiteral("f%1.mp3").arg(++m_files), bytes);
    }
    static QByteArray Audio() { return QByteArray(300, char(0xFB)); }

private slots:
    void initTestCase() { QVERIFY(m_folder.isValid()); }

    void tags_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("texts"); // title, artist, album
        QTest::addColumn<int>("track");
        QTest::newRow("version 1.1")
            << Audio() + Id3Tag("TAG", "Title", "Artist", "Album", "2004", "c", 7)
            << QStringList{QStringLiteral("Title"), QStringLiteral("Artist"),
                           QStringLiteral("Album")}
            << 7;
        QTest::newRow("version 1.0 takes the comment's last byte")
            << Audio() + Id3Tag("TAG", "T", "A", "B", "1999", QByteArray(29, 'x') + 'Z', 0)
            << QStringList{QStringLiteral("T"), QStringLiteral("A"), QStringLiteral("B")}
            << int('Z');
        QTest::newRow("track 200")
            << Audio() + Id3Tag("TAG", "T", "A", "B", "", "", 200)
            << QStringList{QStringLiteral("T"), QStringLiteral("A"), QStringLiteral("B")} << 200;
        QTest::newRow("thirty letters without zero")
            << Id3Tag("TAG", QByteArray(30, 'a'), QByteArray(30, 'b'), QByteArray(30, 'c'), "", "",
                      1)
            << QStringList{QString(30, QLatin1Char('a')), QString(30, QLatin1Char('b')),
                           QString(30, QLatin1Char('c'))}
            << 1;
        QTest::newRow("trailing spaces stay")
            << Audio() + Id3Tag("TAG", "Title   ", "Artist ", "", "", "", 0)
            << QStringList{QStringLiteral("Title   "), QStringLiteral("Artist "), QString()} << 0;
        QTest::newRow("8-bit texts")
            << Audio() + Id3Tag("TAG", "Caf\xe9", "Bj\xc3\xb6rk", "\x93Q\x94", "", "", 3)
            << QStringList{QStringLiteral("Café"), QStringLiteral("Björk"),
                           QStringLiteral("\u201cQ\u201d")}
            << 3;
        QTest::newRow("tag marker inside the audio is not a tag's start")
            << QByteArray("TAG") + Audio() + Id3Tag("TAG", "Real", "", "", "", "", 9)
            << QStringList{QStringLiteral("Real"), QString(), QString()} << 9;
    }
    void tags() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, texts);
        QFETCH(int, track);
        CId3Reader reader;
        QVERIFY(reader.Read(Write(file)));
        QCOMPARE(QStringList({reader.Title(), reader.Artist(), reader.Album()}), texts);
        QCOMPARE(reader.Track(), quint32(track));
        CId3Reader memory;
        QVERIFY(memory.ReadFrom(CMemoryByteSource(file)));
        QCOMPARE(QStringList({memory.Title(), memory.Artist(), memory.Album()}), texts);
    }

    void yearAndComment() {
        CId3Reader reader;
        QVERIFY(reader.Read(Write(Id3Tag("TAG", "t", "a", "b", "2004", "note", 1))));
        QCOMPARE(reader.Year(), QStringLiteral("2004"));
        QCOMPARE(reader.Comment(), QStringLiteral("note"));
    }

    void noTag_data() {
        QTest::addColumn<QByteArray>("file");
        const QByteArray tag = Id3Tag("TAG", "Title", "Artist", "Album", "2004", "", 7);
        QTest::newRow("127 bytes") << tag.right(127);
        QTest::newRow("127 bytes starting with the marker") << tag.left(127);
        QTest::newRow("lower-case marker") << Audio() + Id3Tag("tag", "Title", "A", "B", "", "", 7);
        QTest::newRow("tag not at the end") << tag + QByteArray(10, '\0');
        QTest::newRow("empty") << QByteArray();
    }
    void noTag() {
        QFETCH(QByteArray, file);
        CId3Reader reader;
        QVERIFY(reader.Read(Write(Audio() + Id3Tag("TAG", "Old", "Old", "Old", "", "", 5))));
        QVERIFY(!reader.Read(Write(file)));
        QVERIFY(!reader.Succeeded());
        QCOMPARE(QStringList({reader.Title(), reader.Artist(), reader.Album(), reader.Year(),
                              reader.Comment()}),
                 QStringList(5));
        QCOMPARE(reader.Track(), 0u);
    }

    void exactly128Bytes() {
        CId3Reader reader;
        QVERIFY(reader.Read(Write(Id3Tag("TAG", "Only", "", "", "", "", 2))));
        QCOMPARE(reader.Title(), QStringLiteral("Only"));
        QCOMPARE(reader.Track(), 2u);
    }

    void missingFileAndFolder() {
        CId3Reader reader;
        QVERIFY(reader.Read(Write(Id3Tag("TAG", "Old", "", "", "", "", 5))));
        QVERIFY(!reader.Read(QFile::encodeName(m_folder.filePath(QStringLiteral("none.mp3")))));
        QCOMPARE(reader.Title(), QString());
        QVERIFY(!reader.Read(QFile::encodeName(m_folder.path())));
        QVERIFY(!reader.Read(QByteArray()));
    }
};

QTEST_GUILESS_MAIN(TstCId3Reader)
#include "tst_cid3reader.moc"
