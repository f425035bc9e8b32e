// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/renamepairs.h"

#include <QString>

// A pairs file is read only when it is a regular file of at most this size.
constexpr qint64 kMostPairsFileBytes = qint64(256) << 20;

// Replaces the pairs with those of a pairs file: one pair a line, the old name before the
// first vertical bar and the new name before the second, for every file type (commas in a
// ".csv" file mean nothing). False when the file cannot be opened; the pairs are empty then.
bool LoadRenamePairs(const QString& path, RENAMEPAIRMAP& pairs);

// The message for a pairs file that LoadRenamePairs could not open.
QString RenamePairsOpenError(const QString& path);

// Status texts of the import and the message of the clear command.
QString RenamePairsImportingStatus(const QString& fileName);
QString RenamePairsImportedStatus();
QString RenamePairsClearedMessage();
