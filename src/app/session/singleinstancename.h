// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The name every copy of the window started by the same user on the same display shares:
// a fixed GUID, "-", the user id, "-" and the display (or Wayland socket) name. The
// environment variable QUORVIN_INSTANCE replaces it, so that tests run apart from a
// window the user has open.
QString SingleInstanceName();

// The command line after the program name, cleaned as text would be, but kept as the
// native bytes of the arguments so that a folder whose name is not valid UTF-8 survives:
// joined by blanks, trimmed, double quotes removed, and "/f" (an argument of its own)
// followed by a file path gives the file's folder.
QByteArray CleanNativeCommandLine(const QList<QByteArray>& arguments);
