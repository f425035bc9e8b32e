// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/csizetext.h"
#include "platform/sizetext.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QtTest>

class TstCSizeText : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void sameAsSizeText_data() {
        QTest::addColumn<QString>("locale");
        // Separators of one and several kinds, groups of two after the first three, a
        // locale that groups only from five digits, digits other than ASCII, and none.
        for (const char* name : {"C", "en_US", "de_DE", "fr_FR", "de_CH", "hi_IN", "es_ES", "ar_EG",
                                 "fa_IR", "bn_BD", "zh_CN"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    // Every length of number in every mode, plus random sizes: the text is SizeText()'s.
    void sameAsSizeText() {
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        const CSizeText sizes;
        QList<quint64> values = {0, 9, 10, 999, 1000, 1023, 1024, 9999, 12345, 999999, 1000000};
        quint64 power = 1;
        for (int i = 0; i < 20; ++i, power *= 10) {
            values << power << power - 1 << power * 9 + 7;
        }
        values << ~quint64(0);
        QRandomGenerator random(7);
        for (int i = 0; i < 300; ++i)
            values << (random.generate64() >> random.bounded(64));
        for (quint64 size : values) {
            for (int mode = 0; mode <= 6; ++mode)
                QCOMPARE(sizes.Text(size, mode), SizeText(size, mode));
        }
    }
};

QTEST_GUILESS_MAIN(TstCSizeText)
#include "tst_csizetext.moc"
