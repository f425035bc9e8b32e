// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fileentry.h"
#include "ilistnotices.h"

#include <functional>
#include <vector>

// The ordered rows of the file list. Each row owns one FILEENTRY and has a selection
// state; rows are addressed by index, which stays valid until the next sort, insertion
// or deletion. A row that leaves the selection is reset, so only selected rows carry new
// names, pending times and pending attributes.
//
// Every change is told to the notices receiver (when one is set): structural changes as a
// pair of notices, changes of rows as a range with what changed. Between BeginBatch and
// EndBatch the changed rows are gathered and told once, as the range from the first to
// the last changed row, when the outermost batch ends.
class CFileList {
public:
    CFileList() = default;
    // Rows point into the list's own storage, which a copy would not share.
    CFileList(const CFileList&) = delete;
    CFileList& operator=(const CFileList&) = delete;
    CFileList(CFileList&&) = default;
    CFileList& operator=(CFileList&&) = default;

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    const FILEENTRY& GetEntry(int row) const { return *m_rows[static_cast<size_t>(row)].entry; }

    // Inserts at `row` (clamped to the row count); returns the index used.
    int InsertRow(int row, FILEENTRY entry);
    int AppendRow(FILEENTRY entry) { return InsertRow(RowCount(), std::move(entry)); }
    // Inserts rows at `row` (clamped) in their order, with one pair of notices. The list
    // keeps the vector itself: the entries are not moved again.
    void InsertRows(int row, std::vector<FILEENTRY>&& entries);
    void AppendRows(std::vector<FILEENTRY>&& entries) {
        InsertRows(RowCount(), std::move(entries));
    }
    void DeleteRow(int row);
    void Clear();

    bool IsSelected(int row) const { return m_rows[static_cast<size_t>(row)].selected; }
    void SetSelected(int row, bool selected);
    // Selects or deselects the rows first to last (inclusive, clamped), with one notice.
    void SetSelectedRange(int first, int last, bool selected);
    void SelectAll() { SetSelectedRange(0, RowCount() - 1, true); }
    void DeselectAll() { SetSelectedRange(0, RowCount() - 1, false); }
    int SelectedCount() const { return m_selectedCount; }
    // The first selected row after `after` (-1 to start at the top), or -1.
    int NextSelected(int after) const;

    void SetNewName(int row, const QString& text);
    // Sets what SetNewName, SetPendingAttributes and the SetPending… of the three times set,
    // without telling anyone: it touches that row's entry only, so the workers of a refresh
    // can each store their own rows at once. The calling thread then calls PreviewStored
    // for each such row, which tells what those setters would have told.
    void StorePreview(int row, const QString& newName, quint32 attributes, TimeValue created,
                      TimeValue modified, TimeValue accessed);
    void PreviewStored(int row);
    // Notifies only when the conflict changes.
    void SetConflict(int row, NameConflict conflict);
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
    // Puts the rows in the given order: order[k] is the index before of the row that goes
    // to k, and each index appears exactly once.
    void ReorderRows(const std::vector<int>& order);
    // Inserts at `to` a row holding a full copy of row `from` (not selected); the caller
    // deletes the row that was copied.
    void MoveRow(int from, int to);

    // One receiver or none; it must outlive the list or be unset first.
    void SetNotices(IListNotices* notices) { m_notices = notices; }
    // Batches nest; only the outermost EndBatch tells the gathered range.
    void BeginBatch() { ++m_batchDepth; }
    void EndBatch();

private:
    struct ROW {
        FILEENTRY* entry = nullptr; // in m_entries
        bool selected = false;
    };

    FILEENTRY& Entry(int row) { return *m_rows[static_cast<size_t>(row)].entry; }
    static void PutNewName(FILEENTRY& e, const QString& text);
    static void PutPendingAttributes(FILEENTRY& e, quint32 attributes);
    void Changed(int row, RowChanges changes);
    void FlushChanges();
    void MoveRowsInto(const std::vector<int>& order);

    std::vector<ROW> m_rows;
    // The entries in the vectors they were handed over in. A kept vector never moves its
    // entries, so rows can point into it; an entry whose row is deleted is emptied and stays
    // until the list is cleared.
    std::vector<std::vector<FILEENTRY>> m_entries;
    int m_selectedCount = 0;
    IListNotices* m_notices = nullptr;
    int m_batchDepth = 0;
    // The rows changed within the open batch (first > last: none).
    int m_dirtyFirst = 0;
    int m_dirtyLast = -1;
    RowChanges m_dirtyChanges;
};
