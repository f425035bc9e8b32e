// SPDX-License-Identifier: GPL-3.0-or-later
#include "namegroups.h"

#include "textposition.h"

#include "filelist/textrules.h"
#include "platform/sizetext.h"

#include <array>

namespace {

struct TAGVALUE {
    QLatin1String tag;
    QString value;
};

// In the order they are expanded; a tag whose metadata is not extracted expands to nothing.
std::array<TAGVALUE, 10> TagValues(const GROUPCONTEXT& context) {
    static const FILEENTRY kNoEntry;
    const FILEENTRY& entry = context.input.entry ? *context.input.entry : kNoEntry;
    const bool exif = context.options.extractExif;
    const bool id3 = context.options.extractId3;
    const auto ifExif = [exif](const QString& value) { return exif ? value : QString(); };
    const auto ifId3 = [id3](const QString& value) { return id3 ? value : QString(); };
    const QString track = QStringLiteral("%1").arg(entry.track, 2, 10, QLatin1Char('0'));
    return {{
        {QLatin1String("%a"), ifExif(entry.exifAperture)},
        {QLatin1String("%c"), ifExif(entry.exifComment)},
        {QLatin1String("%e"), ifExif(entry.exifExposure)},
        {QLatin1String("%f"), ifExif(entry.exifFocalLength)},
        {QLatin1String("%xb"), ifExif(entry.exifExposureBias)},
        {QLatin1String("%r"), ifId3(entry.id3Artist)},
        {QLatin1String("%l"), ifId3(entry.id3Album)},
        {QLatin1String("%t"), ifId3(entry.id3Title)},
        {QLatin1String("%k"), ifId3(track)},
        {QLatin1String("%z"), SizeText(entry.size, context.options.sizeDisplayMode)},
    }};
}

// The metadata is gathered only for a text that can hold a tag at all.
QString ExpandTags(const QString& text, const GROUPCONTEXT& context) {
    if (!text.contains(QLatin1Char('%')))
        return text;
    QString expanded = text;
    for (const TAGVALUE& tag : TagValues(context))
        expanded.replace(tag.tag, tag.value, Qt::CaseSensitive);
    return expanded;
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
    const qint32 position = ToInt32(c.textPos);
    if (!c.text.isEmpty() && position != 0)
        InsertText(base, ExpandTags(c.text, context), position);
    const QString suffix = ExpandTags(c.suffix, context);
    if (!suffix.isEmpty())
        base.append(suffix);
    if (c.wordSpace)
        base = SpaceWords(base);
}
