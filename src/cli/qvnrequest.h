// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/settings/preferences.h"
#include "engine/changesettings.h"
#include "engine/renamecriteria.h"
#include "engine/translations.h"

#include <QString>
#include <QStringList>

enum class OutputFormat { Table, Tsv, Json };

// Everything one call of qvn asks for, with the criteria and settings already applied.
struct QVNREQUEST {
    bool help = false;
    bool version = false;
    QString folder; // empty: the current folder
    RenameCriteria criteria;
    CHANGESETTINGS changes;
    TRANSLATIONLIST translations;
    PREFERENCES preferences;
    bool formatGiven = false;
    OutputFormat format = OutputFormat::Tsv;
    QStringList columns{QStringLiteral("name"), QStringLiteral("newName")};
    bool changedOnly = false;
    qint32 debugRow = -1;
    bool sortGiven = false;
    int sortColumn = 0;
    bool sortAscending = true;
};
