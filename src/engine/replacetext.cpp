// SPDX-License-Identifier: GPL-3.0-or-later
#include "replacetext.h"

#include "filelist/textrules.h"

#include <QVarLengthArray>

#include <utility>

namespace {

bool HasAsciiLetter(QStringView text) {
    for (QChar c : text) {
        if (AsciiLowerChar(c) != AsciiUpperChar(c))
            return true;
    }
    return false;
}

// Where the folded needle first occurs at or after `from` in the subject with A to Z
// folded, as an index of the folded subject would give it; folding keeps every length.
qsizetype IndexOfFolded(QStringView subject, QStringView needle, qsizetype from) {
    const qsizetype last = subject.size() - needle.size();
    for (qsizetype i = from; i <= last; ++i) {
        if (AsciiLowerChar(subject[i]) != needle[0])
            continue;
        qsizetype k = 1;
        while (k < needle.size() && AsciiLowerChar(subject[i + k]) == needle[k])
            ++k;
        if (k == needle.size())
            return i;
    }
    return -1;
}

} // namespace

QString ReplaceText(const QString& subject, const QString& find, const QString& with,
                    bool matchCase) {
    QString result;
    if (!ReplaceTextInto(subject, find, with, matchCase, result))
        return subject;
    return result;
}

bool ReplaceTextInto(QStringView subject, QStringView find, QStringView with, bool matchCase,
                     QString& out) {
    if (subject.isEmpty() || find.isEmpty())
        return false;
    // Folding changes nothing for a text without the letters A to Z (the \1 to \9 tokens
    // of the regular expression group). The subject is folded as it is searched: this runs
    // for every row, and copies of it would cost more than the search.
    const bool fold = !matchCase && HasAsciiLetter(find);
    QVarLengthArray<QChar, 64> folded;
    if (fold) {
        folded.reserve(find.size());
        for (QChar c : find)
            folded.append(AsciiLowerChar(c));
    }
    const QStringView needle = fold ? QStringView(folded.constData(), folded.size()) : find;
    const auto indexFrom = [&](qsizetype from) {
        return fold ? IndexOfFolded(subject, needle, from) : subject.indexOf(find, from);
    };
    qsizetype at = indexFrom(0);
    if (at < 0)
        return false;
    out.resize(0);
    out.reserve(subject.size() + qMax<qsizetype>(0, with.size() - find.size()) * 2);
    qsizetype from = 0;
    for (; at >= 0; at = indexFrom(from)) {
        out += subject.mid(from, at - from);
        out += with;
        from = at + needle.size();
    }
    out += subject.mid(from);
    return true;
}

void ReplaceTextInPlace(QString& text, QStringView find, QStringView with, bool matchCase,
                        QString& scratch) {
    if (ReplaceTextInto(text, find, with, matchCase, scratch))
        std::swap(text, scratch);
}
