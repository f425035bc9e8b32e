// SPDX-License-Identifier: GPL-3.0-or-later
#include "cfilelistmodel.h"

#include "app/session/cprogramstate.h"
#include "filelist/listcolumns.h"
#include "platform/nativename.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QTimer>

#include <algorithm>

const char* const CFileListModel::kRowMimeType = "application/x-quorvin-list-row";

CFileListModel::CFileListModel(CProgramState& state, QObject* parent)
    : QAbstractTableModel(parent), m_state(state) {
    QStyle* style = QApplication::style();
    m_folderIcon =
        QIcon::fromTheme(QStringLiteral("folder"), style->standardIcon(QStyle::SP_DirIcon));
    m_fileIcon = QIcon::fromTheme(QStringLiteral("text-x-generic"),
                                  style->standardIcon(QStyle::SP_FileIcon));
}

CFileListModel::~CFileListModel() = default;

int CFileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || m_resetting ? 0 : m_state.list.RowCount();
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
    if (!index.isValid() || row < 0 || row >= m_state.list.RowCount() || m_resetting)
        return {};
    const FILEENTRY& entry = m_state.list.GetEntry(row);
    switch (role) {
    case Qt::DisplayRole:
        // Bytes of a name that are not UTF-8 are kept for renaming, shown as U+FFFD.
        return ShownName(CellText(entry, index.column(), m_state.preferences.displayFilesizesAs));
    case Qt::EditRole:
        return index.column() == ColName ? entry.name : QVariant();
    case Qt::DecorationRole:
        return m_showIcons && index.column() == ColName ? IconOf(entry) : QVariant();
    case Qt::ForegroundRole:
        switch (CellColourOf(entry, index.column())) {
        case CellColour::GoodChange:
            return ColourOf(m_state.preferences.colourNewNameOk);
        case CellColour::Invalid:
            return ColourOf(m_state.preferences.colourNewNameInvalid);
        case CellColour::Conflict:
            // No preference holds it: amber stands apart from both "OK" and "Invalid".
            return QColor(0xc0, 0x60, 0x00);
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

QIcon CFileListModel::IconOf(const FILEENTRY& entry) const {
    if (entry.isFolder)
        return m_folderIcon;
    const qsizetype dot = entry.name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return m_fileIcon;
    const QString extension = entry.name.mid(dot + 1).toLower();
    const auto found = m_iconsByExtension.constFind(extension);
    if (found != m_iconsByExtension.constEnd())
        return found.value();
    const QMimeType type = m_mimeTypes.mimeTypeForFile(QStringLiteral("x.") + extension,
                                                       QMimeDatabase::MatchExtension);
    const QIcon icon =
        QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName(), m_fileIcon));
    m_iconsByExtension.insert(extension, icon);
    return icon;
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

void CFileListModel::ListAboutToReset() {
    m_resetting = true;
    beginResetModel();
}

void CFileListModel::ListReset() {
    m_resetting = false;
    endResetModel();
}

void CFileListModel::RowsAboutToBeInserted(int first, int last) {
    beginInsertRows(QModelIndex(), first, last);
}

void CFileListModel::RowsInserted(int, int) {
    endInsertRows();
}

void CFileListModel::RowsAboutToBeRemoved(int first, int last) {
    beginRemoveRows(QModelIndex(), first, last);
}

void CFileListModel::RowsRemoved(int, int) {
    endRemoveRows();
}

void CFileListModel::RowsChanged(int first, int last, RowChanges) {
    last = std::min(last, m_state.list.RowCount() - 1);
    if (first <= last && first >= 0)
        emit dataChanged(index(first, 0), index(last, ColumnCount - 1));
}
