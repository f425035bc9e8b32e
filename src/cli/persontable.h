// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coutputbuffer.h"
#include "outputrows.h"
#include "terminalstyle.h"

// The table as a person reads it on a terminal: fitted to the width, changed rows marked
// with "*" (and coloured when colour is allowed).
void WritePersonTable(const OUTPUTROWS& output, const TERMINALSTYLE& style, COutputBuffer& out);

// "1,204 entries, 1,180 change, 3 conflicts"
QString PreviewSummary(qsizetype entries, qsizetype changed, qsizetype conflicts);
