// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "filelist/cfilelist.h"

#include <QString>
#include <QStringList>
#include <QStringView>

// The columns qvn can print: the twelve list columns first (by their list index), then
// values the list does not show.
enum OutputField {
    FieldListColumn,
    FieldPath,
    FieldNewPath,
    FieldFolder,
    FieldChanged,
    FieldInvalid,
    FieldConflict,
    FieldFNumber,
    FieldExposure,
    FieldBias,
    FieldFocal,
    FieldComment,
    FieldArtist,
    FieldAlbum,
    FieldTitle
};

struct OUTPUTCOLUMN {
    const char* key;
    OutputField field;
    int listColumn; // for FieldListColumn; -1 otherwise
    bool numeric;   // a number in json

    QString Key() const { return QLatin1String(key); }
};

// Keys are compared exactly; nullptr for an unknown key.
const OUTPUTCOLUMN* FindOutputColumn(QStringView key);
// One of the twelve list columns' keys, or -1.
int ListColumnOfKey(QStringView key);

// The heading a table shows: the list's heading, or the key for the other values.
QString ColumnHeading(const OUTPUTCOLUMN& column);
bool AlignRight(const OUTPUTCOLUMN& column);

// A value as the list shows it (table), or plain: times local "YYYY-MM-DD HH:MM:SS" (empty
// for none) and sizes as byte counts (tsv, json). The view is of the entry's own text where
// it holds the value, else of `scratch`, which is filled (and reused from row to row); it
// stays valid until the entry or scratch changes.
QStringView ColumnView(const FILEENTRY& entry, const OUTPUTCOLUMN& column, bool plain,
                       int sizeDisplayMode, QString& scratch);

// "YYYY-MM-DD HH:MM:SS" in the process's time zone; empty for no time.
QString PlainTimeText(TimeValue value);

// Every key --columns takes, in the table's order.
QStringList OutputColumnKeys();
