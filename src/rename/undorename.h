// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "crenamehistory.h"
#include "iprompts.h"

#include <functional>

struct UNDOOPTIONS {
    bool logActivity = false;
    QString logPath;
    std::function<void()> rescan; // lists the current folder anew and refreshes the preview
};

// The question every undo asks first.
QString UndoQuestion();
// "Previous changes successfully reversed."
QString UndoDoneText();

// Reverses the last run, last record first: through the run's journal while it has one
// (which checks that each entry is still the one the run left), else from the history.
// Each renamed entry is moved back without replacing anything, then its times and exact
// permissions are put back. "Previous changes successfully reversed." only when every
// entry went back; otherwise the counts, and a warning naming each entry left behind.
// Returns false when the user declined the question.
bool OnUndoRename(CRenameHistory& history, IPrompts& prompts, const UNDOOPTIONS& options);
