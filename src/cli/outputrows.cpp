// SPDX-License-Identifier: GPL-3.0-or-later
#include "outputrows.h"

const FILEENTRY& RowEntry(const OUTPUTROWS& output, qsizetype row) {
    return output.list->GetEntry(output.listRows[static_cast<size_t>(row)]);
}

QStringView RowValue(const OUTPUTROWS& output, qsizetype row, qsizetype c, QString& scratch) {
    return ColumnView(RowEntry(output, row), *output.columns[c], output.plain,
                      output.sizeDisplayMode, scratch);
}

bool RowChanged(const OUTPUTROWS& output, qsizetype row) {
    const FILEENTRY& entry = RowEntry(output, row);
    return entry.newName != entry.name;
}

bool RowConflicting(const OUTPUTROWS& output, qsizetype row) {
    return RowEntry(output, row).conflict != NameConflict::None;
}
