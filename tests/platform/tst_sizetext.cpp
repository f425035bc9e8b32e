// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/attributes.h"
#include "platform/sizetext.h"

#include <QLocale>
#include <QtTest>

class TstSizeText : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void sizeText_data() {
        QTest::addColumn<quint64>("size");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("expected");
        QTest::newRow("bytes") << quint64(1234567) << 1 << QStringLiteral("1,234,567 B");
        QTest::newRow("kilobytes") << quint64(1234567) << 2 << QStringLiteral("1,205 KB");
        QTest::newRow("1536 in KB") << quint64(1536) << 2 << QStringLiteral("1 KB");
        QTest::newRow("1536 mixed") << quint64(1536) << 5 << QStringLiteral("1 KB");
        QTest::newRow("zero in MB") << quint64(0) << 3 << QStringLiteral("0 MB");
        QTest::newRow("mixed bytes") << quint64(1023) << 5 << QStringLiteral("1,023 B");
        QTest::newRow("mixed MB") << quint64(5 * 1024 * 1024) << 5 << QStringLiteral("5 MB");
        QTest::newRow("mixed GB") << quint64(3) * 1024 * 1024 * 1024 << 5 << QStringLiteral("3 GB");
        QTest::newRow("GB") << quint64(1024) * 1024 * 1024 * 1024 << 4
                            << QStringLiteral("1,024 GB");
        QTest::newRow("unknown mode") << quint64(99) << 7 << QStringLiteral("0");
    }
    void sizeText() {
        QFETCH(quint64, size);
        QFETCH(int, mode);
        QFETCH(QString, expected);
        QCOMPARE(SizeText(size, mode), expected);
    }

    void attributeLetters_data() {
        QTest::addColumn<quint32>("attributes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("read-only hidden")
            << quint32(AttrReadOnly | AttrHidden) << QStringLiteral("RH");
        QTest::newRow("archive system")
            << quint32(AttrArchive | AttrSystem) << QStringLiteral("AS");
        QTest::newRow("all four") << quint32(0x27) << QStringLiteral("RASH");
        QTest::newRow("directory only") << quint32(AttrDirectory) << QString();
        QTest::newRow("invalid") << kInvalidAttributes << QString();
    }
    void attributeLetters() {
        QFETCH(quint32, attributes);
        QFETCH(QString, expected);
        QCOMPARE(AttributeLetters(attributes), expected);
    }
};

QTEST_GUILESS_MAIN(TstSizeText)
#include "tst_sizetext.moc"
