// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Replaces every occurrence of `find` in `subject` by `with`, left to right, without
// overlaps and without searching inserted text again. Without matchCase the search folds
// A to Z only.
QString ReplaceText(const QString& subject, const QString& find, const QString& with,
                    bool matchCase);
