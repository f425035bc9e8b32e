// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// How the core asks and tells the user. Each front end implements it: the window with
// dialogs and its status bar, qvn with terminal prompts (or its --yes answer), tests with
// scripted answers. The core never shows anything itself.

enum class PromptIcon { None, Information, Warning, Error, Question };
enum class PromptButtons { Ok, OkCancel, YesNo };
enum class PromptAnswer { Ok, Cancel, Yes, No };

// The panes of the status bar that the core writes.
enum class StatusPane { Message, Favourite, Pattern };

// The file dialogs the core asks for (favourites, rename pairs, undo script).
struct FILEQUESTION {
    QString filter;           // e.g. "Quorvin Favourites (*.qvn)"
    QString defaultExtension; // without the dot
    QString initialPath;
    bool mustExist = false;        // open dialogs
    bool confirmOverwrite = false; // save dialogs
};

class IPrompts {
public:
    virtual ~IPrompts() = default;

    // A message box captioned "Quorvin".
    virtual PromptAnswer Ask(const QString& text, PromptButtons buttons, PromptIcon icon) = 0;
    // A front end that listens to the program state is told status texts there instead.
    virtual void SetStatus(StatusPane pane, const QString& text) {
        Q_UNUSED(pane);
        Q_UNUSED(text);
    }
    // A message box with a caption of its own (the name-generation trace).
    virtual void ShowText(const QString& caption, const QString& text, PromptIcon icon) {
        Q_UNUSED(caption);
        Ask(text, PromptButtons::Ok, icon);
    }

    // The warning before a rename run: caption "Warning! Files will be renamed!", the bold
    // message, the fixed text and the "Show This Warning Again" box (showAgain in and out).
    // Returns false when the user cancelled.
    virtual bool ConfirmRename(const QString& message, const QString& text, bool& showAgain) = 0;
    // The dialog after a completed run: caption "Rename Operation Complete!", the text and
    // the "Show This Message Again" box (showAgain in and out; Cancel leaves it as it was).
    virtual void RenameComplete(const QString& text, bool& showAgain) = 0;

    // Empty when cancelled.
    virtual QString AskOpenFileName(const FILEQUESTION& question) = 0;
    virtual QString AskSaveFileName(const FILEQUESTION& question) = 0;

    // Called between the entries of a long run (a rename run, an undo) so that a window can
    // repaint and take input; `done` of `total` entries are processed (0 of 0: not known).
    // The defaults let a step that knows no count still keep the window responsive.
    virtual void KeepResponsive(qint64 done = 0, qint64 total = 0) {
        Q_UNUSED(done);
        Q_UNUSED(total);
    }
};
