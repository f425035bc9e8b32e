// SPDX-License-Identifier: GPL-3.0-or-later
#include "outputcolumns.h"

#include "filelist/listcolumns.h"
#include "filelist/nameconflicts.h"

#include <array>

namespace {

const std::array kColumns{
    OUTPUTCOLUMN{"name", FieldListColumn, ColName, false},
    OUTPUTCOLUMN{"newName", FieldListColumn, ColNewName, false},
    OUTPUTCOLUMN{"subDir", FieldListColumn, ColSubDir, false},
    OUTPUTCOLUMN{"type", FieldListColumn, ColType, false},
    OUTPUTCOLUMN{"size", FieldListColumn, ColSize, true},
    OUTPUTCOLUMN{"created", FieldListColumn, ColCreated, false},
    OUTPUTCOLUMN{"modified", FieldListColumn, ColModified, false},
    OUTPUTCOLUMN{"accessed", FieldListColumn, ColAccessed, false},
    OUTPUTCOLUMN{"length", FieldListColumn, ColLength, true},
    OUTPUTCOLUMN{"taken", FieldListColumn, ColTaken, false},
    OUTPUTCOLUMN{"attributes", FieldListColumn, ColAttributes, false},
    OUTPUTCOLUMN{"track", FieldListColumn, ColTrack, true},
    OUTPUTCOLUMN{"path", FieldPath, -1, false},
    OUTPUTCOLUMN{"newPath", FieldNewPath, -1, false},
    OUTPUTCOLUMN{"folder", FieldFolder, -1, false},
    OUTPUTCOLUMN{"changed", FieldChanged, -1, true},
    OUTPUTCOLUMN{"invalid", FieldInvalid, -1, true},
    OUTPUTCOLUMN{"conflict", FieldConflict, -1, false},
    OUTPUTCOLUMN{"fnumber", FieldFNumber, -1, false},
    OUTPUTCOLUMN{"exposure", FieldExposure, -1, false},
    OUTPUTCOLUMN{"bias", FieldBias, -1, false},
    OUTPUTCOLUMN{"focal", FieldFocal, -1, false},
    OUTPUTCOLUMN{"comment", FieldComment, -1, false},
    OUTPUTCOLUMN{"artist", FieldArtist, -1, false},
    OUTPUTCOLUMN{"album", FieldAlbum, -1, false},
    OUTPUTCOLUMN{"title", FieldTitle, -1, false},
};

// The time a list column shows: the pending one when a change is pending.
TimeValue ShownTime(const FILEENTRY& entry, int listColumn) {
    switch (listColumn) {
    case ColCreated:
        return entry.createdPending ? entry.newCreated : entry.created;
    case ColModified:
        return entry.modifiedPending ? entry.newModified : entry.modified;
    case ColAccessed:
        return entry.accessedPending ? entry.newAccessed : entry.accessed;
    case ColTaken:
        return entry.hasExif ? entry.dateTaken : 0;
    default:
        return 0;
    }
}

QString PlainListValue(const FILEENTRY& entry, int listColumn, int sizeDisplayMode) {
    switch (listColumn) {
    case ColSize:
        return entry.isFolder ? QString() : QString::number(entry.size);
    case ColCreated:
    case ColModified:
    case ColAccessed:
    case ColTaken:
        return PlainTimeText(ShownTime(entry, listColumn));
    default:
        return CellText(entry, listColumn, sizeDisplayMode);
    }
}

QString Flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

const OUTPUTCOLUMN* FindOutputColumn(QStringView key) {
    for (const OUTPUTCOLUMN& column : kColumns) {
        if (key == QLatin1String(column.key))
            return &column;
    }
    return nullptr;
}

int ListColumnOfKey(QStringView key) {
    const OUTPUTCOLUMN* column = FindOutputColumn(key);
    return column ? column->listColumn : -1;
}

QString ColumnHeading(const OUTPUTCOLUMN& column) {
    if (column.field == FieldListColumn)
        return QLatin1String(ColumnInfo(column.listColumn).heading);
    return column.Key();
}

bool AlignRight(const OUTPUTCOLUMN& column) {
    if (column.field == FieldListColumn)
        return ColumnInfo(column.listColumn).alignRight;
    return column.numeric;
}

QString ColumnValue(const CFileList& list, int row, const OUTPUTCOLUMN& column, bool plain,
                    int sizeDisplayMode) {
    const FILEENTRY& entry = list.GetEntry(row);
    switch (column.field) {
    case FieldListColumn:
        return plain ? PlainListValue(entry, column.listColumn, sizeDisplayMode)
                     : CellText(entry, column.listColumn, sizeDisplayMode);
    case FieldPath:
        return list.GetFullPath(row);
    case FieldNewPath:
        return JoinPath(entry.folderPath, entry.newName);
    case FieldFolder:
        return entry.folderPath;
    case FieldChanged:
        return Flag(entry.newName != entry.name);
    case FieldInvalid:
        return Flag(entry.invalidChars);
    case FieldConflict:
        return NameConflictKey(entry.conflict);
    case FieldFNumber:
        return entry.Tags().exifAperture;
    case FieldExposure:
        return entry.Tags().exifExposure;
    case FieldBias:
        return entry.Tags().exifExposureBias;
    case FieldFocal:
        return entry.Tags().exifFocalLength;
    case FieldComment:
        return entry.Tags().exifComment;
    case FieldArtist:
        return entry.Tags().id3Artist;
    case FieldAlbum:
        return entry.Tags().id3Album;
    case FieldTitle:
        return entry.Tags().id3Title;
    }
    return QString();
}

QString PlainTimeText(TimeValue value) {
    CALENDARFIELDS fields;
    if (value == 0 || !LocalFieldsOf(FileTimeFromTimeValue(value), fields))
        return QString();
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", fields.year, fields.month, fields.day,
                             fields.hour, fields.minute, fields.second);
}

QStringList OutputColumnKeys() {
    QStringList keys;
    for (const OUTPUTCOLUMN& column : kColumns)
        keys.append(column.Key());
    return keys;
}
