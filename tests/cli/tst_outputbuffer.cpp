// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/coutputbuffer.h"

#include "platform/nativename.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

#include <cstdio>

namespace {

// The tsv escaping as it was done before output went straight into the buffer: a string
// per field, encoded afterwards.
QString EscapedTsvText(const QString& value) {
    QString escaped;
    for (const QChar c : value) {
        switch (c.unicode()) {
        case u'\\':
            escaped += QLatin1String("\\\\");
            break;
        case u'\t':
            escaped += QLatin1String("\\t");
            break;
        case u'\r':
            escaped += QLatin1String("\\r");
            break;
        case u'\n':
            escaped += QLatin1String("\\n");
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                escaped += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else
                escaped += c;
        }
    }
    return escaped;
}

QByteArray QtJsonString(const QString& text) {
    const QByteArray compact =
        QJsonDocument(QJsonArray{ShownName(text)}).toJson(QJsonDocument::Compact);
    return compact.mid(1, compact.size() - 2);
}

QString Units(std::initializer_list<char16_t> units) {
    QString text;
    for (const char16_t unit : units)
        text += QChar(unit);
    return text;
}

// Every UTF-16 code unit once, so that neighbours also form every kind of surrogate pair
// and lone surrogate at the block's joints.
QString EveryUnit() {
    QString text;
    for (uint unit = 0; unit <= 0xFFFF; ++unit)
        text += QChar(char16_t(unit));
    return text;
}

QByteArray Written(const std::function<void(COutputBuffer&)>& write) {
    COutputBuffer out(nullptr);
    write(out);
    return out.Take();
}

} // namespace

class TestOutputBuffer : public QObject {
    Q_OBJECT

private slots:
    void escapes_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("plain") << QStringLiteral("IMG_0001.jpg");
        QTest::newRow("tsv specials") << QStringLiteral("a\\b\tc\rd\ne");
        QTest::newRow("json specials") << QStringLiteral("\"q\" \b\f/");
        QTest::newRow("C0, DEL and C1") << Units({0x01, 0x1B, 0x1F, 0x7F, 0x85, 0x9F});
        QTest::newRow("accents and CJK") << QStringLiteral("été 日本語");
        QTest::newRow("surrogate pair") << QStringLiteral("😀.png");
        QTest::newRow("undecodable bytes") << Units({u'P', 0xDCFE, 0xDC80, 0xDCFF, u'.'});
        QTest::newRow("lone high at end") << Units({u'a', 0xD83D});
        QTest::newRow("lone low") << Units({0xDE00, u'b'});
        QTest::newRow("high before escaped byte") << Units({0xD83D, 0xDCFE});
        QTest::newRow("replacement and noncharacters") << Units({0xFFFD, 0xFFFE, 0xFFFF});
        QTest::newRow("every unit") << EveryUnit();
    }

    // Each append gives exactly what building the escaped text and encoding it gave.
    void escapes() {
        QFETCH(QString, text);
        QCOMPARE(Written([&](COutputBuffer& out) { out.AppendNative(text); }),
                 EncodeNativeName(text));
        QCOMPARE(Written([&](COutputBuffer& out) { out.AppendTsvField(text); }),
                 EncodeNativeName(EscapedTsvText(text)));
        QCOMPARE(Written([&](COutputBuffer& out) { out.AppendJsonString(text); }),
                 QtJsonString(text));
    }

    void blockBoundaries_data() {
        QTest::addColumn<qsizetype>("blockSize");
        for (const qsizetype size : {1, 2, 3, 5, 64, 4096})
            QTest::addRow("%lld", qlonglong(size)) << size;
    }

    // Whatever the block size, the stream gets the same bytes, in order, escapes unbroken.
    void blockBoundaries() {
        QFETCH(qsizetype, blockSize);
        const QString every = EveryUnit();
        const auto write = [&every](COutputBuffer& out) {
            for (int round = 0; round < 3; ++round) {
                out.AppendTsvField(every.mid(round * 7, 300 + round));
                out.Append('\t');
                out.AppendJsonString(every.mid(0xD7F0, 40));
                out.Append(QLatin1String(",\n"));
                out.AppendNative(every);
                out.Append(QByteArrayView("\0", 1));
            }
        };
        const QByteArray expected = Written(write);
        std::FILE* file = std::tmpfile();
        QVERIFY(file);
        {
            COutputBuffer out(file, blockSize);
            write(out);
        }
        std::rewind(file);
        QByteArray written(expected.size() + 1, '\0');
        const size_t read = std::fread(written.data(), 1, size_t(written.size()), file);
        std::fclose(file);
        written.truncate(qsizetype(read));
        QCOMPARE(written, expected);
    }
};

QTEST_GUILESS_MAIN(TestOutputBuffer)
#include "tst_outputbuffer.moc"
