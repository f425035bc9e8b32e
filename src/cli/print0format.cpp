// SPDX-License-Identifier: GPL-3.0-or-later
#include "print0format.h"

#include "filelist/listcolumns.h"

namespace {

// The current name, path and folder as their bytes on disk; anything else as its text.
void WriteValue(const OUTPUTROWS& output, qsizetype row, qsizetype c, QString& scratch,
                COutputBuffer& out) {
    const OUTPUTCOLUMN& column = *output.columns[c];
    const FILEENTRY& entry = RowEntry(output, row);
    if (column.field == FieldListColumn && column.listColumn == ColName) {
        out.AppendNative(entry.name);
    } else if (column.field == FieldPath) {
        if (entry.NativeFolderPath().isEmpty())
            return;
        out.Append(entry.NativeFolderPath());
        if (!entry.NativeFolderPath().endsWith('/'))
            out.Append('/');
        out.AppendNative(entry.name);
    } else if (column.field == FieldFolder) {
        out.Append(entry.NativeFolderPath());
    } else {
        out.AppendNative(RowValue(output, row, c, scratch));
    }
}

} // namespace

void WritePrint0(const OUTPUTROWS& output, COutputBuffer& out) {
    QString scratch;
    for (qsizetype r = 0; r < qsizetype(output.listRows.size()); ++r) {
        PrefetchAhead(output, r);
        for (qsizetype c = 0; c < output.columns.size(); ++c) {
            if (c > 0)
                out.Append('\t');
            WriteValue(output, r, c, scratch, out);
        }
        out.Append('\0');
    }
}
