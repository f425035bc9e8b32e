// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The folder of the running program.
QString ExecutableFolder();
// The user's configuration folder for this program (~/.config/Tarnwick/Quorvin).
QString UserConfigFolder();
// The user's data folder for this program (~/.local/share/Tarnwick/Quorvin).
QString UserDataFolder();
// Whether a file exists and this process may write it.
bool IsWritableFile(const QString& path);
// Whether a file (or folder) of that path exists.
bool PathExists(const QString& path);
// Makes the folder (and its parents) when missing; false when it cannot be made.
bool EnsureFolder(const QString& path);
