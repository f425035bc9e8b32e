// SPDX-License-Identifier: GPL-3.0-or-later
#include "filelist/textrules.h"

#include <QtTest>

class TstTextRules : public QObject {
    Q_OBJECT
private slots:
    void toInt32_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("letters") << QStringLiteral("abc") << 0;
        QTest::newRow("digits then letters") << QStringLiteral("12abc") << 12;
        QTest::newRow("blank minus three") << QStringLiteral(" -3") << -3;
        QTest::newRow("tab plus") << QStringLiteral("\t+7") << 7;
        QTest::newRow("two signs") << QStringLiteral("--3") << 0;
        QTest::newRow("sign then blank") << QStringLiteral("- 3") << 0;
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("too large") << QStringLiteral("99999999999999999999") << 2147483647;
        QTest::newRow("too small")
            << QStringLiteral("-99999999999999999999") << int(-2147483647 - 1);
        QTest::newRow("max") << QStringLiteral("2147483647") << 2147483647;
        QTest::newRow("just above max") << QStringLiteral("2147483648") << 2147483647;
        QTest::newRow("min") << QStringLiteral("-2147483648") << int(-2147483647 - 1);
        QTest::newRow("arabic-indic digits are no digits") << QStringLiteral("\u0663") << 0;
    }
    void toInt32() {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(ToInt32(text), expected);
    }

    void caseFoldsOnlyAsciiLetters() {
        QCOMPARE(AsciiLower(QStringLiteral("ÄBC Éz")), QStringLiteral("Äbc Éz"));
        QCOMPARE(AsciiUpper(QStringLiteral("äbc éZ")), QStringLiteral("äBC éZ"));
        QCOMPARE(AsciiCompareNoCase(QStringLiteral("ABC"), QStringLiteral("abc")), 0);
        QVERIFY(AsciiCompareNoCase(QStringLiteral("É"), QStringLiteral("é")) != 0);
        QVERIFY(AsciiCompareNoCase(QStringLiteral("ab"), QStringLiteral("abc")) < 0);
    }

    void eightBitText_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ascii") << QByteArray("abc") << QStringLiteral("abc");
        QTest::newRow("utf-8") << QByteArray("caf\xc3\xa9") << QStringLiteral("café");
        QTest::newRow("windows-1252 e acute") << QByteArray("caf\xe9") << QStringLiteral("café");
        QTest::newRow("windows-1252 euro and quotes")
            << QByteArray("\x80 \x93x\x94") << QStringLiteral("\u20ac \u201cx\u201d");
        QTest::newRow("unassigned byte kept") << QByteArray("\x81") << QStringLiteral("\u0081");
        QTest::newRow("truncated utf-8") << QByteArray("a\xc3") << QStringLiteral("a\u00c3");
    }
    void eightBitText() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QCOMPARE(DecodeEightBit(bytes), expected);
    }
};

QTEST_GUILESS_MAIN(TstTextRules)
#include "tst_textrules.moc"
