// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/cappendfile.h"
#include "platform/fileoperations.h"

#include <QByteArray>
#include <QString>

#include <thread>

// The undo journal of one run: a text file of one record per line, written ahead of the
// moves it describes, so that what a run did can be reversed even after the program or the
// machine died in the middle of it.
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
//   X n errno                          the move of entry n failed or was never tried;
//                                      nothing changed
//   E                                  the run ended
//   U                                  the run was undone
//
// An entry with an I line and no D or X line was interrupted: the move may or may not have
// happened. Undo tells by what is at OLD and NEW (see journalundo.h). The entries are undone
// last I line first, so the I lines are in the order the moves are made.
//
// Lines are collected and written in batches: the intents of up to kBatchEntries entries go
// out in one write, together with the outcomes of the batch before, and reach the disk
// with one sync before the first of those moves (WriteAhead). Syncing every line would cost
// two disk flushes per renamed file (10,000 renames took 73 s instead of 0.2 s). The next
// batch's intents may go out on another thread (WriteAheadInBackground) while the moves of
// the batch before are made; its moves wait for that sync (AwaitWriteAhead).
class CUndoJournal {
public:
    // How hard the lines are pushed: each line on its own, written and synchronised to the
    // disk at once (Disk); in batches, each batch synchronised before its moves (Batch:
    // survives a crash of the machine); in batches, to the kernel only (Kernel: survives
    // the program being killed).
    enum class Sync { Disk, Kernel, Batch };
    static constexpr int kBatchEntries = 256;

    static constexpr int kRunsKept = 5;

    explicit CUndoJournal(Sync sync = Sync::Batch) : m_sync(sync) {}
    ~CUndoJournal();
    CUndoJournal(const CUndoJournal&) = delete;
    CUndoJournal& operator=(const CUndoJournal&) = delete;

    // Starts a new journal file in `folder` (created when missing); its first line is on
    // the disk before this returns. False when no journal can be written (see Problem).
    bool Begin(const QString& folder, int runsKept = kRunsKept);
    bool IsOpen() const { return m_file.IsOpen(); }
    QString Path() const { return m_path; }
    // Why the journal could not be begun or written, for the user; empty when it could.
    QString Problem() const { return m_problem; }

    // Collects an intent and returns the entry's number for the lines that follow. The
    // move may be made only after WriteAhead.
    int Intend(const QByteArray& oldPath, const QByteArray& newPath, const FILEIDENTITY* before);
    // Writes what was collected in one write and, unless Kernel, synchronises it. False
    // when the journal could not be written.
    bool WriteAhead();
    // The same on another thread: the caller goes on at once and must not make the moves of
    // these intents before AwaitWriteAhead. Writes go out in the order they were asked for.
    void WriteAheadInBackground();
    // Waits for the write begun in the background, if any; false when it failed.
    bool AwaitWriteAhead();
    // The entry's move succeeded and the file at its new path is `now` (device and inode).
    void Done(int entry, const FILEIDENTITY& now);
    void Failed(int entry, int error);
    // Ends the journal and keeps it; the oldest journals go so that `runsKept` remain.
    void End();
    // Ends a run that changed nothing: its journal goes, so that an undo reaches the run
    // before it.
    void Discard();

private:
    // A line was added to m_pending.
    void Collected();
    void Written(bool written);

    CAppendFile m_file;
    QString m_path;
    QString m_folder;
    QString m_problem;
    QByteArray m_pending;
    int m_runsKept = kRunsKept;
    Sync m_sync;
    int m_next = 0;
    std::thread m_writer;
    QByteArray m_writing; // the bytes the writer thread owns until it is joined
    bool m_writtenInBackground = true;
};

// Appends the line that marks a journal's run as undone.
bool MarkJournalUndone(const QString& path);
// Journal files of a folder, oldest first.
QStringList JournalPaths(const QString& folder);
