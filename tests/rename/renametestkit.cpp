// SPDX-License-Identifier: GPL-3.0-or-later
#include "renametestkit.h"

#include "filelist/cfolderscanner.h"

#include <QFile>

#include <algorithm>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TREENODE NodeOf(const QByteArray& path, const struct stat& st) {
    TREENODE node;
    node.mode = st.st_mode & 07777;
    if (S_ISDIR(st.st_mode)) {
        node.type = 'd';
    } else if (S_ISLNK(st.st_mode)) {
        node.type = 'l';
        QByteArray target(4096, '\0');
        const ssize_t length =
            readlink(path.constData(), target.data(), static_cast<size_t>(target.size()));
        node.contents = target.left(length < 0 ? 0 : length);
    } else {
        node.type = 'f';
        node.size = st.st_size;
        node.modifiedSeconds = st.st_mtim.tv_sec;
        node.modifiedNanoseconds = st.st_mtim.tv_nsec;
        node.contents = ReadContents(path);
    }
    return node;
}

void Walk(const QByteArray& root, const QByteArray& relative, TREE& tree) {
    const QByteArray folder = relative.isEmpty() ? root : root + '/' + relative;
    DIR* dir = opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent* d = readdir(dir)) {
        const QByteArray name(d->d_name);
        if (name == "." || name == "..")
            continue;
        const QByteArray rel = relative.isEmpty() ? name : relative + '/' + name;
        const QByteArray path = root + '/' + rel;
        struct stat st {};
        if (lstat(path.constData(), &st) != 0)
            continue;
        tree.insert(rel, NodeOf(path, st));
        if (S_ISDIR(st.st_mode))
            Walk(root, rel, tree);
    }
    closedir(dir);
}

QString Describe(const QByteArray& path, const TREENODE& n) {
    return QStringLiteral("%1 [%2 %3 size %4 mtime %5.%6]")
        .arg(QString::fromUtf8(path.toPercentEncoding("/")))
        .arg(QLatin1Char(n.type))
        .arg(n.mode, 4, 8, QLatin1Char('0'))
        .arg(n.size)
        .arg(n.modifiedSeconds)
        .arg(n.modifiedNanoseconds);
}

} // namespace

bool TREENODE::operator==(const TREENODE& other) const {
    return type == other.type && mode == other.mode && size == other.size &&
           modifiedSeconds == other.modifiedSeconds &&
           modifiedNanoseconds == other.modifiedNanoseconds && contents == other.contents;
}

TREE SnapshotTree(const QByteArray& root) {
    TREE tree;
    Walk(root, QByteArray(), tree);
    return tree;
}

QString TreeDifference(const TREE& expected, const TREE& actual) {
    QStringList lines;
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        if (!actual.contains(it.key()))
            lines << QStringLiteral("missing: ") + Describe(it.key(), it.value());
        else if (!(actual.value(it.key()) == it.value()))
            lines << QStringLiteral("changed: ") + Describe(it.key(), it.value()) +
                         QStringLiteral(" -> ") + Describe(it.key(), actual.value(it.key()));
    }
    for (auto it = actual.begin(); it != actual.end(); ++it) {
        if (!expected.contains(it.key()))
            lines << QStringLiteral("extra: ") + Describe(it.key(), it.value());
    }
    return lines.join(QLatin1Char('\n'));
}

void MakeFile(const QByteArray& path, qint64 modified, quint32 mode, const QByteArray& contents) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const QByteArray text = contents.isEmpty() ? "contents of " + path : contents;
    if (fd >= 0) {
        const ssize_t written = ::write(fd, text.constData(), static_cast<size_t>(text.size()));
        Q_UNUSED(written);
        fchmod(fd, static_cast<mode_t>(mode));
        ::close(fd);
    }
    const timespec times[2] = {{modified + 100, 0}, {modified, 0}};
    utimensat(AT_FDCWD, path.constData(), times, AT_SYMLINK_NOFOLLOW);
}

void MakeFolder(const QByteArray& path, quint32 mode) {
    mkdir(path.constData(), 0700);
    chmod(path.constData(), static_cast<mode_t>(mode));
}

QByteArray ReadContents(const QByteArray& path) {
    QByteArray contents;
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0)
        return contents;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
        contents.append(buffer, got);
    ::close(fd);
    return contents;
}

bool Exists(const QByteArray& path) {
    struct stat st {};
    return lstat(path.constData(), &st) == 0;
}

void RemoveTree(const QByteArray& path) {
    const auto remove = [](const char* name, const struct stat*, int, FTW*) {
        return ::remove(name);
    };
    nftw(path.constData(), remove, 16, FTW_DEPTH | FTW_PHYS);
}

void ListFolder(CFileList& list, const QByteArray& root, bool subfolders) {
    SCANSETTINGS settings;
    settings.rootPath = root;
    settings.subfolders = subfolders;
    settings.hidden = true;
    std::vector<FILEENTRY> entries;
    CFolderScanner scanner(settings);
    scanner.Scan([&entries](FILEENTRY&& e) { entries.push_back(std::move(e)); }, nullptr);
    // Sorted by path so that every test sees the same order, each folder before its contents.
    std::sort(entries.begin(), entries.end(), [](const FILEENTRY& a, const FILEENTRY& b) {
        return JoinNativePath(a.NativeFolderPath(), a.NativeName()) <
               JoinNativePath(b.NativeFolderPath(), b.NativeName());
    });
    list.Clear();
    list.AppendRows(std::move(entries));
    list.SelectAll();
    for (int row = 0; row < list.RowCount(); ++row)
        list.ResetEntry(row);
}

int RowOf(const CFileList& list, const QByteArray& relativeNativePath, const QByteArray& root) {
    for (int row = 0; row < list.RowCount(); ++row) {
        if (list.GetNativeFullPath(row) == root + '/' + relativeNativePath)
            return row;
    }
    return -1;
}

void Rename(CFileList& list, const QMap<QByteArray, QString>& newNames) {
    for (int row = 0; row < list.RowCount(); ++row) {
        const QByteArray name = list.GetEntry(row).NativeName();
        if (newNames.contains(name))
            list.SetNewName(row, newNames.value(name));
    }
}

bool KilledInChild(const std::function<void()>& body) {
    const pid_t child = fork();
    if (child == 0) {
        body();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

bool RunningAsRoot() {
    return geteuid() == 0;
}

bool SameDevice(const QByteArray& a, const QByteArray& b) {
    struct stat sa {};
    struct stat sb {};
    return stat(a.constData(), &sa) == 0 && stat(b.constData(), &sb) == 0 && sa.st_dev == sb.st_dev;
}

PromptAnswer CScriptedPrompts::Ask(const QString& text, PromptButtons, PromptIcon) {
    asked << text;
    return answers.isEmpty() ? PromptAnswer::Yes : answers.takeFirst();
}

void CScriptedPrompts::SetStatus(StatusPane pane, const QString& text) {
    panes[pane] = text;
    if (pane == StatusPane::Message)
        statuses << text;
}

void CScriptedPrompts::ShowText(const QString& caption, const QString& text, PromptIcon) {
    shownCaption = caption;
    shownText = text;
}

bool CScriptedPrompts::ConfirmRename(const QString& message, const QString&, bool& showAgain) {
    confirmMessages << message;
    if (confirmRename)
        showAgain = confirmShowAgain;
    return confirmRename;
}

void CScriptedPrompts::RenameComplete(const QString& text, bool& showAgain) {
    completions << text;
    showAgain = completeShowAgain;
}

QString CScriptedPrompts::AskOpenFileName(const FILEQUESTION& question) {
    lastQuestion = question;
    return openFileName;
}

QString CScriptedPrompts::AskSaveFileName(const FILEQUESTION& question) {
    lastQuestion = question;
    return saveFileName;
}

void CKillingPrompts::KeepResponsive(qint64, qint64) {
    if (entriesBeforeKill > 0 && --entriesBeforeKill == 0)
        raise(SIGKILL);
}

JOURNALLEDRUN::JOURNALLEDRUN()
    : root(QFile::encodeName(dir.path()) + "/tree"),
      journals(dir.filePath(QStringLiteral("journal"))) {
    MakeFolder(root);
    preferences.displayWarningMessage = false;
    preferences.displayConfirmationMessage = false;
}

JOURNALLEDRUN::~JOURNALLEDRUN() {
    RemoveTree(root);
}

RENAMERESULT JOURNALLEDRUN::Run() {
    CRenameRun run(list, criteria, changes, preferences, history, prompts);
    run.SetJournalFolder(journals, sync);
    run.SetJournalPolicy(policy);
    run.SetFolderNames(folderNames);
    return run.OnRename();
}

bool JOURNALLEDRUN::RunKilledAfter(int entries) {
    return KilledInChild([&] {
        prompts.entriesBeforeKill = entries;
        Run();
    });
}

JOURNALUNDORESULT JOURNALLEDRUN::Undo() {
    JOURNALUNDOOPTIONS options;
    options.assumeYes = true;
    return UndoLastJournal(journals, prompts, options);
}

JOURNAL JOURNALLEDRUN::Journal() const {
    JOURNAL journal;
    ReadJournal(JournalPaths(journals).value(0), journal);
    return journal;
}

QByteArray IdentityLine(const FILEIDENTITY& id) {
    return QByteArray::number(id.mode, 8) + ' ' + QByteArray::number(id.device) + ' ' +
           QByteArray::number(id.inode) + ' ' + QByteArray::number(id.size) + ' ' +
           QByteArray::number(id.modifiedSeconds) + ' ' +
           QByteArray::number(id.modifiedNanoseconds) + ' ' +
           QByteArray::number(id.accessedSeconds) + ' ' +
           QByteArray::number(id.accessedNanoseconds);
}
