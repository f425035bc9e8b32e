// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "renamecriteria.h"

#include <QString>
#include <span>
#include <variant>

// Every criterion is named by its favourites section and key. The table lists them in
// the order a favourites file holds them, each with its kind, group, load default and
// the field it binds.
enum class CriterionKind { Text, Check, Choice };

// A choice is held as its list's enum; the table reads and writes it as the index.
struct CHOICEACCESS {
    int (*get)(const RenameCriteria&);
    void (*set)(RenameCriteria&, int);
};

struct CRITERIONBINDING {
    const char* section;
    const char* key;
    CriterionKind kind;
    int group;
    const char* loadDefault; // as the favourites file would hold it
    int choiceCount;         // entries of a choice's list; 0 otherwise
    std::variant<QString& (*)(RenameCriteria&), bool& (*)(RenameCriteria&), CHOICEACCESS> field;

    QString Section() const { return QLatin1String(section); }
    QString Key() const { return QLatin1String(key); }
};

std::span<const CRITERIONBINDING> CriteriaBindings();
// Section and key compared without regard to case; nullptr when there is no such criterion.
const CRITERIONBINDING* FindCriterion(QStringView section, QStringView key);
