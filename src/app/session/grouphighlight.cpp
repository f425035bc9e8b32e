// SPDX-License-Identifier: GPL-3.0-or-later
#include "grouphighlight.h"

bool IsGroupHighlighted(const RenameCriteria& criteria, int group, bool highlightActiveCriteria) {
    return highlightActiveCriteria && group != GroupSelections && criteria.IsGroupActive(group);
}

GROUPHIGHLIGHTS HighlightedGroups(const RenameCriteria& criteria, bool highlightActiveCriteria) {
    GROUPHIGHLIGHTS highlighted;
    for (int group = GroupRegEx; group <= GroupNewLocation; ++group)
        highlighted[static_cast<size_t>(group)] =
            IsGroupHighlighted(criteria, group, highlightActiveCriteria);
    return highlighted;
}
