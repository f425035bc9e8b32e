// SPDX-License-Identifier: GPL-3.0-or-later
#include "cfilefilter.h"

CFileFilter::CFileFilter(const QString& filter, bool matchCase) : m_matchCase(matchCase) {
    const QString text = matchCase ? filter : filter.toLower();
    for (QString token : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        // Quotes do not group words; U+0001 stands for a blank inside a dropped file's name.
        token.remove(QLatin1Char('"'));
        token.replace(QChar(0x0001), QLatin1Char(' '));
        if (token.startsWith(QLatin1Char('!')))
            m_exclusions.append(token.mid(1));
        else
            m_patterns.append(token);
    }
    // The usual filter lists everything; it needs no matching at all.
    m_admitsAll = m_exclusions.isEmpty() && m_patterns.contains(QStringLiteral("*"));
}

bool CFileFilter::Admits(const QString& name) const {
    if (m_admitsAll)
        return true;
    const QString subject = m_matchCase ? name : name.toLower();
    bool matched = false;
    for (const QString& exclusion : m_exclusions) {
        if (WildcardMatch(exclusion, subject))
            return false;
    }
    for (const QString& pattern : m_patterns) {
        if (WildcardMatch(pattern, subject)) {
            matched = true;
            break;
        }
    }
    return matched;
}

bool WildcardMatch(QStringView pattern, QStringView name) {
    const QChar star = QLatin1Char('*');
    const QChar any = QLatin1Char('?');
    qsizetype p = 0;
    qsizetype n = 0;
    while (n < name.size() && !(p < pattern.size() && pattern[p] == star)) {
        if (p >= pattern.size() || (pattern[p] != name[n] && pattern[p] != any))
            return false;
        ++p;
        ++n;
    }
    qsizetype backPattern = -1;
    qsizetype backName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == star) {
            if (++p == pattern.size())
                return true;
            backPattern = p;
            backName = n + 1;
        } else if (p < pattern.size() && (pattern[p] == name[n] || pattern[p] == any)) {
            ++p;
            ++n;
        } else {
            if (backPattern < 0)
                return false;
            p = backPattern;
            n = backName++;
        }
    }
    while (p < pattern.size() && pattern[p] == star)
        ++p;
    return p == pattern.size();
}
