// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>

// Imported rename pairs: the old name with A to Z in lower case, to the new name.
using RENAMEPAIRMAP = QHash<QString, QString>;

// Looks the key (a current name already folded to lower case) up; true when found.
bool LookupRenamePair(const RENAMEPAIRMAP& pairs, const QString& key, QString& value);
