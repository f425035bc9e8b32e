// SPDX-License-Identifier: GPL-3.0-or-later
#include "cfilelist.h"

#include "platform/attributes.h"
#include "platform/nativename.h"

#include <algorithm>

namespace {

// The room beyond its entries a kept vector may hold, as a share of them (1/8).
constexpr size_t kSpareRoomShare = 8;

} // namespace

int CFileList::InsertRow(int row, FILEENTRY entry) {
    row = std::clamp(row, 0, RowCount());
    std::vector<FILEENTRY> entries;
    entries.push_back(std::move(entry));
    InsertRows(row, std::move(entries));
    return row;
}

void CFileList::InsertRows(int row, std::vector<FILEENTRY>&& entries) {
    if (entries.empty())
        return;
    row = std::clamp(row, 0, RowCount());
    const int last = row + static_cast<int>(entries.size()) - 1;
    FlushChanges();
    if (m_notices)
        m_notices->RowsAboutToBeInserted(row, last);
    // A vector grown by doubling may hold room for twice its entries, for as long as it is
    // kept; then moving them once is the cheaper way.
    if (entries.capacity() - entries.size() > entries.size() / kSpareRoomShare)
        entries.shrink_to_fit();
    m_entries.push_back(std::move(entries));
    std::vector<FILEENTRY>& kept = m_entries.back();
    if (row == RowCount()) {
        // A listing appends batch after batch: the rows go straight to the end.
        for (FILEENTRY& entry : kept)
            m_rows.push_back(ROW{&entry, false});
    } else {
        std::vector<ROW> rows(kept.size());
        for (size_t i = 0; i < kept.size(); ++i)
            rows[i].entry = &kept[i];
        m_rows.insert(m_rows.begin() + row, rows.begin(), rows.end());
    }
    if (m_notices)
        m_notices->RowsInserted(row, last);
}

void CFileList::DeleteRow(int row) {
    FlushChanges();
    if (m_notices)
        m_notices->RowsAboutToBeRemoved(row, row);
    if (m_rows[static_cast<size_t>(row)].selected)
        --m_selectedCount;
    *m_rows[static_cast<size_t>(row)].entry = FILEENTRY();
    m_rows.erase(m_rows.begin() + row);
    if (m_notices)
        m_notices->RowsRemoved(row, row);
}

void CFileList::Clear() {
    FlushChanges();
    if (m_notices)
        m_notices->ListAboutToReset();
    m_rows.clear();
    m_entries.clear();
    m_selectedCount = 0;
    if (m_notices)
        m_notices->ListReset();
}

void CFileList::SetSelected(int row, bool selected) {
    SetSelectedRange(row, row, selected);
}

void CFileList::SetSelectedRange(int first, int last, bool selected) {
    first = std::max(first, 0);
    last = std::min(last, RowCount() - 1);
    BeginBatch();
    for (int row = first; row <= last; ++row) {
        ROW& r = m_rows[static_cast<size_t>(row)];
        if (r.selected == selected)
            continue;
        r.selected = selected;
        m_selectedCount += selected ? 1 : -1;
        if (!selected)
            ResetEntry(row);
        Changed(row, RowChange::Selection);
    }
    EndBatch();
}

int CFileList::NextSelected(int after) const {
    if (m_selectedCount == 0)
        return -1;
    for (int row = std::max(after + 1, 0); row < RowCount(); ++row) {
        if (m_rows[static_cast<size_t>(row)].selected)
            return row;
    }
    return -1;
}

void CFileList::SetNewName(int row, const QString& text) {
    PutNewName(Entry(row), text);
    Changed(row, RowChange::Names);
}

void CFileList::StorePreview(int row, const QString& newName, quint32 attributes, TimeValue created,
                             TimeValue modified, TimeValue accessed) {
    FILEENTRY& e = Entry(row);
    PutNewName(e, newName);
    PutPendingAttributes(e, attributes);
    e.newCreated = created;
    e.createdPending = created != 0;
    e.newModified = modified;
    e.modifiedPending = modified != 0;
    e.newAccessed = accessed;
    e.accessedPending = accessed != 0;
}

void CFileList::PreviewStored(int row) {
    Changed(row, RowChange::Names);
    Changed(row, RowChange::Attributes);
    Changed(row, RowChange::Times);
    Changed(row, RowChange::Times);
    Changed(row, RowChange::Times);
}

void CFileList::PutNewName(FILEENTRY& e, const QString& text) {
    const QString& newName = text.isEmpty() ? e.name : text;
    // Most refreshes give most rows the text they hold already; setting it again would
    // count references on a line of memory nothing else needs.
    if (!e.newName.isSharedWith(newName))
        e.newName = newName;
    e.newNameLength = static_cast<qint32>(e.newName.size());
    e.affected = !e.newName.isSharedWith(e.name) && e.name != e.newName;
    // A name that stays as it is was accepted by the file system already.
    e.invalidChars = e.affected && HasInvalidNameChars(e.newName);
    if (!e.affected)
        e.conflict = NameConflict::None;
}

void CFileList::SetConflict(int row, NameConflict conflict) {
    FILEENTRY& e = Entry(row);
    if (e.conflict == conflict)
        return;
    e.conflict = conflict;
    Changed(row, RowChange::Names);
}

void CFileList::ResetEntry(int row) {
    FILEENTRY& e = Entry(row);
    BeginBatch();
    SetNewName(row, e.name);
    SetPendingCreated(row, 0);
    SetPendingModified(row, 0);
    SetPendingAccessed(row, 0);
    SetPendingAttributes(row, e.attributes);
    EndBatch();
}

void CFileList::SetName(int row, const QString& text) {
    FILEENTRY& e = Entry(row);
    e.name = text;
    e.affected = e.name != e.newName;
    Changed(row, RowChange::Names);
}

void CFileList::SetPendingCreated(int row, TimeValue time) {
    FILEENTRY& e = Entry(row);
    e.newCreated = time;
    e.createdPending = time != 0;
    Changed(row, RowChange::Times);
}

void CFileList::SetPendingModified(int row, TimeValue time) {
    FILEENTRY& e = Entry(row);
    e.newModified = time;
    e.modifiedPending = time != 0;
    Changed(row, RowChange::Times);
}

void CFileList::SetPendingAccessed(int row, TimeValue time) {
    FILEENTRY& e = Entry(row);
    e.newAccessed = time;
    e.accessedPending = time != 0;
    Changed(row, RowChange::Times);
}

void CFileList::CommitCreated(int row, TimeValue time) {
    FILEENTRY& e = Entry(row);
    e.created = time;
    e.newCreated = 0;
    e.createdPending = false;
    Changed(row, RowChange::Times);
}

void CFileList::CommitModified(int row, TimeValue time) {
    FILEENTRY& e = Entry(row);
    e.modified = time;
    e.newModified = 0;
    e.modifiedPending = false;
    Changed(row, RowChange::Times);
}

void CFileList::CommitAccessed(int row, TimeValue time) {
    FILEENTRY& e = Entry(row);
    e.accessed = time;
    e.newAccessed = 0;
    e.accessedPending = false;
    Changed(row, RowChange::Times);
}

void CFileList::SetPendingAttributes(int row, quint32 attributes) {
    PutPendingAttributes(Entry(row), attributes);
    Changed(row, RowChange::Attributes);
}

void CFileList::PutPendingAttributes(FILEENTRY& e, quint32 attributes) {
    e.newAttributes = attributes;
    e.attributesPending = AttributeLetters(attributes) != AttributeLetters(e.attributes);
}

void CFileList::CommitAttributes(int row, quint32 attributes) {
    FILEENTRY& e = Entry(row);
    e.attributes = e.newAttributes = attributes;
    e.attributesPending = false;
    Changed(row, RowChange::Attributes);
}

bool CFileList::AnySelectedInvalid() const {
    return std::any_of(m_rows.begin(), m_rows.end(),
                       [](const ROW& r) { return r.selected && r.entry->invalidChars; });
}

QString CFileList::GetFullPath(int row) const {
    const FILEENTRY& e = GetEntry(row);
    return JoinPath(e.FolderPath(), e.name);
}

QByteArray CFileList::GetNativeFullPath(int row) const {
    const FILEENTRY& e = GetEntry(row);
    return JoinNativePath(e.NativeFolderPath(), e.NativeName());
}

void CFileList::SortRowsBy(const std::function<int(const FILEENTRY&, const FILEENTRY&)>& compare) {
    SortRowsByRow([this, &compare](int a, int b) {
        return compare(*m_rows[size_t(a)].entry, *m_rows[size_t(b)].entry);
    });
}

void CFileList::SortRowsByRow(const std::function<int(int rowA, int rowB)>& compare) {
    FlushChanges();
    if (m_notices)
        m_notices->ListAboutToReset();
    // A merge sort only ever asks "is b before a", so it stays within bounds and keeps
    // every row even when the comparison contradicts itself. It orders row numbers; the
    // rows move once at the end.
    std::vector<int> order(m_rows.size());
    for (size_t k = 0; k < order.size(); ++k)
        order[k] = int(k);
    std::vector<int> buffer(order.size());
    for (size_t width = 1; width < order.size(); width *= 2) {
        for (size_t lo = 0; lo < order.size(); lo += 2 * width) {
            const size_t mid = std::min(lo + width, order.size());
            const size_t hi = std::min(lo + 2 * width, order.size());
            size_t i = lo, j = mid, out = lo;
            while (i < mid && j < hi) {
                if (compare(order[j], order[i]) < 0)
                    buffer[out++] = order[j++];
                else
                    buffer[out++] = order[i++];
            }
            while (i < mid)
                buffer[out++] = order[i++];
            while (j < hi)
                buffer[out++] = order[j++];
        }
        order.swap(buffer);
    }
    MoveRowsInto(order);
}

void CFileList::ReorderRows(const std::vector<int>& order) {
    FlushChanges();
    if (m_notices)
        m_notices->ListAboutToReset();
    MoveRowsInto(order);
}

void CFileList::MoveRowsInto(const std::vector<int>& order) {
    std::vector<ROW> sorted(m_rows.size());
    for (size_t k = 0; k < order.size(); ++k)
        sorted[k] = m_rows[size_t(order[k])];
    m_rows.swap(sorted);
    if (m_notices)
        m_notices->ListReset();
}

void CFileList::MoveRow(int from, int to) {
    FILEENTRY copy = GetEntry(from);
    InsertRow(to, std::move(copy));
}

void CFileList::EndBatch() {
    if (m_batchDepth > 0 && --m_batchDepth == 0)
        FlushChanges();
}

void CFileList::Changed(int row, RowChanges changes) {
    if (m_batchDepth == 0) {
        if (m_notices)
            m_notices->RowsChanged(row, row, changes);
        return;
    }
    if (m_dirtyFirst > m_dirtyLast) {
        m_dirtyFirst = m_dirtyLast = row;
    } else {
        m_dirtyFirst = std::min(m_dirtyFirst, row);
        m_dirtyLast = std::max(m_dirtyLast, row);
    }
    m_dirtyChanges |= changes;
}

void CFileList::FlushChanges() {
    if (m_dirtyFirst > m_dirtyLast)
        return;
    const int first = m_dirtyFirst;
    const int last = m_dirtyLast;
    const RowChanges changes = m_dirtyChanges;
    m_dirtyFirst = 0;
    m_dirtyLast = -1;
    m_dirtyChanges = {};
    if (m_notices)
        m_notices->RowsChanged(first, last, changes);
}
