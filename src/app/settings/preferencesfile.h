// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "preferences.h"

#include <QString>

// The state of the tip of the day, kept in section "Tip" of the preferences file.
struct TIPSTATE {
    int startUp = 1;
    int filePos = 0;
    QString timeStamp; // the tips file's time as "%Y/%m/%d %H:%M:%S"
};

// Quorvin.ini beside the program when it exists and may be written (portable use),
// otherwise Quorvin.ini in the user's configuration folder.
QString PreferencesFilePath();

// Quorvin.log beside the program in portable use (when the preferences file is there),
// otherwise in the user's data folder.
QString ActivityLogPath();
// The folder where rename runs keep their undo journals, in the user's data folder.
QString DefaultJournalFolder();

// Reads every key with its default ("Display Filesizes As" right after "Log Activity",
// the sort keys last); a missing file gives all defaults.
void ReadPreferencesFile(const QString& path, PREFERENCES& preferences);
// Writes the keys in their order; "Desktop Root" is read but never written.
bool WritePreferencesFile(const QString& path, const PREFERENCES& preferences);

void ReadTipState(const QString& path, TIPSTATE& tip);
bool WriteTipState(const QString& path, const TIPSTATE& tip);
