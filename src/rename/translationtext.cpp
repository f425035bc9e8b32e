// SPDX-License-Identifier: GPL-3.0-or-later
#include "translationtext.h"

bool SplitTranslationLine(const QString& line, TRANSLATIONPAIR& pair) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return false;
    pair = TRANSLATIONPAIR();
    pair.fromText = line.left(equals);
    pair.toText = line.mid(equals + 1);
    return true;
}

QString TranslationsToEditText(const TRANSLATIONLIST& pairs) {
    QString text;
    for (const TRANSLATIONPAIR& pair : pairs)
        text += pair.fromText + QLatin1Char('=') + pair.toText + QStringLiteral("\r\n");
    return text;
}

TRANSLATIONLIST TranslationsFromEditText(const QString& text) {
    TRANSLATIONLIST pairs;
    for (QString piece : text.split(QLatin1Char('\n'))) {
        if (piece.endsWith(QLatin1Char('\r')))
            piece.chop(1);
        TRANSLATIONPAIR pair;
        if (SplitTranslationLine(piece, pair))
            pairs.append(pair);
    }
    DecodeTranslations(pairs);
    return pairs;
}

bool TranslationsCaution(const TRANSLATIONLIST& pairs, QString& message) {
    message.clear();
    if (pairs.size() <= kMaxStoredTranslations)
        return false;
    message = QStringLiteral("Caution: You have defined more than %1 entries.\nThe excess entries "
                             "will work during this session, but they will not be saved when you "
                             "close the program.")
                  .arg(kMaxStoredTranslations);
    return true;
}

QString TranslationsStoredStatus() {
    return QStringLiteral("Character Translations settings stored");
}
