// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "istatelistener.h"

#include "rename/iprompts.h"

// The prompts the program state hands to the core below it: questions go on to the front
// end's prompts unchanged; status texts go to the state's listener when one is set (else
// to the prompts), and progress reaches the listener before the prompts keep the front
// end responsive, so that a front end is told everything through one listener.
class CPromptsRelay : public IPrompts {
public:
    explicit CPromptsRelay(IPrompts& prompts) : m_prompts(prompts) {}

    void SetListener(IStateListener* listener) { m_listener = listener; }
    // The activity whose progress KeepResponsive reports.
    void SetActivity(Activity activity) { m_activity = activity; }
    // Progress of the activity in progress, told to the listener only.
    void Progress(qint64 done, qint64 total, const QString& what) const;

    PromptAnswer Ask(const QString& text, PromptButtons buttons, PromptIcon icon) override;
    void SetStatus(StatusPane pane, const QString& text) override;
    void ShowText(const QString& caption, const QString& text, PromptIcon icon) override;
    bool ConfirmRename(const QString& message, const QString& text, bool& showAgain) override;
    void RenameComplete(const QString& text, bool& showAgain) override;
    QString AskOpenFileName(const FILEQUESTION& question) override;
    QString AskSaveFileName(const FILEQUESTION& question) override;
    void KeepResponsive(qint64 done, qint64 total) override;

private:
    IPrompts& m_prompts;
    IStateListener* m_listener = nullptr;
    Activity m_activity = Activity::None;
};
