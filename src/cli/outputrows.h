// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "outputcolumns.h"

#include "filelist/cfilelist.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// What a preview prints: the chosen columns and the rows of the list to print. The values
// are not kept; each format reads them from the entries as it writes (RowValue).
struct OUTPUTROWS {
    QStringList keys;
    QStringList headings;
    QList<bool> alignRight;
    QList<bool> numeric;
    QList<const OUTPUTCOLUMN*> columns;
    const CFileList* list = nullptr;
    std::vector<int> listRows; // the printed rows of the list, in order
    bool plain = true;         // plain values (tsv, json, --print0) or as the list shows them
    int sizeDisplayMode = 0;
};

[[nodiscard]] const FILEENTRY& RowEntry(const OUTPUTROWS& output, qsizetype row);
// The text of column c in printed row `row`; see ColumnView for how long the view lives.
[[nodiscard]] QStringView RowValue(const OUTPUTROWS& output, qsizetype row, qsizetype c,
                                   QString& scratch);
// Per printed row: the new name differs; the new name cannot be given as it stands.
[[nodiscard]] bool RowChanged(const OUTPUTROWS& output, qsizetype row);
[[nodiscard]] bool RowConflicting(const OUTPUTROWS& output, qsizetype row);
// Called before printing `row`: has the processor fetch the entries and names of the rows
// a little further on, as the printed order is seldom the order of their memory.
void PrefetchAhead(const OUTPUTROWS& output, qsizetype row);
