// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

enum class OutputFormat { Table, Tsv, Json };
// When the table may use colour; NO_COLOR in the environment overrides every choice.
enum class ColourMode : int { Auto, Always, Never };

// One --set or --pref, kept in the order given.
struct QVNSETTING {
    bool isPreference = false;
    QString assignment; // SECTION/KEY=VALUE or KEY=VALUE
};

// Everything one call of qvn asks for, as given; the program state applies it.
struct QVNREQUEST {
    bool help = false;
    bool version = false;
    bool listKeys = false;
    bool listColumns = false;
    bool quiet = false;
    bool print0 = false;
    ColourMode colour = ColourMode::Auto;
    QStringList paths; // files and folders named; none: the current folder
    QString fromFile;  // --from: a list of paths, "-" for standard input
    QList<QVNSETTING> settings;
    bool matchCase = false;
    QString favouriteFile;
    QString saveFavouriteFile;
    QString pairsFile;
    QString preferencesFile;
    bool formatGiven = false;
    OutputFormat format = OutputFormat::Tsv;
    QStringList columns{QStringLiteral("name"), QStringLiteral("newName")};
    bool changedOnly = false;
    bool rename = false;
    bool assumeYes = false;
    bool undo = false;
    bool noJournal = false;
    QString undoScriptFile;
    qint32 debugRow = -1;
    bool sortGiven = false;
    int sortColumn = 0;
    bool sortAscending = true;
};
