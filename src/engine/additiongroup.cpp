// SPDX-License-Identifier: GPL-3.0-or-later
#include "namegroups.h"

#include "textposition.h"

#include "filelist/textrules.h"
#include "platform/csizetext.h"
#include "platform/sizetext.h"

#include <iterator>

namespace {

// The tags in the order they are expanded.
constexpr QStringView kTags[] = {u"%a", u"%c", u"%e", u"%f", u"%xb",
                                 u"%r", u"%l", u"%t", u"%k", u"%z"};

// The value of tag `index` for this entry; a tag whose metadata is not extracted expands
// to nothing.
QString TagValue(int index, const GROUPCONTEXT& context) {
    static const FILEENTRY kNoEntry;
    const FILEENTRY& entry = context.input.entry ? *context.input.entry : kNoEntry;
    const bool exif = context.options.extractExif;
    const bool id3 = context.options.extractId3;
    switch (index) {
    case 0:
        return exif ? entry.Tags().exifAperture : QString();
    case 1:
        return exif ? entry.Tags().exifComment : QString();
    case 2:
        return exif ? entry.Tags().exifExposure : QString();
    case 3:
        return exif ? entry.Tags().exifFocalLength : QString();
    case 4:
        return exif ? entry.Tags().exifExposureBias : QString();
    case 5:
        return id3 ? entry.Tags().id3Artist : QString();
    case 6:
        return id3 ? entry.Tags().id3Album : QString();
    case 7:
        return id3 ? entry.Tags().id3Title : QString();
    case 8:
        return id3 ? QStringLiteral("%1").arg(entry.track, 2, 10, QLatin1Char('0')) : QString();
    default:
        return context.input.sizeText
                   ? context.input.sizeText->Text(entry.size, context.options.sizeDisplayMode)
                   : SizeText(entry.size, context.options.sizeDisplayMode);
    }
}

// The small letters that follow a percent sign somewhere in the text, as bits: a tag
// whose letter is missing cannot be there, which spares most searches.
quint32 LettersAfterPercent(const QString& text) {
    quint32 letters = 0;
    for (qsizetype i = text.indexOf(QLatin1Char('%')); i >= 0 && i + 1 < text.size();
         i = text.indexOf(QLatin1Char('%'), i + 1)) {
        const char16_t next = text[i + 1].unicode();
        if (next >= u'a' && next <= u'z')
            letters |= 1u << (next - u'a');
    }
    return letters;
}

// Every occurrence from the first at `at` on, left to right, as QString::replace would,
// in one allocation.
void ReplaceTag(QString& text, QStringView tag, qsizetype at, const QString& value) {
    QString replaced;
    replaced.reserve(text.size() + value.size());
    qsizetype from = 0;
    for (; at >= 0; at = text.indexOf(tag, from)) {
        replaced += QStringView(text).mid(from, at - from);
        replaced += value;
        from = at + tag.size();
    }
    replaced += QStringView(text).mid(from);
    text = std::move(replaced);
}

// Each tag is a full pass over the text as it stands, so a value holding a later tag is
// expanded too; a value is worked out only when its tag is there.
QString ExpandTags(const QString& text, const GROUPCONTEXT& context) {
    quint32 letters = LettersAfterPercent(text);
    if (letters == 0)
        return text;
    QString expanded = text;
    for (int i = 0; i < int(std::size(kTags)); ++i) {
        const QStringView tag = kTags[i];
        if (!(letters & (1u << (tag[1].unicode() - 'a'))))
            continue;
        const qsizetype at = expanded.indexOf(tag);
        if (at < 0)
            continue;
        ReplaceTag(expanded, tag, at, TagValue(i, context));
        letters = LettersAfterPercent(expanded);
    }
    return expanded;
}

// Unit by unit: a library call per tag would cost more than the comparison.
bool StartsWithTag(QStringView text, QStringView tag) {
    if (text.size() < tag.size())
        return false;
    for (qsizetype i = 0; i < tag.size(); ++i) {
        if (text[i] != tag[i])
            return false;
    }
    return true;
}

// The text with its tags expanded, appended to `out`. A text with one percent sign only
// that starts a tag whose value holds none is written straight into `out`: no later pass
// can find a tag there (the common " (%z)").
void AppendExpanded(QString& out, const QString& text, const GROUPCONTEXT& context) {
    const qsizetype at = text.indexOf(QLatin1Char('%'));
    if (at < 0 || text.indexOf(QLatin1Char('%'), at + 1) >= 0) {
        out.append(ExpandTags(text, context));
        return;
    }
    const QStringView after = QStringView(text).mid(at);
    for (int i = 0; i < int(std::size(kTags)); ++i) {
        const QStringView tag = kTags[i];
        if (!StartsWithTag(after, tag))
            continue;
        const QString value = TagValue(i, context);
        if (value.contains(QLatin1Char('%'))) {
            out.append(ExpandTags(text, context));
            return;
        }
        out.append(QStringView(text).left(at)).append(value).append(after.mid(tag.size()));
        return;
    }
    out.append(text); // a lone percent sign that starts no tag
}

// Positive positions insert before that character, negative ones count from the end.
void InsertText(QString& base, const QString& text, qint32 position) {
    const bool fromStart = position > 0;
    const qint64 index = fromStart ? qint64(position) - 1 : base.size() + qint64(position);
    base.insert(CharacterBoundary(base, index, fromStart ? CountedFrom::Start : CountedFrom::End),
                text);
}

// Whole characters, so that capitals outside the Basic Multilingual Plane count too and a
// blank never lands between the halves of a pair.
QString SpaceWords(const QString& base) {
    QString spaced;
    spaced.reserve(base.size() * 2);
    char32_t previous = 0;
    for (qsizetype i = 0; i < base.size();) {
        const qsizetype width = CharacterWidthAt(base, i);
        const char32_t current =
            width == 2 ? QChar::surrogateToUcs4(base[i], base[i + 1]) : base[i].unicode();
        if (i > 0 && QChar::isUpper(current) && !QChar::isSpace(previous))
            spaced += QLatin1Char(' ');
        spaced += QStringView(base).mid(i, width);
        previous = current;
        i += width;
    }
    return spaced;
}

} // namespace

void ApplyAdditionGroup(const GROUPCONTEXT& context, QString& base) {
    const ADDITIONCRITERIA& c = context.criteria.additions;
    const QString prefix = ExpandTags(c.prefix, context);
    if (!prefix.isEmpty())
        base.prepend(prefix);
    const qint32 position = context.numbers.additionPos;
    if (!c.text.isEmpty() && position != 0)
        InsertText(base, ExpandTags(c.text, context), position);
    AppendExpanded(base, c.suffix, context);
    if (c.wordSpace)
        base = SpaceWords(base);
}
