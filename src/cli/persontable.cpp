// SPDX-License-Identifier: GPL-3.0-or-later
#include "persontable.h"

#include "ctablelayout.h"
#include "outputformats.h"

namespace {

const QLatin1String kGap("  ");
const QLatin1String kChangedMark("* ");
const QLatin1String kConflictMark("! ");
const QLatin1String kSameMark("  ");
const QLatin1String kNewNameKey("newName");
// Which cells of a line are styled: one column, all of them or none.
constexpr qsizetype kAllCells = -1;
constexpr qsizetype kNoCell = -2;

// Styled before padding, so that a coloured cell does not colour the gap after it.
QString Cell(const QString& text, qsizetype width, bool alignRight, const char* style,
             bool colour) {
    const QString shown = ShortenMiddle(text, width);
    const QString padding(width - shown.size(), QLatin1Char(' '));
    const QString styled = Styled(shown, style, colour);
    return alignRight ? padding + styled : styled + padding;
}

// The cells of the heading (row -1) or of a printed row.
QString Line(const OUTPUTROWS& output, qsizetype row, const QList<qsizetype>& widths,
             qsizetype highlighted, const char* style, bool colour, QString& scratch) {
    QString line;
    for (qsizetype c = 0; c < widths.size(); ++c) {
        if (c > 0)
            line += kGap;
        const bool styled = highlighted == kAllCells || c == highlighted;
        const QString cell =
            row < 0 ? output.headings[c] : TableCell(RowValue(output, row, c, scratch));
        line += Cell(cell, widths[c], output.alignRight[c], style, colour && styled);
    }
    while (line.endsWith(QLatin1Char(' ')))
        line.chop(1);
    return line + QLatin1Char('\n');
}

void WriteLine(QLatin1String mark, const QString& line, COutputBuffer& out) {
    out.Append(mark);
    out.Append(line.toUtf8());
}

// The widths the cells need; their texts are not kept.
QList<qsizetype> NaturalWidths(const OUTPUTROWS& output) {
    QList<qsizetype> natural;
    for (const QString& heading : output.headings)
        natural.append(heading.size());
    QString scratch;
    for (qsizetype r = 0; r < qsizetype(output.listRows.size()); ++r) {
        for (qsizetype c = 0; c < natural.size(); ++c)
            natural[c] = qMax(natural[c], TableCellWidth(RowValue(output, r, c, scratch)));
    }
    return natural;
}

// Thousands grouped with commas whatever the locale, so the line reads the same everywhere.
QString Grouped(qsizetype number) {
    QString digits = QString::number(number);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return digits;
}

QString Counted(qsizetype number, const char* one, const char* many) {
    return Grouped(number) + QLatin1Char(' ') + QLatin1String(number == 1 ? one : many);
}

} // namespace

void WritePersonTable(const OUTPUTROWS& output, const TERMINALSTYLE& style, COutputBuffer& out) {
    const QList<qsizetype> natural = NaturalWidths(output);
    const qsizetype newName = output.keys.indexOf(kNewNameKey);
    QList<qsizetype> widths = natural;
    if (style.width > 0 && !natural.isEmpty()) {
        const qsizetype spare = kChangedMark.size() + kGap.size() * (natural.size() - 1);
        widths = CTableLayout(natural, newName).Fit(style.width - spare);
    }
    QString scratch;
    WriteLine(kSameMark, Line(output, -1, widths, kAllCells, kStyleBold, style.colour, scratch),
              out);
    for (qsizetype r = 0; r < qsizetype(output.listRows.size()); ++r) {
        const bool changed = RowChanged(output, r);
        const bool conflicting = RowConflicting(output, r);
        const QLatin1String mark = conflicting ? kConflictMark : changed ? kChangedMark : kSameMark;
        WriteLine(mark,
                  Line(output, r, widths, changed ? newName : kNoCell,
                       conflicting ? kStyleConflict : kStyleChanged, style.colour, scratch),
                  out);
    }
}

QString PreviewSummary(qsizetype entries, qsizetype changed, qsizetype conflicts) {
    return Counted(entries, "entry", "entries") + QLatin1String(", ") + Grouped(changed) +
           QLatin1String(" change, ") + Counted(conflicts, "conflict", "conflicts");
}
