// SPDX-License-Identifier: GPL-3.0-or-later
#include "cfilelist.h"

#include "platform/attributes.h"

#include <algorithm>

int CFileList::InsertRow(int row, FILEENTRY entry) {
    row = std::clamp(row, 0, RowCount());
    ROW newRow;
    newRow.entry = std::make_unique<FILEENTRY>(std::move(entry));
    m_rows.insert(m_rows.begin() + row, std::move(newRow));
    Changed(-1);
    return row;
}

void CFileList::AppendRows(std::vector<FILEENTRY>&& entries) {
    m_rows.reserve(m_rows.size() + entries.size());
    for (FILEENTRY& entry : entries) {
        ROW row;
        row.entry = std::make_unique<FILEENTRY>(std::move(entry));
        m_rows.push_back(std::move(row));
    }
    Changed(-1);
}

void CFileList::DeleteRow(int row) {
    m_rows.erase(m_rows.begin() + row);
    Changed(-1);
}

void CFileList::Clear() {
    m_rows.clear();
    Changed(-1);
}

void CFileList::SetSelected(int row, bool selected) {
    ROW& r = m_rows[static_cast<size_t>(row)];
    if (r.selected == selected)
        return;
    r.selected = selected;
    if (!selected)
        ResetEntry(row);
    Changed(row);
}

void CFileList::SelectAll() {
    for (ROW& r : m_rows)
        r.selected = true;
    Changed(-1);
}

void CFileList::DeselectAll() {
    for (int row = 0; row < RowCount(); ++row) {
        if (m_rows[static_cast<size_t>(row)].selected) {
            m_rows[static_cast<size_t>(row)].selected = false;
            ResetEntry(row);
        }
    }
    Changed(-1);
}

int CFileList::SelectedCount() const {
    return static_cast<int>(
        std::count_if(m_rows.begin(), m_rows.end(), [](const ROW& r) { return r.selected; }));
}

int CFileList::NextSelected(int after) const {
    for (int row = std::max(after + 1, 0); row < RowCount(); ++row) {
        if (m_rows[static_cast<size_t>(row)].selected)
            return row;
    }
    return -1;
}

void CFileList::SetNewName(int row, const QString& text) {
    FILEENTRY& e = Entry(row);
    e.newName = text.isEmpty() ? e.name : text;
    e.newNameLength = static_cast<qint32>(e.newName.size());
    e.affected = e.name != e.newName;
    e.invalidChars = HasInvalidNameChars(e.newName);
    Changed(row);
}

void CFileList::ResetEntry(int row) {
    FILEENTRY& e = Entry(row);
    SetNewName(row, e.name);
    SetPendingCreated(row, 0);
    SetPendingModified(row, 0);
    SetPendingAccessed(row, 0);
    SetPendingAttributes(row, e.attributes);
}

void CFileList::SetName(int row, const QString& text) {
    FILEENTRY& e = Entry(row);
    e.name = text;
    e.nativeName = text.toUtf8();
    e.affected = e.name != e.newName;
    Changed(row);
}

void CFileList::SetPendingCreated(int row, TimeValue time) {
    FILEENTRY& e = Entry(row);
    e.newCreated = time;
    e.createdPending = time != 0;
    Changed(row);
}

void CFileList::SetPendingModified(int row, TimeValue time) {
    FILEENTRY& e = Entry(row);
    e.newModified = time;
    e.modifiedPending = time != 0;
    Changed(row);
}

void CFileList::SetPendingAccessed(int row, TimeValue time) {
    FILEENTRY& e = Entry(row);
    e.newAccessed = time;
    e.accessedPending = time != 0;
    Changed(row);
}

void CFileList::CommitCreated(int row, TimeValue time) {
    FILEENTRY& e = Entry(row);
    e.created = time;
    e.newCreated = 0;
    e.createdPending = false;
    Changed(row);
}

void CFileList::CommitModified(int row, TimeValue time) {
    FILEENTRY& e = Entry(row);
    e.modified = time;
    e.newModified = 0;
    e.modifiedPending = false;
    Changed(row);
}

void CFileList::CommitAccessed(int row, TimeValue time) {
    FILEENTRY& e = Entry(row);
    e.accessed = time;
    e.newAccessed = 0;
    e.accessedPending = false;
    Changed(row);
}

void CFileList::SetPendingAttributes(int row, quint32 attributes) {
    FILEENTRY& e = Entry(row);
    e.newAttributes = attributes;
    e.attributesPending = AttributeLetters(attributes) != AttributeLetters(e.attributes);
    Changed(row);
}

void CFileList::CommitAttributes(int row, quint32 attributes) {
    FILEENTRY& e = Entry(row);
    e.attributes = e.newAttributes = attributes;
    e.attributesPending = false;
    Changed(row);
}

bool CFileList::AnySelectedInvalid() const {
    return std::any_of(m_rows.begin(), m_rows.end(),
                       [](const ROW& r) { return r.selected && r.entry->invalidChars; });
}

QString CFileList::GetFullPath(int row) const {
    const FILEENTRY& e = GetEntry(row);
    return JoinPath(e.folderPath, e.name);
}

QByteArray CFileList::GetNativeFullPath(int row) const {
    const FILEENTRY& e = GetEntry(row);
    return JoinNativePath(e.nativeFolderPath, e.nativeName);
}

void CFileList::SortRowsBy(const std::function<int(const FILEENTRY&, const FILEENTRY&)>& compare) {
    SortRowsByRow([this, &compare](int a, int b) {
        return compare(*m_rows[size_t(a)].entry, *m_rows[size_t(b)].entry);
    });
}

void CFileList::SortRowsByRow(const std::function<int(int rowA, int rowB)>& compare) {
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
    std::vector<ROW> sorted(m_rows.size());
    for (size_t k = 0; k < order.size(); ++k)
        sorted[k] = std::move(m_rows[size_t(order[k])]);
    m_rows.swap(sorted);
    Changed(-1);
}

void CFileList::MoveRow(int from, int to) {
    FILEENTRY copy = GetEntry(from);
    InsertRow(to, std::move(copy));
}

void CFileList::Changed(int row) const {
    if (m_observer)
        m_observer(row);
}
