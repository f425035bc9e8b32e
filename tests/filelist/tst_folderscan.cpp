// SPDX-License-Identifier: GPL-3.0-or-later
#include "testfiles.h"

#include "filelist/cfilefilter.h"
#include "filelist/cfilelist.h"
#include "filelist/cfolderscan.h"
#include "platform/attributes.h"
#include "platform/nativename.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QStringList Listed(const SCANSETTINGS& settings) {
    CFileList list;
    ListFolder(list, settings, true);
    QStringList names;
    for (int i = 0; i < list.RowCount(); ++i)
        names << ShownName(list.GetEntry(i).SubDir() + QLatin1Char('/') + list.GetEntry(i).name);
    names.sort();
    return names;
}

QStringList Names(const char* spaced) {
    QStringList names = QString::fromUtf8(spaced).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    names.sort();
    return names;
}

} // namespace

class TstFolderScan : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QByteArray m_root;

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_root = QFile::encodeName(m_dir.path());
        for (const char* name : {"/a.txt", "/Photo.JPG", "/album.jpg", "/ab.c", "/x.png",
                                 "/.hidden", "/my photo.jpg", "/my.jpg", "/junk.tmp"})
            MakeFile(m_root + name, "data");
        MakeFolder(m_root + "/sub");
        MakeFile(m_root + "/sub/deep.jpg");
        MakeFolder(m_root + "/sub/inner");
        MakeFile(m_root + "/sub/inner/deeper.txt");
        MakeFolder(m_root + "/RECYCLER");
        MakeFile(m_root + "/RECYCLER/gone.txt");
        MakeFolder(m_root + "/.dotdir");
        MakeFile(m_root + "/.dotdir/inside.txt");
        MakeFile(m_root + "/caf\xe9.txt"); // a name that is not valid UTF-8
    }

    // Qt cannot remove a name that is not valid UTF-8, so the test removes it itself.
    void cleanupTestCase() { ::unlink((m_root + "/caf\xe9.txt").constData()); }

    void filters_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("star")
            << "*" << false
            << Names("/a.txt /Photo.JPG /album.jpg /ab.c /x.png /my.jpg /sub /caf\ufffd.txt "
                     "/junk.tmp");
        QTest::newRow("all but one kind")
            << "* !*.tmp" << false
            << Names("/a.txt /Photo.JPG /album.jpg /ab.c /x.png /my.jpg /sub /caf\ufffd.txt");
        QTest::newRow("empty") << "" << false << QStringList();
        QTest::newRow("blanks only") << "   " << false << QStringList();
        QTest::newRow("jpg without a") << "*.jpg !a*" << false << Names("/Photo.JPG /my.jpg");
        QTest::newRow("exclusion alone") << "!*.tmp" << false << QStringList();
        QTest::newRow("two kinds") << "*.jpg *.png" << true << Names("/album.jpg /my.jpg /x.png");
        QTest::newRow("quoted") << "\"*.jpg\" \"*.png\"" << true
                                << Names("/album.jpg /my.jpg /x.png");
        QTest::newRow("question mark") << "?b.?" << false << Names("/ab.c");
        QTest::newRow("match case") << "*.JPG" << true << Names("/Photo.JPG");
    }
    void filters() {
        QFETCH(QString, filter);
        QFETCH(bool, matchCase);
        QFETCH(QStringList, expected);
        SCANSETTINGS settings;
        settings.rootPath = m_root;
        settings.filter = filter;
        settings.filterMatchCase = matchCase;
        QStringList listed = Listed(settings);
        listed.removeAll(QStringLiteral("/my photo.jpg"));
        expected.removeAll(QStringLiteral("/my photo.jpg"));
        QCOMPARE(listed, expected);
    }

    void undecodableNameKeepsItsBytes() {
        SCANSETTINGS settings;
        settings.rootPath = m_root;
        settings.filter = QStringLiteral("caf*");
        CFileList list;
        ListFolder(list, settings, true);
        QCOMPARE(list.RowCount(), 1);
        QCOMPARE(list.GetEntry(0).name, QStringLiteral("caf\xdce9.txt"));
        QCOMPARE(EncodeNativeName(list.GetEntry(0).name), QByteArray("caf\xe9.txt"));
    }

    // A path beyond the system's limit cannot be looked at; the scan says so instead of
    // leaving it out without a word.
    void overlongPathsAreReported() {
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path());
        const QByteArray part(200, 'd');
        MakeDeepChain(root, 'd', 25);
        SCANSETTINGS settings;
        settings.rootPath = root;
        settings.subfolders = true;
        CFileList list;
        const SCANSKIPS skips = ListFolder(list, settings, true);
        QVERIFY(skips.count >= 1);
        QVERIFY(!skips.firstPaths.isEmpty());
        QVERIFY(skips.firstPaths.first().contains(QStringLiteral("File name too long")));
        const QString text = ScanSkipsText(skips);
        QVERIFY(text.startsWith(QStringLiteral("%1 item(s) could not be read").arg(skips.count)));
        QVERIFY(text.contains(QString::fromUtf8(part)));
        QVERIFY(ScanSkipsText(SCANSKIPS()).isEmpty());
        RemoveDeepChain(root, 'd', 25);
    }

    void droppedFileNameWithBlank() {
        SCANSETTINGS settings;
        settings.rootPath = m_root;
        settings.filter = QStringLiteral("my\u0001photo.jpg");
        settings.filterMatchCase = true;
        QCOMPARE(Listed(settings), QStringList{QStringLiteral("/my photo.jpg")});
    }

    void emptyFilterStillEntersSubfolders() {
        SCANSETTINGS settings;
        settings.rootPath = m_root;
        settings.filter = QStringLiteral("deep*");
        settings.subfolders = true;
        QCOMPARE(Listed(settings), Names("/sub/deep.jpg /sub/inner/deeper.txt"));
    }

    void subfoldersHiddenAndSystemFolders() {
        SCANSETTINGS settings;
        settings.rootPath = m_root + "/"; // a trailing separator changes nothing
        settings.subfolders = true;
        settings.hidden = true;
        const QStringList listed = Listed(settings);
        QVERIFY(listed.contains(QStringLiteral("/.hidden")));
        QVERIFY(listed.contains(QStringLiteral("/.dotdir/inside.txt")));
        QVERIFY(listed.contains(QStringLiteral("/sub/inner/deeper.txt")));
        QVERIFY(!listed.contains(QStringLiteral("/RECYCLER")));
        QVERIFY(!listed.contains(QStringLiteral("/RECYCLER/gone.txt")));
        settings.hidden = false;
        QVERIFY(!Listed(settings).contains(QStringLiteral("/.dotdir/inside.txt")));
    }

    void lengthsAndKinds_data() {
        QTest::addColumn<int>("minName");
        QTest::addColumn<int>("maxName");
        QTest::addColumn<bool>("files");
        QTest::addColumn<bool>("folders");
        QTest::addColumn<QString>("mustHave");
        QTest::addColumn<QString>("mustLack");
        QTest::newRow("min name 5") << 5 << 0 << true << true << "/a.txt"
                                    << "/ab.c";
        QTest::newRow("max name 3") << 0 << 3 << true << true << "/sub"
                                    << "/a.txt";
        QTest::newRow("no files") << 0 << 0 << false << true << "/sub"
                                  << "/a.txt";
        QTest::newRow("no folders") << 0 << 0 << true << false << "/a.txt"
                                    << "/sub";
    }
    void lengthsAndKinds() {
        QFETCH(int, minName);
        QFETCH(int, maxName);
        QFETCH(bool, files);
        QFETCH(bool, folders);
        QFETCH(QString, mustHave);
        QFETCH(QString, mustLack);
        SCANSETTINGS settings;
        settings.rootPath = m_root;
        settings.minNameLength = minName;
        settings.maxNameLength = maxName;
        settings.files = files;
        settings.folders = folders;
        const QStringList listed = Listed(settings);
        QVERIFY(listed.contains(mustHave));
        QVERIFY(!listed.contains(mustLack));
    }

    void pathLengthCountsFullPath() {
        SCANSETTINGS settings;
        settings.rootPath = m_root;
        const int rootLength = int(m_dir.path().size());
        settings.maxPathLength = rootLength + 5; // "/a.txt" is 6 more
        QVERIFY(!Listed(settings).contains(QStringLiteral("/a.txt")));
        settings.maxPathLength = rootLength + 6;
        QVERIFY(Listed(settings).contains(QStringLiteral("/a.txt")));
    }

    void entryFields() {
        SCANSETTINGS settings;
        settings.rootPath = m_root;
        settings.subfolders = true;
        settings.filter = QStringLiteral("deeper.txt caf*");
        CFileList list;
        ListFolder(list, settings, true);
        QCOMPARE(list.RowCount(), 2);
        for (int i = 0; i < list.RowCount(); ++i) {
            const FILEENTRY& e = list.GetEntry(i);
            if (e.name == QStringLiteral("deeper.txt")) {
                QCOMPARE(e.SubDir(), QStringLiteral("/sub/inner"));
                QCOMPARE(e.FolderName(), QStringLiteral("inner"));
                QCOMPARE(e.FolderPath(), m_dir.path() + QStringLiteral("/sub/inner"));
                QVERIFY(e.modified != 0);
                QCOMPARE(e.newName, e.name);
                QVERIFY(!e.isFolder);
            } else {
                // The name on disk keeps its bytes; the text shows a replacement character.
                QCOMPARE(e.NativeName(), QByteArray("caf\xe9.txt"));
                QCOMPARE(list.GetNativeFullPath(i), m_root + "/caf\xe9.txt");
                QCOMPARE(e.SubDir(), QString());
            }
        }
    }

    void readOnlyAndHiddenAttributes() {
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path());
        MakeFile(root + "/.ro");
        QCOMPARE(::chmod((root + "/.ro").constData(), 0444), 0);
        SCANSETTINGS settings;
        settings.rootPath = root;
        settings.hidden = true;
        CFileList list;
        ListFolder(list, settings, true);
        QCOMPARE(list.RowCount(), 1);
        QCOMPARE(list.GetEntry(0).attributes, quint32(AttrReadOnly | AttrHidden));
        QCOMPARE(list.GetEntry(0).permissions, quint32(0444));
        QVERIFY(list.GetEntry(0).hidden);
    }

    void threadedScanDeliversEverything() {
        CFolderScan scan;
        std::atomic<int> notifications{0};
        scan.SetNotify([&notifications] { ++notifications; });
        SCANSETTINGS settings;
        settings.rootPath = m_root;
        settings.subfolders = true;
        QVERIFY(scan.StartScan(settings));
        QVERIFY(!scan.StartScan(settings)); // one worker at a time
        QVERIFY(scan.StopScan() || true);
        // Two scans in a row: the second lists the whole tree again.
        QVERIFY(scan.StartScan(settings));
        SCANEVENTS all;
        for (int i = 0; i < 500 && !all.finished; ++i) {
            SCANEVENTS events = scan.TakeEvents();
            for (FILEENTRY& e : events.entries)
                all.entries.push_back(std::move(e));
            all.foldersStarted += events.foldersStarted;
            all.finished = events.finished;
            if (!all.finished)
                QTest::qWait(5);
        }
        QVERIFY(all.finished);
        QVERIFY(scan.StopScan());
        CFileList list;
        ListFolder(list, settings, true);
        QCOMPARE(int(all.entries.size()), list.RowCount());
        QCOMPARE(all.foldersStarted.first(), m_dir.path());
        QVERIFY(all.foldersStarted.contains(m_dir.path() + QStringLiteral("/sub/inner")));
        QVERIFY(notifications > 0);
    }

    void stoppedScanKeepsWhatItFound() {
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path());
        for (int i = 0; i < 2000; ++i)
            MakeFile(root + "/f" + QByteArray::number(i));
        CFolderScan scan;
        SCANSETTINGS settings;
        settings.rootPath = root;
        QVERIFY(scan.StartScan(settings));
        QVERIFY(scan.StopScan());
        const SCANEVENTS events = scan.TakeEvents();
        QVERIFY(events.finished);
        QVERIFY(events.entries.size() <= 2000);
        QSet<QString> unique;
        for (const FILEENTRY& e : events.entries)
            unique.insert(e.name);
        QCOMPARE(qsizetype(unique.size()), qsizetype(events.entries.size()));
    }

    void wildcard_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("expected");
        QTest::newRow("star all") << "*"
                                  << "abc" << true;
        QTest::newRow("star empty name") << "*"
                                         << "" << true;
        QTest::newRow("empty pattern") << ""
                                       << "a" << false;
        QTest::newRow("backtrack") << "*ab*cd"
                                   << "xxabyycdzcd" << true;
        QTest::newRow("backtrack fails") << "*ab*cd"
                                         << "xxabyycdz" << false;
        QTest::newRow("question needs one") << "a?"
                                            << "a" << false;
        QTest::newRow("stars at end") << "a**"
                                      << "a" << true;
        QTest::newRow("exact") << "a.txt"
                               << "a.txt" << true;
        QTest::newRow("longer name") << "a.txt"
                                     << "a.txtx" << false;
    }
    void wildcard() {
        QFETCH(QString, pattern);
        QFETCH(QString, name);
        QFETCH(bool, expected);
        QCOMPARE(WildcardMatch(pattern, name), expected);
    }
};

QTEST_GUILESS_MAIN(TstFolderScan)
#include "tst_folderscan.moc"
