// SPDX-License-Identifier: GPL-3.0-or-later
#include "renametestkit.h"

#include "filelist/listcolumns.h"
#include "filelist/nameconflicts.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TstNameConflicts : public QObject {
    Q_OBJECT
private slots:
    // files: listed before the refresh; renames: "old>new", "old>" leaves the row out of
    // the selection; later: made after the listing, so only the disk knows them.
    void conflicts_data() {
        QTest::addColumn<QByteArrayList>("files");
        QTest::addColumn<QList<QByteArray>>("renames");
        QTest::addColumn<QByteArrayList>("later");
        QTest::addColumn<QStringList>("expected"); // "name=conflict" per row

        const QString longName = QString(255, u'x');
        QTest::newRow("same new name")
            << QByteArrayList{"a", "b", "c"} << QList<QByteArray>{"a>x", "b>x", "c>y"}
            << QByteArrayList{} << QStringList{u"a=duplicate"_s, u"b=duplicate"_s, u"c="_s};
        QTest::newRow("row left out of the selection")
            << QByteArrayList{"a", "keep"} << QList<QByteArray>{"a>keep", "keep>"}
            << QByteArrayList{} << QStringList{u"a=exists"_s, u"keep="_s};
        QTest::newRow("selected row that stays")
            << QByteArrayList{"a", "b"} << QList<QByteArray>{"a>b"} << QByteArrayList{}
            << QStringList{u"a=exists"_s, u"b="_s};
        QTest::newRow("only on disk") << QByteArrayList{"a"} << QList<QByteArray>{"a>new"}
                                      << QByteArrayList{"new"} << QStringList{u"a=exists"_s};
        QTest::newRow("chain and swap")
            << QByteArrayList{"a", "b", "c", "d"} << QList<QByteArray>{"a>b", "b>c", "c>d", "d>a"}
            << QByteArrayList{} << QStringList{u"a="_s, u"b="_s, u"c="_s, u"d="_s};
        QTest::newRow("longest name and one byte more")
            << QByteArrayList{"a", "b"}
            << QList<QByteArray>{"a>" + longName.toUtf8(), "b>" + longName.toUtf8() + 'x'}
            << QByteArrayList{} << QStringList{u"a="_s, u"b=too-long"_s};
        QTest::newRow("two-byte characters over the limit")
            << QByteArrayList{"a"} << QList<QByteArray>{"a>" + QString(128, u'é').toUtf8()}
            << QByteArrayList{} << QStringList{u"a=too-long"_s};
        QTest::newRow("NUL, slash and dot dot")
            << QByteArrayList{"a", "b", "c"}
            << QList<QByteArray>{QByteArray("a>N\0UL", 6), "b>x/y", "c>.."} << QByteArrayList{}
            << QStringList{u"a=invalid"_s, u"b=invalid"_s, u"c=invalid"_s};
        QTest::newRow("names that stay, whatever they hold")
            << QByteArrayList{"a:b", "c"} << QList<QByteArray>{} << QByteArrayList{}
            << QStringList{u"a:b="_s, u"c="_s};
    }
    void conflicts() {
        QFETCH(QByteArrayList, files);
        QFETCH(QList<QByteArray>, renames);
        QFETCH(QByteArrayList, later);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path());
        for (const QByteArray& name : files)
            MakeFile(root + '/' + name, 1'000'000'000);
        CFileList list;
        ListFolder(list, root);
        for (const QByteArray& rename : renames) {
            const qsizetype arrow = rename.indexOf('>');
            const int row = RowOf(list, rename.left(arrow), root);
            if (arrow == rename.size() - 1)
                list.SetSelected(row, false);
            else
                list.SetNewName(row, QString::fromUtf8(rename.mid(arrow + 1)));
        }
        for (const QByteArray& name : later)
            MakeFile(root + '/' + name, 1'000'000'000);
        MarkNameConflicts(list, QByteArray());
        QStringList actual;
        for (int row = 0; row < list.RowCount(); ++row) {
            const FILEENTRY& e = list.GetEntry(row);
            actual << e.name + u'=' + NameConflictKey(e.conflict);
            if (!e.affected)
                QVERIFY(!e.invalidChars);
            const CellColour colour = CellColourOf(e, ColNewName);
            if (e.conflict != NameConflict::None && !e.invalidChars)
                QCOMPARE(colour, CellColour::Conflict);
            else if (e.conflict == NameConflict::None && e.affected)
                QCOMPARE(colour, CellColour::GoodChange);
        }
        QCOMPARE(actual, expected);
    }

    // Names are compared by their bytes on disk: texts that differ can encode alike, and a
    // name on disk that differs only in letter case is left to the file system.
    // from: listed names whose rows get `to` (in order); later: made after the listing.
    void namesByTheirBytes_data() {
        QTest::addColumn<QByteArrayList>("files");
        QTest::addColumn<QByteArrayList>("later");
        QTest::addColumn<QByteArrayList>("from");
        QTest::addColumn<QStringList>("to");
        QTest::addColumn<QStringList>("expected"); // the conflict of each row of `from`

        const QString escapedE =
            QString(QChar(0xDCC3)) + QChar(0xDCA9); // the bytes of "é", undecoded
        QTest::newRow("undecoded bytes of a listed name")
            << QByteArrayList{"\xC3\xA9", "a"} << QByteArrayList{} << QByteArrayList{"a"}
            << QStringList{escapedE} << QStringList{u"exists"_s};
        QTest::newRow("two texts of one name")
            << QByteArrayList{"a", "b"} << QByteArrayList{} << QByteArrayList{"a", "b"}
            << QStringList{u"é"_s, escapedE} << QStringList{u"duplicate"_s, u"duplicate"_s};
        QTest::newRow("lone surrogate and replacement character")
            << QByteArrayList{"a", "b"} << QByteArrayList{} << QByteArrayList{"a", "b"}
            << QStringList{QString(QChar(0xD800)), u"\uFFFD"_s}
            << QStringList{u"duplicate"_s, u"duplicate"_s};
        QTest::newRow("undecodable listed name")
            << QByteArrayList{"\xFF", "a"} << QByteArrayList{} << QByteArrayList{"a"}
            << QStringList{QString(QChar(0xDCFF))} << QStringList{u"exists"_s};
        QTest::newRow("same text, other pairs of surrogates")
            << QByteArrayList{"a", "b", "c"} << QByteArrayList{} << QByteArrayList{"a", "b", "c"}
            << QStringList{u"😀"_s, u"😀"_s, u"😁"_s}
            << QStringList{u"duplicate"_s, u"duplicate"_s, QString()};
        QTest::newRow("case-only twin on disk")
            << QByteArrayList{"a"} << QByteArrayList{"NEW"} << QByteArrayList{"a"}
            << QStringList{u"new"_s} << QStringList{QString()};
        QTest::newRow("exact name beside its twin on disk")
            << QByteArrayList{"a"} << QByteArrayList{"NEW", "new"} << QByteArrayList{"a"}
            << QStringList{u"NEW"_s} << QStringList{u"exists"_s};
        QTest::newRow("case-only change of a listed name")
            << QByteArrayList{"a", "b"} << QByteArrayList{} << QByteArrayList{"a", "b"}
            << QStringList{u"A"_s, u"a"_s} << QStringList{QString(), QString()};
        QTest::newRow("new text, same bytes: stays put")
            << QByteArrayList{"\xC3\xA9", "a"} << QByteArrayList{}
            << QByteArrayList{"\xC3\xA9", "a"} << QStringList{escapedE, u"é"_s}
            << QStringList{QString(), u"exists"_s};
    }
    void namesByTheirBytes() {
        QFETCH(QByteArrayList, files);
        QFETCH(QByteArrayList, later);
        QFETCH(QByteArrayList, from);
        QFETCH(QStringList, to);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path());
        for (const QByteArray& name : files)
            MakeFile(root + '/' + name, 1'000'000'000);
        CFileList list;
        ListFolder(list, root);
        for (const QByteArray& name : later)
            MakeFile(root + '/' + name, 1'000'000'000);
        for (qsizetype i = 0; i < from.size(); ++i)
            list.SetNewName(RowOf(list, from[i], root), to[i]);
        CFolderNameCache cache;
        // The second marking answers from the folder's names read by the first.
        for (int pass = 0; pass < 2; ++pass) {
            MarkNameConflicts(list, QByteArray(), cache);
            QStringList actual;
            for (const QByteArray& name : from)
                actual << NameConflictKey(list.GetEntry(RowOf(list, name, root)).conflict);
            QCOMPARE(actual, expected);
        }
    }

    // Rows of several folders: alike names clash only where they meet.
    void rowsOfSeveralFolders() {
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path());
        for (const QByteArray& folder : QByteArrayList{"from", "from/one", "from/two", "to"})
            MakeFolder(root + '/' + folder);
        for (const QByteArray& file :
             QByteArrayList{"from/one/x", "from/two/x", "from/two/y", "to/y"})
            MakeFile(root + '/' + file, 1'000'000'000);
        CFileList list;
        ListFolder(list, root + "/from", true);
        const auto conflictOf = [&](const QByteArray& path) {
            return NameConflictKey(list.GetEntry(RowOf(list, "from/" + path, root)).conflict);
        };
        MarkNameConflicts(list, root + "/to//");
        QCOMPARE(conflictOf("one/x"), u"duplicate"_s);
        QCOMPARE(conflictOf("two/x"), u"duplicate"_s);
        QCOMPARE(conflictOf("two/y"), u"exists"_s);
        QCOMPARE(conflictOf("one"), QString());
        list.SetNewName(RowOf(list, "from/one/x", root), u"z"_s);
        list.SetNewName(RowOf(list, "from/two/x", root), u"z"_s);
        MarkNameConflicts(list, QByteArray());
        QCOMPARE(conflictOf("one/x"), QString());
        QCOMPARE(conflictOf("two/x"), QString());
        list.SetNewName(RowOf(list, "from/two/y", root), u"z"_s);
        MarkNameConflicts(list, QByteArray());
        QCOMPARE(conflictOf("two/x"), u"duplicate"_s);
        QCOMPARE(conflictOf("two/y"), u"duplicate"_s);
        QCOMPARE(conflictOf("one/x"), QString());
    }

    // Into a new location every row's new path is in that folder.
    void newLocation() {
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path());
        MakeFolder(root + "/from");
        MakeFolder(root + "/to");
        MakeFile(root + "/from/a", 1'000'000'000);
        MakeFile(root + "/from/b", 1'000'000'000);
        MakeFile(root + "/to/b", 1'000'000'000);
        CFileList list;
        ListFolder(list, root + "/from");
        MarkNameConflicts(list, root + "/to");
        QCOMPARE(list.GetEntry(0).conflict, NameConflict::None);
        QCOMPARE(list.GetEntry(1).conflict, NameConflict::Exists);
        MarkNameConflicts(list, QByteArray());
        QCOMPARE(list.GetEntry(1).conflict, NameConflict::None);
    }
};

QTEST_GUILESS_MAIN(TstNameConflicts)
#include "tst_nameconflicts.moc"
