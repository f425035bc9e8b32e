// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>

// The path made absolute against the current folder, on the bytes and without looking at
// the disk: "." parts and repeated separators go; a ".." goes with the part before it only
// when that part is of the current folder (the system gives it without symbolic links),
// since a part of the path as given could be a link to another folder. Empty stays empty.
QByteArray AbsoluteNativePath(const QByteArray& nativePath);
// The same against a given absolute folder.
QByteArray AbsoluteNativePath(const QByteArray& nativePath, const QByteArray& currentFolder);

// The path with every symbolic link, "." and ".." resolved, for telling whether two paths
// name the same place; empty when it cannot be resolved (a part is missing).
[[nodiscard]] QByteArray CanonicalNativePath(const QByteArray& nativePath);

// Whether a folder (followed through symbolic links) can be listed, and if not why, with
// the system's error number.
enum class FolderProblem : int { None, Missing, NotFolder, TooLong, LinkLoop, Unreadable };
struct FOLDERCHECK {
    FolderProblem problem = FolderProblem::None;
    int error = 0;
};
[[nodiscard]] FOLDERCHECK CheckFolder(const QByteArray& nativePath);

// Why a file that the program reads whole may not be read: it must be a regular file
// (never a pipe or a device, which could block or never end) of a sane size.
enum class InputFileProblem : int { None, Missing, Folder, NotRegular, TooLarge, Unreadable };
struct INPUTFILECHECK {
    InputFileProblem problem = InputFileProblem::None;
    int error = 0; // the system's error number for Missing and Unreadable
};
[[nodiscard]] INPUTFILECHECK CheckInputFile(const QByteArray& nativePath, qint64 maxBytes);

// 0 when a regular file can be written at the path (an existing one, or a new one in a
// writable folder), else the error number (EISDIR, EINVAL for a pipe or device, EACCES …).
// Nothing is created.
[[nodiscard]] int WritableFileError(const QByteArray& nativePath);

// Whether an error number says that nothing is at the path (ENOENT).
[[nodiscard]] bool IsNotFoundError(int error);

// The error number the last failed system call left on this thread.
[[nodiscard]] int LastErrorNumber();
