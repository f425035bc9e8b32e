// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rename/iprompts.h"

class QWidget;
class CStatusPanes;

// The window's answer to the core's questions: message boxes captioned "Quorvin", the
// rename run's two dialogs with their check boxes, file dialogs and the status panes.
class CWindowPrompts : public IPrompts {
public:
    void SetWindow(QWidget* window, CStatusPanes* panes);
    PromptAnswer Ask(const QString& text, PromptButtons buttons, PromptIcon icon) override;
    void SetStatus(StatusPane pane, const QString& text) override;
    void ShowText(const QString& caption, const QString& text, PromptIcon icon) override;
    bool ConfirmRename(const QString& message, const QString& text, bool& showAgain) override;
    void RenameComplete(const QString& text, bool& showAgain) override;
    QString AskOpenFileName(const FILEQUESTION& question) override;
    QString AskSaveFileName(const FILEQUESTION& question) override;
    void KeepResponsive(qint64 done, qint64 total) override;

private:
    QWidget* m_window = nullptr;
    CStatusPanes* m_panes = nullptr;
};
