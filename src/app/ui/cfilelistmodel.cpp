// SPDX-License-Identifier: GPL-3.0-or-later
#include "cfilelistmodel.h"

#include "app/session/cprogramstate.h"
#include "filelist/listcolumns.h"

#include <QApplication>
#include <QPalette>
#include <QTimer>

#include <algorithm>

const char* const CFileListModel::kRowMimeType = "application/x-quorvin-list-row";

CFileListModel::CFileListModel(CProgramState& state, QObject* parent)
    : QAbstractTableModel(parent), m_state(state) {
    m_state.list.SetRowObserver([this](int row) { RowChanged(row); });
}

CFileListModel::~CFileListModel() {
    m_state.list.SetRowObserver({});
}

int CFileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || m_resetDepth > 0 ? 0 : m_state.list.RowCount();
}

int CFileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

// Preferences hold colours as 0x00BBGGRR.
QColor CFileListModel::ColourOf(int colourRef) const {
    return QColor(colourRef & 0xff, (colourRef >> 8) & 0xff, (colourRef >> 16) & 0xff);
}

QVariant CFileListModel::data(const QModelIndex& index, int role) const {
    const int row = index.row();
    if (!index.isValid() || row < 0 || row >= m_state.list.RowCount() || m_resetDepth > 0)
        return {};
    const FILEENTRY& entry = m_state.list.GetEntry(row);
    switch (role) {
    case Qt::DisplayRole:
        return CellText(entry, index.column(), m_state.preferences.displayFilesizesAs);
    case Qt::EditRole:
        return index.column() == ColName ? entry.name : QVariant();
    case Qt::ForegroundRole:
        switch (CellColourOf(entry, index.column())) {
        case CellColour::GoodChange:
            return ColourOf(m_state.preferences.colourNewNameOk);
        case CellColour::Invalid:
            return ColourOf(m_state.preferences.colourNewNameInvalid);
        case CellColour::Normal:
            break;
        }
        if (entry.hidden)
            return QApplication::palette().color(QPalette::Disabled, QPalette::Text);
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(
            Qt::AlignVCenter |
            (ColumnInfo(index.column()).alignRight ? Qt::AlignRight : Qt::AlignLeft));
    default:
        return {};
    }
}

QVariant CFileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(ColumnInfo(section).heading);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(
            Qt::AlignVCenter | (ColumnInfo(section).alignRight ? Qt::AlignRight : Qt::AlignLeft));
    return {};
}

Qt::ItemFlags CFileListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled |
                      Qt::ItemIsDropEnabled | Qt::ItemNeverHasChildren;
    if (index.column() == ColName)
        f |= Qt::ItemIsEditable;
    return f;
}

// The rename run may ask questions and rescan the list, which must not happen while the
// view is still inside its editor's commit: the request is queued.
bool CFileListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.column() != ColName ||
        index.row() >= m_state.list.RowCount())
        return false;
    const QString text = value.toString();
    if (text.isEmpty() || text == m_state.list.GetEntry(index.row()).name)
        return false;
    const int row = index.row();
    QTimer::singleShot(0, this, [this, row, text] { emit InPlaceRenameRequested(row, text); });
    return false;
}

Qt::DropActions CFileListModel::supportedDropActions() const {
    return Qt::MoveAction | Qt::CopyAction | Qt::LinkAction;
}

QStringList CFileListModel::mimeTypes() const {
    return {QString::fromLatin1(kRowMimeType), QStringLiteral("text/uri-list")};
}

void CFileListModel::BeginReset() {
    if (m_resetDepth++ == 0)
        beginResetModel();
}

void CFileListModel::EndReset() {
    if (--m_resetDepth > 0)
        return;
    m_dirtyFirst = m_dirtyLast = -1;
    m_wholeListChanged = false;
    endResetModel();
}

void CFileListModel::RowChanged(int row) {
    if (m_resetDepth > 0)
        return;
    if (row < 0) {
        m_wholeListChanged = true;
    } else {
        m_dirtyFirst = m_dirtyFirst < 0 ? row : std::min(m_dirtyFirst, row);
        m_dirtyLast = std::max(m_dirtyLast, row);
    }
    if (!m_flushQueued) {
        m_flushQueued = true;
        QTimer::singleShot(0, this, [this] { FlushChanges(); });
    }
}

void CFileListModel::FlushChanges() {
    m_flushQueued = false;
    if (m_resetDepth > 0)
        return;
    if (m_wholeListChanged) {
        // A change of the whole list that nobody announced (a sort by the core): the view
        // reads everything again.
        m_wholeListChanged = false;
        m_dirtyFirst = m_dirtyLast = -1;
        beginResetModel();
        endResetModel();
        return;
    }
    if (m_dirtyFirst < 0)
        return;
    const int last = std::min(m_dirtyLast, m_state.list.RowCount() - 1);
    const int first = m_dirtyFirst;
    m_dirtyFirst = m_dirtyLast = -1;
    if (first <= last)
        emit dataChanged(index(first, 0), index(last, ColumnCount - 1));
}

bool CFileListModel::MoveEntry(int from, int to) {
    const int count = m_state.list.RowCount();
    if (from < 0 || from >= count)
        return false;
    to = std::clamp(to, 0, count);
    if (to == from || to == from + 1)
        return false;
    FlushChanges();
    beginMoveRows(QModelIndex(), from, from, QModelIndex(), to);
    ++m_resetDepth; // the row notices of the copy belong to this move
    m_state.list.MoveRow(from, to);
    m_state.list.DeleteRow(from > to ? from + 1 : from);
    --m_resetDepth;
    endMoveRows();
    return true;
}

void CFileListModel::RemoveEntries(QList<int> rows) {
    FlushChanges();
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (const int row : rows) {
        if (row < 0 || row >= m_state.list.RowCount())
            continue;
        beginRemoveRows(QModelIndex(), row, row);
        ++m_resetDepth;
        m_state.list.DeleteRow(row);
        --m_resetDepth;
        endRemoveRows();
    }
}
