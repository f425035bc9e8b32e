// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// Shares a terminal's width among the table's columns. The column kept whole (the new
// name) keeps its full width while the others can still show a few characters; the others
// shrink, the narrow ones keeping their width and the wide ones sharing what is left.
class CTableLayout {
public:
    CTableLayout(QList<qsizetype> naturalWidths, qsizetype keepWhole);

    // Widths whose sum is at most available where the columns' minimums allow it.
    [[nodiscard]] QList<qsizetype> Fit(qsizetype available) const;

private:
    qsizetype Minimum(qsizetype column) const;
    QList<qsizetype> ShareAmong(const QList<qsizetype>& columns, qsizetype budget) const;

    QList<qsizetype> m_natural;
    qsizetype m_keepWhole;
};

// The text cut to width characters by replacing its middle with "…", so that the start and
// the end (the extension) stay readable.
QString ShortenMiddle(const QString& text, qsizetype width);
