// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QLabel;
class QProgressBar;
class QStatusBar;

// The status bar's three panes (counts, current favourite, messages) as labels that stay
// until written again, so a screen reader can read them at any time, and the progress bar
// of long work.
class CStatusPanes : public QObject {
    Q_OBJECT
public:
    explicit CStatusPanes(QStatusBar* bar);

    void SetCounts(int total, int selected);
    void SetFavourite(const QString& text);
    void SetMessage(const QString& text);
    QString Message() const;
    QString Counts() const;

    // Shown while work runs longer than about half a second.
    void SetProgress(qint64 done, qint64 total);
    void HideProgress();

private:
    QLabel* m_counts;
    QLabel* m_favourite;
    QLabel* m_message;
    QProgressBar* m_progress;
    qint64 m_progressStartedAt = -1;
};
