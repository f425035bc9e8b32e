// SPDX-License-Identifier: GPL-3.0-or-later
#include "cpreviewrefresh.h"

#include <limits>

qint64 NumberingStart(qint64 start, int radix, int pad) {
    if (radix <= 36 || pad < 1)
        return start;
    // 1 + 26 + 26^2 + ... + 26^(pad - 1), held at the largest value that still leaves room
    // for the start, so a huge pad cannot overflow.
    constexpr qint64 kLimit = std::numeric_limits<qint64>::max() / 64;
    qint64 first = 0;
    qint64 power = 1;
    for (int i = 0; i < pad && first < kLimit; ++i) {
        first += power;
        power = power > kLimit / 26 ? kLimit : power * 26;
    }
    return qMin(first, kLimit) + start - 1;
}

CPreviewRefresh::CPreviewRefresh(Clock clock, int workers)
    : m_clock(std::move(clock)), m_workers(workers) {}

REFRESHRESULT CPreviewRefresh::Run(CFileList& list, const RenameCriteria& criteria,
                                   const CHANGESETTINGS& changes,
                                   const NAMEOPTIONS& options) const {
    CRefreshPass pass(m_clock, m_workers);
    pass.Start(list, criteria, changes, options);
    pass.RunNext(list, list.RowCount());
    return pass.Result();
}

bool CRefreshRequests::Post() {
    if (m_pending)
        return false;
    m_pending = true;
    return true;
}

bool CRefreshRequests::Take() {
    const bool was = m_pending;
    m_pending = false;
    return was;
}
