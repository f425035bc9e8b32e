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
    QString result = text;
    MakeTitleCase(result);
    return result;
}

QString SentenceCase(const QString& text) {
    QString result = text;
    MakeSentenceCase(result);
    return result;
}

void MakeTitleCase(QString& text) {
    if (text.size() <= 1) {
        MakeAsciiCase(text, true);
        return;
    }
    QChar* units = text.data();
    QChar previous = QLatin1Char('\t');
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = AsciiLowerChar(units[i]);
        if (StartsWord(previous))
            c = AsciiUpperChar(c);
        units[i] = c;
        previous = c;
    }
}

void MakeSentenceCase(QString& text) {
    if (text.isEmpty())
        return;
    QChar* units = text.data();
    bool capitaliseNext = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = AsciiLowerChar(units[i]);
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z') && capitaliseNext) {
            c = AsciiUpperChar(c);
            capitaliseNext = false;
        }
        if (c == QLatin1Char('.'))
            capitaliseNext = true;
        units[i] = c;
    }
}

void MakeAsciiCase(QString& text, bool upper) {
    if (text.isEmpty())
        return;
    QChar* units = text.data();
    for (qsizetype i = 0; i < text.size(); ++i)
        units[i] = upper ? AsciiUpperChar(units[i]) : AsciiLowerChar(units[i]);
}
