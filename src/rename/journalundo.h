// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "iprompts.h"

#include "platform/fileoperations.h"

#include <QByteArray>
#include <QString>
#include <vector>

// One entry of a journal as read back (see cundojournal.h for the lines).
struct JOURNALRECORD {
    enum class State { Intended, Done, Failed };
    int entry = 0;
    State state = State::Intended;
    FILEIDENTITY before;
    bool beforeKnown = false;
    FILEIDENTITY after; // device and inode of the file at newPath after the move
    bool afterKnown = false;
    QByteArray oldPath;
    QByteArray newPath; // empty for an unchanged entry
};

struct JOURNAL {
    bool ended = false;
    bool undone = false;
    std::vector<JOURNALRECORD> records; // in the order the run wrote them
};

// A line cut short (the writer died while writing it) or not understood is left out.
bool ReadJournal(const QString& path, JOURNAL& journal);

struct JOURNALUNDOOPTIONS {
    bool assumeYes = false; // do not ask the question
    bool logActivity = false;
    QString logPath;
};

struct JOURNALUNDORESULT {
    enum class Outcome { Reversed, Declined, NothingToUndo };
    Outcome outcome = Outcome::NothingToUndo;
    int movedBack = 0; // entries moved back to their old path
    int restored = 0;  // entries whose times and permissions were put back
    int skipped = 0;   // renamed entries left where they are (see below)
};

// Reverses the run of the newest journal in `folder` unless it was undone already, last
// entry first. A renamed entry is moved back only when the file at its new path is the
// one the run put there: the same device and inode as after the move (or as before it,
// for a move that was interrupted before it could be confirmed), or, for a move to
// another file system that was interrupted, the same type, size and modification time.
// Anything else at the new path belongs to someone else and stays. The move back never
// replaces a file. Times (to the nanosecond) and permissions are put back only on a file
// that was moved back, or, for an unchanged entry, that is still the same file.
JOURNALUNDORESULT UndoLastJournal(const QString& folder, IPrompts& prompts,
                                  const JOURNALUNDOOPTIONS& options);
