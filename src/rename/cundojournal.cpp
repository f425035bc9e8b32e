// SPDX-License-Identifier: GPL-3.0-or-later
#include "cundojournal.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <charconv>

namespace {

const QString kPattern = QStringLiteral("run-*.qvj");

// Appended in place: a run writes several numbers and two paths per entry.
template <typename Number> void AppendNumber(QByteArray& line, Number value, int base = 10) {
    char digits[24];
    const auto written = std::to_chars(digits, digits + sizeof digits, value, base);
    line.append(digits, written.ptr - digits);
}

void AppendIdentity(QByteArray& line, const FILEIDENTITY* id) {
    if (!id) {
        line.append("0 0 0 0 0 0 0 0");
        return;
    }
    AppendNumber(line, id->mode, 8);
    for (const quint64 field : {id->device, id->inode, id->size}) {
        line.append(' ');
        AppendNumber(line, field);
    }
    for (const qint64 field : {id->modifiedSeconds, qint64(id->modifiedNanoseconds),
                               id->accessedSeconds, qint64(id->accessedNanoseconds)}) {
        line.append(' ');
        AppendNumber(line, field);
    }
}

void AppendPath(QByteArray& line, const QByteArray& path) {
    if (path.isEmpty()) {
        line.append('-');
        return;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    const qsizetype at = line.size();
    line.resize(at + 2 * path.size());
    char* out = line.data() + at;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = kHex[byte >> 4];
        *out++ = kHex[byte & 15];
    }
}

void RemoveOldest(const QString& folder, int runsKept) {
    QStringList paths = JournalPaths(folder);
    while (paths.size() > runsKept)
        QFile::remove(paths.takeFirst());
}

} // namespace

CUndoJournal::~CUndoJournal() {
    AwaitWriteAhead();
}

bool CUndoJournal::Begin(const QString& folder, int runsKept) {
    m_folder = folder;
    m_runsKept = qMax(runsKept, 1);
    m_problem.clear();
    if (!QDir().mkpath(folder)) {
        m_problem = QStringLiteral("cannot create the folder ") + folder;
        return false;
    }
    // Names sort in the order the runs started; a name already taken moves one on.
    qint64 stamp = QDateTime::currentMSecsSinceEpoch();
    for (int attempt = 0; attempt < 1000 && !m_file.IsOpen(); ++attempt, ++stamp) {
        m_path = QDir(folder).filePath(
            QStringLiteral("run-%1.qvj").arg(stamp, 15, 10, QLatin1Char('0')));
        m_file.Create(QFile::encodeName(m_path));
    }
    if (!m_file.IsOpen()) {
        m_problem = m_path + QStringLiteral(": ") + ErrorText(m_file.Error());
        m_path.clear();
        return false;
    }
    if (!m_file.Append("QVNJOURNAL 1\n", true)) {
        m_problem = m_path + QStringLiteral(": ") + ErrorText(m_file.Error());
        m_file.Close();
        QFile::remove(m_path);
        m_path.clear();
        return false;
    }
    return true;
}

int CUndoJournal::Intend(const QByteArray& oldPath, const QByteArray& newPath,
                         const FILEIDENTITY* before) {
    const int entry = m_next++;
    if (!m_file.IsOpen())
        return entry;
    // Written straight into the batch: a run collects two or three lines per entry.
    QByteArray& line = m_pending;
    line.append("I ");
    AppendNumber(line, entry);
    line.append(' ');
    AppendIdentity(line, before);
    line.append(' ');
    AppendPath(line, oldPath);
    line.append(' ');
    AppendPath(line, newPath);
    line.append('\n');
    Collected();
    return entry;
}

// The outcomes need no sync of their own. After a crash of the machine an entry whose D
// line was lost counts as interrupted, and undo finds the file from its I line, which was
// on the disk before the move: the same inode at the new path (or, for a copy to another
// file system, the same type, size and modification time), or the file still at its old
// path when the move never reached the disk. The next batch's sync, or the end's, takes
// these lines along anyway.
void CUndoJournal::Done(int entry, const FILEIDENTITY& now) {
    if (!m_file.IsOpen())
        return;
    QByteArray& line = m_pending;
    line.append("D ");
    AppendNumber(line, entry);
    line.append(' ');
    AppendNumber(line, now.device);
    line.append(' ');
    AppendNumber(line, now.inode);
    line.append('\n');
    Collected();
}

void CUndoJournal::Failed(int entry, int error) {
    if (!m_file.IsOpen())
        return;
    QByteArray& line = m_pending;
    line.append("X ");
    AppendNumber(line, entry);
    line.append(' ');
    AppendNumber(line, error);
    line.append('\n');
    Collected();
}

bool CUndoJournal::WriteAhead() {
    AwaitWriteAhead();
    if (!m_file.IsOpen() || m_pending.isEmpty())
        return m_problem.isEmpty();
    const bool written = m_file.Append(m_pending, m_sync != Sync::Kernel);
    m_pending.resize(0); // keeps its room for the next batch
    Written(written);
    return written;
}

// Only a sync is worth a thread: it waits for the disk, which the moves need not.
void CUndoJournal::WriteAheadInBackground() {
    AwaitWriteAhead();
    if (m_sync != Sync::Batch || !m_file.IsOpen() || m_pending.isEmpty()) {
        WriteAhead();
        return;
    }
    m_writing.swap(m_pending); // m_writing was emptied, its room kept, when last joined
    m_writer = std::thread([this] { m_writtenInBackground = m_file.Append(m_writing, true); });
}

bool CUndoJournal::AwaitWriteAhead() {
    if (!m_writer.joinable())
        return m_problem.isEmpty();
    m_writer.join();
    m_writing.resize(0);
    Written(m_writtenInBackground);
    return m_writtenInBackground;
}

void CUndoJournal::Written(bool written) {
    if (!written && m_problem.isEmpty())
        m_problem = m_path + QStringLiteral(": ") + ErrorText(m_file.Error());
}

void CUndoJournal::End() {
    if (!m_file.IsOpen())
        return;
    m_pending.append("E\n");
    WriteAhead();
    m_file.Close();
    RemoveOldest(m_folder, m_runsKept);
}

void CUndoJournal::Discard() {
    AwaitWriteAhead();
    if (!m_file.IsOpen())
        return;
    m_pending.clear();
    m_file.Close();
    QFile::remove(m_path);
    m_path.clear();
}

void CUndoJournal::Collected() {
    if (m_sync == Sync::Disk)
        WriteAhead();
}

bool MarkJournalUndone(const QString& path) {
    CAppendFile file;
    return file.OpenExisting(QFile::encodeName(path)) && file.Append("U\n", true);
}

QStringList JournalPaths(const QString& folder) {
    const QDir dir(folder);
    QStringList paths;
    for (const QString& name : dir.entryList({kPattern}, QDir::Files, QDir::Name))
        paths << dir.filePath(name);
    return paths;
}
