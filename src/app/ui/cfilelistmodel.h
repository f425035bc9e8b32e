// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "filelist/ilistnotices.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QIcon>
#include <QMimeDatabase>

class CProgramState;
struct FILEENTRY;

// The file list's rows as a table, read in place from the program state's list: the model
// keeps no copy of the rows. The list's notices (told by the window, the state's one
// listener) become the model's: one dataChanged per batch of changed rows.
class CFileListModel : public QAbstractTableModel, public IListNotices {
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

    void ListAboutToReset() override;
    void ListReset() override;
    void RowsAboutToBeInserted(int first, int last) override;
    void RowsInserted(int first, int last) override;
    void RowsAboutToBeRemoved(int first, int last) override;
    void RowsRemoved(int first, int last) override;
    void RowsChanged(int first, int last, RowChanges changes) override;

    // File icons in the Name column ("Icons" in the Display menu).
    void SetShowIcons(bool show) { m_showIcons = show; }

signals:
    // An in-place edit ended with a new name; delivered after the editor has closed.
    void InPlaceRenameRequested(int row, const QString& text);

private:
    QColor ColourOf(int colourRef) const;
    QIcon IconOf(const FILEENTRY& entry) const;

    CProgramState& m_state;
    bool m_resetting = false;
    bool m_showIcons = true;
    // Icons come from the desktop's theme by the name's type alone, never by reading the
    // file, and are kept per extension: painting asks for every visible row.
    QIcon m_folderIcon;
    QIcon m_fileIcon;
    QMimeDatabase m_mimeTypes;
    mutable QHash<QString, QIcon> m_iconsByExtension;
};
