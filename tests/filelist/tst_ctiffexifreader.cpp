// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctiffbuilder.h"
#include "filelist/cmemorybytesource.h"
#include "filelist/ctiffexifreader.h"
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

// A raw file's layout: the main directory with model and date, the EXIF directory behind
// 0x8769, and a second main directory in the chain.
QByteArray RawFile(bool motorola) {
    CTiffBuilder b(motorola);
    const int main = b.AddDirectory();
    const int exif = b.AddDirectory();
    const int second = b.AddDirectory();
    b.AddAscii(main, 0x0110, "Camera Model Name Long"); // longer than the 20 bytes kept
    b.AddAscii(main, 0x0132, "2008:07:31 10:38:11");
    b.AddLink(main, 0x8769, exif);
    b.SetNext(main, second);
    b.AddRational(exif, 0x829A, 1, 250);
    b.AddRational(exif, 0x829D, 28, 10);
    b.AddAscii(exif, 0x9003, "2004:07:05 14:07:09");
    b.AddAscii(exif, 0x9004, "2004:07:05 14:07:10");
    b.AddRational(exif, 0x9204, -2, 3, 10);
    b.AddRational(exif, 0x920A, 55, 1);
    b.AddEntry(exif, 0x9286, 7, 16, QByteArray("ASCII\0\0\0Holiday\0", 16));
    b.AddShort(second, 0x0103, 6);
    return b.Build();
}

} // namespace

class TstCTiffExifReader : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_folder;
    int m_files = 0;

    // Reads the bytes as a file with `reader` and from memory with a second reader; both
    // ways must agree.
    bool Read(CTiffExifReader& reader, const QByteArray& bytes) {
        const QByteArray path =
            WriteTestFile(m_folder, QStringLiteral("f%1.nef").arg(++m_files), bytes);
        const bool opened = reader.Open(path);
        const bool read = reader.Read();
        reader.Close();
        CTiffExifReader memory;
        memory.ReadFrom(CMemoryByteSource(bytes));
        return opened && memory.Succeeded() == read && memory.DateTaken() == reader.DateTaken() &&
               TextList(memory.Texts()) == TextList(reader.Texts());
    }

    QByteArray OneDirectory(const std::function<void(CTiffBuilder&, int)>& fill) {
        CTiffBuilder b(false);
        fill(b, b.AddDirectory());
        return b.Build();
    }

private slots:
    void initTestCase() {
        QVERIFY(m_folder.isValid());
        qputenv("TZ", "America/New_York");
        tzset();
    }
    void cleanupTestCase() {
        qputenv("TZ", "UTC");
        tzset();
    }

    void rawFile_data() {
        QTest::addColumn<bool>("motorola");
        QTest::newRow("Intel") << false;
        QTest::newRow("Motorola") << true;
    }
    void rawFile() {
        QFETCH(bool, motorola);
        CTiffExifReader reader;
        QVERIFY(Read(reader, RawFile(motorola)));
        QVERIFY(reader.Succeeded());
        // Texts come from the value's own position, not from after a pair of numbers.
        QCOMPARE(reader.CameraModel(), QByteArray("Camera Model Name Lo"));
        QCOMPARE(reader.DateTimeText(), QByteArray("2004:07:05 14:07:10"));
        QCOMPARE(reader.DateTaken(), Utc(2004, 7, 5, 18, 7, 10));
        QCOMPARE(TextList(reader.Texts()), Utf8List({"2.8", "250", "-0.667", "55", "Holiday"}));
    }

    void dates_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("zeros give 1970-01-01 23:59:59 local")
            << QByteArray("0000:00:00 00:00:00") << Utc(1970, 1, 2, 4, 59, 59);
        QTest::newRow("spaces give no date") << QByteArray(19, ' ') << qint64(0);
        QTest::newRow("1950 is kept")
            << QByteArray("1950:01:15 12:00:00") << Utc(1950, 1, 15, 17, 0, 0);
        QTest::newRow("summer") << QByteArray("2010:08:01 09:30:00") << Utc(2010, 8, 1, 13, 30, 0);
    }
    void dates() {
        QFETCH(QByteArray, text);
        QFETCH(qint64, expected);
        CTiffExifReader reader;
        QVERIFY(Read(reader,
                     OneDirectory([&](CTiffBuilder& b, int d) { b.AddAscii(d, 0x0132, text); })));
        QVERIFY(reader.Succeeded());
        QCOMPARE(reader.DateTaken(), expected);
    }

    void numbers_data() {
        QTest::addColumn<QList<QList<int>>>("tags"); // tag, format, numerator, denominator
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("aperture alone")
            << QList<QList<int>>{{0x9202, 5, 5, 1}} << Utf8List({"5.7", "0", "0.000", "0"});
        QTest::newRow("F-number wins") << QList<QList<int>>{{0x829D, 5, 8, 1}, {0x9202, 5, 5, 1}}
                                       << Utf8List({"8", "0", "0.000", "0"});
        QTest::newRow("largest aperture")
            << QList<QList<int>>{{0x9205, 5, 4, 1}} << Utf8List({"4", "0", "0.000", "0"});
        // The TIFF reader has no fallback from the shutter speed.
        QTest::newRow("shutter speed ignored")
            << QList<QList<int>>{{0x9201, 10, 8, 1}} << Utf8List({"0", "0", "0.000", "0"});
        QTest::newRow("short focal length")
            << QList<QList<int>>{{0x920A, 3, 35, 0}} << Utf8List({"0", "0", "0.000", "35"});
        QTest::newRow("zero denominator")
            << QList<QList<int>>{{0x829A, 5, 1, 0}} << Utf8List({"0", "0", "0.000", "0"});
    }
    void numbers() {
        QFETCH(QList<QList<int>>, tags);
        QFETCH(QStringList, expected);
        CTiffExifReader reader;
        QVERIFY(Read(reader, OneDirectory([&](CTiffBuilder& b, int d) {
                         for (const QList<int>& t : tags) {
                             if (t[1] == 3)
                                 b.AddShort(d, quint16(t[0]), quint16(t[2]));
                             else
                                 b.AddRational(d, quint16(t[0]), t[2], t[3], quint16(t[1]));
                         }
                     })));
        QCOMPARE(TextList(reader.Texts()).mid(0, 4), expected);
    }

    void comments_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ASCII code")
            << QByteArray("ASCII\0\0\0Holiday", 15) << QStringLiteral("Holiday");
        QTest::newRow("ends at zero")
            << QByteArray("ASCII\0\0\0Holi\0day", 16) << QStringLiteral("Holi");
        QTest::newRow("code only") << QByteArray("ASCII\0\0\0", 8) << QString();
        QTest::newRow("Windows-1252")
            << QByteArray("ASCII\0\0\0Caf\xe9", 12) << QStringLiteral("Café");
        QTest::newRow("999 bytes at most")
            << QByteArray(8, '\0') + QByteArray(1500, 'z') << QString(999, QLatin1Char('z'));
    }
    void comments() {
        QFETCH(QByteArray, value);
        QFETCH(QString, expected);
        CTiffExifReader reader;
        QVERIFY(Read(reader, OneDirectory([&](CTiffBuilder& b, int d) {
                         b.AddEntry(d, 0x9286, 7, quint32(value.size()), value);
                     })));
        QCOMPARE(reader.Texts().comment, expected);
    }

    void subDirectoriesAndChain() {
        CTiffBuilder b(true);
        const int main = b.AddDirectory();
        const int sub1 = b.AddDirectory();
        const int sub2 = b.AddDirectory();
        const int next = b.AddDirectory();
        b.AddLinks(main, 0x014A, {sub1, sub2});
        b.SetNext(main, next);
        b.AddRational(sub1, 0x829D, 4, 1);
        b.AddRational(sub2, 0x920A, 85, 1);
        b.AddAscii(next, 0x0132, "2011:01:01 12:00:00");
        CTiffExifReader reader;
        QVERIFY(Read(reader, b.Build()));
        QCOMPARE(reader.Texts().aperture, QStringLiteral("4"));
        QCOMPARE(reader.Texts().focalLength, QStringLiteral("85"));
        QCOMPARE(reader.DateTaken(), Utc(2011, 1, 1, 17, 0, 0));
    }

    // Damaged or crafted files: the walk ends, what was read stays, and the read succeeds.
    void walkEnds_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("aperture");
        {
            CTiffBuilder b(false);
            const int main = b.AddDirectory();
            b.AddRational(main, 0x829D, 28, 10);
            b.SetNext(main, main);
            QTest::newRow("chain back to itself") << b.Build() << QStringLiteral("2.8");
        }
        {
            CTiffBuilder b(false);
            const int main = b.AddDirectory();
            const int other = b.AddDirectory();
            b.AddLinks(main, 0x014A, {main, other, main, other});
            b.AddLink(other, 0x8769, main);
            b.AddRational(other, 0x829D, 56, 10);
            b.SetNext(main, other);
            b.SetNext(other, main);
            QTest::newRow("sub-directories in a circle") << b.Build() << QStringLiteral("5.6");
        }
        {
            CTiffBuilder b(false);
            const int main = b.AddDirectory();
            b.AddRational(main, 0x829D, 28, 10);
            b.AddEntry(main, 0x014A, 4, 0x40000000, b.U32(8));
            b.AddEntry(main, 0x8769, 4, 0xFFFFFFFF, b.U32(8));
            QTest::newRow("huge link counts") << b.Build() << QStringLiteral("2.8");
        }
        {
            CTiffBuilder b(true);
            const int main = b.AddDirectory();
            b.AddRational(main, 0x829D, 28, 10);
            b.AddEntry(main, 0x829A, 5, 1, b.U32(0x7FFFFFF0) + b.U32(0)); // offset written below
            QByteArray bytes = b.Build();
            // Point the exposure value far past the end of the file.
            const qsizetype entry = 8 + 2 + 12 + 8;
            bytes.replace(entry, 4, b.U32(0xFFFFFFF0));
            QTest::newRow("value past the end") << bytes << QStringLiteral("2.8");
        }
        {
            QByteArray bytes("II\x2a\x00\x00\x00\x00\x40", 8);
            QTest::newRow("first directory past the end") << bytes << QStringLiteral("0");
        }
        {
            CTiffBuilder b(false);
            const int main = b.AddDirectory();
            b.AddRational(main, 0x829D, 28, 10);
            b.AddRational(main, 0x920A, 50, 1);
            QByteArray bytes = b.Build();
            bytes.replace(8, 2, b.U16(0xFFFF)); // more entries than the file holds
            QTest::newRow("entry count past the end") << bytes << QStringLiteral("2.8");
        }
        {
            CTiffBuilder b(false);
            const int main = b.AddDirectory();
            b.AddShort(main, 0x829D, 4);
            b.AddRational(main, 0x920A, 50, 1);
            // Cut inside the second entry: the first one is still read.
            QTest::newRow("cut inside a directory")
                << b.Build().left(8 + 2 + 12 + 5) << QStringLiteral("4");
        }
    }
    void walkEnds() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, aperture);
        CTiffExifReader reader;
        QVERIFY(Read(reader, bytes));
        QVERIFY(reader.Succeeded());
        QCOMPARE(reader.Texts().aperture, aperture);
    }

    void cutValueIsDropped() {
        // The F-number's value lies in the data area at the end; cut there, the entry gives 0
        // but the walk keeps the entries before it.
        CTiffBuilder b(false);
        const int main = b.AddDirectory();
        b.AddAscii(main, 0x0110, "Model");
        b.AddRational(main, 0x829D, 28, 10);
        const QByteArray bytes = b.Build();
        CTiffExifReader reader;
        QVERIFY(Read(reader, bytes.left(bytes.size() - 4)));
        QCOMPARE(reader.CameraModel(), QByteArray("Model"));
        QCOMPARE(reader.Texts().aperture, QStringLiteral("0"));
    }

    void notTiff_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("header cut") << QByteArray("II\x2a\x00\x08\x00\x00", 7);
        QTest::newRow("CRW heap") << QByteArray("II\x1a\x00\x00\x00HEAPCCDR", 14);
        QTest::newRow("unknown order") << QByteArray("IM\x2a\x00\x08\x00\x00\x00", 8);
        QTest::newRow("JPEG") << QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10);
    }
    void notTiff() {
        QFETCH(QByteArray, bytes);
        CTiffExifReader reader;
        QVERIFY(Read(reader, bytes));
        QVERIFY(!reader.Succeeded());
        QCOMPARE(TextList(reader.Texts()), QStringList(5));
        QCOMPARE(reader.DateTaken(), TimeValue(0));
    }

    void withoutTagsReadsZeros() {
        CTiffExifReader reader;
        QVERIFY(
            Read(reader, OneDirectory([](CTiffBuilder& b, int d) { b.AddShort(d, 0x0100, 64); })));
        QVERIFY(reader.Succeeded());
        QCOMPARE(TextList(reader.Texts()), Utf8List({"0", "0", "0.000", "0", ""}));
    }

    void nothingCarriesOver() {
        CTiffExifReader reader;
        QVERIFY(Read(reader, RawFile(false)));
        QVERIFY(
            Read(reader, OneDirectory([](CTiffBuilder& b, int d) { b.AddShort(d, 0x0100, 64); })));
        QCOMPARE(reader.DateTaken(), TimeValue(0));
        QCOMPARE(reader.CameraModel(), QByteArray());
        QCOMPARE(TextList(reader.Texts()), Utf8List({"0", "0", "0.000", "0", ""}));
        QVERIFY(Read(reader, RawFile(true)));
        QVERIFY(Read(reader, QByteArray("MM")));
        QCOMPARE(TextList(reader.Texts()), QStringList(5));
        QVERIFY(!reader.Read());
    }
};

QTEST_GUILESS_MAIN(TstCTiffExifReader)
#include "tst_ctiffexifreader.moc"
