// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's commands: enabling rules, toggles written back to the preferences file,
// the clipboard commands, the recent favourites and the picture viewer.
#include "app/settings/preferencesfile.h"
#include "app/ui/cfilelistview.h"
#include "app/ui/cmaincommands.h"
#include "app/ui/cmainwindow.h"
#include "app/ui/cpictureviewer.h"
#include "filelist/listcolumns.h"
#include "platform/nativename.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

class TestMainCommands : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void enabling_data();
    void enabling();
    void toggleRoundTrip_data();
    void toggleRoundTrip();
    void sizeChoice();
    void clipboardCopy_data();
    void clipboardCopy();
    void selectFromClipboard_data();
    void selectFromClipboard();
    void recentFavourites();
    void zoomEnabling();
    void pictureViewer_data();
    void pictureViewer();
    void closingViewerTurnsPreferenceOff();
    void pictureWithUndecodableName();
    void listDisplayFollowsToggles();

private:
    void MakeFile(const QString& name, const QByteArray& content = QByteArray("x"));
    void MakePicture(const QString& name);
    void OpenWindow();
    int RowNamed(const QString& name) const;
    void SelectOnly(const QStringList& names);
    QAction* Action(const char* name) const;

    QTemporaryDir* m_dir = nullptr;
    QString m_folder;
    QString m_preferences;
    CMainWindow* m_window = nullptr;
};

void TestMainCommands::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
}

void TestMainCommands::init() {
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    m_folder = m_dir->filePath(QStringLiteral("files"));
    QVERIFY(QDir().mkpath(m_folder));
    m_preferences = m_dir->filePath(QStringLiteral("Quorvin.ini"));
    TIPSTATE tip;
    tip.startUp = 0;
    QVERIFY(WriteTipState(m_preferences, tip));
    QGuiApplication::clipboard()->clear();
}

void TestMainCommands::cleanup() {
    delete m_window;
    m_window = nullptr;
    delete m_dir;
    m_dir = nullptr;
}

void TestMainCommands::MakeFile(const QString& name, const QByteArray& content) {
    QFile file(m_folder + QLatin1Char('/') + name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void TestMainCommands::MakePicture(const QString& name) {
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(m_folder + QLatin1Char('/') + name, "JPG"));
}

void TestMainCommands::OpenWindow() {
    m_window = new CMainWindow;
    m_window->Initialise(m_preferences, QFile::encodeName(m_folder));
    // Listing runs on a worker thread.
    QTRY_VERIFY(m_window->IsIdle());
}

int TestMainCommands::RowNamed(const QString& name) const {
    const CFileList& list = m_window->State().list;
    for (int row = 0; row < list.RowCount(); ++row) {
        if (list.GetEntry(row).name == name)
            return row;
    }
    return -1;
}

void TestMainCommands::SelectOnly(const QStringList& names) {
    CFileList& list = m_window->State().list;
    list.DeselectAll();
    for (const QString& name : names) {
        const int row = RowNamed(name);
        QVERIFY2(row >= 0, qPrintable(name));
        list.SetSelected(row, true);
    }
    m_window->ListSelectionChanged();
}

QAction* TestMainCommands::Action(const char* name) const {
    QAction* action = m_window->Commands()->Action(QString::fromLatin1(name));
    Q_ASSERT(action != nullptr);
    return action;
}

void TestMainCommands::enabling_data() {
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<bool>("favourite");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("enabled");

    const QStringList none;
    const QStringList one{QStringLiteral("a.txt")};
    const QStringList two{QStringLiteral("a.txt"), QStringLiteral("b.jpg")};
    QTest::newRow("rename without selection") << none << "" << false << "rename" << false;
    QTest::newRow("rename with selection") << one << "" << false << "rename" << true;
    QTest::newRow("debug with one row") << one << "" << false << "debugNewName" << true;
    QTest::newRow("debug with two rows") << two << "" << false << "debugNewName" << false;
    QTest::newRow("debug without selection") << none << "" << false << "debugNewName" << false;
    QTest::newRow("undo with empty history") << two << "" << false << "undoRename" << false;
    QTest::newRow("undo script with empty history")
        << two << "" << false << "undoBatchfile" << false;
    QTest::newRow("revert without favourite") << none << "" << false << "revert" << false;
    QTest::newRow("revert with favourite") << none << "" << true << "revert" << true;
    QTest::newRow("clipboard empty") << none << "" << false << "selectFromClipboard" << false;
    QTest::newRow("clipboard text") << none << "a" << false << "selectFromClipboard" << true;
    QTest::newRow("pairs none") << none << "" << false << "clearPairs" << false;
}

void TestMainCommands::enabling() {
    QFETCH(QStringList, selected);
    QFETCH(QString, clipboard);
    QFETCH(bool, favourite);
    QFETCH(QString, action);
    QFETCH(bool, enabled);

    MakeFile(QStringLiteral("a.txt"));
    MakeFile(QStringLiteral("b.jpg"));
    OpenWindow();
    SelectOnly(selected);
    if (!clipboard.isEmpty())
        QGuiApplication::clipboard()->setText(clipboard);
    if (favourite) {
        const QString path = m_dir->filePath(QStringLiteral("saved.qvn"));
        QVERIFY(m_window->State().SaveFavourite(path, m_folder));
        QVERIFY(m_window->State().LoadFavourite(path, false).exists);
        m_window->FillPanelFromState();
    }
    m_window->Commands()->UpdateEnabling();
    QAction* command = m_window->Commands()->Action(action);
    QVERIFY(command != nullptr);
    QCOMPARE(command->isEnabled(), enabled);
    // A disabled entry's accelerator does nothing either.
    if (!enabled && action == QLatin1String("rename")) {
        command->trigger();
        QCOMPARE(m_window->State().history.HistoryCount(), 0);
    }
}

void TestMainCommands::toggleRoundTrip_data() {
    QTest::addColumn<int>("index");
    const auto toggles = PreferenceToggles();
    for (int index = 0; index < static_cast<int>(toggles.size()); ++index)
        QTest::newRow(toggles[static_cast<std::size_t>(index)].text) << index;
}

void TestMainCommands::toggleRoundTrip() {
    QFETCH(int, index);
    const PREFERENCETOGGLE& toggle = PreferenceToggles()[static_cast<std::size_t>(index)];
    OpenWindow();
    PREFERENCES& preferences = m_window->State().preferences;
    const int before = preferences.*toggle.field;
    QAction* action = m_window->Commands()->Action(
        QStringLiteral("toggle/") + QString::fromLatin1(toggle.text).remove(QLatin1Char('&')));
    QVERIFY(action != nullptr);
    QCOMPARE(action->isChecked(), before != 0);
    for (int flip = 1; flip <= 2; ++flip) {
        action->trigger();
        const int expected = (flip % 2 == 1) ? (before != 0 ? 0 : 1) : before;
        QCOMPARE(preferences.*toggle.field, expected);
        QVERIFY(WritePreferencesFile(m_preferences, preferences));
        PREFERENCES read;
        ReadPreferencesFile(m_preferences, read);
        QCOMPARE(read.*toggle.field, expected);
        m_window->Commands()->UpdateChecks();
        QCOMPARE(action->isChecked(), expected != 0);
    }
}

void TestMainCommands::sizeChoice() {
    MakeFile(QStringLiteral("a.txt"), QByteArray(3000, 'x'));
    OpenWindow();
    SelectOnly({QStringLiteral("a.txt")});
    QApplication::processEvents();
    QVERIFY(Action("size3")->isChecked());
    Action("size5")->trigger();
    QCOMPARE(m_window->State().preferences.displayFilesizesAs, 5);
    QVERIFY(Action("size5")->isChecked());
    QVERIFY(!Action("size3")->isChecked());
    QVERIFY(m_window->RefreshPending());
    Action("size1")->trigger();
    QVERIFY(WritePreferencesFile(m_preferences, m_window->State().preferences));
    PREFERENCES read;
    ReadPreferencesFile(m_preferences, read);
    QCOMPARE(read.displayFilesizesAs, 1);
}

void TestMainCommands::clipboardCopy_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("expected"); // %1 is the folder

    QTest::newRow("pathname") << 1 << "%1/a\r\n%1/report.final";
    QTest::newRow("pathname + ext") << 2 << "%1/a.txt\r\n%1/report.final.doc";
    QTest::newRow("filename") << 3 << "a\r\nreport.final";
    QTest::newRow("filename + ext") << 4 << "a.txt\r\nreport.final.doc";
    QTest::newRow("new filename") << 5 << "a\r\nreport.final";
    QTest::newRow("new filename + ext") << 6 << "a.txt\r\nreport.final.doc";
    QTest::newRow("both names") << 7 << "a\ta\r\nreport.final\treport.final";
    QTest::newRow("both names + ext") << 8 << "a.txt\ta.txt\r\nreport.final.doc\treport.final.doc";
}

void TestMainCommands::clipboardCopy() {
    QFETCH(int, mode);
    QFETCH(QString, expected);

    MakeFile(QStringLiteral("a.txt"));
    MakeFile(QStringLiteral("report.final.doc"));
    MakeFile(QStringLiteral("unselected.txt"));
    OpenWindow();
    SelectOnly({QStringLiteral("a.txt"), QStringLiteral("report.final.doc")});
    m_window->State().RefreshPreview();
    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    QAction* copy =
        m_window->Commands()->ListMenu()->findChild<QAction*>(QStringLiteral("copy%1").arg(mode));
    QVERIFY(copy != nullptr);
    copy->trigger();
    // The list's order decides; both rows were listed by name.
    QCOMPARE(QGuiApplication::clipboard()->text(),
             expected.replace(QStringLiteral("%1"), m_folder));
}

void TestMainCommands::selectFromClipboard_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QStringList>("selected");

    QTest::newRow("prefix in any case")
        << "abc"
        << QStringList{QStringLiteral("ABC.doc"), QStringLiteral("abc.txt"),
                       QStringLiteral("abcdef.jpg"), QStringLiteral("keep.txt")};
    QTest::newRow("CR LF lines") << "x.abc\r\nabcdef\r\n"
                                 << QStringList{QStringLiteral("abcdef.jpg"),
                                                QStringLiteral("keep.txt"),
                                                QStringLiteral("x.abc")};
    QTest::newRow("nothing matches") << "zzz" << QStringList{QStringLiteral("keep.txt")};
}

void TestMainCommands::selectFromClipboard() {
    QFETCH(QString, clipboard);
    QFETCH(QStringList, selected);

    for (const char* name : {"abc.txt", "ABC.doc", "abcdef.jpg", "x.abc", "keep.txt"})
        MakeFile(QString::fromLatin1(name));
    OpenWindow();
    SelectOnly({QStringLiteral("keep.txt")});
    QGuiApplication::clipboard()->setText(clipboard);
    Action("selectFromClipboard")->trigger();
    QStringList names;
    const CFileList& list = m_window->State().list;
    for (int row = 0; row < list.RowCount(); ++row) {
        if (list.IsSelected(row))
            names.append(list.GetEntry(row).name);
    }
    names.sort(Qt::CaseSensitive);
    selected.sort(Qt::CaseSensitive);
    QCOMPARE(names, selected);
    QCOMPARE(m_window->ListView()->SelectedRows().size(), selected.size());
}

void TestMainCommands::recentFavourites() {
    OpenWindow();
    const QString first = m_dir->filePath(QStringLiteral("Tom & Jerry.qvn"));
    const QString second = m_dir->filePath(QStringLiteral("plain.qvn"));
    m_window->State().SetRecentFavourites({first, second});
    QMenu* file = m_window->Commands()->FileMenu();
    emit file->aboutToShow();
    const QList<QAction*> actions = file->actions();
    int firstSeparator = -1;
    for (int index = 0; index < actions.size(); ++index) {
        if (actions[index]->isSeparator()) {
            firstSeparator = index;
            break;
        }
    }
    QVERIFY(firstSeparator > 0);
    QString escaped = first;
    escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QCOMPARE(actions[firstSeparator + 1]->text(), QStringLiteral("&1 ") + escaped);
    QCOMPARE(actions[firstSeparator + 2]->text(), QStringLiteral("&2 ") + second);
    QVERIFY(actions[firstSeparator + 3]->isSeparator());
    // Shown again, the entries are not doubled.
    emit file->aboutToShow();
    QCOMPARE(file->actions().size(), actions.size());
}

void TestMainCommands::zoomEnabling() {
    OpenWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    auto* text = new QLineEdit(m_window);
    text->setObjectName(QStringLiteral("Additions/Prefix"));
    auto* number = new QSpinBox(m_window);
    text->show();
    number->show();
    text->setFocus();
    QTRY_VERIFY(Action("zoom")->isEnabled());
    number->setFocus();
    QTRY_VERIFY(!Action("zoom")->isEnabled());
}

void TestMainCommands::pictureViewer_data() {
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QString>("shown"); // empty: "No picture!"

    QTest::newRow("photo") << QStringList{QStringLiteral("photo.JPG")} << "photo.JPG";
    QTest::newRow("jpeg is not tried") << QStringList{QStringLiteral("other.jpeg")} << "";
    QTest::newRow("companion picture") << QStringList{QStringLiteral("song.mp3")} << "song.mp3.JPG";
    QTest::newRow("undecodable") << QStringList{QStringLiteral("broken.jpg")} << "";
    QTest::newRow("two rows") << QStringList{QStringLiteral("photo.JPG"),
                                             QStringLiteral("song.mp3")}
                              << "";
}

void TestMainCommands::pictureViewer() {
    QFETCH(QStringList, selected);
    QFETCH(QString, shown);

    MakePicture(QStringLiteral("photo.JPG"));
    MakePicture(QStringLiteral("other.jpeg"));
    MakeFile(QStringLiteral("song.mp3"));
    MakePicture(QStringLiteral("song.mp3.JPG"));
    MakeFile(QStringLiteral("broken.jpg"), QByteArray("not a picture"));
    OpenWindow();
    CPictureViewer* viewer = m_window->Commands()->PictureViewer();
    // Hidden, the viewer only keeps the path.
    SelectOnly(selected);
    QVERIFY(!viewer->isVisible());
    Action("toggle/Picture Viewer")->trigger();
    QVERIFY(viewer->isVisible());
    const QString title =
        shown.isEmpty() ? QStringLiteral("No picture!") : m_folder + QLatin1Char('/') + shown;
    QCOMPARE(viewer->windowTitle(), title);
    QCOMPARE(viewer->Loaded(), !shown.isEmpty());
}

void TestMainCommands::closingViewerTurnsPreferenceOff() {
    MakePicture(QStringLiteral("photo.JPG"));
    OpenWindow();
    Action("toggle/Picture Viewer")->trigger();
    CPictureViewer* viewer = m_window->Commands()->PictureViewer();
    QVERIFY(viewer->isVisible());
    viewer->close();
    QCOMPARE(m_window->State().preferences.displayPictureViewer, 0);
    QVERIFY(!Action("toggle/Picture Viewer")->isChecked());
}

// The viewer opens the file by its exact name bytes, which need not be valid UTF-8.
void TestMainCommands::pictureWithUndecodableName() {
    MakePicture(QStringLiteral("p.JPG"));
    const QByteArray folder = QFile::encodeName(m_folder);
    QCOMPARE(::rename((folder + "/p.JPG").constData(), (folder + "/p\xff.JPG").constData()), 0);
    OpenWindow();
    SelectOnly({DecodeNativeName("p\xff.JPG")});
    Action("toggle/Picture Viewer")->trigger();
    CPictureViewer* viewer = m_window->Commands()->PictureViewer();
    QVERIFY(viewer->Loaded());
    QCOMPARE(viewer->ShownFile(), folder + "/p\xff.JPG");
    QCOMPARE(viewer->windowTitle(), m_folder + QStringLiteral("/p\uFFFD.JPG"));
}

// "Full Row Select" and "Icons" reach the view, both ways.
void TestMainCommands::listDisplayFollowsToggles() {
    MakeFile(QStringLiteral("a.txt"));
    QVERIFY(QDir().mkpath(m_folder + QStringLiteral("/sub")));
    OpenWindow();
    const PREFERENCES& preferences = m_window->State().preferences;
    const CFileListView* view = m_window->ListView();
    const QAbstractItemModel* model = view->model();
    const int file = RowNamed(QStringLiteral("a.txt"));
    const int folder = RowNamed(QStringLiteral("sub"));
    for (int flip = 0; flip < 2; ++flip) {
        Action("toggle/Full Row Select")->trigger();
        Action("toggle/Icons")->trigger();
        const bool fullRow = preferences.fullRowSelect;
        QCOMPARE(view->selectionBehavior(),
                 fullRow ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
        SelectOnly({QStringLiteral("a.txt")});
        QVERIFY(view->selectionModel()->isSelected(model->index(file, ColName)));
        QCOMPARE(view->selectionModel()->isSelected(model->index(file, ColType)), fullRow);
        for (const int row : {file, folder}) {
            const QVariant icon = model->index(row, ColName).data(Qt::DecorationRole);
            QCOMPARE(icon.isValid(), bool(preferences.displayIcons));
            QCOMPARE(model->index(row, ColNewName).data(Qt::DecorationRole).isValid(), false);
        }
    }
}

QTEST_MAIN(TestMainCommands)
#include "tst_maincommands.moc"
