// SPDX-License-Identifier: GPL-3.0-or-later
#include "ckeylist.h"
#include "coptionparser.h"
#include "coutputbuffer.h"
#include "cpreviewprinter.h"
#include "cpreviewrun.h"
#include "crequestapplier.h"
#include "cterminallistener.h"
#include "cterminalprompts.h"
#include "helptext.h"
#include "outputcolumns.h"
#include "pathlistinput.h"
#include "renamegate.h"
#include "terminalstyle.h"

#include "platform/nativename.h"
#include "platform/terminal.h"
#include "rename/undoscript.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

constexpr int kStoppedOrRefused = 1;
constexpr int kUsageError = 2;

// Names in tsv are written as their bytes on disk; the other formats have already made
// undecodable bytes visible, so this is plain UTF-8 for them.
void Print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = EncodeNativeName(text);
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

int Fail(const QString& reason) {
    PrintError(QStringLiteral("qvn: ") + reason + QLatin1Char('\n'));
    return kUsageError;
}

// The arguments as text that encodes back to their exact bytes, so a folder or file name
// that is not valid UTF-8 reaches the disk as given.
QStringList DecodedArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(DecodeNativeName(QByteArray(argv[i])));
    return arguments;
}

// The paths named on the command line and in the --from list, as their exact bytes. Empty
// on success, else why the list cannot be read.
QString CollectPaths(const QVNREQUEST& request, QList<QByteArray>& paths) {
    for (const QString& path : request.paths)
        paths.append(EncodeNativeName(path));
    if (request.fromFile.isEmpty())
        return QString();
    return ReadPathList(request.fromFile, request.print0, paths);
}

// Reverses the newest run the undo journals recorded that was not undone yet; each
// entry that stays behind is named with its reason.
int UndoLastRun(CProgramState& state, bool assumeYes) {
    const JOURNALUNDORESULT result = state.UndoLastJournalRun(assumeYes);
    switch (result.outcome) {
    case JOURNALUNDORESULT::Outcome::Reversed:
        for (const UNDOMISS& miss : result.misses)
            PrintError(UndoMissText(miss) + QLatin1Char('\n'));
        return result.Complete() ? 0 : kStoppedOrRefused;
    case JOURNALUNDORESULT::Outcome::NothingToUndo:
        PrintError(QStringLiteral("Nothing to undo.\n"));
        return kStoppedOrRefused;
    case JOURNALUNDORESULT::Outcome::Declined:
        break;
    }
    return kStoppedOrRefused;
}

// Renames every listed entry as previewed; a folder renamed while subfolders are listed
// makes the run list the folder anew.
int RenameListed(CProgramState& state, const QVNREQUEST& request) {
    const RENAMERESULT result = state.OnRename();
    if (result.refusal == RunRefusal::NoJournal)
        return Fail(QStringLiteral("the undo journal cannot be written (") + result.journalProblem +
                    QStringLiteral("); nothing was renamed (--no-journal renames without it)"));
    if (!request.undoScriptFile.isEmpty() &&
        !WriteUndoScript(request.undoScriptFile, state.history))
        return Fail(QStringLiteral("undo script cannot be written: ") + request.undoScriptFile);
    // --quiet keeps the summary only when it reports a failure.
    const QString summary = RunSummaryText(result);
    if (!summary.isEmpty() && (!request.quiet || !RunSucceeded(result)))
        PrintError(summary + QLatin1Char('\n'));
    return RunSucceeded(result) ? 0 : kStoppedOrRefused;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = DecodedArguments(argc, argv);

    QVNREQUEST request;
    COptionParser parser;
    if (!parser.Parse(arguments, request))
        return Fail(parser.Error());
    if (request.help) {
        Print(stdout, QvnHelpText());
        return 0;
    }
    if (request.version) {
        Print(stdout, QStringLiteral("qvn " QUORVIN_VERSION "\n"));
        return 0;
    }

    if (request.listKeys) {
        Print(stdout, CKeyList().Text());
        return 0;
    }
    if (request.listColumns) {
        Print(stdout, OutputColumnKeys().join(QLatin1Char('\n')) + QLatin1Char('\n'));
        return 0;
    }

    CTerminalPrompts prompts(request.assumeYes);
    prompts.SetQuiet(request.quiet);
    prompts.Progress().SetEnabled(StandardErrorIsTerminal() && !request.quiet);
    CTerminalListener listener(prompts);
    CProgramState state(prompts);
    state.SetJournalPolicy(request.noJournal ? JournalPolicy::Without : JournalPolicy::Refuse);
    state.SetRunReusesPreviewFolders(request.assumeYes);
    state.SetListener(&listener);
    CRequestApplier applier;
    if (!applier.Apply(request, state))
        return Fail(applier.Error());
    if (request.undo)
        return UndoLastRun(state, request.assumeYes);

    QList<QByteArray> paths;
    if (const QString problem = CollectPaths(request, paths); !problem.isEmpty())
        return Fail(problem);
    CPreviewRun run(request, std::move(paths), !request.fromFile.isEmpty());
    if (!run.Run(state))
        return Fail(run.Error());

    if (!request.saveFavouriteFile.isEmpty() &&
        !state.SaveFavourite(request.saveFavouriteFile, DecodeNativeName(state.ListedFolder())))
        return Fail(QStringLiteral("favourites file cannot be written: ") +
                    request.saveFavouriteFile);

    const OutputFormat format = request.formatGiven          ? request.format
                                : StandardOutputIsTerminal() ? OutputFormat::Table
                                                             : OutputFormat::Tsv;
    if (!request.quiet) {
        COutputBuffer output(stdout);
        CPreviewPrinter(request, format, state.preferences.displayFilesizesAs)
            .Write(state.list, ChooseTerminalStyle(request.colour, StandardOutputIsTerminal()),
                   output);
    }
    if (!request.rename) {
        // Nothing is left to do but free the listing, which is done quicker by the kernel.
        ExitWithoutCleanup(0);
        return 0;
    }
    std::fflush(stdout);
    if (const QString blocker = RenameBlocker(state, request); !blocker.isEmpty())
        return Fail(blocker);
    if (state.list.RowCount() == 0) {
        PrintError(QStringLiteral("Nothing to rename: the listing is empty.\n"));
        return 0;
    }
    // The run's journal, log and undo script are closed by now; what is left to free goes
    // quicker with the process.
    const int code = RenameListed(state, request);
    ExitWithoutCleanup(code);
    return code;
}
