// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rename/crenamehistory.h"
#include "rename/crenamerun.h"
#include "rename/cundojournal.h"
#include "rename/iprompts.h"
#include "rename/journalundo.h"

#include "filelist/cfilelist.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

// What one node of a tree is: compared whole before a run and after its undo.
struct TREENODE {
    char type = '?'; // f file, d folder, l link
    quint32 mode = 0;
    qint64 size = 0;
    qint64 modifiedSeconds = 0; // files only: a folder's time changes with what is in it
    qint64 modifiedNanoseconds = 0;
    QByteArray contents; // of a file, or the target of a link

    bool operator==(const TREENODE& other) const;
};

// Relative native path -> node, for everything below a root.
using TREE = QMap<QByteArray, TREENODE>;

TREE SnapshotTree(const QByteArray& root);
// A readable list of what differs, empty when the trees are equal.
QString TreeDifference(const TREE& expected, const TREE& actual);

// Files are made with whole-second times (the undo history keeps whole seconds) and
// distinct contents, so that a file that went astray is noticed.
void MakeFile(const QByteArray& path, qint64 modified, quint32 mode = 0644,
              const QByteArray& contents = QByteArray());
void MakeFolder(const QByteArray& path, quint32 mode = 0755);
QByteArray ReadContents(const QByteArray& path);
bool Exists(const QByteArray& path);
// Removes everything below and including `path` by native names (which QDir cannot
// address when they are not valid UTF-8).
void RemoveTree(const QByteArray& path);

// Lists a folder into the list as the window would, sorted by path, every row selected.
void ListFolder(CFileList& list, const QByteArray& root, bool subfolders = false);
// Row of the entry with that name (relative to the listed root), or -1.
int RowOf(const CFileList& list, const QByteArray& relativeNativePath, const QByteArray& root);
// Gives rows new names: for each row whose native name is a key, the value.
void Rename(CFileList& list, const QMap<QByteArray, QString>& newNames);

bool RunningAsRoot();
// Runs `body` in a child process and tells whether the child ended by SIGKILL, as a run
// that a prompt kills part-way does.
bool KilledInChild(const std::function<void()>& body);
bool SameDevice(const QByteArray& a, const QByteArray& b);

// Scripted answers, and a record of everything the core said.
class CScriptedPrompts : public IPrompts {
public:
    QList<PromptAnswer> answers; // taken in order; Yes when none is left
    bool confirmRename = true;
    bool confirmShowAgain = true; // the box as the user leaves it
    bool completeShowAgain = true;
    QStringList asked;
    QStringList statuses;            // every text of the message pane, in order
    QMap<StatusPane, QString> panes; // the text each pane shows now
    QString shownCaption;            // the last text shown under a caption of its own
    QString shownText;
    QStringList confirmMessages;
    QStringList completions;

    PromptAnswer Ask(const QString& text, PromptButtons buttons, PromptIcon icon) override;
    void SetStatus(StatusPane pane, const QString& text) override;
    void ShowText(const QString& caption, const QString& text, PromptIcon icon) override;
    bool ConfirmRename(const QString& message, const QString& text, bool& showAgain) override;
    void RenameComplete(const QString& text, bool& showAgain) override;
    QString AskOpenFileName(const FILEQUESTION& question) override;
    QString AskSaveFileName(const FILEQUESTION& question) override;

    QString openFileName;
    QString saveFileName;
    FILEQUESTION lastQuestion;
};

// Dies the hard way after a number of entries, as a run does when it is killed.
class CKillingPrompts : public CScriptedPrompts {
public:
    int entriesBeforeKill = -1;
    void KeepResponsive(qint64 done, qint64 total) override;
};

// A folder "tree" in a temporary folder, renamed with an undo journal kept beside it; the
// tests fill the list, name the new names and set the run's options.
struct JOURNALLEDRUN {
    QTemporaryDir dir;
    QByteArray root;
    QString journals;
    CFileList list;
    RenameCriteria criteria;
    CHANGESETTINGS changes;
    RENAMEPREFERENCES preferences;
    CRenameHistory history;
    CKillingPrompts prompts;
    CUndoJournal::Sync sync = CUndoJournal::Sync::Batch;
    JournalPolicy policy = JournalPolicy::Ask;
    CFolderNameCache* folderNames = nullptr; // as the preview read them
    TREE start;

    JOURNALLEDRUN();
    ~JOURNALLEDRUN();
    JOURNALLEDRUN(const JOURNALLEDRUN&) = delete;
    JOURNALLEDRUN& operator=(const JOURNALLEDRUN&) = delete;

    RENAMERESULT Run();
    // The run in a child process that is killed after `entries` entries.
    bool RunKilledAfter(int entries);
    JOURNALUNDORESULT Undo();
    // The first journal in the folder.
    [[nodiscard]] JOURNAL Journal() const;
};

// The identity fields of an intent line, as the journal writes them.
QByteArray IdentityLine(const FILEIDENTITY& id);
