// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>

// Mount points a person would browse to: removable and extra volumes, not the system's own
// pseudo file systems.
QList<QByteArray> MountedVolumePaths();
// Whether the path is a folder, following a symbolic link (a link to a folder can be opened).
bool IsFolderPath(const QByteArray& nativePath);
// The numeric id of the user running the program.
quint32 CurrentUserId();
