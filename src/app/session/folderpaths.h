// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Paths of folders the window moves between. Native paths are the exact bytes on disk, so
// a folder whose name is not valid UTF-8 can still be reached.

// One level up: the path cut at its last "/" (a trailing "/" does not count), and "/" when
// nothing is left. A path without any "/" has no known parent and stays as it is.
[[nodiscard]] QString ParentFolder(const QString& path);
[[nodiscard]] QByteArray ParentFolder(const QByteArray& nativePath);

// The folder itself when it exists (links followed), else its nearest existing parent
// folder; empty when none exists (the caller then selects its first top-level folder). A
// file's path gives the folder that holds it.
[[nodiscard]] QByteArray NearestExistingFolder(const QByteArray& nativePath);

// The outcome of the OK button of "Jump Directly to Path".
struct JUMPPATHCHECK {
    bool accepted = false;
    QString refusal; // the warning shown while the dialog stays open
    QString path;    // the folder to select, absolute and without double quotes
};

// Checks the typed text. A relative path is taken from `startFolder`, the folder the dialog
// started from. The root "/" is accepted although it is short: it plays the part of a drive
// root, which the length rule lets through.
[[nodiscard]] JUMPPATHCHECK CheckJumpPath(const QString& typed, const QString& startFolder);
