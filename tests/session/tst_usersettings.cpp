// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/session/cusersettings.h"
#include "filelist/listcolumns.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <numeric>

using RAWVALUES = QList<QPair<QString, QString>>;
Q_DECLARE_METATYPE(std::optional<WINDOWPLACEMENT>)

namespace {

QSettings RawStore() {
    return QSettings(QStringLiteral("Tarnwick"), QStringLiteral("Quorvin"));
}

void WriteRaw(const RAWVALUES& values) {
    QSettings raw(QStringLiteral("Tarnwick"), QStringLiteral("Quorvin"));
    raw.clear();
    for (const auto& [key, value] : values)
        raw.setValue(key, value);
}

QList<int> DefaultOrder() {
    QList<int> order(ColumnCount);
    std::iota(order.begin(), order.end(), 0);
    return order;
}

} // namespace

class TstUserSettings : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
        QVERIFY(QSettings(QStringLiteral("Tarnwick"), QStringLiteral("Quorvin"))
                    .fileName()
                    .startsWith(m_dir.path()));
    }

    void init() { WriteRaw({}); }

    void placement_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<std::optional<WINDOWPLACEMENT>>("placement");
        const auto row = [](const char* tag, const char* stored,
                            std::optional<WINDOWPLACEMENT> placement) {
            QTest::newRow(tag) << QString::fromLatin1(stored) << placement;
        };
        row("normal", "10,20,810,620,1,0", WINDOWPLACEMENT{10, 20, 810, 620, 1, 0});
        row("maximised with flags", "-4,-4,1924,1084,3,2",
            WINDOWPLACEMENT{-4, -4, 1924, 1084, 3, 2});
        row("minimised comes back normal", "10,20,810,620,2,0",
            WINDOWPLACEMENT{10, 20, 810, 620, 1, 0});
        row("blanks between numbers", " 1, 2 ,3,4,1,0", WINDOWPLACEMENT{1, 2, 3, 4, 1, 0});
        row("five numbers", "10,20,810,620,1", std::nullopt);
        row("seven numbers", "10,20,810,620,1,0,9", std::nullopt);
        row("not a number", "10,20,x,620,1,0", std::nullopt);
        row("empty", "", std::nullopt);
    }

    void placement() {
        QFETCH(QString, stored);
        QFETCH(std::optional<WINDOWPLACEMENT>, placement);
        WriteRaw({{QStringLiteral("Main Window/WindowPlacement"), stored},
                  {QStringLiteral("Picture Viewer/WindowPlacement"), stored}});
        const CUserSettings settings;
        QCOMPARE(settings.MainWindowPlacement(), placement);
        QCOMPARE(settings.PictureViewerPlacement(), placement);
    }

    void roundTripKeepsEveryValueUnderItsKey() {
        QList<int> widths(ColumnCount, 75);
        widths[0] = 0; // a column dragged shut stays shut
        const QList<int> order = {11, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        {
            CUserSettings settings;
            settings.SetMainWindowPlacement({10, 20, 810, 620, 3, 0});
            settings.SetPictureViewerPlacement({900, 20, 1200, 320, 1, 0});
            settings.SetAlwaysOnTop(true);
            settings.SetSplitterLeft(240);
            settings.SetColumnWidths(widths);
            settings.SetColumnOrder(order);
            settings.SetRecentFavourites(
                {QStringLiteral("/home/me/b.qvn"), QStringLiteral("/home/me/a&b.qvn")});
        }
        const CUserSettings settings;
        QCOMPARE(settings.MainWindowPlacement(), (WINDOWPLACEMENT{10, 20, 810, 620, 3, 0}));
        QCOMPARE(settings.PictureViewerPlacement(), (WINDOWPLACEMENT{900, 20, 1200, 320, 1, 0}));
        QCOMPARE(settings.AlwaysOnTop(), true);
        QCOMPARE(settings.SplitterLeft(), 240);
        QCOMPARE(settings.ColumnWidths(), widths);
        QCOMPARE(settings.ColumnOrder(), order);
        QCOMPARE(settings.RecentFavourites(), QStringList({QStringLiteral("/home/me/b.qvn"),
                                                           QStringLiteral("/home/me/a&b.qvn")}));

        const QSettings raw = RawStore();
        QCOMPARE(raw.value(QStringLiteral("Main Window/WindowPlacement")).toString(),
                 QStringLiteral("10,20,810,620,3,0"));
        QCOMPARE(raw.value(QStringLiteral("Main Window/AlwaysOnTop")).toInt(), 1);
        QCOMPARE(raw.value(QStringLiteral("Main Window/Splitter Left")).toInt(), 240);
        QCOMPARE(raw.value(QStringLiteral("Main Window/Col MP3 Track")).toInt(), 75);
        QCOMPARE(raw.value(QStringLiteral("Main Window/Column 0")).toInt(), 11);
        QCOMPARE(raw.value(QStringLiteral("Recent File List/File2")).toString(),
                 QStringLiteral("/home/me/a&b.qvn"));
    }

    void columnOrder_data() {
        QTest::addColumn<RAWVALUES>("stored");
        QTest::addColumn<QList<int>>("order");
        RAWVALUES reversed;
        for (int position = 0; position < ColumnCount; ++position)
            reversed.append({QStringLiteral("Main Window/Column %1").arg(position),
                             QString::number(ColumnCount - 1 - position)});
        QList<int> reversedOrder = DefaultOrder();
        std::reverse(reversedOrder.begin(), reversedOrder.end());
        QTest::newRow("every position") << reversed << reversedOrder;
        RAWVALUES missing = reversed;
        missing.removeAt(5);
        QTest::newRow("one position missing") << missing << DefaultOrder();
        RAWVALUES twice = reversed;
        twice[1].second = twice[0].second;
        QTest::newRow("a column twice") << twice << DefaultOrder();
        RAWVALUES outside = reversed;
        outside[0].second = QString::number(ColumnCount);
        QTest::newRow("no such column") << outside << DefaultOrder();
        RAWVALUES text = reversed;
        text[3].second = QStringLiteral("Name");
        QTest::newRow("not a number") << text << DefaultOrder();
    }

    void columnOrder() {
        QFETCH(RAWVALUES, stored);
        QFETCH(QList<int>, order);
        WriteRaw(stored);
        QCOMPARE(CUserSettings().ColumnOrder(), order);
    }

    void damagedWidthsAndSplitterFallBack() {
        WriteRaw({{QStringLiteral("Main Window/Col Name"), QStringLiteral("-5")},
                  {QStringLiteral("Main Window/Col NewName"), QStringLiteral("wide")},
                  {QStringLiteral("Main Window/Col Type"), QStringLiteral("90")},
                  {QStringLiteral("Main Window/Splitter Left"), QStringLiteral("-30")}});
        const CUserSettings settings;
        const QList<int> widths = settings.ColumnWidths();
        QCOMPARE(widths[ColName], ColumnInfo(ColName).defaultWidth);
        QCOMPARE(widths[ColNewName], ColumnInfo(ColNewName).defaultWidth);
        QCOMPARE(widths[ColType], 90);
        QCOMPARE(settings.SplitterLeft(), -1);
    }

    void recentFavouritesKeepEightAndDropStaleEntries() {
        CUserSettings settings;
        QStringList ten;
        for (int i = 1; i <= 10; ++i)
            ten.append(QStringLiteral("/f/%1.qvn").arg(i));
        ten.insert(2, QString());
        settings.SetRecentFavourites(ten);
        QCOMPARE(settings.RecentFavourites(), ten.mid(0, 2) + ten.mid(3, 6));
        settings.SetRecentFavourites({QStringLiteral("/only.qvn")});
        QCOMPARE(settings.RecentFavourites(), QStringList{QStringLiteral("/only.qvn")});
        settings.Sync();
        QVERIFY(!RawStore().contains(QStringLiteral("Recent File List/File2")));
    }

    void clearEmptiesTheStore() {
        CUserSettings settings;
        settings.SetAlwaysOnTop(true);
        settings.SetRecentFavourites({QStringLiteral("/a.qvn")});
        settings.Clear();
        settings.Sync();
        QVERIFY(RawStore().allKeys().isEmpty());
        QCOMPARE(settings.AlwaysOnTop(), false);
    }
};

QTEST_GUILESS_MAIN(TstUserSettings)
#include "tst_usersettings.moc"
