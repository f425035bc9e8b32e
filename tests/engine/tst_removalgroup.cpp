// SPDX-License-Identifier: GPL-3.0-or-later
#include "groupharness.h"

#include <QtTest>

class TstRemovalGroup : public QObject {
    Q_OBJECT
private slots:
    void steps_data() {
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");

        QTest::newRow("first n longer than base") << Settings({"First N=3"}) << "ab.txt"
                                                  << ".txt";
        QTest::newRow("first n") << Settings({"First N=2"}) << "abcd.txt"
                                 << "cd.txt";
        QTest::newRow("last n zero") << Settings({"Last N=0", "First N=1"}) << "abc.txt"
                                     << "bc.txt";
        QTest::newRow("last n") << Settings({"Last N=2"}) << "abcd.txt"
                                << "ab.txt";
        QTest::newRow("last n equal to length") << Settings({"Last N=4"}) << "abcd.txt"
                                                << ".txt";
        QTest::newRow("negative first n") << Settings({"First N=-3"}) << "abc.txt"
                                          << "abc.txt";
        QTest::newRow("huge first n clamps") << Settings({"First N=99999999999"}) << "abc.txt"
                                             << ".txt";
        QTest::newRow("huge negative last n") << Settings({"Last N=-99999999999"}) << "abc.txt"
                                              << "abc.txt";
        QTest::newRow("counts on empty base")
            << Settings({"First N=1", "Last N=1", "From=1", "To=2"}) << ".txt"
            << ".txt";
        QTest::newRow("range to beyond end") << Settings({"From=2", "To=99"}) << "abcdef.txt"
                                             << "a.txt";
        QTest::newRow("range reversed") << Settings({"From=4", "To=2"}) << "abcdef.txt"
                                        << "abcdef.txt";
        QTest::newRow("range from zero") << Settings({"From=0", "To=3"}) << "abcdef.txt"
                                         << "abcdef.txt";
        QTest::newRow("range beyond end") << Settings({"From=7", "To=9"}) << "abcdef.txt"
                                          << "abcdef.txt";
        QTest::newRow("range of one") << Settings({"From=3", "To=3"}) << "abcdef.txt"
                                      << "abdef.txt";
        QTest::newRow("range last character") << Settings({"From=6", "To=6"}) << "abcdef.txt"
                                              << "abcde.txt";
        QTest::newRow("chars case-sensitive") << Settings({"Chars=xy"}) << "Xylophone.txt"
                                              << "Xlophone.txt";
        QTest::newRow("chars every occurrence") << Settings({"Chars=o"}) << "Xylophone.txt"
                                                << "Xylphne.txt";
        QTest::newRow("words inside words") << Settings({"Words=cat"}) << "concatenate.txt"
                                            << "conenate.txt";
        QTest::newRow("words single pass") << Settings({"Words=ab"}) << "aabb.txt"
                                           << "ab.txt";
        QTest::newRow("words in order") << Settings({"Words=  a   b "}) << "abcab.txt"
                                        << "c.txt";
        QTest::newRow("words case-sensitive") << Settings({"Words=Cat"}) << "cat.txt"
                                              << "cat.txt";
        QTest::newRow("crop before") << Settings({"Crop Marker=-"}) << "2004 - Title.txt"
                                     << "- Title.txt";
        QTest::newRow("crop after")
            << Settings({"Crop Mode=1", "Crop Marker=-"}) << "2004 - Title.txt"
            << "2004 -.txt";
        QTest::newRow("crop first occurrence")
            << Settings({"Crop Mode=1", "Crop Marker=-"}) << "a-b-c.txt"
            << "a-.txt";
        QTest::newRow("crop marker missing") << Settings({"Crop Marker=#"}) << "2004 - Title.txt"
                                             << "2004 - Title.txt";
        QTest::newRow("special both sides")
            << Settings({"Crop Mode=2", "Crop Marker=[*]"}) << "a [b] c.txt"
            << "a  c.txt";
        QTest::newRow("special to end")
            << Settings({"Crop Mode=2", "Crop Marker=[*"}) << "a [b] c.txt"
            << "a .txt";
        QTest::newRow("special from start")
            << Settings({"Crop Mode=2", "Crop Marker=*]"}) << "a [b] c.txt"
            << " c.txt";
        QTest::newRow("special right missing")
            << Settings({"Crop Mode=2", "Crop Marker=[*x"}) << "a [b] c.txt"
            << "a [b] c.txt";
        QTest::newRow("special left missing")
            << Settings({"Crop Mode=2", "Crop Marker=q*]"}) << "a [b] c.txt"
            << "a [b] c.txt";
        QTest::newRow("special without asterisk")
            << Settings({"Crop Mode=2", "Crop Marker=[b"}) << "a [b] c.txt"
            << "a [b] c.txt";
        QTest::newRow("special right found inside left")
            << Settings({"Crop Mode=2", "Crop Marker=ab*b"}) << "abxb.txt"
            << "xb.txt";
        QTest::newRow("special right after start")
            << Settings({"Crop Mode=2", "Crop Marker=*a"}) << "a.txt"
            << "a.txt";
        QTest::newRow("special asterisk alone")
            << Settings({"Crop Mode=2", "Crop Marker=*"}) << "abc.txt"
            << ".txt";
        QTest::newRow("all digits") << Settings({"All Digits=1"}) << "a1b2c3٣.txt"
                                    << "abc٣.txt";
        QTest::newRow("all high") << Settings({"All High=1"}) << "café-ő\u00A0\u00FF\u0100.txt"
                                  << "caf-ő\u0100.txt";
        QTest::newRow("all high keeps pairs") << Settings({"All High=1"}) << "a😀é.txt"
                                              << "a😀.txt";
        QTest::newRow("trim") << Settings({"Trim=1"}) << "\t a b \r.txt"
                              << "a b.txt";
        QTest::newRow("trim unicode spaces") << Settings({"Trim=1"}) << "\u3000x\u00A0.txt"
                                             << "x.txt";
        QTest::newRow("trim then double space")
            << Settings({"Trim=1", "Double Space=1"}) << "  a   b .txt"
            << "a b.txt";
        QTest::newRow("double space alone") << Settings({"Double Space=1"}) << " a  b    c .txt"
                                            << " a b c .txt";
        QTest::newRow("double space only blanks") << Settings({"Double Space=1"}) << "a\t\tb.txt"
                                                  << "a\t\tb.txt";
        QTest::newRow("accents latin") << Settings({"Accents=1"}) << "Café Ñandú Ångström.txt"
                                       << "Cafe Nandu Angstrom.txt";
        QTest::newRow("accents greek and cyrillic") << Settings({"Accents=1"}) << "άέώ йё.txt"
                                                    << "αεω ие.txt";
        QTest::newRow("accents without decomposition") << Settings({"Accents=1"}) << "øæß.txt"
                                                       << "øæß.txt";
        QTest::newRow("accents keep hangul") << Settings({"Accents=1"}) << "한국.txt"
                                             << "한국.txt";
        QTest::newRow("accents outside the plane") << Settings({"Accents=1"}) << "a\U0001D15Eb.txt"
                                                   << "a\U0001D157b.txt";
        QTest::newRow("all chars") << Settings({"All Chars=1"}) << "ab1éZ-.txt"
                                   << "1é-.txt";
        QTest::newRow("all symbols")
            << Settings({"All Symbols=1"}) << "a!£$%^&*()-_=+[]{};:'@#~,.<>/?\\|`¬¦\" b.txt"
            << "a\" b.txt";
        QTest::newRow("all symbols keep others") << Settings({"All Symbols=1"}) << "«a»€§.txt"
                                                 << "«a»€§.txt";
        QTest::newRow("dot one") << Settings({"Lead Dots=1"}) << ".x.txt"
                                 << "x.txt";
        QTest::newRow("dot one on two") << Settings({"Lead Dots=1"}) << "..x.txt"
                                        << "..x.txt";
        QTest::newRow("dot two") << Settings({"Lead Dots=2"}) << "..x.txt"
                                 << "x.txt";
        QTest::newRow("dot two on one") << Settings({"Lead Dots=2"}) << ".x.txt"
                                        << ".x.txt";
        QTest::newRow("dot both on one") << Settings({"Lead Dots=3"}) << ".x.txt"
                                         << "x.txt";
        QTest::newRow("dot both on two") << Settings({"Lead Dots=3"}) << "..x.txt"
                                         << "x.txt";
        QTest::newRow("dot both on three") << Settings({"Lead Dots=3"}) << "...x.txt"
                                           << "...x.txt";
        QTest::newRow("dot both on single dot") << Settings({"Lead Dots=3"}) << "..txt"
                                                << "..txt";
        QTest::newRow("dot both on two dots") << Settings({"Lead Dots=3"}) << "...txt"
                                              << "...txt";
    }
    void steps() {
        QFETCH(QStringList, settings);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        RenameCriteria criteria;
        QVERIFY(ApplySettings(criteria, QStringLiteral("Removals"), settings));
        QVERIFY(criteria.IsGroupActive(GroupRemove));
        QCOMPARE(Generate(criteria, InputFor(name)), expected);
    }

    // Each pair only comes out this way when the steps run in their fixed order.
    void stepOrder_data() {
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("counts before range")
            << Settings({"First N=1", "From=2", "To=2"}) << "abc.txt"
            << "b.txt";
        QTest::newRow("chars before words") << Settings({"Chars=x", "Words=ab"}) << "axb.txt"
                                            << ".txt";
        QTest::newRow("words before crop") << Settings({"Words=-", "Crop Marker=-"}) << "a-b.txt"
                                           << "ab.txt";
        QTest::newRow("crop before digits")
            << Settings({"Crop Marker=1b", "All Digits=1"}) << "1a1b1.txt"
            << "b.txt";
        QTest::newRow("digits before trim") << Settings({"All Digits=1", "Trim=1"}) << "1 a.txt"
                                            << "a.txt";
        QTest::newRow("high before accents") << Settings({"All High=1", "Accents=1"}) << "éa.txt"
                                             << "a.txt";
        QTest::newRow("accents before letters")
            << Settings({"Accents=1", "All Chars=1"}) << "éx1.txt"
            << "1.txt";
        QTest::newRow("chars before lead dots")
            << Settings({"Chars=-", "Lead Dots=1"}) << ".-.x.txt"
            << "..x.txt";
    }
    void stepOrder() { steps(); }

    void surrogatePairsStayWhole_data() {
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first n ends inside pair") << Settings({"First N=1"}) << "😀ab.txt"
                                                  << "ab.txt";
        QTest::newRow("first n after pair") << Settings({"First N=2"}) << "😀ab.txt"
                                            << "ab.txt";
        QTest::newRow("last n starts inside pair") << Settings({"Last N=1"}) << "ab😀.txt"
                                                   << "ab.txt";
        QTest::newRow("range starts on low half") << Settings({"From=2", "To=2"}) << "😀ab.txt"
                                                  << "😀ab.txt";
        QTest::newRow("range ends on high half") << Settings({"From=1", "To=1"}) << "😀ab.txt"
                                                 << "ab.txt";
        QTest::newRow("range across") << Settings({"From=2", "To=3"}) << "😀ab.txt"
                                      << "😀b.txt";
        QTest::newRow("chars whole character") << Settings({"Chars=😀"}) << "a😀b😁.txt"
                                               << "ab😁.txt";
        QTest::newRow("words with pairs") << Settings({"Words=😀"}) << "a😀b😁.txt"
                                          << "ab😁.txt";
        QTest::newRow("crop after pair") << Settings({"Crop Mode=1", "Crop Marker=😀"}) << "a😀b.txt"
                                         << "a😀.txt";
    }
    void surrogatePairsStayWhole() { steps(); }

    void onlyLeadDotsMakesGroupActive() {
        RenameCriteria criteria;
        QVERIFY(!criteria.IsGroupActive(GroupRemove));
        criteria.removals.leadDots = LeadDots::Single;
        QVERIFY(criteria.IsGroupActive(GroupRemove));
        QCOMPARE(Generate(criteria, InputFor(QStringLiteral(".hidden.txt"))),
                 QStringLiteral("hidden.txt"));
    }

    void disabledGroupRemovesNothing() {
        RenameCriteria criteria;
        criteria.removals.firstN = QStringLiteral("2");
        criteria.removals.enabled = false;
        QCOMPARE(Generate(criteria, InputFor(QStringLiteral("abc.txt"))),
                 QStringLiteral("abc.txt"));
    }

    void extensionUntouched() {
        RenameCriteria criteria;
        criteria.removals.allChars = true;
        QCOMPARE(Generate(criteria, InputFor(QStringLiteral("abc1.txt"))), QStringLiteral("1.txt"));
    }
};

QTEST_GUILESS_MAIN(TstRemovalGroup)
#include "tst_removalgroup.moc"
