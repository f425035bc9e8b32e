// SPDX-License-Identifier: GPL-3.0-or-later
#include "filelist/cexifreader.h"
#include "filelist/ctiffexifreader.h"
#include "filelist/textrules.h"

#include <QtTest>

#include <cmath>
#include <ctime>

// Compares the readers with the values that other tools read from the sample photos in the
// shared corpus (reference.tsv beside them). The corpus lives outside the repository, so
// the test skips when it is not there.
//
// Expected values follow this program's rules, not the other tool's where they differ:
// - date taken: of 0x0132 (main directory), 0x9003 and 0x9004 (EXIF directory), the last
//   one met in walk order wins, so usually 0x9004 (digitised), not 0x9003 (original);
// - F-number and exposure time fall back to the APEX values in the JPEG reader, the
//   F-number alone in the TIFF reader;
// - the comment is the first comment segment when there is one, else the user comment
//   after its 8-byte character code.

namespace {

QString CorpusFolder() {
    return QStringLiteral(QVN_SOURCE_DIR "/../shared/corpus/exif");
}

QByteArray Unescape(const QByteArray& cell) {
    QByteArray out;
    for (qsizetype i = 0; i < cell.size(); ++i) {
        if (cell[i] != '\\' || i + 1 == cell.size()) {
            out += cell[i];
            continue;
        }
        const char c = cell[++i];
        out += c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c;
    }
    return out;
}

struct REFERENCEROW {
    QHash<QByteArray, QByteArray> cells;
    QByteArray Cell(const char* column) const { return cells.value(column); }
    bool Has(const char* column) const { return !cells.value(column).isEmpty(); }
    double Number(const char* column) const { return cells.value(column).toDouble(); }
};

QList<REFERENCEROW> ReadReference(const QString& path) {
    QFile file(path);
    QList<REFERENCEROW> rows;
    if (!file.open(QIODevice::ReadOnly))
        return rows;
    const QList<QByteArray> header = file.readLine().trimmed().split('\t');
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        if (line.endsWith('\n'))
            line.chop(1);
        const QList<QByteArray> cells = line.split('\t');
        REFERENCEROW row;
        for (qsizetype i = 0; i < header.size() && i < cells.size(); ++i)
            row.cells.insert(header[i], Unescape(cells[i]));
        rows.append(row);
    }
    return rows;
}

// The date text this program takes: the last of the three tags met in walk order.
QByteArray LastDateMet(const REFERENCEROW& row) {
    const QList<QByteArray> parts = row.Cell("tag_order").split('>');
    const QList<QByteArray> exifOrder = parts.value(1).split(',');
    QByteArray text;
    auto take = [&](const char* column) {
        if (row.Has(column))
            text = row.Cell(column);
    };
    for (const QByteArray& tag : parts.value(0).split(',')) {
        if (tag == "0132")
            take("ifd0_ModifyDate");
        if (tag != "8769")
            continue;
        for (const QByteArray& exifTag : exifOrder) {
            if (exifTag == "9003")
                take("exif_DateTimeOriginal");
            if (exifTag == "9004")
                take("exif_CreateDate");
        }
    }
    return text;
}

// Computed with Qt's own calendar, not with the reader's conversion.
qint64 LocalMoment(const QByteArray& text) {
    const QDateTime moment =
        QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy:MM:dd HH:mm:ss"));
    return moment.isValid() ? moment.toSecsSinceEpoch() : -1;
}

double FirstOf(const REFERENCEROW& row, std::initializer_list<const char*> columns) {
    for (const char* column : columns) {
        if (row.Has(column) && row.Number(column) != 0)
            return row.Number(column);
    }
    return 0;
}

QByteArray UserCommentJpeg(QByteArray value) {
    while (value.endsWith(' '))
        value.chop(1);
    qsizetype from = 8;
    if (value.startsWith("ASCII")) {
        from = -1;
        for (qsizetype i = 5; i < 10 && i < value.size() && from < 0; ++i)
            from = (value[i] != '\0' && value[i] != ' ') ? i : -1;
    }
    if (from < 0 || from >= value.size())
        return QByteArray();
    const QByteArray text = value.mid(from, 199);
    return text.left(text.indexOf('\0') < 0 ? text.size() : text.indexOf('\0'));
}

QByteArray UserCommentTiff(const QByteArray& value) {
    const QByteArray text = value.mid(8, 999);
    return text.left(text.indexOf('\0') < 0 ? text.size() : text.indexOf('\0'));
}

bool Near(double actual, double expected) {
    return std::abs(actual - expected) <= 1e-5 + 1e-5 * std::abs(expected);
}

} // namespace

// Declared before its first use in QFETCH, as the metatype system requires.
Q_DECLARE_METATYPE(REFERENCEROW)

class TstExifCorpus : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!QFileInfo::exists(CorpusFolder() + QStringLiteral("/reference.tsv")))
            QSKIP("the shared photo corpus is not beside this source tree");
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }
    void cleanupTestCase() {
        qputenv("TZ", "UTC");
        tzset();
    }

    void jpegFiles_data() { AddRows(QStringLiteral(".jpg")); }
    void jpegFiles() {
        QFETCH(QByteArray, file);
        QFETCH(REFERENCEROW, row);
        CExifReader reader;
        QVERIFY(reader.Open(QFile::encodeName(CorpusFolder() + QLatin1Char('/')) + file));
        const bool read = reader.Read();
        reader.Close();
        const bool hasBlock = row.Has("byte_order");
        const QString why = WalkEndsByOurRules(file);
        if (!why.isEmpty())
            qInfo("%s: %s", file.constData(), qPrintable(why));
        QVERIFY(read);
        QCOMPARE(reader.Info().exifRead, hasBlock && why.isEmpty());
        const QByteArray dateText = LastDateMet(row);
        QCOMPARE(reader.Info().dateTime, dateText.left(19));
        if (LocalMoment(dateText) >= 0)
            QCOMPARE(reader.DateTaken(), LocalMoment(dateText));
        CompareNumber(reader.Info().fNumber,
                      FirstOf(row, {"FNumber", "ApertureValue", "MaxApertureValue"}));
        CompareNumber(reader.Info().exposureTime,
                      FirstOf(row, {"ExposureTime", "ShutterSpeedValue"}));
        CompareNumber(reader.Info().focalLength, row.Number("FocalLength"));
        CompareNumber(reader.Info().exposureBias, row.Number("ExposureCompensation"));
        const QByteArray comment =
            row.Has("Comment") ? row.Cell("Comment")
                               : UserCommentJpeg(QByteArray::fromHex(row.Cell("UserComment_hex")));
        QCOMPARE(reader.Texts().comment, DecodeEightBit(comment));
    }

    void tiffFiles_data() { AddRows(QStringLiteral(".tif .tiff .cr2 .nef .dng .crw")); }
    void tiffFiles() {
        QFETCH(QByteArray, file);
        QFETCH(REFERENCEROW, row);
        CTiffExifReader reader;
        QVERIFY(reader.Open(QFile::encodeName(CorpusFolder() + QLatin1Char('/')) + file));
        const bool read = reader.Read();
        reader.Close();
        // A Canon CRW file is no TIFF structure; it gives no data.
        QCOMPARE(read, row.Has("byte_order"));
        if (!read)
            return;
        const QByteArray dateText = LastDateMet(row);
        QCOMPARE(reader.DateTimeText(), dateText);
        if (LocalMoment(dateText) >= 0)
            QCOMPARE(reader.DateTaken(), LocalMoment(dateText));
        CompareNumber(reader.FNumber(),
                      FirstOf(row, {"FNumber", "ApertureValue", "MaxApertureValue"}));
        CompareNumber(reader.ExposureTime(), row.Number("ExposureTime"));
        CompareNumber(reader.FocalLength(), row.Number("FocalLength"));
        CompareNumber(reader.ExposureBias(), row.Number("ExposureCompensation"));
        QCOMPARE(reader.Texts().comment,
                 DecodeEightBit(UserCommentTiff(QByteArray::fromHex(row.Cell("UserComment_hex")))));
    }

private:
    void AddRows(const QString& extensions) {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<REFERENCEROW>("row");
        const QStringList wanted = extensions.split(QLatin1Char(' '));
        int count = 0;
        for (const REFERENCEROW& row :
             ReadReference(CorpusFolder() + QStringLiteral("/reference.tsv"))) {
            const QByteArray file = row.Cell("file");
            const QString name = QString::fromUtf8(file);
            if (!std::any_of(wanted.begin(), wanted.end(), [&](const QString& e) {
                    return name.endsWith(e, Qt::CaseInsensitive);
                }))
                continue;
            QTest::newRow(file.constData()) << file << row;
            ++count;
        }
        QVERIFY(count > 0);
    }

    static void CompareNumber(float actual, double expected) {
        if (!Near(actual, expected))
            QFAIL(qPrintable(QStringLiteral("read %1, expected %2").arg(actual).arg(expected)));
    }

    // Files whose EXIF block this program stops walking where the other tool goes on.
    static QString WalkEndsByOurRules(const QByteArray& file) {
        if (file == "ianare-tests-30-type_error.jpg")
            return QStringLiteral(
                "the EXIF link (0x8769) is stored as 154 bytes of ASCII, so its value lies at "
                "the offset the entry holds and the link read from there is text, far outside "
                "the block: \"Illegal subdirectory link\" ends the walk after the main "
                "directory's date. The other tool takes the entry's offset as the link.");
        return QString();
    }
};

QTEST_GUILESS_MAIN(TstExifCorpus)
#include "tst_exifcorpus.moc"
