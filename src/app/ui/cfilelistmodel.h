// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QColor>

class CProgramState;

// The file list's rows as a table, read in place from the program state's list: the model
// keeps no copy of the rows. Changes of row contents are gathered into one range and
// reported with one dataChanged per batch; structural changes are wrapped by the window
// with the Begin/End calls below.
class CFileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The mime type of a row dragged within the list; the data is the row number.
    static const char* const kRowMimeType;

    explicit CFileListModel(CProgramState& state, QObject* parent = nullptr);
    ~CFileListModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;

    // The whole list is about to be replaced (listing, rescan) / has been.
    void BeginReset();
    void EndReset();
    // Reports the rows changed since the last call as one range.
    void FlushChanges();
    // Moves row `from` before row `to` (the row count: to the end), as a drag does.
    bool MoveEntry(int from, int to);
    void RemoveEntries(QList<int> rows);

signals:
    // An in-place edit ended with a new name; delivered after the editor has closed.
    void InPlaceRenameRequested(int row, const QString& text);

private:
    void RowChanged(int row);
    QColor ColourOf(int colourRef) const;

    CProgramState& m_state;
    int m_resetDepth = 0;
    int m_dirtyFirst = -1;
    int m_dirtyLast = -1;
    bool m_flushQueued = false;
    bool m_wholeListChanged = false;
};
