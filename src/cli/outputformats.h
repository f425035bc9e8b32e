// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "outputrows.h"

// Aligned columns under the list's headings; control characters escaped, undecodable
// bytes shown as U+FFFD.
QString FormatTable(const OUTPUTROWS& output);
// A line of keys, then one line per row; backslash, tab, CR and LF escaped in values, and
// every other C0 control and DEL as \xNN. Undecodable bytes of names stay in the text, so
// that printing it encoded gives the names' exact bytes.
QString FormatTsv(const OUTPUTROWS& output);
QString EscapeTsvField(const QString& value);
// One array of objects keyed by the column keys; numeric columns as numbers. A name or
// path that is not valid UTF-8 shows U+FFFD and gains KEYHex with its bytes in hex.
QString FormatJson(const OUTPUTROWS& output);
// A value as a table cell shows it: always one line.
QString TableCell(const QString& value);
