// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Every letter lower case except the first of each word; a word starts after a line feed,
// tab, blank, "(", ")", ".", "{", "[", "-" or "_". A single character is upper-cased.
QString TitleCase(const QString& text);
// Every letter lower case except the first letter a to z of the text and after each full stop.
QString SentenceCase(const QString& text);
// The same three changes made in the text itself: a refresh changes every row's name.
void MakeTitleCase(QString& text);
void MakeSentenceCase(QString& text);
void MakeAsciiCase(QString& text, bool upper);
