// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The selection filter: patterns separated by blanks, "*" and "?" as wildcards, "!" in
// front of an exclusion. An item passes when an ordinary pattern matches its name and no
// exclusion does; a filter without an ordinary pattern admits nothing.
class CFileFilter {
public:
    CFileFilter(const QString& filter, bool matchCase);

    bool Admits(const QString& name) const;

private:
    QStringList m_patterns;
    QStringList m_exclusions;
    bool m_matchCase;
    bool m_admitsAll = false;
};

// "*" matches any run of characters, "?" exactly one; one back-tracking point, no recursion.
bool WildcardMatch(QStringView pattern, QStringView name);
