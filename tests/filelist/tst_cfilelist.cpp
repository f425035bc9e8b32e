// SPDX-License-Identifier: GPL-3.0-or-later
#include "filelist/cfilelist.h"
#include "platform/attributes.h"

#include <QtTest>

namespace {

FILEENTRY Entry(const QString& name, quint32 attributes = 0) {
    FILEENTRY e;
    e.name = name;
    e.SetNativeName(name.toUtf8());
    e.SetFolderPath(QStringLiteral("/photos"));
    e.SetNativeFolderPath("/photos");
    e.attributes = attributes;
    InitialiseNewEntry(e);
    return e;
}

// Every notice of the list, one line each.
class CNoticeLog : public IListNotices {
public:
    QStringList lines;
    void ListAboutToReset() override { lines << QStringLiteral("reset-"); }
    void ListReset() override { lines << QStringLiteral("reset+"); }
    void RowsAboutToBeInserted(int first, int last) override { Add("insert-", first, last); }
    void RowsInserted(int first, int last) override { Add("insert+", first, last); }
    void RowsAboutToBeRemoved(int first, int last) override { Add("remove-", first, last); }
    void RowsRemoved(int first, int last) override { Add("remove+", first, last); }
    void RowsChanged(int first, int last, RowChanges changes) override {
        lines << QStringLiteral("changed %1 %2 %3").arg(first).arg(last).arg(changes.toInt());
    }

private:
    void Add(const char* what, int first, int last) {
        lines << QStringLiteral("%1 %2 %3").arg(QLatin1String(what)).arg(first).arg(last);
    }
};

// Runs one step of a script such as "select 0 5" on the list.
void Step(CFileList& list, const QString& step) {
    const QStringList w = step.split(QLatin1Char(' '));
    const int a = w.value(1).toInt();
    const int b = w.value(2).toInt();
    if (w[0] == QLatin1String("begin"))
        list.BeginBatch();
    else if (w[0] == QLatin1String("end"))
        list.EndBatch();
    else if (w[0] == QLatin1String("select"))
        list.SetSelectedRange(a, b, true);
    else if (w[0] == QLatin1String("deselect"))
        list.SetSelectedRange(a, b, false);
    else if (w[0] == QLatin1String("name"))
        list.SetNewName(a, QStringLiteral("new"));
    else if (w[0] == QLatin1String("time"))
        list.SetPendingModified(a, 5000000);
    else if (w[0] == QLatin1String("attributes"))
        list.SetPendingAttributes(a, AttrReadOnly);
    else if (w[0] == QLatin1String("delete"))
        list.DeleteRow(a);
    else if (w[0] == QLatin1String("insert"))
        list.InsertRow(a, Entry(QStringLiteral("new.txt")));
    else if (w[0] == QLatin1String("move"))
        list.MoveRow(a, b);
    else if (w[0] == QLatin1String("sort"))
        list.SortRowsBy(
            [](const FILEENTRY& x, const FILEENTRY& y) { return y.name.compare(x.name); });
    else if (w[0] == QLatin1String("clear"))
        list.Clear();
    else
        QFAIL(qPrintable(step));
}

} // namespace

class TstCFileList : public QObject {
    Q_OBJECT
private slots:
    // Six rows, rows 1 and 3 selected; notices counted from there.
    void notices_data() {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QStringList>("notices");
        QTest::addColumn<int>("selected");
        const auto L = [](std::initializer_list<const char*> items) {
            QStringList list;
            for (const char* item : items)
                list << QString::fromUtf8(item);
            return list;
        };
        QTest::newRow("one change, no batch") << L({"name 2"}) << L({"changed 2 2 1"}) << 2;
        QTest::newRow("nested batch tells once")
            << L({"begin", "name 4", "begin", "time 1", "end", "attributes 2", "end"})
            << L({"changed 1 4 7"}) << 2;
        QTest::newRow("deselected rows reset in one notice")
            << L({"deselect 0 5"}) << L({"changed 1 3 15"}) << 0;
        QTest::newRow("a range selects what was not selected")
            << L({"select 0 5"}) << L({"changed 0 5 8"}) << 6;
        QTest::newRow("selecting the selected tells nothing") << L({"select 1 1"}) << L({}) << 2;
        QTest::newRow("a structural change flushes the batch first")
            << L({"begin", "name 4", "delete 1", "name 0", "end"})
            << L({"changed 4 4 1", "remove- 1 1", "remove+ 1 1", "changed 0 0 1"}) << 1;
        QTest::newRow("insert") << L({"insert 2"}) << L({"insert- 2 2", "insert+ 2 2"}) << 2;
        QTest::newRow("a moved copy is not selected")
            << L({"move 1 4"}) << L({"insert- 4 4", "insert+ 4 4"}) << 2;
        QTest::newRow("sort and clear reset")
            << L({"sort", "clear"}) << L({"reset-", "reset+", "reset-", "reset+"}) << 0;
        QTest::newRow("a range past the end is clamped")
            << L({"select 4 99"}) << L({"changed 4 5 8"}) << 4;
    }
    void notices() {
        QFETCH(QStringList, script);
        QFETCH(QStringList, notices);
        QFETCH(int, selected);
        CFileList list;
        for (int i = 0; i < 6; ++i)
            list.AppendRow(Entry(QStringLiteral("f%1.txt").arg(i)));
        list.SetSelected(1, true);
        list.SetSelected(3, true);
        CNoticeLog log;
        list.SetNotices(&log);
        for (const QString& step : script)
            Step(list, step);
        QCOMPARE(log.lines, notices);
        QCOMPARE(list.SelectedCount(), selected);
        int counted = 0;
        for (int row = 0; row < list.RowCount(); ++row)
            counted += list.IsSelected(row) ? 1 : 0;
        QCOMPARE(counted, selected);
    }

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
        e.SetNativeName(QByteArray("caf\xe9", 4)); // Latin-1 bytes, not UTF-8
        list.AppendRow(e);
        QCOMPARE(list.GetNativeFullPath(0), QByteArray("/photos/caf\xe9", 12));
        list.SetName(0, QStringLiteral("café"));
        QCOMPARE(list.GetNativeFullPath(0), QByteArray("/photos/caf\xc3\xa9"));
        QCOMPARE(list.GetFullPath(0), QStringLiteral("/photos/café"));
    }

    void fullPathAtRoot() {
        CFileList list;
        FILEENTRY e = Entry(QStringLiteral("etc"));
        e.SetFolderPath(QStringLiteral("/"));
        e.SetNativeFolderPath("/");
        list.AppendRow(e);
        QCOMPARE(list.GetFullPath(0), QStringLiteral("/etc"));
        FILEENTRY none = Entry(QStringLiteral("x"));
        none.SetFolderPath(QString());
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

    void rowsFollowEveryChange_data() {
        QTest::addColumn<QStringList>("steps");
        const auto steps = [](const char* text) {
            return QString::fromLatin1(text).split(QLatin1Char(','));
        };
        QTest::newRow("batches") << steps("append 3,append 600,append 1");
        QTest::newRow("insert between") << steps("append 4,insert 2 3,insert 0 1,insert 9 2");
        QTest::newRow("delete and move")
            << steps("append 5,delete 0,delete 3,move 0 9,move 2 1,delete 0,append 2");
        QTest::newRow("sort then change") << steps("append 300,sort,insert 10 5,delete 1,sort");
        QTest::newRow("clear and again") << steps("append 8,delete 2,clear,append 3,insert 1 2");
    }

    // The list's rows against a plain list of their names, after every step: rows point
    // into the vectors handed over, which must hold whatever is inserted, deleted or sorted.
    void rowsFollowEveryChange() {
        QFETCH(QStringList, steps);
        CFileList list;
        QStringList model;
        int made = 0;
        const auto batch = [&made](int count, QStringList& names) {
            std::vector<FILEENTRY> entries;
            for (int i = 0; i < count; ++i) {
                names.append(QStringLiteral("e%1").arg(made++, 5, 10, QLatin1Char('0')));
                entries.push_back(Entry(names.last()));
            }
            return entries;
        };
        for (const QString& step : steps) {
            const QStringList w = step.split(QLatin1Char(' '));
            const int a = w.value(1).toInt();
            const int b = w.value(2).toInt();
            if (w[0] == QLatin1String("append")) {
                QStringList names;
                list.AppendRows(batch(a, names));
                model += names;
            } else if (w[0] == QLatin1String("insert")) {
                QStringList names;
                list.InsertRows(a, batch(b, names));
                const qsizetype at = std::min<qsizetype>(a, model.size());
                for (qsizetype i = 0; i < names.size(); ++i)
                    model.insert(at + i, names[i]);
            } else if (w[0] == QLatin1String("delete")) {
                list.DeleteRow(a);
                model.removeAt(a);
            } else if (w[0] == QLatin1String("move")) {
                list.MoveRow(a, b); // a copy; the row copied stays
                model.insert(std::min<qsizetype>(b, model.size()), model[a]);
            } else if (w[0] == QLatin1String("sort")) {
                list.SortRowsBy(
                    [](const FILEENTRY& x, const FILEENTRY& y) { return y.name.compare(x.name); });
                std::sort(model.begin(), model.end(), std::greater<QString>());
            } else {
                list.Clear();
                model.clear();
            }
            QStringList names;
            for (int row = 0; row < list.RowCount(); ++row)
                names.append(list.GetEntry(row).name);
            QCOMPARE(names, model);
        }
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
