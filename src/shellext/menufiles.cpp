// SPDX-License-Identifier: GPL-3.0-or-later
#include "menufiles.h"

#include "heretexts.h"

QByteArray DesktopExecArgument(const QByteArray& argument) {
    QByteArray quoted;
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$')
            quoted += '\\';
        // A backslash is escaped once for the quoting and once more for the string value.
        if (c == '\\')
            quoted += "\\\\\\";
        if (c == '%')
            quoted += '%';
        quoted += c;
    }
    return '"' + quoted + '"';
}

QByteArray ShellQuoted(const QByteArray& word) {
    QByteArray quoted = word;
    quoted.replace('\'', "'\\''");
    return '\'' + quoted + '\'';
}

QByteArray DolphinServiceMenu(const QByteArray& helperPath) {
    return "[Desktop Entry]\n"
           "Type=Service\n"
           "Name=" +
           HereMenuText().toUtf8() +
           "\n"
           "MimeType=all/all;\n"
           "X-KDE-ServiceTypes=KonqPopupMenu/Plugin\n"
           "X-KDE-Priority=TopLevel\n"
           "Actions=quorvinHere;\n"
           "\n"
           "[Desktop Action quorvinHere]\n"
           "Name=" +
           HereMenuText().toUtf8() + "\nIcon=" + HereIconName().toUtf8() +
           "\nExec=" + DesktopExecArgument(helperPath) + " %U\n";
}

QByteArray NautilusScript(const QByteArray& helperPath) {
    const QByteArray helper = ShellQuoted(helperPath);
    return "#!/bin/sh\n"
           "# " +
           HereHelpText().toUtf8() +
           ": opens the selected item's folder in Quorvin.\n"
           "# Written by qvnhere --register; qvnhere --unregister removes it.\n"
           "if [ \"$#\" -gt 0 ]; then\n"
           "    exec " +
           helper +
           " \"$@\"\n"
           "fi\n"
           "first=$(printf '%s\\n' \"$NAUTILUS_SCRIPT_SELECTED_FILE_PATHS\" | head -n 1)\n"
           "if [ -n \"$first\" ]; then\n"
           "    exec " +
           helper +
           " \"$first\"\n"
           "fi\n"
           "exec " +
           helper + " \"$NAUTILUS_SCRIPT_CURRENT_URI\"\n";
}

QByteArray NemoAction(const QByteArray& helperPath) {
    return "[Nemo Action]\n"
           "Name=" +
           HereMenuText().toUtf8() + "\nComment=" + HereHelpText().toUtf8() +
           "\nExec=" + ShellQuoted(helperPath).replace('%', "%%") +
           " %F\n"
           "Quote=double\n"
           "Icon-Name=" +
           HereIconName().toUtf8() +
           "\n"
           "Selection=notnone\n"
           "Extensions=any;\n";
}

QByteArray ThunarCommand(const QByteArray& helperPath) {
    return ShellQuoted(helperPath) + " %F";
}
