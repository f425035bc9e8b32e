// SPDX-License-Identifier: GPL-3.0-or-later
#include "filelist/namedigest.h"
#include "platform/nativename.h"

#include <QtTest>

namespace {

QString Units(std::initializer_list<char16_t> units) {
    return QString(reinterpret_cast<const QChar*>(units.begin()), qsizetype(units.size()));
}

} // namespace

// A name's digest is read from its text, a folder's names are hashed from their bytes: the
// two must agree for every text, or a name on disk would go unseen.
class TstNameDigest : public QObject {
    Q_OBJECT
private slots:
    void digestAgreesWithBytes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("twin");
        QTest::addColumn<bool>("hashedAlike");
        QTest::newRow("short, case twin") << "Ab.txt"
                                          << "aB.TXT" << true;
        QTest::newRow("two words, case twin") << "Holiday Photo 0001.JPEG"
                                              << "holiday photo 0001.jpeg" << true;
        QTest::newRow("two words, last unit differs") << "Holiday Photo 0001.JPEG"
                                                      << "Holiday Photo 0001.JPEF" << false;
        QTest::newRow("first word differs") << "Holiday Photo 0001.JPEG"
                                            << "Holidax Photo 0001.JPEG" << false;
        QTest::newRow("exactly eight") << "ABCDEFGH"
                                       << "abcdefgh" << true;
        QTest::newRow("eight and eight differ in the second") << "abcdefghABCDEFGH"
                                                              << "abcdefghABCDEFGI" << false;
        QTest::newRow("accent after a word, case twin")
            << QStringLiteral("Grosse Stra\u00DFe.txt") << QStringLiteral("GROSSE STRA\u00DFE.TXT")
            << true;
        QTest::newRow("accents differ in case") << QStringLiteral("\u00C4rger im Amt.txt")
                                                << QStringLiteral("\u00E4rger im Amt.txt") << false;
        QTest::newRow("accent inside the first word")
            << QStringLiteral("Caf\u00E9 de Flore 2024.png")
            << QStringLiteral("CAF\u00E9 DE FLORE 2024.PNG") << true;
        QTest::newRow("pair outside the plane")
            << QString::fromUtf16(u"Smile \U0001F600 again and again")
            << QString::fromUtf16(u"SMILE \U0001F600 AGAIN AND AGAIN") << true;
        QTest::newRow("undecodable byte kept")
            << DecodeNativeName(QByteArray("Old name \xE9t\xE9 long.txt"))
            << DecodeNativeName(QByteArray("OLD NAME \xE9T\xE9 LONG.TXT")) << true;
        QTest::newRow("lone surrogate")
            << Units({u'a', 0xD800, u'b', u'c', u'd', u'e', u'f', u'g', u'h', u'i'})
            << Units({u'A', 0xD800, u'B', u'C', u'D', u'E', u'F', u'G', u'H', u'I'}) << true;
        QTest::newRow("slash inside a word") << "folder/inside name"
                                             << "FOLDER/INSIDE NAME" << true;
        QTest::newRow("NUL inside a word")
            << Units({u'a', u'b', 0, u'c', u'd', u'e', u'f', u'g', u'h'})
            << Units({u'a', u'b', u'c', u'd', u'e', u'f', u'g', u'h'}) << false;
        QTest::newRow("slash in the last units") << "abcdefgh/x"
                                                 << "ABCDEFGH/X" << true;
        QTest::newRow("NUL in the last units")
            << Units({u'a', u'b', u'c', u'd', u'e', u'f', u'g', u'h', u'i', 0})
            << Units({u'a', u'b', u'c', u'd', u'e', u'f', u'g', u'h', u'i'}) << false;
        QTest::newRow("dot") << "."
                             << ".." << false;
        QTest::newRow("three dots") << "..."
                                    << "...." << false;
        QTest::newRow("empty") << ""
                               << "x" << false;
    }
    void digestAgreesWithBytes() {
        QFETCH(QString, text);
        QFETCH(QString, twin);
        QFETCH(bool, hashedAlike);
        for (const QString& name : {text, twin}) {
            const QByteArray bytes = EncodeNativeName(name);
            const NAMEDIGEST digest = DigestNativeName(name);
            QCOMPARE(digest.foldedHash, FoldedNameHash(bytes));
            QCOMPARE(digest.size, bytes.size());
            const bool invalid =
                bytes.contains('\0') || bytes.contains('/') || bytes == "." || bytes == "..";
            QCOMPARE(digest.invalid, invalid);
        }
        QCOMPARE(DigestNativeName(text).foldedHash == DigestNativeName(twin).foldedHash,
                 hashedAlike);
    }
};

QTEST_GUILESS_MAIN(TstNameDigest)
#include "tst_namedigest.moc"
