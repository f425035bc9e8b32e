// SPDX-License-Identifier: GPL-3.0-or-later
#include "outputrows.h"

namespace {

// How many rows ahead an entry is fetched, and then the texts it points to: the entry must
// be in by the time its texts are asked for.
constexpr qsizetype kEntryAhead = 16;
constexpr qsizetype kTextsAhead = 8;

} // namespace

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

void PrefetchAhead(const OUTPUTROWS& output, qsizetype row) {
    const auto rows = qsizetype(output.listRows.size());
    if (row + kEntryAhead < rows)
        __builtin_prefetch(&RowEntry(output, row + kEntryAhead));
    if (row + kTextsAhead < rows) {
        const FILEENTRY& entry = RowEntry(output, row + kTextsAhead);
        __builtin_prefetch(entry.name.constData());
        __builtin_prefetch(entry.newName.constData());
    }
}
