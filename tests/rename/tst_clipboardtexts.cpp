// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/clipboardtexts.h"

#include <QtTest>

#include <ctime>

namespace {

struct ROWSPEC {
    const char* folder;
    const char* name;
    const char* newName;
    bool selected;
};

CFileList ListOf(std::initializer_list<ROWSPEC> rows) {
    CFileList list;
    for (const ROWSPEC& spec : rows) {
        FILEENTRY e;
        e.SetFolderPath(QString::fromUtf8(spec.folder));
        e.name = QString::fromUtf8(spec.name);
        const int row = list.AppendRow(std::move(e));
        if (spec.selected) {
            list.SetSelected(row, true);
            list.SetNewName(row, QString::fromUtf8(spec.newName));
        }
    }
    return list;
}

std::vector<int> Rows(std::initializer_list<int> rows) {
    return std::vector<int>(rows);
}

} // namespace

Q_DECLARE_METATYPE(ClipboardCopyMode)
Q_DECLARE_METATYPE(std::vector<int>)

class TstClipboardTexts : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }

    void copyModes_data() {
        QTest::addColumn<ClipboardCopyMode>("mode");
        QTest::addColumn<QString>("text");
        const auto row = [](ClipboardCopyMode mode, const char* text) {
            QTest::newRow(qPrintable(QString::number(static_cast<int>(mode))))
                << mode << QString::fromUtf8(text);
        };
        using M = ClipboardCopyMode;
        row(M::Pathname, "/home/v1.2/a\r\n/home/v1.2/report.final\r\n/x\r\n/home/");
        row(M::PathnameExt,
            "/home/v1.2/a.txt\r\n/home/v1.2/report.final.doc\r\n/x\r\n/home/.bashrc");
        row(M::Filename, "a\r\nreport.final\r\nx\r\n");
        row(M::FilenameExt, "a.txt\r\nreport.final.doc\r\nx\r\n.bashrc");
        row(M::NewFilename, "A 01\r\nReport 01\r\ny\r\n.profile");
        row(M::NewFilenameExt, "A 01.txt\r\nReport 01.doc\r\ny\r\n.profile.old");
        row(M::FilenameNewFilename, "a\tA 01\r\nreport.final\tReport 01\r\nx\ty\r\n\t.profile");
        row(M::FilenameNewFilenameExt,
            "a.txt\tA 01.txt\r\nreport.final.doc\tReport 01.doc\r\nx\ty\r\n.bashrc\t.profile.old");
    }

    void copyModes() {
        QFETCH(ClipboardCopyMode, mode);
        QFETCH(QString, text);
        const CFileList list = ListOf({
            {"/home/v1.2", "a.txt", "A 01.txt", true},
            {"/home/v1.2", "b.jpg", "", false},
            {"/home/v1.2", "report.final.doc", "Report 01.doc", true},
            {"/", "x", "y", true},
            {"/home", ".bashrc", ".profile.old", true},
        });
        QCOMPARE(ClipboardCopyText(list, mode, 3), text);
    }

    void nothingSelectedCopiesNothing() {
        const CFileList list = ListOf({{"/home", "a.txt", "", false}});
        for (const CLIPBOARDCOPYCOMMAND& command : ClipboardCopyCommands())
            QCOMPARE(ClipboardCopyText(list, command.mode, 3), QString());
    }

    void extendedDetails() {
        CFileList list;
        FILEENTRY file;
        file.SetFolderPath(QStringLiteral("/"));
        file.SetFolderName(QString());
        file.name = QStringLiteral("notes.txt");
        file.typeName = QStringLiteral("Plain text document");
        file.size = 1536;
        file.modified = 1078491429; // 2004-03-05 12:57:09 UTC
        file.newModified = file.modified + 3600;
        file.modifiedPending = true;
        FILEENTRY folder;
        folder.SetFolderPath(QStringLiteral("/srv/photos"));
        folder.SetFolderName(QStringLiteral("photos"));
        folder.name = QStringLiteral("2024");
        folder.typeName = QStringLiteral("Folder");
        folder.isFolder = true;
        folder.size = 4096;
        folder.created = file.modified;
        list.AppendRow(std::move(file));
        list.AppendRow(std::move(folder));
        list.SelectAll();
        QCOMPARE(
            ClipboardCopyText(list, ClipboardCopyMode::ExtendedDetails, 2),
            QStringLiteral("Filename\tParent Folder\tFull Path\tFile Type\tSize\tCreated\t"
                           "Modified\tAccessed\r\n"
                           "notes.txt\t\t/notes.txt\tPlain text document\t1 KB\t\t"
                           "05.03.04 13:57:09\t\r\n"
                           "2024\tphotos\t/srv/photos/2024\tFolder\t0 KB\t05.03.04 13:57:09\t\t"));
    }

    void selectFromClipboard_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::vector<int>>("rows");
        QTest::newRow("prefix without regard to case") << QStringLiteral("abc") << Rows({0, 1, 2});
        QTest::newRow("CR LF lines") << QStringLiteral("ABC.D\r\nother\r\n") << Rows({1, 4});
        QTest::newRow("LF lines and empty lines")
            << QStringLiteral("\n\nxabc\n\n\nabcdef\n") << Rows({2, 3});
        QTest::newRow("only line ends") << QStringLiteral("\r\n\n\r\n") << Rows({});
        QTest::newRow("beyond A to Z") << QStringLiteral("äPFEL") << Rows({5});
        QTest::newRow("the whole name") << QStringLiteral("other.txt") << Rows({4});
        QTest::newRow("longer than the name") << QStringLiteral("other.txt.bak") << Rows({});
        QTest::newRow("no match in the middle") << QStringLiteral("bc") << Rows({});
    }

    void selectFromClipboard() {
        QFETCH(QString, text);
        QFETCH(std::vector<int>, rows);
        CFileList list = ListOf({
            {"/d", "abc.txt", "", false},
            {"/d", "ABC.doc", "", false},
            {"/d", "abcdef.jpg", "", false},
            {"/d", "xabc.png", "", false},
            {"/d", "other.txt", "", false},
            {"/d", "Äpfel.txt", "", false},
        });
        QCOMPARE(RowsNamedInClipboardText(list, text), rows);
        list.SetSelected(0, true);
        const int alreadySelected = std::count(rows.begin(), rows.end(), 0);
        QCOMPARE(SelectFromClipboardText(list, text),
                 static_cast<int>(rows.size()) - alreadySelected);
        QVERIFY(list.IsSelected(0)); // nothing is deselected
        for (int row : rows)
            QVERIFY(list.IsSelected(row));
        QCOMPARE(list.SelectedCount(), static_cast<int>(rows.size()) + 1 - alreadySelected);
    }

    void copiedNamesSelectTheirRows() {
        CFileList list = ListOf({
            {"/d", "one.txt", "1.txt", true},
            {"/d", "two.txt", "", false},
            {"/d", "three.txt", "3.txt", true},
            {"/d", "four.txt", "", false},
        });
        const QString copied = ClipboardCopyText(list, ClipboardCopyMode::FilenameExt, 3);
        list.DeselectAll();
        QCOMPARE(SelectFromClipboardText(list, copied), 2);
        QCOMPARE(RowsNamedInClipboardText(list, copied), Rows({0, 2}));
    }
};

QTEST_GUILESS_MAIN(TstClipboardTexts)
#include "tst_clipboardtexts.moc"
