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

QString Line(const QStringList& cells, const QList<qsizetype>& widths, const QList<bool>& right,
             qsizetype highlighted, const char* style, bool colour) {
    QString line;
    for (qsizetype c = 0; c < cells.size(); ++c) {
        if (c > 0)
            line += kGap;
        const bool styled = highlighted == kAllCells || c == highlighted;
        line += Cell(cells[c], widths[c], right[c], style, colour && styled);
    }
    while (line.endsWith(QLatin1Char(' ')))
        line.chop(1);
    return line + QLatin1Char('\n');
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

QString FormatPersonTable(const OUTPUTROWS& output, const TERMINALSTYLE& style) {
    QList<QStringList> rows;
    for (const QStringList& row : output.rows) {
        QStringList cells;
        for (const QString& value : row)
            cells.append(TableCell(value));
        rows.append(cells);
    }
    QList<qsizetype> natural;
    for (const QString& heading : output.headings)
        natural.append(heading.size());
    for (const QStringList& row : std::as_const(rows)) {
        for (qsizetype c = 0; c < row.size(); ++c)
            natural[c] = qMax(natural[c], row[c].size());
    }
    const qsizetype newName = output.keys.indexOf(kNewNameKey);
    QList<qsizetype> widths = natural;
    if (style.width > 0 && !natural.isEmpty()) {
        const qsizetype spare = kChangedMark.size() + kGap.size() * (natural.size() - 1);
        widths = CTableLayout(natural, newName).Fit(style.width - spare);
    }
    QString text = kSameMark + Line(output.headings, widths, output.alignRight, kAllCells,
                                    kStyleBold, style.colour);
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const bool changed = r < output.changed.size() && output.changed[r];
        const bool conflicting = r < output.conflicting.size() && output.conflicting[r];
        const QLatin1String mark = conflicting ? kConflictMark : changed ? kChangedMark : kSameMark;
        text += mark + Line(rows[r], widths, output.alignRight, changed ? newName : kNoCell,
                            conflicting ? kStyleConflict : kStyleChanged, style.colour);
    }
    return text;
}

QString PreviewSummary(qsizetype entries, qsizetype changed, qsizetype conflicts) {
    return Counted(entries, "entry", "entries") + QLatin1String(", ") + Grouped(changed) +
           QLatin1String(" change, ") + Counted(conflicts, "conflict", "conflicts");
}
