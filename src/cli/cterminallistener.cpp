// SPDX-License-Identifier: GPL-3.0-or-later
#include "cterminallistener.h"

#include <utility>

void CTerminalListener::StatusChanged(StatusPane pane, const QString& text) {
    if (m_activity == Activity::Listing)
        return;
    if (m_activity != Activity::None && pane == StatusPane::Message)
        m_lastRunMessage = text;
    else
        m_prompts.SetStatus(pane, text);
}

void CTerminalListener::ProgressChanged(const PROGRESS& progress) {
    switch (progress.activity) {
    case Activity::Listing:
        m_prompts.Progress().Update(progress.what, static_cast<int>(progress.done));
        break;
    case Activity::Renaming:
        m_prompts.Progress().UpdateCount(QStringLiteral("Renaming"), progress.done, progress.total);
        break;
    case Activity::Undoing:
    case Activity::UndoingJournal:
        m_prompts.Progress().UpdateCount(QStringLiteral("Reversing"), progress.done,
                                         progress.total);
        break;
    case Activity::None:
        break;
    }
}

void CTerminalListener::BusyChanged(Activity activity) {
    m_activity = activity;
    if (activity != Activity::None) {
        m_prompts.Progress().Restart();
        return;
    }
    m_prompts.Progress().Finish();
    if (!m_lastRunMessage.isEmpty())
        m_prompts.SetStatus(StatusPane::Message, std::exchange(m_lastRunMessage, QString()));
}
