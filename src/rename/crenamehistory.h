// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/timevalue.h"

#include <QByteArray>
#include <QString>
#include <vector>

// One undo record: where an entry was and went, and what undo puts back. The paths are
// kept as text (for messages) and as the exact bytes on disk (for every file operation),
// so that a name that is not valid UTF-8 is undone without loss.
struct RENAMEHISTORY {
    QString oldPath;
    QString newPath; // empty when the name did not change
    QByteArray nativeOldPath;
    QByteArray nativeNewPath; // empty when the name did not change
    quint32 attributes = 0;   // of oldPath just before the rename
    qint32 isFolder = 0;
    TimeValue created = 0;
    TimeValue modified = 0;
    TimeValue accessed = 0;
    // The exact permission bits, because read-only stands for several of them and clearing
    // it alone would not give back what was there.
    quint32 permissions = 0;
    bool permissionsKnown = false;
};

// The undo records of the most recent run, in the order the run processed its entries.
class CRenameHistory {
public:
    void AddHistory(RENAMEHISTORY record);
    void ClearHistory();
    int HistoryCount() const { return static_cast<int>(m_records.size()); }
    const std::vector<RENAMEHISTORY>& Records() const { return m_records; }

    // The undo journal that describes the same run, so that an undo from here also marks
    // it as undone; empty when the run kept none.
    void SetJournalPath(const QString& path) { m_journalPath = path; }
    QString JournalPath() const { return m_journalPath; }

private:
    std::vector<RENAMEHISTORY> m_records;
    QString m_journalPath;
};
