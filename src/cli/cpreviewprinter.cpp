// SPDX-License-Identifier: GPL-3.0-or-later
#include "cpreviewprinter.h"

#include "outputcolumns.h"
#include "outputformats.h"
#include "persontable.h"
#include "print0format.h"

#include "platform/nativename.h"

CPreviewPrinter::CPreviewPrinter(const QVNREQUEST& request, OutputFormat format,
                                 int sizeDisplayMode)
    : m_request(request), m_format(format), m_sizeDisplayMode(sizeDisplayMode) {}

QString CPreviewPrinter::Text(const CFileList& list) const {
    const OUTPUTROWS rows = Rows(list);
    switch (m_format) {
    case OutputFormat::Table:
        return FormatTable(rows);
    case OutputFormat::Json:
        return FormatJson(rows);
    case OutputFormat::Tsv:
        break;
    }
    return FormatTsv(rows);
}

OUTPUTROWS CPreviewPrinter::Rows(const CFileList& list) const {
    QList<const OUTPUTCOLUMN*> columns;
    OUTPUTROWS output;
    for (const QString& key : m_request.columns) {
        const OUTPUTCOLUMN* column = FindOutputColumn(key);
        if (!column)
            continue;
        columns.append(column);
        output.keys.append(column->Key());
        output.headings.append(ColumnHeading(*column));
        output.alignRight.append(AlignRight(*column));
        output.numeric.append(column->numeric);
    }
    const bool plain = m_format != OutputFormat::Table || m_request.print0;
    for (int row = 0; row < list.RowCount(); ++row) {
        const FILEENTRY& entry = list.GetEntry(row);
        if (m_request.changedOnly && entry.newName == entry.name)
            continue;
        QStringList values;
        for (const OUTPUTCOLUMN* column : std::as_const(columns))
            values.append(ColumnValue(list, row, *column, plain, m_sizeDisplayMode));
        output.rows.append(values);
        output.changed.append(entry.newName != entry.name);
        output.conflicting.append(entry.conflict != NameConflict::None);
        output.listRows.append(row);
    }
    return output;
}

QByteArray CPreviewPrinter::Bytes(const CFileList& list, const TERMINALSTYLE& style) const {
    if (m_request.print0)
        return FormatPrint0(Rows(list), list);
    // tsv gives names as their bytes on disk; the other texts are valid UTF-8 already.
    if (m_format != OutputFormat::Table || !style.forPerson)
        return EncodeNativeName(Text(list));
    qsizetype changed = 0;
    qsizetype conflicts = 0;
    for (int row = 0; row < list.RowCount(); ++row) {
        const FILEENTRY& entry = list.GetEntry(row);
        changed += entry.newName != entry.name ? 1 : 0;
        conflicts += entry.conflict != NameConflict::None ? 1 : 0;
    }
    const QString summary = PreviewSummary(list.RowCount(), changed, conflicts);
    return (FormatPersonTable(Rows(list), style) + Styled(summary, kStyleFaint, style.colour) +
            QLatin1Char('\n'))
        .toUtf8();
}
