// SPDX-License-Identifier: GPL-3.0-or-later
#include "replacetext.h"

#include "filelist/textrules.h"

namespace {

bool HasAsciiLetter(QStringView text) {
    for (QChar c : text) {
        if (AsciiLowerChar(c) != AsciiUpperChar(c))
            return true;
    }
    return false;
}

} // namespace

QString ReplaceText(const QString& subject, const QString& find, const QString& with,
                    bool matchCase) {
    if (subject.isEmpty() || find.isEmpty())
        return subject;
    // Folding changes nothing for a text without the letters A to Z (the \1 to \9 tokens
    // of the regular expression group), so the copies are needed only for one with them.
    const bool fold = !matchCase && HasAsciiLetter(find);
    const QString search = fold ? AsciiLower(subject) : subject;
    const QString needle = fold ? AsciiLower(find) : find;
    QString result;
    qsizetype from = 0;
    for (qsizetype at = search.indexOf(needle); at >= 0; at = search.indexOf(needle, from)) {
        result += QStringView(subject).mid(from, at - from);
        result += with;
        from = at + needle.size();
    }
    if (from == 0)
        return subject;
    result += QStringView(subject).mid(from);
    return result;
}
