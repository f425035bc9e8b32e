// SPDX-License-Identifier: GPL-3.0-or-later
#include "cstatuspanes.h"

#include <QDateTime>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

#include <algorithm>

namespace {

constexpr qint64 kProgressDelayMs = 500;

QLabel* MakePane(QStatusBar* bar, const QString& initial, const QString& name, int width) {
    auto* label = new QLabel(initial, bar);
    label->setAccessibleName(name);
    label->setObjectName(name);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (width > 0)
        label->setMinimumWidth(width);
    return label;
}

} // namespace

CStatusPanes::CStatusPanes(QStatusBar* bar)
    : QObject(bar),
      m_counts(MakePane(bar, QStringLiteral("Statistics"), QStringLiteral("Statistics"), 180)),
      m_favourite(MakePane(bar, QStringLiteral("Favourite"), QStringLiteral("Favourite"), 110)),
      m_message(MakePane(bar, QStringLiteral("Quorvin"), QStringLiteral("Message"), 0)),
      m_progress(new QProgressBar(bar)) {
    bar->addWidget(m_counts);
    bar->addWidget(m_favourite);
    bar->addWidget(m_message, 1);
    m_progress->setAccessibleName(QStringLiteral("Progress"));
    m_progress->setMaximumWidth(200);
    m_progress->setVisible(false);
    bar->addPermanentWidget(m_progress);
}

void CStatusPanes::SetCounts(int total, int selected) {
    m_counts->setText(QStringLiteral("%1 Objects (%2 Selected)").arg(total).arg(selected));
}

void CStatusPanes::SetFavourite(const QString& text) {
    m_favourite->setText(text);
}

void CStatusPanes::SetMessage(const QString& text) {
    m_message->setText(text);
}

QString CStatusPanes::Message() const {
    return m_message->text();
}

QString CStatusPanes::Counts() const {
    return m_counts->text();
}

void CStatusPanes::SetProgress(qint64 done, qint64 total) {
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (m_progressStartedAt < 0)
        m_progressStartedAt = now;
    if (now - m_progressStartedAt < kProgressDelayMs)
        return;
    if (total > 0) {
        m_progress->setRange(0, 1000);
        m_progress->setValue(static_cast<int>(std::clamp<qint64>(done * 1000 / total, 0, 1000)));
    } else {
        m_progress->setRange(0, 0); // busy without a known end
    }
    m_progress->setVisible(true);
}

void CStatusPanes::HideProgress() {
    m_progressStartedAt = -1;
    m_progress->setVisible(false);
}
