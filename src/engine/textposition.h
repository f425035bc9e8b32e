// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>
#include <QtGlobal>

// Positions and counts in names are UTF-16 units. A cut that would fall between the two
// halves of a surrogate pair is moved past the pair, away from the end the position was
// counted from: forward when counted from the start, back when counted from the end. The
// part that was counted thus always holds whole characters, and no operation leaves a
// lone surrogate behind.
enum class CountedFrom { Start, End };

// The index clamped into 0 to the length of the text, then moved off the middle of a pair.
qsizetype CharacterBoundary(QStringView text, qint64 index, CountedFrom from);

// 2 where a surrogate pair starts at the index, otherwise 1.
qsizetype CharacterWidthAt(QStringView text, qsizetype index);
