// SPDX-License-Identifier: GPL-3.0-or-later
#include "clipboardtexts.h"

#include "platform/sizetext.h"
#include "platform/timevalue.h"

#include <QStringList>

#include <algorithm>
#include <utility>

namespace {

const CLIPBOARDCOPYCOMMAND kCommands[] = {
    {ClipboardCopyMode::Pathname, "&Pathname"},
    {ClipboardCopyMode::PathnameExt, "Pathname + &Ext."},
    {ClipboardCopyMode::Filename, "File&name"},
    {ClipboardCopyMode::FilenameExt, "Filename + E&x."},
    {ClipboardCopyMode::NewFilename, "&New Filename"},
    {ClipboardCopyMode::NewFilenameExt, "New Filename + Ext&."},
    {ClipboardCopyMode::FilenameNewFilename, "Filename + Ne&w Filename"},
    {ClipboardCopyMode::FilenameNewFilenameExt, "Filen&ame + New Filename + Ext."},
    {ClipboardCopyMode::ExtendedDetails, "Extended File &Details"},
};

const QLatin1String kDetailsHeader(
    "Filename\tParent Folder\tFull Path\tFile Type\tSize\tCreated\tModified\tAccessed");

QString WithoutExtension(const QString& text) {
    const qsizetype dot = text.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? text : text.left(dot);
}

QString TimeText(TimeValue value) {
    return value == 0 ? QString() : LocaleTimeText(value);
}

QString DetailsLine(const FILEENTRY& e, int sizeDisplayMode) {
    const QStringList columns = {
        e.name,
        e.FolderName(),
        JoinPath(e.FolderPath(), e.name),
        e.typeName,
        SizeText(e.isFolder ? 0 : e.size, sizeDisplayMode),
        TimeText(e.created),
        TimeText(e.modified),
        TimeText(e.accessed),
    };
    return columns.join(QLatin1Char('\t'));
}

QString RowText(const FILEENTRY& e, ClipboardCopyMode mode, int sizeDisplayMode) {
    const QChar tab = QLatin1Char('\t');
    switch (mode) {
    case ClipboardCopyMode::Pathname:
        // The extension is the name's: a dot in a folder name above must not cut the path.
        return JoinPath(e.FolderPath(), WithoutExtension(e.name));
    case ClipboardCopyMode::PathnameExt:
        return JoinPath(e.FolderPath(), e.name);
    case ClipboardCopyMode::Filename:
        return WithoutExtension(e.name);
    case ClipboardCopyMode::FilenameExt:
        return e.name;
    case ClipboardCopyMode::NewFilename:
        return WithoutExtension(e.newName);
    case ClipboardCopyMode::NewFilenameExt:
        return e.newName;
    case ClipboardCopyMode::FilenameNewFilename:
        return WithoutExtension(e.name) + tab + WithoutExtension(e.newName);
    case ClipboardCopyMode::FilenameNewFilenameExt:
        return e.name + tab + e.newName;
    case ClipboardCopyMode::ExtendedDetails:
        return DetailsLine(e, sizeDisplayMode);
    }
    return QString();
}

} // namespace

std::span<const CLIPBOARDCOPYCOMMAND> ClipboardCopyCommands() {
    return kCommands;
}

QString ClipboardCopyText(const CFileList& list, ClipboardCopyMode mode, int sizeDisplayMode) {
    QStringList lines;
    for (int row = list.NextSelected(-1); row >= 0; row = list.NextSelected(row)) {
        if (lines.isEmpty() && mode == ClipboardCopyMode::ExtendedDetails)
            lines.append(kDetailsHeader);
        // Every row keeps its line, empty or not, so that line n is always the n-th row.
        lines.append(RowText(list.GetEntry(row), mode, sizeDisplayMode));
    }
    return lines.join(QLatin1String("\r\n"));
}

std::vector<int> RowsNamedInClipboardText(const CFileList& list, const QString& text) {
    // Sorted folded names find every prefix by binary search, so a long clipboard text
    // against a long list stays fast.
    std::vector<std::pair<QString, int>> names;
    names.reserve(static_cast<size_t>(list.RowCount()));
    for (int row = 0; row < list.RowCount(); ++row)
        names.emplace_back(list.GetEntry(row).name.toCaseFolded(), row);
    std::sort(names.begin(), names.end());

    std::vector<bool> named(static_cast<size_t>(list.RowCount()), false);
    for (QString line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const QString prefix = line.toCaseFolded();
        auto it =
            std::lower_bound(names.begin(), names.end(), prefix,
                             [](const auto& name, const QString& p) { return name.first < p; });
        for (; it != names.end() && it->first.startsWith(prefix); ++it)
            named[static_cast<size_t>(it->second)] = true;
    }
    std::vector<int> rows;
    for (int row = 0; row < list.RowCount(); ++row) {
        if (named[static_cast<size_t>(row)])
            rows.push_back(row);
    }
    return rows;
}

int SelectFromClipboardText(CFileList& list, const QString& text) {
    int selected = 0;
    for (int row : RowsNamedInClipboardText(list, text)) {
        if (!list.IsSelected(row)) {
            list.SetSelected(row, true);
            ++selected;
        }
    }
    return selected;
}
