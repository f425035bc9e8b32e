// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/criterionbinding.h"
#include "engine/renamecriteria.h"

#include <QtTest>

namespace {

const CRITERIONBINDING& Binding(const char* section, const char* key) {
    const CRITERIONBINDING* b =
        FindCriterion(QString::fromLatin1(section), QString::fromLatin1(key));
    Q_ASSERT(b);
    return *b;
}

class CRecordingObserver : public ICriteriaObserver {
public:
    QStringList events;
    void CriteriaChanged(int group) override { events << QStringLiteral("changed %1").arg(group); }
    void PushCriteria(ResetAfter after) override {
        events << (after == ResetAfter::Push ? QStringLiteral("push") : QStringLiteral("rescan"));
    }
};

} // namespace

class TstRenameCriteria : public QObject {
    Q_OBJECT
private slots:
    void defaultsMatchLoadDefaults() {
        RenameCriteria criteria;
        for (const CRITERIONBINDING& b : CriteriaBindings())
            QCOMPARE(criteria.Value(b), QLatin1String(b.loadDefault));
        QCOMPARE(int(CriteriaBindings().size()), 80);
    }

    void everyCriterionCanBeSetAndReadByName() {
        RenameCriteria criteria;
        for (const CRITERIONBINDING& b : CriteriaBindings()) {
            const QString value = b.kind == CriterionKind::Text ? QStringLiteral("  x y ")
                                  : b.kind == CriterionKind::Check
                                      ? QStringLiteral("%1").arg(b.loadDefault[0] == '1' ? 0 : 1)
                                      : QString::number(b.choiceCount - 1);
            QVERIFY2(criteria.SetValue(b, value), b.key);
            QCOMPARE(criteria.Value(b), value);
        }
        // Each binding reaches a field of its own: nothing set above was overwritten.
        for (const CRITERIONBINDING& b : CriteriaBindings())
            QVERIFY2(criteria.Value(b) != QLatin1String(b.loadDefault), b.key);
    }

    void lookupIgnoresCase() {
        QVERIFY(FindCriterion(u"auto-number", u"BREAK FOLDER"));
        QVERIFY(!FindCriterion(u"Auto-Number", u"Breaks"));
        QVERIFY(!FindCriterion(u"Replacements", u"Match Case")); // has no favourites key
    }

    void setValueRefusesOutOfRange_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("choice too large") << "Case"
                                          << "Change"
                                          << "5";
        QTest::newRow("choice negative") << "Auto-Number"
                                         << "Type"
                                         << "-1";
        QTest::newRow("check two") << "Criteria"
                                   << "RegEx"
                                   << "2";
        QTest::newRow("check text") << "Selections"
                                    << "Files"
                                    << "yes";
    }
    void setValueRefusesOutOfRange() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        RenameCriteria criteria;
        const CRITERIONBINDING* b = FindCriterion(section, key);
        QVERIFY(b);
        const QString before = criteria.Value(*b);
        QVERIFY(!criteria.SetValue(*b, value));
        QCOMPARE(criteria.Value(*b), before);
    }

    void loadValueOutsideListChoosesNothing() {
        RenameCriteria criteria;
        criteria.LoadValue(Binding("Auto-Number", "Type"), QString(), 40);
        QCOMPARE(criteria.numbering.type, NumberingType(-1));
        criteria.LoadValue(Binding("Criteria", "Case"), QString(), 7);
        QVERIFY(criteria.letterCase.enabled);
    }

    // Each choice type's last enumerator is the last entry of its list, and the binding
    // reaches the field of that type.
    void choiceTypesMatchTheirLists() {
        struct ROW {
            const char* section;
            const char* key;
            int last;
            int (*field)(const RenameCriteria&);
        };
        const ROW rows[] = {
            {"Filename", "Mode", int(NameMode::Reverse),
             [](const RenameCriteria& c) { return int(c.fileName.mode); }},
            {"Case", "Change", int(CaseMode::Sentence),
             [](const RenameCriteria& c) { return int(c.letterCase.change); }},
            {"Removals", "Crop Mode", int(CropMode::Special),
             [](const RenameCriteria& c) { return int(c.removals.cropMode); }},
            {"Removals", "Lead Dots", int(LeadDots::Both),
             [](const RenameCriteria& c) { return int(c.removals.leadDots); }},
            {"MoveCopy", "Source", int(MoveSource::MoveLast),
             [](const RenameCriteria& c) { return int(c.moveCopy.source); }},
            {"MoveCopy", "Target", int(MoveTarget::ToPosition),
             [](const RenameCriteria& c) { return int(c.moveCopy.target); }},
            {"Auto Date", "Mode", int(AutoDateMode::Suffix),
             [](const RenameCriteria& c) { return int(c.autoDate.mode); }},
            {"Auto Date", "Type", int(AutoDateType::Current),
             [](const RenameCriteria& c) { return int(c.autoDate.type); }},
            {"Auto Date", "Format", int(DateFormat::Custom),
             [](const RenameCriteria& c) { return int(c.autoDate.format); }},
            {"Folder Name", "Mode", int(FolderNameMode::Suffix),
             [](const RenameCriteria& c) { return int(c.folderName.mode); }},
            {"Auto-Number", "Mode", int(NumberingMode::Insert),
             [](const RenameCriteria& c) { return int(c.numbering.mode); }},
            {"Auto-Number", "Type", int(NumberingType::LowerLetters),
             [](const RenameCriteria& c) { return int(c.numbering.type); }},
            {"Auto-Number", "Numerals", int(Numerals::Upper),
             [](const RenameCriteria& c) { return int(c.numbering.numerals); }},
            {"Extension", "Mode", int(ExtensionMode::Remove),
             [](const RenameCriteria& c) { return int(c.extension.mode); }},
        };
        int choices = 0;
        for (const CRITERIONBINDING& b : CriteriaBindings())
            choices += b.kind == CriterionKind::Choice ? 1 : 0;
        QCOMPARE(int(std::size(rows)), choices);
        for (const ROW& row : rows) {
            const CRITERIONBINDING& b = Binding(row.section, row.key);
            QCOMPARE(b.choiceCount, row.last + 1);
            RenameCriteria criteria;
            QVERIFY(criteria.SetValue(b, QString::number(row.last)));
            QCOMPARE(row.field(criteria), row.last);
            criteria.LoadValue(b, QString(), -1);
            QCOMPARE(row.field(criteria), -1);
            QCOMPARE(criteria.Value(b), QStringLiteral("-1"));
        }
        QCOMPARE(int(NumberingType::Base36) - int(NumberingType::Base2), 36 - 2);
        QCOMPARE(int(NumberingType::Base10), 10 - 2);
    }

    void groupActivity_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("group");
        QTest::addColumn<bool>("active");
        QTest::newRow("regex match") << "Regular Expressions"
                                     << "Match"
                                     << "x" << 1 << true;
        QTest::newRow("regex include ext only") << "Regular Expressions"
                                                << "Include Extension"
                                                << "1" << 1 << false;
        QTest::newRow("name fixed text") << "Filename"
                                         << "Fixed"
                                         << "a" << 2 << true;
        QTest::newRow("replace with") << "Replacements"
                                      << "With"
                                      << "a" << 3 << true;
        QTest::newRow("case exceptions") << "Case"
                                         << "Exceptions"
                                         << "DVD" << 4 << true;
        QTest::newRow("lead dots only") << "Removals"
                                        << "Lead Dots"
                                        << "1" << 5 << true;
        QTest::newRow("first n abc is zero") << "Removals"
                                             << "First N"
                                             << "abc" << 5 << false;
        QTest::newRow("from negative") << "Removals"
                                       << "From"
                                       << " -3" << 5 << true;
        QTest::newRow("crop mode alone") << "Removals"
                                         << "Crop Mode"
                                         << "2" << 5 << false;
        QTest::newRow("move target without source") << "MoveCopy"
                                                    << "Target"
                                                    << "2" << 6 << false;
        QTest::newRow("move separator without source") << "MoveCopy"
                                                       << "Separator"
                                                       << "_" << 6 << false;
        QTest::newRow("text pos") << "Additions"
                                  << "Text Pos"
                                  << "2" << 7 << true;
        QTest::newRow("word space") << "Additions"
                                    << "WordSpace"
                                    << "1" << 7 << true;
        QTest::newRow("auto date type only") << "Auto Date"
                                             << "Type"
                                             << "6" << 8 << false;
        QTest::newRow("folder separator only") << "Folder Name"
                                               << "Separator"
                                               << "_" << 9 << false;
        QTest::newRow("numerals upper") << "Auto-Number"
                                        << "Numerals"
                                        << "2" << 10 << true;
        QTest::newRow("break folder") << "Auto-Number"
                                      << "Break Folder"
                                      << "1" << 10 << true;
        QTest::newRow("numbering start only") << "Auto-Number"
                                              << "Start"
                                              << "5" << 10 << false;
        QTest::newRow("extension fixed") << "Extension"
                                         << "Fixed"
                                         << "jpg" << 11 << true;
        QTest::newRow("selections never") << "Selections"
                                          << "Hidden"
                                          << "1" << 12 << false;
        QTest::newRow("new location") << "New Location"
                                      << "Path"
                                      << "/tmp" << 13 << true;
    }
    void groupActivity() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(int, group);
        QFETCH(bool, active);
        RenameCriteria criteria;
        for (int g = 1; g <= 13; ++g)
            QVERIFY(!criteria.IsGroupActive(g));
        QVERIFY(criteria.SetValue(*FindCriterion(section, key), value));
        QCOMPARE(criteria.IsGroupActive(group), active);
    }

    void disabledGroupIsInactive() {
        RenameCriteria criteria;
        criteria.additions.prefix = QStringLiteral("IMG_");
        QVERIFY(criteria.IsGroupActive(GroupAdd));
        criteria.additions.enabled = false;
        QVERIFY(!criteria.IsGroupActive(GroupAdd));
    }

    void resetExceptions() {
        RenameCriteria criteria;
        criteria.removals.leadDots = LeadDots::Single;
        criteria.removals.cropMode = CropMode::Special;
        criteria.removals.firstN = QStringLiteral("3");
        criteria.removals.enabled = false;
        criteria.extension.enabled = false;
        criteria.extension.mode = ExtensionMode::Fixed;
        criteria.selections.filterMatchCase = true;
        criteria.selections.filter = QStringLiteral("*.jpg");
        criteria.replacements.matchCase = true;
        criteria.ResetGroup(GroupRemove, ResetAfter::Nothing);
        QCOMPARE(criteria.removals.leadDots, LeadDots::Single);
        QCOMPARE(criteria.removals.cropMode, CropMode::Special);
        QCOMPARE(criteria.removals.firstN, QStringLiteral("0"));
        QVERIFY(criteria.removals.enabled);
        criteria.ResetGroup(GroupExtension, ResetAfter::Nothing);
        QCOMPARE(criteria.extension.mode, ExtensionMode::Same);
        QVERIFY(!criteria.extension.enabled);
        criteria.ResetGroup(GroupSelections, ResetAfter::Nothing);
        QCOMPARE(criteria.selections.filter, QStringLiteral("*"));
        QVERIFY(criteria.selections.filterMatchCase);
        for (int group : {1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13})
            criteria.ResetGroup(group, ResetAfter::Nothing);
        QVERIFY(criteria.replacements.matchCase); // only the reset of group 3 clears it
        criteria.ResetAll();
        QVERIFY(!criteria.replacements.matchCase);
    }

    void resetAllLeavesSelectionsAndNewLocation() {
        RenameCriteria criteria;
        criteria.selections.filter = QStringLiteral("*.jpg");
        criteria.selections.files = false;
        criteria.newLocation.path = QStringLiteral("/tmp");
        criteria.numbering.mode = NumberingMode::Suffix;
        CRecordingObserver observer;
        criteria.ResetAll(&observer);
        QCOMPARE(criteria.selections.filter, QStringLiteral("*.jpg"));
        QVERIFY(!criteria.selections.files);
        QCOMPARE(criteria.newLocation.path, QStringLiteral("/tmp"));
        QCOMPARE(criteria.numbering.mode, NumberingMode::None);
        QStringList expected;
        for (int g = 1; g <= 11; ++g)
            expected << QStringLiteral("changed %1").arg(g);
        expected << QStringLiteral("push");
        QCOMPARE(observer.events, expected);
    }

    void resetNotifications() {
        RenameCriteria criteria;
        CRecordingObserver observer;
        criteria.ResetGroup(GroupSelections, ResetAfter::Rescan, &observer);
        criteria.newLocation.path = QStringLiteral("/x");
        criteria.ResetNewLocation(&observer);
        QCOMPARE(criteria.newLocation.path, QString());
        QCOMPARE(observer.events,
                 (QStringList{QStringLiteral("changed 12"), QStringLiteral("rescan"),
                              QStringLiteral("changed 13"), QStringLiteral("push")}));
    }

    void linkedEdits_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("modeKey");
        QTest::addColumn<int>("modeBefore");
        QTest::addColumn<int>("modeAfter");
        QTest::newRow("fixed name") << "Filename"
                                    << "Fixed"
                                    << "Mode" << 0 << 2;
        QTest::newRow("target pos") << "MoveCopy"
                                    << "Target Pos"
                                    << "Target" << 1 << 3;
        QTest::newRow("custom date") << "Auto Date"
                                     << "Custom"
                                     << "Format" << 2 << 9;
        QTest::newRow("fixed ext from title") << "Extension"
                                              << "Fixed"
                                              << "Mode" << 3 << 4;
        QTest::newRow("fixed ext keeps extra") << "Extension"
                                               << "Fixed"
                                               << "Mode" << 5 << 5;
        QTest::newRow("fixed ext keeps remove") << "Extension"
                                                << "Fixed"
                                                << "Mode" << 6 << 6;
        QTest::newRow("insert number") << "Auto-Number"
                                       << "Insert"
                                       << "Mode" << 1 << 4;
    }
    void linkedEdits() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, modeKey);
        QFETCH(int, modeBefore);
        QFETCH(int, modeAfter);
        RenameCriteria criteria;
        const CRITERIONBINDING& mode = *FindCriterion(section, modeKey);
        QVERIFY(criteria.SetValue(mode, QString::number(modeBefore)));
        CRecordingObserver observer;
        criteria.Edit(*FindCriterion(section, key), QStringLiteral("2"), true, &observer);
        QCOMPARE(criteria.Value(mode), QString::number(modeAfter));
        QCOMPARE(observer.events.size(), 1);
        // Setting by name (favourites, command line) never applies the linked edit.
        RenameCriteria plain;
        QVERIFY(plain.SetValue(mode, QString::number(modeBefore)));
        QVERIFY(plain.SetValue(*FindCriterion(section, key), QStringLiteral("2")));
        QCOMPARE(plain.Value(mode), QString::number(modeBefore));
    }

    void fromAndToKeepOrder() {
        RenameCriteria criteria;
        criteria.Edit(Binding("Removals", "From"), QStringLiteral("3"), true, nullptr);
        QCOMPARE(criteria.removals.to, QStringLiteral("3"));
        criteria.Edit(Binding("Removals", "To"), QStringLiteral("2"), true, nullptr);
        QCOMPARE(criteria.removals.from, QStringLiteral("2"));
        criteria.Edit(Binding("Removals", "To"), QStringLiteral("9"), true, nullptr);
        QCOMPARE(criteria.removals.from, QStringLiteral("2"));
        // Before start-up has finished the two fields are left as loaded.
        criteria.Edit(Binding("Removals", "From"), QStringLiteral("12"), false, nullptr);
        QCOMPARE(criteria.removals.to, QStringLiteral("9"));
    }
};

QTEST_GUILESS_MAIN(TstRenameCriteria)
#include "tst_renamecriteria.moc"
