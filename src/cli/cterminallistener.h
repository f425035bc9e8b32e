// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cterminalprompts.h"

#include "app/session/istatelistener.h"

// What qvn is told by the program state: status texts go on to the terminal prompts,
// except those of a listing, whose progress shows on the progress line instead (a quick
// listing leaves no trace on standard error).
class CTerminalListener : public IStateListener {
public:
    explicit CTerminalListener(CTerminalPrompts& prompts) : m_prompts(prompts) {}

    void StatusChanged(StatusPane pane, const QString& text) override;
    void ProgressChanged(const PROGRESS& progress) override;
    void BusyChanged(Activity activity) override;

private:
    CTerminalPrompts& m_prompts;
    Activity m_activity = Activity::None;
};
