// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryFile>

// Standard input kept in a temporary file, for options that read a file and take "-" for
// standard input. The file lives as long as this object.
class CStandardInputFile {
public:
    // The temporary file's path, or empty when standard input cannot be read, is larger than
    // any list of names could be, or the copy cannot be written.
    [[nodiscard]] QString Copy();

private:
    QTemporaryFile m_file;
};
