// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctiffbuilder.h"
#include "filelist/cexifreader.h"
#include "filelist/cmemorybytesource.h"
#include "testfiles.h"

#include <QtTest>

#include <ctime>

namespace {

qint64 Utc(int y, int mo, int d, int h, int mi, int s) {
    CALENDARFIELDS f;
    f.year = y;
    f.month = mo;
    f.day = d;
    f.hour = h;
    f.minute = mi;
    f.second = s;
    return MomentFromUtcFields(f);
}

// The walk of a usual camera file: make, model and modification date in the main
// directory, then the link to the EXIF directory with the exposure and both EXIF dates.
QByteArray CameraBlock(bool motorola) {
    CTiffBuilder b(motorola);
    const int main = b.AddDirectory();
    const int exif = b.AddDirectory();
    b.AddAscii(main, 0x010F, "Maker");
    b.AddAscii(main, 0x0110, "Model X");
    b.AddAscii(main, 0x0132, "2008:07:31 10:38:11");
    b.AddLink(main, 0x8769, exif);
    b.AddRational(exif, 0x829A, 1, 250);
    b.AddRational(exif, 0x829D, 28, 10);
    b.AddAscii(exif, 0x9003, "2004:07:05 14:07:09");
    b.AddAscii(exif, 0x9004, "2004:07:05 14:07:10");
    b.AddRational(exif, 0x9204, -1, 3, 10);
    b.AddRational(exif, 0x920A, 50, 1);
    return b.Build();
}

// An EXIF block with one directory holding the given entries.
QByteArray OneDirectory(const std::function<void(CTiffBuilder&, int)>& fill,
                        bool motorola = false) {
    CTiffBuilder b(motorola);
    fill(b, b.AddDirectory());
    return b.Build();
}

// A reader that remembers the furthest byte it was asked for.
class CWatchedSource : public CMemoryByteSource {
public:
    explicit CWatchedSource(const QByteArray& bytes) : CMemoryByteSource(bytes) {}
    qint64 ReadAt(qint64 offset, char* buffer, qint64 length) const override {
        m_end = qMax(m_end, offset + length);
        return CMemoryByteSource::ReadAt(offset, buffer, length);
    }
    qint64 End() const { return m_end; }

private:
    mutable qint64 m_end = 0;
};

} // namespace

class TstCExifReader : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_folder;
    int m_files = 0;

    // Reads the bytes from a file with `reader`, and from memory with a second reader;
    // both ways must give the same outcome.
    bool Read(CExifReader& reader, const QByteArray& bytes) {
        const QByteArray path =
            WriteTestFile(m_folder, QStringLiteral("f%1.jpg").arg(++m_files), bytes);
        const bool opened = reader.Open(path);
        const bool read = reader.Read();
        reader.Close();
        CExifReader memory;
        memory.ReadFrom(CMemoryByteSource(bytes));
        const bool agree = memory.Succeeded() == read && memory.DateTaken() == reader.DateTaken() &&
                           TextList(memory.Texts()) == TextList(reader.Texts()) &&
                           memory.ErrorText() == reader.ErrorText();
        return opened && agree;
    }

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

    void cameraFile_data() {
        QTest::addColumn<bool>("motorola");
        QTest::newRow("Intel") << false;
        QTest::newRow("Motorola") << true;
    }
    void cameraFile() {
        QFETCH(bool, motorola);
        CExifReader reader;
        QVERIFY(Read(reader, JpegFile({ExifSegment(CameraBlock(motorola))})));
        QVERIFY(reader.Succeeded());
        QVERIFY(reader.Info().exifRead);
        QCOMPARE(reader.Info().cameraMake, QByteArray("Maker"));
        QCOMPARE(reader.Info().cameraModel, QByteArray("Model X"));
        // The digitised date is met last, so it wins over the two before it.
        QCOMPARE(reader.Info().dateTime, QByteArray("2004:07:05 14:07:10"));
        QCOMPARE(reader.DateTaken(), Utc(2004, 7, 5, 12, 7, 10));
        QCOMPARE(TextList(reader.Texts()), Utf8List({"2.8", "250", "-0.333", "50", ""}));
        QVERIFY(reader.ErrorText().isEmpty());
    }

    // The last date tag met wins, whatever its kind: here the modification date comes after
    // the link to the EXIF directory.
    void lastDateMetWins() {
        CTiffBuilder b(false);
        const int main = b.AddDirectory();
        const int exif = b.AddDirectory();
        b.AddLink(main, 0x8769, exif);
        b.AddAscii(main, 0x0132, "2008:07:31 10:38:11");
        b.AddAscii(exif, 0x9003, "2004:07:05 14:07:09");
        CExifReader reader;
        QVERIFY(Read(reader, JpegFile({ExifSegment(b.Build())})));
        QCOMPARE(reader.DateTaken(), Utc(2008, 7, 31, 8, 38, 11));
    }

    void dates_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("zeros give 1971-01-01 23:59:59 local")
            << QByteArray("0000:00:00 00:00:00") << Utc(1971, 1, 1, 22, 59, 59);
        QTest::newRow("spaces give no date") << QByteArray(19, ' ') << qint64(0);
        QTest::newRow("winter") << QByteArray("2004:01:05 14:07:09") << Utc(2004, 1, 5, 13, 7, 9);
    }
    void dates() {
        QFETCH(QByteArray, text);
        QFETCH(qint64, expected);
        CExifReader reader;
        const QByteArray block =
            OneDirectory([&](CTiffBuilder& b, int d) { b.AddAscii(d, 0x9003, text); });
        QVERIFY(Read(reader, JpegFile({ExifSegment(block)})));
        QVERIFY(reader.Succeeded());
        QCOMPARE(reader.DateTaken(), expected);
    }

    void apertureFallback_data() {
        QTest::addColumn<QList<QList<int>>>("tags"); // tag, numerator, denominator
        QTest::addColumn<QString>("expected");
        QTest::newRow("F-number wins over aperture")
            << QList<QList<int>>{{0x829D, 28, 10}, {0x9202, 5, 1}} << QStringLiteral("2.8");
        QTest::newRow("aperture alone")
            << QList<QList<int>>{{0x9202, 5, 1}} << QStringLiteral("5.7");
        QTest::newRow("largest aperture alone")
            << QList<QList<int>>{{0x9205, 4, 1}} << QStringLiteral("4");
        QTest::newRow("zero F-number falls back")
            << QList<QList<int>>{{0x829D, 0, 1}, {0x9202, 5, 1}} << QStringLiteral("5.7");
        QTest::newRow("first fallback stays")
            << QList<QList<int>>{{0x9202, 5, 1}, {0x9205, 4, 1}} << QStringLiteral("5.7");
        QTest::newRow("zero denominator")
            << QList<QList<int>>{{0x829D, 28, 0}} << QStringLiteral("0");
    }
    void apertureFallback() {
        QFETCH(QList<QList<int>>, tags);
        QFETCH(QString, expected);
        for (bool motorola : {false, true}) {
            const QByteArray block = OneDirectory(
                [&](CTiffBuilder& b, int d) {
                    for (const QList<int>& t : tags)
                        b.AddRational(d, quint16(t[0]), t[1], t[2]);
                },
                motorola);
            CExifReader reader;
            QVERIFY(Read(reader, JpegFile({ExifSegment(block)})));
            QCOMPARE(reader.Texts().aperture, expected);
        }
    }

    void exposureFallback_data() {
        QTest::addColumn<QList<QList<int>>>("tags");
        QTest::addColumn<QString>("expected");
        QTest::newRow("exposure time 1/250")
            << QList<QList<int>>{{0x829A, 1, 250}} << QStringLiteral("250");
        QTest::newRow("shutter speed alone")
            << QList<QList<int>>{{0x829A, 0, 1}, {0x9201, 8, 1}} << QStringLiteral("256");
        QTest::newRow("exposure time wins")
            << QList<QList<int>>{{0x829A, 1, 250}, {0x9201, 8, 1}} << QStringLiteral("250");
        QTest::newRow("four seconds") << QList<QList<int>>{{0x9201, -2, 1}} << QStringLiteral("0");
    }
    void exposureFallback() {
        QFETCH(QList<QList<int>>, tags);
        QFETCH(QString, expected);
        const QByteArray block = OneDirectory([&](CTiffBuilder& b, int d) {
            for (const QList<int>& t : tags)
                b.AddRational(d, quint16(t[0]), t[1], t[2], t[0] == 0x9201 ? 10 : 5);
        });
        CExifReader reader;
        QVERIFY(Read(reader, JpegFile({ExifSegment(block)})));
        QCOMPARE(reader.Texts().exposure, expected);
    }

    void userComment_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ASCII, three zeros, Holiday")
            << QByteArray("ASCII\0\0\0Holiday", 15) << QStringLiteral("Holiday");
        QTest::newRow("trailing spaces dropped")
            << QByteArray("ASCII\0\0\0Holiday   ", 18) << QStringLiteral("Holiday");
        QTest::newRow("ASCII then blanks")
            << QByteArray("ASCII  Holiday") << QStringLiteral("Holiday");
        QTest::newRow("ASCII with five zeros copies nothing")
            << QByteArray("ASCII\0\0\0\0\0Holiday", 17) << QString();
        QTest::newRow("undefined code")
            << QByteArray("\0\0\0\0\0\0\0\0Holiday", 15) << QStringLiteral("Holiday");
        QTest::newRow("all zeros") << QByteArray(64, '\0') << QString();
        QTest::newRow("all blanks") << QByteArray(64, ' ') << QString();
        QTest::newRow("UTF-8") << QByteArray("ASCII\0\0\0Caf\xc3\xa9", 13)
                               << QStringLiteral("Café");
        QTest::newRow("Windows-1252")
            << QByteArray("ASCII\0\0\0Caf\xe9", 12) << QStringLiteral("Café");
        QTest::newRow("199 bytes at most") << QByteArray("ASCII\0\0\0", 8) + QByteArray(300, 'x')
                                           << QString(199, QLatin1Char('x'));
        QTest::newRow("shorter than the code") << QByteArray("ASC") << QString();
    }
    void userComment() {
        QFETCH(QByteArray, value);
        QFETCH(QString, expected);
        const QByteArray block = OneDirectory([&](CTiffBuilder& b, int d) {
            b.AddEntry(d, 0x9286, 7, quint32(value.size()), value);
        });
        CExifReader reader;
        QVERIFY(Read(reader, JpegFile({ExifSegment(block)})));
        QCOMPARE(reader.Texts().comment, expected);
    }

    void commentSegment_data() {
        QTest::addColumn<QList<QByteArray>>("segments");
        QTest::addColumn<QString>("expected");
        const QByteArray exif = ExifSegment(OneDirectory([](CTiffBuilder& b, int d) {
            b.AddEntry(d, 0x9286, 7, 12, QByteArray("ASCII\0\0\0User", 12));
        }));
        QTest::newRow("comment segment after EXIF replaces the user comment")
            << QList<QByteArray>{exif, JpegSegment(0xFE, "Segment")} << QStringLiteral("Segment");
        QTest::newRow("EXIF after the comment segment clears it")
            << QList<QByteArray>{JpegSegment(0xFE, "Segment"), exif} << QStringLiteral("User");
        QTest::newRow("only the first comment segment")
            << QList<QByteArray>{JpegSegment(0xFE, "first"), JpegSegment(0xFE, "second")}
            << QStringLiteral("first");
        QTest::newRow("line ends and control bytes")
            << QList<QByteArray>{JpegSegment(0xFE, QByteArray("a\r\nb\rc\td\0e\x1f", 11))}
            << QStringLiteral("a\nb?c\td?e?");
        QTest::newRow("998 bytes at most")
            << QList<QByteArray>{JpegSegment(0xFE, QByteArray(2000, 'y'))}
            << QString(998, QLatin1Char('y'));
    }
    void commentSegment() {
        QFETCH(QList<QByteArray>, segments);
        QFETCH(QString, expected);
        CExifReader reader;
        QVERIFY(Read(reader, JpegFile(segments)));
        QVERIFY(reader.Succeeded());
        QCOMPARE(reader.Texts().comment, expected);
    }

    void fillBytes_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("succeeds");
        QTest::newRow("one") << 1 << true;
        QTest::newRow("six") << 6 << true;
        QTest::newRow("seven") << 7 << false;
        QTest::newRow("forty") << 40 << false;
    }
    void fillBytes() {
        QFETCH(int, count);
        QFETCH(bool, succeeds);
        // The segment brings its own 0xFF; the others are fill bytes before it.
        const QByteArray padded = QByteArray(count - 1, char(0xFF)) + JpegSegment(0xFE, "note");
        CExifReader reader;
        QVERIFY(Read(reader, JpegFile({padded})));
        QCOMPARE(reader.Succeeded(), succeeds);
        QCOMPARE(reader.Texts().comment, succeeds ? QStringLiteral("note") : QString());
    }

    void withoutExifReadsZeros() {
        CExifReader reader;
        QVERIFY(Read(reader, JpegFile({JpegSegment(0xE0, "JFIF")})));
        QVERIFY(reader.Succeeded());
        QVERIFY(!reader.Info().exifRead);
        QCOMPARE(reader.DateTaken(), TimeValue(0));
        QCOMPARE(TextList(reader.Texts()), Utf8List({"0", "0", "0.000", "0", ""}));
    }

    void failures_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        const QByteArray soi("\xFF\xD8", 2);
        QTest::newRow("not a JPEG") << QByteArray("GIF89a") << QString();
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("end of image before the scan")
            << soi + JpegSegment(0xFE, "x") + QByteArray("\xFF\xD9\x00\x02", 4) << QString();
        QTest::newRow("length below 2")
            << soi + QByteArray("\xFF\xE1\x00\x01", 4) << QStringLiteral("Invalid marker");
        QTest::newRow("segment cut short") << soi + JpegSegment(0xE1, QByteArray(100, 'a')).left(50)
                                           << QStringLiteral("Premature end of file?");
        QTest::newRow("ends after the start") << soi << QStringLiteral("Premature end of file?");
        QTest::newRow("ends inside the length")
            << soi + QByteArray("\xFF\xE0\x00", 3) << QStringLiteral("Premature end of file?");
        QTest::newRow("length beyond the file")
            << soi + QByteArray("\xFF\xE1\xFF\xFF", 4) + QByteArray(100, 'a')
            << QStringLiteral("Premature end of file?");
        QTest::newRow("unused segment past the end")
            << soi + QByteArray("\xFF\xE2\x10\x00", 4) + QByteArray(100, 'a')
            << QStringLiteral("Premature end of file?");
        QByteArray many = soi;
        for (int i = 0; i < 100; ++i)
            many += JpegSegment(0xE2, "x");
        QTest::newRow("100 segments without a scan")
            << many + JpegSegment(0xDA, "x") << QStringLiteral("Too many sections in jpg file");
    }
    void failures() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        CExifReader reader;
        QVERIFY(Read(reader, bytes));
        QVERIFY(!reader.Succeeded());
        QCOMPARE(reader.ErrorText(), error);
        QCOMPARE(reader.DateTaken(), TimeValue(0));
        QCOMPARE(TextList(reader.Texts()), QStringList(5));
    }

    void scanAsHundredthSegment() {
        QList<QByteArray> segments;
        for (int i = 0; i < 99; ++i)
            segments.append(JpegSegment(0xE2, "x"));
        CExifReader reader;
        QVERIFY(Read(reader, JpegFile(segments)));
        QVERIFY(reader.Succeeded());
    }

    // Faults inside the EXIF block end its walk; the file is still read to its scan.
    void exifFaults_data() {
        QTest::addColumn<QByteArray>("segment");
        QTest::addColumn<bool>("exifRead");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("aperture");
        using Fill = std::function<void(CTiffBuilder&, int)>;
        auto block = [](const Fill& fill) { return ExifSegment(OneDirectory(fill)); };
        QTest::newRow("header") << JpegSegment(0xE1, QByteArray("Exif\0X", 6) + CameraBlock(false))
                                << false << QStringLiteral("Incorrect Exif header")
                                << QStringLiteral("0");
        QTest::newRow("alignment")
            << ExifSegment("XX" + CameraBlock(false).mid(2)) << false
            << QStringLiteral("Invalid Exif alignment marker.") << QStringLiteral("0");
        QTest::newRow("not 42") << ExifSegment(QByteArray("II\x2b\x00", 4) +
                                               CameraBlock(false).mid(4))
                                << false << QStringLiteral("Invalid Exif start (1)")
                                << QStringLiteral("0");
        QTest::newRow("short TIFF header")
            << ExifSegment(QByteArray("II\x2a\x00", 4)) << false
            << QStringLiteral("Invalid Exif start (1)") << QStringLiteral("0");
        QTest::newRow("first directory past the block")
            << ExifSegment(QByteArray("II\x2a\x00\xff\xff\xff\xff", 8)) << false
            << QStringLiteral("Illegally sized directory") << QStringLiteral("0");
        QTest::newRow("entry count too large")
            << ExifSegment(QByteArray("II\x2a\x00\x08\x00\x00\x00\xff\xff", 10) +
                           QByteArray(40, '\0'))
            << false << QStringLiteral("Illegally sized directory") << QStringLiteral("0");
        QTest::newRow("format 13") << block([](CTiffBuilder& b, int d) {
            b.AddRational(d, 0x829D, 28, 10);
            b.AddEntry(d, 0x9000, 13, 1, "0220");
            b.AddRational(d, 0x920A, 50, 1);
        }) << false << QStringLiteral("Illegal format code in EXIF dir")
                                   << QStringLiteral("2.8");
        QTest::newRow("too many components") << block([](CTiffBuilder& b, int d) {
            b.AddEntry(d, 0x829A, 5, 0x10001, b.U32(1) + b.U32(250));
            b.AddRational(d, 0x829D, 28, 10);
        }) << true << QStringLiteral("Illegal number of components for tag")
                                             << QStringLiteral("2.8");
        QTest::newRow("value past the block") << block([](CTiffBuilder& b, int d) {
            b.AddEntry(d, 0x829D, 5, 1000, QByteArray(16, '\1'));
        }) << false << QStringLiteral("Illegal pointer offset value in EXIF.")
                                              << QStringLiteral("0");
        QTest::newRow("sub-directory past the block") << block([](CTiffBuilder& b, int d) {
            b.AddEntry(d, 0x8769, 4, 1, b.U32(0x7FFFFFF0));
            b.AddRational(d, 0x829D, 28, 10);
        }) << false << QStringLiteral("Illegal subdirectory link")
                                                      << QStringLiteral("0");
        QTest::newRow("orientation 9") << block([](CTiffBuilder& b, int d) {
            b.AddShort(d, 0x0112, 9);
            b.AddRational(d, 0x829D, 28, 10);
        }) << true << QStringLiteral("Undefined rotation value")
                                       << QStringLiteral("2.8");
        QTest::newRow("rational with no components")
            << block([](CTiffBuilder& b, int d) { b.AddEntry(d, 0x829D, 5, 0, QByteArray()); })
            << true << QString() << QStringLiteral("0");
    }
    void exifFaults() {
        QFETCH(QByteArray, segment);
        QFETCH(bool, exifRead);
        QFETCH(QString, error);
        QFETCH(QString, aperture);
        CExifReader reader;
        QVERIFY(Read(reader, JpegFile({segment})));
        QVERIFY(reader.Succeeded());
        QCOMPARE(reader.Info().exifRead, exifRead);
        QCOMPARE(reader.ErrorText(), error);
        QCOMPARE(reader.Texts().aperture, aperture);
    }

    // Links back to a directory already walked, and chains deeper than any camera writes,
    // end the walk instead of looping or exhausting the stack.
    void directoryLoops() {
        CTiffBuilder b(true);
        const int main = b.AddDirectory();
        const int exif = b.AddDirectory();
        b.AddLink(main, 0x8769, exif);
        b.AddRational(main, 0x829D, 28, 10);
        b.AddLink(exif, 0xA005, exif);
        b.AddLink(exif, 0x8769, main);
        b.AddRational(exif, 0x920A, 50, 1);
        CExifReader reader;
        QVERIFY(Read(reader, JpegFile({ExifSegment(b.Build())})));
        QVERIFY(reader.Info().exifRead);
        QCOMPARE(reader.Texts().aperture, QStringLiteral("2.8"));
        QCOMPARE(reader.Texts().focalLength, QStringLiteral("50"));
    }
    void deepChainEnds() {
        CTiffBuilder b(false);
        QList<int> directories;
        for (int i = 0; i < 40; ++i)
            directories.append(b.AddDirectory());
        for (int i = 0; i + 1 < 40; ++i)
            b.AddLink(directories[i], 0x8769, directories[i + 1]);
        b.AddRational(directories[3], 0x829D, 4, 1);
        b.AddRational(directories[39], 0x920A, 99, 1);
        CExifReader reader;
        QVERIFY(Read(reader, JpegFile({ExifSegment(b.Build())})));
        QCOMPARE(reader.Texts().aperture, QStringLiteral("4"));
        QCOMPARE(reader.Texts().focalLength, QStringLiteral("0"));
    }

    void imageDataIsNeverRead() {
        const QByteArray bytes = JpegFile({ExifSegment(CameraBlock(false))});
        CWatchedSource source(bytes);
        CExifReader reader;
        QVERIFY(reader.ReadFrom(source));
        const qint64 scanHeaderEnd = bytes.size() - JpegImageData().size() - 2;
        QVERIFY(source.End() > 0);
        QVERIFY(source.End() <= scanHeaderEnd);
    }

    void frameHeaderAndSensor() {
        CTiffBuilder b(false);
        const int main = b.AddDirectory();
        b.AddEntry(main, 0xA002, 4, 1, b.U32(3000));
        b.AddRational(main, 0xA20E, 1000, 1);
        b.AddShort(main, 0xA210, 3);
        b.AddShort(main, 0x8827, 2);
        b.AddEntry(main, 0x0201, 4, 1, b.U32(10));
        b.AddEntry(main, 0x0202, 4, 1, b.U32(100000));
        const QByteArray block = b.Build();
        const QByteArray frame = JpegSegment(0xC2, QByteArray("\x08\x01\xE0\x02\x80\x03", 6));
        CExifReader reader;
        QVERIFY(Read(reader, JpegFile({ExifSegment(block), frame})));
        QCOMPARE(reader.Info().height, 480u);
        QCOMPARE(reader.Info().width, 640u);
        QVERIFY(reader.Info().isColour);
        QCOMPARE(reader.Info().process, 0xC2);
        QCOMPARE(reader.Info().isoEquivalent, 400);
        QVERIFY(qAbs(reader.Info().sensorWidth - 3000 * 0.3937007f / 1000) < 1e-6f);
        QCOMPARE(reader.Info().thumbnailSize, quint32(block.size() - 10));
    }

    // One reader serves a whole folder: nothing of one file may show up for the next.
    void nothingCarriesOver() {
        CExifReader reader;
        QVERIFY(Read(reader, JpegFile({ExifSegment(CameraBlock(false)), JpegSegment(0xFE, "c")})));
        QCOMPARE(reader.Texts().comment, QStringLiteral("c"));
        QVERIFY(Read(reader, JpegFile({JpegSegment(0xE0, "JFIF")})));
        QVERIFY(reader.Succeeded());
        QCOMPARE(reader.DateTaken(), TimeValue(0));
        QCOMPARE(TextList(reader.Texts()), Utf8List({"0", "0", "0.000", "0", ""}));
        QCOMPARE(reader.Info().cameraModel, QByteArray());
        QVERIFY(Read(reader, JpegFile({ExifSegment(CameraBlock(true))})));
        QVERIFY(Read(reader, QByteArray("\xFF\xD8", 2)));
        QVERIFY(!reader.Succeeded());
        QCOMPARE(TextList(reader.Texts()), QStringList(5));
        QVERIFY(!reader.Read()); // no open file: a failed read, not the previous values
        QCOMPARE(reader.ErrorText(), QString());
    }

    void missingFile() {
        CExifReader reader;
        QVERIFY(!reader.Open(QFile::encodeName(m_folder.filePath(QStringLiteral("none.jpg")))));
        QVERIFY(!reader.Read());
    }
};

QTEST_GUILESS_MAIN(TstCExifReader)
#include "tst_cexifreader.moc"
