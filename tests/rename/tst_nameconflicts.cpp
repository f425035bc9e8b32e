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
