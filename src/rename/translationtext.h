// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/translations.h"

#include <QString>

// Favourites files hold the keys "Pair 1" to "Pair 500"; pairs beyond work in the session only.
constexpr int kMaxStoredTranslations = 500;

// Splits one translation line at its first equals sign (either side may be empty) into
// fromText and toText; false when the line holds no equals sign.
bool SplitTranslationLine(const QString& line, TRANSLATIONPAIR& pair);

// The text the translations dialog edits: every pair as from=to followed by CR LF.
QString TranslationsToEditText(const TRANSLATIONLIST& pairs);

// The pairs of an edited text, in order and already decoded: one piece per LF, one trailing
// CR dropped, pieces without an equals sign ignored.
TRANSLATIONLIST TranslationsFromEditText(const QString& text);

// True when more pairs are defined than a favourites file keeps; message is the caution to
// show then.
bool TranslationsCaution(const TRANSLATIONLIST& pairs, QString& message);

// The status text after the dialog's OK.
QString TranslationsStoredStatus();
