// SPDX-License-Identifier: GPL-3.0-or-later
#include "cterminalprompts.h"

#include "platform/nativename.h"
#include "platform/terminal.h"

#include <cstdio>

namespace {

// The progress line that a message must erase before it is written (at most one).
CScanProgress* g_progressLine = nullptr;

} // namespace

// Names reach these texts; none may steer the terminal. A final line end is the only one
// the text itself may carry.
void PrintError(const QString& text) {
    if (g_progressLine)
        g_progressLine->Finish();
    const bool lineEnd = text.endsWith(QLatin1Char('\n'));
    QString shown = EscapeControlCharacters(lineEnd ? QStringView(text).chopped(1) : text);
    if (lineEnd)
        shown += QLatin1Char('\n');
    const QByteArray bytes = shown.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

namespace {

// A message on one line: line breaks of a message box become blanks.
QString OneLine(QString text) {
    text.replace(QStringLiteral("\n\n"), QStringLiteral(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace

CTerminalPrompts::CTerminalPrompts(bool assumeYes) : m_assumeYes(assumeYes) {
    g_progressLine = &m_progress;
}

CTerminalPrompts::~CTerminalPrompts() {
    if (g_progressLine == &m_progress)
        g_progressLine = nullptr;
}

PromptAnswer CTerminalPrompts::Ask(const QString& text, PromptButtons buttons, PromptIcon icon) {
    if (buttons == PromptButtons::Ok && m_quiet && icon == PromptIcon::Information)
        return PromptAnswer::Ok;
    if (buttons == PromptButtons::Ok) {
        PrintError(OneLine(text) + QLatin1Char('\n'));
        return PromptAnswer::Ok;
    }
    const bool yes = AskYesNo(OneLine(text));
    if (buttons == PromptButtons::YesNo)
        return yes ? PromptAnswer::Yes : PromptAnswer::No;
    return yes ? PromptAnswer::Ok : PromptAnswer::Cancel;
}

bool CTerminalPrompts::AskYesNo(const QString& text) {
    if (m_assumeYes) {
        if (!m_quiet)
            PrintError(text + QStringLiteral(" [y/N] y\n"));
        return true;
    }
    if (!StandardInputIsTerminal()) {
        PrintError(text + QStringLiteral(" [y/N] n (no terminal)\n"));
        return false;
    }
    PrintError(text + QStringLiteral(" [y/N] "));
    QString answer;
    ReadInputLine(answer);
    answer = answer.trimmed().toLower();
    return answer == QLatin1String("y") || answer == QLatin1String("yes");
}

// The message and pattern panes speak to the user; the favourite pane only names the
// file. The same text twice in a row is said once.
void CTerminalPrompts::SetStatus(StatusPane pane, const QString& text) {
    // The pattern pane only ever says that the pattern is invalid: an error, kept when quiet.
    const bool silenced = m_quiet && pane != StatusPane::Pattern;
    if (silenced || pane == StatusPane::Favourite || text.isEmpty() || text == m_lastStatus)
        return;
    m_lastStatus = text;
    PrintError(text + QLatin1Char('\n'));
}

// A text of several lines (the debug trace) keeps its lines.
void CTerminalPrompts::ShowText(const QString&, const QString& text, PromptIcon) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines)
        PrintError(line + QLatin1Char('\n'));
}

bool CTerminalPrompts::ConfirmRename(const QString& message, const QString& text, bool& showAgain) {
    Q_UNUSED(showAgain);
    if (!m_quiet || !m_assumeYes)
        PrintError(OneLine(text) + QLatin1Char('\n'));
    return AskYesNo(OneLine(message) + QStringLiteral(" Continue?"));
}

// The completion text has just gone to the status line; the dialog says nothing new.
void CTerminalPrompts::RenameComplete(const QString& text, bool& showAgain) {
    Q_UNUSED(showAgain);
    if (m_quiet || text == m_lastStatus)
        return;
    // The same text follows as the run's last status; it is said once.
    m_lastStatus = text;
    PrintError(text + QLatin1Char('\n'));
}

// The command line names its files as options; it never opens a file dialog.
QString CTerminalPrompts::AskOpenFileName(const FILEQUESTION&) {
    return QString();
}
QString CTerminalPrompts::AskSaveFileName(const FILEQUESTION&) {
    return QString();
}

void CTerminalPrompts::SetQuiet(bool quiet) {
    m_quiet = quiet;
}
