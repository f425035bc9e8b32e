// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/session/grouphighlight.h"
#include "engine/criterionbinding.h"

#include <QtTest>

namespace {

// "Section/Key=value" settings applied through the binding table, as a favourite would.
bool Apply(RenameCriteria& criteria, const QStringList& settings) {
    for (const QString& setting : settings) {
        const qsizetype slash = setting.indexOf(QLatin1Char('/'));
        const qsizetype equals = setting.indexOf(QLatin1Char('='));
        const CRITERIONBINDING* binding =
            FindCriterion(setting.left(slash), setting.mid(slash + 1, equals - slash - 1));
        if (binding == nullptr || !criteria.SetValue(*binding, setting.mid(equals + 1)))
            return false;
    }
    return true;
}

} // namespace

class TstGroupHighlight : public QObject {
    Q_OBJECT
private slots:
    void highlighted_data() {
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<bool>("highlighting");
        QTest::addColumn<QList<int>>("groups");
        const auto row = [](const char* tag, QStringList settings, bool on, QList<int> groups) {
            QTest::newRow(tag) << settings << on << groups;
        };
        row("defaults", {}, true, {});
        row("lead dots alone", {QStringLiteral("Removals/Lead Dots=1")}, true, {5});
        row("crop mode alone", {QStringLiteral("Removals/Crop Mode=2")}, true, {});
        row("switched off group never",
            {QStringLiteral("Additions/Prefix=x"), QStringLiteral("Criteria/Additions=0")}, true,
            {});
        row("move/copy without source",
            {QStringLiteral("MoveCopy/Target=2"), QStringLiteral("MoveCopy/Separator=-")}, true,
            {});
        row("numerals without mode", {QStringLiteral("Auto-Number/Numerals=2")}, true, {10});
        row("selections never",
            {QStringLiteral("Selections/Filter=*.jpg"), QStringLiteral("Selections/Subfolders=1")},
            true, {});
        row("new location whenever its path is set", {QStringLiteral("New Location/Path=/tmp")},
            true, {13});
        row("several",
            {QStringLiteral("Regular Expressions/Match=a"), QStringLiteral("Extension/Fixed=txt"),
             QStringLiteral("Case/Change=1")},
            true, {1, 4, 11});
        row("highlighting off",
            {QStringLiteral("Regular Expressions/Match=a"),
             QStringLiteral("New Location/Path=/tmp")},
            false, {});
    }

    void highlighted() {
        QFETCH(QStringList, settings);
        QFETCH(bool, highlighting);
        QFETCH(QList<int>, groups);
        RenameCriteria criteria;
        QVERIFY(Apply(criteria, settings));
        const GROUPHIGHLIGHTS all = HighlightedGroups(criteria, highlighting);
        QList<int> found;
        for (int group = GroupRegEx; group <= GroupNewLocation; ++group) {
            QCOMPARE(all[static_cast<size_t>(group)],
                     IsGroupHighlighted(criteria, group, highlighting));
            if (all[static_cast<size_t>(group)])
                found.append(group);
        }
        QCOMPARE(found, groups);
        QVERIFY(!all[0]);
    }
};

QTEST_GUILESS_MAIN(TstGroupHighlight)
#include "tst_grouphighlight.moc"
