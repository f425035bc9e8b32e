// SPDX-License-Identifier: GPL-3.0-or-later
#include "filelist/exifvalues.h"

#include <QtTest>

#include <clocale>
#include <cmath>
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

QStringList Latin1List(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts)
        list.append(QString::fromLatin1(text));
    return list;
}

} // namespace

class TstExifValues : public QObject {
    Q_OBJECT
private slots:
    void cleanupTestCase() { UseZone("UTC"); }

    // The camera's clock is a local time: the same text is a different moment in another
    // zone, and daylight saving follows the zone's rules for that date.
    void dateIsLocalTime_data() {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("rules");
        QTest::addColumn<qint64>("expected");
        const int jpeg = int(ExifDateRules::Jpeg);
        const int tiff = int(ExifDateRules::Tiff);
        QTest::newRow("Berlin summer")
            << QByteArray("Europe/Berlin") << QByteArray("2004:07:05 14:07:09") << jpeg
            << Utc(2004, 7, 5, 12, 7, 9);
        QTest::newRow("Berlin winter")
            << QByteArray("Europe/Berlin") << QByteArray("2004:01:05 14:07:09") << jpeg
            << Utc(2004, 1, 5, 13, 7, 9);
        QTest::newRow("New York summer")
            << QByteArray("America/New_York") << QByteArray("2004:07:05 14:07:09") << tiff
            << Utc(2004, 7, 5, 18, 7, 9);
        QTest::newRow("New York winter")
            << QByteArray("America/New_York") << QByteArray("2004:01:05 14:07:09") << jpeg
            << Utc(2004, 1, 5, 19, 7, 9);
        QTest::newRow("blanks around") << QByteArray("UTC") << QByteArray("  2004:01:05 14:07:09\n")
                                       << jpeg << Utc(2004, 1, 5, 14, 7, 9);
        QTest::newRow("date without time is midnight")
            << QByteArray("UTC") << QByteArray("2004:01:05") << jpeg << Utc(2004, 1, 5, 0, 0, 0);
        QTest::newRow("day 31 of February runs on into March")
            << QByteArray("Europe/Berlin") << QByteArray("2004:02:31 10:00:00") << jpeg
            << Utc(2004, 3, 2, 9, 0, 0);
        QTest::newRow("tiff 1950 is kept")
            << QByteArray("Europe/Berlin") << QByteArray("1950:01:15 12:00:00") << tiff
            << Utc(1950, 1, 15, 11, 0, 0);
        QTest::newRow("tiff 1900 in New York")
            << QByteArray("America/New_York") << QByteArray("1900:01:01 00:00:00") << tiff
            << Utc(1900, 1, 1, 5, 0, 0);
    }
    void dateIsLocalTime() {
        QFETCH(QByteArray, zone);
        QFETCH(QByteArray, text);
        QFETCH(int, rules);
        QFETCH(qint64, expected);
        UseZone(zone.constData());
        QCOMPARE(ExifDateToTime(text, ExifDateRules(rules)), expected);
    }

    // Fields out of range give 1971-01-01 23:59:59 (TIFF: 1970) as a local standard time.
    void invalidDatesGiveDefault_data() {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("rules");
        QTest::addColumn<qint64>("expected");
        const int jpeg = int(ExifDateRules::Jpeg);
        const int tiff = int(ExifDateRules::Tiff);
        const qint64 jpegBerlin = Utc(1971, 1, 1, 22, 59, 59);
        const qint64 jpegNewYork = Utc(1971, 1, 2, 4, 59, 59);
        const qint64 tiffBerlin = Utc(1970, 1, 1, 22, 59, 59);
        const qint64 tiffNewYork = Utc(1970, 1, 2, 4, 59, 59);
        const QByteArray berlin("Europe/Berlin");
        const QByteArray newYork("America/New_York");
        const QByteArray zeros("0000:00:00 00:00:00");
        QTest::newRow("zeros jpeg Berlin") << berlin << zeros << jpeg << jpegBerlin;
        QTest::newRow("zeros jpeg New York") << newYork << zeros << jpeg << jpegNewYork;
        QTest::newRow("zeros tiff Berlin") << berlin << zeros << tiff << tiffBerlin;
        QTest::newRow("zeros tiff New York") << newYork << zeros << tiff << tiffNewYork;
        QTest::newRow("jpeg 1969")
            << berlin << QByteArray("1969:12:31 10:00:00") << jpeg << jpegBerlin;
        QTest::newRow("tiff 1899")
            << berlin << QByteArray("1899:12:31 10:00:00") << tiff << tiffBerlin;
        QTest::newRow("month 13") << berlin << QByteArray("2004:13:05 14:07:09") << jpeg
                                  << jpegBerlin;
        QTest::newRow("day 32") << berlin << QByteArray("2004:01:32 14:07:09") << jpeg
                                << jpegBerlin;
        QTest::newRow("hour 24") << berlin << QByteArray("2004:01:05 24:07:09") << jpeg
                                 << jpegBerlin;
        QTest::newRow("second 60")
            << berlin << QByteArray("2004:01:05 14:07:60") << jpeg << jpegBerlin;
        QTest::newRow("letters in month")
            << newYork << QByteArray("2004:0a:05 14:07:09") << tiff << tiffNewYork;
        QTest::newRow("minus sign in year")
            << newYork << QByteArray("-004:01:05 14:07:09") << jpeg << jpegNewYork;
        QTest::newRow("year only") << newYork << QByteArray("2004") << jpeg << jpegNewYork;
    }
    void invalidDatesGiveDefault() {
        QFETCH(QByteArray, zone);
        QFETCH(QByteArray, text);
        QFETCH(int, rules);
        QFETCH(qint64, expected);
        UseZone(zone.constData());
        QCOMPARE(ExifDateToTime(text, ExifDateRules(rules)), expected);
    }

    void noDate_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("rules");
        QTest::newRow("empty") << QByteArray() << int(ExifDateRules::Jpeg);
        QTest::newRow("spaces jpeg") << QByteArray(19, ' ') << int(ExifDateRules::Jpeg);
        QTest::newRow("spaces tiff") << QByteArray(19, ' ') << int(ExifDateRules::Tiff);
        QTest::newRow("white space") << QByteArray(" \t\r\n ") << int(ExifDateRules::Jpeg);
        // In Berlin 1900-01-01 00:00 is still 1899 in UTC.
        QTest::newRow("before 1900 in UTC")
            << QByteArray("1900:01:01 00:00:00") << int(ExifDateRules::Tiff);
    }
    void noDate() {
        QFETCH(QByteArray, text);
        QFETCH(int, rules);
        UseZone("Europe/Berlin");
        QCOMPARE(ExifDateToTime(text, ExifDateRules(rules)), TimeValue(0));
    }

    void texts_data() {
        QTest::addColumn<double>("fNumber");
        QTest::addColumn<double>("exposureTime");
        QTest::addColumn<double>("exposureBias");
        QTest::addColumn<double>("focalLength");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("fraction aperture")
            << double(ToStoredFloat(2.8)) << double(ToStoredFloat(0.004)) << -1.0 / 3 << 34.6
            << Latin1List({"2.8", "250", "-0.333", "35"});
        QTest::newRow("whole aperture") << 8.0 << double(ToStoredFloat(1.0 / 60)) << 0.0 << 50.0
                                        << Latin1List({"8", "60", "0.000", "50"});
        QTest::newRow("apex aperture 5") << double(ToStoredFloat(ApexApertureToFNumber(5)))
                                         << double(ToStoredFloat(ApexShutterToExposureTime(8)))
                                         << 0.7 << 0.0 << Latin1List({"5.7", "256", "0.700", "0"});
        QTest::newRow("zeros") << 0.0 << 0.0 << 0.0 << 0.0 << Latin1List({"0", "0", "0.000", "0"});
        QTest::newRow("long exposure")
            << 22.0 << 4.0 << 2.0 << 300.0 << Latin1List({"22", "0", "2.000", "300"});
    }
    void texts() {
        QFETCH(double, fNumber);
        QFETCH(double, exposureTime);
        QFETCH(double, exposureBias);
        QFETCH(double, focalLength);
        QFETCH(QStringList, expected);
        const EXIFTEXTS texts =
            FormatExifTexts(fNumber, exposureTime, exposureBias, focalLength, "x");
        QCOMPARE(
            QStringList({texts.aperture, texts.exposure, texts.exposureBias, texts.focalLength}),
            expected);
        QCOMPARE(texts.comment, QStringLiteral("x"));
    }

    // Names must not change with the user's locale, so the texts keep the full stop.
    void textsIgnoreLocale() {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const char* cLocale = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
        const EXIFTEXTS texts = FormatExifTexts(2.5, 0.5, -0.5, 7.0, {});
        if (cLocale)
            std::setlocale(LC_NUMERIC, "C");
        QLocale::setDefault(saved);
        QCOMPARE(texts.aperture, QStringLiteral("2.5"));
        QCOMPARE(texts.exposureBias, QStringLiteral("-0.500"));
    }

    void commentsDecodeEightBitText() {
        QCOMPARE(FormatExifTexts(0, 0, 0, 0, "Caf\xc3\xa9").comment, QStringLiteral("Café"));
        QCOMPARE(FormatExifTexts(0, 0, 0, 0, "Caf\xe9").comment, QStringLiteral("Café"));
    }

    void apex() {
        QVERIFY(std::abs(ApexApertureToFNumber(5) - 5.656854) < 1e-6);
        QCOMPARE(ApexShutterToExposureTime(8), 1.0 / 256);
        QCOMPARE(ApexShutterToExposureTime(0), 1.0);
    }

    void narrowing() {
        QVERIFY(std::isinf(ToStoredFloat(1e300)));
        QVERIFY(std::isinf(ToStoredFloat(-1e300)) && ToStoredFloat(-1e300) < 0);
        QCOMPARE(ToStoredFloat(0.5), 0.5f);
        QCOMPARE(ToSaturatedInt32(1e300), 2147483647);
        QCOMPARE(ToSaturatedInt32(-1e300), int(-2147483647 - 1));
        QCOMPARE(ToSaturatedInt32(std::nan("")), 0);
        QCOMPARE(ToSaturatedInt32(-7.9), -7);
    }

    void bytesUpToZero() {
        QCOMPARE(BytesUpToZero(QByteArrayView("abc\0def", 7), 10), QByteArray("abc"));
        QCOMPARE(BytesUpToZero("abcdef", 4), QByteArray("abcd"));
        QCOMPARE(BytesUpToZero("abc", -1), QByteArray());
    }

    void byteOrder() {
        const uchar bytes[4] = {0x12, 0x34, 0x56, 0x78};
        QCOMPARE(ExifGet16(bytes, true), quint16(0x1234));
        QCOMPARE(ExifGet16(bytes, false), quint16(0x3412));
        QCOMPARE(ExifGet32(bytes, true), quint32(0x12345678));
        QCOMPARE(ExifGet32(bytes, false), quint32(0x78563412));
        QCOMPARE(ExifBytesPerComponent(5), 8);
        QCOMPARE(ExifBytesPerComponent(13), 0);
    }
};

QTEST_GUILESS_MAIN(TstExifValues)
#include "tst_exifvalues.moc"
