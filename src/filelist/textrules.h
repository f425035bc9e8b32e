// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QtGlobal>

// Letter case in names folds only A to Z and a to z; every other character keeps its case.
QString AsciiLower(QStringView text);
QString AsciiUpper(QStringView text);
inline QChar AsciiLowerChar(QChar c) {
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ? QChar(c.unicode() + 32) : c;
}
inline QChar AsciiUpperChar(QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ? QChar(c.unicode() - 32) : c;
}
// Compares with A to Z folded to lower case: negative, 0 or positive.
int AsciiCompareNoCase(QStringView a, QStringView b);

// Numbers typed into criteria: leading white space, one sign, then digits up to the first
// other character; no digits give 0, values beyond the 32-bit range give the nearest limit.
qint32 ToInt32(QStringView text);

// White space as the C library's character tables know it: tab, line feed, vertical tab,
// form feed, carriage return and blank.
inline bool IsCSpace(QChar c) {
    const char16_t u = c.unicode();
    return u == u' ' || (u >= u'\t' && u <= u'\r');
}

// 8-bit text read from files (INI files, pairs files, comments and tags in media files):
// UTF-8 when it is valid UTF-8, else Windows-1252, so that files made on Windows still load.
QString DecodeEightBit(QByteArrayView bytes);
bool IsValidUtf8(QByteArrayView bytes);
