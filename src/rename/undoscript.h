// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "crenamehistory.h"
#include "iprompts.h"

#include <QByteArray>
#include <QString>

// A shell word that stands for exactly these bytes: single quotes, in which nothing is
// special, with each single quote of the text written as '\''. No name can run a command.
QByteArray ShellQuoted(const QByteArray& bytes);

// The undo script of a history: "#!/bin/sh", the two comment lines, one `mv -n --` line
// per renamed record from the last to the first, and the closing echo. Each record is
// renamed back in the folder it is in now (a move into a New Location is not undone).
QByteArray UndoScriptText(const CRenameHistory& history);

// Writes the script (replacing an existing file) and makes it executable.
bool WriteUndoScript(const QString& path, const CRenameHistory& history);

// The command: asks for the file, writes it and reports in the status bar.
void OnCreateUndoBatchfile(const CRenameHistory& history, IPrompts& prompts);
