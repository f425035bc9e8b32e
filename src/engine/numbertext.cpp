// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbertext.h"

#include "filelist/textrules.h"

namespace {

// No name may be longer than this anyway; the limit keeps a wild `Pad` from a favourites
// file from asking for gigabytes.
constexpr qint32 kMaxPad = 1024;

QString NumericText(qint64 n, int radix) {
    if (radix == 10)
        return QString::number(n);
    return QString::number(static_cast<quint64>(n), radix);
}

QString LetterText(qint64 n) {
    QString text;
    while (n >= 1) {
        qint64 quotient = n / 26;
        qint64 remainder = n - 26 * quotient;
        if (remainder == 0) {
            remainder = 26;
            --quotient;
        }
        text.prepend(QChar(char16_t(u'a' + remainder - 1)));
        n = quotient;
    }
    return text;
}

} // namespace

QString NumberText(qint64 n, int radix, qint32 pad) {
    if (radix < 2 || radix > kRadixSmall)
        return QString();
    const bool letters = radix >= kRadixCapitals;
    QString text = letters ? LetterText(n) : NumericText(n, radix);
    const qint32 width = qMin(pad, kMaxPad);
    if (text.size() < width)
        text.prepend(QString(width - text.size(), letters ? QLatin1Char('a') : QLatin1Char('0')));
    return radix == kRadixSmall ? text : AsciiUpper(text);
}
