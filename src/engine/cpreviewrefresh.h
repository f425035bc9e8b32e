// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "crefreshpass.h"

// Recomputes the new name, pending times and pending attributes of every selected row,
// numbering the rows in list order, in one go (a CRefreshPass run to its end). The
// regular expression is compiled once per worker and part. A large list is split over
// several worker threads with the same result as from one thread.
class CPreviewRefresh {
public:
    using Clock = CRefreshPass::Clock;

    // `workers` 0 takes as many as the machine has processors; 1 runs on the calling
    // thread only. The clock is only ever called on the calling thread.
    explicit CPreviewRefresh(Clock clock = CurrentTimeValue, int workers = 0);

    REFRESHRESULT Run(CFileList& list, const RenameCriteria& criteria,
                      const CHANGESETTINGS& changes, const NAMEOPTIONS& options) const;

private:
    Clock m_clock;
    int m_workers;
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
