// SPDX-License-Identifier: GPL-3.0-or-later
#include "cfoldertreemodel.h"

#include "app/session/folderbrowsing.h"
#include "filelist/fileentry.h"

#include <QFile>

namespace {

// Whether `path` is `folder` or lies below it.
bool IsWithin(const QByteArray& path, const QByteArray& folder) {
    if (folder == "/")
        return path.startsWith('/');
    return path == folder || path.startsWith(folder + '/');
}

QByteArray WithoutTrailingSlash(QByteArray path) {
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    return path;
}

} // namespace

CFolderTreeModel::CFolderTreeModel(QObject* parent) : QAbstractItemModel(parent) {
    m_root.filled = true;
}

CFolderTreeModel::~CFolderTreeModel() = default;

void CFolderTreeModel::FillTopLevel(int desktopRoot) {
    FillTopLevel(FolderTreeRoots(desktopRoot));
}

void CFolderTreeModel::FillTopLevel(const QList<FOLDERROOT>& places) {
    beginResetModel();
    m_root.children.clear();
    for (const FOLDERROOT& place : places) {
        auto node = std::make_unique<NODE>();
        node->nativePath = place.nativePath;
        node->caption = place.caption;
        node->parent = &m_root;
        node->row = static_cast<int>(m_root.children.size());
        m_root.children.push_back(std::move(node));
    }
    endResetModel();
}

CFolderTreeModel::NODE* CFolderTreeModel::NodeOf(const QModelIndex& index) const {
    return index.isValid() ? static_cast<NODE*>(index.internalPointer())
                           : const_cast<NODE*>(&m_root);
}

QModelIndex CFolderTreeModel::IndexOf(const NODE* node) const {
    if (!node || node == &m_root)
        return {};
    return createIndex(node->row, 0, const_cast<NODE*>(node));
}

QModelIndex CFolderTreeModel::index(int row, int column, const QModelIndex& parent) const {
    const NODE* node = NodeOf(parent);
    if (column != 0 || row < 0 || row >= static_cast<int>(node->children.size()))
        return {};
    return createIndex(row, 0, node->children[static_cast<size_t>(row)].get());
}

QModelIndex CFolderTreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid())
        return {};
    return IndexOf(NodeOf(child)->parent);
}

int CFolderTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0)
        return 0;
    return static_cast<int>(NodeOf(parent)->children.size());
}

int CFolderTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant CFolderTreeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const NODE* node = NodeOf(index);
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return node->caption;
    if (role == Qt::ToolTipRole)
        return QFile::decodeName(node->nativePath);
    if (role == kNativePathRole)
        return node->nativePath;
    return {};
}

bool CFolderTreeModel::hasChildren(const QModelIndex& parent) const {
    const NODE* node = NodeOf(parent);
    return !node->filled || !node->children.empty();
}

bool CFolderTreeModel::canFetchMore(const QModelIndex& parent) const {
    return !NodeOf(parent)->filled;
}

void CFolderTreeModel::fetchMore(const QModelIndex& parent) {
    NODE* node = NodeOf(parent);
    if (!node->filled)
        Fill(node);
}

void CFolderTreeModel::Fill(NODE* node) {
    node->filled = true;
    const QList<QByteArray> names = ListSubfolders(node->nativePath);
    if (names.isEmpty()) {
        // The expand mark goes away.
        const QModelIndex index = IndexOf(node);
        emit dataChanged(index, index);
        return;
    }
    beginInsertRows(IndexOf(node), 0, static_cast<int>(names.size()) - 1);
    for (const QByteArray& name : names) {
        auto child = std::make_unique<NODE>();
        child->nativePath = JoinNativePath(node->nativePath, name);
        child->caption = QFile::decodeName(name);
        child->parent = node;
        child->row = static_cast<int>(node->children.size());
        node->children.push_back(std::move(child));
    }
    endInsertRows();
}

QByteArray CFolderTreeModel::NativePathOf(const QModelIndex& index) const {
    return index.isValid() ? NodeOf(index)->nativePath : QByteArray();
}

CFolderTreeModel::NODE* CFolderTreeModel::ChildNamed(NODE* node, const QByteArray& nativePath) {
    if (!node->filled)
        Fill(node);
    for (const auto& child : node->children) {
        if (IsWithin(nativePath, child->nativePath))
            return child.get();
    }
    return nullptr;
}

QModelIndex CFolderTreeModel::FindFolder(const QByteArray& nativePathIn, bool* exact) {
    const QByteArray nativePath = WithoutTrailingSlash(nativePathIn);
    if (exact)
        *exact = false;
    // The top-level place that holds the path most closely (Home before "/").
    NODE* node = nullptr;
    for (const auto& place : m_root.children) {
        if (IsWithin(nativePath, place->nativePath) &&
            (!node || place->nativePath.size() > node->nativePath.size()))
            node = place.get();
    }
    if (!node)
        return {};
    while (node->nativePath != nativePath) {
        NODE* next = ChildNamed(node, nativePath);
        if (!next)
            return IndexOf(node);
        node = next;
    }
    if (exact)
        *exact = true;
    return IndexOf(node);
}
