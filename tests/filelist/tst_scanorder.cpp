// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctiffbuilder.h"
#include "testfiles.h"

#include "filelist/cfolderscan.h"
#include "filelist/cfolderscanner.h"
#include "platform/cdirectoryreader.h"
#include "platform/filestatus.h"
#include "platform/nativename.h"

#include <QTemporaryDir>
#include <QtTest>

#include <condition_variable>
#include <mutex>

#include <sys/stat.h>
#include <unistd.h>

// What a scan gives, in the order given: one line per entry, folder event and skip.
struct SCANRESULT {
    QStringList entries;
    QStringList folders;
    QStringList skips;
    int skipCount = 0;
};

namespace {

constexpr int kBigFolderFiles = 3000;
constexpr int kChainLevels = 21; // enough 200-byte names to pass the path length limit

QByteArray PhotoBytes(int day) {
    CTiffBuilder b(false);
    const int main = b.AddDirectory();
    b.AddAscii(main, 0x0132,
               QStringLiteral("2004:07:%1 14:07:09").arg(day, 2, 10, QLatin1Char('0')).toLatin1());
    b.AddRational(main, 0x829D, day, 10);
    return JpegFile({ExifSegment(b.Build()), JpegSegment(0xFE, "Beach")});
}

QString EntryLine(const FILEENTRY& e) {
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9")
        .arg(e.FolderPath(), e.SubDir(), e.FolderName(), e.name, e.typeName)
        .arg(e.size)
        .arg(e.isFolder)
        .arg(e.dateTaken)
        .arg(e.Tags().exifAperture + e.Tags().id3Title);
}

SCANRESULT ScanDirectly(const SCANSETTINGS& settings, const std::atomic<bool>* abort = nullptr,
                        std::atomic<bool>* abortAfter = nullptr, int abortAt = -1) {
    SCANRESULT result;
    CFolderScanner scanner(settings, abort);
    scanner.Scan(
        [&](FILEENTRY&& entry) {
            result.entries.append(EntryLine(entry));
            if (abortAfter && result.entries.size() == abortAt)
                *abortAfter = true;
        },
        [&](const QString& folder) { result.folders.append(folder); });
    result.skips = scanner.Skips().firstPaths;
    result.skipCount = scanner.Skips().count;
    return result;
}

// The same through the listing thread, in its batches.
SCANRESULT ScanOnWorkerThread(const SCANSETTINGS& settings) {
    SCANRESULT result;
    CFolderScan scan;
    std::mutex mutex;
    std::condition_variable wake;
    bool pending = false;
    scan.SetNotify([&] {
        std::lock_guard lock(mutex);
        pending = true;
        wake.notify_one();
    });
    if (!scan.StartScan(settings))
        return result;
    for (bool finished = false; !finished;) {
        {
            std::unique_lock lock(mutex);
            wake.wait(lock, [&] { return pending; });
            pending = false;
        }
        SCANEVENTS events = scan.TakeEvents();
        for (const FILEENTRY& entry : events.entries)
            result.entries.append(EntryLine(entry));
        result.folders += events.foldersStarted;
        finished = events.finished;
        result.skips = events.skips.firstPaths;
        result.skipCount = events.skips.count;
    }
    return result;
}

// The order a plain depth-first walk over the directory's own order gives, every item
// listed: the walk the scan must reproduce, built here from the reader alone.
void WalkInDirectoryOrder(const QByteArray& folder, QStringList& paths) {
    CDirectoryReader reader;
    if (!reader.Open(folder))
        return;
    QByteArray name;
    while (reader.Next(name)) {
        const QByteArray path = folder + '/' + name;
        FILESTATUS status;
        QVERIFY(ReadFileStatusAt(reader.Descriptor(), name, status));
        paths.append(DecodeNativeName(path));
        if (status.isFolder)
            WalkInDirectoryOrder(path, paths);
    }
}

} // namespace

class TstScanOrder : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QByteArray m_root;

    SCANSETTINGS Settings(int workers) const {
        SCANSETTINGS settings;
        settings.rootPath = m_root;
        settings.subfolders = true;
        settings.workers = workers;
        return settings;
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_root = QFile::encodeName(m_dir.path());
        for (const char* name : {"/a.txt", "/b.JPG", "/.hidden.txt"})
            MakeFile(m_root + name, "data");
        MakeFolder(m_root + "/.hiddenfolder");
        MakeFile(m_root + "/.hiddenfolder/x.txt");
        MakeFolder(m_root + "/empty");
        MakeFolder(m_root + "/sub");
        MakeFile(m_root + "/sub/deep.jpg");
        MakeFolder(m_root + "/sub/inner");
        MakeFolder(m_root + "/sub/inner/empty too");
        MakeFile(m_root + "/sub/inner/deeper.txt");
        MakeFolder(m_root + "/RECYCLER");
        MakeFile(m_root + "/RECYCLER/gone.txt");
        // Big enough that its items are read in several slices, with subfolders in some.
        MakeFolder(m_root + "/big");
        for (int i = 0; i < kBigFolderFiles; ++i) {
            const QByteArray name = m_root + "/big/f" + QByteArray::number(i);
            if (i % 500 == 0)
                MakeFile(name + ".jpg", PhotoBytes(1 + i / 500));
            else if (i % 777 == 0)
                MakeFile(name + ".mp3",
                         QByteArray(200, '\0') +
                             Id3Tag("TAG", "Song " + QByteArray::number(i), "", "", "", "", 1));
            else
                MakeFile(name + ".txt", QByteArray(i % 5, 'x'));
        }
        for (int i = 0; i < 20; ++i) {
            const QByteArray folder = m_root + "/big/d" + QByteArray::number(i);
            MakeFolder(folder);
            for (int j = 0; j < i % 4; ++j)
                MakeFile(folder + "/g" + QByteArray::number(j));
            if (i % 5 == 0)
                MakeFolder(folder + "/nested");
        }
        MakeDeepChain(m_root, 'c', kChainLevels);
        MakeDeepChain(m_root + "/sub", 'e', kChainLevels);
        // Unreadable to anyone but the superuser: a skip where the tests do not run as root.
        MakeFolder(m_root + "/locked");
        MakeFile(m_root + "/locked/secret.txt");
        QCOMPARE(::chmod((m_root + "/locked").constData(), 0), 0);
    }

    void cleanupTestCase() {
        ::chmod((m_root + "/locked").constData(), 0755);
        RemoveDeepChain(m_root, 'c', kChainLevels);
        RemoveDeepChain(m_root + "/sub", 'e', kChainLevels);
    }

    // The one-thread scan is the plain walk over the directory's order.
    void oneWorkerWalksInDirectoryOrder() {
        SCANSETTINGS settings = Settings(1);
        settings.hidden = true;
        QStringList expected;
        WalkInDirectoryOrder(m_root, expected);
        // The system folder is passed over; the chains end where paths grow too long.
        expected.removeIf(
            [](const QString& path) { return path.contains(QStringLiteral("/RECYCLER")); });
        QStringList listed;
        for (const QString& line : ScanDirectly(settings).entries) {
            const QStringList fields = line.split(QLatin1Char('|'));
            listed.append(fields[0] + QLatin1Char('/') + fields[3]);
        }
        QVERIFY(listed.size() > kBigFolderFiles);
        QCOMPARE(listed, expected);
        // The two chains, and the locked folder where permissions hold.
        QCOMPARE(ScanDirectly(settings).skipCount, ::geteuid() == 0 ? 2 : 3);
    }

    void sameResultOnAnyNumberOfWorkers_data() {
        QTest::addColumn<int>("workers");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<bool>("files");
        QTest::addColumn<bool>("folders");
        QTest::addColumn<bool>("metadata");
        QTest::addColumn<bool>("onWorkerThread");
        QTest::newRow("two") << 2 << false << "*" << true << true << false << false;
        QTest::newRow("three, hidden") << 3 << true << "*" << true << true << false << false;
        QTest::newRow("eight, metadata") << 8 << false << "*" << true << true << true << false;
        QTest::newRow("four, filtered")
            << 4 << false << "*.jpg d*" << true << true << true << false;
        QTest::newRow("four, folders only") << 4 << true << "*" << false << true << false << false;
        QTest::newRow("two, listing thread") << 2 << true << "*" << true << true << true << true;
        QTest::newRow("one per core, listing thread")
            << 0 << false << "*" << true << true << false << true;
    }
    void sameResultOnAnyNumberOfWorkers() {
        QFETCH(int, workers);
        QFETCH(bool, hidden);
        QFETCH(QString, filter);
        QFETCH(bool, files);
        QFETCH(bool, folders);
        QFETCH(bool, metadata);
        QFETCH(bool, onWorkerThread);
        SCANSETTINGS settings = Settings(1);
        settings.hidden = hidden;
        settings.filter = filter;
        settings.files = files;
        settings.folders = folders;
        settings.extractExif = metadata;
        settings.extractId3 = metadata;
        const SCANRESULT expected = ScanDirectly(settings);
        QVERIFY(expected.entries.size() > 10);
        QVERIFY(expected.folders.size() > 25);
        QVERIFY(expected.skipCount >= 2);
        settings.workers = workers;
        // Several rounds, so that different interleavings get their chance to differ.
        for (int round = 0; round < 3; ++round) {
            const SCANRESULT found =
                onWorkerThread ? ScanOnWorkerThread(settings) : ScanDirectly(settings);
            QCOMPARE(found.entries, expected.entries);
            QCOMPARE(found.folders, expected.folders);
            QCOMPARE(found.skips, expected.skips);
            QCOMPARE(found.skipCount, expected.skipCount);
        }
    }

    // An abort stops the hand-over at once: what came is exactly the start of the listing.
    void abortKeepsAPrefix_data() {
        QTest::addColumn<int>("workers");
        QTest::addColumn<int>("abortAt");
        QTest::newRow("one, in the big folder") << 1 << 1500;
        QTest::newRow("four, in the big folder") << 4 << 1500;
        QTest::newRow("four, at the first item") << 4 << 1;
        QTest::newRow("two, late") << 2 << 3030;
    }
    void abortKeepsAPrefix() {
        QFETCH(int, workers);
        QFETCH(int, abortAt);
        const SCANRESULT whole = ScanDirectly(Settings(1));
        QVERIFY(whole.entries.size() > abortAt);
        std::atomic<bool> abort{false};
        const SCANRESULT stopped = ScanDirectly(Settings(workers), &abort, &abort, abortAt);
        QCOMPARE(stopped.entries, whole.entries.first(abortAt));
    }
};

QTEST_GUILESS_MAIN(TstScanOrder)
#include "tst_scanorder.moc"
