// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/changesettings.h"
#include "engine/criteriachoices.h"
#include "platform/fileoperations.h"

#include <QString>

// The words a rename run says, exactly as the user sees them.

QString NewLocationInvalidText(const QString& newLocation);
QString NewLocationInvalidStatus();
// The warning for an Auto Date type whose date the run will not produce; empty when none
// applies. Only asked when the Auto Date mode is not "None".
QString DateWarningText(AutoDateType autoDateType, const CHANGESETTINGS& changes,
                        bool extractExifData);
QString RenameCancelledStatus();    // after a date warning
QString RenameNotConfirmedStatus(); // after the confirmation
QString InvalidCharactersText();
QString ConfirmRenameMessage(int selectedCount, const CHANGESETTINGS& changes);
QString ConfirmRenameText();
QString RefreshingStatus();
QString GeneratingListStatus();
QString RenamingStatus();
QString ProcessedStatus(int processed);
QString FailedEntryText(const QString& oldPath, const QString& newPath, const FILEOPRESULT& result);
QString CompletionText(int processed, int renamed);
// The question before a run whose undo journal cannot be written.
QString JournalUnwritableText(const QString& reason);

// The n-th name tried when the new name is taken: "_n" before the last dot. The bytes
// version does the same to a name on disk, whatever its encoding.
QString DuplicateCandidate(const QString& newName, int n);
QByteArray DuplicateCandidate(const QByteArray& newName, int n);
