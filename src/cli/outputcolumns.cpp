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

// Digits written into the reused text, with no allocation once it is long enough.
QStringView Digits(quint64 number, QString& scratch) {
    char16_t digits[20];
    qsizetype count = 0;
    do {
        digits[count++] = static_cast<char16_t>(u'0' + number % 10);
        number /= 10;
    } while (number != 0);
    scratch.resize(count);
    QChar* out = scratch.data();
    for (qsizetype i = 0; i < count; ++i)
        out[i] = QChar(digits[count - 1 - i]);
    return scratch;
}

// The folder and a name joined as JoinPath joins them, into the reused text.
QStringView Joined(const QString& folder, const QString& name, QString& scratch) {
    scratch.resize(0);
    if (folder.isEmpty())
        return scratch;
    scratch.append(QStringView(folder));
    if (!folder.endsWith(QLatin1Char('/')))
        scratch.append(QLatin1Char('/'));
    scratch.append(QStringView(name));
    return scratch;
}

QStringView Filled(QString text, QString& scratch) {
    scratch = std::move(text);
    return scratch;
}

// The list's columns whose text the entry holds as it is shown.
bool HeldListText(const FILEENTRY& entry, int listColumn, QStringView& view) {
    switch (listColumn) {
    case ColName:
        view = entry.name;
        return true;
    case ColNewName:
        view = entry.newName;
        return true;
    case ColSubDir:
        view = entry.SubDir();
        return true;
    case ColType:
        view = entry.typeName;
        return true;
    default:
        return false;
    }
}

QStringView PlainListView(const FILEENTRY& entry, int listColumn, int sizeDisplayMode,
                          QString& scratch) {
    switch (listColumn) {
    case ColSize:
        if (entry.isFolder)
            return QStringView();
        return Digits(entry.size, scratch);
    case ColCreated:
    case ColModified:
    case ColAccessed:
    case ColTaken:
        return Filled(PlainTimeText(ShownTime(entry, listColumn)), scratch);
    case ColLength:
        if (entry.newNameLength >= 0)
            return Digits(static_cast<quint64>(entry.newNameLength), scratch);
        break;
    case ColTrack:
        return Digits(entry.track, scratch);
    default:
        break;
    }
    return Filled(CellText(entry, listColumn, sizeDisplayMode), scratch);
}

QStringView ListView(const FILEENTRY& entry, int listColumn, bool plain, int sizeDisplayMode,
                     QString& scratch) {
    QStringView view;
    if (HeldListText(entry, listColumn, view))
        return view;
    if (plain)
        return PlainListView(entry, listColumn, sizeDisplayMode, scratch);
    return Filled(CellText(entry, listColumn, sizeDisplayMode), scratch);
}

QStringView Flag(bool on) {
    return on ? QStringView(u"1") : QStringView(u"0");
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

QStringView ColumnView(const FILEENTRY& entry, const OUTPUTCOLUMN& column, bool plain,
                       int sizeDisplayMode, QString& scratch) {
    switch (column.field) {
    case FieldListColumn:
        return ListView(entry, column.listColumn, plain, sizeDisplayMode, scratch);
    case FieldPath:
        return Joined(entry.FolderPath(), entry.name, scratch);
    case FieldNewPath:
        return Joined(entry.FolderPath(), entry.newName, scratch);
    case FieldFolder:
        return entry.FolderPath();
    case FieldChanged:
        return Flag(entry.newName != entry.name);
    case FieldInvalid:
        return Flag(entry.invalidChars);
    case FieldConflict:
        return Filled(NameConflictKey(entry.conflict), scratch);
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
    return QStringView();
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
