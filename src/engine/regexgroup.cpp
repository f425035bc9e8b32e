// SPDX-License-Identifier: GPL-3.0-or-later
#include "namegroups.h"

#include "cregexpattern.h"
#include "replacetext.h"

#include <iterator>

void ApplyRegexGroup(const GROUPCONTEXT& context, QString& base) {
    const REGEXCRITERIA& c = context.criteria.regex;
    const CRegexPattern* pattern = context.input.pattern;
    if (!pattern || !pattern->IsValid())
        return;
    QStringView subject = context.name;
    if (!c.includeExtension && !context.extensionIgnored) {
        const qsizetype dot = subject.lastIndexOf(QLatin1Char('.'));
        if (dot >= 0)
            subject.truncate(dot);
    }
    QStringList groups;
    const int result = pattern->Match(subject, groups);
    if (result < 0 || c.replace.isEmpty())
        return;
    static const QString kTokens[] = {
        QStringLiteral("\\1"), QStringLiteral("\\2"), QStringLiteral("\\3"),
        QStringLiteral("\\4"), QStringLiteral("\\5"), QStringLiteral("\\6"),
        QStringLiteral("\\7"), QStringLiteral("\\8"), QStringLiteral("\\9")};
    base = c.replace;
    // Each token gets a full pass of its own, so captured text holding a later token is
    // itself substituted.
    for (int i = 1; i < result && i <= int(std::size(kTokens)); ++i)
        base = ReplaceText(base, kTokens[i - 1], groups.value(i - 1),
                           context.criteria.replacements.matchCase);
}
