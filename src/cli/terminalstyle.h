// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "qvnrequest.h"

// How the table is shown. A table for a person (standard output is a terminal, or COLUMNS
// names a width) is fitted to the width, marks changed rows and ends with a summary; a
// table written to a file or pipe without COLUMNS stays as it always was.
struct TERMINALSTYLE {
    bool forPerson = false;
    bool colour = false;
    int width = 0; // 0: no limit
};

[[nodiscard]] TERMINALSTYLE ChooseTerminalStyle(ColourMode mode, bool outputIsTerminal);

// Escape sequences of the few styles the table uses.
QString Styled(const QString& text, const char* sequence, bool colour);
inline constexpr const char* kStyleBold = "1";
inline constexpr const char* kStyleChanged = "32";
inline constexpr const char* kStyleConflict = "1;31";
inline constexpr const char* kStyleFaint = "2";
