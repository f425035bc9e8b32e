// SPDX-License-Identifier: GPL-3.0-or-later
#include "groupharness.h"

#include "engine/numbertext.h"

#include <QtTest>

#include <limits>

class TstNumbering : public QObject {
    Q_OBJECT
private slots:
    void numberText_data() {
        QTest::addColumn<qint64>("n");
        QTest::addColumn<int>("radix");
        QTest::addColumn<qint32>("pad");
        QTest::addColumn<QString>("expected");
        const qint64 most = std::numeric_limits<qint64>::max();
        const qint64 least = std::numeric_limits<qint64>::min();
        QTest::newRow("hex padded") << qint64(255) << 16 << 4 << "00FF";
        QTest::newRow("binary") << qint64(5) << 2 << 0 << "101";
        QTest::newRow("negative decimal") << qint64(-5) << 10 << 0 << "-5";
        QTest::newRow("padding before minus") << qint64(-5) << 10 << 4 << "00-5";
        QTest::newRow("minus counts toward pad") << qint64(-5) << 10 << 2 << "-5";
        QTest::newRow("negative hex") << qint64(-1) << 16 << 0 << "FFFFFFFFFFFFFFFF";
        QTest::newRow("negative binary") << qint64(-1) << 2 << 0 << QString(64, QLatin1Char('1'));
        QTest::newRow("negative octal") << qint64(-8) << 8 << 0 << "1777777777777777777770";
        QTest::newRow("smallest decimal") << least << 10 << 0 << "-9223372036854775808";
        QTest::newRow("largest base 36") << most << 36 << 0 << "1Y2P0IJ32E8E7";
        QTest::newRow("zero") << qint64(0) << 10 << 0 << "0";
        QTest::newRow("zero padded") << qint64(0) << 10 << 3 << "000";
        QTest::newRow("negative pad") << qint64(7) << 10 << -4 << "7";
        QTest::newRow("base 36 digit") << qint64(35) << 36 << 0 << "Z";
        QTest::newRow("base 36 ten") << qint64(36) << 36 << 0 << "10";
        QTest::newRow("base 3") << qint64(8) << 3 << 0 << "22";
        QTest::newRow("letters zero") << qint64(0) << kRadixCapitals << 0 << "";
        QTest::newRow("letters zero padded") << qint64(0) << kRadixCapitals << 2 << "AA";
        QTest::newRow("letters negative padded") << qint64(-3) << kRadixSmall << 3 << "aaa";
        QTest::newRow("small 1") << qint64(1) << kRadixSmall << 0 << "a";
        QTest::newRow("small 26") << qint64(26) << kRadixSmall << 0 << "z";
        QTest::newRow("small 27") << qint64(27) << kRadixSmall << 0 << "aa";
        QTest::newRow("small 28") << qint64(28) << kRadixSmall << 0 << "ab";
        QTest::newRow("small 52") << qint64(52) << kRadixSmall << 0 << "az";
        QTest::newRow("small 53") << qint64(53) << kRadixSmall << 0 << "ba";
        QTest::newRow("small 702") << qint64(702) << kRadixSmall << 0 << "zz";
        QTest::newRow("small 703") << qint64(703) << kRadixSmall << 0 << "aaa";
        QTest::newRow("capitals 703 padded") << qint64(703) << kRadixCapitals << 5 << "AAAAA";
        QTest::newRow("capitals largest") << most << kRadixCapitals << 0 << "CRPXNLSKVLJFHG";
        QTest::newRow("radix 1") << qint64(5) << 1 << 0 << "";
        QTest::newRow("radix 39") << qint64(5) << 39 << 0 << "";
    }
    void numberText() {
        QFETCH(qint64, n);
        QFETCH(int, radix);
        QFETCH(qint32, pad);
        QFETCH(QString, expected);
        QCOMPARE(NumberText(n, radix, pad), expected);
    }

    void hugePadIsBounded() {
        const QString text = NumberText(7, 10, std::numeric_limits<qint32>::max());
        QCOMPARE(text.size(), 1024);
        QVERIFY(text.endsWith(QStringLiteral("07")));
        QCOMPARE(NumberText(7, 10, 1000).size(), 1000);
    }

    void numbering_data() {
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("suffix") << Settings({"Mode=2", "Separator=_"}) << "3"
                                << "name.txt"
                                << "name_3.txt";
        QTest::newRow("prefix") << Settings({"Mode=1", "Separator=_"}) << "3"
                                << "name.txt"
                                << "3_name.txt";
        QTest::newRow("template brackets") << Settings({"Mode=2", "Separator=[:]"}) << "3"
                                           << "name.txt"
                                           << "name[3].txt";
        QTest::newRow("template two colons") << Settings({"Mode=2", "Separator=:-:"}) << "3"
                                             << "name.txt"
                                             << "name3-3.txt";
        QTest::newRow("prefix and suffix") << Settings({"Mode=3", "Separator=_"}) << "1"
                                           << "x.txt"
                                           << "1_x_1.txt";
        QTest::newRow("prefix and suffix template") << Settings({"Mode=3", "Separator=(:)"}) << "1"
                                                    << "x.txt"
                                                    << "(1)x(1).txt";
        QTest::newRow("insert after two") << Settings({"Mode=4", "Insert=2"}) << "7"
                                          << "abcd.txt"
                                          << "ab7cd.txt";
        QTest::newRow("insert before last") << Settings({"Mode=4", "Insert=-1"}) << "7"
                                            << "abcd.txt"
                                            << "abc7d.txt";
        QTest::newRow("insert after one") << Settings({"Mode=4", "Insert=1"}) << "7"
                                          << "abcd.txt"
                                          << "a7bcd.txt";
        QTest::newRow("insert zero") << Settings({"Mode=4", "Insert=0"}) << "7"
                                     << "abcd.txt"
                                     << "abcd.txt";
        QTest::newRow("insert beyond end") << Settings({"Mode=4", "Insert=99"}) << "7"
                                           << "abcd.txt"
                                           << "abcd7.txt";
        QTest::newRow("insert before start") << Settings({"Mode=4", "Insert=-99"}) << "7"
                                             << "abcd.txt"
                                             << "7abcd.txt";
        QTest::newRow("insert huge") << Settings({"Mode=4", "Insert=99999999999"}) << "7"
                                     << "abcd.txt"
                                     << "abcd7.txt";
        QTest::newRow("insert huge negative") << Settings({"Mode=4", "Insert=-99999999999"}) << "7"
                                              << "abcd.txt"
                                              << "7abcd.txt";
        QTest::newRow("insert with separators")
            << Settings({"Mode=4", "Insert=2", "Separator=_"}) << "7"
            << "abcd.txt"
            << "ab_7_cd.txt";
        QTest::newRow("insert with template")
            << Settings({"Mode=4", "Insert=2", "Separator=(:)"}) << "7"
            << "abcd.txt"
            << "ab(7)cd.txt";
        QTest::newRow("insert into empty base") << Settings({"Mode=4", "Insert=3"}) << "7"
                                                << ".txt"
                                                << "7.txt";
        QTest::newRow("insert after pair") << Settings({"Mode=4", "Insert=1"}) << "7"
                                           << "😀b.txt"
                                           << "😀7b.txt";
        QTest::newRow("insert before pair at end") << Settings({"Mode=4", "Insert=-1"}) << "7"
                                                   << "a😀.txt"
                                                   << "a7😀.txt";
        QTest::newRow("empty number") << Settings({"Mode=2", "Separator=_"}) << ""
                                      << "name.txt"
                                      << "name_.txt";
        QTest::newRow("numerals upper") << Settings({"Numerals=2"}) << "1"
                                        << "chapter iv and xi.txt"
                                        << "chapter IV and XI.txt";
        QTest::newRow("numerals need only letters") << Settings({"Numerals=2"}) << "1"
                                                    << "mixed.txt"
                                                    << "mixed.txt";
        QTest::newRow("numerals not well-formed") << Settings({"Numerals=2"}) << "1"
                                                  << "mix did civic.txt"
                                                  << "MIX DID CIVIC.txt";
        QTest::newRow("numerals lower") << Settings({"Numerals=1"}) << "1"
                                        << "Part XIV\tVI.txt"
                                        << "Part xiv\tvi.txt";
        QTest::newRow("numerals split at c spaces only") << Settings({"Numerals=2"}) << "1"
                                                         << "iv-x\u00A0i\vi.txt"
                                                         << "iv-x\u00A0i\vI.txt";
        QTest::newRow("numerals after number")
            << Settings({"Mode=2", "Separator= ", "Numerals=2"}) << "cd"
            << "x.txt"
            << "X CD.txt";
        QTest::newRow("numerals runs of blanks") << Settings({"Numerals=2"}) << "1"
                                                 << "  v  .txt"
                                                 << "  V  .txt";
    }
    void numbering() {
        QFETCH(QStringList, settings);
        QFETCH(QString, number);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        RenameCriteria criteria;
        QVERIFY(ApplySettings(criteria, QStringLiteral("Auto-Number"), settings));
        QVERIFY(criteria.IsGroupActive(GroupNumbering));
        NAMEINPUT input = InputFor(name);
        input.number = number;
        QCOMPARE(Generate(criteria, input), expected);
    }

    void extension_data() {
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<bool>("ignoreFiles");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("lower") << Settings({"Mode=1"}) << false << "A.TXT"
                               << "A.txt";
        QTest::newRow("lower ascii only") << Settings({"Mode=1"}) << false << "a.ÄB"
                                          << "a.Äb";
        QTest::newRow("upper") << Settings({"Mode=2"}) << false << "a.txt"
                               << "a.TXT";
        QTest::newRow("upper ascii only") << Settings({"Mode=2"}) << false << "a.äb"
                                          << "a.äB";
        QTest::newRow("title") << Settings({"Mode=3"}) << false << "a.TXT"
                               << "a.Txt";
        QTest::newRow("title delimiters") << Settings({"Mode=3"}) << false << "a.tar-gz"
                                          << "a.Tar-Gz";
        QTest::newRow("title dot only") << Settings({"Mode=3"}) << false << "a."
                                        << "a.";
        QTest::newRow("fixed without extension")
            << Settings({"Fixed=jpg", "Mode=4"}) << false << "folder"
            << "folder.jpg";
        QTest::newRow("fixed replaces") << Settings({"Fixed=jpg", "Mode=4"}) << false << "a.png"
                                        << "a.jpg";
        QTest::newRow("fixed empty") << Settings({"Mode=4"}) << false << "a.png"
                                     << "a.";
        QTest::newRow("fixed alone makes group active")
            << Settings({"Fixed=jpg"}) << false << "a.png"
            << "a.png";
        QTest::newRow("extra") << Settings({"Mode=5", "Fixed=bak"}) << false << "name.txt"
                               << "name.txt.bak";
        QTest::newRow("extra without extension")
            << Settings({"Mode=5", "Fixed=bak"}) << false << "name"
            << "name.bak";
        QTest::newRow("remove") << Settings({"Mode=6"}) << false << "a.txt"
                                << "a";
        QTest::newRow("ignored fixed") << Settings({"Mode=4", "Fixed=png"}) << true << "photo.jpg"
                                       << "photo.jpg.png";
        QTest::newRow("ignored extra") << Settings({"Mode=5", "Fixed=png"}) << true << "photo.jpg"
                                       << "photo.jpg.png";
        QTest::newRow("ignored upper") << Settings({"Mode=2"}) << true << "photo.jpg"
                                       << "photo.jpg";
        QTest::newRow("ignored remove") << Settings({"Mode=6"}) << true << "photo.jpg"
                                        << "photo.jpg";
        QTest::newRow("base untouched") << Settings({"Mode=2"}) << false << "abc.d.e"
                                        << "abc.d.E";
    }
    void extension() {
        QFETCH(QStringList, settings);
        QFETCH(bool, ignoreFiles);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        RenameCriteria criteria;
        QVERIFY(ApplySettings(criteria, QStringLiteral("Extension"), settings));
        QVERIFY(criteria.IsGroupActive(GroupExtension));
        NAMEOPTIONS options;
        options.ignoreFileExtensions = ignoreFiles;
        QCOMPARE(Generate(criteria, InputFor(name), options), expected);
    }

    void removingNameAndExtensionGivesNothing() {
        RenameCriteria criteria;
        criteria.fileName.mode = NameMode::Remove;
        criteria.extension.mode = ExtensionMode::Remove;
        QCOMPARE(Generate(criteria, InputFor(QStringLiteral("a.txt"))), QString());
    }

    void disabledExtensionGroupKeepsExtension() {
        RenameCriteria criteria;
        criteria.extension.mode = ExtensionMode::Upper;
        criteria.extension.enabled = false;
        QCOMPARE(Generate(criteria, InputFor(QStringLiteral("a.txt"))), QStringLiteral("a.txt"));
    }
};

QTEST_GUILESS_MAIN(TstNumbering)
#include "tst_numbering.moc"
