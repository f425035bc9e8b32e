// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coutputbuffer.h"
#include "outputrows.h"

// For xargs -0 and friends: the values of each row separated by a tab and the row ended by
// NUL, nothing escaped, no heading. The current name, path and folder are the bytes on disk,
// so a name that is not valid UTF-8 comes out as it is.
void WritePrint0(const OUTPUTROWS& output, COutputBuffer& out);
