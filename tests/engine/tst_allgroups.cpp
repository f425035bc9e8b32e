// SPDX-License-Identifier: GPL-3.0-or-later
#include "groupharness.h"

#include "engine/cregexpattern.h"

#include <QtTest>

namespace {

RenameCriteria EveryGroup() {
    RenameCriteria c;
    c.regex.match = QStringLiteral("IMG (\\d+) (.*)");
    c.regex.replace = QStringLiteral("\\2 \\1");
    c.fileName.mode = NameMode::Reverse;
    c.replacements.replace = QStringLiteral("00");
    c.replacements.with = QStringLiteral("0");
    c.letterCase.change = CaseMode::Upper;
    c.removals.accents = true;
    c.moveCopy.source = MoveSource::MoveFirst;
    c.moveCopy.number = QStringLiteral("3");
    c.moveCopy.target = MoveTarget::ToEnd;
    c.moveCopy.separator = QStringLiteral("_");
    c.additions.prefix = QStringLiteral("x");
    c.additions.suffix = QStringLiteral("~%k");
    c.autoDate.mode = AutoDateMode::Suffix;
    c.autoDate.format = DateFormat::Ymd;
    c.autoDate.segments = QStringLiteral("-");
    c.autoDate.century = true;
    c.autoDate.separator = QStringLiteral("_");
    c.folderName.mode = FolderNameMode::Prefix;
    c.folderName.levels = QStringLiteral("2");
    c.folderName.separator = QStringLiteral(" ");
    c.numbering.mode = NumberingMode::Suffix;
    c.numbering.separator = QStringLiteral("#");
    c.numbering.numerals = Numerals::Upper;
    c.extension.mode = ExtensionMode::Lower;
    return c;
}

} // namespace

class TstAllGroups : public QObject {
    Q_OBJECT
private slots:
    void everyGroupInOneCall() {
        const CTimeZoneScope zone("Europe/Berlin");
        const RenameCriteria criteria = EveryGroup();
        for (int group = GroupRegEx; group <= GroupExtension; ++group)
            QVERIFY2(criteria.IsGroupActive(group), qPrintable(QString::number(group)));
        CRegexPattern pattern;
        QVERIFY(pattern.Compile(criteria.regex.match));
        NAMEINPUT input = InputFor(QStringLiteral("IMG 0042 café.JPG"));
        input.pattern = &pattern;
        input.folderPath = QStringLiteral("/home/me/Trips/iv");
        input.date = LocalMoment(2004, 3, 5, 14, 7, 9);
        input.number = QStringLiteral("7");
        input.index = 3;
        NAMEOPTIONS options;
        options.debugRow = 3;
        QString trace;
        const QString result = GenerateNewName(criteria, input, options, &trace);
        QCOMPARE(result, QStringLiteral("Trips IV X eFAC_240~_2004-03-05#7.jpg"));

        const QStringList lines = trace.split(QLatin1Char('\n'));
        const QStringList expected{
            QStringLiteral("Original name: IMG 0042 café.JPG"),
            QStringLiteral("Components: Name=IMG 0042 café, Extension=.JPG"),
            QString(),
            QStringLiteral("Finished Group  1. Name=café 0042, Extension=.JPG"),
            QStringLiteral("Finished Group  2. Name=2400 éfac, Extension=.JPG"),
            QStringLiteral("Finished Group  3. Name=240 éfac, Extension=.JPG"),
            QStringLiteral("Finished Group  4. Name=240 éFAC, Extension=.JPG"),
            QStringLiteral("Finished Group  5. Name=240 eFAC, Extension=.JPG"),
            QStringLiteral("Finished Group  6. Name= eFAC_240, Extension=.JPG"),
            QStringLiteral("Finished Group  7. Name=x eFAC_240~, Extension=.JPG"),
            QStringLiteral("Finished Group  8. Name=x eFAC_240~_2004-03-05, Extension=.JPG"),
            QStringLiteral(
                "Finished Group  9. Name=Trips iv x eFAC_240~_2004-03-05, Extension=.JPG"),
            QStringLiteral(
                "Finished Group 10. Name=Trips IV X eFAC_240~_2004-03-05#7, Extension=.JPG"),
            QStringLiteral(
                "Finished Group 12. Name=Trips IV X eFAC_240~_2004-03-05#7, Extension=.jpg"),
            QString(),
            QStringLiteral("Final Name: Trips IV X eFAC_240~_2004-03-05#7.jpg"),
            QString(),
        };
        QCOMPARE(lines, expected);
    }

    // Every group's own settings stay, only the enable flags go off.
    void everyGroupDisabled() {
        RenameCriteria criteria = EveryGroup();
        criteria.regex.enabled = criteria.fileName.enabled = criteria.replacements.enabled = false;
        criteria.letterCase.enabled = criteria.removals.enabled = criteria.moveCopy.enabled = false;
        criteria.additions.enabled = criteria.autoDate.enabled = criteria.folderName.enabled =
            false;
        criteria.numbering.enabled = criteria.extension.enabled = false;
        NAMEINPUT input = InputFor(QStringLiteral("IMG 0042 café.JPG"));
        input.date = UtcMoment(2004, 3, 5, 14, 7, 9);
        input.number = QStringLiteral("7");
        QCOMPARE(Generate(criteria, input), QStringLiteral("IMG 0042 café.JPG"));
    }

    // Removals run before the additions, so they never touch added text.
    void laterGroupsAreNotSeenByEarlierOnes() {
        RenameCriteria criteria;
        criteria.removals.allDigits = true;
        criteria.additions.suffix = QStringLiteral("2");
        criteria.numbering.mode = NumberingMode::Prefix;
        criteria.moveCopy.source = MoveSource::CopyFirst;
        criteria.moveCopy.number = QStringLiteral("1");
        criteria.moveCopy.target = MoveTarget::ToEnd;
        NAMEINPUT input = InputFor(QStringLiteral("a1b.txt"));
        input.number = QStringLiteral("3");
        QCOMPARE(Generate(criteria, input), QStringLiteral("3aba2.txt"));
    }

    void surrogatePairsThroughTheWholePipeline() {
        RenameCriteria criteria;
        criteria.removals.firstN = QStringLiteral("1");
        criteria.moveCopy.source = MoveSource::CopyLast;
        criteria.moveCopy.number = QStringLiteral("1");
        criteria.moveCopy.target = MoveTarget::ToStart;
        criteria.additions.text = QStringLiteral("+");
        criteria.additions.textPos = QStringLiteral("-1");
        criteria.numbering.mode = NumberingMode::Insert;
        criteria.numbering.insert = QStringLiteral("1");
        NAMEINPUT input = InputFor(QStringLiteral("😀a😁.txt"));
        input.number = QStringLiteral("#");
        QCOMPARE(Generate(criteria, input), QStringLiteral("😁#a+😁.txt"));
    }
};

QTEST_GUILESS_MAIN(TstAllGroups)
#include "tst_allgroups.moc"
