// SPDX-License-Identifier: GPL-3.0-or-later
#include "folderpaths.h"

#include "platform/nativename.h"
#include "platform/pathkind.h"

#include <QByteArrayList>
#include <QDir>
#include <QFile>

namespace {

template <typename Text> Text ParentOf(Text path) {
    using Char = typename Text::value_type;
    const Char slash = Char(u'/');
    while (path.size() > 1 && path.endsWith(slash))
        path.chop(1);
    const qsizetype cut = path.lastIndexOf(slash);
    if (cut < 0)
        return path;
    path.truncate(cut);
    return path.isEmpty() ? Text(1, slash) : path;
}

} // namespace

QString ParentFolder(const QString& path) {
    return ParentOf(path);
}

QByteArray ParentFolder(const QByteArray& nativePath) {
    return ParentOf(nativePath);
}

QByteArray NearestExistingFolder(const QByteArray& nativePath) {
    QByteArray path = nativePath;
    while (!path.isEmpty()) {
        if (KindOfPath(path) == PathKind::Folder)
            return path;
        const QByteArray parent = ParentFolder(path);
        if (parent == path)
            break;
        path = parent;
    }
    return QByteArray();
}

JUMPPATHCHECK CheckJumpPath(const QString& typed, const QString& startFolder) {
    JUMPPATHCHECK check;
    if (typed.size() <= 2 && typed != QLatin1String("/")) {
        check.refusal = QStringLiteral(
            "The entered path must belonger than 2 characters.\n\nSpecify a path root as "
            "<drive>:\\, not just as <drive>:");
        return check;
    }
    QString unquoted = typed;
    unquoted.remove(QLatin1Char('"'));
    const QString path = unquoted.isEmpty()
                             ? QString()
                             : QDir::cleanPath(QDir(startFolder).absoluteFilePath(unquoted));
    if (path.isEmpty() || KindOfPath(EncodeNativeName(path)) != PathKind::Folder) {
        check.refusal = QStringLiteral("Path does not exist.");
        return check;
    }
    check.accepted = true;
    check.path = path;
    return check;
}
