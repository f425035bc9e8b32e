// SPDX-License-Identifier: GPL-3.0-or-later
#include "cactivitylog.h"

#include "platform/nativename.h"

#include <QDateTime>
#include <QLocale>

namespace {

// Days from 1899-12-30 (the log's date format) to 1970-01-01.
constexpr double kOleEpochOffset = 25569.0;

bool SameFields(const QDateTime& a, const QDateTime& b) {
    return a.date() == b.date() && a.time() == b.time();
}

} // namespace

CActivityLog::CActivityLog(Clock clock) : m_clock(std::move(clock)) {
    if (!m_clock)
        m_clock = [] { return QDateTime::currentSecsSinceEpoch(); };
}

CActivityLog::~CActivityLog() {
    CloseLog();
}

void CActivityLog::OpenLog(const QString& path) {
    CloseLog();
    if (path.isEmpty())
        return;
    m_file.setFileName(path);
    m_isOpen = m_file.open(QIODevice::WriteOnly | QIODevice::Append);
}

void CActivityLog::WriteLogLine(const QByteArray& text) {
    if (!m_isOpen)
        return;
    // One line per event whatever a name holds: a line break in a name must not forge a
    // line of its own.
    const qint64 now = m_clock();
    if (m_timeText.isEmpty() || now != m_timeSeconds) {
        m_timeSeconds = now;
        m_timeText = LogTimeText(now).toUtf8() + " - ";
    }
    m_file.write(m_timeText + EscapeControlBytes(text) + '\n');
    if (m_flushEachLine)
        m_file.flush();
}

void CActivityLog::Flush() {
    if (m_isOpen)
        m_file.flush();
}

void CActivityLog::CloseLog() {
    if (m_isOpen)
        m_file.close();
    m_isOpen = false;
}

QString ActivityLogPath(const QString& folder) {
    return folder + QStringLiteral("/Quorvin.log");
}

QString LogTimeText(qint64 utcSeconds) {
    const QDateTime utc = QDateTime::fromSecsSinceEpoch(utcSeconds, Qt::UTC);
    const double oleDate = kOleEpochOffset + static_cast<double>(utcSeconds) / 86400.0;
    const qint64 back = qRound64((oleDate - kOleEpochOffset) * 86400.0);
    const QDateTime again = QDateTime::fromSecsSinceEpoch(back, Qt::UTC);
    // The log's date format holds the years 100 to 9999 only.
    if (!utc.isValid() || utc.date().year() < 100 || utc.date().year() > 9999 ||
        !SameFields(utc, again))
        return QStringLiteral("Invalid DateTime");
    const QLocale locale;
    return locale.toString(utc, locale.dateFormat(QLocale::ShortFormat) + QLatin1Char(' ') +
                                    locale.timeFormat(QLocale::LongFormat));
}

QByteArray RenamedLogText(const QByteArray& oldPath, const QByteArray& newPath) {
    return "Renamed \"" + oldPath + "\" to \"" + newPath + '"';
}

QByteArray UndoLogText(const QByteArray& newPath, const QByteArray& oldPath) {
    return "UNDO! Renamed \"" + newPath + "\" back to \"" + oldPath + '"';
}
