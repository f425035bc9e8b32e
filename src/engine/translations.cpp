// SPDX-License-Identifier: GPL-3.0-or-later
#include "translations.h"

#include <cctype>

namespace {

// The leading digits of a code token in the given base; -1 when it does not begin with
// a digit of that base (the token then adds nothing).
int LeadingCode(const QString& token, int base) {
    int value = -1;
    for (QChar c : token) {
        const int digit = c.isDigit() && c.unicode() < 128 ? c.unicode() - '0'
                          : (base == 16 && c.unicode() < 128 && std::isxdigit(c.unicode()))
                              ? (c.toLower().unicode() - 'a' + 10)
                              : -1;
        if (digit < 0 || digit >= base)
            break;
        value = (value < 0 ? 0 : value) * base + digit;
    }
    return value;
}

} // namespace

QString DecodeSide(const QString& text, bool& ok) {
    ok = true;
    QString result;
    for (const QString& token : text.split(QLatin1Char(','))) {
        if (token.isEmpty())
            continue;
        if (token.size() == 1) {
            result += token;
            continue;
        }
        if (token.size() > 3) {
            ok = false;
            return QString();
        }
        const int code = LeadingCode(token, token.size() == 2 ? 16 : 10);
        if (code >= 256) {
            ok = false;
            return QString();
        }
        if (code >= 0)
            result += QChar(char16_t(code));
    }
    return result;
}

void DecodeTranslations(TRANSLATIONLIST& pairs) {
    for (TRANSLATIONPAIR& pair : pairs) {
        bool fromOk = false;
        bool toOk = false;
        pair.fromChars = DecodeSide(pair.fromText, fromOk);
        pair.toChars = DecodeSide(pair.toText, toOk);
        pair.valid = fromOk && toOk;
    }
}

QString ApplyTranslations(const TRANSLATIONLIST& pairs, const QString& text) {
    QString result = text;
    for (const TRANSLATIONPAIR& pair : pairs) {
        if (!pair.valid || pair.fromChars.isEmpty())
            continue;
        QString next;
        qsizetype from = 0;
        for (qsizetype at = result.indexOf(pair.fromChars); at >= 0;
             at = result.indexOf(pair.fromChars, from)) {
            next += QStringView(result).mid(from, at - from);
            next += pair.toChars;
            from = at + pair.fromChars.size();
        }
        next += QStringView(result).mid(from);
        result = next;
    }
    return result;
}
