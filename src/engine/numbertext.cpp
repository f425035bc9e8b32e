// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbertext.h"

#include "filelist/textrules.h"

#include <algorithm>
#include <iterator>

namespace {

// No name may be longer than this anyway; the limit keeps a wild `Pad` from a favourites
// file from asking for gigabytes.
constexpr qint32 kMaxPad = 1024;

// Digits above 9 are capitals here; only the letter radixes have a small-letter form.
// Zeros pad in front of a minus sign too. One allocation: this runs for every row.
QString NumericText(qint64 n, int radix, qint32 width) {
    const bool negative = radix == 10 && n < 0;
    quint64 rest = negative ? quint64(0) - quint64(n) : quint64(n);
    char16_t digits[66];
    qsizetype at = qsizetype(std::size(digits));
    do {
        const int digit = int(rest % quint64(radix));
        digits[--at] = char16_t(digit < 10 ? u'0' + digit : u'A' + digit - 10);
        rest /= quint64(radix);
    } while (rest != 0);
    if (negative)
        digits[--at] = u'-';
    const qsizetype count = qsizetype(std::size(digits)) - at;
    const qsizetype zeros = qMax<qsizetype>(0, width - count);
    QString text(zeros + count, Qt::Uninitialized);
    QChar* out = text.data();
    std::fill(out, out + zeros, QLatin1Char('0'));
    std::copy(digits + at, digits + at + count, reinterpret_cast<char16_t*>(out + zeros));
    return text;
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
    const qint32 width = qMin(pad, kMaxPad);
    if (radix < kRadixCapitals)
        return NumericText(n, radix, width);
    QString text = LetterText(n);
    if (text.size() < width)
        text.prepend(QString(width - text.size(), QLatin1Char('a')));
    return radix == kRadixCapitals ? AsciiUpper(text) : text;
}
