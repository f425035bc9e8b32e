// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/attributes.h"
#include "platform/filestatus.h"
#include "rename/attributesandtimes.h"

#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr TimeValue kModified = 1'000'000'000; // 2001-09-09 01:46:40 UTC
constexpr TimeValue kAccessed = 1'000'100'000;
constexpr TimeValue kNow = 1'200'000'000;

struct FIXTURE {
    QTemporaryDir dir;
    QByteArray path;
    CFileList list;

    explicit FIXTURE(mode_t mode = 0644) {
        path = QFile::encodeName(dir.path()) + "/photo.jpg";
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT, mode);
        ::close(fd);
        const timespec times[2] = {{kAccessed, 0}, {kModified, 0}};
        utimensat(AT_FDCWD, path.constData(), times, 0);
        FILESTATUS status;
        ReadFileStatus(path, status);
        FILEENTRY e;
        e.name = QStringLiteral("photo.jpg");
        e.SetNativeName("photo.jpg");
        e.SetNativeFolderPath(QFile::encodeName(dir.path()));
        e.modified = status.modified;
        e.accessed = status.accessed;
        e.created = status.created;
        e.attributes = AttributesOf(status, e.NativeName());
        InitialiseNewEntry(e);
        list.AppendRow(e);
    }

    FILESTATUS Status() const {
        FILESTATUS status;
        ReadFileStatus(path, status);
        return status;
    }
};

} // namespace

class TstAttributesAndTimes : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        qputenv("TZ", "America/New_York");
        tzset();
    }

    void timesWrittenAndCommitted_data() {
        QTest::addColumn<int>("modifiedMode");
        QTest::addColumn<int>("accessedMode");
        QTest::addColumn<qint64>("modified");
        QTest::addColumn<qint64>("accessed");
        QTest::newRow("current") << 1 << 0 << qint64(kNow) << qint64(kAccessed);
        QTest::newRow("taken") << 3 << 3 << qint64(1'100'000'000) << qint64(1'100'000'000);
        QTest::newRow("fixed") << 4 << 0 << qint64(1'050'000'000) << qint64(kAccessed);
        QTest::newRow("delta back")
            << 5 << 5 << qint64(kModified - 93784) << qint64(kAccessed - 93784);
    }
    void timesWrittenAndCommitted() {
        QFETCH(int, modifiedMode);
        QFETCH(int, accessedMode);
        QFETCH(qint64, modified);
        QFETCH(qint64, accessed);
        FIXTURE f;
        CHANGESETTINGS s;
        s.modifiedMode = TimestampMode(modifiedMode);
        s.accessedMode = TimestampMode(accessedMode);
        s.modifiedFixed = 1'050'000'000;
        s.modifiedDelta = s.accessedDelta = 93784;
        s.modifiedNegative = s.accessedNegative = true;
        f.list.SetPendingModified(0, modified);
        ApplyAttributesAndTimes(f.list, 0, f.path, f.list.GetEntry(0).attributes, 1'100'000'000, s,
                                kNow);
        QCOMPARE(f.Status().modified, TimeValue(modified));
        QCOMPARE(f.Status().accessed, TimeValue(accessed));
        QCOMPARE(f.list.GetEntry(0).modified, TimeValue(modified));
        QVERIFY(!f.list.GetEntry(0).modifiedPending);
    }

    void takenWithoutDateLeavesTime() {
        FIXTURE f;
        CHANGESETTINGS s;
        s.modifiedMode = TimestampMode::Taken;
        ApplyAttributesAndTimes(f.list, 0, f.path, 0, 0, s, kNow);
        QCOMPARE(f.Status().modified, kModified);
    }

    void modifiedFromCreatedUsesComputedCreation() {
        FIXTURE f;
        CHANGESETTINGS s;
        s.createdMode = TimestampMode::Fixed;
        s.createdFixed = 1'060'000'000;
        s.modifiedMode = TimestampMode::FromOther;
        ApplyAttributesAndTimes(f.list, 0, f.path, 0, 0, s, kNow);
        QCOMPARE(f.Status().modified, TimeValue(1'060'000'000));
    }

    void readOnlyFileKeepsReadOnly() {
        FIXTURE f(0444);
        CHANGESETTINGS s;
        s.modifiedMode = TimestampMode::Current;
        ApplyAttributesAndTimes(f.list, 0, f.path, AttrReadOnly, 0, s, kNow);
        QCOMPARE(f.Status().modified, kNow);
        QCOMPARE(f.Status().mode & 0777, mode_t(0444));
    }

    void clearReadOnly() {
        FIXTURE f(0444);
        CHANGESETTINGS s;
        s.attributeFlags = ClearReadOnly;
        ApplyAttributesAndTimes(f.list, 0, f.path, AttrReadOnly, 0, s, kNow);
        QCOMPARE(f.Status().mode & 0777, mode_t(0644));
        QCOMPARE(f.list.GetEntry(0).attributes, quint32(0));
    }

    void setReadOnlyRemovesEveryWriteBit() {
        FIXTURE f(0664);
        CHANGESETTINGS s;
        s.attributeFlags = SetReadOnly | SetHidden;
        ApplyAttributesAndTimes(f.list, 0, f.path, 0, 0, s, kNow);
        QCOMPARE(f.Status().mode & 0777, mode_t(0444));
        QCOMPARE(f.list.GetEntry(0).attributes,
                 quint32(AttrReadOnly));          // hidden is the name's business
        QCOMPARE(f.Status().modified, kModified); // no time mode: times untouched
    }

    void missingFileChangesNothing() {
        FIXTURE f;
        CHANGESETTINGS s;
        s.modifiedMode = TimestampMode::Current;
        s.attributeFlags = SetReadOnly;
        ApplyAttributesAndTimes(f.list, 0, f.path + ".gone", 0, 0, s, kNow);
        QCOMPARE(f.list.GetEntry(0).modified, kModified);
        QCOMPARE(f.list.GetEntry(0).attributes, quint32(0));
    }
};

QTEST_GUILESS_MAIN(TstAttributesAndTimes)
#include "tst_attributesandtimes.moc"
