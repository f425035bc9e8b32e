// SPDX-License-Identifier: GPL-3.0-or-later
#include "filelist/cfilelist.h"
#include "filelist/csortorder.h"
#include "filelist/listcolumns.h"
#include "platform/attributes.h"

#include <QtTest>

namespace {

FILEENTRY Entry(const QString& name, bool isFolder = false, quint64 size = 0) {
    FILEENTRY e;
    e.name = name;
    e.isFolder = isFolder;
    e.size = size;
    InitialiseNewEntry(e);
    return e;
}

QStringList NamesOf(const CFileList& list) {
    QStringList names;
    for (int i = 0; i < list.RowCount(); ++i)
        names << list.GetEntry(i).name;
    return names;
}

// Sorted both by comparing entries and by the keyed sort of the list; the two must agree.
QStringList SortedNames(QList<FILEENTRY> entries, CSortOrder& order) {
    CFileList list;
    for (FILEENTRY& e : entries)
        list.AppendRow(std::move(e));
    CFileList keyed;
    for (int i = 0; i < list.RowCount(); ++i)
        keyed.AppendRow(list.GetEntry(i));
    list.SortRowsBy(
        [&order](const FILEENTRY& a, const FILEENTRY& b) { return order.Compare(a, b); });
    if (!order.State().random)
        order.SortList(keyed);
    if (!order.State().random && NamesOf(keyed) != NamesOf(list))
        return QStringList{QStringLiteral("keyed sort differs:")} + NamesOf(keyed);
    return NamesOf(list);
}

QStringList Names(const char* spaced) {
    return QString::fromLatin1(spaced).split(QLatin1Char(' '));
}

} // namespace

class TstListColumns : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }

    void cellTexts() {
        FILEENTRY e = Entry(QStringLiteral("a.txt"), false, 1536);
        e.attributes = AttrReadOnly | AttrHidden;
        e.newAttributes = AttrReadOnly;
        e.track = 7;
        QCOMPARE(CellText(e, ColSize, 2), QStringLiteral("1 KB"));
        QCOMPARE(CellText(e, ColSize, 5), QStringLiteral("1 KB"));
        QCOMPARE(CellText(e, ColAttributes, 3), QStringLiteral("RH"));
        e.attributesPending = true;
        QCOMPARE(CellText(e, ColAttributes, 3), QStringLiteral("R"));
        QCOMPARE(CellText(e, ColTrack, 3), QStringLiteral("7"));
        QCOMPARE(CellText(e, ColLength, 3), QStringLiteral("5"));
        FILEENTRY folder = Entry(QStringLiteral("dir"), true);
        QCOMPARE(CellText(folder, ColSize, 3), QString());
        QCOMPARE(CellText(e, ColCreated, 3), QString()); // no time: empty cell
    }

    void timeCellsShowPendingTimes() {
        FILEENTRY e = Entry(QStringLiteral("a"));
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        e.modified = 1078491429; // 2004-03-05 12:57:09 UTC
        const QString current = CellText(e, ColModified, 3);
        QCOMPARE(current, QStringLiteral("05.03.04 13:57:09"));
        e.newModified = e.modified + 3600;
        e.modifiedPending = true;
        QCOMPARE(CellText(e, ColModified, 3), QStringLiteral("05.03.04 14:57:09"));
        QCOMPARE(CellColourOf(e, ColModified), CellColour::GoodChange);
        QVERIFY(CellText(e, ColTaken, 3).isEmpty());
        e.dateTaken = e.modified;
        QVERIFY(CellText(e, ColTaken, 3).isEmpty()); // only with EXIF read
        e.hasExif = true;
        QCOMPARE(CellText(e, ColTaken, 3), current);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void newNameColour() {
        FILEENTRY e = Entry(QStringLiteral("a"));
        QCOMPARE(CellColourOf(e, ColNewName), CellColour::Normal);
        e.affected = true;
        QCOMPARE(CellColourOf(e, ColNewName), CellColour::GoodChange);
        e.invalidChars = true;
        QCOMPARE(CellColourOf(e, ColNewName), CellColour::Invalid);
        QCOMPARE(CellColourOf(e, ColName), CellColour::Normal);
    }

    void headerClicks() {
        CSortOrder order;
        QVERIFY(order.SortByColumn(ColSize, true));
        QCOMPARE(order.State().column, int(ColSize));
        QVERIFY(order.State().ascending);
        order.SortByColumn(ColSize, true);
        QVERIFY(!order.State().ascending);
        order.SortByColumn(ColName, true);
        QCOMPARE(order.State().column, int(ColName));
        QVERIFY(order.State().ascending);
        order.SetRandom();
        order.SortByColumn(99, true);
        QCOMPARE(order.State().column, int(ColName)); // out of range counts as 0: same column
        QVERIFY(!order.State().random);
        CSortOrder restored;
        restored.SortByColumn(ColModified, false);
        QVERIFY(!restored.State().ascending);
    }

    void foldersBeforeFiles() {
        CSortOrder order;
        order.SortByColumn(ColName, true);
        const QList<FILEENTRY> entries{
            Entry(QStringLiteral("b.txt")), Entry(QStringLiteral("z"), true),
            Entry(QStringLiteral("A.txt")), Entry(QStringLiteral("c"), true)};
        QCOMPARE(SortedNames(entries, order), Names("c z A.txt b.txt"));
        order.SortByColumn(ColName, true); // descending reverses the prefixes too
        QCOMPARE(SortedNames(entries, order), Names("b.txt A.txt z c"));
        order.State().filesAndFoldersTogether = true;
        order.State().ascending = true;
        QCOMPARE(SortedNames(entries, order), Names("A.txt b.txt c z"));
    }

    void affectedFirst() {
        CSortOrder order;
        order.SortByColumn(ColName, true);
        order.State().groupAffected = true;
        FILEENTRY changed = Entry(QStringLiteral("z"));
        changed.affected = true;
        const QList<FILEENTRY> entries{Entry(QStringLiteral("a")), changed};
        QCOMPARE(SortedNames(entries, order), Names("z a"));
    }

    void logicalSorting() {
        CSortOrder order;
        order.SortByColumn(ColName, true);
        const QList<FILEENTRY> entries{Entry(QStringLiteral("a100")), Entry(QStringLiteral("a2")),
                                       Entry(QStringLiteral("a10"))};
        QCOMPARE(SortedNames(entries, order), Names("a10 a100 a2"));
        order.State().logical = true;
        QCOMPARE(SortedNames(entries, order), Names("a2 a10 a100"));
    }

    void logicalCompare_data() {
        QTest::addColumn<QString>("p");
        QTest::addColumn<QString>("q");
        QTest::addColumn<int>("expected");
        QTest::newRow("number value") << "file2"
                                      << "file10" << -1;
        QTest::newRow("leading zeros equal") << "007"
                                             << "7" << 0;
        QTest::newRow("zeros then text") << "007b"
                                         << "7a" << 1;
        QTest::newRow("digit before letter") << "1"
                                             << "a" << -1;
        QTest::newRow("letter after digit") << "a"
                                            << "1" << 1;
        QTest::newRow("case ignored") << "ABC"
                                      << "abc" << 0;
        QTest::newRow("prefix shorter") << "ab"
                                        << "abc" << -1;
        QTest::newRow("longer") << "abc"
                                << "ab" << 1;
        QTest::newRow("huge numbers") << "99999999999999999999"
                                      << "99999999999999999998" << 0;
    }
    void logicalCompare() {
        QFETCH(QString, p);
        QFETCH(QString, q);
        QFETCH(int, expected);
        QCOMPARE(LogicalCompare(p, q), expected);
    }

    void numericColumnsHaveNoGrouping() {
        CSortOrder order;
        order.SortByColumn(ColSize, true);
        const QList<FILEENTRY> entries{Entry(QStringLiteral("big"), false, 300),
                                       Entry(QStringLiteral("dir"), true),
                                       Entry(QStringLiteral("small"), false, 10)};
        QCOMPARE(SortedNames(entries, order), Names("dir small big"));
    }

    void randomNeverAnswersMinusOne() {
        CSortOrder order;
        order.SetRandom();
        const FILEENTRY a = Entry(QStringLiteral("a"));
        QSet<int> answers;
        for (int i = 0; i < 200; ++i)
            answers.insert(order.Compare(a, a));
        QCOMPARE(answers, (QSet<int>{0, 1}));
    }

    void longKeysStayInBounds() {
        CSortOrder order;
        order.SortByColumn(ColSubDir, true);
        FILEENTRY a = Entry(QStringLiteral("a"));
        FILEENTRY b = Entry(QStringLiteral("b"));
        a.SetSubDir(QString(400, QLatin1Char('x')) + QLatin1Char('a'));
        b.SetSubDir(QString(400, QLatin1Char('x')) + QLatin1Char('b'));
        QCOMPARE(order.Compare(a, b), 0); // the keys differ only after 259 characters
    }
};

QTEST_GUILESS_MAIN(TstListColumns)
#include "tst_listcolumns.moc"
