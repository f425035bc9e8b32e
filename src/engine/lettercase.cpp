// SPDX-License-Identifier: GPL-3.0-or-later
#include "lettercase.h"

#include "filelist/textrules.h"

namespace {

bool StartsWord(QChar previous) {
    switch (previous.unicode()) {
    case u'\n':
    case u'\t':
    case u' ':
    case u'(':
    case u')':
    case u'.':
    case u'{':
    case u'[':
    case u'-':
    case u'_':
        return true;
    default:
        return false;
    }
}

} // namespace

QString TitleCase(const QString& text) {
    if (text.size() <= 1)
        return AsciiUpper(text);
    QString result(text.size(), Qt::Uninitialized);
    QChar previous = QLatin1Char('\t');
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = AsciiLowerChar(text[i]);
        if (StartsWord(previous))
            c = AsciiUpperChar(c);
        result[i] = c;
        previous = c;
    }
    return result;
}

QString SentenceCase(const QString& text) {
    QString result(text.size(), Qt::Uninitialized);
    bool capitaliseNext = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = AsciiLowerChar(text[i]);
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z') && capitaliseNext) {
            c = AsciiUpperChar(c);
            capitaliseNext = false;
        }
        if (c == QLatin1Char('.'))
            capitaliseNext = true;
        result[i] = c;
    }
    return result;
}
