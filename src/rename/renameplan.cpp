// SPDX-License-Identifier: GPL-3.0-or-later
#include "renameplan.h"

#include "ctargetfolders.h"
#include "renametexts.h"

#include "filelist/nameconflicts.h"
#include "platform/fileoperations.h"

#include <QHash>
#include <QSet>

#include <cerrno>

namespace {

struct NAMES {
    QString text;
    QByteArray native;
};

// The paths the run starts from: each pair's old path and whether it moves away.
struct SOURCES {
    std::vector<QByteArray> oldPaths;
    QHash<QByteArray, size_t> pairOf;
    std::vector<bool> leaves;
    std::vector<bool> changes;
    CTargetFolders onDisk; // what else is at the targets, for every pass
};

enum class Target { Free, Replace, Taken };

bool Changes(const RENAMEPAIR& pair, const QByteArray& oldPath) {
    return oldPath != pair.NativeNewPath();
}

bool CaseOnly(const QByteArray& path, const QByteArray& newPath) {
    return path.size() == newPath.size() && path.compare(newPath, Qt::CaseInsensitive) == 0;
}

Target Classify(size_t index, bool isFolder, const QByteArray& path,
                const QSet<QByteArray>& claimed, SOURCES& sources, const PLANOPTIONS& options,
                int& blocker) {
    blocker = -1;
    if (claimed.contains(path))
        return Target::Taken;
    const auto source = sources.pairOf.constFind(path);
    if (source != sources.pairOf.constEnd() && sources.leaves[source.value()]) {
        blocker = static_cast<int>(source.value());
        return Target::Free;
    }
    // An entry that was to move but cannot, or that is copied, takes part in the run:
    // never replace it. An entry left as it is counts as any other file.
    if (source != sources.pairOf.constEnd() && sources.changes[source.value()])
        return Target::Taken;
    // A name that differs only in letter case may be the entry itself; the move decides.
    if (CaseOnly(sources.oldPaths[index], path) || !sources.onDisk.Exists(path))
        return Target::Free;
    return options.overwriteTargetFiles && !isFolder ? Target::Replace : Target::Taken;
}

void PlanPair(size_t index, RENAMEPAIR& pair, const NAMES& wanted, QSet<QByteArray>& claimed,
              SOURCES& sources, const PLANOPTIONS& options) {
    pair.newName = wanted.text;
    pair.nativeNewName = wanted.native;
    pair.replace = false;
    pair.blocker = -1;
    pair.plannedError = 0;
    const NameConflict problem = NameProblem(wanted.native);
    if (problem != NameConflict::None) {
        pair.plannedError = problem == NameConflict::TooLong ? ENAMETOOLONG : EINVAL;
        return;
    }
    const int tries = options.preventDuplicates ? kMostDuplicates : 0;
    for (int n = 0; n <= tries; ++n) {
        if (n > 0) {
            pair.newName = DuplicateCandidate(wanted.text, n);
            pair.nativeNewName = DuplicateCandidate(wanted.native, n);
        }
        QByteArray path = pair.NativeNewPath();
        int blocker = -1;
        const Target target =
            Classify(index, pair.isFolder, path, claimed, sources, options, blocker);
        if (target == Target::Taken)
            continue;
        pair.replace = target == Target::Replace;
        pair.blocker = blocker;
        claimed.insert(std::move(path));
        return;
    }
    pair.plannedError = EEXIST;
}

SOURCES SourcesOf(const std::vector<RENAMEPAIR>& pairs, const PLANOPTIONS& options) {
    SOURCES sources;
    sources.onDisk = CTargetFolders(options.folderNames);
    sources.leaves.resize(pairs.size());
    sources.changes.resize(pairs.size());
    sources.pairOf.reserve(static_cast<qsizetype>(pairs.size()));
    sources.oldPaths.resize(pairs.size());
    for (size_t i = 0; i < pairs.size(); ++i) {
        sources.oldPaths[i] = pairs[i].NativeOldPath();
        sources.pairOf.insert(sources.oldPaths[i], i);
        sources.changes[i] = Changes(pairs[i], sources.oldPaths[i]);
        sources.leaves[i] = !options.copy && sources.changes[i];
    }
    return sources;
}

// One pass; true when a pair that was thought to move away turned out to fail, so that
// the pairs going to its path must be planned again.
bool PlanPass(std::vector<RENAMEPAIR>& pairs, const std::vector<size_t>& order,
              const std::vector<NAMES>& wanted, SOURCES& sources, const PLANOPTIONS& options,
              QSet<QByteArray>& claimed) {
    claimed.clear();
    claimed.reserve(static_cast<qsizetype>(pairs.size()));
    for (const size_t i : order) {
        if (wanted[i].native.isEmpty())
            continue;
        PlanPair(i, pairs[i], wanted[i], claimed, sources, options);
    }
    bool changed = false;
    for (size_t i = 0; i < pairs.size(); ++i) {
        if (sources.leaves[i] && pairs[i].plannedError != 0) {
            sources.leaves[i] = false;
            changed = true;
        }
    }
    return changed;
}

} // namespace

QSet<QByteArray> PlanTargets(std::vector<RENAMEPAIR>& pairs, const std::vector<size_t>& order,
                             const PLANOPTIONS& options) {
    SOURCES sources = SourcesOf(pairs, options);
    // The names as the preview gave them; an unchanged pair has none to plan.
    std::vector<NAMES> wanted(pairs.size());
    for (size_t i = 0; i < pairs.size(); ++i) {
        if (sources.changes[i])
            wanted[i] = {pairs[i].newName, pairs[i].nativeNewName};
    }
    // Each pass that changes anything takes one more pair out of the moving ones.
    QSet<QByteArray> claimed;
    for (size_t pass = 0; pass <= pairs.size(); ++pass) {
        if (!PlanPass(pairs, order, wanted, sources, options, claimed))
            break;
    }
    for (size_t i = 0; i < pairs.size(); ++i) {
        if (!sources.changes[i])
            claimed.insert(sources.oldPaths[i]);
    }
    return claimed;
}
