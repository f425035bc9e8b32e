// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/changesettings.h"
#include "filelist/cfilelist.h"

// After an entry was renamed: writes the requested attributes and times to the file at
// its new path and records what was written in the row. Nothing is reported: a write that
// fails leaves the file and the row's times as they were.
void ApplyAttributesAndTimes(CFileList& list, int item, const QByteArray& nativePath,
                             quint32 attributesBefore, TimeValue dateTaken,
                             const CHANGESETTINGS& settings, TimeValue now);

// The new time of one kind from the time as read: 0 from a source means "leave it".
TimeValue AppliedTime(TimestampMode mode, TimeValue asRead, TimeValue other, TimeValue dateTaken,
                      TimeValue fixed, qint64 delta, bool negative, TimeValue now);
