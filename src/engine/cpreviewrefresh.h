// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "changesettings.h"
#include "namegenerator.h"

#include "filelist/cfilelist.h"

#include <functional>

// What one refresh reports back to the program state, which shows it.
struct REFRESHRESULT {
    bool ran = false;            // false when no row was selected: nothing changed
    bool patternInvalid = false; // "Regular Expression is invalid" belongs in the status bar
    qint64 nextNumber = 0;       // the number after the last selected row
    bool traced = false;         // the debug row was met; its trace is below
    QString trace;
};

// Recomputes the new name, pending times and pending attributes of every selected row,
// numbering the rows in list order. The regular expression is compiled once per run.
class CPreviewRefresh {
public:
    using Clock = std::function<TimeValue()>;

    explicit CPreviewRefresh(Clock clock = CurrentTimeValue);

    REFRESHRESULT Run(CFileList& list, const RenameCriteria& criteria,
                      const CHANGESETTINGS& changes, const NAMEOPTIONS& options) const;

private:
    Clock m_clock;
};

// Refresh requests are merged: a request made while one is waiting adds nothing. The
// event loop of a front end asks Post() whether it must schedule a refresh, and the
// scheduled refresh calls Take() before it runs.
class CRefreshRequests {
public:
    bool Post();
    bool Take();
    bool Pending() const { return m_pending; }

private:
    bool m_pending = false;
};

// The first number of a run: for the alphabetic types with padding, numbering starts at
// the first number with that many letters (pad 3 and start 1 give AAA).
qint64 NumberingStart(qint64 start, int radix, int pad);
