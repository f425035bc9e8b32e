// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "outputrows.h"

#include <QByteArray>

// For xargs -0 and friends: the values of each row separated by a tab and the row ended by
// NUL, nothing escaped, no heading; names come out as the bytes that name the file.
QByteArray FormatPrint0(const OUTPUTROWS& output);
