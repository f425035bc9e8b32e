// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coutputbuffer.h"
#include "outputrows.h"

// Aligned columns under the list's headings; control characters escaped, undecodable
// bytes shown as U+FFFD.
void WriteTable(const OUTPUTROWS& output, COutputBuffer& out);
// A line of keys, then one line per row; backslash, tab, CR and LF escaped in values, and
// every other C0 control and DEL as \xNN. Undecodable bytes of names are written as they
// are, so that names come out as their exact bytes.
void WriteTsv(const OUTPUTROWS& output, COutputBuffer& out);
// One array of objects keyed by the column keys (a key given twice once, where it first
// appears); numeric columns as numbers. A name or path that is not valid UTF-8 shows U+FFFD
// and gains KEYHex with its bytes in hex. Laid out as an indented QJsonDocument would be.
void WriteJson(const OUTPUTROWS& output, COutputBuffer& out);
// A value as a table cell shows it: always one line.
QString TableCell(QStringView value);
// The width TableCell(value) has, without making it when nothing needs escaping.
qsizetype TableCellWidth(QStringView value);
