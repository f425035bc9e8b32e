// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamepair.h"

#include "filelist/nameconflicts.h"
#include "platform/nativename.h"

#include <QDir>
#include <QFile>

namespace {

template <typename Text>
void ReplacePrefix(Text& path, const Text& oldPrefix, const Text& newPrefix) {
    if (path.startsWith(oldPrefix))
        path.replace(0, oldPrefix.size(), newPrefix);
}

// Lexically: a symbolic link on the way stays as it is.
QString Absolute(const QString& folder) {
    if (folder.startsWith(QLatin1Char('/')))
        return folder;
    const QString relative = folder == QLatin1String(".") ? QString() : folder;
    return WithSeparator(QDir::currentPath()) + relative;
}

QByteArray Absolute(const QByteArray& folder) {
    if (folder.startsWith('/'))
        return folder;
    const QByteArray relative = folder == "." ? QByteArray() : folder;
    return WithSeparator(QFile::encodeName(QDir::currentPath())) + relative;
}

} // namespace

QString WithSeparator(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QByteArray WithSeparator(const QByteArray& folder) {
    return folder.endsWith('/') ? folder : folder + '/';
}

QByteArray NativeNewName(const FILEENTRY& entry, const QString& newName) {
    return EncodeNewName(entry, newName);
}

std::vector<RENAMEPAIR> BuildRenameList(const CFileList& list, const QString& newLocation) {
    std::vector<RENAMEPAIR> pairs;
    pairs.reserve(static_cast<size_t>(list.SelectedCount()));
    const QString location =
        newLocation.isEmpty() ? QString() : WithSeparator(Absolute(newLocation));
    const QByteArray nativeLocation = EncodeNativeName(location);
    // Rows of one folder mostly come together: they share its path instead of each making it.
    const FILEENTRY* previous = nullptr;
    QString folder;
    QByteArray nativeFolder;
    for (int row = list.NextSelected(-1); row >= 0; row = list.NextSelected(row)) {
        const FILEENTRY& e = list.GetEntry(row);
        if (!previous || previous->NativeFolderPath() != e.NativeFolderPath() ||
            previous->FolderPath() != e.FolderPath()) {
            folder = WithSeparator(Absolute(e.FolderPath()));
            nativeFolder = WithSeparator(Absolute(e.NativeFolderPath()));
        }
        previous = &e;
        RENAMEPAIR pair;
        pair.item = row;
        pair.folder = folder;
        pair.nativeFolder = nativeFolder;
        pair.name = e.name;
        pair.nativeName = e.NativeName();
        pair.newName = e.newName;
        pair.nativeNewName = NativeNewName(e, e.newName);
        pair.newFolder = location.isEmpty() ? pair.folder : location;
        pair.nativeNewFolder = location.isEmpty() ? pair.nativeFolder : nativeLocation;
        pair.dateTaken = e.dateTaken;
        pair.isFolder = e.isFolder;
        pairs.push_back(std::move(pair));
    }
    return pairs;
}

bool RENAMEPAIR::KeepsPath() const {
    if (nativeFolder == nativeNewFolder)
        return nativeName == nativeNewName;
    return NativeOldPath() == NativeNewPath();
}

void RewriteFolder(RENAMEPAIR& pair, const RENAMEPAIR& renamed) {
    const QByteArray nativeOld = renamed.NativeOldPath() + '/';
    if (!pair.nativeFolder.startsWith(nativeOld))
        return;
    const QByteArray nativeNew = renamed.NativeNewPath() + '/';
    const QString oldPath = renamed.OldPath() + QLatin1Char('/');
    const QString newPath = renamed.NewPath() + QLatin1Char('/');
    ReplacePrefix(pair.nativeFolder, nativeOld, nativeNew);
    ReplacePrefix(pair.nativeNewFolder, nativeOld, nativeNew);
    ReplacePrefix(pair.folder, oldPath, newPath);
    ReplacePrefix(pair.newFolder, oldPath, newPath);
}
