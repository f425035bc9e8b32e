// SPDX-License-Identifier: GPL-3.0-or-later
#include "cundojournal.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

namespace {

const QString kPattern = QStringLiteral("run-*.qvj");

QByteArray Number(qint64 value) {
    return QByteArray::number(value);
}

QByteArray IdentityFields(const FILEIDENTITY* id) {
    if (!id)
        return "0 0 0 0 0 0 0 0";
    return QByteArray::number(id->mode, 8) + ' ' + QByteArray::number(id->device) + ' ' +
           QByteArray::number(id->inode) + ' ' + QByteArray::number(id->size) + ' ' +
           Number(id->modifiedSeconds) + ' ' + Number(id->modifiedNanoseconds) + ' ' +
           Number(id->accessedSeconds) + ' ' + Number(id->accessedNanoseconds);
}

QByteArray PathField(const QByteArray& path) {
    return path.isEmpty() ? QByteArrayLiteral("-") : path.toHex();
}

void RemoveOldest(const QString& folder, int runsKept) {
    QStringList paths = JournalPaths(folder);
    while (paths.size() > runsKept)
        QFile::remove(paths.takeFirst());
}

} // namespace

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
    Write("I " + Number(entry) + ' ' + IdentityFields(before) + ' ' + PathField(oldPath) + ' ' +
          PathField(newPath) + '\n');
    return entry;
}

void CUndoJournal::Done(int entry, const QByteArray& pathNow) {
    FILEIDENTITY now;
    if (!ReadFileIdentity(pathNow, now))
        now = FILEIDENTITY();
    Write("D " + Number(entry) + ' ' + QByteArray::number(now.device) + ' ' +
          QByteArray::number(now.inode) + '\n');
}

void CUndoJournal::Failed(int entry, int error) {
    Write("X " + Number(entry) + ' ' + Number(error) + '\n');
}

void CUndoJournal::End() {
    if (!m_file.IsOpen())
        return;
    Write("E\n");
    m_file.Close();
    RemoveOldest(m_folder, m_runsKept);
}

void CUndoJournal::Discard() {
    if (!m_file.IsOpen())
        return;
    m_file.Close();
    QFile::remove(m_path);
    m_path.clear();
}

void CUndoJournal::Write(const QByteArray& line) {
    if (!m_file.IsOpen())
        return;
    const bool last = line == "E\n";
    const bool sync = m_sync == Sync::Disk ||
                      (m_sync == Sync::Periodic && (++m_unsynced >= kPeriodicLines || last));
    if (sync)
        m_unsynced = 0;
    if (!m_file.Append(line, sync) && m_problem.isEmpty())
        m_problem = m_path + QStringLiteral(": ") + ErrorText(m_file.Error());
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
