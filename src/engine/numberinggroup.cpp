// SPDX-License-Identifier: GPL-3.0-or-later
#include "namegroups.h"

#include "textposition.h"

#include "filelist/textrules.h"

namespace {

constexpr QStringView kNumeralLetters = u"iIvVxXlLcCdDmM";

// Unlike the insert position of the additions, a positive value counts the characters
// the number follows; negative values count from the end in both.
void InsertNumber(QString& base, const QString& text, qint32 after) {
    if (after == 0)
        return;
    const bool fromStart = after > 0;
    const qint64 index = fromStart ? qint64(after) : base.size() + qint64(after);
    base.insert(CharacterBoundary(base, index, fromStart ? CountedFrom::Start : CountedFrom::End),
                text);
}

// In place: this runs for every row, and the base usually has room left at its end.
void PlaceNumberText(QString& base, const NUMBERINGCRITERIA& c, const QString& text,
                     const QString& separator, qint32 insertAfter) {
    switch (c.mode) {
    case NumberingMode::Prefix:
        base.prepend(separator).prepend(text);
        break;
    case NumberingMode::Suffix:
        base.append(separator).append(text);
        break;
    case NumberingMode::PrefixAndSuffix:
        base.prepend(separator).prepend(text).append(separator).append(text);
        break;
    case NumberingMode::Insert:
        InsertNumber(base, separator + text + separator, insertAfter);
        break;
    default:
        break;
    }
}

void PlaceNumber(QString& base, const NUMBERINGCRITERIA& c, const QString& number,
                 qint32 insertAfter) {
    // A colon marks where the number goes inside the separator.
    if (c.separator.contains(QLatin1Char(':'))) {
        const QString text = QString(c.separator).replace(QLatin1Char(':'), number);
        PlaceNumberText(base, c, text, QString(), insertAfter);
        return;
    }
    PlaceNumberText(base, c, number, c.separator, insertAfter);
}

bool IsNumeralWord(QStringView word) {
    for (QChar c : word) {
        if (!kNumeralLetters.contains(c))
            return false;
    }
    return !word.isEmpty();
}

// Any word made of numeral letters counts, well-formed or not: "mix" and "civic" change too.
void ChangeNumeralCase(QString& base, Numerals numerals) {
    if (numerals != Numerals::Lower && numerals != Numerals::Upper)
        return;
    for (qsizetype start = 0; start < base.size();) {
        qsizetype end = start;
        while (end < base.size() && !IsCSpace(base[end]))
            ++end;
        const QStringView word = QStringView(base).mid(start, end - start);
        if (IsNumeralWord(word))
            base.replace(start, word.size(),
                         numerals == Numerals::Lower ? AsciiLower(word) : AsciiUpper(word));
        start = end + 1;
    }
}

} // namespace

void ApplyNumberingGroup(const GROUPCONTEXT& context, QString& base) {
    const NUMBERINGCRITERIA& c = context.criteria.numbering;
    PlaceNumber(base, c, context.input.number, context.numbers.numberInsert);
    ChangeNumeralCase(base, c.numerals);
}
