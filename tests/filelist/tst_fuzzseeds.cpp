// SPDX-License-Identifier: GPL-3.0-or-later
#include "filelist/cexifreader.h"
#include "filelist/cid3reader.h"
#include "filelist/cmemorybytesource.h"
#include "filelist/cmetadatareader.h"
#include "filelist/ctiffexifreader.h"

#include "testfiles.h"

#include <QtTest>

#include <ctime>

// Replays the fuzz seeds (and the crash inputs kept among them) through every reader: a
// short, bounded stand-in for the long fuzz runs. Under the sanitizer build a read outside
// a buffer fails the test; besides that, each file must read the same from disk and from
// memory, the same on a second read by the same reader, and a failed read must leave no
// values behind.

namespace {

QString SeedFolder() {
    return QStringLiteral(QVN_SOURCE_DIR "/tests/data/fuzz");
}

constexpr qint64 kMaxSeedBytes = 64 * 1024;

struct OUTCOME {
    bool read = false;
    TimeValue date = 0;
    QStringList texts;
    bool operator==(const OUTCOME&) const = default;
};

template <typename READER> OUTCOME ExifOutcome(READER& reader, bool read) {
    return {read, reader.DateTaken(), TextList(reader.Texts())};
}

template <typename READER> OUTCOME ReadExifFile(READER& reader, const QByteArray& path) {
    const bool opened = reader.Open(path);
    const bool read = reader.Read();
    reader.Close();
    return ExifOutcome(reader, opened && read);
}

OUTCOME Id3Outcome(const CId3Reader& reader, bool read) {
    return {read,
            0,
            {reader.Title(), reader.Artist(), reader.Album(), QString::number(reader.Track())}};
}

bool LeavesNothing(const OUTCOME& outcome) {
    const bool id3Empty = outcome.texts.size() == 4 &&
                          outcome.texts.value(3) == QStringLiteral("0") &&
                          outcome.texts.mid(0, 3) == QStringList(3);
    return outcome.date == 0 && (outcome.texts == QStringList(5) || id3Empty);
}

} // namespace

class TstFuzzSeeds : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        qputenv("TZ", "America/New_York");
        tzset();
    }

    void seeds_data() {
        QTest::addColumn<QString>("path");
        for (const char* reader : {"exif", "tiff", "id3"}) {
            const QDir folder(SeedFolder() + QLatin1Char('/') + QLatin1String(reader));
            const QStringList names = folder.entryList(QDir::Files, QDir::Name);
            QVERIFY2(names.size() >= 3, reader);
            for (const QString& name : names)
                QTest::addRow("%s/%s", reader, qPrintable(name)) << folder.filePath(name);
        }
    }
    void seeds() {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.size() <= kMaxSeedBytes);
        const QByteArray bytes = file.readAll();
        const QByteArray nativePath = QFile::encodeName(path);
        const CMemoryByteSource memory(bytes);

        CExifReader jpeg;
        const OUTCOME jpegFile = ReadExifFile(jpeg, nativePath);
        QCOMPARE(ExifOutcome(jpeg, jpeg.ReadFrom(memory)), jpegFile);
        QCOMPARE(ReadExifFile(jpeg, nativePath), jpegFile);
        if (!jpegFile.read)
            QVERIFY(LeavesNothing(jpegFile));

        CTiffExifReader tiff;
        const OUTCOME tiffFile = ReadExifFile(tiff, nativePath);
        QCOMPARE(ExifOutcome(tiff, tiff.ReadFrom(memory)), tiffFile);
        QCOMPARE(ReadExifFile(tiff, nativePath), tiffFile);
        if (!tiffFile.read)
            QVERIFY(LeavesNothing(tiffFile));

        CId3Reader id3;
        const OUTCOME id3File = Id3Outcome(id3, id3.Read(nativePath));
        QCOMPARE(Id3Outcome(id3, id3.ReadFrom(memory)), id3File);
        if (!id3File.read)
            QVERIFY(LeavesNothing(id3File));

        // Through the entry, under each name the scan would read it by.
        for (const char* extension : {"jpg", "nef", "mp3"}) {
            FILEENTRY entry;
            entry.name = QStringLiteral("seed.") + QLatin1String(extension);
            ReadEntryMetadata(entry, nativePath, true, true);
            const OUTCOME expected = extension[0] == 'j'   ? jpegFile
                                     : extension[0] == 'n' ? tiffFile
                                                           : id3File;
            if (extension[0] == 'm') {
                QCOMPARE(entry.Tags().id3Title, expected.read ? expected.texts[0] : QString());
                QCOMPARE(entry.track, expected.read ? expected.texts[3].toUInt() : 0u);
            } else {
                QCOMPARE(entry.hasExif, expected.read);
                QCOMPARE(entry.dateTaken, expected.date);
                QCOMPARE(entry.Tags().exifComment, expected.read ? expected.texts[4] : QString());
                QCOMPARE(entry.Tags().exifAperture, expected.read ? expected.texts[0] : QString());
            }
        }
    }
};

QTEST_GUILESS_MAIN(TstFuzzSeeds)
#include "tst_fuzzseeds.moc"
