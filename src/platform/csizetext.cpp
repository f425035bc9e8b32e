// SPDX-License-Identifier: GPL-3.0-or-later
#include "csizetext.h"

#include "sizetext.h"

namespace {

// The digits 1, 2, ..., 9, 0, 1, ... so that every digit of a pattern is told apart from
// the separators between them.
constexpr char kProbeDigits[] = "12345678901234567890";

} // namespace

CSizeText::CSizeText(const QLocale& locale) : m_locale(locale) {
    const QString zero = m_locale.zeroDigit();
    if (zero.size() != 1)
        return;
    m_zero = zero[0].unicode();
    for (int digits = 1; digits <= 20; ++digits) {
        const quint64 probe = QByteArray(kProbeDigits, digits).toULongLong();
        m_patterns[size_t(digits)] = m_locale.toString(probe);
        // A pattern that does not hold its digits one unit each is not used at all.
        if (DigitsIn(m_patterns[size_t(digits)]) != digits)
            return;
    }
    m_patterned = true;
}

int CSizeText::DigitsIn(const QString& text) const {
    int count = 0;
    for (QChar c : text)
        count += IsDigit(c.unicode()) ? 1 : 0;
    return count;
}

bool CSizeText::IsDigit(char16_t unit) const {
    return unit >= m_zero && unit <= m_zero + 9;
}

QString CSizeText::Text(quint64 size, int mode) const {
    QLatin1StringView unit;
    const quint64 value = SizeInUnit(size, mode, unit);
    if (!m_patterned)
        return m_locale.toString(value) + unit;
    char digits[20];
    int count = 0;
    quint64 rest = value;
    do {
        digits[count++] = char('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    const QString& pattern = m_patterns[size_t(count)];
    QString text;
    text.reserve(pattern.size() + unit.size());
    for (QChar c : pattern) {
        if (IsDigit(c.unicode()))
            text += QChar(char16_t(m_zero + (digits[--count] - '0')));
        else
            text += c;
    }
    text += unit;
    return text;
}
