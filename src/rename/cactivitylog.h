// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <functional>

// The activity log of one rename run or undo: lines are only ever appended, each flushed
// at once so that the log is complete up to the last change even if the program dies, or,
// for a run that flushes it with each batch of its journal, flushed then.
// A log that cannot be opened writes nothing and stops nothing.
class CActivityLog {
public:
    using Clock = std::function<qint64()>; // seconds since 1970-01-01 00:00:00 UTC

    explicit CActivityLog(Clock clock = {});
    ~CActivityLog();
    CActivityLog(const CActivityLog&) = delete;
    CActivityLog& operator=(const CActivityLog&) = delete;

    // The caller decides where the log lives (beside the program or in the data folder);
    // an empty path leaves the log closed.
    void OpenLog(const QString& path);
    // The time text, " - ", the text and a line end. The text is bytes because the paths
    // in it are written exactly as they are named on disk.
    void WriteLogLine(const QByteArray& text);
    void CloseLog();
    bool IsOpen() const { return m_isOpen; }
    // Off: lines wait for Flush (or the close).
    void SetFlushEachLine(bool flush) { m_flushEachLine = flush; }
    void Flush();

private:
    Clock m_clock;
    QFile m_file;
    bool m_flushEachLine = true;
    bool m_isOpen = false;
    // Lines come many a second: the time text is made once for each second.
    qint64 m_timeSeconds = 0;
    QByteArray m_timeText;
};

// The log's file name inside a folder.
QString ActivityLogPath(const QString& folder);
// The UTC time as the user's locale writes a date and time, or "Invalid DateTime" for a
// time that the log's date format cannot hold.
QString LogTimeText(qint64 utcSeconds);
// "Renamed "old" to "new"" and "UNDO! Renamed "new" back to "old"".
QByteArray RenamedLogText(const QByteArray& oldPath, const QByteArray& newPath);
QByteArray UndoLogText(const QByteArray& newPath, const QByteArray& oldPath);
