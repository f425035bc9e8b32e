// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/session/folderbrowsing.h"

#include <QAbstractItemModel>
#include <QByteArray>

#include <memory>
#include <vector>

// The folder tree: the top-level places, each folder's subfolders filled when it is first
// expanded. Every node keeps its path as the exact bytes on disk, so a folder whose name is
// not valid UTF-8 is shown (as well as its text allows) and opened by its true name.
class CFolderTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    static constexpr int kNativePathRole = Qt::UserRole + 1;

    explicit CFolderTreeModel(QObject* parent = nullptr);
    ~CFolderTreeModel() override;

    // Empties the tree and fills its top level again ("Desktop Root" decides which places).
    void FillTopLevel(int desktopRoot);
    void FillTopLevel(const QList<FOLDERROOT>& places);

    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    QByteArray NativePathOf(const QModelIndex& index) const;
    // The node of a folder, filling the levels on the way; `exact` tells whether the folder
    // itself was found. Without an exact node: the deepest existing parent in the tree,
    // else invalid.
    QModelIndex FindFolder(const QByteArray& nativePath, bool* exact = nullptr);

private:
    struct NODE {
        QByteArray nativePath;
        QString caption;
        NODE* parent = nullptr;
        int row = 0;
        bool filled = false;
        std::vector<std::unique_ptr<NODE>> children;
    };

    NODE* NodeOf(const QModelIndex& index) const;
    QModelIndex IndexOf(const NODE* node) const;
    void Fill(NODE* node);
    NODE* ChildNamed(NODE* node, const QByteArray& nativePath);

    NODE m_root;
};
