// SPDX-License-Identifier: GPL-3.0-or-later
#include "folderbrowsing.h"

#include "filelist/fileentry.h"
#include "platform/cdirectoryreader.h"
#include "platform/desktopplaces.h"

#include <QDir>
#include <QFile>

#include <algorithm>

QList<FOLDERROOT> FolderTreeRoots(int desktopRoot) {
    QList<FOLDERROOT> roots;
    const QByteArray home = QFile::encodeName(QDir::homePath());
    roots.append({QStringLiteral("Home"), home});
    if (desktopRoot > 0)
        return roots;
    roots.append({QStringLiteral("/"), QByteArrayLiteral("/")});
    for (const QByteArray& volume : MountedVolumePaths())
        roots.append({QFile::decodeName(volume.mid(volume.lastIndexOf('/') + 1)), volume});
    return roots;
}

QList<QByteArray> ListSubfolders(const QByteArray& nativeFolder) {
    QList<QByteArray> names;
    CDirectoryReader reader;
    if (!reader.Open(nativeFolder))
        return names;
    QByteArray name;
    while (reader.Next(name)) {
        if (!name.startsWith('.') && IsFolderPath(JoinNativePath(nativeFolder, name)))
            names.append(name);
    }
    std::sort(names.begin(), names.end(), [](const QByteArray& a, const QByteArray& b) {
        const int byText = QFile::decodeName(a).compare(QFile::decodeName(b), Qt::CaseInsensitive);
        return byText != 0 ? byText < 0 : a < b;
    });
    return names;
}

bool IsExistingFolder(const QByteArray& nativePath) {
    return IsFolderPath(nativePath);
}
