// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/cregexpattern.h"
#include "engine/lettercase.h"
#include "engine/namegenerator.h"
#include "engine/replacetext.h"

#include <QtTest>

namespace {

QString Run(const RenameCriteria& criteria, const QString& name, bool ignoreFiles = false) {
    CRegexPattern pattern;
    NAMEINPUT input;
    input.name = name;
    if (criteria.IsGroupActive(GroupRegEx) && pattern.Compile(criteria.regex.match))
        input.pattern = &pattern;
    input.exceptionWords = SplitExceptionWords(criteria.letterCase.exceptions);
    NAMEOPTIONS options;
    options.ignoreFileExtensions = ignoreFiles;
    return GenerateNewName(criteria, input, options);
}

} // namespace

class TstTextGroups : public QObject {
    Q_OBJECT
private slots:
    void regex_data() {
        QTest::addColumn<QString>("match");
        QTest::addColumn<QString>("replace");
        QTest::addColumn<bool>("includeExt");
        QTest::addColumn<bool>("ignoreFiles");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("swap groups") << "(\\w+)-(\\d+)"
                                     << "\\2_\\1" << false << false << "abc-123.txt"
                                     << "123_abc.txt";
        QTest::newRow("match inside name") << "x"
                                           << "Y" << false << false << "fox.txt"
                                           << "Y.txt";
        QTest::newRow("with extension") << "(.*)"
                                        << "\\1" << true << false << "a.txt"
                                        << "a.txt.txt";
        QTest::newRow("extension ignored") << "(.*)"
                                           << "\\1" << false << true << "a.txt"
                                           << "a.txt";
        QTest::newRow("empty replace") << "a"
                                       << "" << false << false << "a.txt"
                                       << "a.txt";
        QTest::newRow("empty match matches all") << ""
                                                 << "X" << false << false << "any.txt"
                                                 << "X.txt";
        QTest::newRow("no match") << "q"
                                  << "Y" << false << false << "fox.txt"
                                  << "fox.txt";
        QTest::newRow("accented subject") << "(.*)"
                                          << "\\1x" << false << false << "Café.txt"
                                          << "Caféx.txt";
        QTest::newRow("accented pattern") << "é"
                                          << "e" << false << false << "Café.txt"
                                          << "e.txt";
        QTest::newRow("unicode word class") << "^(\\w+)$"
                                            << "[\\1]" << false << false << "Müller.txt"
                                            << "[Müller].txt";
        QTest::newRow("unset group is empty") << "(a)|(b)"
                                              << "<\\1\\2>" << false << false << "b.txt"
                                              << "<b>.txt";
        QTest::newRow("ten groups count as no groups")
            << "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)"
            << "\\1-\\9" << false << false << "abcdefghij.txt"
            << "\\1-\\9.txt";
        QTest::newRow("captured token substituted again") << "(..)(.)"
                                                          << "\\1" << false << false << "\\2x.txt"
                                                          << "x.txt";
        QTest::newRow("token beyond the groups stays") << "(a)(b)"
                                                       << "\\2\\1\\5" << false << false << "ab.txt"
                                                       << "ba\\5.txt";
        QTest::newRow("undecodable byte kept")
            << "(.*)"
            << "\\1x" << false << false << QString::fromUtf16(u"\xdcff.txt")
            << QString::fromUtf16(u"\xdcffx.txt");
        QTest::newRow("undecodable bytes move as characters") << "^(.)(.*)$"
                                                              << "\\2\\1" << false << false
                                                              << QString::fromUtf16(u"\xdcfe\xdcc3"
                                                                                    u"b.txt")
                                                              << QString::fromUtf16(u"\xdcc3"
                                                                                    u"b\xdcfe.txt");
        QTest::newRow("undecodable byte matched by U+FFFD")
            << "\ufffd"
            << "X" << false << false << QString::fromUtf16(u"\xdcff") << "X";
        QTest::newRow("ascii before accented groups")
            << "^(\\w+) (\\w+)$"
            << "\\2 \\1" << false << false << "ab \u00C9d.txt"
            << "\u00C9d ab.txt";
        QTest::newRow("surrogate pair captured") << "(.)"
                                                 << "\\1" << false << false << "\U0001F600x.txt"
                                                 << "\U0001F600.txt";
    }
    // One pattern serves every row of a worker: a subject must never see what an earlier,
    // longer or non-ASCII one left behind.
    void regexPatternReused() {
        CRegexPattern pattern;
        QVERIFY(pattern.Compile(QStringLiteral("^(.)(.*)$")));
        const QString subjects[] = {QStringLiteral("M\u00FCller und S\u00F6hne"),
                                    QStringLiteral("ab"), QString::fromUtf16(u"\U0001F600z"),
                                    QStringLiteral("x"), QStringLiteral("long ascii name")};
        for (const QString& subject : subjects) {
            QStringList groups;
            QCOMPARE(pattern.Match(subject, groups), 3);
            QCOMPARE(groups.join(QString()), subject);
        }
    }

    void regex() {
        QFETCH(QString, match);
        QFETCH(QString, replace);
        QFETCH(bool, includeExt);
        QFETCH(bool, ignoreFiles);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        RenameCriteria criteria;
        criteria.regex.match = match;
        criteria.regex.replace = replace;
        criteria.regex.includeExtension = includeExt;
        QCOMPARE(Run(criteria, name, ignoreFiles), expected);
    }

    void invalidPatternLeavesNameToOtherGroups() {
        RenameCriteria criteria;
        criteria.regex.match = QStringLiteral("(unclosed");
        criteria.regex.replace = QStringLiteral("X");
        criteria.letterCase.change = CaseMode::Upper;
        CRegexPattern pattern;
        QVERIFY(!pattern.Compile(criteria.regex.match));
        QCOMPARE(Run(criteria, QStringLiteral("name.txt")), QStringLiteral("NAME.txt"));
    }

    void groupLongerThanBufferGivesEmptyText() {
        RenameCriteria criteria;
        criteria.regex.match = QStringLiteral("(.*)");
        criteria.regex.replace = QStringLiteral("[\\1]");
        QCOMPARE(Run(criteria, QString(255, QLatin1Char('a')) + QStringLiteral(".t")),
                 QStringLiteral("[") + QString(255, QLatin1Char('a')) + QStringLiteral("].t"));
        QCOMPARE(Run(criteria, QString(256, QLatin1Char('a')) + QStringLiteral(".t")),
                 QStringLiteral("[].t"));
    }

    void replaceTokenFollowsMatchCase() {
        RenameCriteria criteria;
        criteria.regex.match = QStringLiteral("(a)");
        criteria.regex.replace = QStringLiteral("\\1");
        QCOMPARE(Run(criteria, QStringLiteral("a.txt")), QStringLiteral("a.txt"));
    }

    void nameModes_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("fixed");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("keep") << 0 << ""
                              << "abc.txt"
                              << "abc.txt";
        QTest::newRow("remove") << 1 << ""
                                << "abc.txt"
                                << ".txt";
        QTest::newRow("fixed") << 2 << "new"
                               << "abc.txt"
                               << "new.txt";
        QTest::newRow("fixed empty") << 2 << ""
                                     << "abc.txt"
                                     << ".txt";
        QTest::newRow("reverse") << 3 << ""
                                 << "abc.txt"
                                 << "cba.txt";
        QTest::newRow("reverse keeps surrogates") << 3 << ""
                                                  << "a\U0001F600b.txt"
                                                  << "b\U0001F600a.txt";
    }
    void nameModes() {
        QFETCH(int, mode);
        QFETCH(QString, fixed);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        RenameCriteria criteria;
        criteria.fileName.mode = NameMode(mode);
        criteria.fileName.fixed = fixed;
        QCOMPARE(Run(criteria, name), expected);
    }

    void replaceText_data() {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("with");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ignore case") << "aBab"
                                     << "ab"
                                     << "X" << false << "XX";
        QTest::newRow("match case") << "aBab"
                                    << "ab"
                                    << "X" << true << "aBX";
        QTest::newRow("no overlap") << "aaa"
                                    << "aa"
                                    << "b" << true << "ba";
        QTest::newRow("inserted text not searched") << "ab"
                                                    << "a"
                                                    << "aa" << true << "aab";
        QTest::newRow("with kept as given") << "ABC"
                                            << "b"
                                            << "xY" << false << "AxYC";
        QTest::newRow("accents fold not") << "ÉCOLE"
                                          << "é"
                                          << "e" << false << "ÉCOLE";
        QTest::newRow("empty subject") << ""
                                       << "a"
                                       << "b" << false << "";
        QTest::newRow("folded no overlap") << "AaA"
                                           << "aa"
                                           << "b" << false << "bA";
        QTest::newRow("folded every place") << "XyZ-xYz.XYZ"
                                            << "xYZ"
                                            << "1" << false << "1-1.1";
        QTest::newRow("folded at the very end") << "abcD"
                                                << "Cd"
                                                << "!" << false << "ab!";
        QTest::newRow("folded needle longer") << "ab"
                                              << "ABC"
                                              << "x" << false << "ab";
        QTest::newRow("folded near miss") << "aab"
                                          << "AB"
                                          << "-" << false << "a-";
    }
    void replaceText() {
        QFETCH(QString, subject);
        QFETCH(QString, find);
        QFETCH(QString, with);
        QFETCH(bool, matchCase);
        QFETCH(QString, expected);
        QCOMPARE(ReplaceText(subject, find, with, matchCase), expected);
    }

    void replaceGroup() {
        RenameCriteria criteria;
        criteria.replacements.replace = QStringLiteral("ab");
        criteria.replacements.with = QStringLiteral("X");
        QCOMPARE(Run(criteria, QStringLiteral("aBab.ab")), QStringLiteral("XX.ab"));
        criteria.replacements.matchCase = true;
        QCOMPARE(Run(criteria, QStringLiteral("aBab.ab")), QStringLiteral("aBX.ab"));
    }

    void caseModes_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("exceptions");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("lower keeps accents") << 1 << ""
                                             << "ÉCOLE ABC.TXT"
                                             << "École abc.TXT";
        QTest::newRow("upper keeps accents") << 2 << ""
                                             << "école abc.txt"
                                             << "éCOLE ABC.txt";
        QTest::newRow("title") << 3 << ""
                               << "hello world-wide (test]x.txt"
                               << "Hello World-Wide (Test]x.txt";
        QTest::newRow("title apostrophe") << 3 << ""
                                          << "o'neil's,x.txt"
                                          << "O'neil's,x.txt";
        QTest::newRow("title one char") << 3 << ""
                                        << "a.txt"
                                        << "A.txt";
        QTest::newRow("sentence") << 4 << ""
                                  << "HELLO. WORLD.txt"
                                  << "Hello. World.txt";
        QTest::newRow("sentence digit first") << 4 << ""
                                              << "1st place.txt"
                                              << "1St place.txt";
        QTest::newRow("exception in same mode") << 0 << "DVD"
                                                << "dvdrip.txt"
                                                << "DVDrip.txt";
        QTest::newRow("exceptions after title") << 3 << " DVD::XviD "
                                                << "my dvd xvid.txt"
                                                << "My DVD XviD.txt";
    }
    void caseModes() {
        QFETCH(int, mode);
        QFETCH(QString, exceptions);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        RenameCriteria criteria;
        criteria.letterCase.change = CaseMode(mode);
        criteria.letterCase.exceptions = exceptions;
        QCOMPARE(Run(criteria, name), expected);
    }

    void titleAndSentenceDirect() {
        QCOMPARE(TitleCase(QString()), QString());
        QCOMPARE(TitleCase(QStringLiteral(".tar-gz")), QStringLiteral(".Tar-Gz"));
        QCOMPARE(TitleCase(QStringLiteral(".TXT")), QStringLiteral(".Txt"));
        QCOMPARE(SentenceCase(QStringLiteral("a.b c")), QStringLiteral("A.B c"));
        QCOMPARE(SentenceCase(QString()), QString());
    }
};

QTEST_GUILESS_MAIN(TstTextGroups)
#include "tst_textgroups.moc"
