// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fileentry.h"

#include <functional>
#include <memory>
#include <vector>

// The ordered rows of the file list. Each row owns one FILEENTRY and has a selection
// state; rows are addressed by index, which stays valid until the next sort, insertion
// or deletion. A row that leaves the selection is reset, so only selected rows carry new
// names, pending times and pending attributes.
class CFileList {
public:
    using RowObserver = std::function<void(int row)>;

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    const FILEENTRY& GetEntry(int row) const { return *m_rows[static_cast<size_t>(row)].entry; }

    // Inserts at `row` (clamped to the row count); returns the index used.
    int InsertRow(int row, FILEENTRY entry);
    int AppendRow(FILEENTRY entry) { return InsertRow(RowCount(), std::move(entry)); }
    // Appends a batch of rows with one notification.
    void AppendRows(std::vector<FILEENTRY>&& entries);
    void DeleteRow(int row);
    void Clear();

    bool IsSelected(int row) const { return m_rows[static_cast<size_t>(row)].selected; }
    void SetSelected(int row, bool selected);
    void SelectAll();
    void DeselectAll();
    int SelectedCount() const;
    // The first selected row after `after` (-1 to start at the top), or -1.
    int NextSelected(int after) const;

    void SetNewName(int row, const QString& text);
    void ResetEntry(int row);
    void SetName(int row, const QString& text);
    void SetPendingCreated(int row, TimeValue time);
    void SetPendingModified(int row, TimeValue time);
    void SetPendingAccessed(int row, TimeValue time);
    void CommitCreated(int row, TimeValue time);
    void CommitModified(int row, TimeValue time);
    void CommitAccessed(int row, TimeValue time);
    void SetPendingAttributes(int row, quint32 attributes);
    void CommitAttributes(int row, quint32 attributes);

    bool AnySelectedInvalid() const;
    QString GetFullPath(int row) const;
    QByteArray GetNativeFullPath(int row) const;

    // Reorders the rows by a three-way comparison that need not be an ordering (the
    // random sort); every row ends up exactly once.
    void SortRowsBy(const std::function<int(const FILEENTRY&, const FILEENTRY&)>& compare);
    // The same with the rows named by their index before the sort, for comparisons that
    // work on keys prepared per row.
    void SortRowsByRow(const std::function<int(int rowA, int rowB)>& compare);
    // Inserts at `to` a row holding a full copy of row `from` (not selected); the caller
    // deletes the row that was copied.
    void MoveRow(int from, int to);

    // Called with the row index after every change of a row's entry or selection, and
    // with -1 after a change of the whole list.
    void SetRowObserver(RowObserver observer) { m_observer = std::move(observer); }

private:
    struct ROW {
        std::unique_ptr<FILEENTRY> entry;
        bool selected = false;
    };

    FILEENTRY& Entry(int row) { return *m_rows[static_cast<size_t>(row)].entry; }
    void Changed(int row) const;

    std::vector<ROW> m_rows;
    RowObserver m_observer;
};
