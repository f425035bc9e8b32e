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

// A renamed entry that an undo could not put back, and why.
struct UNDOMISS {
    enum class Reason {
        Missing,      // nothing is at its new path
        Replaced,     // something that is not the renamed entry is at its new path
        OldPathTaken, // something else now has its old path
        MoveFailed,   // the move back failed for another reason (errorText)
    };
    Reason reason = Reason::Missing;
    QByteArray oldPath;
    QByteArray newPath;
    QString errorText;
};

struct JOURNALUNDORESULT {
    enum class Outcome { Reversed, Declined, NothingToUndo };
    Outcome outcome = Outcome::NothingToUndo;
    int movedBack = 0; // entries moved back to their old path
    int restored = 0;  // entries whose times and permissions were put back
    int skipped = 0;   // renamed entries left where they are: one miss each
    std::vector<UNDOMISS> misses;
    QString journalPath; // the journal that was undone

    bool Complete() const { return outcome == Outcome::Reversed && misses.empty(); }
};

// Reverses the run of the newest journal in `folder` that was not undone yet, last entry
// first; called again, it reverses the run before that one. A renamed entry is moved back only when
// the file at its new path is the one the run put there: the same device and inode as after the
// move (or as before it, for a move that was interrupted before it could be confirmed), or, for a
// move to another file system that was interrupted, the same type, size and modification time.
// Anything else at the new path belongs to someone else and stays. The move back never
// replaces a file. Times (to the nanosecond) and permissions are put back only on a file
// that was moved back, or, for an unchanged entry, that is still the same file.
// The status text is "Previous changes successfully reversed." only when every entry went
// back; otherwise it gives the counts, and the result names each entry left behind.
JOURNALUNDORESULT UndoLastJournal(const QString& folder, IPrompts& prompts,
                                  const JOURNALUNDOOPTIONS& options);
// The same for one journal file, without the question (the caller asked it).
JOURNALUNDORESULT UndoJournalFile(const QString& path, IPrompts& prompts,
                                  const JOURNALUNDOOPTIONS& options);
// What the user reads about one miss, and about an undo that left entries behind.
QString UndoMissText(const UNDOMISS& miss);
QString UndoIncompleteText(int movedBack, int missed);
