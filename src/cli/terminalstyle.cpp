// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminalstyle.h"

#include "platform/terminal.h"

#include <QtGlobal>

namespace {

// COLUMNS as a shell exports it; 0 when absent or not a width.
int ColumnsFromEnvironment() {
    bool ok = false;
    const int columns = qEnvironmentVariableIntValue("COLUMNS", &ok);
    return ok && columns > 0 ? columns : 0;
}

// Any NO_COLOR that is not empty turns colour off, whatever else asks for it.
bool ColourForbidden() {
    return !qEnvironmentVariableIsEmpty("NO_COLOR");
}

bool TerminalTakesColour() {
    return qEnvironmentVariable("TERM") != QLatin1String("dumb");
}

} // namespace

TERMINALSTYLE ChooseTerminalStyle(ColourMode mode, bool outputIsTerminal) {
    TERMINALSTYLE style;
    style.width = ColumnsFromEnvironment();
    if (style.width == 0 && outputIsTerminal)
        style.width = TerminalColumns();
    style.forPerson = outputIsTerminal || style.width > 0;
    switch (mode) {
    case ColourMode::Always:
        style.colour = true;
        break;
    case ColourMode::Never:
        break;
    case ColourMode::Auto:
        style.colour = outputIsTerminal && TerminalTakesColour();
        break;
    }
    if (ColourForbidden())
        style.colour = false;
    return style;
}

QString Styled(const QString& text, const char* sequence, bool colour) {
    if (!colour || text.isEmpty())
        return text;
    return QLatin1String("\x1b[") + QLatin1String(sequence) + QLatin1Char('m') + text +
           QLatin1String("\x1b[0m");
}
