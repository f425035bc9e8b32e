// SPDX-License-Identifier: GPL-3.0-or-later
#include "namegroups.h"

#include "cregexpattern.h"
#include "replacetext.h"

void ApplyRegexGroup(const GROUPCONTEXT& context, QString& base) {
    const REGEXCRITERIA& c = context.criteria.regex;
    const CRegexPattern* pattern = context.input.pattern;
    if (!pattern || !pattern->IsValid())
        return;
    QString subject = context.name;
    if (!c.includeExtension && !context.extensionIgnored) {
        const qsizetype dot = subject.lastIndexOf(QLatin1Char('.'));
        if (dot >= 0)
            subject.truncate(dot);
    }
    QStringList groups;
    const int result = pattern->Match(subject, groups);
    if (result < 0 || c.replace.isEmpty())
        return;
    base = c.replace;
    // Each token gets a full pass of its own, so captured text holding a later token is
    // itself substituted.
    for (int i = 1; i < result; ++i) {
        const QString token = QLatin1Char('\\') + QString::number(i);
        base =
            ReplaceText(base, token, groups.value(i - 1), context.criteria.replacements.matchCase);
    }
}
