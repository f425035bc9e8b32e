// SPDX-License-Identifier: GPL-3.0-or-later
#include "namegroups.h"

#include "cregexpattern.h"

#include <utility>

namespace {

// Where the backslash of "\digit" first stands at or after `from`; -1 when nowhere.
qsizetype IndexOfToken(QStringView text, char16_t digit, qsizetype from) {
    for (qsizetype i = from; i + 1 < text.size(); ++i) {
        if (text[i] == u'\\' && text[i + 1] == digit)
            return i;
    }
    return -1;
}

// Every "\digit" in `text`, left to right, replaced by `value` into `out` (whose room is
// kept); false, leaving `out` alone, when there is none.
bool ReplaceToken(QStringView text, char16_t digit, QStringView value, QString& out) {
    qsizetype at = IndexOfToken(text, digit, 0);
    if (at < 0)
        return false;
    out.resize(0);
    qsizetype from = 0;
    for (; at >= 0; at = IndexOfToken(text, digit, from)) {
        out.append(text.mid(from, at - from));
        out.append(value);
        from = at + 2;
    }
    out.append(text.mid(from));
    return true;
}

} // namespace

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
    CRegexPattern::GROUPVIEWS groups;
    const int result = pattern->Match(subject, groups);
    if (result < 0 || c.replace.isEmpty())
        return;
    // Each token gets a full pass of its own, so captured text holding a later token is
    // itself substituted. The passes write into the base and one buffer of this thread in
    // turn: this runs for every row.
    thread_local QString scratch;
    bool written = false;
    for (int i = 1; i < result && i <= int(groups.size()); ++i) {
        QStringView current = written ? QStringView(base) : QStringView(c.replace);
        QString& out = written ? scratch : base;
        if (!ReplaceToken(current, char16_t(u'0' + i), groups[size_t(i - 1)], out))
            continue;
        if (written)
            std::swap(base, scratch);
        written = true;
    }
    if (!written)
        base = c.replace;
}
