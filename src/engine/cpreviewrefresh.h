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
// numbering the rows in list order. The regular expression is compiled once per run (once
// per worker). A large list is split over several worker threads: each row's name depends
// only on its entry, the criteria and its number, and the numbers are worked out first,
// so the result is the same as from one thread. A restart of the numbers when the start
// of the new name changes depends on the name before it, so that one runs in one thread.
class CPreviewRefresh {
public:
    using Clock = std::function<TimeValue()>;

    // `workers` 0 takes as many as the machine has processors; 1 runs on the calling
    // thread only. The clock is only ever called on the calling thread.
    explicit CPreviewRefresh(Clock clock = CurrentTimeValue, int workers = 0);

    REFRESHRESULT Run(CFileList& list, const RenameCriteria& criteria,
                      const CHANGESETTINGS& changes, const NAMEOPTIONS& options) const;

private:
    struct ROWWORK;
    struct ROWRESULT;

    void RunInOrder(CFileList& list, const RenameCriteria& criteria, const CHANGESETTINGS& changes,
                    const NAMEOPTIONS& options, NAMEINPUT& input, REFRESHRESULT& result) const;
    void RunSplit(CFileList& list, const RenameCriteria& criteria, const CHANGESETTINGS& changes,
                  const NAMEOPTIONS& options, const NAMEINPUT& input, int workers,
                  REFRESHRESULT& result) const;
    [[nodiscard]] int WorkersFor(const CFileList& list, const RenameCriteria& criteria) const;

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
