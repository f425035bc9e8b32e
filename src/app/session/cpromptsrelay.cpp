// SPDX-License-Identifier: GPL-3.0-or-later
#include "cpromptsrelay.h"

void CPromptsRelay::Progress(qint64 done, qint64 total, const QString& what) const {
    if (!m_listener)
        return;
    PROGRESS progress;
    progress.activity = m_activity;
    progress.done = done;
    progress.total = total;
    progress.what = what;
    m_listener->ProgressChanged(progress);
}

PromptAnswer CPromptsRelay::Ask(const QString& text, PromptButtons buttons, PromptIcon icon) {
    return m_prompts.Ask(text, buttons, icon);
}

void CPromptsRelay::SetStatus(StatusPane pane, const QString& text) {
    if (m_listener)
        m_listener->StatusChanged(pane, text);
    else
        m_prompts.SetStatus(pane, text);
}

void CPromptsRelay::ShowText(const QString& caption, const QString& text, PromptIcon icon) {
    m_prompts.ShowText(caption, text, icon);
}

bool CPromptsRelay::ConfirmRename(const QString& message, const QString& text, bool& showAgain) {
    return m_prompts.ConfirmRename(message, text, showAgain);
}

void CPromptsRelay::RenameComplete(const QString& text, bool& showAgain) {
    m_prompts.RenameComplete(text, showAgain);
}

QString CPromptsRelay::AskOpenFileName(const FILEQUESTION& question) {
    return m_prompts.AskOpenFileName(question);
}

QString CPromptsRelay::AskSaveFileName(const FILEQUESTION& question) {
    return m_prompts.AskSaveFileName(question);
}

void CPromptsRelay::KeepResponsive(qint64 done, qint64 total) {
    Progress(done, total, QString());
    m_prompts.KeepResponsive(done, total);
}
