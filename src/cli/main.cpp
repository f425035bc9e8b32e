// SPDX-License-Identifier: GPL-3.0-or-later
#include "ckeylist.h"
#include "coptionparser.h"
#include "cpreviewprinter.h"
#include "cpreviewrun.h"
#include "crequestapplier.h"
#include "cterminalprompts.h"
#include "helptext.h"
#include "outputcolumns.h"
#include "terminalstyle.h"

#include "platform/terminal.h"
#include "rename/undoscript.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

constexpr int kStoppedOrRefused = 1;
constexpr int kUsageError = 2;

void Print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

int Fail(const QString& reason) {
    PrintError(QStringLiteral("qvn: ") + reason + QLatin1Char('\n'));
    return kUsageError;
}

// The folder exactly as given: a name that is not valid UTF-8 survives only as bytes.
QByteArray NativeFolder(int argc, char** argv, const QString& folder) {
    for (int i = argc - 1; i > 0; --i) {
        if (QFile::decodeName(argv[i]) == folder)
            return QByteArray(argv[i]);
    }
    return QFile::encodeName(folder.isEmpty() ? QDir::currentPath() : folder);
}

// Reverses the last run the undo journal recorded.
int UndoLastRun(CProgramState& state, bool assumeYes) {
    const JOURNALUNDORESULT result = state.UndoLastJournalRun(assumeYes);
    switch (result.outcome) {
    case JOURNALUNDORESULT::Outcome::Reversed:
        if (result.skipped > 0)
            PrintError(
                QStringLiteral("%1 item(s) were left where they are: something else is at their "
                               "new path.\n")
                    .arg(result.skipped));
        return 0;
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
int RenameListed(CProgramState& state, const QVNREQUEST& request, const QByteArray& folder) {
    state.SetRescan([&state, &folder] {
        state.ListFolder(folder);
        state.list.SelectAll();
    });
    const RENAMERESULT result = state.OnRename();
    if (!request.undoScriptFile.isEmpty() &&
        !WriteUndoScript(request.undoScriptFile, state.history))
        return Fail(QStringLiteral("undo script cannot be written: ") + request.undoScriptFile);
    return result.outcome == RunOutcome::Completed ? 0 : kStoppedOrRefused;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();

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
    CProgramState state(prompts);
    CRequestApplier applier;
    if (!applier.Apply(request, state))
        return Fail(applier.Error());
    if (request.undo)
        return UndoLastRun(state, request.assumeYes);

    const QByteArray folder = NativeFolder(argc, argv, request.folder);
    CPreviewRun run(request, folder, StandardErrorIsTerminal() && !request.quiet);
    if (!run.Run(state))
        return Fail(run.Error());

    if (!request.saveFavouriteFile.isEmpty() &&
        !state.SaveFavourite(request.saveFavouriteFile, QFile::decodeName(folder)))
        return Fail(QStringLiteral("favourites file cannot be written: ") +
                    request.saveFavouriteFile);

    const OutputFormat format = request.formatGiven          ? request.format
                                : StandardOutputIsTerminal() ? OutputFormat::Table
                                                             : OutputFormat::Tsv;
    const QByteArray output =
        CPreviewPrinter(request, format, state.preferences.displayFilesizesAs)
            .Bytes(state.list, ChooseTerminalStyle(request.colour, StandardOutputIsTerminal()));
    if (!request.quiet)
        std::fwrite(output.constData(), 1, static_cast<size_t>(output.size()), stdout);
    if (!request.rename)
        return 0;
    std::fflush(stdout);
    return RenameListed(state, request, folder);
}
