// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctiffbuilder.h"
#include "filelist/cmetadatareader.h"
#include "testfiles.h"

#include <QtTest>

#include <cstdio>
#include <ctime>

namespace {

FILEENTRY Entry(const QString& name, bool isFolder = false) {
    FILEENTRY entry;
    entry.name = name;
    entry.SetNativeName(QFile::encodeName(name));
    entry.isFolder = isFolder;
    InitialiseNewEntry(entry);
    return entry;
}

QByteArray PhotoBytes() {
    CTiffBuilder b(false);
    const int main = b.AddDirectory();
    b.AddAscii(main, 0x0132, "2004:07:05 14:07:09");
    b.AddRational(main, 0x829D, 28, 10);
    b.AddRational(main, 0x829A, 1, 125);
    b.AddRational(main, 0x9204, 1, 3, 10);
    b.AddRational(main, 0x920A, 35, 1);
    return JpegFile({ExifSegment(b.Build()), JpegSegment(0xFE, "Beach")});
}

QByteArray RawBytes() {
    CTiffBuilder b(true);
    const int main = b.AddDirectory();
    b.AddAscii(main, 0x9003, "2004:07:05 14:07:09");
    b.AddRational(main, 0x829D, 4, 1);
    return b.Build();
}

QByteArray SongBytes() {
    return QByteArray(200, '\0') + Id3Tag("TAG", "Title", "Artist", "Album", "", "", 4);
}

QStringList ExifFields(const FILEENTRY& e) {
    return {e.Tags().exifAperture, e.Tags().exifExposure, e.Tags().exifExposureBias,
            e.Tags().exifFocalLength, e.Tags().exifComment};
}

bool NoMetadata(const FILEENTRY& e) {
    return !e.hasExif && e.dateTaken == 0 && ExifFields(e) == QStringList(5) &&
           e.Tags().id3Artist.isEmpty() && e.Tags().id3Album.isEmpty() &&
           e.Tags().id3Title.isEmpty() && e.track == 0;
}

qint64 BerlinSummer(int h, int mi, int s) {
    CALENDARFIELDS f;
    f.year = 2004;
    f.month = 7;
    f.day = 5;
    f.hour = h - 2;
    f.minute = mi;
    f.second = s;
    return MomentFromUtcFields(f);
}

} // namespace

class TstCMetadataReader : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_folder;

private slots:
    void initTestCase() {
        QVERIFY(m_folder.isValid());
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }
    void cleanupTestCase() {
        qputenv("TZ", "UTC");
        tzset();
    }

    void kindOf_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("kind");
        QTest::newRow("jpg") << QStringLiteral("a.jpg") << int(MetadataKind::Jpeg);
        QTest::newRow("JPEG") << QStringLiteral("a.JPEG") << int(MetadataKind::Jpeg);
        QTest::newRow("Tif") << QStringLiteral("a.Tif") << int(MetadataKind::Tiff);
        QTest::newRow("tiff") << QStringLiteral("a.b.tiff") << int(MetadataKind::Tiff);
        QTest::newRow("CR2") << QStringLiteral("IMG_1.CR2") << int(MetadataKind::Tiff);
        QTest::newRow("crw") << QStringLiteral("x.crw") << int(MetadataKind::Tiff);
        QTest::newRow("Nef") << QStringLiteral("x.Nef") << int(MetadataKind::Tiff);
        QTest::newRow("mP3") << QStringLiteral("song.mP3") << int(MetadataKind::Id3);
        QTest::newRow("dng") << QStringLiteral("x.dng") << int(MetadataKind::None);
        QTest::newRow("jpg in the middle")
            << QStringLiteral("x.jpg.txt") << int(MetadataKind::None);
        QTest::newRow("no extension") << QStringLiteral("jpg") << int(MetadataKind::None);
        QTest::newRow("dotted i is no letter I")
            << QStringLiteral("x.t\u0130f") << int(MetadataKind::None);
    }
    void kindOf() {
        QFETCH(QString, name);
        QFETCH(int, kind);
        QCOMPARE(int(CMetadataReader::KindOf(name)), kind);
    }

    void fillsEntries() {
        const QByteArray photo = WriteTestFile(m_folder, QStringLiteral("p.JPG"), PhotoBytes());
        const QByteArray raw = WriteTestFile(m_folder, QStringLiteral("r.nef"), RawBytes());
        const QByteArray song = WriteTestFile(m_folder, QStringLiteral("s.mp3"), SongBytes());
        FILEENTRY p = Entry(QStringLiteral("p.JPG"));
        FILEENTRY r = Entry(QStringLiteral("r.nef"));
        FILEENTRY s = Entry(QStringLiteral("s.mp3"));
        CMetadataReader reader;
        reader.ReadEntry(p, photo, true, true);
        reader.ReadEntry(r, raw, true, true);
        reader.ReadEntry(s, song, true, true);
        QVERIFY(p.hasExif);
        QCOMPARE(p.dateTaken, BerlinSummer(14, 7, 9));
        QCOMPARE(ExifFields(p),
                 QStringList({QStringLiteral("2.8"), QStringLiteral("125"), QStringLiteral("0.333"),
                              QStringLiteral("35"), QStringLiteral("Beach")}));
        QVERIFY(r.hasExif);
        QCOMPARE(r.dateTaken, BerlinSummer(14, 7, 9));
        QCOMPARE(r.Tags().exifAperture, QStringLiteral("4"));
        QCOMPARE(r.Tags().exifComment, QString());
        QCOMPARE(s.Tags().id3Artist, QStringLiteral("Artist"));
        QCOMPARE(s.Tags().id3Album, QStringLiteral("Album"));
        QCOMPARE(s.Tags().id3Title, QStringLiteral("Title"));
        QCOMPARE(s.track, 4u);
        QVERIFY(!s.hasExif);
    }

    void preferencesAndFolders() {
        const QByteArray photo = WriteTestFile(m_folder, QStringLiteral("q.jpg"), PhotoBytes());
        const QByteArray song = WriteTestFile(m_folder, QStringLiteral("q.mp3"), SongBytes());
        FILEENTRY p = Entry(QStringLiteral("q.jpg"));
        FILEENTRY s = Entry(QStringLiteral("q.mp3"));
        ReadEntryMetadata(p, photo, false, true);
        ReadEntryMetadata(s, song, true, false);
        QVERIFY(NoMetadata(p));
        QVERIFY(NoMetadata(s));
        // A folder named like a photo is not read, even when a file of that content exists.
        FILEENTRY folder = Entry(QStringLiteral("q.jpg"), true);
        ReadEntryMetadata(folder, photo, true, true);
        QVERIFY(NoMetadata(folder));
        // The extension of the name decides, not the content.
        FILEENTRY text = Entry(QStringLiteral("q.txt"));
        ReadEntryMetadata(text, photo, true, true);
        QVERIFY(NoMetadata(text));
    }

    // One reader per folder level: a file that fails after one that succeeded gets nothing.
    void nothingCarriesOver() {
        const QByteArray good = WriteTestFile(m_folder, QStringLiteral("g.jpg"), PhotoBytes());
        const QByteArray bad =
            WriteTestFile(m_folder, QStringLiteral("b.jpg"), PhotoBytes().left(40));
        const QByteArray goodSong = WriteTestFile(m_folder, QStringLiteral("g.mp3"), SongBytes());
        const QByteArray badSong =
            WriteTestFile(m_folder, QStringLiteral("b.mp3"), QByteArray(500, 'x'));
        CMetadataReader reader;
        FILEENTRY first = Entry(QStringLiteral("g.jpg"));
        FILEENTRY second = Entry(QStringLiteral("b.jpg"));
        FILEENTRY third = Entry(QStringLiteral("g.mp3"));
        FILEENTRY fourth = Entry(QStringLiteral("b.mp3"));
        reader.ReadEntry(first, good, true, true);
        reader.ReadEntry(second, bad, true, true);
        reader.ReadEntry(third, goodSong, true, true);
        reader.ReadEntry(fourth, badSong, true, true);
        QVERIFY(first.hasExif);
        QVERIFY(NoMetadata(second));
        QCOMPARE(third.track, 4u);
        QVERIFY(NoMetadata(fourth));
    }

    // The tag texts live in a record of their own: none for a file without them, and a
    // copied entry changes its own record, never the one it was copied from.
    void tagsKeptApart() {
        const QByteArray photo = WriteTestFile(m_folder, QStringLiteral("t.jpg"), PhotoBytes());
        const QByteArray song = WriteTestFile(m_folder, QStringLiteral("t.mp3"), SongBytes());
        FILEENTRY p = Entry(QStringLiteral("t.jpg"));
        FILEENTRY s = Entry(QStringLiteral("t.mp3"));
        FILEENTRY plain = Entry(QStringLiteral("t.txt"));
        ReadEntryMetadata(p, photo, true, true);
        ReadEntryMetadata(s, song, true, true);
        ReadEntryMetadata(plain, photo, true, true);
        QVERIFY(p.HasTags());
        QVERIFY(s.HasTags());
        QVERIFY(!plain.HasTags());
        QVERIFY(NoMetadata(plain));

        FILEENTRY copy = p;
        copy.EditTags().exifComment = QStringLiteral("Changed");
        copy.EditTags().id3Title = QStringLiteral("Other");
        QCOMPARE(p.Tags().exifComment, QStringLiteral("Beach"));
        QCOMPARE(p.Tags().id3Title, QString());
        QCOMPARE(copy.Tags().exifComment, QStringLiteral("Changed"));
        QCOMPARE(copy.Tags().exifAperture, QStringLiteral("2.8"));

        FILEENTRY moved = std::move(s);
        QCOMPARE(moved.Tags().id3Artist, QStringLiteral("Artist"));
        QCOMPARE(moved.track, 4u);
        FILEENTRY assigned;
        assigned = moved;
        QCOMPARE(assigned.Tags().id3Album, QStringLiteral("Album"));
        QVERIFY(!FILEENTRY().HasTags());
    }

    void missingFileLeavesEntry() {
        FILEENTRY e = Entry(QStringLiteral("gone.jpg"));
        ReadEntryMetadata(e, QFile::encodeName(m_folder.filePath(QStringLiteral("gone.jpg"))), true,
                          true);
        QVERIFY(NoMetadata(e));
    }

    // A name on disk that is not UTF-8 is opened by its exact bytes.
    void nameThatIsNotUtf8() {
        const QByteArray path = QFile::encodeName(m_folder.path()) + "/caf\xe9.mp3";
        std::FILE* file = std::fopen(path.constData(), "wb");
        QVERIFY(file);
        const QByteArray bytes = SongBytes();
        QCOMPARE(std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file),
                 size_t(bytes.size()));
        std::fclose(file);
        FILEENTRY e = Entry(QStringLiteral("café.mp3"));
        ReadEntryMetadata(e, path, true, true);
        // The folder's clean-up cannot name this file, so it goes here.
        QCOMPARE(std::remove(path.constData()), 0);
        QCOMPARE(e.Tags().id3Title, QStringLiteral("Title"));
    }
};

QTEST_GUILESS_MAIN(TstCMetadataReader)
#include "tst_cmetadatareader.moc"
