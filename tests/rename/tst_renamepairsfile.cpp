// SPDX-License-Identifier: GPL-3.0-or-later
#include "filelist/textrules.h"
#include "rename/renamepairsfile.h"

#include <QtTest>

#include <sys/stat.h>

using PairList = QList<QPair<QString, QString>>;

namespace {

PairList Sorted(const RENAMEPAIRMAP& pairs) {
    PairList list;
    for (auto it = pairs.cbegin(); it != pairs.cend(); ++it)
        list.append({it.key(), it.value()});
    std::sort(list.begin(), list.end());
    return list;
}

QByteArray Utf16LittleWithMark(const QString& text) {
    QByteArray bytes = QByteArrayLiteral("\xFF\xFE");
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

QByteArray Utf16BigWithMark(const QString& text) {
    QByteArray bytes = QByteArrayLiteral("\xFE\xFF");
    for (QChar c : text) {
        bytes.append(char(c.unicode() >> 8));
        bytes.append(char(c.unicode() & 0xFF));
    }
    return bytes;
}

} // namespace

class TstRenamePairsFile : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    int m_fileCount = 0;

    QString WriteFile(const QByteArray& bytes) {
        const QString path = m_dir.filePath(QStringLiteral("pairs%1.txt").arg(++m_fileCount));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write the test file");
        return path;
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void pairLines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<PairList>("expected");
        const auto pair = [](const char* key, const char* value) {
            return QPair<QString, QString>(QString::fromUtf8(key), QString::fromUtf8(value));
        };
        QTest::newRow("quoted old name, blanks around the bar")
            << QByteArray("\"Photo 1.JPG\" | Beach.jpg\r\n")
            << PairList{pair("photo 1.jpg", "Beach.jpg")};
        QTest::newRow("no bar") << QByteArray("Photo 1.JPG Beach.jpg\n") << PairList{};
        QTest::newRow("empty old name") << QByteArray("|Beach.jpg\n") << PairList{};
        QTest::newRow("empty new name") << QByteArray("a.jpg|\n") << PairList{};
        QTest::newRow("new name only blanks and quotes")
            << QByteArray("a.jpg| \"\" \n") << PairList{};
        QTest::newRow("old name only quotes") << QByteArray("\"\"|b.jpg\n") << PairList{};
        QTest::newRow("text after a second bar ignored")
            << QByteArray("a.jpg|b.jpg|c.jpg\n") << PairList{pair("a.jpg", "b.jpg")};
        QTest::newRow("later line wins, old names differ in case")
            << QByteArray("IMG.JPG|first.jpg\nimg.jpg|second.jpg\n")
            << PairList{pair("img.jpg", "second.jpg")};
        QTest::newRow("new name keeps its case")
            << QByteArray("a.jpg|New Name.JPG\n") << PairList{pair("a.jpg", "New Name.JPG")};
        QTest::newRow("quotes inside names removed")
            << QByteArray("a\"b\".jpg|c\"d.jpg\n") << PairList{pair("ab.jpg", "cd.jpg")};
        QTest::newRow("commas mean nothing")
            << QByteArray("a,b.jpg|c,d.jpg\na.jpg,b.jpg\n") << PairList{pair("a,b.jpg", "c,d.jpg")};
        QTest::newRow("tabs and blanks trimmed") << QByteArray("\t old.txt \t|\t new name.txt \t\n")
                                                 << PairList{pair("old.txt", "new name.txt")};
        QTest::newRow("only A to Z folded") << QByteArray("\xc3\x84"
                                                          "BC.txt|x.txt\n")
                                            << PairList{pair("\xc3\x84"
                                                             "bc.txt",
                                                             "x.txt")};
        QTest::newRow("windows-1252 names")
            << QByteArray("CAF\xc9.txt|caf\xe9-new.txt\n")
            << PairList{pair("caf\xc3\x89.txt", "caf\xc3\xa9-new.txt")};
        QTest::newRow("empty lines skipped")
            << QByteArray("\n\na.txt|b.txt\n\n") << PairList{pair("a.txt", "b.txt")};
        QTest::newRow("empty file") << QByteArray() << PairList{};
        QTest::newRow("one byte") << QByteArray("|") << PairList{};
    }
    void pairLines() {
        QFETCH(QByteArray, bytes);
        QFETCH(PairList, expected);
        RENAMEPAIRMAP pairs{{QStringLiteral("stale"), QStringLiteral("gone")}};
        QVERIFY(LoadRenamePairs(WriteFile(bytes), pairs));
        QCOMPARE(Sorted(pairs), expected);
    }

    void utf16Files_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QString crLf = QStringLiteral(
            "\"Photo 1.JPG\" | Beach.jpg\r\n\u00c9t\u00e9.txt|Summer \u20ac.txt\r\n");
        QString lf = crLf;
        lf.remove(QLatin1Char('\r'));
        QString cr = crLf;
        cr.remove(QLatin1Char('\n'));
        QTest::newRow("little-endian, CR LF") << Utf16LittleWithMark(crLf);
        QTest::newRow("little-endian, LF") << Utf16LittleWithMark(lf);
        QTest::newRow("little-endian, CR") << Utf16LittleWithMark(cr);
        QTest::newRow("big-endian, CR LF") << Utf16BigWithMark(crLf);
        QTest::newRow("big-endian, LF") << Utf16BigWithMark(lf);
        QTest::newRow("big-endian, CR") << Utf16BigWithMark(cr);
    }
    void utf16Files() {
        QFETCH(QByteArray, bytes);
        RENAMEPAIRMAP pairs;
        QVERIFY(LoadRenamePairs(WriteFile(bytes), pairs));
        const PairList expected{
            {QStringLiteral("photo 1.jpg"), QStringLiteral("Beach.jpg")},
            {QStringLiteral("\u00c9t\u00e9.txt"), QStringLiteral("Summer \u20ac.txt")}};
        QCOMPARE(Sorted(pairs), expected);
    }

    void utf16WithoutMarkGivesNoUsablePairs() {
        QByteArray bytes = Utf16LittleWithMark(QStringLiteral("a.txt|b.txt\r\n")).mid(2);
        RENAMEPAIRMAP pairs;
        QVERIFY(LoadRenamePairs(WriteFile(bytes), pairs));
        QString value;
        QVERIFY(!LookupRenamePair(pairs, QStringLiteral("a.txt"), value));
    }

    void importedPairNamesAnEntryOfAnyCase() {
        RENAMEPAIRMAP pairs;
        QVERIFY(LoadRenamePairs(WriteFile("\"Photo 1.JPG\" | Beach.jpg\n"), pairs));
        QString value;
        QVERIFY(LookupRenamePair(pairs, AsciiLower(QStringLiteral("PHOTO 1.jpg")), value));
        QCOMPARE(value, QStringLiteral("Beach.jpg"));
    }

    void unopenableFileEmptiesThePairs() {
        RENAMEPAIRMAP pairs{{QStringLiteral("old"), QStringLiteral("new")}};
        const QString missing = m_dir.filePath(QStringLiteral("missing.txt"));
        QVERIFY(!LoadRenamePairs(missing, pairs));
        QVERIFY(pairs.isEmpty());
        QCOMPARE(RenamePairsOpenError(missing),
                 QStringLiteral("Data File ") + missing + QStringLiteral(" could not be opened!"));
        pairs.insert(QStringLiteral("old"), QStringLiteral("new"));
        QVERIFY(!LoadRenamePairs(m_dir.path(), pairs));
        QVERIFY(pairs.isEmpty());
    }

    // A pipe would block the reader for ever, a device never end.
    void pipesAndDevicesAreNotRead() {
        RENAMEPAIRMAP pairs{{QStringLiteral("old"), QStringLiteral("new")}};
        const QString fifo = m_dir.filePath(QStringLiteral("pairs.fifo"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(!LoadRenamePairs(fifo, pairs));
        QVERIFY(pairs.isEmpty());
        QVERIFY(!LoadRenamePairs(QStringLiteral("/dev/zero"), pairs));
    }

    void nulInANewNameIsKept() {
        RENAMEPAIRMAP pairs;
        QVERIFY(LoadRenamePairs(WriteFile(QByteArray("a.txt|N\0UL.txt\n", 15)), pairs));
        QString value;
        QVERIFY(LookupRenamePair(pairs, QStringLiteral("a.txt"), value));
        QCOMPARE(value, QStringLiteral("N") + QChar(0) + QStringLiteral("UL.txt"));
    }

    void commandTexts() {
        QCOMPARE(RenamePairsImportingStatus(QStringLiteral("list.txt")),
                 QStringLiteral("Importing Pairs from list.txt"));
        QCOMPARE(RenamePairsImportedStatus(), QStringLiteral("Imported Pairs"));
        QCOMPARE(RenamePairsClearedMessage(),
                 QStringLiteral("Imported Pairs data has been removed."));
    }
};

QTEST_GUILESS_MAIN(TstRenamePairsFile)
#include "tst_renamepairsfile.moc"
