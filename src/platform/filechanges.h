// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timevalue.h"

#include <QByteArray>

// Read-only means "nobody may write": setting it removes every write bit, clearing it
// gives the owner write permission back.
bool WriteReadOnly(const QByteArray& nativePath, bool readOnly);
// Restores exact permission bits (what undo puts back).
bool WritePermissions(const QByteArray& nativePath, quint32 permissions);
// Writes the last-access and last-write times of the file itself (never of a link's
// target); a time of 0 leaves that time as it is. The creation time cannot be written on
// Linux, so there is no call for it.
bool WriteFileTimes(const QByteArray& nativePath, TimeValue accessed, TimeValue modified);
// Whether this platform can write a creation time.
bool CanWriteCreationTime();
