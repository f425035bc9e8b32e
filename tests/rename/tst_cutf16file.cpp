// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/cutf16file.h"

#include <QtTest>

namespace {

enum ByteOrder { LittleEndian, BigEndian };

QByteArray Utf16Bytes(const QString& text, ByteOrder order, bool withMark) {
    QByteArray bytes;
    if (withMark)
        bytes =
            order == LittleEndian ? QByteArrayLiteral("\xFF\xFE") : QByteArrayLiteral("\xFE\xFF");
    for (QChar c : text) {
        const char low = char(c.unicode() & 0xFF);
        const char high = char(c.unicode() >> 8);
        bytes.append(order == LittleEndian ? low : high);
        bytes.append(order == LittleEndian ? high : low);
    }
    return bytes;
}

QString Nul() {
    return QString(QChar(0));
}

} // namespace

class TstCUTF16File : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    int m_fileCount = 0;

    QString WriteFile(const QByteArray& bytes) {
        const QString path = m_dir.filePath(QStringLiteral("lines%1.txt").arg(++m_fileCount));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write the test file");
        return path;
    }

    static QStringList ReadAll(CUTF16File& file) {
        QStringList lines;
        QString line;
        while (file.ReadString(line))
            lines.append(line);
        return lines;
    }

    QStringList ReadLines(const QByteArray& bytes, bool* utf16 = nullptr) {
        CUTF16File file;
        if (!file.Open(WriteFile(bytes)))
            return {QStringLiteral("<open failed>")};
        if (utf16)
            *utf16 = file.IsUtf16();
        return ReadAll(file);
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void utf16Lines_data() {
        QTest::addColumn<int>("order");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        const QStringList ab{QStringLiteral("a"), QStringLiteral("b")};
        struct CASE {
            const char* name;
            QString text;
            QStringList expected;
        };
        const QList<CASE> cases{
            {"CR LF", QStringLiteral("a\r\nb\r\n"), ab},
            {"LF", QStringLiteral("a\nb\n"), ab},
            {"CR", QStringLiteral("a\rb\r"), ab},
            {"LF CR is one line end", QStringLiteral("a\n\rb"), ab},
            {"CR CR is one line end", QStringLiteral("a\r\rb"), ab},
            {"LF LF is one line end", QStringLiteral("a\n\nb"), ab},
            {"CR LF twice gives an empty line",
             QStringLiteral("a\r\n\r\nb"),
             {QStringLiteral("a"), QString(), QStringLiteral("b")}},
            {"three LF give an empty line",
             QStringLiteral("a\n\n\nb"),
             {QStringLiteral("a"), QString(), QStringLiteral("b")}},
            {"last line without line end", QStringLiteral("a\r\nb"), ab},
            {"only the mark", QString(), {}},
            {"line end only", QStringLiteral("\r\n"), {QString()}},
            {"characters beyond 8 bits",
             QStringLiteral("caf\u00e9 \u20ac|\U0001F600\r\n\u0100"),
             {QStringLiteral("caf\u00e9 \u20ac|\U0001F600"), QStringLiteral("\u0100")}},
            {"a character whose low byte is LF is no line end",
             QStringLiteral("\u010a\u0d0d"),
             {QStringLiteral("\u010a\u0d0d")}},
        };
        for (const CASE& c : cases) {
            QTest::addRow("little-endian, %s", c.name) << int(LittleEndian) << c.text << c.expected;
            QTest::addRow("big-endian, %s", c.name) << int(BigEndian) << c.text << c.expected;
        }
    }
    void utf16Lines() {
        QFETCH(int, order);
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        bool utf16 = false;
        QCOMPARE(ReadLines(Utf16Bytes(text, ByteOrder(order), true), &utf16), expected);
        QVERIFY(utf16);
    }

    // The reader refills 4096 bytes at a time, 2048 code units after the mark; a line end
    // pair split there must still be one line end.
    void lineEndPairSplitAtRefill_data() {
        QTest::addColumn<QString>("pair");
        QTest::newRow("CR LF") << QStringLiteral("\r\n");
        QTest::newRow("LF CR") << QStringLiteral("\n\r");
        QTest::newRow("CR CR") << QStringLiteral("\r\r");
        QTest::newRow("LF LF") << QStringLiteral("\n\n");
    }
    void lineEndPairSplitAtRefill() {
        QFETCH(QString, pair);
        const QString first(2047, QLatin1Char('x'));
        const QString text = first + pair + QStringLiteral("next\r\nlast");
        for (ByteOrder order : {LittleEndian, BigEndian}) {
            const QStringList lines = ReadLines(Utf16Bytes(text, order, true));
            QCOMPARE(lines, (QStringList{first, QStringLiteral("next"), QStringLiteral("last")}));
        }
    }

    void lineEndAtRefillFollowedByText() {
        const QString first(2047, QLatin1Char('x'));
        const QString text = first + QStringLiteral("\rnext");
        QCOMPARE(ReadLines(Utf16Bytes(text, LittleEndian, true)),
                 (QStringList{first, QStringLiteral("next")}));
    }

    void lineLongerThanOneRefill() {
        const QString longLine(5000, QLatin1Char('y'));
        const QString text = longLine + QStringLiteral("\r\n") + longLine + QStringLiteral("\n");
        QCOMPARE(ReadLines(Utf16Bytes(text, BigEndian, true)), (QStringList{longLine, longLine}));
    }

    void oddTrailingByteIsDropped() {
        QCOMPARE(ReadLines(QByteArrayLiteral("\xFF\xFE"
                                             "A\0B")),
                 QStringList{QStringLiteral("A")});
        QCOMPARE(ReadLines(QByteArrayLiteral("\xFF\xFE"
                                             "A")),
                 QStringList{});
    }

    void eightBitLines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n")
                               << QStringList{QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("LF, last line without end")
            << QByteArray("a\nb") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("empty lines kept")
            << QByteArray("\n\nc\n") << QStringList{QString(), QString(), QStringLiteral("c")};
        QTest::newRow("lone CR stays in the line")
            << QByteArray("a\rb\n") << QStringList{QStringLiteral("a\rb")};
        QTest::newRow("utf-8") << QByteArray("caf\xc3\xa9\n")
                               << QStringList{QStringLiteral("café")};
        QTest::newRow("windows-1252")
            << QByteArray("caf\xe9 \x80\r\n") << QStringList{QStringLiteral("café \u20ac")};
        QTest::newRow("each line decoded on its own")
            << QByteArray("caf\xc3\xa9\ncaf\xe9\n")
            << QStringList{QStringLiteral("café"), QStringLiteral("café")};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("one byte") << QByteArray("x") << QStringList{QStringLiteral("x")};
        QTest::newRow("one byte of a mark")
            << QByteArray("\xff") << QStringList{QStringLiteral("ÿ")};
    }
    void eightBitLines() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        bool utf16 = true;
        QCOMPARE(ReadLines(bytes, &utf16), expected);
        QVERIFY(!utf16);
    }

    // Without a byte-order mark the bytes are 8-bit text: every byte, the zero bytes of the
    // UTF-16 code units included, is one character.
    void utf16WithoutMarkReadsAsEightBit() {
        bool utf16 = true;
        const QStringList little =
            ReadLines(Utf16Bytes(QStringLiteral("ab\r\ncd"), LittleEndian, false), &utf16);
        QVERIFY(!utf16);
        QCOMPARE(little,
                 (QStringList{QStringLiteral("a") + Nul() + QStringLiteral("b") + Nul() +
                                  QStringLiteral("\r") + Nul(),
                              Nul() + QStringLiteral("c") + Nul() + QStringLiteral("d") + Nul()}));
        const QStringList big = ReadLines(Utf16Bytes(QStringLiteral("ab\n"), BigEndian, false));
        QCOMPARE(big,
                 (QStringList{Nul() + QStringLiteral("a") + Nul() + QStringLiteral("b") + Nul()}));
    }

    void openFailsForMissingFileAndFolder() {
        CUTF16File file;
        QVERIFY(!file.Open(m_dir.filePath(QStringLiteral("missing.txt"))));
        QString line = QStringLiteral("stale");
        QVERIFY(!file.ReadString(line));
        QVERIFY(line.isEmpty());
        QVERIFY(!file.Open(m_dir.path()));
    }

    void closeEndsReadingAndReopenStartsOver() {
        const QString path =
            WriteFile(Utf16Bytes(QStringLiteral("one\r\ntwo\r\n"), LittleEndian, true));
        CUTF16File file;
        QVERIFY(file.Open(path));
        QString line;
        QVERIFY(file.ReadString(line));
        QCOMPARE(line, QStringLiteral("one"));
        file.Close();
        QVERIFY(!file.ReadString(line));
        QVERIFY(file.Open(path));
        QCOMPARE(ReadAll(file), (QStringList{QStringLiteral("one"), QStringLiteral("two")}));
    }
};

QTEST_GUILESS_MAIN(TstCUTF16File)
#include "tst_cutf16file.moc"
