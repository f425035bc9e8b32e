// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "changesettings.h"
#include "namegenerator.h"
#include "renamecriteria.h"

#include "filelist/cfilelist.h"
#include "platform/csizetext.h"

#include <functional>
#include <vector>

// What one refresh reports back to the program state, which shows it.
struct REFRESHRESULT {
    bool ran = false;            // false when no row was selected: nothing changed
    bool patternInvalid = false; // "Regular Expression is invalid" belongs in the status bar
    qint64 nextNumber = 0;       // the number after the last selected row
    bool traced = false;         // the debug row was met; its trace is below
    QString trace;
};

// One refresh of the selected rows, done in parts so that a front end can show the rows
// on screen before the others are computed. Start works out every selected row's number
// and moment from the rows before it; after that each row's new name depends only on its
// entry, the criteria and those two, so the rows can be computed in any order and split
// over worker threads with the same result as one pass from the top. A restart of the
// numbers when the start of the new name changes depends on the new name before it:
// with it, and with one worker asked for, Start computes every row at once, in order.
//
// The pass keeps its own copy of the criteria and settings: a pass left unfinished when
// they change is dropped, never continued with other criteria. The list must not change
// its rows or their selection between the parts.
class CRefreshPass {
public:
    using Clock = std::function<TimeValue()>;

    // `workers` 0 takes as many as the machine has processors (a few thousand rows per
    // worker at least); above 0, that many for any part. The clock is only ever called
    // on the calling thread, from Start.
    CRefreshPass(Clock clock, int workers);

    void Start(CFileList& list, const RenameCriteria& criteria, const CHANGESETTINGS& changes,
               const NAMEOPTIONS& options);
    // Computes the selected rows among first to last (inclusive) not computed yet.
    void RunRows(CFileList& list, int firstRow, int lastRow);
    // Computes up to `count` of the remaining rows, the topmost first.
    void RunNext(CFileList& list, int count);
    [[nodiscard]] bool Finished() const { return m_remaining == 0; }
    // Complete once Finished().
    [[nodiscard]] const REFRESHRESULT& Result() const { return m_result; }
    // The criteria the pass started with.
    [[nodiscard]] const RenameCriteria& Criteria() const { return m_criteria; }

private:
    struct ROWWORK {
        int row = 0;
        TimeValue now = 0;
        qint64 number = 0;
        qint64 numberBeforeRestart = 0; // the debug trace shows the first attempt
        bool done = false;
    };
    struct ROWRESULT {
        QString newName;
        PENDINGTIMES pending;
    };

    void RunInOrder(CFileList& list);
    void Compute(CFileList& list, const std::vector<size_t>& items);
    // Stores each row's preview into the list itself (rows of a share are its own), but
    // tells nothing: Compute tells the changes on the calling thread.
    void ComputeShare(CFileList& list, const std::vector<size_t>& items, size_t first, size_t last,
                      QString& trace) const;
    void StoreRow(CFileList& list, int row, const QString& newName,
                  const PENDINGTIMES& pending) const;
    void Store(CFileList& list, const ROWWORK& work, const ROWRESULT& result);
    [[nodiscard]] int WorkersFor(size_t rows) const;

    Clock m_clock;
    int m_workers;
    RenameCriteria m_criteria;
    CHANGESETTINGS m_changes;
    NAMEOPTIONS m_options;
    CSizeText m_sizeText;
    NAMEINPUT m_input; // the parts every row shares
    CRITERIANUMBERS m_numbers;
    std::vector<ROWWORK> m_work;
    size_t m_cursor = 0; // every item before it is done
    size_t m_remaining = 0;
    REFRESHRESULT m_result;
    bool m_needsNow = false;
};
