// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QString>

// The progress line of a long listing, rename run or undo on a terminal: shown only once
// the activity has taken about half a second, so quick ones leave no trace, and erased at
// the end or before anything else is written.
class CScanProgress {
public:
    explicit CScanProgress(bool enabled);

    void SetEnabled(bool enabled) { m_enabled = enabled; }
    // A new activity begins: the half second counts from here.
    void Restart();
    void Update(const QString& folderPath, int count);
    // "Renaming 12 of 300 …": `done` of `total` entries processed.
    void UpdateCount(const QString& doing, qint64 done, qint64 total);
    void Finish();

private:
    void Show(const QString& text);
    // Whether a line shown now would be drawn; the text is made only then.
    [[nodiscard]] bool Due() const;
    void Write(const QString& text);

    bool m_enabled;
    bool m_shown = false;
    qint64 m_lastDrawn = 0; // ms after the start, when m_shown
    QElapsedTimer m_timer;
};
