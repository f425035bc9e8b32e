// SPDX-License-Identifier: GPL-3.0-or-later
// The window driven as a user would: a listing of a real folder, live preview, dragging,
// F2, Rename and Undo on real files.
#include "app/settings/preferencesfile.h"
#include "app/ui/ccriteriapanel.h"
#include "app/ui/cfilelistmodel.h"
#include "app/ui/cfilelistview.h"
#include "app/ui/cfoldertreemodel.h"
#include "app/ui/cmainwindow.h"
#include "app/ui/cstatuspanes.h"
#include "filelist/listcolumns.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <sys/stat.h>

namespace {

const QByteArray kNotUtf8 = QByteArrayLiteral("caf\xe9-folder");

void MakeFile(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
}

QStringList ColumnTexts(const CMainWindow& window, int column) {
    QStringList texts;
    const CFileListModel* model = window.ListModel();
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, column).data().toString());
    return texts;
}

QStringList NamesOnDisk(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

// Answers every message box that opens while it lives with `button`, keeping their texts.
class CBoxAnswerer : public QObject {
public:
    explicit CBoxAnswerer(QMessageBox::StandardButton button) : m_button(button) {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->button(m_button))
                return;
            texts.append(box->text());
            box->button(m_button)->click();
        });
        m_timer.start();
    }
    QStringList texts;

private:
    QMessageBox::StandardButton m_button;
    QTimer m_timer;
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_config;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<CMainWindow> m_window;

    // A window started on a folder of its own holding three files and two folders (one of
    // them with a name that is not valid UTF-8), with the run's two dialogs switched off.
    void OpenWindow() {
        m_folder = std::make_unique<QTemporaryDir>();
        const QString root = m_folder->path();
        MakeFile(root + QStringLiteral("/alpha.txt"));
        MakeFile(root + QStringLiteral("/beta.txt"));
        MakeFile(root + QStringLiteral("/gamma.txt"));
        QVERIFY(QDir(root).mkdir(QStringLiteral("plain")));
        const QByteArray odd = QFile::encodeName(root) + '/' + kNotUtf8;
        QCOMPARE(::mkdir(odd.constData(), 0755), 0);

        PREFERENCES preferences;
        preferences.displayWarningMessage = 0;
        preferences.displayConfirmationMessage = 0;
        preferences.autoSelectEntries = 1;
        const QString preferencesPath = m_config.filePath(QStringLiteral("Quorvin.ini"));
        QVERIFY(WritePreferencesFile(preferencesPath, preferences));

        m_window = std::make_unique<CMainWindow>();
        m_window->Initialise(preferencesPath, QFile::encodeName(root));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QTRY_VERIFY(m_window->IsIdle());
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup() {
        m_window.reset();
        // QDir cannot remove a name it cannot decode.
        if (m_folder)
            ::rmdir((QFile::encodeName(m_folder->path()) + '/' + kNotUtf8).constData());
        m_folder.reset();
    }

    void ListingFillsTreeAndList() {
        OpenWindow();
        QAbstractItemModelTester listTester(m_window->ListModel(),
                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(m_window->SelectedFolder(), QFile::encodeName(m_folder->path()));
        QStringList names = ColumnTexts(*m_window, ColName);
        names.sort();
        QCOMPARE(names, (QStringList{QStringLiteral("alpha.txt"), QStringLiteral("beta.txt"),
                                     QFile::decodeName(kNotUtf8), QStringLiteral("gamma.txt"),
                                     QStringLiteral("plain")}));
        QCOMPARE(m_window->Panes()->Counts(), QStringLiteral("5 Objects (5 Selected)"));

        // The folder whose name is not UTF-8 is reached in the tree by its exact bytes.
        const QByteArray odd = QFile::encodeName(m_folder->path()) + '/' + kNotUtf8;
        bool exact = false;
        const QModelIndex node = m_window->TreeModel()->FindFolder(odd, &exact);
        QVERIFY(exact);
        QCOMPARE(node.data(CFolderTreeModel::kNativePathRole).toByteArray(), odd);
        // Opening it lists it (empty), and Up goes back.
        m_window->SelectFolder(odd);
        QCOMPARE(m_window->SelectedFolder(), odd);
        QTRY_VERIFY(m_window->IsIdle());
        QCOMPARE(m_window->ListModel()->rowCount(), 0);
        m_window->UpOneLevel();
        QCOMPARE(m_window->SelectedFolder(), QFile::encodeName(m_folder->path()));
        QTRY_VERIFY(m_window->IsIdle());
        QCOMPARE(m_window->ListModel()->rowCount(), 5);
    }

    void TreeModelHoldsExactNames() {
        QTemporaryDir folder;
        const QByteArray root = QFile::encodeName(folder.path());
        for (const QByteArray& name : {QByteArrayLiteral("b"), QByteArrayLiteral("A"), kNotUtf8,
                                       QByteArrayLiteral(".hidden")})
            QCOMPARE(::mkdir((root + '/' + name).constData(), 0755), 0);
        QCOMPARE(::mkdir((root + "/b/inner").constData(), 0755), 0);
        MakeFile(folder.filePath(QStringLiteral("file.txt")));
        CFolderTreeModel model;
        model.FillTopLevel(QList<FOLDERROOT>{{QStringLiteral("Top"), root}});
        const QModelIndex top = model.index(0, 0);
        QVERIFY(model.canFetchMore(top));
        model.fetchMore(top);
        QStringList captions;
        QList<QByteArray> paths;
        for (int row = 0; row < model.rowCount(top); ++row) {
            captions.append(model.index(row, 0, top).data().toString());
            paths.append(model.NativePathOf(model.index(row, 0, top)));
        }
        // Folders only, hidden ones left out, in reading order; the odd name keeps its bytes.
        QCOMPARE(captions, (QStringList{QStringLiteral("A"), QStringLiteral("b"),
                                        QFile::decodeName(kNotUtf8)}));
        QCOMPARE(paths.last(), root + '/' + kNotUtf8);
        bool exact = false;
        QCOMPARE(model.NativePathOf(model.FindFolder(root + "/b/inner/", &exact)),
                 root + "/b/inner");
        QVERIFY(exact);
        QCOMPARE(model.NativePathOf(model.FindFolder(root + "/b/gone", &exact)), root + "/b");
        QVERIFY(!exact);
        QVERIFY(!model.FindFolder(QByteArrayLiteral("/elsewhere")).isValid());
        ::rmdir((root + '/' + kNotUtf8).constData());
    }

    void EditOfCriteriaChangesNewNames() {
        OpenWindow();
        QSignalSpy changed(m_window->ListModel(), &QAbstractItemModel::dataChanged);
        m_window->State().criteria.additions.prefix = QStringLiteral("new-");
        m_window->RequestRefresh();
        m_window->RequestRefresh(); // waiting requests merge
        QTRY_VERIFY(!m_window->RefreshPending());
        QVERIFY(ColumnTexts(*m_window, ColNewName).contains(QStringLiteral("new-alpha.txt")));
        // One refresh, one range covering every row.
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed[0][0].value<QModelIndex>().row(), 0);
        QCOMPARE(changed[0][1].value<QModelIndex>().row(), 4);
    }

    void SortHeaderTogglesDirection() {
        OpenWindow();
        QHeaderView* header = m_window->ListView()->horizontalHeader();
        const int sizeX = header->sectionViewportPosition(ColName) + 5;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(sizeX, 5));
        const QStringList once = ColumnTexts(*m_window, ColName);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(sizeX, 5));
        const QStringList twice = ColumnTexts(*m_window, ColName);
        QStringList reversed(once.rbegin(), once.rend());
        QCOMPARE(twice, reversed);
        QCOMPARE(header->sortIndicatorSection(), int(ColName));
    }

    void DraggedRowMovesBeforeTheDropRow_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("onto"); // -1: below the last row
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("down") << 0 << 3 << QList<int>{1, 2, 0, 3, 4};
        QTest::newRow("up") << 4 << 1 << QList<int>{0, 4, 1, 2, 3};
        QTest::newRow("to the end") << 1 << -1 << QList<int>{0, 2, 3, 4, 1};
        QTest::newRow("onto itself") << 2 << 2 << QList<int>{0, 1, 2, 3, 4};
    }
    void DraggedRowMovesBeforeTheDropRow() {
        QFETCH(int, from);
        QFETCH(int, onto);
        QFETCH(QList<int>, order);
        OpenWindow();
        QAbstractItemModelTester tester(m_window->ListModel(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        const QStringList before = ColumnTexts(*m_window, ColName);
        CFileListView* view = m_window->ListView();
        const QPoint at = onto < 0
                              ? QPoint(5, view->viewport()->height() - 3)
                              : view->visualRect(m_window->ListModel()->index(onto, 0)).center();
        QMimeData mime;
        mime.setData(QString::fromLatin1(CFileListModel::kRowMimeType), QByteArray::number(from));
        QDragEnterEvent enter(at, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &enter);
        QDragMoveEvent move(at, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &move);
        QDropEvent drop(QPointF(at), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &drop);
        QStringList expected;
        for (const int row : order)
            expected.append(before[row]);
        QCOMPARE(ColumnTexts(*m_window, ColName), expected);
    }

    void DeleteTakesRowsOffTheListOnly() {
        OpenWindow();
        CFileListView* view = m_window->ListView();
        const QString name = QStringLiteral("gamma.txt");
        view->selectRow(ColumnTexts(*m_window, ColName).indexOf(name));
        QTest::keyClick(view, Qt::Key_Delete);
        QCOMPARE(m_window->ListModel()->rowCount(), 4);
        QVERIFY(!ColumnTexts(*m_window, ColName).contains(name));
        QVERIFY(NamesOnDisk(m_folder->path()).contains(name));
    }

    void F2RenamesTheFileOnDisk() {
        OpenWindow();
        CFileListView* view = m_window->ListView();
        const int row = ColumnTexts(*m_window, ColName).indexOf(QStringLiteral("beta.txt"));
        view->selectRow(row);
        view->setFocus();
        QTest::keyClick(view, Qt::Key_F2);
        auto* editor = view->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->setText(QStringLiteral("renamed.txt"));
        // What the delegate does on Return: the rename must wait until the editor is gone.
        emit view->itemDelegate()->commitData(editor);
        QVERIFY(!NamesOnDisk(m_folder->path()).contains(QStringLiteral("renamed.txt")));
        emit view->itemDelegate()->closeEditor(editor);
        QTRY_VERIFY(NamesOnDisk(m_folder->path()).contains(QStringLiteral("renamed.txt")));
        QVERIFY(!NamesOnDisk(m_folder->path()).contains(QStringLiteral("beta.txt")));
    }

    void RenameThenUndo() {
        OpenWindow();
        const QStringList original = NamesOnDisk(m_folder->path());
        m_window->State().criteria.additions.prefix = QStringLiteral("x_");
        m_window->RequestRefresh();
        QTRY_VERIFY(!m_window->RefreshPending());
        m_window->Rename();
        QTRY_VERIFY(m_window->IsIdle());
        const QStringList renamed = NamesOnDisk(m_folder->path());
        QVERIFY(renamed.contains(QStringLiteral("x_alpha.txt")));
        QVERIFY(renamed.contains(QStringLiteral("x_plain")));
        QVERIFY(!renamed.contains(QStringLiteral("alpha.txt")));
        // The list was read anew and shows the files under their new names.
        QVERIFY(ColumnTexts(*m_window, ColName).contains(QStringLiteral("x_gamma.txt")));
        CBoxAnswerer yes(QMessageBox::Yes);
        m_window->UndoRename();
        QCOMPARE(yes.texts.size(), 1);
        QTRY_VERIFY(m_window->IsIdle());
        QCOMPARE(NamesOnDisk(m_folder->path()), original);
        QVERIFY(ColumnTexts(*m_window, ColName).contains(QStringLiteral("gamma.txt")));
    }

    void RenameButtonFollowsSelection() {
        OpenWindow();
        QPushButton* rename = nullptr;
        for (QPushButton* button : m_window->findChildren<QPushButton*>()) {
            if (button->accessibleName() == QStringLiteral("Rename"))
                rename = button;
        }
        QVERIFY(rename);
        QVERIFY(rename->isEnabled());
        m_window->ListView()->clearSelection();
        QVERIFY(!rename->isEnabled());
        QCOMPARE(m_window->Panes()->Counts(), QStringLiteral("5 Objects (0 Selected)"));
        m_window->ListView()->selectRow(2);
        QVERIFY(rename->isEnabled());
    }

    void HandOverAsksWhileRowsAreSelected_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("changes");
        QTest::newRow("yes") << int(QMessageBox::Yes) << true;
        QTest::newRow("no") << int(QMessageBox::No) << false;
    }
    void HandOverAsksWhileRowsAreSelected() {
        QFETCH(int, answer);
        QFETCH(bool, changes);
        OpenWindow();
        const QByteArray before = m_window->SelectedFolder();
        const QByteArray plain = before + "/plain";
        CBoxAnswerer answerer(static_cast<QMessageBox::StandardButton>(answer));
        m_window->HandleHandOver(plain);
        QCOMPARE(answerer.texts,
                 QStringList{QStringLiteral("You have files/folders selected - are you sure you "
                                            "wish to change to folder ") +
                             QFile::decodeName(plain) + QLatin1Char('?')});
        QCOMPARE(m_window->SelectedFolder(), changes ? plain : before);
        QTRY_VERIFY(m_window->IsIdle());
        QCOMPARE(m_window->ListModel()->rowCount(), changes ? 0 : 5);
    }

    // Not a check: saves a picture of the window on QUORVIN_SCREENSHOT_FOLDER into
    // QUORVIN_SCREENSHOT (a PNG path) for a person to look at.
    void Screenshot() {
        const QString target = qEnvironmentVariable("QUORVIN_SCREENSHOT");
        const QString folder = qEnvironmentVariable("QUORVIN_SCREENSHOT_FOLDER");
        if (target.isEmpty() || folder.isEmpty())
            QSKIP("QUORVIN_SCREENSHOT and QUORVIN_SCREENSHOT_FOLDER not set");
        PREFERENCES preferences;
        preferences.extractExifData = 1;
        preferences.autoSelectEntries = 1;
        const QString preferencesPath = m_config.filePath(QStringLiteral("Shot.ini"));
        QVERIFY(WritePreferencesFile(preferencesPath, preferences));
        m_window = std::make_unique<CMainWindow>();
        m_window->Initialise(preferencesPath, QFile::encodeName(folder));
        m_window->resize(1400, 900);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QTRY_VERIFY(m_window->IsIdle());
        m_window->State().criteria.additions.prefix = QStringLiteral("2023_");
        m_window->State().criteria.numbering.mode = NumberingMode::Suffix;
        m_window->Panel()->FillFromCriteria();
        m_window->RequestRefresh();
        QTRY_VERIFY(m_window->IsIdle());
        QTest::qWait(200);
        QVERIFY(m_window->grab().save(target));
    }

    void EscapeStopsAScanAndNeverClosesTheWindow() {
        OpenWindow();
        m_window->RefreshFileList();
        QVERIFY(m_window->State().IsListing());
        QTest::keyClick(m_window.get(), Qt::Key_Escape);
        QVERIFY(!m_window->State().IsListing());
        QCOMPARE(m_window->Panes()->Message(),
                 QStringLiteral("Scan aborted - list may be incomplete"));
        QTRY_VERIFY(m_window->IsIdle());
        QVERIFY(m_window->ListModel()->rowCount() <= 5);
        QVERIFY(m_window->isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
