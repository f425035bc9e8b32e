// SPDX-License-Identifier: GPL-3.0-or-later
#include "cfilelist.h"

#include "platform/attributes.h"
#include "platform/nativename.h"

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
    // A name that stays as it is was accepted by the file system already.
    e.invalidChars = e.affected && HasInvalidNameChars(e.newName);
    if (!e.affected)
        e.conflict = NameConflict::None;
    Changed(row);
}

void CFileList::SetConflict(int row, NameConflict conflict) {
    FILEENTRY& e = Entry(row);
    if (e.conflict == conflict)
        return;
    e.conflict = conflict;
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
    e.nativeName = EncodeNativeName(text);
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
    // A merge sort only ever asks "is b before a", so it stays within bounds and keeps
    // every row even when the comparison contradicts itself.
    std::vector<ROW> buffer(m_rows.size());
    for (size_t width = 1; width < m_rows.size(); width *= 2) {
        for (size_t lo = 0; lo < m_rows.size(); lo += 2 * width) {
            const size_t mid = std::min(lo + width, m_rows.size());
            const size_t hi = std::min(lo + 2 * width, m_rows.size());
            size_t i = lo, j = mid, out = lo;
            while (i < mid && j < hi) {
                if (compare(*m_rows[j].entry, *m_rows[i].entry) < 0)
                    buffer[out++] = std::move(m_rows[j++]);
                else
                    buffer[out++] = std::move(m_rows[i++]);
            }
            while (i < mid)
                buffer[out++] = std::move(m_rows[i++]);
            while (j < hi)
                buffer[out++] = std::move(m_rows[j++]);
        }
        for (size_t k = 0; k < m_rows.size(); ++k)
            m_rows[k] = std::move(buffer[k]);
    }
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
