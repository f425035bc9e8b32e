// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/changesettings.h"
#include "engine/cpreviewrefresh.h"
#include "platform/attributes.h"

#include <QtTest>

namespace {

FILEENTRY Entry(const QString& name, const QString& subDir = QString()) {
    FILEENTRY e;
    e.name = name;
    e.SetSubDir(subDir);
    e.SetFolderPath(QStringLiteral("/photos") + subDir);
    InitialiseNewEntry(e);
    return e;
}

CFileList ListOf(const QStringList& names, bool selectAll = true) {
    CFileList list;
    for (const QString& name : names)
        list.AppendRow(Entry(name));
    if (selectAll)
        list.SelectAll();
    return list;
}

QStringList NewNames(const CFileList& list) {
    QStringList names;
    for (int i = 0; i < list.RowCount(); ++i)
        names << list.GetEntry(i).newName;
    return names;
}

RenameCriteria NumberSuffix(const char* type, const char* start, const char* increment,
                            const char* pad) {
    RenameCriteria c;
    c.numbering.mode = NumberingMode::Suffix;
    c.numbering.type = NumberingType(QString::fromLatin1(type).toInt());
    c.numbering.start = QString::fromLatin1(start);
    c.numbering.increment = QString::fromLatin1(increment);
    c.numbering.pad = QString::fromLatin1(pad);
    return c;
}

} // namespace

class TstPreviewRefresh : public QObject {
    Q_OBJECT
private slots:
    void numbering_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("increment");
        QTest::addColumn<QString>("pad");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<qint64>("next");
        QTest::newRow("decimal padded") << 5 << "8"
                                        << "1"
                                        << "1"
                                        << "2"
                                        << "x01"
                                        << "x05" << qint64(6);
        QTest::newRow("counting down") << 5 << "8"
                                       << "3"
                                       << "-1"
                                       << "0"
                                       << "x3"
                                       << "x-1" << qint64(-2);
        QTest::newRow("letters") << 28 << "35"
                                 << "1"
                                 << "1"
                                 << "0"
                                 << "xA"
                                 << "xAB" << qint64(29);
        QTest::newRow("letters padded") << 2 << "35"
                                        << "1"
                                        << "1"
                                        << "3"
                                        << "xAAA"
                                        << "xAAB" << qint64(705);
        QTest::newRow("small letters") << 27 << "36"
                                       << "1"
                                       << "1"
                                       << "0"
                                       << "xa"
                                       << "xaa" << qint64(28);
        QTest::newRow("hex") << 16 << "14"
                             << "250"
                             << "1"
                             << "0"
                             << "xFA"
                             << "x109" << qint64(266);
    }
    void numbering() {
        QFETCH(int, rows);
        QFETCH(QString, type);
        QFETCH(QString, start);
        QFETCH(QString, increment);
        QFETCH(QString, pad);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(qint64, next);
        QStringList names;
        for (int i = 0; i < rows; ++i)
            names << QStringLiteral("x");
        CFileList list = ListOf(names);
        const RenameCriteria criteria =
            NumberSuffix(type.toLatin1().constData(), start.toLatin1().constData(),
                         increment.toLatin1().constData(), pad.toLatin1().constData());
        const REFRESHRESULT result =
            CPreviewRefresh().Run(list, criteria, CHANGESETTINGS(), NAMEOPTIONS());
        QVERIFY(result.ran);
        QCOMPARE(list.GetEntry(0).newName, first);
        QCOMPARE(list.GetEntry(rows - 1).newName, last);
        QCOMPARE(result.nextNumber, next);
    }

    void breakRestartsOnPrefixChange() {
        CFileList list =
            ListOf({QStringLiteral("abcx"), QStringLiteral("ABCy"), QStringLiteral("abdz")});
        RenameCriteria criteria = NumberSuffix("8", "1", "1", "0");
        criteria.numbering.breakLength = QStringLiteral("3");
        CPreviewRefresh().Run(list, criteria, CHANGESETTINGS(), NAMEOPTIONS());
        QCOMPARE(NewNames(list), (QStringList{QStringLiteral("abcx1"), QStringLiteral("ABCy2"),
                                              QStringLiteral("abdz1")}));
    }

    void breakFolderRestartsPerFolder() {
        CFileList list;
        for (const char* sub : {"/a", "/a", "/b", "/b", "/b"})
            list.AppendRow(Entry(QStringLiteral("f"), QString::fromLatin1(sub)));
        list.SelectAll();
        RenameCriteria criteria = NumberSuffix("8", "1", "1", "0");
        criteria.numbering.breakFolder = true;
        const REFRESHRESULT result =
            CPreviewRefresh().Run(list, criteria, CHANGESETTINGS(), NAMEOPTIONS());
        QCOMPARE(NewNames(list),
                 (QStringList{QStringLiteral("f1"), QStringLiteral("f2"), QStringLiteral("f1"),
                              QStringLiteral("f2"), QStringLiteral("f3")}));
        QCOMPARE(result.nextNumber, qint64(4));
    }

    void deselectedRowsAreSkippedWithoutGaps() {
        CFileList list = ListOf({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        const RenameCriteria criteria = NumberSuffix("8", "1", "1", "0");
        CPreviewRefresh().Run(list, criteria, CHANGESETTINGS(), NAMEOPTIONS());
        list.SetSelected(1, false);
        QCOMPARE(list.GetEntry(1).newName, QStringLiteral("b"));
        CPreviewRefresh().Run(list, criteria, CHANGESETTINGS(), NAMEOPTIONS());
        QCOMPARE(NewNames(list),
                 (QStringList{QStringLiteral("a1"), QStringLiteral("b"), QStringLiteral("c2")}));
    }

    void noSelectionChangesNothing() {
        CFileList list = ListOf({QStringLiteral("a")}, false);
        RenameCriteria criteria = NumberSuffix("8", "1", "1", "0");
        criteria.regex.match = QStringLiteral("(");
        const REFRESHRESULT result =
            CPreviewRefresh().Run(list, criteria, CHANGESETTINGS(), NAMEOPTIONS());
        QVERIFY(!result.ran);
        QVERIFY(!result.patternInvalid);
        QCOMPARE(list.GetEntry(0).newName, QStringLiteral("a"));
    }

    void invalidPatternReportedOtherGroupsStillWork() {
        CFileList list = ListOf({QStringLiteral("a.txt")});
        RenameCriteria criteria = NumberSuffix("8", "1", "1", "0");
        criteria.regex.match = QStringLiteral("(unclosed");
        criteria.regex.replace = QStringLiteral("X");
        const REFRESHRESULT result =
            CPreviewRefresh().Run(list, criteria, CHANGESETTINGS(), NAMEOPTIONS());
        QVERIFY(result.patternInvalid);
        QCOMPARE(list.GetEntry(0).newName, QStringLiteral("a1.txt"));
    }

    void pendingTimesAndAttributes() {
        CFileList list;
        FILEENTRY e = Entry(QStringLiteral("a"));
        e.modified = 1'000'000'000;
        e.created = 900'000'000;
        list.AppendRow(e);
        list.SelectAll();
        CHANGESETTINGS changes;
        changes.createdMode = TimestampMode::FromOther; // from the modified time
        changes.modifiedMode = TimestampMode::Delta;    // delta
        changes.modifiedDelta = 93784;
        changes.modifiedNegative = true;
        changes.accessedMode = TimestampMode::Current; // current
        changes.attributeFlags = SetReadOnly | SetHidden;
        RenameCriteria criteria;
        criteria.autoDate.mode = AutoDateMode::Prefix;
        criteria.autoDate.type = AutoDateType::CreationNew; // the new creation time
        criteria.autoDate.format = DateFormat::Ymd;
        criteria.autoDate.century = true;
        criteria.autoDate.segments = QStringLiteral("-");
        criteria.autoDate.separator = QStringLiteral("_");
        qputenv("TZ", "UTC");
        tzset();
        const CPreviewRefresh refresh([] { return TimeValue(1'100'000'000); });
        refresh.Run(list, criteria, changes, NAMEOPTIONS());
        const FILEENTRY& r = list.GetEntry(0);
        QCOMPARE(r.newCreated, TimeValue(1'000'000'000));
        QCOMPARE(r.newModified, TimeValue(1'000'000'000 - 93784));
        QCOMPARE(r.newAccessed, TimeValue(1'100'000'000));
        QVERIFY(r.createdPending && r.modifiedPending && r.accessedPending);
        QCOMPARE(r.newAttributes, quint32(AttrReadOnly)); // hidden cannot be set here
        QVERIFY(r.attributesPending);
        QCOMPARE(r.newName, QStringLiteral("2001-09-09_a"));
    }

    void modifiedFromUnchangedCreatedGivesNoDate() {
        CFileList list = ListOf({QStringLiteral("a")});
        CHANGESETTINGS changes;
        changes.modifiedMode = TimestampMode::FromOther;
        RenameCriteria criteria;
        criteria.autoDate.mode = AutoDateMode::Suffix;
        criteria.autoDate.type = AutoDateType::ModifiedNew;
        CPreviewRefresh().Run(list, criteria, changes, NAMEOPTIONS());
        QCOMPARE(list.GetEntry(0).newName, QStringLiteral("a"));
        QVERIFY(!list.GetEntry(0).modifiedPending);
    }

    void debugRowTracedOnce() {
        CFileList list = ListOf({QStringLiteral("a"), QStringLiteral("b")});
        NAMEOPTIONS options;
        options.debugRow = 1;
        const REFRESHRESULT result =
            CPreviewRefresh().Run(list, RenameCriteria(), CHANGESETTINGS(), options);
        QVERIFY(result.traced);
        QVERIFY(result.trace.startsWith(QStringLiteral("Original name: b\n")));
    }

    void requestsMerge() {
        CRefreshRequests requests;
        QVERIFY(requests.Post());
        QVERIFY(!requests.Post());
        QVERIFY(requests.Take());
        QVERIFY(!requests.Take());
        QVERIFY(requests.Post());
    }

    void numberingStart_data() {
        QTest::addColumn<qint64>("start");
        QTest::addColumn<int>("radix");
        QTest::addColumn<int>("pad");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("decimal untouched") << qint64(5) << 10 << 3 << qint64(5);
        QTest::newRow("letters no pad") << qint64(1) << 37 << 0 << qint64(1);
        QTest::newRow("letters pad 3") << qint64(1) << 37 << 3 << qint64(1 + 26 + 676);
        QTest::newRow("huge pad stays finite")
            << qint64(1) << 38 << 50 << std::numeric_limits<qint64>::max() / 64;
    }
    void numberingStart() {
        QFETCH(qint64, start);
        QFETCH(int, radix);
        QFETCH(int, pad);
        QFETCH(qint64, expected);
        QCOMPARE(NumberingStart(start, radix, pad), expected);
    }
};

QTEST_GUILESS_MAIN(TstPreviewRefresh)
#include "tst_previewrefresh.moc"
