// SPDX-License-Identifier: GPL-3.0-or-later
#include "namegroups.h"

#include "filelist/textrules.h"

#include <QStringList>

namespace {

// A path such as C:\Photos names its drive first, and a drive is never part of the folder
// text. A native path starts at the root, which has no name, so all its components count.
bool HasDriveLetter(const QString& path) {
    return path.size() >= 2 && path[1] == QLatin1Char(':') && path[0].isLetter() &&
           path[0].unicode() < 0x80;
}

QStringList FolderComponents(const QString& folderPath) {
    if (!HasDriveLetter(folderPath))
        return folderPath.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QStringList components = folderPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    components.removeFirst();
    return components;
}

QString FolderText(const QString& folderPath, const QString& separator, qint32 levels) {
    if (levels < 1)
        return QString();
    const QStringList components = FolderComponents(folderPath);
    const qsizetype used = qMin<qsizetype>(levels, components.size());
    return components.sliced(components.size() - used).join(separator);
}

} // namespace

void ApplyFolderNameGroup(const GROUPCONTEXT& context, QString& base) {
    const FOLDERNAMECRITERIA& c = context.criteria.folderName;
    const QString folder =
        FolderText(context.input.folderPath, c.separator, context.numbers.folderLevels);
    if (c.mode == FolderNameMode::Prefix)
        base = folder + c.separator + base;
    else if (c.mode == FolderNameMode::Suffix)
        base = base + c.separator + folder;
}
