// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// What a path names when symbolic links are followed, as a user who types or passes a path
// means it: a link to a folder is a folder.
enum class PathKind : int { Missing, Folder, File, Other };

[[nodiscard]] PathKind KindOfPath(const QByteArray& nativePath);

// Whether the path is a regular file (links followed) that this process can open for
// reading. Never blocks: a pipe or device is not a file that can be read whole.
[[nodiscard]] bool CanOpenFileForReading(const QByteArray& nativePath);

// The process's current folder as native bytes; empty when it cannot be read.
[[nodiscard]] QByteArray CurrentNativeFolder();
