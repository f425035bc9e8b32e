// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"

#include "folderpaths.h"
#include "platform/pathchecks.h"
#include "platform/pathkind.h"

#include <QFile>

namespace {

template <typename Text> Text WithoutQuotes(Text text) {
    using Char = typename Text::value_type;
    text.removeIf([](Char c) { return c == Char(u'"'); });
    return text;
}

// The folder a "/f" switch names: the path cut at its last "/"; "/" for a file in the root,
// empty when there is no "/" at all.
template <typename Text> Text SwitchFolder(const Text& path) {
    using Char = typename Text::value_type;
    const qsizetype cut = path.lastIndexOf(Char(u'/'));
    if (cut < 0)
        return Text();
    return cut == 0 ? Text(1, Char(u'/')) : path.left(cut);
}

template <typename Text, typename List> Text Clean(const List& arguments) {
    using Char = typename Text::value_type;
    const Char blank = Char(u' ');
    for (qsizetype i = 0; i + 1 < arguments.size(); ++i) {
        const Text argument = WithoutQuotes(arguments[i]).trimmed();
        if (argument.size() == 2 && argument[0] == Char(u'/') && argument[1] == Char(u'f'))
            return SwitchFolder(WithoutQuotes(arguments.mid(i + 1).join(blank).trimmed()));
    }
    return WithoutQuotes(arguments.join(blank).trimmed());
}

bool EndsInQvn(const QByteArray& path) {
    return path.size() >= 3 && path.right(3).toLower() == "qvn";
}

} // namespace

QString CleanCommandLine(const QStringList& arguments) {
    return Clean<QString>(arguments);
}

QByteArray CleanCommandLine(const QByteArrayList& arguments) {
    return Clean<QByteArray>(arguments);
}

STARTUPTARGET StartupTargetOf(const QByteArray& cleanedCommandLine) {
    STARTUPTARGET target;
    if (cleanedCommandLine.isEmpty()) {
        target.kind = StartupTargetKind::CurrentFavourite;
        return target;
    }
    if (cleanedCommandLine.compare("/RESET", Qt::CaseInsensitive) == 0) {
        target.kind = StartupTargetKind::ResetSettings;
        return target;
    }
    const QByteArray path = AbsoluteNativePath(cleanedCommandLine, CurrentNativeFolder());
    // PathKind::File is a regular file only: a pipe or device named *.qvn would block the
    // favourites load for ever.
    switch (KindOfPath(path)) {
    case PathKind::Folder:
        target.kind = StartupTargetKind::Folder;
        break;
    case PathKind::File:
        if (EndsInQvn(path))
            target.kind = StartupTargetKind::Favourite;
        break;
    default:
        break;
    }
    if (target.kind != StartupTargetKind::Nothing) {
        target.nativePath = path;
        target.path = QFile::decodeName(path);
    }
    return target;
}

QByteArray HandOverPath(const QByteArray& cleanedCommandLine) {
    if (cleanedCommandLine.isEmpty())
        return QByteArray();
    return AbsoluteNativePath(cleanedCommandLine, CurrentNativeFolder());
}
