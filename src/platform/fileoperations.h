// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The outcome of one file operation: on failure the error number and its English text.
struct FILEOPRESULT {
    bool ok = false;
    int error = 0;
    QString errorText;

    // The target was in the way ("already exists").
    bool AlreadyExists() const;
};

// What identifies a file and what undo puts back, read without following a link.
struct FILEIDENTITY {
    quint64 device = 0;
    quint64 inode = 0;
    quint64 size = 0;
    quint32 mode = 0; // file type and permission bits
    qint64 modifiedSeconds = 0;
    qint32 modifiedNanoseconds = 0;
    qint64 accessedSeconds = 0;
    qint32 accessedNanoseconds = 0;

    bool IsFolder() const;
    bool SameFile(const FILEIDENTITY& other) const;
    // What a copy to another file system keeps: type, size and modification time.
    bool SameContentStamp(const FILEIDENTITY& other) const;
};

// Moves (renames) a file or folder and never replaces what is at `to`. A name that differs
// only in letter case from a file that is the same file (a case-insensitive file system)
// is renamed in place. A file moves to another file system by copy, sync and removal of
// the source after the copy is complete; a folder cannot.
FILEOPRESULT MoveNoReplace(const QByteArray& from, const QByteArray& to);
// The same, with `from` and `to` also given as a name inside an open folder (see
// CFolderHandles), which spares the kernel the walk along each path; a descriptor of -1
// uses the path.
FILEOPRESULT MoveNoReplaceAt(int fromFolder, const char* fromName, int toFolder, const char* toName,
                             const QByteArray& from, const QByteArray& to);
// As MoveNoReplace, but an existing file at `to` is replaced in one atomic step. Folders
// are never replaced, and a folder is never moved this way.
FILEOPRESULT MoveReplacingFile(const QByteArray& from, const QByteArray& to);
// The fallbacks for file systems that refuse the no-replace flag; public so that tests can
// run them on file systems that accept it.
FILEOPRESULT MoveNoReplaceByLink(const QByteArray& from, const QByteArray& to);
FILEOPRESULT MoveNoReplaceByCheck(const QByteArray& from, const QByteArray& to);

// Copies a file's contents, permissions and times. Fails when `to` exists unless
// `overwrite`, in which case the target is replaced atomically. A folder fails.
FILEOPRESULT CopyFileTo(const QByteArray& from, const QByteArray& to, bool overwrite);
// Removes a file; never a folder.
FILEOPRESULT DeleteFileAt(const QByteArray& path);

// Whether anything (a dangling link too) has that path.
bool NativePathExists(const QByteArray& path);
bool ReadFileIdentity(const QByteArray& path, FILEIDENTITY& identity);
// The same for a name inside an open folder.
bool ReadFileIdentityAt(int folder, const char* name, FILEIDENTITY& identity);
// Sets the access and modification times exactly as recorded (never of a link's target).
bool WriteExactTimes(const QByteArray& path, const FILEIDENTITY& times);
// Gives execute permission to whoever may read the file.
bool MakeExecutable(const QByteArray& path);

// The English text of an error number, followed by the number in parentheses.
QString ErrorText(int error);
