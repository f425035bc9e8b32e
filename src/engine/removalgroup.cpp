// SPDX-License-Identifier: GPL-3.0-or-later
#include "namegroups.h"

#include "textposition.h"

#include "filelist/textrules.h"

#include <algorithm>

namespace {

// Held as Windows-1252 text by older versions; the three characters above U+007F are those
// of bytes A3, AC and A6 of that code page. The double quote and the blank are not symbols.
constexpr QStringView kSymbols = u"!\u00A3$%^&*()-_=+[]{};:'@#~,.<>/?\\|`\u00AC\u00A6";

void RemoveFirst(QString& base, qint32 count) {
    if (count < 1)
        return;
    if (count >= base.size())
        base.clear();
    else
        base.remove(0, CharacterBoundary(base, count, CountedFrom::Start));
}

void RemoveLast(QString& base, qint32 count) {
    if (count < 1)
        return;
    if (count >= base.size())
        base.clear();
    else
        base.truncate(CharacterBoundary(base, base.size() - count, CountedFrom::End));
}

void RemoveRange(QString& base, qint32 from, qint32 to) {
    if (from < 1 || to < from || from > base.size())
        return;
    const qsizetype start = CharacterBoundary(base, from - 1, CountedFrom::Start);
    const qsizetype end = CharacterBoundary(base, to, CountedFrom::Start);
    base.remove(start, end - start);
}

// Characters are compared whole, so a character outside the Basic Multilingual Plane in
// Chars removes that character only and never the half it shares with its neighbours.
void RemoveCharacters(QString& base, QStringView chars) {
    if (chars.isEmpty())
        return;
    // Without halves of pairs in Chars every character to remove is one unit, and a unit
    // of a pair in the name can never equal it: removing units in place is the same.
    if (std::none_of(chars.begin(), chars.end(), [](QChar c) { return c.isSurrogate(); })) {
        // Chars is a few characters: comparing with each beats a search call per unit, and
        // a name that holds none of them is left alone.
        const auto listed = [chars](QChar c) {
            return std::find(chars.begin(), chars.end(), c) != chars.end();
        };
        if (std::any_of(base.cbegin(), base.cend(), listed))
            base.removeIf(listed);
        return;
    }
    QString kept;
    kept.reserve(base.size());
    for (qsizetype i = 0; i < base.size();) {
        const qsizetype width = CharacterWidthAt(base, i);
        const QStringView character = QStringView(base).mid(i, width);
        bool listed = false;
        for (qsizetype k = 0; k < chars.size() && !listed; k += CharacterWidthAt(chars, k))
            listed = chars.mid(k, CharacterWidthAt(chars, k)) == character;
        if (!listed)
            kept += character;
        i += width;
    }
    base = kept;
}

void RemoveWords(QString& base, const QStringList& words) {
    for (const QString& word : words)
        base.remove(word, Qt::CaseSensitive);
}

// L*R: from the first L to the first R found after it, both included; an empty L starts at
// the beginning and an empty R runs to the end.
void CropSpecial(QString& base, const QString& marker) {
    const qsizetype star = marker.indexOf(QLatin1Char('*'));
    if (star < 0)
        return;
    const QString left = marker.left(star);
    const QString right = marker.mid(star + 1);
    qsizetype start = 0;
    if (!left.isEmpty()) {
        start = base.indexOf(left);
        if (start < 0)
            return;
    }
    qsizetype end = base.size();
    if (!right.isEmpty()) {
        const qsizetype found = base.indexOf(right, start + 1);
        if (found < 0)
            return;
        end = found + right.size();
    }
    if (end > start)
        base.remove(start, end - start);
}

void Crop(QString& base, CropMode mode, const QString& marker) {
    if (marker.isEmpty())
        return;
    const qsizetype found = base.indexOf(marker);
    switch (mode) {
    case CropMode::Before:
        if (found >= 0)
            base.remove(0, found);
        break;
    case CropMode::After:
        if (found >= 0)
            base.truncate(found + marker.size());
        break;
    case CropMode::Special:
        CropSpecial(base, marker);
        break;
    default:
        break;
    }
}

// Every run of blanks becomes one blank, in one pass that writes only when there is a run.
void CollapseBlanks(QString& base) {
    const auto pair = [&base](qsizetype i) {
        return base[i] == QLatin1Char(' ') && base[i - 1] == QLatin1Char(' ');
    };
    qsizetype i = 1;
    while (i < base.size() && !pair(i))
        ++i;
    if (i >= base.size())
        return;
    QChar* units = base.data();
    qsizetype out = i;
    for (; i < base.size(); ++i) {
        if (!(units[i] == QLatin1Char(' ') && units[out - 1] == QLatin1Char(' ')))
            units[out++] = units[i];
    }
    base.truncate(out);
}

// A Hangul syllable decomposes into its letters, not into a letter and an accent; folding it
// would leave only its first consonant.
bool KeepsComposition(QStringView character) {
    const char16_t first = character[0].unicode();
    return character.size() == 1 &&
           (first < 0x80 || QChar::isSurrogate(first) || (first >= 0xAC00 && first <= 0xD7A3));
}

// The first character of the canonical decomposition is the base letter. For a character
// outside the Basic Multilingual Plane that is a whole pair, never its first half.
void RemoveAccents(QString& base) {
    if (std::all_of(base.cbegin(), base.cend(), [](QChar c) { return c.unicode() < 0x80; }))
        return;
    QString folded;
    folded.reserve(base.size());
    for (qsizetype i = 0; i < base.size();) {
        if (base[i].unicode() < 0x80) {
            folded += base[i++];
            continue;
        }
        const qsizetype width = CharacterWidthAt(base, i);
        const QString character = base.mid(i, width);
        const QString decomposed = KeepsComposition(character)
                                       ? character
                                       : character.normalized(QString::NormalizationForm_D);
        folded += decomposed.left(CharacterWidthAt(decomposed, 0));
        i += width;
    }
    base = folded;
}

void RemoveLeadingDots(QString& base, QStringView prefix) {
    const qsizetype k = prefix.size();
    if (base.size() > k && base.startsWith(prefix) && base[k] != QLatin1Char('.'))
        base.remove(0, k);
}

void ApplyLeadDots(QString& base, LeadDots mode) {
    switch (mode) {
    case LeadDots::Single:
        RemoveLeadingDots(base, u".");
        break;
    case LeadDots::Double:
        RemoveLeadingDots(base, u"..");
        break;
    case LeadDots::Both:
        RemoveLeadingDots(base, u"..");
        RemoveLeadingDots(base, u".");
        break;
    default:
        break;
    }
}

bool IsAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool IsAsciiLetter(QChar c) {
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

} // namespace

void ApplyRemovalGroup(const GROUPCONTEXT& context, QString& base) {
    const REMOVALCRITERIA& c = context.criteria.removals;
    RemoveFirst(base, context.numbers.removeFirst);
    RemoveLast(base, context.numbers.removeLast);
    RemoveRange(base, context.numbers.removeFrom, context.numbers.removeTo);
    RemoveCharacters(base, c.chars);
    RemoveWords(base, context.input.removeWords);
    Crop(base, c.cropMode, c.cropMarker);
    if (c.allDigits)
        base.removeIf(IsAsciiDigit);
    if (c.allHigh)
        base.removeIf([](QChar ch) { return ch.unicode() >= 0x80 && ch.unicode() <= 0xFF; });
    if (c.trim)
        base = std::move(base).trimmed();
    if (c.doubleSpace)
        CollapseBlanks(base);
    if (c.accents)
        RemoveAccents(base);
    if (c.allChars)
        base.removeIf(IsAsciiLetter);
    if (c.allSymbols)
        base.removeIf([](QChar ch) { return kSymbols.contains(ch); });
    ApplyLeadDots(base, c.leadDots);
}
