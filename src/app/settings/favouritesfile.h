// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/changesettings.h"
#include "engine/renamecriteria.h"
#include "engine/translations.h"

#include <QString>

// What a favourites file holds besides the criteria record: the change settings, the
// character translations and the folder that was selected when it was saved.
struct FAVOURITECONTENT {
    RenameCriteria& criteria;
    CHANGESETTINGS& changes;
    TRANSLATIONLIST& translations;
    QString& folder;
};

// Translation pairs stored and loaded, "Pair 1" to "Pair 500".
constexpr int kStoredTranslationPairs = 500;

// Reads every key in the file's order; what the file lacks (everything, when there is no
// such file) takes its load default. The Match Case box of the replacements is not stored
// and stays as it is. Returns whether the file exists.
bool ReadFavouriteFile(const QString& path, const FAVOURITECONTENT& content);
// Writes every key in place, keeping keys this program does not write; the translation
// keys are rewritten from 1 without gaps. Returns whether the file was written.
bool WriteFavouriteFile(const QString& path, const FAVOURITECONTENT& content);
