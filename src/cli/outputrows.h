// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The printed part of a preview: one heading, key and value text per chosen column.
struct OUTPUTROWS {
    QStringList keys;
    QStringList headings;
    QList<bool> alignRight;
    QList<bool> numeric;
    QList<QStringList> rows;
    QList<bool> changed;     // per row: the new name differs
    QList<bool> conflicting; // per row: the new name cannot be given as it stands
    QList<int> listRows;     // per row: its row in the list
};
