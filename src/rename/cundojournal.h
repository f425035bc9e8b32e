// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/cappendfile.h"
#include "platform/fileoperations.h"

#include <QByteArray>
#include <QString>

// The undo journal of one run: a text file of one record per line, appended as the run
// goes and pushed to disk after every line, so that what a run did can be reversed even
// after the program or the machine died in the middle of it.
//
//   QVNJOURNAL 1                      first line
//   I n mode dev ino size ms mns as ans OLD NEW
//                                      entry n is about to move from OLD to NEW (written
//                                      before the move); mode to ans describe the file at
//                                      OLD (mode in octal, 0 when it could not be read);
//                                      OLD and NEW are the exact bytes of the paths in
//                                      hexadecimal, NEW is "-" for an unchanged entry
//   D n dev ino                        the move of entry n succeeded; the file at NEW is
//                                      that device and inode
//   X n errno                          the move of entry n failed; nothing changed
//   E                                  the run ended
//   U                                  the run was undone
//
// An entry with an I line and no D or X line was interrupted between the two: the move may
// or may not have happened. Undo tells by what is at NEW (see journalundo.h).
class CUndoJournal {
public:
    // How hard each line is pushed: to the disk (survives a crash of the machine), to the
    // kernel only (survives the program being killed), or to the kernel at once and to the
    // disk every kPeriodicLines lines and at the end. Pushing every line to the disk costs
    // two disk flushes per renamed file (measured: 10,000 renames take 73 s instead of
    // 0.2 s), so a run flushes periodically: a killed program loses nothing, a machine that
    // dies loses at most the last few lines.
    enum class Sync { Disk, Kernel, Periodic };
    static constexpr int kPeriodicLines = 256;

    static constexpr int kRunsKept = 5;

    explicit CUndoJournal(Sync sync = Sync::Periodic) : m_sync(sync) {}

    // Starts a new journal file in `folder` (created when missing); its first line is on
    // the disk before this returns. False when no journal can be written (see Problem).
    bool Begin(const QString& folder, int runsKept = kRunsKept);
    bool IsOpen() const { return m_file.IsOpen(); }
    QString Path() const { return m_path; }
    // Why the journal could not be begun or written, for the user; empty when it could.
    QString Problem() const { return m_problem; }

    // Returns the entry's number for the lines that follow.
    int Intend(const QByteArray& oldPath, const QByteArray& newPath, const FILEIDENTITY* before);
    void Done(int entry, const QByteArray& pathNow);
    void Failed(int entry, int error);
    // Ends the journal and keeps it; the oldest journals go so that `runsKept` remain.
    void End();
    // Ends a run that changed nothing: its journal goes, so that an undo reaches the run
    // before it.
    void Discard();

private:
    void Write(const QByteArray& line);

    CAppendFile m_file;
    QString m_path;
    QString m_folder;
    QString m_problem;
    int m_runsKept = kRunsKept;
    Sync m_sync;
    int m_next = 0;
    int m_unsynced = 0;
};

// Appends the line that marks a journal's run as undone.
bool MarkJournalUndone(const QString& path);
// Journal files of a folder, oldest first.
QStringList JournalPaths(const QString& folder);
