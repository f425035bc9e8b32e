// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/renamecriteria.h"

#include <bitset>

// Whether a group frame's caption is drawn in the "Colour Active Criteria" colour: only while
// "Highlight Active Criteria" is on, and then exactly when the group takes part in naming.
// The one activity rule decides both, so group 5 counts Lead Dots; group 12 never
// highlights, group 13 whenever its path is set.
[[nodiscard]] bool IsGroupHighlighted(const RenameCriteria& criteria, int group,
                                      bool highlightActiveCriteria);

// Bit n for group n (1 to 13), so a window repaints only the frames whose state changed.
using GROUPHIGHLIGHTS = std::bitset<GroupNewLocation + 1>;
[[nodiscard]] GROUPHIGHLIGHTS HighlightedGroups(const RenameCriteria& criteria,
                                                bool highlightActiveCriteria);
