// SPDX-License-Identifier: GPL-3.0-or-later
#include "cpreviewprinter.h"

#include "outputcolumns.h"
#include "outputformats.h"
#include "persontable.h"
#include "print0format.h"

CPreviewPrinter::CPreviewPrinter(const QVNREQUEST& request, OutputFormat format,
                                 int sizeDisplayMode)
    : m_request(request), m_format(format), m_sizeDisplayMode(sizeDisplayMode) {}

OUTPUTROWS CPreviewPrinter::Rows(const CFileList& list, bool plain) const {
    OUTPUTROWS output;
    for (const QString& key : m_request.columns) {
        const OUTPUTCOLUMN* column = FindOutputColumn(key);
        if (!column)
            continue;
        output.columns.append(column);
        output.keys.append(column->Key());
        output.headings.append(ColumnHeading(*column));
        output.alignRight.append(AlignRight(*column));
        output.numeric.append(column->numeric);
    }
    output.list = &list;
    output.plain = plain;
    output.sizeDisplayMode = m_sizeDisplayMode;
    output.listRows.reserve(static_cast<size_t>(list.RowCount()));
    for (int row = 0; row < list.RowCount(); ++row) {
        const FILEENTRY& entry = list.GetEntry(row);
        if (!m_request.changedOnly || entry.newName != entry.name)
            output.listRows.push_back(row);
    }
    return output;
}

void CPreviewPrinter::Write(const CFileList& list, const TERMINALSTYLE& style,
                            COutputBuffer& out) const {
    const bool plain = m_format != OutputFormat::Table || m_request.print0;
    const OUTPUTROWS rows = Rows(list, plain);
    if (m_request.print0) {
        WritePrint0(rows, out);
        return;
    }
    switch (m_format) {
    case OutputFormat::Tsv:
        WriteTsv(rows, out);
        return;
    case OutputFormat::Json:
        WriteJson(rows, out);
        return;
    case OutputFormat::Table:
        break;
    }
    if (!style.forPerson) {
        WriteTable(rows, out);
        return;
    }
    WritePersonTable(rows, style, out);
    WriteSummary(list, style, out);
}

// Counted over the whole list, whatever --changed leaves out.
void CPreviewPrinter::WriteSummary(const CFileList& list, const TERMINALSTYLE& style,
                                   COutputBuffer& out) const {
    qsizetype changed = 0;
    qsizetype conflicts = 0;
    for (int row = 0; row < list.RowCount(); ++row) {
        const FILEENTRY& entry = list.GetEntry(row);
        changed += entry.newName != entry.name ? 1 : 0;
        conflicts += entry.conflict != NameConflict::None ? 1 : 0;
    }
    const QString summary = PreviewSummary(list.RowCount(), changed, conflicts);
    out.Append(Styled(summary, kStyleFaint, style.colour).toUtf8());
    out.Append('\n');
}
