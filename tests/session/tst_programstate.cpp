// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/session/cprogramstate.h"
#include "app/settings/preferencesfile.h"

#include "renametestkit.h"

#include <QTemporaryDir>
#include <QtTest>

class TstProgramState : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString Path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void saveAsOpenAndRevert() {
        CScriptedPrompts prompts;
        CProgramState state(prompts);
        state.SaveFavouriteAs(QStringLiteral("/photos"));
        QCOMPARE(prompts.panes[StatusPane::Message], QStringLiteral("New Favourite was cancelled"));
        QCOMPARE(state.CurrentFavourite(), QString());

        state.criteria.additions.prefix = QStringLiteral("IMG_");
        prompts.saveFileName = Path(QStringLiteral("mine.qvn"));
        state.SaveFavouriteAs(QStringLiteral("/photos"));
        QCOMPARE(prompts.panes[StatusPane::Message],
                 QStringLiteral("New Favourite mine.qvn saved"));
        QCOMPARE(prompts.panes[StatusPane::Favourite], QStringLiteral("mine.qvn"));
        QCOMPARE(state.CurrentFavourite(), Path(QStringLiteral("mine.qvn")));
        QCOMPARE(state.RecentFavourites().value(0), Path(QStringLiteral("mine.qvn")));

        state.criteria.additions.prefix = QStringLiteral("changed");
        QCOMPARE(state.RevertFavourite(), FollowUp::Rescan);
        QCOMPARE(state.criteria.additions.prefix, QStringLiteral("IMG_"));
        QCOMPARE(prompts.panes[StatusPane::Message],
                 QStringLiteral("Favourite reverted to saved state"));

        state.criteria.additions.prefix = QStringLiteral("saved again");
        state.SaveFavouriteCommand(QStringLiteral("/photos"));
        QCOMPARE(prompts.panes[StatusPane::Message], QStringLiteral("Favourite mine.qvn saved"));

        CProgramState other(prompts);
        QCOMPARE(other.OpenFavourite(), FollowUp::Nothing);
        QCOMPARE(prompts.panes[StatusPane::Message],
                 QStringLiteral("Open Favourite was cancelled"));
        prompts.openFileName = Path(QStringLiteral("mine.qvn"));
        QCOMPARE(other.OpenFavourite(), FollowUp::Rescan);
        QCOMPARE(other.criteria.additions.prefix, QStringLiteral("saved again"));
        QCOMPARE(prompts.panes[StatusPane::Message], QStringLiteral("Favourite mine.qvn opened"));
    }

    void revertWithoutFavouriteResetsToLoadDefaults() {
        CScriptedPrompts prompts;
        CProgramState state(prompts);
        state.criteria.numbering.mode = NumberingMode::Suffix;
        state.criteria.selections.filter = QStringLiteral("*.jpg");
        state.RevertFavourite();
        QCOMPARE(state.criteria.numbering.mode, NumberingMode::None);
        QCOMPARE(state.criteria.selections.filter, QStringLiteral("*"));
        QCOMPARE(prompts.panes[StatusPane::Message],
                 QStringLiteral("Favourite reverted to saved state"));
    }

    void navigationFollowsPreference() {
        CScriptedPrompts prompts;
        CProgramState state(prompts);
        QVERIFY(
            state.SaveFavourite(Path(QStringLiteral("nav.qvn")), QStringLiteral("/srv/photos")));
        QCOMPARE(state.LoadFavourite(Path(QStringLiteral("nav.qvn")), true).folderToSelect,
                 QString());
        state.preferences.storeFavouritePathnames = 1;
        FAVOURITELOAD load = state.LoadFavourite(Path(QStringLiteral("nav.qvn")), true);
        QVERIFY(load.exists);
        QCOMPARE(load.folderToSelect, QStringLiteral("/srv/photos"));
        QCOMPARE(state.LoadFavourite(Path(QStringLiteral("nav.qvn")), false).folderToSelect,
                 QString());
    }

    void recentList() {
        CScriptedPrompts prompts;
        CProgramState state(prompts);
        for (int i = 0; i < 10; ++i)
            state.SaveFavourite(Path(QStringLiteral("r%1.qvn").arg(i)), QString());
        state.LoadFavourite(Path(QStringLiteral("r5.qvn")), false);
        QCOMPARE(state.RecentFavourites().size(), 8);
        QCOMPARE(state.RecentFavourites().first(), Path(QStringLiteral("r5.qvn")));
        QCOMPARE(state.RecentFavourites().count(Path(QStringLiteral("r5.qvn"))), 1);

        const QString gone = Path(QStringLiteral("gone.qvn"));
        state.SetRecentFavourites({gone, Path(QStringLiteral("r5.qvn"))});
        QCOMPARE(state.OpenRecentFavourite(gone), FollowUp::Nothing);
        QCOMPARE(prompts.asked.last(),
                 QStringLiteral("There was an error opening the recently-used Favourite"));
        QVERIFY(!state.RecentFavourites().contains(gone));
        QCOMPARE(state.OpenRecentFavourite(Path(QStringLiteral("r5.qvn"))), FollowUp::Rescan);
        QCOMPARE(prompts.panes[StatusPane::Message], QStringLiteral("Favourite ") +
                                                         Path(QStringLiteral("r5")) +
                                                         QStringLiteral(" opened"));
    }

    void refreshReportsPatternAndTrace() {
        CScriptedPrompts prompts;
        CProgramState state(prompts);
        FILEENTRY e;
        e.name = QStringLiteral("a.txt");
        InitialiseNewEntry(e);
        state.list.AppendRow(e);
        state.list.SelectAll();
        state.criteria.regex.match = QStringLiteral("(");
        state.debugRow = 0;
        state.RefreshPreview();
        QCOMPARE(prompts.panes[StatusPane::Pattern],
                 QStringLiteral("Regular Expression is invalid"));
        QCOMPARE(prompts.shownCaption, QStringLiteral("Filename Generation Debug Results"));
        QVERIFY(prompts.shownText.startsWith(QStringLiteral("Original name: a.txt\n")));
        QCOMPARE(state.debugRow, -1);
        state.criteria.regex.match.clear();
        state.RefreshPreview();
        QCOMPARE(prompts.panes[StatusPane::Pattern], QString());
    }

    void pairsAndTranslations() {
        CScriptedPrompts prompts;
        CProgramState state(prompts);
        state.renamePairs.insert(QStringLiteral("old"), QStringLiteral("new"));
        QVERIFY(!state.ImportRenamePairsFrom(Path(QStringLiteral("nothing.txt"))));
        QCOMPARE(prompts.asked.last(), QStringLiteral("Data File ") +
                                           Path(QStringLiteral("nothing.txt")) +
                                           QStringLiteral(" could not be opened!"));
        QVERIFY(state.renamePairs.isEmpty());
        QCOMPARE(prompts.panes[StatusPane::Message], QStringLiteral("Imported Pairs"));

        QString text;
        for (int i = 0; i < 501; ++i)
            text += QStringLiteral("a=b\r\n");
        QCOMPARE(state.SetTranslationsText(text), FollowUp::Refresh);
        QCOMPARE(state.translations.size(), 501);
        QVERIFY(prompts.asked.last().startsWith(
            QStringLiteral("Caution: You have defined more than 500 entries.")));
    }

    void nameOptionsFollowPreferences() {
        CScriptedPrompts prompts;
        CProgramState state(prompts);
        state.preferences.ignoreFileExtensions = 1;
        state.preferences.displayFilesizesAs = 5;
        const NAMEOPTIONS options = state.NameOptions();
        QVERIFY(options.ignoreFileExtensions);
        QVERIFY(options.ignoreFolderExtensions);
        QCOMPARE(options.sizeDisplayMode, 5);
        QCOMPARE(options.translations, &state.translations);
        state.criteria.selections.minNameLength = QStringLiteral("12abc");
        QCOMPARE(state.ScanSettings("/x").minNameLength, 12);
    }

    void preferencesAtStartAndClose() {
        CScriptedPrompts prompts;
        CProgramState state(prompts);
        const QString ini = Path(QStringLiteral("Quorvin.ini"));
        QFile file(ini);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Preferences]\nSort Column=4\nSort Dir=0\nLogical Sorting=1\n");
        file.close();
        prompts.answers = {PromptAnswer::No, PromptAnswer::No};
        QCOMPARE(state.LoadPreferences(ini, QStringLiteral("/photos")), QStringLiteral("/photos"));
        QCOMPARE(state.sortOrder.State().column, 4);
        QVERIFY(!state.sortOrder.State().ascending);
        QVERIFY(state.sortOrder.State().logical);
        // Declined: the command line stays "/RESET" (which names no folder).
        QCOMPARE(state.LoadPreferences(ini, QStringLiteral("/reset")), QStringLiteral("/reset"));
        QCOMPARE(prompts.asked.last(),
                 QStringLiteral("Reset Quorvin application registry for current user?"));
        const int questions = int(prompts.asked.size());
        state.LoadPreferences(ini, QStringLiteral("/RESET now"));
        QCOMPARE(int(prompts.asked.size()), questions); // only the whole command line counts

        state.sortOrder.SortByColumn(1, true); // a header click: new column, ascending
        state.preferences.autoSaveFavouriteOnExit = 1;
        prompts.saveFileName = Path(QStringLiteral("onexit.qvn"));
        state.SavePreferences(ini, QStringLiteral("/photos"));
        QVERIFY(QFile::exists(Path(QStringLiteral("onexit.qvn"))));
        PREFERENCES back;
        ReadPreferencesFile(ini, back);
        QCOMPARE(back.sortColumn, 1);
        QCOMPARE(back.sortDir, 1);
        QCOMPARE(back.logicalSorting, 1);
        QCOMPARE(back.autoSaveFavouriteOnExit, 1);
    }

    void resetAsksFirst() {
        CScriptedPrompts prompts;
        prompts.answers = {PromptAnswer::No};
        CProgramState state(prompts);
        QVERIFY(!state.ResetUserSettings());
        QCOMPARE(prompts.asked.last(),
                 QStringLiteral("Reset Quorvin application registry for current user?"));
    }
};

QTEST_GUILESS_MAIN(TstProgramState)
#include "tst_programstate.moc"
