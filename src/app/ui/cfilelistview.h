// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTableView>

#include <utility>

// The file list's table: fixed row height, no row header, headers that sort and can be
// dragged. Mouse and keys of the list: a single row dragged to another place, files and
// folders dropped from a file manager, F2 to rename in place, Delete to take rows off the
// list, double-click and the context menu. What they do is the window's; the view reports.
class CFileListView : public QTableView {
    Q_OBJECT
public:
    explicit CFileListView(QWidget* parent = nullptr);

    QList<int> SelectedRows() const;
    // The first and last row the viewport shows (or would show when it is not on screen
    // yet); first > last for an empty list.
    [[nodiscard]] std::pair<int, int> VisibleRows() const;

signals:
    void RowDropped(int from, int to);
    void PathsDropped(const QList<QByteArray>& nativePaths, bool clearFirst);
    void DeleteRequested();
    void RowActivated(int row);
    void ContextMenuRequested(const QPoint& globalPosition);
    // A drag of several rows was refused.
    void MultiRowDragRefused();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};
