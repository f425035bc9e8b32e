// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Replaces every occurrence of `find` in `subject` by `with`, left to right, without
// overlaps and without searching inserted text again. Without matchCase the search folds
// A to Z only.
QString ReplaceText(const QString& subject, const QString& find, const QString& with,
                    bool matchCase);
// The same written into `out` (whose room is kept); false, leaving `out` alone, when
// nothing is replaced. `out` must not be the subject.
bool ReplaceTextInto(QStringView subject, QStringView find, QStringView with, bool matchCase,
                     QString& out);
// The same in `text` itself, through `scratch`, a buffer kept by the caller so that
// neither allocates once they have grown.
void ReplaceTextInPlace(QString& text, QStringView find, QStringView with, bool matchCase,
                        QString& scratch);
