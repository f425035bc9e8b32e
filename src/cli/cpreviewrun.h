// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "qvnrequest.h"

#include "filelist/cfilelist.h"
#include "filelist/scansettings.h"

#include <QByteArray>
#include <QStringList>

// What the window would have shown during the run, for standard error.
struct PREVIEWREPORT {
    QStringList messages; // status texts and message boxes, one line each
    bool traced = false;
    QString trace;
};

// Lists the folder as the window lists it, sorts, selects every entry and refreshes the
// preview once.
class CPreviewRun {
public:
    CPreviewRun(const QVNREQUEST& request, QByteArray nativeFolder, bool showProgress);

    // False when the folder cannot be listed; Error() says why.
    bool Run(CFileList& list, PREVIEWREPORT& report);
    const QString& Error() const { return m_error; }

private:
    bool CheckFolder();
    SCANSETTINGS ScanSettings() const;
    void Scan(CFileList& list) const;
    void Sort(CFileList& list) const;
    void Refresh(CFileList& list, PREVIEWREPORT& report) const;

    const QVNREQUEST& m_request;
    QByteArray m_folder;
    bool m_showProgress;
    QString m_error;
};
