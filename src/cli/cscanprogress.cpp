// SPDX-License-Identifier: GPL-3.0-or-later
#include "cscanprogress.h"

#include "platform/nativename.h"

#include <cstdio>

namespace {

constexpr qint64 kDelayMs = 500;
// The line is redrawn at most this often, so a run over many small files does not spend
// its time writing to the terminal.
constexpr qint64 kRedrawMs = 100;
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
    if (!Due())
        return;
    const QString path = folderPath.size() > kMaxPathShown
                             ? QStringLiteral("…") + folderPath.right(kMaxPathShown)
                             : folderPath;
    Show(QStringLiteral("Scanning Folder %1 … %2").arg(EscapeControlCharacters(path)).arg(count));
}

void CScanProgress::UpdateCount(const QString& doing, qint64 done, qint64 total) {
    if (!Due())
        return;
    Show(QStringLiteral("%1 %2 of %3 …").arg(doing).arg(done).arg(total));
}

bool CScanProgress::Due() const {
    if (!m_enabled)
        return false;
    const qint64 now = m_timer.elapsed();
    return now >= kDelayMs && (!m_shown || now - m_lastDrawn >= kRedrawMs);
}

void CScanProgress::Show(const QString& text) {
    if (!Due())
        return;
    Write(kEraseLine + text);
    m_shown = true;
    m_lastDrawn = m_timer.elapsed();
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
