// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cfilelist.h"
#include "fileentry.h"

#include <QRandomGenerator>
#include <QStringView>

struct SORTSTATE {
    int column = -1; // none chosen yet
    bool ascending = true;
    bool logical = false;
    bool random = false;
    bool groupAffected = false;
    bool filesAndFoldersTogether = false;
};

// The order of the list's rows: by a column, or random.
class CSortOrder {
public:
    SORTSTATE& State() { return m_state; }
    const SORTSTATE& State() const { return m_state; }

    // A click on a column header, or the sort restored at start-up: the first call takes
    // `ascendingOrSortNow` as the direction; later calls toggle the direction of the same
    // column or choose a new column ascending. Returns whether to sort now.
    bool SortByColumn(int column, bool ascendingOrSortNow);
    void SetRandom() { m_state.random = true; }

    // -1, 0 or 1. The random order answers 1 or 0 at random, never -1.
    int Compare(const FILEENTRY& a, const FILEENTRY& b);
    // Reorders the list's rows as Compare() orders them; the text columns are compared
    // through keys worked out once per row.
    void SortList(CFileList& list);

private:
    int PrefixOf(const FILEENTRY& entry) const;
    int CompareByColumn(const FILEENTRY& a, const FILEENTRY& b) const;
    int CompareTexts(const FILEENTRY& a, const FILEENTRY& b, QStringView ta, QStringView tb) const;

    SORTSTATE m_state;
    QRandomGenerator m_random{QRandomGenerator::securelySeeded()};
};

// Digits sort before other characters, and runs of digits compare by value (file2 before
// file10); other characters compare without regard to case.
int LogicalCompare(QStringView p, QStringView q);
