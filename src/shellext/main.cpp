// SPDX-License-Identifier: GPL-3.0-or-later
// qvnhere: the "Quorvin Here" entry of the file managers. Given the selection, it starts the
// Quorvin installed beside it on the folder of the first item; --register and --unregister add
// and remove the entry in the user's file managers.
#include "chereregistration.h"
#include "cmenuhandler.h"
#include "detachedstart.h"
#include "heretexts.h"

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <climits>
#include <cstdio>
#include <unistd.h>

namespace {

void Print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

QString HelpText() {
    return QStringLiteral(
        "Usage: qvnhere [PATH|URI]...\n"
        "       qvnhere --register | --unregister\n"
        "Starts Quorvin on the folder of the first PATH (a file's folder, or the folder itself);\n"
        "file:// URIs are accepted. Nothing starts when the path no longer exists.\n"
        "\n"
        "  --register    add \"Quorvin Here\" to the menus of Dolphin, Nautilus, Nemo and Thunar\n"
        "                for this user\n"
        "  --unregister  remove what --register added\n"
        "  -h, --help    print this help and end\n"
        "  --version     print the version and end");
}

QString Joined(const QStringList& managers) {
    if (managers.size() < 2)
        return managers.join(QString());
    return managers.first(managers.size() - 1).join(QStringLiteral(", ")) +
           QStringLiteral(" and ") + managers.last();
}

int Report(const HERERESULT& result, const QString& servedLine) {
    if (!result.served.isEmpty())
        Print(stdout, servedLine.arg(Joined(result.served)));
    for (const QString& error : result.errors)
        Print(stderr, QStringLiteral("qvnhere: ") + error);
    return result.errors.isEmpty() ? 0 : 1;
}

void ReportStartError(const QString& text) {
    Print(stderr, HereCaption() + QStringLiteral(": ") + text);
    const QString notifier = QStandardPaths::findExecutable(QStringLiteral("notify-send"));
    if (!notifier.isEmpty())
        QProcess::startDetached(notifier,
                                {QStringLiteral("--icon=dialog-error"), HereCaption(), text});
}

QByteArray WorkingFolder() {
    QByteArray buffer(PATH_MAX, '\0');
    if (::getcwd(buffer.data(), static_cast<size_t>(buffer.size())) == nullptr)
        return {};
    return QByteArray(buffer.constData());
}

int Launch(const QList<QByteArray>& selection) {
    const std::optional<QByteArray> folder = CMenuHandler(WorkingFolder()).TargetFolder(selection);
    if (!folder)
        return 0;
    const QByteArray program = CMenuHandler::ProgramBeside(OwnExecutablePath());
    const int error = StartDetached(program, *folder);
    if (error == 0)
        return 0;
    ReportStartError(CMenuHandler::StartErrorText(error, program));
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    if (arguments.size() == 1) {
        const QByteArray& option = arguments.first();
        if (option == "--help" || option == "-h") {
            Print(stdout, HelpText());
            return 0;
        }
        if (option == "--version") {
            Print(stdout, QStringLiteral("qvnhere " QUORVIN_VERSION));
            return 0;
        }
        if (option == "--register" || option == "--unregister") {
            const CHereRegistration registration(HereFoldersFromEnvironment(), OwnExecutablePath());
            if (option == "--register")
                return Report(registration.Register(),
                              QStringLiteral("Added \"Quorvin Here\" to %1."));
            return Report(registration.Unregister(),
                          QStringLiteral("Removed \"Quorvin Here\" from %1."));
        }
    }
    return Launch(arguments);
}
