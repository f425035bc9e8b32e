// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QStringList>

// The cleaned command line: the arguments after the program name joined with blanks,
// trimmed, without double quotes. The switch "/f" counts only as an argument of its own
// followed by a path: the result is then the folder of that path ("/" for a file in the
// root, empty for a bare file name). Two characters "/f" inside a path mean nothing.
// The native form keeps a path whose name is not valid UTF-8 exact, for the start-up
// target and the hand-over to a running instance.
[[nodiscard]] QString CleanCommandLine(const QStringList& arguments);
[[nodiscard]] QByteArray CleanCommandLine(const QByteArrayList& arguments);

// What a cleaned command line asks for at start-up.
enum class StartupTargetKind : int {
    CurrentFavourite, // empty: load the current favourite, navigating to its folder
    ResetSettings,    // "/RESET" in any letter case, nothing else: ask to clear the settings;
                      // once the question was answered No, nothing is loaded
    Folder,           // an existing folder: current favourite without navigating, then the
                      // folder with "Subfolders" unticked
    Favourite,        // an existing file whose name ends in "qvn" in any case: load it
    Nothing           // anything else: nothing is loaded
};

struct STARTUPTARGET {
    StartupTargetKind kind = StartupTargetKind::Nothing;
    QByteArray nativePath; // absolute, for Folder and Favourite
    QString path;          // the same path decoded, for the favourite load and the tree
};

// Relative paths are taken from the current folder.
[[nodiscard]] STARTUPTARGET StartupTargetOf(const QByteArray& cleanedCommandLine);

// What a second instance hands to the running one: an empty command line stays empty (the
// running instance is only raised); anything else is made absolute here, because the
// running instance has a current folder of its own.
[[nodiscard]] QByteArray HandOverPath(const QByteArray& cleanedCommandLine);
