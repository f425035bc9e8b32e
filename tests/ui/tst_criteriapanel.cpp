// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/session/cprogramstate.h"
#include "app/ui/ccriteriapanel.h"
#include "app/ui/cgroupframe.h"
#include "app/ui/cnumberfield.h"
#include "engine/criterionbinding.h"

#include "renametestkit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

// A panel over its own state, with spies on both edit signals.
struct PANELFIXTURE {
    CScriptedPrompts prompts;
    CProgramState state{prompts};
    std::unique_ptr<CCriteriaPanel> panel;
    std::unique_ptr<QSignalSpy> edited;
    std::unique_ptr<QSignalSpy> selection;

    PANELFIXTURE() {
        panel = std::make_unique<CCriteriaPanel>(state);
        panel->resize(1500, 420);
        panel->show();
        edited = std::make_unique<QSignalSpy>(panel.get(), &CCriteriaPanel::CriteriaEdited);
        selection =
            std::make_unique<QSignalSpy>(panel.get(), &CCriteriaPanel::SelectionCriteriaEdited);
    }
    template <typename T> T* Find(const char* section, const char* key) const {
        return panel->findChild<T*>(QLatin1String(section) + QLatin1Char('/') + QLatin1String(key));
    }
    QLineEdit* Edit(const char* section, const char* key) const {
        if (auto* number = Find<CNumberField>(section, key))
            return number->LineEdit();
        return Find<QLineEdit>(section, key);
    }
    // Replaces a field's text the way a user does: select everything, then type.
    void Type(const char* section, const char* key, const QString& text) const {
        QLineEdit* edit = Edit(section, key);
        QVERIFY(edit);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    CGroupFrame* Frame(int group) const {
        return panel->findChild<CGroupFrame*>(QStringLiteral("group%1").arg(group));
    }
    void ClearSpies() {
        edited->clear();
        selection->clear();
    }
};

// A value different from the default, as the record would hold it.
QString OtherValue(const CRITERIONBINDING& binding, const QString& current) {
    switch (binding.kind) {
    case CriterionKind::Check:
        return current == QLatin1String("1") ? QStringLiteral("0") : QStringLiteral("1");
    case CriterionKind::Choice:
        return QString::number(binding.choiceCount - 1);
    case CriterionKind::Text:
        break;
    }
    return QStringLiteral("7");
}

} // namespace

Q_DECLARE_METATYPE(const CRITERIONBINDING*)

class TstCriteriaPanel : public QObject {
    Q_OBJECT
private slots:
    void everyBindingDrivesItsCriterion_data() {
        QTest::addColumn<const CRITERIONBINDING*>("binding");
        for (const CRITERIONBINDING& binding : CriteriaBindings())
            QTest::newRow(qPrintable(binding.Section() + QLatin1Char('/') + binding.Key()))
                << &binding;
    }
    // Every criterion of the table, set through its control and read back from the record,
    // then put back into the control by a fill that reports nothing.
    void everyBindingDrivesItsCriterion() {
        QFETCH(const CRITERIONBINDING*, binding);
        PANELFIXTURE f;
        const QString name = binding->Section() + QLatin1Char('/') + binding->Key();
        QWidget* control = f.panel->findChild<QWidget*>(name);
        QVERIFY2(control, qPrintable(name));
        QVERIFY(control->accessibleName().startsWith(f.Frame(binding->group)->title() +
                                                     QStringLiteral(": ")));

        const QString wanted = OtherValue(*binding, f.state.criteria.Value(*binding));
        if (auto* check = qobject_cast<QCheckBox*>(control)) {
            check->click();
        } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
            QCOMPARE(combo->count(), binding->choiceCount);
            combo->setCurrentIndex(wanted.toInt());
        } else {
            f.Type(binding->section, binding->key, wanted);
            QTest::keyClick(f.Edit(binding->section, binding->key), Qt::Key_Return);
        }
        QCOMPARE(f.state.criteria.Value(*binding), wanted);
        const bool selections = binding->group == GroupSelections;
        QCOMPARE(f.selection->count(), selections ? 1 : 0);
        QCOMPARE(f.edited->count(), selections ? 0 : 1);

        f.ClearSpies();
        f.state.criteria.ResetAll();
        f.state.criteria.ResetGroup(GroupSelections, ResetAfter::Nothing);
        f.state.criteria.ResetNewLocation();
        const QString fresh = f.state.criteria.Value(*binding);
        f.panel->FillFromCriteria();
        QCOMPARE(f.edited->count() + f.selection->count(), 0);
        if (auto* check = qobject_cast<QCheckBox*>(control))
            QCOMPARE(check->isChecked(), fresh == QLatin1String("1"));
        else if (auto* combo = qobject_cast<QComboBox*>(control))
            QCOMPARE(combo->currentIndex(), fresh.toInt());
        else
            QCOMPARE(f.Edit(binding->section, binding->key)->text(), fresh);
    }

    void filterListsAnewWhenLeft() {
        PANELFIXTURE f;
        f.panel->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.panel.get()));
        f.Type("Selections", "Filter", QStringLiteral("*.jpg"));
        QCOMPARE(f.state.criteria.selections.filter, QStringLiteral("*.jpg"));
        QCOMPARE(f.selection->count(), 0);
        f.Edit("Auto-Number", "Start")->setFocus();
        QCOMPARE(f.selection->count(), 1);
        f.Edit("Selections", "Filter")->setFocus();
        f.Edit("Auto-Number", "Start")->setFocus(); // left again without a change
        QCOMPARE(f.selection->count(), 1);
        QCOMPARE(f.edited->count(), 0);
    }

    void linkedEdits_data() {
        QTest::addColumn<QString>("typedKey"); // section/key
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("otherKey");
        QTest::addColumn<QString>("otherBefore");
        QTest::addColumn<QString>("otherAfter");
        QTest::newRow("fixed name") << "Filename/Fixed"
                                    << "x"
                                    << "Filename/Mode"
                                    << "0"
                                    << "2";
        QTest::newRow("target pos") << "MoveCopy/Target Pos"
                                    << "3"
                                    << "MoveCopy/Target"
                                    << "1"
                                    << "3";
        QTest::newRow("custom date") << "Auto Date/Custom"
                                     << "y"
                                     << "Auto Date/Format"
                                     << "2"
                                     << "9";
        QTest::newRow("fixed ext from Title") << "Extension/Fixed"
                                              << "txt"
                                              << "Extension/Mode"
                                              << "3"
                                              << "4";
        QTest::newRow("fixed ext keeps Extra") << "Extension/Fixed"
                                               << "txt"
                                               << "Extension/Mode"
                                               << "5"
                                               << "5";
        QTest::newRow("number insert") << "Auto-Number/Insert"
                                       << "2"
                                       << "Auto-Number/Mode"
                                       << "1"
                                       << "4";
        QTest::newRow("From above to") << "Removals/From"
                                       << "10"
                                       << "Removals/To"
                                       << "5"
                                       << "10";
        QTest::newRow("From 3, to 0") << "Removals/From"
                                      << "3"
                                      << "Removals/To"
                                      << "0"
                                      << "3";
        QTest::newRow("to below From") << "Removals/To"
                                       << "3"
                                       << "Removals/From"
                                       << "10"
                                       << "3";
        QTest::newRow("From below to") << "Removals/From"
                                       << "2"
                                       << "Removals/To"
                                       << "9"
                                       << "9";
    }
    // The record's linked edits reach the other field's control, in one edit.
    void linkedEdits() {
        QFETCH(QString, typedKey);
        QFETCH(QString, typed);
        QFETCH(QString, otherKey);
        QFETCH(QString, otherBefore);
        QFETCH(QString, otherAfter);
        PANELFIXTURE f;
        const QStringList t = typedKey.split(QLatin1Char('/'));
        const QStringList o = otherKey.split(QLatin1Char('/'));
        const CRITERIONBINDING* other = FindCriterion(o[0], o[1]);
        QVERIFY(f.state.criteria.SetValue(*other, otherBefore));
        f.panel->FillFromCriteria();
        const QByteArray section = t[0].toLatin1(), key = t[1].toLatin1();
        f.Type(section.constData(), key.constData(), typed);
        QCOMPARE(f.state.criteria.Value(*other), otherAfter);
        QWidget* otherControl = f.panel->findChild<QWidget*>(otherKey);
        if (auto* combo = qobject_cast<QComboBox*>(otherControl))
            QCOMPARE(QString::number(combo->currentIndex()), otherAfter);
        else
            QCOMPARE(qobject_cast<CNumberField*>(otherControl)->Text(), otherAfter);
        QCOMPARE(f.edited->count(), typed.size());
    }

    void numberFieldKeepsTypedText() {
        PANELFIXTURE f;
        f.Type("Auto-Number", "Start", QStringLiteral("007"));
        QCOMPARE(f.state.criteria.numbering.start, QStringLiteral("007"));
        QCOMPARE(f.Edit("Auto-Number", "Start")->text(), QStringLiteral("007"));
        QTest::keyClick(f.Edit("Auto-Number", "Start"), Qt::Key_Up);
        QCOMPARE(f.state.criteria.numbering.start, QStringLiteral("8"));
        QCOMPARE(f.edited->count(), 4);
        f.Type("Auto-Number", "Increment", QStringLiteral("-2a "));
        QCOMPARE(f.state.criteria.numbering.increment, QStringLiteral("2"));
        QTest::keyClick(f.Edit("Auto-Number", "Increment"), Qt::Key_Down);
        QTest::keyClick(f.Edit("Auto-Number", "Increment"), Qt::Key_Down);
        QTest::keyClick(f.Edit("Auto-Number", "Increment"), Qt::Key_Down);
        QCOMPARE(f.state.criteria.numbering.increment, QStringLiteral("-1"));
        QCOMPARE(f.edited->count(), 8);

        // Steps stay inside the range, from whatever number the text starts with.
        f.state.criteria.numbering.pad = QStringLiteral("50");
        f.state.criteria.additions.textPos = QStringLiteral("-300x");
        f.panel->FillFromCriteria();
        f.Find<CNumberField>("Auto-Number", "Pad")->Step(1);
        QCOMPARE(f.state.criteria.numbering.pad, QStringLiteral("50"));
        QCOMPARE(f.edited->count(), 8);
        f.Find<CNumberField>("Additions", "Text Pos")->Step(1);
        QCOMPARE(f.state.criteria.additions.textPos, QStringLiteral("-255"));
        QCOMPARE(f.edited->count(), 9);
    }

    void resetButtons_data() {
        QTest::addColumn<int>("group");
        for (int group = GroupRegEx; group <= GroupNewLocation; ++group)
            QTest::newRow(qPrintable(QString::number(group))) << group;
    }
    // Each "R" resets its own group only, shows the defaults and reports once.
    void resetButtons() {
        QFETCH(int, group);
        PANELFIXTURE f;
        for (const CRITERIONBINDING& binding : CriteriaBindings())
            QVERIFY(f.state.criteria.SetValue(
                binding, OtherValue(binding, f.state.criteria.Value(binding))));
        f.panel->FillFromCriteria();
        const RenameCriteria before = f.state.criteria;
        f.panel->findChild<QToolButton*>(QStringLiteral("reset%1").arg(group))->click();

        RenameCriteria expected = before;
        expected.ResetGroup(group, ResetAfter::Nothing);
        for (const CRITERIONBINDING& binding : CriteriaBindings()) {
            QCOMPARE(f.state.criteria.Value(binding), expected.Value(binding));
            if (auto* edit = f.Edit(binding.section, binding.key))
                QCOMPARE(edit->text(), expected.Value(binding));
        }
        QCOMPARE(f.edited->count(), group == GroupSelections ? 0 : 1);
        QCOMPARE(f.selection->count(), group == GroupSelections ? 1 : 0);
    }

    void resetAllLeavesSelectionsAndNewLocation() {
        PANELFIXTURE f;
        f.Type("Selections", "Filter", QStringLiteral("*.png"));
        f.Find<QCheckBox>("Selections", "Hidden")->click();
        f.Type("New Location", "Path", QStringLiteral("/tmp/out"));
        f.Find<QComboBox>("Removals", "Lead Dots")->setCurrentIndex(1);
        f.Type("Additions", "Prefix", QStringLiteral("P"));
        f.Find<QCheckBox>("Criteria", "Extension")->click();
        f.ClearSpies();
        f.panel->ResetAll();
        QCOMPARE(f.edited->count(), 1);
        QCOMPARE(f.selection->count(), 0);
        QCOMPARE(f.Edit("Additions", "Prefix")->text(), QString());
        QCOMPARE(f.Edit("Selections", "Filter")->text(), QStringLiteral("*.png"));
        QVERIFY(f.state.criteria.selections.hidden);
        QCOMPARE(f.state.criteria.newLocation.path, QStringLiteral("/tmp/out"));
        QCOMPARE(f.state.criteria.removals.leadDots, LeadDots::Single);
        QVERIFY(!f.Find<QCheckBox>("Criteria", "Extension")->isChecked());
    }

    // Frames follow the activity rule on every edit; switching highlighting off clears all.
    void highlightFollowsActivity() {
        PANELFIXTURE f;
        const QColor colour(0, 128, 255);
        f.panel->SetHighlight(true, colour);
        f.Find<QComboBox>("Removals", "Lead Dots")->setCurrentIndex(2);
        QVERIFY(f.Frame(GroupRemove)->IsHighlighted());
        f.Find<QComboBox>("MoveCopy", "Target")->setCurrentIndex(1);
        QVERIFY(!f.Frame(GroupMoveCopy)->IsHighlighted());
        f.Type("New Location", "Path", QStringLiteral("/x"));
        QVERIFY(f.Frame(GroupNewLocation)->IsHighlighted());
        f.Type("Selections", "Filter", QStringLiteral("*.a"));
        QVERIFY(!f.Frame(GroupSelections)->IsHighlighted());
        f.Find<QCheckBox>("Criteria", "Removals")->click();
        QVERIFY(!f.Frame(GroupRemove)->IsHighlighted());
        f.Find<QCheckBox>("Criteria", "Removals")->click();
        QVERIFY(f.Frame(GroupRemove)->IsHighlighted());
        f.panel->SetHighlight(false, colour);
        QVERIFY(!f.Frame(GroupRemove)->IsHighlighted());
        QVERIFY(!f.Frame(GroupNewLocation)->IsHighlighted());
        f.panel->SetHighlight(true, colour);
        f.panel->findChild<QToolButton*>(QStringLiteral("reset13"))->click();
        QVERIFY(!f.Frame(GroupNewLocation)->IsHighlighted());
        QVERIFY(f.Frame(GroupRemove)->IsHighlighted()); // its reset keeps Lead Dots
    }

    // Two boxes outside the binding table: a criterion without a favourites key, and a
    // preference that is no criterion at all.
    void matchCaseAndCopyNotMove() {
        PANELFIXTURE f;
        f.Find<QCheckBox>("Replacements", "Match Case")->click();
        QVERIFY(f.state.criteria.replacements.matchCase);
        QCOMPARE(f.edited->count(), 1);
        f.ClearSpies();
        QSignalSpy toggled(f.panel.get(), &CCriteriaPanel::CopyNotMoveToggled);
        auto* box = f.panel->findChild<QCheckBox*>(QStringLiteral("copyNotMove"));
        box->click();
        QCOMPARE(f.state.preferences.newLocationCopyNotMove, 1);
        QCOMPARE(toggled.count(), 1);
        QCOMPARE(f.edited->count(), 0);
        f.state.preferences.newLocationCopyNotMove = 0;
        f.panel->FillFromCriteria();
        QVERIFY(!box->isChecked());
    }

    // A screen reader names every control "<group caption>: <label>", and no two alike.
    void everyControlIsNamed() {
        PANELFIXTURE f;
        QStringList captions;
        for (int group = GroupRegEx; group <= GroupNewLocation; ++group)
            captions << f.Frame(group)->title() + QStringLiteral(": ");
        QSet<QString> seen;
        const auto controls = f.panel->findChildren<QWidget*>();
        int named = 0;
        for (QWidget* control : controls) {
            if (!qobject_cast<QAbstractButton*>(control) && !qobject_cast<QLineEdit*>(control) &&
                !qobject_cast<QComboBox*>(control))
                continue;
            const QString name = control->accessibleName();
            QVERIFY2(std::any_of(captions.cbegin(), captions.cend(),
                                 [&name](const QString& c) { return name.startsWith(c); }),
                     qPrintable(control->objectName() + QStringLiteral(" is called ") + name));
            QVERIFY2(!seen.contains(name + QLatin1String(control->metaObject()->className())),
                     qPrintable(name));
            seen.insert(name + QLatin1String(control->metaObject()->className()));
            ++named;
        }
        QVERIFY(named > int(CriteriaBindings().size()));
    }

    void browseFillsThePath() {
        PANELFIXTURE f;
        QTemporaryDir dir;
        QTimer::singleShot(0, [&dir] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(),
                     QStringLiteral("Choose new location for renamed files"));
            dialog->selectFile(dir.path());
            QMetaObject::invokeMethod(dialog, &QDialog::accept);
        });
        f.panel->findChild<QToolButton*>(QStringLiteral("browseNewLocation"))->click();
        QCOMPARE(f.state.criteria.newLocation.path, dir.path());
        QCOMPARE(f.Edit("New Location", "Path")->text(), dir.path());
        QCOMPARE(f.edited->count(), 1);
    }

    void focusGroupReachesItsFirstField() {
        PANELFIXTURE f;
        f.panel->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.panel.get()));
        f.panel->FocusGroup(GroupNumbering);
        QCOMPARE(QApplication::focusWidget(), f.Find<QComboBox>("Auto-Number", "Mode"));
        f.panel->FocusGroup(GroupAdd);
        QCOMPARE(QApplication::focusWidget(), f.Edit("Additions", "Prefix"));
    }

    // Saves a picture of the panel where QUORVIN_PANEL_SCREENSHOT says, for a look by eye.
    void screenshot() {
        const QString path = qEnvironmentVariable("QUORVIN_PANEL_SCREENSHOT");
        if (path.isEmpty())
            QSKIP("QUORVIN_PANEL_SCREENSHOT not set");
        PANELFIXTURE f;
        f.panel->resize(f.panel->sizeHint());
        f.Type("Additions", "Prefix", QStringLiteral("IMG_"));
        f.Type("Auto-Number", "Start", QStringLiteral("007"));
        f.Find<QComboBox>("Removals", "Lead Dots")->setCurrentIndex(1);
        f.Type("New Location", "Path", QStringLiteral("/tmp/out"));
        QTest::qWait(200);
        QVERIFY(f.panel->grab().save(path));
        QVERIFY(f.Frame(GroupAdd)->grab().save(path + QStringLiteral(".add.png")));
        f.panel->resize(1100, f.panel->sizeHint().height());
        QTest::qWait(100);
        f.panel->resize(1100, f.panel->sizeHint().height());
        QVERIFY(f.panel->grab().save(path + QStringLiteral(".narrow.png")));
    }
};

QTEST_MAIN(TstCriteriaPanel)
#include "tst_criteriapanel.moc"
