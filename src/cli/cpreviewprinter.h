// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coutputbuffer.h"
#include "outputrows.h"
#include "qvnrequest.h"
#include "terminalstyle.h"

#include "filelist/cfilelist.h"

// Writes the previewed list in the chosen format and columns, row by row from the entries.
class CPreviewPrinter {
public:
    CPreviewPrinter(const QVNREQUEST& request, OutputFormat format, int sizeDisplayMode);

    // What qvn writes: the format's text, the table fitted and summed up for a person, or
    // the exact bytes of --print0.
    void Write(const CFileList& list, const TERMINALSTYLE& style, COutputBuffer& out) const;

private:
    OUTPUTROWS Rows(const CFileList& list, bool plain) const;
    void WriteSummary(const CFileList& list, const TERMINALSTYLE& style, COutputBuffer& out) const;

    const QVNREQUEST& m_request;
    OutputFormat m_format;
    int m_sizeDisplayMode;
};
