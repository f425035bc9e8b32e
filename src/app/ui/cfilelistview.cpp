// SPDX-License-Identifier: GPL-3.0-or-later
#include "cfilelistview.h"

#include "cfilelistdelegate.h"
#include "cfilelistmodel.h"

#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

#include <algorithm>

namespace {

bool IsRowDrag(const QMimeData* mime) {
    return mime && mime->hasFormat(QString::fromLatin1(CFileListModel::kRowMimeType));
}

} // namespace

CFileListView::CFileListView(QWidget* parent) : QTableView(parent) {
    setObjectName(QStringLiteral("ShellList Control"));
    setAccessibleName(QStringLiteral("File list"));
    verticalHeader()->setVisible(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setShowGrid(false);
    setWordWrap(false);
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setAutoScroll(true);
    setTabKeyNavigation(false);
    setItemDelegate(new CFileListDelegate(this));
    // A light selection, so that the green and red of new names stay readable on it.
    QPalette colours = palette();
    const QColor highlight = colours.color(QPalette::Highlight);
    colours.setColor(QPalette::Highlight, highlight.lighter(190));
    colours.setColor(QPalette::HighlightedText, colours.color(QPalette::Text));
    setPalette(colours);
}

std::pair<int, int> CFileListView::VisibleRows() const {
    const int rows = model() ? model()->rowCount() : 0;
    if (rows == 0)
        return {0, -1};
    const int first = std::max(rowAt(0), 0);
    const int height = std::max(verticalHeader()->defaultSectionSize(), 1);
    const int shown = viewport()->height() / height + 1;
    return {first, std::min(first + shown, rows - 1)};
}

QList<int> CFileListView::SelectedRows() const {
    QList<int> rows;
    if (!selectionModel())
        return rows;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.append(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void CFileListView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
        const QList<int> rows = SelectedRows();
        if (rows.size() == 1 && state() != EditingState)
            edit(model()->index(rows.constFirst(), 0));
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Delete && state() != EditingState) {
        emit DeleteRequested();
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        state() != EditingState && currentIndex().isValid()) {
        emit RowActivated(currentIndex().row());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void CFileListView::startDrag(Qt::DropActions) {
    const QList<int> rows = SelectedRows();
    if (rows.size() != 1) {
        if (rows.size() > 1)
            emit MultiRowDragRefused();
        return;
    }
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(CFileListModel::kRowMimeType),
                  QByteArray::number(rows.constFirst()));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    const QRect rowRect = visualRect(model()->index(rows.constFirst(), 0))
                              .united(visualRect(model()->index(rows.constFirst(), 1)));
    drag->setPixmap(viewport()->grab(rowRect));
    drag->exec(Qt::MoveAction);
}

void CFileListView::dragEnterEvent(QDragEnterEvent* event) {
    if (IsRowDrag(event->mimeData()) || event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void CFileListView::dragMoveEvent(QDragMoveEvent* event) {
    QTableView::dragMoveEvent(event);
    if (IsRowDrag(event->mimeData()) || event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CFileListView::dropEvent(QDropEvent* event) {
    const QMimeData* mime = event->mimeData();
    if (IsRowDrag(mime)) {
        bool ok = false;
        const int from = mime->data(QString::fromLatin1(CFileListModel::kRowMimeType)).toInt(&ok);
        const QModelIndex target = indexAt(event->position().toPoint());
        const int to = target.isValid() ? target.row() : model()->rowCount();
        event->setDropAction(Qt::CopyAction); // the move is done here, not by the source
        event->accept();
        if (ok)
            emit RowDropped(from, to);
        return;
    }
    if (mime->hasUrls()) {
        QList<QByteArray> paths;
        for (const QUrl& url : mime->urls()) {
            if (url.isLocalFile())
                paths.append(
                    QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
        }
        event->acceptProposedAction();
        if (!paths.isEmpty())
            emit PathsDropped(paths, event->modifiers().testFlag(Qt::ControlModifier));
        return;
    }
    event->ignore();
}

void CFileListView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && event->button() == Qt::LeftButton) {
        emit RowActivated(index.row());
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void CFileListView::contextMenuEvent(QContextMenuEvent* event) {
    emit ContextMenuRequested(event->globalPos());
    event->accept();
}
