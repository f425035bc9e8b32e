// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/translationtext.h"

#include <QtTest>

namespace {

TRANSLATIONPAIR Pair(const QString& from, const QString& to) {
    TRANSLATIONPAIR pair;
    pair.fromText = from;
    pair.toText = to;
    return pair;
}

// Each pair as from=to, so that a whole list compares in one line.
QStringList Written(const TRANSLATIONLIST& pairs) {
    QStringList lines;
    for (const TRANSLATIONPAIR& pair : pairs)
        lines.append(pair.fromText + QLatin1Char('=') + pair.toText);
    return lines;
}

TRANSLATIONLIST ManyPairs(int count) {
    TRANSLATIONLIST pairs;
    for (int i = 0; i < count; ++i)
        pairs.append(Pair(QStringLiteral("E9"), QStringLiteral("e")));
    return pairs;
}

} // namespace

class TstTranslationText : public QObject {
    Q_OBJECT
private slots:
    void editTextOfPairs() {
        QCOMPARE(TranslationsToEditText({}), QString());
        const TRANSLATIONLIST pairs{Pair(QStringLiteral("E9"), QStringLiteral("e")),
                                    Pair(QString(), QStringLiteral("x")),
                                    Pair(QStringLiteral("o,e"), QString())};
        QCOMPARE(TranslationsToEditText(pairs), QStringLiteral("E9=e\r\n=x\r\no,e=\r\n"));
    }

    void pairsOfEditText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        const QStringList twoPairs{QStringLiteral("E9=e"), QStringLiteral("FC=ue")};
        QTest::newRow("CR LF") << QStringLiteral("E9=e\r\nFC=ue\r\n") << twoPairs;
        QTest::newRow("LF, no end") << QStringLiteral("E9=e\nFC=ue") << twoPairs;
        QTest::newRow("lines without equals sign ignored")
            << QStringLiteral("note\r\nE9=e\r\n\r\nFC=ue") << twoPairs;
        QTest::newRow("empty left side")
            << QStringLiteral("=x") << QStringList{QStringLiteral("=x")};
        QTest::newRow("empty right side")
            << QStringLiteral("x=\r\n") << QStringList{QStringLiteral("x=")};
        QTest::newRow("only one CR dropped")
            << QStringLiteral("a=b\r\r\n") << QStringList{QStringLiteral("a=b\r")};
        QTest::newRow("blanks kept")
            << QStringLiteral(" a = b ") << QStringList{QStringLiteral(" a = b ")};
        QTest::newRow("empty text") << QString() << QStringList{};
        QTest::newRow("empty lines") << QStringLiteral("\r\n\r\n") << QStringList{};
    }
    void pairsOfEditText() {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        QCOMPARE(Written(TranslationsFromEditText(text)), expected);
    }

    void splitAtFirstEqualsSign() {
        const TRANSLATIONLIST pairs = TranslationsFromEditText(QStringLiteral("a=b=c"));
        QCOMPARE(pairs.size(), 1);
        QCOMPARE(pairs.at(0).fromText, QStringLiteral("a"));
        QCOMPARE(pairs.at(0).toText, QStringLiteral("b=c"));
        TRANSLATIONPAIR pair;
        QVERIFY(!SplitTranslationLine(QStringLiteral("no sign"), pair));
    }

    void roundTripKeepsEveryPair() {
        const TRANSLATIONLIST pairs{Pair(QStringLiteral("E9"), QStringLiteral("e")),
                                    Pair(QStringLiteral("00E9"), QStringLiteral("x")),
                                    Pair(QStringLiteral(" 3D "), QStringLiteral(" a=b ")),
                                    Pair(QString(), QString())};
        QCOMPARE(Written(TranslationsFromEditText(TranslationsToEditText(pairs))), Written(pairs));
    }

    void pairsComeBackDecoded() {
        const TRANSLATIONLIST pairs =
            TranslationsFromEditText(QStringLiteral("E9=e\r\n00E9=x\r\nFC=u,e\r\n"));
        QCOMPARE(pairs.size(), 3);
        QVERIFY(pairs.at(0).valid);
        QCOMPARE(pairs.at(0).fromChars, QStringLiteral("\u00e9"));
        QVERIFY(!pairs.at(1).valid);
        QCOMPARE(ApplyTranslations(pairs, QStringLiteral("Caf\u00e9 M\u00fcller")),
                 QStringLiteral("Cafe Mueller"));
    }

    void cautionAboveFiveHundred() {
        QString message = QStringLiteral("stale");
        QVERIFY(!TranslationsCaution(ManyPairs(500), message));
        QVERIFY(message.isEmpty());
        QVERIFY(TranslationsCaution(ManyPairs(501), message));
        QCOMPARE(message, QStringLiteral("Caution: You have defined more than 500 entries.\nThe "
                                         "excess entries will work during this session, but they "
                                         "will not be saved when you close the program."));
    }

    void cautionCountsPairsOfTheEditText() {
        const QString text = TranslationsToEditText(ManyPairs(501)) + QStringLiteral("no pair\r\n");
        const TRANSLATIONLIST pairs = TranslationsFromEditText(text);
        QCOMPARE(pairs.size(), 501);
        QString message;
        QVERIFY(TranslationsCaution(pairs, message));
    }

    void statusText() {
        QCOMPARE(TranslationsStoredStatus(),
                 QStringLiteral("Character Translations settings stored"));
    }
};

QTEST_GUILESS_MAIN(TstTranslationText)
#include "tst_translationtext.moc"
