// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// One character translation: each side as written and as decoded.
struct TRANSLATIONPAIR {
    QString fromText;
    QString toText;
    QString fromChars;
    QString toChars;
    bool valid = false;
};

using TRANSLATIONLIST = QList<TRANSLATIONPAIR>;

// A side is a comma-separated list of tokens, each one character: itself (one
// character), a hexadecimal code (two) or a decimal code (three). Four or more characters,
// or a code of 256 or more, make the side invalid: the result is empty and ok false.
QString DecodeSide(const QString& text, bool& ok);
void DecodeTranslations(TRANSLATIONLIST& pairs);
QString ApplyTranslations(const TRANSLATIONLIST& pairs, const QString& text);
