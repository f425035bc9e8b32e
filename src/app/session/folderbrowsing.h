// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One top-level place of the folder tree.
struct FOLDERROOT {
    QString caption;
    QByteArray nativePath;
};

// "Desktop Root" 0: the home folder, "/" and the mounted volumes; above 0: the home folder.
QList<FOLDERROOT> FolderTreeRoots(int desktopRoot);
// The names (exact bytes) of the folders inside a folder, hidden ones left out, in the
// order a person reads them (case-insensitive by their text).
QList<QByteArray> ListSubfolders(const QByteArray& nativeFolder);
bool IsExistingFolder(const QByteArray& nativePath);
