// SPDX-License-Identifier: GPL-3.0-or-later
#include "replacetext.h"

#include "filelist/textrules.h"

QString ReplaceText(const QString& subject, const QString& find, const QString& with,
                    bool matchCase) {
    if (subject.isEmpty() || find.isEmpty())
        return subject;
    const QString search = matchCase ? subject : AsciiLower(subject);
    const QString needle = matchCase ? find : AsciiLower(find);
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
