// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// The path a symbolic link finally leads to (every link along the way followed), or the
// path itself when it is not a link or the link leads nowhere.
QByteArray FollowLinks(const QByteArray& nativePath);

enum class EntryKind : int { Other, Folder, File };
// What a path is, read without following a link: a folder, a regular file, or anything
// else (a link, a device, a pipe, a path that cannot be examined).
EntryKind KindOfEntry(const QByteArray& nativePath);
