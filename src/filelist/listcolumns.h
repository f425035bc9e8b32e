// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fileentry.h"

#include <QString>

// The twelve columns of the file list, in their default order.
enum ListColumn {
    ColName,
    ColNewName,
    ColSubDir,
    ColType,
    ColSize,
    ColCreated,
    ColModified,
    ColAccessed,
    ColLength,
    ColTaken,
    ColAttributes,
    ColTrack,
    ColumnCount
};

struct LISTCOLUMN {
    const char* heading;
    const char* widthKey; // preference key of its width, section "Main Window"
    int defaultWidth;
    bool alignRight;
};

const LISTCOLUMN& ColumnInfo(int column);

// How a cell is coloured.
// Conflict: the new name clashes with another row's or an existing entry's, or the file
// system cannot store it.
enum class CellColour { Normal, GoodChange, Invalid, Conflict };

// The text the list shows in a cell; sizes in the given size display mode, times in the
// user's locale (a cell without a time is empty).
QString CellText(const FILEENTRY& entry, int column, int sizeDisplayMode);
CellColour CellColourOf(const FILEENTRY& entry, int column);
