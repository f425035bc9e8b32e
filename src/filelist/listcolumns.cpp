// SPDX-License-Identifier: GPL-3.0-or-later
#include "listcolumns.h"

#include "platform/attributes.h"
#include "platform/sizetext.h"

namespace {

const LISTCOLUMN kColumns[ColumnCount] = {
    {"Name", "Col Name", 160, false},
    {"New Name", "Col NewName", 160, false},
    {"Sub Dir.", "Col SubDir", 40, false},
    {"Type", "Col Type", 50, false},
    {"Size", "Col Size", 40, true},
    {"Created", "Col Created", 50, false},
    {"Modified", "Col Modified", 50, false},
    {"Accessed", "Col Accessed", 50, false},
    {"Length", "Col New Length", 50, true},
    {"Taken", "Col Time Taken", 50, false},
    {"Attributes", "Col Attributes", 50, false},
    {"Track", "Col MP3 Track", 50, true},
};

QString TimeText(TimeValue value) {
    return value == 0 ? QString() : LocaleTimeText(value);
}

} // namespace

const LISTCOLUMN& ColumnInfo(int column) {
    return kColumns[(column >= 0 && column < ColumnCount) ? column : 0];
}

QString CellText(const FILEENTRY& e, int column, int sizeDisplayMode) {
    switch (column) {
    case ColName:
        return e.name;
    case ColNewName:
        return e.newName;
    case ColSubDir:
        return e.SubDir();
    case ColType:
        return e.typeName;
    case ColSize:
        return e.isFolder ? QString() : SizeText(e.size, sizeDisplayMode);
    case ColCreated:
        return TimeText(e.createdPending ? e.newCreated : e.created);
    case ColModified:
        return TimeText(e.modifiedPending ? e.newModified : e.modified);
    case ColAccessed:
        return TimeText(e.accessedPending ? e.newAccessed : e.accessed);
    case ColLength:
        return QString::number(e.newNameLength);
    case ColTaken:
        return e.hasExif && e.dateTaken != 0 ? TimeText(e.dateTaken) : QString();
    case ColAttributes:
        return AttributeLetters(e.attributesPending ? e.newAttributes : e.attributes);
    case ColTrack:
        return QString::number(e.track);
    default:
        return QString();
    }
}

CellColour CellColourOf(const FILEENTRY& e, int column) {
    switch (column) {
    case ColNewName:
        if (!e.affected)
            return CellColour::Normal;
        if (e.invalidChars)
            return CellColour::Invalid;
        return e.conflict != NameConflict::None ? CellColour::Conflict : CellColour::GoodChange;
    case ColCreated:
        return e.createdPending ? CellColour::GoodChange : CellColour::Normal;
    case ColModified:
        return e.modifiedPending ? CellColour::GoodChange : CellColour::Normal;
    case ColAccessed:
        return e.accessedPending ? CellColour::GoodChange : CellColour::Normal;
    case ColAttributes:
        return e.attributesPending ? CellColour::GoodChange : CellColour::Normal;
    default:
        return CellColour::Normal;
    }
}
