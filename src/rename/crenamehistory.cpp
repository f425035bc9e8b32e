// SPDX-License-Identifier: GPL-3.0-or-later
#include "crenamehistory.h"

void CRenameHistory::AddHistory(RENAMEHISTORY record) {
    m_records.push_back(std::move(record));
}

void CRenameHistory::ClearHistory() {
    m_records.clear();
    m_journalPath.clear();
}
