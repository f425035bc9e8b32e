// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "filelist/cfilelist.h"

#include <QString>

#include <span>
#include <vector>

// The copy commands of the file list's "Clipboard Copy" menu, in menu order.
enum class ClipboardCopyMode : int {
    Pathname = 1,
    PathnameExt,
    Filename,
    FilenameExt,
    NewFilename,
    NewFilenameExt,
    FilenameNewFilename,
    FilenameNewFilenameExt,
    ExtendedDetails
};

struct CLIPBOARDCOPYCOMMAND {
    ClipboardCopyMode mode;
    const char* menuText;

    QString MenuText() const { return QLatin1String(menuText); }
};

// The nine commands in menu order.
std::span<const CLIPBOARDCOPYCOMMAND> ClipboardCopyCommands();

// The text a copy command puts on the clipboard: one line per selected row from the top of
// the list, lines joined by CR LF with none after the last; the extended details start
// with their header line. Sizes follow the size display mode, times the user's locale.
// Empty when no row is selected.
[[nodiscard]] QString ClipboardCopyText(const CFileList& list, ClipboardCopyMode mode,
                                        int sizeDisplayMode);

// The rows whose name begins, without regard to case, with a line of the clipboard text
// (LF or CR LF line ends; empty lines count for nothing), in list order.
[[nodiscard]] std::vector<int> RowsNamedInClipboardText(const CFileList& list, const QString& text);
// Selects those rows; rows already selected stay so, nothing is deselected. Returns how
// many rows were newly selected.
int SelectFromClipboardText(CFileList& list, const QString& text);
