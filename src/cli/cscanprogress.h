// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QString>

// The progress line of a long scan on a terminal: shown only once the scan has taken
// about half a second, so quick listings leave no trace, and erased at the end.
class CScanProgress {
public:
    explicit CScanProgress(bool enabled);

    void Update(const QString& folderPath, int count);
    void Finish();

private:
    void Write(const QString& text);

    bool m_enabled;
    bool m_shown = false;
    QElapsedTimer m_timer;
};
