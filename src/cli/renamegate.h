// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "qvnrequest.h"

#include "app/session/cprogramstate.h"

#include <QString>

// Why a rename must not start: an undo script that could not be written afterwards, or an
// active regular expression that cannot be compiled (the other groups would rename
// alone). Empty when nothing stands in the way.
QString RenameBlocker(const CProgramState& state, const QVNREQUEST& request);

// The one line that ends a run: "N renamed, N unchanged, N failed" (", stopped" when the
// run was stopped at a failed entry); empty for a run that was refused before it began.
QString RunSummaryText(const RENAMERESULT& result);
// Whether the run did everything it was asked: completed, and no entry failed.
bool RunSucceeded(const RENAMERESULT& result);
