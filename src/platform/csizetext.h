// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>

#include <array>

// The size texts of SizeText() for one locale, made without the locale's number formatting
// at every size: the locale's text of a number depends only on how many digits it has, so
// the text of one number of each length serves as the pattern the digits go into. A list
// refresh makes one and asks it for every row.
class CSizeText {
public:
    explicit CSizeText(const QLocale& locale = QLocale());

    // The same text as SizeText(size, mode) in this locale.
    [[nodiscard]] QString Text(quint64 size, int mode) const;

private:
    [[nodiscard]] int DigitsIn(const QString& text) const;
    [[nodiscard]] bool IsDigit(char16_t unit) const;

    // Index: the number of digits (1 to 20, which holds every 64-bit value).
    std::array<QString, 21> m_patterns;
    char16_t m_zero = u'0';
    bool m_patterned = false; // false: the locale's digits are not one unit each
    QLocale m_locale;
};
