// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cterminalprompts.h"

#include "app/session/istatelistener.h"

// What qvn is told by the program state: status texts go on to the terminal prompts,
// except those of a listing (a quick listing leaves no trace on standard error); the
// progress of a listing, a rename run or an undo shows on the progress line. The message
// texts of a run or an undo replace each other as in a status bar ("Processed 10 files…"
// every ten entries): only the last one, which tells how it ended, is said, after the run.
class CTerminalListener : public IStateListener {
public:
    explicit CTerminalListener(CTerminalPrompts& prompts) : m_prompts(prompts) {}

    void StatusChanged(StatusPane pane, const QString& text) override;
    void ProgressChanged(const PROGRESS& progress) override;
    void BusyChanged(Activity activity) override;

private:
    CTerminalPrompts& m_prompts;
    Activity m_activity = Activity::None;
    QString m_lastRunMessage;
};
