// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The type description of a file or folder, from the MIME type its name suggests.
QString TypeNameOf(const QString& name, bool isFolder);
