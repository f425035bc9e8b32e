// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// The path a symbolic link finally leads to (every link along the way followed), or the
// path itself when it is not a link or the link leads nowhere.
QByteArray FollowLinks(const QByteArray& nativePath);
