// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/timevalue.h"

#include <QtTest>

#include <cstdlib>
#include <ctime>

namespace {

void UseZone(const char* zone) {
    qputenv("TZ", zone);
    tzset();
}

qint64 Utc(int y, int mo, int d, int h, int mi, int s) {
    CALENDARFIELDS f;
    f.year = y;
    f.month = mo;
    f.day = d;
    f.hour = h;
    f.minute = mi;
    f.second = s;
    return MomentFromUtcFields(f);
}

} // namespace

class TstTimeValue : public QObject {
    Q_OBJECT
private slots:
    void cleanupTestCase() { UseZone("UTC"); }

    void fileTimeRoundTrip_data() {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<qint64>("fileTime");
        const QList<QByteArray> zones = {"UTC", "Europe/Berlin", "America/New_York",
                                         "Australia/Lord_Howe"};
        for (const QByteArray& zone : zones) {
            // An ordinary moment, the UTC hour whose local fields fall into the spring gap
            // of New York, and the last seconds of the window.
            QTest::addRow("%s ordinary", zone.constData()) << zone << Utc(2004, 3, 5, 14, 7, 9);
            QTest::addRow("%s gap", zone.constData()) << zone << Utc(2021, 3, 14, 2, 30, 0);
            QTest::addRow("%s fall back", zone.constData()) << zone << Utc(2021, 11, 7, 1, 30, 0);
            QTest::addRow("%s 2050", zone.constData()) << zone << Utc(2050, 12, 31, 23, 59, 59);
            QTest::addRow("%s 1971", zone.constData()) << zone << Utc(1971, 1, 1, 0, 0, 0);
        }
    }
    void fileTimeRoundTrip() {
        QFETCH(QByteArray, zone);
        QFETCH(qint64, fileTime);
        UseZone(zone.constData());
        const TimeValue value = TimeValueFromFileTime(fileTime);
        QVERIFY(value != 0);
        QCOMPARE(FileTimeFromTimeValue(value), fileTime);
    }

    void yearsOutsideWindowGiveZero_data() {
        QTest::addColumn<qint64>("fileTime");
        QTest::newRow("1970") << Utc(1970, 12, 31, 23, 59, 59);
        QTest::newRow("epoch") << qint64(0);
        QTest::newRow("before epoch") << qint64(-86400);
        QTest::newRow("2051") << Utc(2051, 1, 1, 0, 0, 0);
    }
    void yearsOutsideWindowGiveZero() {
        QFETCH(qint64, fileTime);
        UseZone("Europe/Berlin");
        QCOMPARE(TimeValueFromFileTime(fileTime), TimeValue(0));
    }

    // Favourites hold the UTC calendar fields read as a local time.
    void storedEncoding_data() {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<qint64>("offsetSeconds");
        QTest::newRow("UTC") << QByteArray("UTC") << qint64(0);
        QTest::newRow("Berlin winter") << QByteArray("Europe/Berlin") << qint64(3600);
        QTest::newRow("New York winter") << QByteArray("America/New_York") << qint64(-5 * 3600);
    }
    void storedEncoding() {
        QFETCH(QByteArray, zone);
        QFETCH(qint64, offsetSeconds);
        UseZone(zone.constData());
        const TimeValue value = Utc(2004, 1, 5, 14, 7, 9);
        const qint64 stored = StoredFromTimeValue(value);
        QCOMPARE(stored, value - offsetSeconds);
        QCOMPARE(TimeValueFromStored(stored), value);
        QCOMPARE(StoredFromTimeValue(0), qint64(0));
        QCOMPARE(TimeValueFromStored(0), TimeValue(0));
    }

    void localFieldsFollowZone() {
        UseZone("America/New_York");
        CALENDARFIELDS f;
        QVERIFY(LocalFieldsOf(Utc(2004, 7, 5, 14, 7, 9), f));
        QCOMPARE(f.hour, 10); // daylight saving: UTC-4
        QCOMPARE(f.zoneName, QStringLiteral("EDT"));
        QVERIFY(LocalFieldsOf(Utc(2004, 1, 5, 14, 7, 9), f));
        QCOMPARE(f.hour, 9);
        QCOMPARE(f.zoneName, QStringLiteral("EST"));
    }
};

QTEST_GUILESS_MAIN(TstTimeValue)
#include "tst_timevalue.moc"
