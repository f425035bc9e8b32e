// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "outputrows.h"
#include "qvnrequest.h"
#include "terminalstyle.h"

#include "filelist/cfilelist.h"

// Turns the previewed list into the text of the chosen format and columns.
class CPreviewPrinter {
public:
    CPreviewPrinter(const QVNREQUEST& request, OutputFormat format, int sizeDisplayMode);

    QString Text(const CFileList& list) const;
    // What qvn writes: the format's text, the table fitted and summed up for a person, or
    // the exact bytes of --print0.
    QByteArray Bytes(const CFileList& list, const TERMINALSTYLE& style) const;

private:
    OUTPUTROWS Rows(const CFileList& list) const;

    const QVNREQUEST& m_request;
    OutputFormat m_format;
    int m_sizeDisplayMode;
};
