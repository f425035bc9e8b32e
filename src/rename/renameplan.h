// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "renamepair.h"

#include "filelist/cfoldernamecache.h"

#include <QSet>

#include <vector>

struct PLANOPTIONS {
    bool overwriteTargetFiles = false;
    bool preventDuplicates = false;
    bool copy = false; // the entries are copied into the new location and stay
    // The target folders as read for the preview, used instead of reading them again.
    CFolderNameCache* folderNames = nullptr;
};

// The most "_n" suffixes tried for a taken name.
constexpr int kMostDuplicates = 99;

// Works out every pair's final new path before anything moves, in processing order
// (`order` holds indices into `pairs`). A path is taken when an earlier pair goes there,
// or when something is at it that is not moved away by the run. A taken path gets the
// "_1" ... "_99" suffixes with Prevent Duplicates, else the pair fails as "already exists"
// (plannedError). Overwrite Target Files replaces only a file that takes no other part in
// the run. A path held by another pair that moves away is free: that pair is its
// blocker, which the run first moves to a temporary name when it has not gone yet, so
// that swaps and cycles of names succeed. Names that are too long or hold NUL or "/"
// fail at once. Returns every new path the plan gave out, an unchanged pair's path too.
QSet<QByteArray> PlanTargets(std::vector<RENAMEPAIR>& pairs, const std::vector<size_t>& order,
                             const PLANOPTIONS& options);
