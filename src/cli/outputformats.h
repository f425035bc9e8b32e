// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "outputrows.h"

// Aligned columns under the list's headings.
QString FormatTable(const OUTPUTROWS& output);
// A line of keys, then one line per row; backslash, tab, CR and LF escaped in values.
QString FormatTsv(const OUTPUTROWS& output);
QString EscapeTsvField(const QString& value);
// One array of objects keyed by the column keys; numeric columns as numbers.
QString FormatJson(const OUTPUTROWS& output);
// A value as a table cell shows it: always one line.
QString TableCell(const QString& value);
