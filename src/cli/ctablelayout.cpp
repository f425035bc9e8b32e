// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctablelayout.h"

#include <algorithm>
#include <numeric>

namespace {

// Below this a shortened name says nothing.
constexpr qsizetype kMinimumColumn = 6;
const QChar kEllipsis(0x2026);

} // namespace

CTableLayout::CTableLayout(QList<qsizetype> naturalWidths, qsizetype keepWhole)
    : m_natural(std::move(naturalWidths)), m_keepWhole(keepWhole) {}

qsizetype CTableLayout::Minimum(qsizetype column) const {
    return std::min(m_natural[column], kMinimumColumn);
}

QList<qsizetype> CTableLayout::Fit(qsizetype available) const {
    const qsizetype natural = std::accumulate(m_natural.begin(), m_natural.end(), qsizetype(0));
    if (natural <= available)
        return m_natural;
    QList<qsizetype> others;
    qsizetype othersMinimum = 0;
    for (qsizetype c = 0; c < m_natural.size(); ++c) {
        if (c == m_keepWhole)
            continue;
        others.append(c);
        othersMinimum += Minimum(c);
    }
    const bool keeping = m_keepWhole >= 0 && m_keepWhole < m_natural.size();
    if (!keeping)
        return ShareAmong(others, available);
    const qsizetype kept = m_natural[m_keepWhole];
    QList<qsizetype> widths;
    if (available - kept >= othersMinimum) {
        widths = ShareAmong(others, available - kept);
        widths[m_keepWhole] = kept;
    } else {
        widths = ShareAmong(others, othersMinimum);
        widths[m_keepWhole] = std::max(Minimum(m_keepWhole), available - othersMinimum);
    }
    return widths;
}

// Narrowest first: a column narrower than its fair share keeps its width and leaves the
// rest to the wider ones.
QList<qsizetype> CTableLayout::ShareAmong(const QList<qsizetype>& columns, qsizetype budget) const {
    QList<qsizetype> widths(m_natural.size(), 0);
    QList<qsizetype> order = columns;
    std::sort(order.begin(), order.end(),
              [this](qsizetype a, qsizetype b) { return m_natural[a] < m_natural[b]; });
    qsizetype remaining = budget;
    for (qsizetype i = 0; i < order.size(); ++i) {
        const qsizetype column = order[i];
        const qsizetype share = std::max(qsizetype(0), remaining) / (order.size() - i);
        widths[column] = std::clamp(share, Minimum(column), m_natural[column]);
        remaining -= widths[column];
    }
    return widths;
}

QString ShortenMiddle(const QString& text, qsizetype width) {
    if (text.size() <= width)
        return text;
    if (width <= 1)
        return width == 1 ? QString(kEllipsis) : QString();
    const qsizetype tail = (width - 1) / 2;
    const qsizetype head = width - 1 - tail;
    return text.left(head) + kEllipsis + text.right(tail);
}
