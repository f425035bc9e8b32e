// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/changesettings.h"
#include "platform/attributes.h"

#include <QtTest>

class TstChangeSettings : public QObject {
    Q_OBJECT
private slots:
    void pendingAttributes_data() {
        QTest::addColumn<quint32>("attributes");
        QTest::addColumn<quint32>("flags");
        QTest::addColumn<quint32>("expected");
        QTest::newRow("set read-only")
            << quint32(0) << quint32(SetReadOnly) << quint32(AttrReadOnly);
        QTest::newRow("clear wins")
            << quint32(0) << quint32(SetReadOnly | ClearReadOnly) << quint32(0);
        QTest::newRow("clear read-only") << quint32(AttrReadOnly | AttrDirectory)
                                         << quint32(ClearReadOnly) << quint32(AttrDirectory);
        QTest::newRow("hidden not changeable")
            << quint32(AttrHidden) << quint32(ClearHidden) << quint32(AttrHidden);
        QTest::newRow("archive not changeable")
            << quint32(0) << quint32(SetArchive | SetSystem) << quint32(0);
    }
    void pendingAttributes() {
        QFETCH(quint32, attributes);
        QFETCH(quint32, flags);
        QFETCH(quint32, expected);
        QCOMPARE(PendingAttributes(attributes, flags), expected);
    }

    void pendingTime_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("none") << 0 << qint64(0);
        QTest::newRow("current") << 1 << qint64(9000);
        QTest::newRow("other") << 2 << qint64(2000);
        QTest::newRow("taken") << 3 << qint64(3000);
        QTest::newRow("fixed") << 4 << qint64(4000);
        QTest::newRow("delta") << 5 << qint64(1000 - 50);
        QTest::newRow("unknown") << 6 << qint64(0);
    }
    void pendingTime() {
        QFETCH(int, mode);
        QFETCH(qint64, expected);
        QCOMPARE(PendingTime(TimestampMode(mode), 1000, 2000, 3000, 4000, 50, true, 9000),
                 expected);
    }

    void deltaOfNoTimeIsNoTime() {
        QCOMPARE(PendingTime(TimestampMode::Delta, 0, 0, 0, 0, 50, false, 9000), TimeValue(0));
    }

    void deltaSplitAndJoin() {
        const DELTAPARTS parts = SplitDelta(93784);
        QCOMPARE(parts.days, qint64(1));
        QCOMPARE(parts.hours, 2);
        QCOMPARE(parts.minutes, 3);
        QCOMPARE(parts.seconds, 4);
        QCOMPARE(JoinDelta(parts), qint64(93784));
        QCOMPARE(JoinDelta(SplitDelta(99 * 86400 + 86399)), qint64(99 * 86400 + 86399));
    }

    void createdFromModifiedQuestion() {
        CHANGESETTINGS s;
        s.createdMode = TimestampMode::FromOther;
        QVERIFY(!NeedsCreatedFromModifiedQuestion(s));
        s.modifiedMode = TimestampMode::Current;
        QVERIFY(NeedsCreatedFromModifiedQuestion(s));
        QVERIFY(
            CreatedFromModifiedQuestion().startsWith(QStringLiteral("Warning: You have chosen")));
    }

    void bindingsRoundTrip() {
        qputenv("TZ", "Europe/Berlin");
        tzset();
        CHANGESETTINGS s;
        QCOMPARE(int(ChangeBindings().size()), 13);
        const CHANGEBINDING* fixed = FindChangeSetting(u"created timestamp");
        QVERIFY(fixed && fixed->isTime);
        SetChangeSettingValue(s, *fixed, 1073300000); // the file's local encoding
        QCOMPARE(s.createdFixed, TimeValue(1073300000 + 3600));
        QCOMPARE(ChangeSettingValue(s, *fixed), qint64(1073300000));
        SetChangeSettingValue(s, *FindChangeSetting(u"Change Attributes"), 0x201);
        QCOMPARE(s.attributeFlags, quint32(0x201));
        SetChangeSettingValue(s, *FindChangeSetting(u"Modified Timestamp Delta Negative"), 1);
        QVERIFY(s.modifiedNegative);
        QVERIFY(!FindChangeSetting(u"Change Timestamp"));
        qputenv("TZ", "UTC");
        tzset();
    }
};

QTEST_GUILESS_MAIN(TstChangeSettings)
#include "tst_changesettings.moc"
