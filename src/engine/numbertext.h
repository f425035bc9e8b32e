// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// The radix of `Auto-Number`/`Type`: 2 to 36 are numeric, then letters in two cases.
constexpr int kRadixCapitals = 37; // "A-Z"
constexpr int kRadixSmall = 38;    // "a-z"

// n in the radix, padded in front to pad characters (before a minus sign too). Radixes other
// than 10 write a negative n as the unsigned 64-bit value of its bits; the letter radixes
// number bijectively (1 = a, 27 = aa) and give nothing below 1. Upper case except for "a-z".
// Empty for a radix outside 2 to 38.
QString NumberText(qint64 n, int radix, qint32 pad);
