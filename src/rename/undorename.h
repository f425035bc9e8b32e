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

// Reverses the last run from its history, last record first: each renamed entry is moved
// back without replacing anything, then its times and exact permissions are put back.
// Failures are silent. Returns false when the user declined the question.
bool OnUndoRename(CRenameHistory& history, IPrompts& prompts, const UNDOOPTIONS& options);
