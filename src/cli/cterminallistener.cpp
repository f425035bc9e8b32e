// SPDX-License-Identifier: GPL-3.0-or-later
#include "cterminallistener.h"

void CTerminalListener::StatusChanged(StatusPane pane, const QString& text) {
    if (m_activity != Activity::Listing)
        m_prompts.SetStatus(pane, text);
}

// Runs and undos report through KeepResponsive of the prompts; only a listing is shown
// from here.
void CTerminalListener::ProgressChanged(const PROGRESS& progress) {
    if (progress.activity == Activity::Listing)
        m_prompts.Progress().Update(progress.what, static_cast<int>(progress.done));
}

void CTerminalListener::BusyChanged(Activity activity) {
    m_activity = activity;
    if (activity == Activity::None)
        m_prompts.Progress().Finish();
    else
        m_prompts.Progress().Restart();
}
