// SPDX-License-Identifier: GPL-3.0-or-later
#include "filelist/cfilelist.h"
#include "platform/attributes.h"

#include <QtTest>

namespace {

FILEENTRY Entry(const QString& name, quint32 attributes = 0) {
    FILEENTRY e;
    e.name = name;
    e.nativeName = name.toUtf8();
    e.folderPath = QStringLiteral("/photos");
    e.nativeFolderPath = "/photos";
    e.attributes = attributes;
    InitialiseNewEntry(e);
    return e;
}

} // namespace

class TstCFileList : public QObject {
    Q_OBJECT
private slots:
    void newEntryState() {
        CFileList list;
        list.AppendRow(Entry(QStringLiteral("a.txt"), AttrReadOnly));
        const FILEENTRY& e = list.GetEntry(0);
        QCOMPARE(e.newName, QStringLiteral("a.txt"));
        QCOMPARE(e.newNameLength, 5);
        QCOMPARE(e.newAttributes, quint32(AttrReadOnly));
        QVERIFY(!e.affected && !e.invalidChars && !e.attributesPending);
    }

    void setNewName_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("newName");
        QTest::addColumn<bool>("affected");
        QTest::addColumn<bool>("invalid");
        QTest::newRow("empty gives name back")
            << QString() << QStringLiteral("a.txt") << false << false;
        QTest::newRow("case only counts")
            << QStringLiteral("A.txt") << QStringLiteral("A.txt") << true << false;
        QTest::newRow("colon") << QStringLiteral("a:b.txt") << QStringLiteral("a:b.txt") << true
                               << true;
        QTest::newRow("slash") << QStringLiteral("a/b.txt") << QStringLiteral("a/b.txt") << true
                               << true;
        QTest::newRow("backslash")
            << QStringLiteral("a\\b") << QStringLiteral("a\\b") << true << true;
        QTest::newRow("pipe") << QStringLiteral("a|b") << QStringLiteral("a|b") << true << true;
        QTest::newRow("quote") << QStringLiteral("a\"b") << QStringLiteral("a\"b") << true << true;
        QTest::newRow("surrogate pair") << QStringLiteral("a\U0001F600.txt")
                                        << QStringLiteral("a\U0001F600.txt") << true << false;
    }
    void setNewName() {
        QFETCH(QString, text);
        QFETCH(QString, newName);
        QFETCH(bool, affected);
        QFETCH(bool, invalid);
        CFileList list;
        list.AppendRow(Entry(QStringLiteral("a.txt")));
        list.SetNewName(0, text);
        const FILEENTRY& e = list.GetEntry(0);
        QCOMPARE(e.newName, newName);
        QCOMPARE(e.newNameLength, int(newName.size()));
        QCOMPARE(e.affected, affected);
        QCOMPARE(e.invalidChars, invalid);
    }

    void anySelectedInvalidLooksOnlyAtSelectedRows() {
        CFileList list;
        list.AppendRow(Entry(QStringLiteral("a")));
        list.AppendRow(Entry(QStringLiteral("b")));
        list.SetSelected(0, true);
        list.SetSelected(1, true);
        list.SetNewName(1, QStringLiteral("b:c"));
        QVERIFY(list.AnySelectedInvalid());
        list.SetSelected(1, false);
        QVERIFY(!list.AnySelectedInvalid());
    }

    void deselectedRowIsReset() {
        CFileList list;
        list.AppendRow(Entry(QStringLiteral("a.txt")));
        list.SetSelected(0, true);
        list.SetNewName(0, QStringLiteral("b.txt"));
        list.SetPendingModified(0, 1000000000);
        list.SetPendingAttributes(0, AttrReadOnly);
        list.SetSelected(0, false);
        const FILEENTRY& e = list.GetEntry(0);
        QCOMPARE(e.newName, QStringLiteral("a.txt"));
        QVERIFY(!e.affected && !e.modifiedPending && !e.attributesPending);
        QCOMPARE(e.newModified, TimeValue(0));
        list.SetSelected(0, true);
        list.SetNewName(0, QStringLiteral("c.txt"));
        list.DeselectAll();
        QCOMPARE(list.GetEntry(0).newName, QStringLiteral("a.txt"));
    }

    void pendingAttributesCompareLetters_data() {
        QTest::addColumn<quint32>("current");
        QTest::addColumn<quint32>("pending");
        QTest::addColumn<bool>("expected");
        QTest::newRow("same") << quint32(AttrReadOnly) << quint32(AttrReadOnly) << false;
        QTest::newRow("other bits only") << quint32(0) << quint32(AttrDirectory | 0x80) << false;
        QTest::newRow("read-only added") << quint32(0) << quint32(AttrReadOnly) << true;
        QTest::newRow("hidden removed") << quint32(AttrHidden) << quint32(0) << true;
    }
    void pendingAttributesCompareLetters() {
        QFETCH(quint32, current);
        QFETCH(quint32, pending);
        QFETCH(bool, expected);
        CFileList list;
        list.AppendRow(Entry(QStringLiteral("a"), current));
        list.SetPendingAttributes(0, pending);
        QCOMPARE(list.GetEntry(0).attributesPending, expected);
        list.CommitAttributes(0, pending);
        QCOMPARE(list.GetEntry(0).attributes, pending);
        QVERIFY(!list.GetEntry(0).attributesPending);
    }

    void commitTimesClearPending() {
        CFileList list;
        list.AppendRow(Entry(QStringLiteral("a")));
        list.SetPendingCreated(0, 5000000);
        QVERIFY(list.GetEntry(0).createdPending);
        list.CommitCreated(0, 5000000);
        QCOMPARE(list.GetEntry(0).created, TimeValue(5000000));
        QVERIFY(!list.GetEntry(0).createdPending);
        QCOMPARE(list.GetEntry(0).newCreated, TimeValue(0));
    }

    void setNameKeepsBytesInStep() {
        CFileList list;
        FILEENTRY e = Entry(QStringLiteral("x"));
        e.nativeName = QByteArray("caf\xe9", 4); // Latin-1 bytes, not UTF-8
        e.name = QString::fromUtf8(e.nativeName);
        list.AppendRow(e);
        QCOMPARE(list.GetNativeFullPath(0), QByteArray("/photos/caf\xe9", 12));
        list.SetName(0, QStringLiteral("café"));
        QCOMPARE(list.GetNativeFullPath(0), QByteArray("/photos/caf\xc3\xa9"));
        QCOMPARE(list.GetFullPath(0), QStringLiteral("/photos/café"));
    }

    void fullPathAtRoot() {
        CFileList list;
        FILEENTRY e = Entry(QStringLiteral("etc"));
        e.folderPath = QStringLiteral("/");
        e.nativeFolderPath = "/";
        list.AppendRow(e);
        QCOMPARE(list.GetFullPath(0), QStringLiteral("/etc"));
        FILEENTRY none = Entry(QStringLiteral("x"));
        none.folderPath.clear();
        list.AppendRow(none);
        QCOMPARE(list.GetFullPath(1), QString());
    }

    void moveRowCopiesEntryNotSelection() {
        CFileList list;
        list.AppendRow(Entry(QStringLiteral("a")));
        list.AppendRow(Entry(QStringLiteral("b")));
        list.AppendRow(Entry(QStringLiteral("c")));
        list.SetSelected(0, true);
        list.MoveRow(0, 3);
        list.DeleteRow(0);
        QCOMPARE(list.RowCount(), 3);
        QCOMPARE(list.GetEntry(2).name, QStringLiteral("a"));
        QVERIFY(!list.IsSelected(2));
    }

    void contradictorySortKeepsEveryRow() {
        CFileList list;
        for (int i = 0; i < 50; ++i)
            list.AppendRow(Entry(QString::number(i)));
        int calls = 0;
        list.SortRowsBy([&calls](const FILEENTRY&, const FILEENTRY&) { return (++calls % 3) - 1; });
        QSet<QString> names;
        for (int i = 0; i < list.RowCount(); ++i)
            names.insert(list.GetEntry(i).name);
        QCOMPARE(names.size(), 50);
    }
};

QTEST_GUILESS_MAIN(TstCFileList)
#include "tst_cfilelist.moc"
