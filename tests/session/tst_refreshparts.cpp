// SPDX-License-Identifier: GPL-3.0-or-later
// A refresh in parts (the rows on screen first, the rest after) ends exactly where one full
// refresh ends: new names, numbers with their restarts, pending values and conflicts.
#include "app/session/cprogramstate.h"
#include "filelist/nameconflicts.h"

#include "renametestkit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// More rows than one part holds, so that a refresh takes several parts and workers.
constexpr int kFilesPerFolder = 4500;

enum class Criteria : int {
    NumberedByFolder,
    Duplicates,
    ExistsListed,
    ExistsHidden,
    RestartByName
};

// What happens while parts still wait.
enum class Midway : int { Nothing, SecondEdit, Sort, Delete };

void Apply(Criteria which, RenameCriteria& c) {
    c = RenameCriteria();
    c.selections.subfolders = true;
    switch (which) {
    case Criteria::NumberedByFolder:
        c.additions.prefix = QStringLiteral("p_");
        c.numbering.mode = NumberingMode::Suffix;
        c.numbering.breakFolder = true;
        break;
    case Criteria::Duplicates: // "a00012.txt" and "b00012.txt" both become "00012.txt"
        c.removals.firstN = QStringLiteral("1");
        break;
    case Criteria::ExistsListed: // "a…" becomes "b…", which is listed and stays
        c.replacements.replace = QStringLiteral("a");
        c.replacements.with = QStringLiteral("b");
        break;
    case Criteria::ExistsHidden: // ".a00003.txt" is on disk but not listed
        c.additions.prefix = QStringLiteral(".");
        break;
    case Criteria::RestartByName: // a restart needs the name before: computed in order
        c.numbering.mode = NumberingMode::Suffix;
        c.numbering.breakLength = QStringLiteral("1");
        break;
    }
}

struct ROWSTATE {
    QByteArray path;
    QString newName;
    NameConflict conflict;
    TimeValue newModified;
    quint32 newAttributes;
    bool operator==(const ROWSTATE&) const = default;
};

QList<ROWSTATE> RowsOf(const CProgramState& state) {
    QList<ROWSTATE> rows;
    for (int row = 0; row < state.list.RowCount(); ++row) {
        const FILEENTRY& e = state.list.GetEntry(row);
        rows.append({state.list.GetNativeFullPath(row), e.newName, e.conflict, e.newModified,
                     e.newAttributes});
    }
    return rows;
}

int FirstDifference(const QList<ROWSTATE>& a, const QList<ROWSTATE>& b) {
    for (int row = 0; row < std::min(a.size(), b.size()); ++row) {
        if (!(a[row] == b[row]))
            return row;
    }
    return a.size() == b.size() ? -1 : int(std::min(a.size(), b.size()));
}

} // namespace

class TstRefreshParts : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    void ListInto(CProgramState& state, Criteria which) {
        state.preferences.autoSelectEntries = 1;
        state.ApplyPreferences();
        Apply(which, state.criteria);
        QVERIFY(state.ListFolder(QFile::encodeName(m_dir.path())));
        // A few rows left out: numbers then differ from row indices, and a row left out
        // still holds its name against others.
        for (int row = 3; row < state.list.RowCount(); row += 101)
            state.list.SetSelected(row, false);
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        for (const QString& sub : {QString(), QStringLiteral("s1"), QStringLiteral("s2")}) {
            const QString folder = sub.isEmpty() ? m_dir.path() : m_dir.filePath(sub);
            QDir().mkpath(folder);
            const int files = sub.isEmpty() ? kFilesPerFolder : kFilesPerFolder / 4;
            for (int i = 0; i < files; ++i) {
                const QString stem = QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0'));
                for (const QString& prefix : {QStringLiteral("a"), QStringLiteral("b")}) {
                    QFile file(folder + QLatin1Char('/') + prefix + stem + QStringLiteral(".txt"));
                    QVERIFY(file.open(QIODevice::WriteOnly));
                }
                if (i % 3 == 0) {
                    QFile hidden(folder + QStringLiteral("/.a") + stem + QStringLiteral(".txt"));
                    QVERIFY(hidden.open(QIODevice::WriteOnly));
                }
            }
        }
    }

    void partsEqualFullRefresh_data() {
        QTest::addColumn<Criteria>("criteria");
        QTest::addColumn<int>("firstVisible");
        QTest::addColumn<Midway>("midway");
        QTest::addColumn<Criteria>("secondCriteria");
        QTest::newRow("numbered by folder, screen in the middle")
            << Criteria::NumberedByFolder << 9000 << Midway::Nothing << Criteria::NumberedByFolder;
        QTest::newRow("duplicates, screen at the top")
            << Criteria::Duplicates << 0 << Midway::Nothing << Criteria::Duplicates;
        QTest::newRow("exists, listed")
            << Criteria::ExistsListed << 13400 << Midway::Nothing << Criteria::ExistsListed;
        QTest::newRow("exists, hidden on disk")
            << Criteria::ExistsHidden << 4000 << Midway::Nothing << Criteria::ExistsHidden;
        QTest::newRow("restart by name")
            << Criteria::RestartByName << 100 << Midway::Nothing << Criteria::RestartByName;
        QTest::newRow("second edit midway")
            << Criteria::Duplicates << 12000 << Midway::SecondEdit << Criteria::NumberedByFolder;
        QTest::newRow("second edit to restart by name")
            << Criteria::ExistsHidden << 0 << Midway::SecondEdit << Criteria::RestartByName;
        QTest::newRow("sort midway")
            << Criteria::NumberedByFolder << 500 << Midway::Sort << Criteria::NumberedByFolder;
        QTest::newRow("delete midway")
            << Criteria::NumberedByFolder << 500 << Midway::Delete << Criteria::NumberedByFolder;
    }

    void partsEqualFullRefresh() {
        QFETCH(Criteria, criteria);
        QFETCH(int, firstVisible);
        QFETCH(Midway, midway);
        QFETCH(Criteria, secondCriteria);
        const int lastVisible = firstVisible + 40;

        CScriptedPrompts fullPrompts;
        CProgramState full(fullPrompts);
        ListInto(full, secondCriteria);
        if (midway == Midway::Delete)
            QVERIFY(full.DeleteRow(7));
        full.RefreshPreview();
        const QList<ROWSTATE> expected = RowsOf(full);

        CScriptedPrompts prompts;
        CProgramState parts(prompts);
        ListInto(parts, criteria);
        const QList<ROWSTATE> before = RowsOf(parts);
        parts.RequestRefresh();
        QVERIFY(parts.StartRefreshIfRequested(firstVisible, lastVisible));
        QVERIFY(!parts.StartRefreshIfRequested(firstVisible, lastVisible)); // taken
        if (criteria == Criteria::RestartByName) {
            QVERIFY(!parts.RefreshUnfinished());
        } else {
            QVERIFY(parts.RefreshUnfinished());
            // The rows on screen are final at once; a row far from them is not done yet.
            const QList<ROWSTATE> now = RowsOf(parts);
            if (midway == Midway::Nothing) {
                const int step = firstVisible > 6000 ? 1 : -1;
                int far = step > 0 ? 0 : parts.list.RowCount() - 1;
                while (before[far].newName == expected[far].newName)
                    far += step;
                QCOMPARE(now[far].newName, before[far].newName);
                QVERIFY(std::abs(far - firstVisible) > 1000);
                // Conflicts need every new name: they come with the last part.
                for (int row = firstVisible; row <= lastVisible; ++row) {
                    QCOMPARE(now[row].newName, expected[row].newName);
                    QCOMPARE(now[row].newAttributes, expected[row].newAttributes);
                }
            }
        }

        int partsRun = 1;
        switch (midway) {
        case Midway::Nothing:
            break;
        case Midway::SecondEdit:
            QVERIFY(parts.ContinueRefresh());
            Apply(secondCriteria, parts.criteria);
            parts.RequestRefresh();
            QVERIFY(!parts.RefreshUnfinished()); // the old parts are dropped, not finished
            QVERIFY(parts.StartRefreshIfRequested(firstVisible + 7, lastVisible + 7));
            break;
        case Midway::Sort:
            QVERIFY(parts.SortList());
            QVERIFY(!parts.RefreshUnfinished()); // finished before the rows moved
            break;
        case Midway::Delete:
            QVERIFY(parts.DeleteRow(7));
            QVERIFY(!parts.RefreshUnfinished());
            QVERIFY(parts.RefreshIfRequested()); // deleting asks for the next refresh
            break;
        }
        while (parts.ContinueRefresh())
            ++partsRun; // the call that returns false ran a part too
        if (midway != Midway::Sort && midway != Midway::Delete &&
            secondCriteria != Criteria::RestartByName)
            QVERIFY2(partsRun >= 2, "the rest is refreshed in several parts");

        const QList<ROWSTATE> got = RowsOf(parts);
        const int differs = FirstDifference(got, expected);
        QVERIFY2(differs < 0,
                 qPrintable(QStringLiteral("row %1: %2 / %3 against %4 / %5")
                                .arg(differs)
                                .arg(got.value(differs).newName)
                                .arg(NameConflictKey(got.value(differs).conflict))
                                .arg(expected.value(differs).newName)
                                .arg(NameConflictKey(expected.value(differs).conflict))));
        QCOMPARE(parts.NextNumber(), full.NextNumber());
        // Each case meets the conflict it is named after.
        const auto count = [&](NameConflict c) {
            return std::count_if(got.begin(), got.end(),
                                 [c](const ROWSTATE& r) { return r.conflict == c; });
        };
        if (secondCriteria == Criteria::Duplicates)
            QVERIFY(count(NameConflict::Duplicate) > 0);
        if (secondCriteria == Criteria::ExistsListed || secondCriteria == Criteria::ExistsHidden)
            QVERIFY(count(NameConflict::Exists) > 0);
    }

    // Names read from disk are kept between refreshes until the rows are listed again.
    void folderNamesReadAgainAfterListing() {
        CScriptedPrompts prompts;
        CProgramState state(prompts);
        ListInto(state, Criteria::ExistsHidden);
        // "a00000.txt" in the top folder, whose new name ".a00000.txt" exists unlisted.
        const auto rowOf = [&state](const QByteArray& path) {
            int row = 0;
            while (state.list.GetNativeFullPath(row) != path)
                ++row;
            state.list.SetSelected(row, true);
            return row;
        };
        const QByteArray path = QFile::encodeName(m_dir.filePath(QStringLiteral("a00000.txt")));
        int row = rowOf(path);
        state.RefreshPreview();
        QCOMPARE(state.list.GetEntry(row).newName, QStringLiteral(".a00000.txt"));
        QCOMPARE(state.list.GetEntry(row).conflict, NameConflict::Exists);
        QVERIFY(QFile::remove(m_dir.filePath(QStringLiteral(".a00000.txt"))));
        state.RefreshPreview();
        QCOMPARE(state.list.GetEntry(row).conflict, NameConflict::Exists); // kept
        QVERIFY(state.ListFolder(QFile::encodeName(m_dir.path())));
        row = rowOf(path);
        state.RefreshPreview();
        QCOMPARE(state.list.GetEntry(row).newName, QStringLiteral(".a00000.txt"));
        QCOMPARE(state.list.GetEntry(row).conflict, NameConflict::None);
        QFile restored(m_dir.filePath(QStringLiteral(".a00000.txt")));
        QVERIFY(restored.open(QIODevice::WriteOnly));
    }
};

QTEST_GUILESS_MAIN(TstRefreshParts)
#include "tst_refreshparts.moc"
