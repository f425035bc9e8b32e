// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamegate.h"

#include "inputchecks.h"

#include "engine/cregexpattern.h"

namespace {

bool ActivePatternInvalid(const RenameCriteria& criteria) {
    if (!criteria.IsGroupActive(GroupRegEx) || criteria.regex.match.isEmpty())
        return false;
    CRegexPattern pattern;
    return !pattern.Compile(criteria.regex.match);
}

} // namespace

QString RenameBlocker(const CProgramState& state, const QVNREQUEST& request) {
    if (!request.undoScriptFile.isEmpty()) {
        const QString problem = UndoScriptProblem(request.undoScriptFile);
        if (!problem.isEmpty())
            return problem;
    }
    if (ActivePatternInvalid(state.criteria))
        return QStringLiteral("Regular Expression is invalid");
    return QString();
}

// A run stops only at an entry that failed and was not to be ignored.
QString RunSummaryText(const RENAMERESULT& result) {
    if (result.outcome == RunOutcome::Refused)
        return QString();
    const bool stopped = result.outcome == RunOutcome::Stopped;
    return QStringLiteral("%1 renamed, %2 unchanged, %3 failed%4")
        .arg(result.renamed)
        .arg(result.processed - result.renamed)
        .arg(result.ignored + (stopped ? 1 : 0))
        .arg(stopped ? QStringLiteral(", stopped") : QString());
}

bool RunSucceeded(const RENAMERESULT& result) {
    return result.outcome == RunOutcome::Completed && result.ignored == 0;
}
