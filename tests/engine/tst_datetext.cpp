// SPDX-License-Identifier: GPL-3.0-or-later
#include "groupharness.h"

#include "engine/datetext.h"

#include <QtTest>

#include <limits>

class TstDateText : public QObject {
    Q_OBJECT
private slots:
    void fixedLayouts_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("segments");
        QTest::addColumn<bool>("century");
        QTest::addColumn<QString>("expected");
        QTest::newRow("DMY") << int(DateFormat::Dmy) << "-" << false << "05-03-04";
        QTest::newRow("DMY HM no segments")
            << int(DateFormat::DmyHm) << "" << false << "0503041407";
        QTest::newRow("DMY HM no segments century")
            << int(DateFormat::DmyHm) << "" << true << "050320041407";
        QTest::newRow("DMY HMS full stop")
            << int(DateFormat::DmyHms) << "." << true << "05.03.2004.14.07.09";
        QTest::newRow("MDY") << int(DateFormat::Mdy) << "-" << false << "03-05-04";
        QTest::newRow("MDY HM") << int(DateFormat::MdyHm) << "_" << true << "03_05_2004_14_07";
        QTest::newRow("MDY HMS") << int(DateFormat::MdyHms) << "" << false << "030504140709";
        QTest::newRow("YMD century") << int(DateFormat::Ymd) << "-" << true << "2004-03-05";
        QTest::newRow("YMD") << int(DateFormat::Ymd) << "-" << false << "04-03-05";
        QTest::newRow("YMD HM") << int(DateFormat::YmdHm) << " " << true << "2004 03 05 14 07";
        QTest::newRow("YMD HMS long segments")
            << int(DateFormat::YmdHms) << "<->" << false << "04<->03<->05<->14<->07<->09";
        QTest::newRow("percent in segments is literal")
            << int(DateFormat::Dmy) << "%d" << false << "05%d03%d04";
        QTest::newRow("lone percent in segments")
            << int(DateFormat::Ymd) << "%" << true << "2004%03%05";
    }
    void fixedLayouts() {
        QFETCH(int, format);
        QFETCH(QString, segments);
        QFETCH(bool, century);
        QFETCH(QString, expected);
        const CTimeZoneScope zone("Europe/Berlin");
        const TimeValue date = LocalMoment(2004, 3, 5, 14, 7, 9);
        QCOMPARE(DateText(date, DateFormat(format), segments, century, 0, QString()), expected);
    }

    void customFormats_data() {
        QTest::addColumn<QString>("custom");
        QTest::addColumn<QString>("expected");
        QTest::newRow("year month day") << "%Y%m%d"
                                        << "20040305";
        QTest::newRow("unknown conversion") << "%Y%q"
                                            << "";
        QTest::newRow("lone percent at end") << "%Y-%"
                                             << "";
        QTest::newRow("only a percent") << "%"
                                        << "";
        QTest::newRow("doubled percent") << "%%"
                                         << "%";
        QTest::newRow("percent then conversion letter") << "%%d"
                                                        << "%d";
        QTest::newRow("doubled percent at end") << "a%%"
                                                << "a%";
        QTest::newRow("no percent") << "Holiday"
                                    << "Holiday";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("flag unsupported") << "%#d"
                                          << "";
        QTest::newRow("every conversion")
            << "%a %A %b %B %c %d %H %I %j %m %M %p %S %U %w %W %x %X %y %Y %z %Z %%"
            << "Fri Friday Mar March 03/05/04 14:07:09 05 14 02 065 03 07 PM 09 09 5 09 "
               "03/05/04 14:07:09 04 2004 CET CET %";
        QTest::newRow("127 characters")
            << QString(127, QLatin1Char('a')) << QString(127, QLatin1Char('a'));
        QTest::newRow("128 characters") << QString(128, QLatin1Char('a')) << "";
        QTest::newRow("expansion beyond 127")
            << QString(13, QLatin1Char('x')) + QStringLiteral("%B").repeated(23) << "";
        QTest::newRow("expansion of 127")
            << QString(12, QLatin1Char('x')) + QStringLiteral("%B").repeated(23)
            << QString(12, QLatin1Char('x')) + QStringLiteral("March").repeated(23);
    }
    void customFormats() {
        QFETCH(QString, custom);
        QFETCH(QString, expected);
        const CTimeZoneScope zone("Europe/Berlin");
        const TimeValue date = LocalMoment(2004, 3, 5, 14, 7, 9);
        QCOMPARE(DateText(date, DateFormat::Custom, QStringLiteral("-"), true, 0, custom),
                 expected);
    }

    void formatCheck() {
        QVERIFY(IsValidDateFormat(QString()));
        QVERIFY(IsValidDateFormat(QStringLiteral("plain")));
        QVERIFY(
            IsValidDateFormat(QStringLiteral("%a%A%b%B%c%d%H%I%j%m%M%p%S%U%w%W%x%X%y%Y%z%Z%%")));
        QVERIFY(!IsValidDateFormat(QStringLiteral("%")));
        QVERIFY(!IsValidDateFormat(QStringLiteral("%D")));
        QVERIFY(!IsValidDateFormat(QStringLiteral("%%%")));
        QVERIFY(IsValidDateFormat(QStringLiteral("%%q")));
    }

    void clockAndCalendarEdges_data() {
        QTest::addColumn<TimeValue>("date");
        QTest::addColumn<QString>("custom");
        QTest::addColumn<QString>("expected");
        QTest::newRow("half past midnight") << UtcMoment(2004, 12, 31, 0, 30, 0) << "%I %p %H"
                                            << "12 AM 00";
        QTest::newRow("noon") << UtcMoment(2004, 12, 31, 12, 0, 0) << "%I %p"
                              << "12 PM";
        QTest::newRow("last day of a leap year")
            << UtcMoment(2004, 12, 31, 0, 0, 0) << "%j %U %W %a %w"
            << "366 52 52 Fri 5";
        QTest::newRow("year starting on Sunday")
            << UtcMoment(2006, 1, 1, 0, 0, 0) << "%j %U %W %A %w"
            << "001 01 00 Sunday 0";
        QTest::newRow("year starting on Monday") << UtcMoment(2007, 1, 1, 0, 0, 0) << "%U %W"
                                                 << "00 01";
        QTest::newRow("two-digit year 2000") << UtcMoment(2000, 9, 1, 0, 0, 0) << "%y %b %B"
                                             << "00 Sep September";
        QTest::newRow("zone name") << UtcMoment(2004, 3, 5, 14, 7, 9) << "%z|%Z"
                                   << "UTC|UTC";
    }
    void clockAndCalendarEdges() {
        QFETCH(TimeValue, date);
        QFETCH(QString, custom);
        QFETCH(QString, expected);
        const CTimeZoneScope zone("UTC");
        QCOMPARE(DateText(date, DateFormat::Custom, QString(), false, 0, custom), expected);
    }

    // The offset adds elapsed hours; the local fields of the moment reached are printed,
    // so a day-light saving change between the two shows in the hours.
    void zones_data() {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<TimeValue>("date");
        QTest::addColumn<qint32>("offset");
        QTest::addColumn<QString>("expected");
        QTest::newRow("New York before spring")
            << QByteArray("America/New_York") << UtcMoment(2021, 3, 14, 6, 59, 59) << 0
            << "2021-03-14 01:59:59 EST";
        QTest::newRow("New York after spring")
            << QByteArray("America/New_York") << UtcMoment(2021, 3, 14, 7, 0, 0) << 0
            << "2021-03-14 03:00:00 EDT";
        QTest::newRow("New York offset over spring")
            << QByteArray("America/New_York") << UtcMoment(2021, 3, 14, 6, 30, 0) << 1
            << "2021-03-14 03:30:00 EDT";
        QTest::newRow("New York first 01:30")
            << QByteArray("America/New_York") << UtcMoment(2021, 11, 7, 5, 30, 0) << 0
            << "2021-11-07 01:30:00 EDT";
        QTest::newRow("New York second 01:30")
            << QByteArray("America/New_York") << UtcMoment(2021, 11, 7, 5, 30, 0) << 1
            << "2021-11-07 01:30:00 EST";
        QTest::newRow("Berlin before spring")
            << QByteArray("Europe/Berlin") << UtcMoment(2021, 3, 28, 0, 59, 59) << 0
            << "2021-03-28 01:59:59 CET";
        QTest::newRow("Berlin after spring")
            << QByteArray("Europe/Berlin") << UtcMoment(2021, 3, 28, 1, 0, 0) << 0
            << "2021-03-28 03:00:00 CEST";
        QTest::newRow("Berlin offset back a day")
            << QByteArray("Europe/Berlin") << UtcMoment(2004, 3, 5, 0, 30, 0) << -2
            << "2004-03-04 23:30:00 CET";
        QTest::newRow("Tokyo has no saving")
            << QByteArray("Asia/Tokyo") << UtcMoment(2021, 3, 14, 6, 59, 59) << 0
            << "2021-03-14 15:59:59 JST";
        QTest::newRow("Tokyo offset across days")
            << QByteArray("Asia/Tokyo") << UtcMoment(2021, 12, 31, 14, 0, 0) << 24
            << "2022-01-01 23:00:00 JST";
    }
    void zones() {
        QFETCH(QByteArray, zone);
        QFETCH(TimeValue, date);
        QFETCH(qint32, offset);
        QFETCH(QString, expected);
        const CTimeZoneScope scope(zone.constData());
        QCOMPARE(DateText(date, DateFormat::Custom, QString(), false, offset,
                          QStringLiteral("%Y-%m-%d %X %Z")),
                 expected);
    }

    void zoneIsRestored() {
        const QByteArray before = qgetenv("TZ");
        const bool wasSet = qEnvironmentVariableIsSet("TZ");
        {
            const CTimeZoneScope scope("Asia/Tokyo");
            QCOMPARE(qgetenv("TZ"), QByteArray("Asia/Tokyo"));
        }
        QCOMPARE(qEnvironmentVariableIsSet("TZ"), wasSet);
        QCOMPARE(qgetenv("TZ"), before);
    }

    void noDateOrUnknownFormatGivesNothing() {
        const CTimeZoneScope zone("UTC");
        const TimeValue date = UtcMoment(2004, 3, 5, 14, 7, 9);
        QCOMPARE(DateText(0, DateFormat::Ymd, QStringLiteral("-"), true, 0, QString()), QString());
        QCOMPARE(DateText(date, DateFormat(int(DateFormat::Custom) + 1), QStringLiteral("-"), true,
                          0, QString()),
                 QString());
        QCOMPARE(DateText(date, DateFormat(-1), QStringLiteral("-"), true, 0, QString()),
                 QString());
        QCOMPARE(DateText(date, DateFormat::Ymd, QStringLiteral("-"), true, 0, QString()),
                 QStringLiteral("2004-03-05"));
    }

    void extremeOffsetsStayInsideTheCalendar() {
        const CTimeZoneScope zone("UTC");
        const TimeValue date = UtcMoment(2004, 3, 5, 14, 7, 9);
        const qint32 most = std::numeric_limits<qint32>::max();
        const qint32 least = std::numeric_limits<qint32>::min();
        // 2^31 - 1 hours are 244,983 years and a little more.
        QCOMPARE(DateText(date, DateFormat::Custom, QString(), false, most, QStringLiteral("%Y")),
                 QStringLiteral("246987"));
        QCOMPARE(DateText(date, DateFormat::Custom, QString(), false, least, QStringLiteral("%Y")),
                 QStringLiteral("-242980"));
        QCOMPARE(DateText(date, DateFormat::Ymd, QString(), false, least, QString()).size(), 6);
    }

    void groupPlacesDate_data() {
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("suffix") << Settings({"Mode=2", "Format=6", "Segments=-", "Century=1",
                                             "Separator=_"})
                                << "photo.jpg"
                                << "photo_2004-03-05.jpg";
        QTest::newRow("prefix") << Settings({"Mode=1", "Format=6", "Segments=-", "Century=1",
                                             "Separator=_"})
                                << "photo.jpg"
                                << "2004-03-05_photo.jpg";
        QTest::newRow("custom drops separator")
            << Settings({"Mode=2", "Format=9", "Custom=%Y%m%d", "Separator=_"}) << "photo.jpg"
            << "photo20040305.jpg";
        QTest::newRow("custom failing check")
            << Settings({"Mode=2", "Format=9", "Custom=%q", "Separator=_"}) << "photo.jpg"
            << "photo.jpg";
        QTest::newRow("fixed layout of 128 keeps separator")
            << (Settings({"Mode=2", "Format=0", "Separator=_"})
                << QStringLiteral("Segments=") + QString(61, QLatin1Char('-')))
            << "photo.jpg"
            << "photo_.jpg";
        QTest::newRow("fixed layout of 126")
            << (Settings({"Mode=2", "Format=0", "Separator=_"})
                << QStringLiteral("Segments=") + QString(60, QLatin1Char('-')))
            << "photo.jpg"
            << QStringLiteral("photo_05") + QString(60, QLatin1Char('-')) + QStringLiteral("03") +
                   QString(60, QLatin1Char('-')) + QStringLiteral("04.jpg");
        QTest::newRow("offset text")
            << Settings({"Mode=2", "Format=7", "Segments=-", "Century=1", "Offset=-14"}) << "p.jpg"
            << "p2004-03-05-00-07.jpg";
        QTest::newRow("slashes from custom")
            << Settings({"Mode=1", "Format=9", "Custom=%x "}) << "p.jpg"
            << "03/05/04 p.jpg";
        QTest::newRow("empty base") << Settings({"Mode=2", "Format=3", "Segments=."}) << ".jpg"
                                    << "03.05.04.jpg";
    }
    void groupPlacesDate() {
        QFETCH(QStringList, settings);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        const CTimeZoneScope zone("Europe/Berlin");
        RenameCriteria criteria;
        QVERIFY(ApplySettings(criteria, QStringLiteral("Auto Date"), settings));
        NAMEINPUT input = InputFor(name);
        input.date = LocalMoment(2004, 3, 5, 14, 7, 9);
        QCOMPARE(Generate(criteria, input), expected);
    }

    void entryWithoutDateKeepsName() {
        RenameCriteria criteria;
        criteria.autoDate.mode = AutoDateMode::Suffix;
        criteria.autoDate.type = AutoDateType::Taken;
        criteria.autoDate.separator = QStringLiteral("_");
        QVERIFY(criteria.IsGroupActive(GroupAutoDate));
        QCOMPARE(Generate(criteria, InputFor(QStringLiteral("photo.jpg"))),
                 QStringLiteral("photo.jpg"));
    }

    void modeNoneKeepsName() {
        RenameCriteria criteria;
        criteria.autoDate.separator = QStringLiteral("_");
        NAMEINPUT input = InputFor(QStringLiteral("photo.jpg"));
        input.date = UtcMoment(2004, 3, 5, 14, 7, 9);
        QCOMPARE(Generate(criteria, input), QStringLiteral("photo.jpg"));
    }

    void offsetBeyondRangeClamps() {
        const CTimeZoneScope zone("UTC");
        RenameCriteria criteria;
        criteria.autoDate.mode = AutoDateMode::Suffix;
        criteria.autoDate.format = DateFormat::Custom;
        criteria.autoDate.custom = QStringLiteral("%Y");
        criteria.autoDate.offset = QStringLiteral("99999999999");
        NAMEINPUT input = InputFor(QStringLiteral("p"));
        input.date = UtcMoment(2004, 3, 5, 14, 7, 9);
        QCOMPARE(Generate(criteria, input), QStringLiteral("p246987"));
    }
};

QTEST_GUILESS_MAIN(TstDateText)
#include "tst_datetext.moc"
