// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What qvn --help prints.
QString QvnHelpText();
// The options for terminals and scripts, the formats at a glance and common recipes.
QString QvnTerminalHelpText();
