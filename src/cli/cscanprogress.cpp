// SPDX-License-Identifier: GPL-3.0-or-later
#include "cscanprogress.h"

#include <cstdio>

namespace {

constexpr qint64 kDelayMs = 500;
constexpr qsizetype kMaxPathShown = 60;
const QLatin1String kEraseLine("\r\x1b[K");

} // namespace

CScanProgress::CScanProgress(bool enabled) : m_enabled(enabled) {
    m_timer.start();
}

void CScanProgress::Restart() {
    Finish();
    m_timer.restart();
}

void CScanProgress::Update(const QString& folderPath, int count) {
    const QString path = folderPath.size() > kMaxPathShown
                             ? QStringLiteral("…") + folderPath.right(kMaxPathShown)
                             : folderPath;
    Show(QStringLiteral("Scanning Folder %1 … %2").arg(path).arg(count));
}

void CScanProgress::UpdateCount(qint64 done, qint64 total) {
    Show(QStringLiteral("%1 of %2 …").arg(done).arg(total));
}

void CScanProgress::Show(const QString& text) {
    if (!m_enabled || m_timer.elapsed() < kDelayMs)
        return;
    Write(kEraseLine + text);
    m_shown = true;
}

void CScanProgress::Finish() {
    if (m_shown)
        Write(kEraseLine);
    m_shown = false;
}

void CScanProgress::Write(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}
