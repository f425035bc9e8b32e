// SPDX-License-Identifier: GPL-3.0-or-later
#include "textrules.h"

#include <limits>

QString AsciiLower(QStringView text) {
    QString result(text.size(), Qt::Uninitialized);
    QChar* out = result.data();
    for (QChar c : text)
        *out++ = AsciiLowerChar(c);
    return result;
}

QString AsciiUpper(QStringView text) {
    QString result(text.size(), Qt::Uninitialized);
    QChar* out = result.data();
    for (QChar c : text)
        *out++ = AsciiUpperChar(c);
    return result;
}

int AsciiCompareNoCase(QStringView a, QStringView b) {
    const qsizetype n = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = AsciiLowerChar(a[i]).unicode();
        const char16_t y = AsciiLowerChar(b[i]).unicode();
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

qint32 ToInt32(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && IsCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    const qint64 limit = negative ? -qint64(std::numeric_limits<qint32>::min())
                                  : qint64(std::numeric_limits<qint32>::max());
    qint64 value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > limit)
            value = limit;
    }
    return static_cast<qint32>(negative ? -value : value);
}
