// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cscanprogress.h"

#include "rename/iprompts.h"

#include <QStringList>

// The prompts of a terminal: messages and status texts go to standard error one line
// each; questions are asked on the terminal, answered Yes with --yes, and answered No
// when there is no terminal, so a script never changes files by accident.
class CTerminalPrompts : public IPrompts {
public:
    explicit CTerminalPrompts(bool assumeYes = false);
    ~CTerminalPrompts() override;
    CTerminalPrompts(const CTerminalPrompts&) = delete;
    CTerminalPrompts& operator=(const CTerminalPrompts&) = delete;

    PromptAnswer Ask(const QString& text, PromptButtons buttons, PromptIcon icon) override;
    void SetStatus(StatusPane pane, const QString& text) override;
    void ShowText(const QString& caption, const QString& text, PromptIcon icon) override;
    bool ConfirmRename(const QString& message, const QString& text, bool& showAgain) override;
    void RenameComplete(const QString& text, bool& showAgain) override;
    QString AskOpenFileName(const FILEQUESTION& question) override;
    QString AskSaveFileName(const FILEQUESTION& question) override;
    // The one progress line of the terminal; off until enabled.
    CScanProgress& Progress() { return m_progress; }
    // --quiet: errors, warnings and questions still speak; status texts and notices do not.
    void SetQuiet(bool quiet);

private:
    bool AskYesNo(const QString& text);

    bool m_assumeYes;
    QString m_lastStatus;
    CScanProgress m_progress{false};
    bool m_quiet = false;
};

// Writes text to standard error (UTF-8); the progress line is erased first.
void PrintError(const QString& text);
